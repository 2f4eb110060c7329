// Wall time of converting a batch of mixed drawings one file at a time and
// with one file per core, and the speed-up; checks that both give the same
// bytes.
//
// The outputs come to about 1.2 GB a run. On a slow disk the kernel's
// write-back of them takes the same cores as the conversion; with
// TRAVINA_BENCH_DIR on a RAM disk (/dev/shm) the figure is the conversion's.

#include "benchsupport.h"

#include "conversion/conversionjob.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QThread>

#include <cstdio>
#include <random>

namespace {

constexpr int fileCount = 200;
constexpr int fileBytes = 500 * 1000;

QByteArray plot(std::mt19937 &random)
{
    std::uniform_int_distribution<int> coordinate(0, 40000);
    QByteArray text("IN;SP1;");
    while (text.size() < fileBytes) {
        text += "PU" + QByteArray::number(coordinate(random)) + ',' + QByteArray::number(coordinate(random)) + ";PD";
        for (int i = 0; i < 20; ++i)
            text += (i ? "," : "") + QByteArray::number(coordinate(random)) + ',' + QByteArray::number(coordinate(random));
        text += ';';
    }
    return text;
}

QByteArray dxf(std::mt19937 &random)
{
    std::uniform_real_distribution<double> coordinate(0, 500);
    QByteArray text("0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n");
    while (text.size() < fileBytes) {
        text += "0\nLINE\n8\n0\n10\n" + QByteArray::number(coordinate(random)) + "\n20\n"
                + QByteArray::number(coordinate(random)) + "\n11\n" + QByteArray::number(coordinate(random)) + "\n21\n"
                + QByteArray::number(coordinate(random)) + "\n0\nARC\n8\n0\n10\n" + QByteArray::number(coordinate(random))
                + "\n20\n" + QByteArray::number(coordinate(random)) + "\n40\n12.5\n50\n10\n51\n300\n";
    }
    return text + "0\nENDSEC\n0\nEOF\n";
}

QByteArray svg(std::mt19937 &random)
{
    std::uniform_real_distribution<double> coordinate(0, 300);
    QByteArray text("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"300mm\" height=\"300mm\" viewBox=\"0 0 300 300\">\n");
    while (text.size() < fileBytes) {
        text += "<path d=\"M" + QByteArray::number(coordinate(random)) + ' ' + QByteArray::number(coordinate(random));
        for (int i = 0; i < 6; ++i)
            text += " C" + QByteArray::number(coordinate(random)) + ' ' + QByteArray::number(coordinate(random)) + ' '
                    + QByteArray::number(coordinate(random)) + ' ' + QByteArray::number(coordinate(random)) + ' '
                    + QByteArray::number(coordinate(random)) + ' ' + QByteArray::number(coordinate(random));
        text += "\"/>\n";
    }
    return text + "</svg>\n";
}

QByteArray gcode(std::mt19937 &random)
{
    std::uniform_real_distribution<double> coordinate(0, 500);
    QByteArray text;
    while (text.size() < fileBytes)
        text += "X" + QByteArray::number(coordinate(random), 'f', 4) + " Y"
                + QByteArray::number(coordinate(random), 'f', 4) + '\n';
    return text;
}

QStringList writeInputs(const QString &directory)
{
    QDir().mkpath(directory);
    std::mt19937 random(7);
    QStringList inputs;
    for (int i = 0; i < fileCount; ++i) {
        static const char *const formats[] = {"plt", "dxf", "svg", "tap"};
        const QString format = QLatin1String(formats[i % 4]);
        const QString path = QStringLiteral("%1/drawing%2.%3").arg(directory).arg(i).arg(format);
        const QByteArray content = format == QLatin1String("plt") ? plot(random)
            : format == QLatin1String("dxf")                      ? dxf(random)
            : format == QLatin1String("svg")                      ? svg(random)
                                                                  : gcode(random);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(path));
        inputs << path;
    }
    return inputs;
}

// Seconds for the whole batch, and a digest of every output in input order.
double convert(const QStringList &inputs, const QString &outputs, int files, QByteArray &digest)
{
    QDir(outputs).removeRecursively();
    QDir().mkpath(outputs);
    ConversionJob job;
    job.setParallelFiles(files);
    OutputOptions output;
    output.saveInSourceDirectory = false;
    output.pattern = outputs + QStringLiteral("/%f.nc");
    int failed = 0;
    QObject::connect(&job, &ConversionJob::rowFinished, [&failed](int, const ConversionResult &result) {
        failed += result.succeeded() ? 0 : 1;
    });
    QEventLoop loop;
    QObject::connect(&job, &ConversionJob::finished, &loop, &QEventLoop::quit);
    Stopwatch watch;
    job.start(inputs, ConversionOptions(), output);
    loop.exec();
    const double seconds = watch.seconds();
    if (failed)
        qFatal("%d files failed", failed);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &input : inputs) {
        QFile file(outputs + QLatin1Char('/') + QFileInfo(input).completeBaseName() + QStringLiteral(".nc"));
        file.open(QIODevice::ReadOnly);
        hash.addData(file.readAll());
    }
    digest = hash.result();
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString directory = benchDirectory() + QStringLiteral("/parallel");
    const QStringList inputs = writeInputs(directory + QStringLiteral("/in"));
    const int cores = QThread::idealThreadCount();
    std::printf("%d drawings of about %d KB, %d cores\n", fileCount, fileBytes / 1000, cores);

    QByteArray alone, together;
    convert(inputs, directory + QStringLiteral("/one"), 1, alone); // warms the file cache
    const double one = convert(inputs, directory + QStringLiteral("/one"), 1, alone);
    const double all = convert(inputs, directory + QStringLiteral("/all"), cores, together);
    if (alone != together)
        qFatal("converting files at once changed the outputs");
    reportFigure("one file at a time", one, "s");
    reportFigure("one file per core", all, "s");
    reportFigure("speed-up", one / all, "x", cores >= 2 ? 1.7 : 1.0);
    QDir(directory).removeRecursively();
    return 0;
}
