// Vertices and file size of the examples and of a generated drawing full of
// circles and arcs, as written today, with curves flattened to the
// tolerance, with arcs as G2/G3, and with both.

#include "benchsupport.h"

#include "drawing/drawing.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"
#include "formats/gcode/writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <random>

namespace {

// Holes, bolt circles and rounded slots on a plate: CIRCLE, ARC and
// LWPOLYLINE bulges of 1 to 40 mm radius.
QString writeCircleHeavyDxf(const QString &path, int parts)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> place(0, 1000);
    std::uniform_real_distribution<double> radius(1, 40);
    QByteArray dxf = "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    auto number = [](double v) { return QByteArray::number(v, 'f', 4); };
    for (int i = 0; i < parts; ++i) {
        const double x = place(random);
        const double y = place(random);
        const double r = radius(random);
        dxf += "0\nCIRCLE\n8\n0\n10\n" + number(x) + "\n20\n" + number(y) + "\n40\n" + number(r) + "\n";
        dxf += "0\nARC\n8\n0\n10\n" + number(x) + "\n20\n" + number(y) + "\n40\n" + number(r * 1.5)
            + "\n50\n20\n51\n160\n";
        dxf += "0\nLWPOLYLINE\n8\n0\n90\n4\n70\n1\n10\n" + number(x) + "\n20\n" + number(y - r) + "\n42\n1\n10\n"
            + number(x) + "\n20\n" + number(y - r / 2) + "\n10\n" + number(x + r) + "\n20\n" + number(y - r / 2)
            + "\n42\n1\n10\n" + number(x + r) + "\n20\n" + number(y - r) + "\n";
    }
    dxf += "0\nENDSEC\n0\nEOF\n";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(dxf);
    return path;
}

struct Written
{
    long long vertices = 0;
    long long bytes = 0;
};

Written convert(const QString &input, const QString &output, const ConversionOptions &options)
{
    ScopedConversionOptions scoped(options);
    Drawing drawing;
    Written written;
    if (!readDrawing(input, drawing) || !writeGCode(output, drawing))
        return written;
    // The vertices the machine meets: every line that moves to a point, an
    // arc's end among them.
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly))
        return written;
    const QByteArray text = file.readAll();
    written.bytes = text.size();
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith('X') || line.startsWith("G1 X") || line.startsWith("G2 ") || line.startsWith("G3 "))
            ++written.vertices;
    }
    return written;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QDir dir(benchDirectory());
    QStringList inputs;
    for (const QFileInfo &example : QDir(QStringLiteral(TRAVINA_EXAMPLES_DIR)).entryInfoList(QDir::Files))
        inputs << example.filePath();
    const QString circles = writeCircleHeavyDxf(dir.filePath(QStringLiteral("circle-heavy.dxf")), 2000);
    inputs << circles;

    ConversionOptions today;
    ConversionOptions curves;
    curves.curvesToTolerance = true;
    ConversionOptions arcs;
    arcs.arcsAsG2G3 = true;
    ConversionOptions both = curves;
    both.arcsAsG2G3 = true;
    const QString output = dir.filePath(QStringLiteral("curves-bench.tap"));

    std::printf("%-28s %21s %21s %21s %21s\n", "input (moves / bytes)", "today", "curves 0.01", "arcs 0.01",
                "curves + arcs");
    for (const QString &input : inputs) {
        std::printf("%-28s", qPrintable(QFileInfo(input).fileName()));
        Written base;
        for (const ConversionOptions *options : {&today, &curves, &arcs, &both}) {
            const Written w = convert(input, output, *options);
            if (options == &today)
                base = w;
            std::printf(" %9lld / %9lld", w.vertices, w.bytes);
        }
        std::printf("\n");
        if (input == circles) {
            const Written w = convert(input, output, both);
            reportFigure("circle-heavy DXF, curves + arcs, file size against today", double(w.bytes) / double(base.bytes),
                         "", 1.0 / 3, false);
        }
    }
    QFile::remove(output);
    return 0;
}
