// Converts a generated 100 MB HPGL plot end to end with travina-convert, as
// a user would, and prints the throughput and the converter's peak memory
// per vertex above what it takes for a tiny plot.
//
// Usage: bench_hpgl_reader [--full] [path of travina-convert]
// With --full, the plot is read with the full instruction set.

#include "benchsupport.h"

#include "drawing/drawing.h"
#include "formats/formatoptions.h"
#include "formats/gcode/writer.h"
#include "formats/hpgl/reader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 targetBytes = 100LL << 20;
// One first run and the later ones, of which the median counts.
constexpr int bigRuns = 6;

class PlotWriter
{
public:
    explicit PlotWriter(QFile &file)
        : m_file(file)
    {
    }

    // Strokes in the shapes plotter drivers write: whole outlines as one PD
    // (Inkscape), one PD per point (pstoedit), and now and then a pen
    // change and an arc.
    void writeBlock()
    {
        const int kind = int(m_random() % 100);
        if (kind < 2)
            m_text += "SP" + QByteArray::number(1 + int(m_random() % 8)) + ";\n";
        if (kind < 5)
            writeArc();
        else if (kind < 75)
            writeOutline();
        else
            writePointByPoint();
        if (m_text.size() > (1 << 20))
            flush();
    }

    void flush()
    {
        m_file.write(m_text);
        m_text.clear();
    }

private:
    void writePair()
    {
        m_x = qBound(0, m_x + int(m_random() % 401) - 200, 40000);
        m_y = qBound(0, m_y + int(m_random() % 401) - 200, 40000);
        m_text += QByteArray::number(m_x) + ',' + QByteArray::number(m_y);
    }

    // One instruction with its pairs, "PD1,2,3,4;".
    void writeInstruction(const char *mnemonic, int pairs, const char *end)
    {
        m_text += mnemonic;
        for (int i = 0; i < pairs; ++i) {
            if (i > 0)
                m_text += ',';
            writePair();
        }
        m_text += end;
    }

    void writeOutline()
    {
        writeInstruction("PU", 1, ";");
        writeInstruction("PD", 24, ";\n");
    }

    void writePointByPoint()
    {
        writeInstruction("PU", 1, ";\n");
        for (int i = 0; i < 24; ++i)
            writeInstruction("PD", 1, ";\n");
    }

    void writeArc()
    {
        writeInstruction("PU", 1, ";PD;AA");
        m_text += QByteArray::number(m_x + 400) + ',' + QByteArray::number(m_y) + ",-90;\n";
    }

    QFile &m_file;
    QByteArray m_text;
    std::mt19937 m_random{20240611};
    int m_x = 20000;
    int m_y = 20000;
};

bool generatePlot(const QString &path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    PlotWriter writer(file);
    file.write("IN;SP1;\n");
    while (file.size() < bytes)
        writer.writeBlock();
    writer.flush();
    file.write("PU0,0;SP0;IN;\n");
    return true;
}

struct ChildRun
{
    bool succeeded = false;
    double seconds = 0;
    double cpuSeconds = 0; // user and system: what the wall time would be on an idle machine
    long long peakBytes = 0;
};

bool fullInstructionSet = false;

// Runs the converter as its own process so that its peak memory is its own.
ChildRun convert(const QString &converter, const QString &input, const QString &output)
{
    const QByteArray program = QFile::encodeName(converter);
    const QByteArray in = QFile::encodeName(input);
    const QByteArray out = QFile::encodeName(output);
    std::vector<const char *> arguments = {program.constData(), "-q", "--hpgl-units", "1016", "--weld",
                                           "--init", "G1 F1000\\nZ10\\n{NextPoint}\\nZ0", "--middle",
                                           "Z10\\n{NextPoint}\\nZ0", "--finish", "X0 Y0", "-o", out.constData(),
                                           in.constData()};
    if (fullInstructionSet)
        arguments.push_back("--hpgl-full");
    arguments.push_back(nullptr);
    ChildRun run;
    Stopwatch clock;
    const pid_t child = fork();
    if (child == 0) {
        execv(program.constData(), const_cast<char *const *>(arguments.data()));
        _exit(127);
    }
    if (child < 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return run;
    run.seconds = clock.seconds();
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakBytes = static_cast<long long>(usage.ru_maxrss) * 1024;
    const auto toSeconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    run.cpuSeconds = toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
    return run;
}

// With the templates above every object writes one vertex line of its own
// before its points, and the end writes one more.
long long pointsWritten(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    long long vertexLines = 0;
    long long objects = 0;
    QByteArray chunk;
    QByteArray pending;
    while (!(chunk = file.read(1 << 22)).isEmpty()) {
        pending += chunk;
        const int lastEnd = pending.lastIndexOf('\n');
        for (const QByteArray &line : pending.left(lastEnd + 1).split('\n')) {
            if (line.startsWith('X'))
                ++vertexLines;
            else if (line == "Z10")
                ++objects;
        }
        pending.remove(0, lastEnd + 1);
    }
    return vertexLines - objects - 1;
}

// The two halves of the conversion in this process, to show where the time
// of the whole goes.
void timeStages(const QString &input, const QString &output, double inputBytes)
{
    ConversionOptions options;
    options.hpglFullInstructionSet = fullInstructionSet;
    const ScopedConversionOptions defaults{options};
    Drawing drawing;
    Stopwatch clock;
    if (!readHpgl(input, drawing))
        return;
    const double reading = clock.seconds();
    clock.restart();
    writeGCode(output, drawing);
    const double writing = clock.seconds();
    reportFigure("in-process reading alone", inputBytes / 1e6 / reading, "MB/s");
    reportFigure("in-process reading time", reading, "s");
    reportFigure("in-process G-code writing time", writing, "s");
}

} // namespace

int main(int argc, char **argv)
{
    int converterArgument = 1;
    if (argc > 1 && std::strcmp(argv[1], "--full") == 0) {
        fullInstructionSet = true;
        converterArgument = 2;
    }
    const QString converter = argc > converterArgument ? QString::fromLocal8Bit(argv[converterArgument])
                                       : QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath()
            + QStringLiteral("/travina-convert");
    const QDir dir(benchDirectory());
    const QString bigPlot = dir.filePath(QStringLiteral("hpgl-100mb.plt"));
    const QString tinyPlot = dir.filePath(QStringLiteral("hpgl-tiny.plt"));
    if (!generatePlot(bigPlot, targetBytes) || !generatePlot(tinyPlot, 1)) {
        std::fprintf(stderr, "cannot write the plots into %s\n", qPrintable(dir.path()));
        return 1;
    }

    const QString output = dir.filePath(QStringLiteral("hpgl-out.tap"));
    const ChildRun tiny = convert(converter, tinyPlot, output);
    // The first run after a pause pays for memory the system has to find
    // anew (on a virtual machine, from the host); the later ones show the
    // converter's own speed. Both are reported.
    std::vector<ChildRun> runs;
    for (int i = 0; i < bigRuns; ++i)
        runs.push_back(convert(converter, bigPlot, output));
    const bool allSucceeded = std::all_of(runs.begin(), runs.end(), [](const ChildRun &r) { return r.succeeded; });
    if (!tiny.succeeded || !allSucceeded) {
        std::fprintf(stderr, "%s failed\n", qPrintable(converter));
        return 1;
    }
    const ChildRun first = runs.front();
    std::sort(runs.begin() + 1, runs.end(), [](const ChildRun &a, const ChildRun &b) { return a.seconds < b.seconds; });
    const ChildRun big = runs[std::size_t(1 + (bigRuns - 1) / 2)];
    const long long peakBytes =
        std::max_element(runs.begin(), runs.end(), [](const ChildRun &a, const ChildRun &b) {
            return a.peakBytes < b.peakBytes;
        })->peakBytes;
    const double inputBytes = double(QFileInfo(bigPlot).size());
    const long long points = pointsWritten(output);

    reportFigure("HPGL input", inputBytes / 1e6, "MB");
    reportFigure("G-code output", double(QFileInfo(output).size()) / 1e6, "MB");
    reportFigure("vertices", double(points), "");
    reportFigure("HPGL end-to-end throughput, first run", inputBytes / 1e6 / first.seconds, "MB/s", 100);
    reportFigure("HPGL end-to-end time, median of the later runs", big.seconds, "s");
    reportFigure("HPGL end-to-end throughput, median of the later runs", inputBytes / 1e6 / big.seconds, "MB/s", 100);
    reportFigure("HPGL end-to-end CPU time (user + system)", big.cpuSeconds, "s");
    reportFigure("peak memory, tiny plot (fixed part)", double(tiny.peakBytes) / 1e6, "MB");
    reportFigure("peak memory, 100 MB plot (highest run)", double(peakBytes) / 1e6, "MB");
    reportFigure("peak memory per vertex above the fixed part", double(peakBytes - tiny.peakBytes) / double(points),
                 "bytes", 48, false);
    timeStages(bigPlot, output, inputBytes);
    QFile::remove(output);
    return 0;
}
