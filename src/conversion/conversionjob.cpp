#include "conversionjob.h"

#include "drawing/drawing.h"
#include "drawing/drawingfigures.h"
#include "formats/formatdispatch.h"
#include "formats/gcode/follower.h"
#include "formats/gcode/output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <exception>
#include <memory>
#include <new>

namespace {

// Progress steps smaller than this are not worth a repaint.
constexpr double progressStep = 0.001;

QString describe(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc &) {
        return QStringLiteral("out of memory");
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("unexpected error");
    }
}

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
    QMetaObject::invokeMethod(this, std::forward<Function>(function), Qt::QueuedConnection);
}

bool ConversionJob::start(const QStringList &inputs, const ConversionOptions &options, const OutputOptions &output)
{
    if (m_running)
        return false;
    {
        QMutexLocker lock(&m_mutex);
        m_inputs = inputs;
        m_output = output;
        m_stopRequested = false;
        m_passedEnd = false;
    }
    m_options = options;
    m_lastReportedRow = -1;
    m_running = true;
    m_future = QtConcurrent::run(QThreadPool::globalInstance(), [this] { run(); });
    return true;
}

bool ConversionJob::appendInput(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    if (!m_running || m_passedEnd)
        return false;
    m_inputs.append(path);
    return true;
}

void ConversionJob::setOutputOptions(const OutputOptions &output)
{
    QMutexLocker lock(&m_mutex);
    m_output = output;
}

void ConversionJob::stop()
{
    QMutexLocker lock(&m_mutex);
    m_stopRequested = true;
}

void ConversionJob::waitForFinished()
{
    m_future.waitForFinished();
}

void ConversionJob::run()
{
    try {
        const ScopedConversionOptions options(m_options);
        for (int row = 0;; ++row) {
            QString input;
            OutputOptions output;
            {
                QMutexLocker lock(&m_mutex);
                if (m_stopRequested || row >= m_inputs.size()) {
                    m_passedEnd = true;
                    break;
                }
                input = m_inputs.at(row);
                output = m_output;
            }
            post([this, row] { emit rowStarted(row); });
            const ConversionResult result = convert(row, input, output);
            closeRowProgress();
            post([this, row, result] { emit rowFinished(row, result); });
        }
    } catch (...) {
        // Nothing is left to report on; what matters is that the end of the
        // run is still announced below.
        QMutexLocker lock(&m_mutex);
        m_passedEnd = true;
    }
    // The installed callbacks point at this job, which may not outlive the run.
    progressCallback = [](double) {};
    post([this] {
        m_running = false;
        emit finished();
    });
}

ConversionResult ConversionJob::convert(int row, const QString &input, const OutputOptions &output)
{
    ConversionResult result;
    result.input = input;
    // Said before any reader tries, so that the reason names the cause
    // rather than "no drawing could be read".
    const QFileInfo inputInfo(input);
    if (!inputInfo.exists()) {
        result.status = ConversionResult::InputMissing;
        return result;
    }
    if (inputInfo.isDir()) {
        result.status = ConversionResult::InputIsDirectory;
        return result;
    }
    if (!inputInfo.isReadable()) {
        result.status = ConversionResult::InputUnreadable;
        return result;
    }
    if (!readerForPath(input)) {
        result.status = ConversionResult::UnsupportedType;
        return result;
    }

    Drawing drawing;
    // Declared after the drawing, so that it stops following before the
    // drawing goes away.
    std::unique_ptr<FollowingGCodeWriter> follower;
    try {
        if (!m_writeReplaced)
            follower = followReading(input, output, drawing);
        progressCallback = [this, row](double fraction) { reportProgress(row, fraction * 0.6); };
        const bool read = m_read(input, drawing);
        result.notes = drawing.notes().list();
        if (!read) {
            result.status = drawing.inflateLimitReached() ? ConversionResult::InflateLimitReached
                                                          : ConversionResult::ReadFailed;
            return result;
        }
        // Judged before anything reaches the output: a pipe or a device
        // cannot take back what it was sent, and what the follower began
        // goes away with it, leaving an existing file as it was.
        if (!drawing.coordinatesInRange()) {
            result.status = ConversionResult::CoordinateOutOfRange;
            return result;
        }
    } catch (...) {
        result.status = ConversionResult::ReadFailed;
        result.detail = describe(std::current_exception());
        return result;
    }

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
        progressCallback = [this, row](double fraction) { reportProgress(row, 0.6 + 0.4 * fraction); };
        bool written;
        if (follower && follower->path() == out.path) {
            written = follower->finish();
        } else {
            follower.reset();
            written = m_write(result.output, drawing);
        }
        result.status = written ? ConversionResult::Converted : ConversionResult::WriteFailed;
        if (written)
            result.figures = figuresOf(drawing);
    } catch (...) {
        result.status = ConversionResult::WriteFailed;
        result.detail = describe(std::current_exception());
    }
    return result;
}

void ConversionJob::reportProgress(int row, double fraction)
{
    if (row == m_lastReportedRow && std::fabs(fraction - m_lastReportedValue) < progressStep)
        return;
    m_lastReportedRow = row;
    m_lastReportedValue = fraction;

    QMutexLocker lock(&m_progressMutex);
    m_progressRow = row;
    m_progressValue = fraction;
    if (m_progressPosted)
        return;
    m_progressPosted = true;
    const quint64 generation = m_progressGeneration;
    lock.unlock();
    post([this, generation] { deliverProgress(generation); });
}

void ConversionJob::deliverProgress(quint64 generation)
{
    int row;
    double value;
    {
        QMutexLocker lock(&m_progressMutex);
        if (generation != m_progressGeneration)
            return;
        m_progressPosted = false;
        row = m_progressRow;
        value = m_progressValue;
    }
    emit rowProgress(row, value);
}

void ConversionJob::closeRowProgress()
{
    QMutexLocker lock(&m_progressMutex);
    ++m_progressGeneration;
    m_progressPosted = false;
}
