#include "conversionjob.h"

#include "conversionfailure.h"
#include "drawingasconverted.h"
#include "outputshaping.h"
#include "queuedcall.h"

#include "drawing/drawing.h"
#include "drawing/drawingfigures.h"
#include "formats/formatdispatch.h"
#include "formats/gcode/follower.h"
#include "formats/gcode/output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

#include <cmath>
#include <exception>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Progress steps smaller than this are not worth a repaint.
constexpr double progressStep = 0.001;

// Starts writing the output while the input is still being read, where the
// output can be known and written before reading ends. Never creates a
// directory: that waits until the file has been read. Output written in
// place waits too: a pipe or a device cannot take back what a failed read
// would leave in it.
std::unique_ptr<FollowingGCodeWriter> followReading(const QString &input, const OutputOptions &output,
                                                    Drawing &drawing)
{
    const OutputPath out = resolveOutputPath(input, output);
    if (out.path.isEmpty() || outputIsInput(out.path, input) || !QFileInfo(out.path).absoluteDir().exists()
        || isWrittenInPlace(out.path))
        return nullptr;
    return std::make_unique<FollowingGCodeWriter>(out.path, drawing);
}

} // namespace

ConversionJob::ConversionJob(QObject *parent)
    : QObject(parent)
    , m_read(readDrawing)
    , m_write(writeDrawing)
{
    qRegisterMetaType<ConversionResult>();
}

ConversionJob::~ConversionJob()
{
    stop();
    waitForFinished();
}

template<typename Function>
void ConversionJob::post(Function &&function)
{
    queueCall(this, std::forward<Function>(function));
}

bool ConversionJob::start(const QStringList &inputs, const ConversionOptions &options, const OutputOptions &output)
{
    if (m_running)
        return false;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_inputs = inputs;
        m_output = output;
        m_stopRequested = false;
        m_passedEnd = false;
        m_claimedOutputs.clear();
        m_nextRow = 0;
    }
    m_options = options;
    m_running = true;
    waitForFinished(); // the thread of the run before, which has ended
    try {
        m_runner = std::thread([this] { run(); });
    } catch (const std::system_error &) {
        m_running = false;
        return false;
    }
    return true;
}

bool ConversionJob::appendInput(const QString &path)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_running || m_passedEnd)
        return false;
    m_inputs.append(path);
    m_rowsChanged.notify_all();
    return true;
}

void ConversionJob::setOutputOptions(const OutputOptions &output)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_output = output;
}

void ConversionJob::stop()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_stopRequested = true;
    m_rowsChanged.notify_all();
}

void ConversionJob::waitForFinished()
{
    if (m_runner.joinable())
        m_runner.join();
}

void ConversionJob::run()
{
    // Further threads for the further files at once; this one converts too.
    std::vector<std::thread> workers;
    for (int i = 1; i < m_parallelFiles; ++i) {
        try {
            workers.emplace_back([this] { convertRows(); });
        } catch (const std::system_error &) {
            break; // fewer files at once
        }
    }
    convertRows();
    for (std::thread &worker : workers)
        worker.join();
    post([this] {
        m_running = false;
        emit finished();
    });
}

void ConversionJob::convertRows()
{
    try {
        Claim claim;
        while (claimNextRow(claim))
            convertRow(claim);
    } catch (...) {
        // Nothing is left to report on; what matters is that the end of the
        // run is still announced.
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_passedEnd = true;
    }
}

bool ConversionJob::claimNextRow(Claim &claim)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    // A file still being converted may yet be followed by rows added
    // meanwhile, so the end is passed only once none is.
    m_rowsChanged.wait(lock, [this] {
        return m_stopRequested || m_nextRow < m_inputs.size() || m_rowsInFlight == 0;
    });
    if (m_stopRequested || m_nextRow >= m_inputs.size()) {
        m_passedEnd = true;
        return false;
    }
    ++m_rowsInFlight;
    claim.row = m_nextRow++;
    claim.input = m_inputs.at(claim.row);
    claim.output = m_output;
    // A pipe or a device may take the files of a run one after another;
    // a file would keep only the last of them.
    const QString output = resolveOutputPath(claim.input, claim.output).path;
    claim.outputTaken = false;
    if (!output.isEmpty() && !isWrittenInPlace(output)) {
        const QString key = QFileInfo(output).absoluteFilePath();
        claim.outputTaken = m_claimedOutputs.contains(key);
        m_claimedOutputs.insert(key);
    }
    return true;
}

void ConversionJob::convertRow(const Claim &claim)
{
    const int row = claim.row;
    try {
        const ScopedConversionOptions options(m_options);
        post([this, row] { emit rowStarted(row); });
        ConversionResult result;
        if (claim.outputTaken) {
            result.input = claim.input;
            result.output = resolveOutputPath(claim.input, claim.output).path;
            result.status = ConversionResult::OutputTakenInRun;
        } else {
            result = convert(row, claim.input, claim.output);
        }
        closeRowProgress(row);
        post([this, row, result] { emit rowFinished(row, result); });
    } catch (...) {
        // Out of memory for the result itself: the row is left as it is.
    }
    // The installed callback points at this job, which may not outlive the run.
    progressCallback = [](double) {};
    const std::lock_guard<std::mutex> lock(m_mutex);
    --m_rowsInFlight;
    m_rowsChanged.notify_all();
}

ConversionResult ConversionJob::convert(int row, const QString &input, const OutputOptions &output)
{
    ConversionResult result;
    Drawing drawing;
    // Declared after the drawing, so that it stops following before the
    // drawing goes away; what it began goes away with it when the read
    // fails, leaving an existing file as it was.
    std::unique_ptr<FollowingGCodeWriter> follower;
    const auto startFollowing = [&] {
        // A shaped drawing is known only once the whole file is read.
        if (!m_writeReplaced && !shapesOutput(m_options))
            follower = followReading(input, output, drawing);
        progressCallback = [this, row](double fraction) { reportProgress(row, fraction * 0.6); };
    };
    if (!readForConversion(input, m_read, drawing, result, startFollowing))
        return result;

    try {
        const OutputPath out = resolveOutputPath(input, output);
        result.output = out.path;
        // A G-code input converted next to itself would be replaced by its
        // own re-conversion, losing everything but its X and Y words.
        if (outputIsInput(out.path, input)) {
            result.status = ConversionResult::OutputIsInput;
            return result;
        }
        createOutputDirectory(out);
        const std::unique_ptr<Drawing> shaped = shapedForOutput(drawing, m_options);
        const Drawing &toWrite = shaped ? *shaped : drawing;
        progressCallback = [this, row](double fraction) { reportProgress(row, 0.6 + 0.4 * fraction); };
        bool written;
        if (follower && follower->path() == out.path) {
            written = follower->finish();
        } else {
            follower.reset();
            std::unique_lock<std::mutex> oneAtATime(m_inPlaceWriting, std::defer_lock);
            if (isWrittenInPlace(result.output))
                oneAtATime.lock();
            written = m_write(result.output, toWrite);
        }
        result.status = written ? ConversionResult::Converted : ConversionResult::WriteFailed;
        result.curvesToTolerance = m_options.curvesToTolerance;
        result.arcsAsG2G3 = m_options.arcsAsG2G3;
        result.curveTolerance = m_options.curveTolerance;
        if (written) {
            result.figures = figuresOf(toWrite);
            drawPreview(toWrite, result);
        }
    } catch (...) {
        result.status = ConversionResult::WriteFailed;
        result.detail = describeFailure(std::current_exception());
    }
    return result;
}

void ConversionJob::drawPreview(const Drawing &written, ConversionResult &result) const
{
    if (!m_preview)
        return;
    try {
        if (!m_preview(result, written))
            result.status = ConversionResult::PreviewFailed;
    } catch (...) {
        result.status = ConversionResult::PreviewFailed;
        result.detail = describeFailure(std::current_exception());
    }
}

void ConversionJob::reportProgress(int row, double fraction)
{
    // Each row is converted on one thread, so the last value handed on is
    // the thread's own.
    thread_local int lastRow = -1;
    thread_local double lastValue = 0;
    if (row == lastRow && std::fabs(fraction - lastValue) < progressStep)
        return;
    lastRow = row;
    lastValue = fraction;

    std::unique_lock<std::mutex> lock(m_progressMutex);
    m_pendingProgress.insert(row, fraction);
    if (m_progressPosted)
        return;
    m_progressPosted = true;
    lock.unlock();
    post([this] { deliverProgress(); });
}

void ConversionJob::deliverProgress()
{
    QMap<int, double> pending;
    {
        const std::lock_guard<std::mutex> lock(m_progressMutex);
        pending.swap(m_pendingProgress);
        m_progressPosted = false;
    }
    for (auto it = pending.cbegin(); it != pending.cend(); ++it)
        emit rowProgress(it.key(), it.value());
}

void ConversionJob::closeRowProgress(int row)
{
    const std::lock_guard<std::mutex> lock(m_progressMutex);
    m_pendingProgress.remove(row);
}
