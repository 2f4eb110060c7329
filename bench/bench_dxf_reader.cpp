// Reads a generated 100 MB DXF of LINE and LWPOLYLINE entities through
// travina-convert, with the G-code written, and reports the speed and the
// peak memory per vertex of the converter process, with the reader's
// options off and with every one of them on. Also times the emptying
// of the DXF reader's group table against assigning its 1100 strings.

#include "benchsupport.h"

#include "drawing/drawing.h"
#include "formats/dxf/grouptable.h"
#include "formats/dxf/reader.h"
#include "formats/formatoptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr qint64 targetFileBytes = 100 * 1000 * 1000;

// Writes the drawing in the group layout AutoCAD and ezdxf use for R2000.
class DxfWriter
{
public:
    explicit DxfWriter(QFile &file)
        : m_file(file)
    {
    }
    ~DxfWriter() { flush(); }

    void pair(int code, const char *value)
    {
        char line[64];
        const int length = std::snprintf(line, sizeof line, "%3d\n", code);
        append(line, length);
        append(value, int(std::strlen(value)));
        append("\n", 1);
    }
    void number(int code, double value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.6f", value);
        pair(code, text);
    }
    void integer(int code, long long value) { pair(code, std::to_string(value).c_str()); }
    qint64 written() const { return m_written; }

private:
    void append(const char *data, int length)
    {
        m_buffer.append(data, std::size_t(length));
        m_written += length;
        if (m_buffer.size() > (1 << 20))
            flush();
    }
    void flush()
    {
        m_file.write(m_buffer.data(), qint64(m_buffer.size()));
        m_buffer.clear();
    }

    QFile &m_file;
    std::string m_buffer;
    qint64 m_written = 0;
};

// A random walk whose steps are never zero, so that no vertex repeats the
// one before it and every vertex reaches the drawing.
class Walk
{
public:
    double x = 100;
    double y = 100;
    void step()
    {
        x += 0.5 + m_step(m_random);
        y += m_step(m_random) < 0 ? -0.75 : 0.75;
        if (x > 900)
            x -= 800;
    }
    int count() { return m_count(m_random); }
    bool coin() { return m_coin(m_random) == 0; }

private:
    std::mt19937 m_random{12345};
    std::uniform_real_distribution<double> m_step{-0.4, 0.4};
    std::uniform_int_distribution<int> m_count{2, 60};
    std::uniform_int_distribution<int> m_coin{0, 1};
};

// Returns the number of vertices the drawing holds once read.
qint64 writeBenchmarkDxf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    DxfWriter out(file);
    out.pair(0, "SECTION");
    out.pair(2, "HEADER");
    out.pair(9, "$ACADVER");
    out.pair(1, "AC1015");
    out.pair(9, "$INSUNITS");
    out.integer(70, 4);
    out.pair(0, "ENDSEC");
    out.pair(0, "SECTION");
    out.pair(2, "ENTITIES");
    Walk walk;
    qint64 vertices = 0;
    long long handle = 0x100;
    char handleText[32];
    while (out.written() < targetFileBytes) {
        const bool line = walk.coin();
        std::snprintf(handleText, sizeof handleText, "%llX", handle++);
        out.pair(0, line ? "LINE" : "LWPOLYLINE");
        out.pair(5, handleText);
        out.pair(330, "1F");
        out.pair(100, "AcDbEntity");
        out.pair(8, "0");
        if (line) {
            out.pair(100, "AcDbLine");
            out.number(10, walk.x);
            out.number(20, walk.y);
            out.number(30, 0);
            walk.step();
            out.number(11, walk.x);
            out.number(21, walk.y);
            out.number(31, 0);
            vertices += 2;
            continue;
        }
        const int count = walk.count();
        const bool closed = walk.coin();
        out.pair(100, "AcDbPolyline");
        out.integer(90, count);
        out.integer(70, closed ? 1 : 0);
        out.number(43, 0);
        for (int i = 0; i < count; ++i) {
            out.number(10, walk.x);
            out.number(20, walk.y);
            walk.step();
        }
        vertices += count + (closed && count > 2 ? 1 : 0);
    }
    out.pair(0, "ENDSEC");
    out.pair(0, "EOF");
    return vertices;
}

struct ChildRun
{
    bool succeeded = false;
    double seconds = 0;
    double cpuSeconds = 0;
    long long peakResidentBytes = 0;
};

// Runs the converter as a child process, with a settings folder of its own
// so that the defaults apply, and takes its peak memory from wait4.
ChildRun runConverter(const QString &converter, const QString &input, const QString &outputDirectory,
                      bool optionsOn = false)
{
    const QByteArray program = QFile::encodeName(converter);
    const QByteArray inputName = QFile::encodeName(input);
    const QByteArray outputName = QFile::encodeName(outputDirectory);
    const QByteArray configHome = QFile::encodeName(QDir(outputDirectory).filePath(QStringLiteral("config")));
    ChildRun run;
    Stopwatch clock;
    const pid_t child = fork();
    if (child == 0) {
        setenv("XDG_CONFIG_HOME", configHome.constData(), 1);
        if (optionsOn)
            execl(program.constData(), program.constData(), "-q", "--dxf-blocks", "--dxf-unit", "mm", "--output",
                  outputName.constData(), inputName.constData(), static_cast<char *>(nullptr));
        else
            execl(program.constData(), program.constData(), "-q", "--output", outputName.constData(),
                  inputName.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
        return run;
    run.seconds = clock.seconds();
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakResidentBytes = static_cast<long long>(usage.ru_maxrss) * 1024;
    run.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return run;
}

void benchmarkConversion(const QString &converter)
{
    const QDir directory(benchDirectory());
    const QString input = directory.filePath(QStringLiteral("bench_dxf_reader.dxf"));
    const QString tiny = directory.filePath(QStringLiteral("bench_dxf_tiny.dxf"));
    const QString outputDirectory = directory.filePath(QStringLiteral("bench_dxf_out"));
    QDir().mkpath(outputDirectory);

    const qint64 vertices = writeBenchmarkDxf(input);
    QFile tinyFile(tiny);
    if (!tinyFile.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(tiny));
    tinyFile.write("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDSEC\n0\nEOF\n");
    tinyFile.close();
    const double megabytes = double(QFileInfo(input).size()) / 1e6;

    // The fixed part: the same program converting a one-line drawing.
    const ChildRun baseline = runConverter(converter, tiny, outputDirectory);
    const ChildRun run = runConverter(converter, input, outputDirectory);
    if (!baseline.succeeded || !run.succeeded)
        qFatal("travina-convert failed on the benchmark input");

    const QFileInfo output(QDir(outputDirectory).filePath(QStringLiteral("bench_dxf_reader.tap")));
    reportFigure("DXF input size", megabytes, "MB");
    reportFigure("DXF vertices", double(vertices), "");
    reportFigure("G-code output size", double(output.size()) / 1e6, "MB");
    reportFigure("DXF end to end through travina-convert", megabytes / run.seconds, "MB/s", 100);
    // Other work on the machine stretches the wall clock; the processor
    // time of the converter does not depend on it as much.
    reportFigure("the same per second of converter CPU time", megabytes / run.cpuSeconds, "MB/s");
    reportFigure("converter peak RSS, one-line drawing", double(baseline.peakResidentBytes) / 1e6, "MB");
    reportFigure("converter peak RSS, benchmark drawing", double(run.peakResidentBytes) / 1e6, "MB");
    reportFigure("peak RSS above the fixed amount per vertex",
                 double(run.peakResidentBytes - baseline.peakResidentBytes) / double(vertices), "bytes", 48, false);

    const ChildRun withOptions = runConverter(converter, input, outputDirectory, true);
    if (!withOptions.succeeded)
        qFatal("travina-convert failed on the benchmark input with the DXF options on");
    reportFigure("the same with blocks placed and a unit chosen", megabytes / withOptions.seconds, "MB/s", 100);
    reportFigure("that per second of converter CPU time", megabytes / withOptions.cpuSeconds, "MB/s");

    // The reader alone, in this process, for the share of the time it takes.
    Stopwatch clock;
    {
        Drawing drawing;
        if (!readDxf(input, drawing))
            qFatal("the benchmark input did not read");
    }
    reportFigure("DXF reading alone, in process", megabytes / clock.seconds(), "MB/s");
    ConversionOptions options;
    options.dxfPlaceBlocks = true;
    options.dxfUnitWhenUnnamed = QStringLiteral("mm");
    const ScopedConversionOptions scoped(options);
    clock.restart();
    Drawing drawing;
    if (!readDxf(input, drawing))
        qFatal("the benchmark input did not read with the DXF options on");
    reportFigure("the same with blocks placed and a unit chosen", megabytes / clock.seconds(), "MB/s");
}

void benchmarkGroupTableClear()
{
    constexpr int rounds = 2000000;
    const char value[] = "123.456789";
    const DxfText text{value, value + sizeof value - 1, true};
    const int codes[] = {5, 330, 100, 8, 10, 20, 30, 11, 21, 31};

    DxfGroupTable table;
    Stopwatch clock;
    double sink = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int code : codes)
            table.set(code, text);
        sink += table.number(10 + round % 2);
        table.clear();
    }
    const double tableSeconds = clock.seconds();

    // What emptying by assignment would cost: 1100 strings per entity.
    std::vector<std::string> strings(DxfGroupTable::size);
    clock.restart();
    for (int round = 0; round < rounds / 20; ++round) {
        for (int code : codes)
            strings[std::size_t(code)].assign(value);
        sink += double(strings[10].size());
        for (std::string &slot : strings)
            slot = std::string();
    }
    const double assignSeconds = clock.seconds() * 20;

    reportFigure("group table: 10 sets, a read and a clear per entity", tableSeconds / rounds * 1e9, "ns");
    reportFigure("the same with the table emptied by 1100 assignments", assignSeconds / rounds * 1e9, "ns");
    if (sink < 0)
        std::printf("%f\n", sink);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString converter = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("travina-convert"));
    if (!QFileInfo(converter).isExecutable())
        qFatal("travina-convert is not built next to this benchmark");
    benchmarkGroupTableClear();
    benchmarkConversion(converter);
    return 0;
}
