#include "batchconverter.h"

#include "previewwriter.h"
#include "printabletext.h"

#include "conversion/conversionreport.h"
#include "platform/terminal.h"

#include <QJsonDocument>
#include <QSaveFile>

#include <QCoreApplication>

#include <cstdio>

BatchConverter::BatchConverter(const QStringList &inputs, const ConversionOptions &options,
                               const OutputOptions &output, bool quiet, std::FILE *report, QObject *parent)
    : QObject(parent)
    , m_inputs(inputs)
    , m_options(options)
    , m_output(output)
    , m_quiet(quiet)
    , m_report(report)
{
    if (!quiet && isTerminal(stderr))
        m_bar.reset(new ProgressBar(stderr, inputs.size()));
    connect(&m_job, &ConversionJob::rowProgress, this, &BatchConverter::onRowProgress);
    connect(&m_job, &ConversionJob::rowFinished, this, &BatchConverter::onRowFinished);
    connect(&m_job, &ConversionJob::finished, this, &BatchConverter::onFinished);
}

void BatchConverter::setPreviews(const QString &pattern, const QSize &size)
{
    m_job.setPreviewFunction(PreviewWriter(pattern, size));
}

void BatchConverter::start()
{
    m_job.start(m_inputs, m_options, m_output);
}

void BatchConverter::onRowProgress(int row, double fraction)
{
    if (m_bar)
        m_bar->show(row, fraction, m_inputs.value(row));
}

void BatchConverter::onRowFinished(int row, const ConversionResult &result)
{
    if (m_results.size() <= row) {
        m_results.resize(row + 1);
        m_finished.resize(row + 1);
    }
    m_results[row] = result;
    m_finished[row] = true;
    if (m_bar)
        m_bar->clear();
    for (; m_nextToPrint < m_finished.size() && m_finished.at(m_nextToPrint); ++m_nextToPrint)
        print(m_results.at(m_nextToPrint));
    std::fflush(m_report);
    if (m_bar && m_nextToPrint < m_inputs.size())
        m_bar->show(m_nextToPrint, 0.0, m_inputs.value(m_nextToPrint));
}

void BatchConverter::print(const ConversionResult &result)
{
    if (!result.succeeded()) {
        // One line, whatever the reader noted on its way: the reason says
        // why nothing was written, and the JSON report keeps the notes.
        m_anyFailed = true;
        std::fprintf(m_report, "FAILED %s: %s\n", qPrintable(printable(result.input)),
                     qPrintable(printable(failureReason(result))));
    } else if (!m_quiet) {
        std::fprintf(m_report, "OK %s -> %s\n", qPrintable(printable(result.input)),
                     qPrintable(printable(result.output)));
        for (const QString &line : noteLines(result.notes))
            std::fprintf(m_report, "  %s\n", qPrintable(printable(line)));
    }
}

void BatchConverter::onFinished()
{
    if (m_bar)
        m_bar->clear();
    if (!m_reportPath.isEmpty() && !writeReport()) {
        std::fprintf(stderr, "travina-convert: cannot write report %s\n", qPrintable(printable(m_reportPath)));
        m_anyFailed = true;
    }
    QCoreApplication::exit(m_anyFailed ? 1 : 0);
}

bool BatchConverter::writeReport() const
{
    const QJsonObject report = runReport(QStringLiteral("travina-convert"), QCoreApplication::applicationVersion(),
                                         m_results);
    QSaveFile file(m_reportPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(report).toJson(QJsonDocument::Indented));
    return file.commit();
}
