#pragma once

#include "progressbar.h"

#include "conversion/conversionjob.h"

#include <QObject>
#include <QVector>

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

    // Writes the JSON report of the run to `path` once it is over.
    void setReportPath(const QString &path) { m_reportPath = path; }
    void setParallelFiles(int files) { m_job.setParallelFiles(files); }
    // Writes a picture of each converted toolpath as well (see PreviewWriter).
    void setPreviews(const QString &pattern, const QSize &size);

    void start();

private:
    void onRowProgress(int row, double fraction);
    void onRowFinished(int row, const ConversionResult &result);
    void print(const ConversionResult &result);
    void onFinished();
    bool writeReport() const;

    ConversionJob m_job;
    QStringList m_inputs;
    ConversionOptions m_options;
    OutputOptions m_output;
    bool m_quiet;
    std::FILE *m_report;
    bool m_anyFailed = false;
    QString m_reportPath;
    // Files converted at once finish in any order; they are printed in the
    // order of the inputs, each as soon as those before it are.
    QVector<ConversionResult> m_results;
    QVector<bool> m_finished;
    int m_nextToPrint = 0;
    std::unique_ptr<ProgressBar> m_bar;
};
