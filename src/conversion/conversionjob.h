#pragma once

#include "conversionresult.h"
#include "outputpath.h"

#include "formats/formatoptions.h"

#include <QMap>
#include <QSet>
#include <QObject>
#include <QStringList>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class Drawing;

// Converts a list of input files on worker threads: one after the other,
// or up to setParallelFiles() of them at the same time.
//
// The list may grow while the job runs; the output options in force when
// the job reaches a row decide where its output goes, while the templates
// and reader options are the copy taken at the start. Everything the job
// reports arrives as signals on the thread that owns it, in order for each
// row; rows converted at once finish in whatever order they are done. A
// file that fails, for whatever reason, fails alone; the job always
// finishes. Two rows whose outputs are the same file fail from the second
// on, rather than one replacing what the other wrote.
class ConversionJob : public QObject
{
    Q_OBJECT

public:
    using ReadFunction = std::function<bool(const QString &, Drawing &)>;
    using WriteFunction = std::function<bool(const QString &, const Drawing &)>;
    // Draws the picture of a converted file from the drawing as written,
    // setting the result's preview; false, with the detail, when it could
    // not be written.
    using PreviewFunction = std::function<bool(ConversionResult &, const Drawing &)>;

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

    // How many files the next run converts at the same time; 1, the
    // default, converts them one after the other.
    void setParallelFiles(int files) { m_parallelFiles = files < 1 ? 1 : files; }
    int parallelFiles() const { return m_parallelFiles; }

    // Asks the job to start no further file; files being converted finish,
    // and the job still reports finished().
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

    // Called on the worker once a file's output is written; a picture that
    // cannot be written fails the file, although its output stands.
    void setPreviewFunction(PreviewFunction preview) { m_preview = std::move(preview); }

signals:
    void rowStarted(int row);
    // Reading covers 0 to 0.6 of a row, writing 0.6 to 1.
    void rowProgress(int row, double fraction);
    void rowFinished(int row, const ConversionResult &result);
    void finished();

private:
    // A row the job took from its list, with the options in force then.
    struct Claim
    {
        int row = -1;
        QString input;
        OutputOptions output;
        bool outputTaken = false; // an earlier row of this run writes the same file
    };

    void run();
    void convertRows();
    bool claimNextRow(Claim &claim);
    void convertRow(const Claim &claim);
    ConversionResult convert(int row, const QString &input, const OutputOptions &output);
    void drawPreview(const Drawing &written, ConversionResult &result) const;
    void reportProgress(int row, double fraction);
    void deliverProgress();
    void closeRowProgress(int row);
    template<typename Function>
    void post(Function &&function);

    ReadFunction m_read;
    WriteFunction m_write;
    PreviewFunction m_preview;
    bool m_writeReplaced = false;
    bool m_running = false;
    int m_parallelFiles = 1;
    std::thread m_runner; // joined by waitForFinished(), on the owner's thread
    ConversionOptions m_options;

    // The standard library's locks rather than Qt's, so that
    // ThreadSanitizer sees what they order.
    std::mutex m_mutex; // guards the seven below
    QStringList m_inputs;
    OutputOptions m_output;
    bool m_stopRequested = false;
    bool m_passedEnd = false;
    QSet<QString> m_claimedOutputs;
    int m_nextRow = 0;
    // The end of the list is passed only once no row is being converted,
    // since rows may still be added until then.
    int m_rowsInFlight = 0;
    std::condition_variable m_rowsChanged;

    // A pipe or a device takes one file's G-code at a time.
    std::mutex m_inPlaceWriting;

    // Progress is coalesced: the workers keep the latest value of each row
    // and one delivery at a time is posted; a row that finished is dropped
    // from the pending values, so no late value follows its end.
    std::mutex m_progressMutex;
    QMap<int, double> m_pendingProgress;
    bool m_progressPosted = false;
};
