#include "batchconverter.h"

#include "platform/terminal.h"

#include <QCoreApplication>

#include <cstdio>

QString failureReason(const ConversionResult &result)
{
    QString reason;
    switch (result.status) {
    case ConversionResult::Converted:
        return QString();
    case ConversionResult::InputMissing:
        reason = QStringLiteral("file not found");
        break;
    case ConversionResult::UnsupportedType:
        reason = QStringLiteral("unsupported file type");
        break;
    case ConversionResult::OutputIsInput:
        reason = QStringLiteral("output would replace the input");
        break;
    case ConversionResult::ReadFailed:
        reason = QStringLiteral("no drawing could be read");
        break;
    case ConversionResult::WriteFailed:
        reason = QStringLiteral("cannot write output");
        if (!result.output.isEmpty())
            reason += QLatin1Char(' ') + result.output;
        break;
    }
    if (!result.detail.isEmpty())
        reason += QStringLiteral(" (%1)").arg(result.detail);
    return reason;
}

BatchConverter::BatchConverter(const QStringList &inputs, const ConversionOptions &options,
                               const OutputOptions &output, bool quiet, QObject *parent)
    : QObject(parent)
    , m_inputs(inputs)
    , m_options(options)
    , m_output(output)
    , m_quiet(quiet)
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
            std::printf("OK %s -> %s\n", qPrintable(result.input), qPrintable(result.output));
    } else {
        m_anyFailed = true;
        std::printf("FAILED %s: %s\n", qPrintable(result.input), qPrintable(failureReason(result)));
    }
    std::fflush(stdout);
    if (m_bar && row + 1 < m_inputs.size())
        m_bar->show(row + 1, 0.0, m_inputs.value(row + 1));
}

void BatchConverter::onFinished()
{
    if (m_bar)
        m_bar->clear();
    QCoreApplication::exit(m_anyFailed ? 1 : 0);
}
