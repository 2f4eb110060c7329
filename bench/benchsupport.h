#pragma once

#include <QString>

#include <chrono>

// Small helpers shared by the benchmarks.

// Peak resident memory of this process since it started or since the last
// resetPeakResidentBytes(), in bytes.
long long peakResidentBytes();
// Starts the peak over from what is resident now, so that one stage of a
// benchmark is measured apart from those before it.
void resetPeakResidentBytes();
// Resident memory now, in bytes.
long long residentBytes();

class Stopwatch
{
public:
    Stopwatch() { restart(); }
    void restart() { m_start = std::chrono::steady_clock::now(); }
    double seconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

// A directory for generated inputs: $TRAVINA_BENCH_DIR, or a folder under the
// system's temporary directory.
QString benchDirectory();

// Prints one figure as "name: value unit", and whether it meets its target.
void reportFigure(const char *name, double value, const char *unit, double target = 0, bool higherIsBetter = true);
