#pragma once

#include "progressbar.h"

#include "conversion/conversionjob.h"

#include <QObject>

#include <cstdio>
#include <memory>

// Drives one conversion run for the command line: prints a line per file to
// `report` and, on a terminal, a progress bar; quits the event loop with the
// exit status when the run is over.
class BatchConverter : public QObject
{
    Q_OBJECT

public:
    BatchConverter(const QStringList &inputs, const ConversionOptions &options, const OutputOptions &output,
                   bool quiet, std::FILE *report, QObject *parent = nullptr);

    void start();

private:
    void onRowProgress(int row, double fraction);
    void onRowFinished(int row, const ConversionResult &result);
    void onFinished();

    ConversionJob m_job;
    QStringList m_inputs;
    ConversionOptions m_options;
    OutputOptions m_output;
    bool m_quiet;
    std::FILE *m_report;
    bool m_anyFailed = false;
    std::unique_ptr<ProgressBar> m_bar;
};
