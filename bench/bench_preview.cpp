// How long the preview takes with a drawing of a million vertices: opening
// it (reading the file as a conversion does and keeping the toolpath) and
// repainting it fitted, zoomed in and zoomed far out, at the size of a
// window. Targets: a second to open, 50 ms a repaint.

#include "benchsupport.h"

#include "drawing/drawing.h"
#include "preview/toolpath.h"
#include "preview/toolpathloading.h"
#include "preview/toolpathpainter.h"
#include "preview/toolpathview.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int vertexCount = 1000000;

// One spiral of a million vertices: every pixel of the picture holds many.
void addSpiral(Drawing &drawing)
{
    DrawingObject *spiral = drawing.addObject();
    for (int i = 0; i < vertexCount; ++i) {
        const double angle = i * 2 * pi / 2000;
        const double radius = 1 + 400.0 * i / vertexCount;
        spiral->appendPoint(QPointF(500 + radius * std::cos(angle), 500 + radius * std::sin(angle)));
    }
}

// A hundred thousand small parts of ten vertices strewn over a sheet, with
// a travel move before each.
void addParts(Drawing &drawing)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> place(0, 1000);
    for (int part = 0; part < vertexCount / 10; ++part) {
        DrawingObject *object = drawing.addObject();
        const QPointF centre(place(random), place(random));
        for (int i = 0; i < 10; ++i) {
            const double angle = 2 * pi * i / 9;
            object->appendPoint(centre + QPointF(std::cos(angle), std::sin(angle)) * 1.5);
        }
    }
}

// As an HPGL plot, which keeps each object apart (a G-code file reads
// back as one): 40 plotter units a millimetre.
QString writtenDrawing(const char *name, void (*fill)(Drawing &))
{
    Drawing drawing;
    fill(drawing);
    const QString path = QDir(benchDirectory()).filePath(QLatin1String(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray plot = "IN;";
    const auto units = [](double mm) { return QByteArray::number(qRound64(mm * 40)); };
    for (const DrawingObject &object : drawing.objects()) {
        const DrawingPoint *first = object.points.first();
        plot += "PU" + units(first->x) + ',' + units(first->y) + ";PD";
        bool separate = false;
        for (const DrawingPoint *point : object.points) {
            if (point == first)
                continue;
            plot += (separate ? "," : "") + units(point->x) + ',' + units(point->y);
            separate = true;
        }
        plot += ";\n";
        if (plot.size() > (1 << 20)) {
            file.write(plot);
            plot.clear();
        }
    }
    file.write(plot);
    return path;
}

// Processor time this process has used, in seconds: on a shared machine
// steadier than the clock on the wall.
double processorSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// The slowest of several repaints of the whole window area, by the clock
// and in processor time, in milliseconds.
void reportSlowestRepaint(const char *name, const Toolpath &toolpath, const ToolpathView &view, QImage &image)
{
    double slowest = 0, slowestProcessor = 0;
    for (int i = 0; i < 5; ++i) {
        const Stopwatch watch;
        const double processorStart = processorSeconds();
        QPainter painter(&image);
        paintToolpath(painter, image.rect(), toolpath, view);
        painter.end();
        slowest = std::max(slowest, watch.seconds());
        slowestProcessor = std::max(slowestProcessor, processorSeconds() - processorStart);
    }
    reportFigure(name, slowest * 1000, "ms", 50, false);
    reportFigure("    in processor time", slowestProcessor * 1000, "ms", 50, false);
}

void measure(const char *name, void (*fill)(Drawing &))
{
    const QString path = writtenDrawing(name, fill);
    const Stopwatch opening;
    const LoadedToolpath loaded = loadToolpath(path, ConversionOptions());
    const double openSeconds = opening.seconds();
    if (!loaded.result.succeeded())
        qFatal("cannot read %s", qPrintable(path));
    std::printf("%s: %lld objects, %lld vertices\n", name, loaded.toolpath.figures.objects,
                loaded.toolpath.figures.vertices);
    reportFigure("  open (read, check, keep the toolpath)", openSeconds * 1000, "ms", 1000, false);

    QImage image(1200, 900, QImage::Format_ARGB32_Premultiplied);
    ToolpathView view;
    view.fit(loaded.toolpath.extent(), image.size(), 30);
    reportSlowestRepaint("  repaint, fitted", loaded.toolpath, view, image);
    ToolpathView zoomed = view;
    zoomed.zoomAbout(QPointF(600, 450), 8);
    reportSlowestRepaint("  repaint, zoomed in 8 times", loaded.toolpath, zoomed, image);
    ToolpathView far = view;
    far.zoomAbout(QPointF(600, 450), 1.0 / 50);
    reportSlowestRepaint("  repaint, zoomed out 50 times", loaded.toolpath, far, image);
    QFile::remove(path);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    measure("spiral.plt", addSpiral);
    measure("parts.plt", addParts);
    return 0;
}
