#pragma once

#include "conversion/conversionjob.h"
#include "drawing/drawing.h"
#include "formats/formatdispatch.h"

#include <QMap>
#include <QSemaphore>
#include <QVector>
#include <QtTest>

// What a conversion job reported, by row.
struct Report
{
    QVector<int> started;
    QMap<int, ConversionResult> results;
    QMap<int, QVector<double>> progress;
    int finished = 0;
};

inline void watch(ConversionJob &job, Report &report)
{
    QObject::connect(&job, &ConversionJob::rowStarted, [&](int row) { report.started.append(row); });
    QObject::connect(&job, &ConversionJob::rowProgress,
                     [&](int row, double fraction) { report.progress[row].append(fraction); });
    QObject::connect(&job, &ConversionJob::rowFinished,
                     [&](int row, const ConversionResult &result) { report.results.insert(row, result); });
    QObject::connect(&job, &ConversionJob::finished, [&] { ++report.finished; });
}

// Holds the worker inside the reader at one file (or at every file, when
// none is named) until the test lets it go on.
class ReaderGate
{
public:
    void install(ConversionJob &job, const QString &heldFile = QString())
    {
        m_heldFile = heldFile;
        job.setReadFunction([this](const QString &path, Drawing &drawing) {
            if (m_heldFile.isEmpty() || path == m_heldFile) {
                m_entered.release();
                m_release.acquire();
            }
            return readDrawing(path, drawing);
        });
    }
    void waitUntilHeld() { m_entered.acquire(); }
    void letGo() { m_release.release(); }

private:
    QString m_heldFile;
    QSemaphore m_entered;
    QSemaphore m_release;
};

inline bool waitForEnd(ConversionJob &job, Report &report)
{
    return QTest::qWaitFor([&] { return report.finished > 0 && !job.isRunning(); }, 20000);
}

inline OutputOptions pattern(const QString &text)
{
    OutputOptions options;
    options.saveInSourceDirectory = false;
    options.pattern = text;
    return options;
}
