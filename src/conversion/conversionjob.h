#pragma once

#include "conversionresult.h"
#include "outputpath.h"

#include "formats/formatoptions.h"

#include <QFuture>
#include <QMutex>
#include <QObject>
#include <QStringList>

#include <functional>

class Drawing;

// Converts a list of input files one after the other on a worker thread.
//
// The list may grow while the job runs; the output options in force when
// the job reaches a row decide where its output goes, while the templates
// and reader options are the copy taken at the start. Everything the job
// reports arrives as signals on the thread that owns it, in order. A file
// that fails, for whatever reason, fails alone; the job always finishes.
class ConversionJob : public QObject
{
    Q_OBJECT

public:
    using ReadFunction = std::function<bool(const QString &, Drawing &)>;
    using WriteFunction = std::function<bool(const QString &, const Drawing &)>;

    explicit ConversionJob(QObject *parent = nullptr);
    // Stops after the current file and waits for the worker.
    ~ConversionJob() override;

    // False, and nothing happens, while a run is still going.
    bool start(const QStringList &inputs, const ConversionOptions &options, const OutputOptions &output);

    // Adds a row to the running conversion; false when the job has already
    // passed the end of its list (or is not running), so the row will not be
    // converted in this run.
    bool appendInput(const QString &path);

    void setOutputOptions(const OutputOptions &output);

    // Asks the job to stop before the next file; it still reports finished().
    void stop();
    void waitForFinished();

    // From start() until finished() has been emitted.
    bool isRunning() const { return m_running; }

    // The steps that read and write one file; readDrawing and writeDrawing
    // unless replaced. Only the built-in writer starts on a file's output
    // while the file is still being read.
    void setReadFunction(ReadFunction read) { m_read = std::move(read); }
    void setWriteFunction(WriteFunction write)
    {
        m_write = std::move(write);
        m_writeReplaced = true;
    }

signals:
    void rowStarted(int row);
    // Reading covers 0 to 0.6 of a row, writing 0.6 to 1.
    void rowProgress(int row, double fraction);
    void rowFinished(int row, const ConversionResult &result);
    void finished();

private:
    void run();
    ConversionResult convert(int row, const QString &input, const OutputOptions &output);
    void reportProgress(int row, double fraction);
    void deliverProgress(quint64 generation);
    void closeRowProgress();
    template<typename Function>
    void post(Function &&function);

    ReadFunction m_read;
    WriteFunction m_write;
    bool m_writeReplaced = false;
    bool m_running = false;
    QFuture<void> m_future;
    ConversionOptions m_options;

    QMutex m_mutex; // guards the four below
    QStringList m_inputs;
    OutputOptions m_output;
    bool m_stopRequested = false;
    bool m_passedEnd = false;

    // Progress is coalesced: the worker keeps the latest value and posts one
    // delivery at a time; a delivery of a row that has since finished is
    // dropped by its generation.
    QMutex m_progressMutex;
    int m_progressRow = -1;
    double m_progressValue = 0;
    bool m_progressPosted = false;
    quint64 m_progressGeneration = 0;
    // Worker side only: the last value handed on, to skip tiny steps.
    int m_lastReportedRow = -1;
    double m_lastReportedValue = 0;
};
