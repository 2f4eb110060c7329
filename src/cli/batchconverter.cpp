#include "batchconverter.h"

#include "printabletext.h"

#include "platform/terminal.h"

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
    if (m_bar)
        m_bar->clear();
    if (result.succeeded()) {
        if (!m_quiet)
            std::fprintf(m_report, "OK %s -> %s\n", qPrintable(printable(result.input)),
                         qPrintable(printable(result.output)));
    } else {
        m_anyFailed = true;
        std::fprintf(m_report, "FAILED %s: %s\n", qPrintable(printable(result.input)),
                     qPrintable(printable(failureReason(result))));
    }
    std::fflush(m_report);
    if (m_bar && row + 1 < m_inputs.size())
        m_bar->show(row + 1, 0.0, m_inputs.value(row + 1));
}

void BatchConverter::onFinished()
{
    if (m_bar)
        m_bar->clear();
    QCoreApplication::exit(m_anyFailed ? 1 : 0);
}
