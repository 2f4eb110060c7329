// Converts a generated 100 MB SVG of long path data through the conversion
// job, as the window does, then times reading and writing apart; counts the
// heap allocations of scanning ordinary path commands; reads a compressed
// bomb to show that inflating stops at its limit. With --svg-as-browser
// the drawings are read as a browser shows them.

#include "benchsupport.h"

#include "conversion/conversionjob.h"
#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"
#include "formats/svg/pathdata.h"
#include "formats/svg/reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include <sys/resource.h>
#include <zlib.h>

namespace {

std::atomic<long long> heapAllocations{0};

constexpr qint64 targetBytes = 100 * 1000 * 1000;

// Path data as drawing and CAD programs export it: a contour wandering
// over a large sheet in absolute coordinates with three decimals, mostly
// lines, every fortieth command a cubic curve and every hundredth an
// elliptical arc.
class ContourWriter
{
public:
    QByteArray pathData()
    {
        QByteArray d = "M " + point();
        for (int i = 1; i <= 4000; ++i) {
            if (i % 40 == 0)
                d += " C " + point() + ' ' + point() + ' ';
            else if (i % 100 == 0)
                d += " A 4,3 15 0,1 ";
            else
                d += " L ";
            d += point();
        }
        d += " Z";
        return d;
    }

private:
    int next(int range)
    {
        m_seed = m_seed * 1103515245u + 12345u;
        return int((m_seed >> 8) % unsigned(range));
    }
    // A step of up to 5 units from the last point, kept on the sheet.
    QByteArray point()
    {
        m_x = qBound(0, m_x + next(10001) - 5000, 1000000);
        m_y = qBound(0, m_y + next(10001) - 5000, 1000000);
        return coordinate(m_x) + ',' + coordinate(m_y);
    }
    static QByteArray coordinate(int thousandths)
    {
        const QByteArray fraction = QByteArray::number(thousandths % 1000).rightJustified(3, '0');
        return QByteArray::number(thousandths / 1000) + '.' + fraction;
    }

    unsigned m_seed = 1;
    int m_x = 500000;
    int m_y = 500000;
};

QString writeLargeSvg()
{
    const QString path = QDir(benchDirectory()).filePath(QStringLiteral("svg-reader-paths.svg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write("<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000mm\" "
               "height=\"1000mm\" viewBox=\"0 0 1000 1000\">\n<g transform=\"translate(-10,-10)\">\n");
    ContourWriter contours;
    qint64 written = file.size();
    while (written < targetBytes) {
        written += file.write("<path style=\"fill:none;stroke:#000\" d=\"");
        written += file.write(contours.pathData());
        written += file.write("\"/>\n");
    }
    file.write("</g>\n</svg>\n");
    return path;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long long pageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Reading and writing timed apart, to show where the time of a conversion goes.
void benchmarkStages(const QString &input, double megabytes)
{
    const QString output = QDir(benchDirectory()).filePath(QStringLiteral("svg-reader-stages.tap"));
    Drawing drawing;
    const double cpuBefore = cpuSeconds();
    const long long faultsBefore = pageFaults();
    const Stopwatch stopwatch;
    if (!readDrawing(input, drawing))
        qFatal("the generated SVG could not be read");
    const double reading = stopwatch.seconds();
    const double readingCpu = cpuSeconds() - cpuBefore;
    const long long readingFaults = pageFaults() - faultsBefore;
    long long points = 0;
    for (const DrawingObject &object : drawing.objects())
        points += object.points.size();

    Stopwatch writeStopwatch;
    const double cpuBeforeWriting = cpuSeconds();
    if (!writeDrawing(output, drawing))
        qFatal("the G-code could not be written");
    const double writing = writeStopwatch.seconds();
    const double writingCpu = cpuSeconds() - cpuBeforeWriting;

    reportFigure("svg points read", double(points), "");
    reportFigure("svg reading alone", megabytes / reading, "MB/s");
    reportFigure("svg reading alone, processor time", readingCpu, "s");
    reportFigure("svg reading alone, page faults", double(readingFaults), "");
    reportFigure("g-code writing alone", writing, "s");
    reportFigure("g-code writing alone, processor time", writingCpu, "s");
    QFile::remove(output);
}

void benchmarkConversion()
{
    const QString input = writeLargeSvg();
    const double megabytes = double(QFileInfo(input).size()) / 1e6;
    OutputOptions output;
    output.saveInSourceDirectory = false;
    output.pattern = QDir(benchDirectory()).filePath(QStringLiteral("svg-reader-paths.tap"));

    ConversionJob job;
    QEventLoop loop;
    bool converted = false;
    QObject::connect(&job, &ConversionJob::rowFinished, [&](int, const ConversionResult &result) {
        converted = result.succeeded();
    });
    QObject::connect(&job, &ConversionJob::finished, &loop, &QEventLoop::quit);
    const double cpuBefore = cpuSeconds();
    const Stopwatch stopwatch;
    job.start({input}, ConversionOptions::fromProcessValues(), output);
    loop.exec();
    const double seconds = stopwatch.seconds();
    const double cpu = cpuSeconds() - cpuBefore;
    if (!converted)
        qFatal("the generated SVG did not convert");
    reportFigure("svg input size", megabytes, "MB");
    reportFigure("svg end-to-end conversion time", seconds, "s");
    reportFigure("svg end-to-end throughput", megabytes / seconds, "MB/s", 50);
    reportFigure("svg end-to-end processor time", cpu, "s");
    reportFigure("svg end-to-end throughput per processor second", megabytes / cpu, "MB/s");
    reportFigure("svg output size", double(QFileInfo(output.pattern).size()) / 1e6, "MB");
    reportFigure("peak resident memory after conversion", double(peakResidentBytes()) / 1e6, "MB");
    QFile::remove(output.pattern);
    benchmarkStages(input, megabytes);
    QFile::remove(input);
}

void benchmarkScannerAllocations()
{
    ContourWriter contours;
    const QString data = QString::fromLatin1(contours.pathData());
    CheckedPainterPath path;
    // Reserve the path's storage first, so that only the scanner is counted.
    parsePathData(data, path);
    path.clear();
    const long long before = heapAllocations.load();
    parsePathData(data, path);
    const long long allocations = heapAllocations.load() - before;
    reportFigure("heap allocations scanning 4000 path commands", double(allocations), "");
    std::printf("  (%d path elements, into a painter path whose storage was grown before)\n", path.elementCount());
}

// A gzip stream of 1.25 GiB of white space inside a document: the reader
// must stop inflating at its limit, and fail the file, long before memory
// or patience run out.
void benchmarkCompressedBomb()
{
    const QString path = QDir(benchDirectory()).filePath(QStringLiteral("svg-reader-bomb.svgz"));
    gzFile out = gzopen(QFile::encodeName(path).constData(), "wb9");
    gzputs(out, "<svg width=\"10mm\" height=\"10mm\"><line x1=\"0\" y1=\"0\" x2=\"10\" y2=\"10\"/>");
    const QByteArray spaces(1 << 20, ' ');
    for (int i = 0; i < 1280; ++i)
        gzwrite(out, spaces.constData(), unsigned(spaces.size()));
    gzputs(out, "</svg>");
    gzclose(out);

    // Apart from the conversion before, whose drawing took its own memory.
    resetPeakResidentBytes();
    const Stopwatch stopwatch;
    Drawing drawing;
    const bool read = readSvg(path, drawing);
    const double seconds = stopwatch.seconds();
    reportFigure("compressed bomb file size", double(QFileInfo(path).size()) / 1e6, "MB");
    reportFigure("compressed bomb read time", seconds, "s", 3, false);
    reportFigure("peak resident memory reading the bomb", double(peakResidentBytes()) / 1e6, "MB", 1000, false);
    std::printf("  (read %s, %d objects%s)\n", read ? "true" : "false", drawing.objects().size(),
                drawing.inflateLimitReached() ? ", stopped at the inflate limit" : "");
    QFile::remove(path);
}

} // namespace

// Counts every heap allocation of the process, Qt's included; glibc lets the
// program put its own malloc in front of the library's.
extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *p, std::size_t size);

void *malloc(std::size_t size)
{
    ++heapAllocations;
    return __libc_malloc(size);
}

void *calloc(std::size_t count, std::size_t size)
{
    ++heapAllocations;
    return __libc_calloc(count, size);
}

void *realloc(void *p, std::size_t size)
{
    ++heapAllocations;
    return __libc_realloc(p, size);
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The same drawings read as a browser shows them.
    if (app.arguments().contains(QStringLiteral("--svg-as-browser")))
        svgAsBrowserShows = true;
    benchmarkScannerAllocations();
    benchmarkConversion();
    benchmarkCompressedBomb();
    return 0;
}
