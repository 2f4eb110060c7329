// Travel of generated drawings and of the examples in file order, in plain
// nearest-neighbour order and in the order the ordering option writes, and
// the time the ordering takes.

#include "benchsupport.h"

#include "drawing/drawing.h"
#include "drawing/drawingfigures.h"
#include "drawing/travelorder.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include <time.h>

namespace {

constexpr double pi = 3.14159265358979323846;

void addRing(Drawing &drawing, QPointF centre, double radius, int vertices)
{
    DrawingObject *ring = drawing.addObject();
    for (int i = 0; i <= vertices; ++i) {
        const double angle = 2 * pi * (i % vertices) / vertices;
        ring->appendPoint(centre + QPointF(radius * std::cos(angle), radius * std::sin(angle)));
    }
}

void addRectangle(Drawing &drawing, QPointF corner, double width, double height)
{
    DrawingObject *outline = drawing.addObject();
    for (const QPointF p : {QPointF(0, 0), QPointF(width, 0), QPointF(width, height), QPointF(0, height), QPointF(0, 0)})
        outline->appendPoint(corner + p);
}

// Small parts strewn over a sheet in no order: rings, rectangles and open
// strokes, as a drawing put together by hand.
std::unique_ptr<Drawing> scatteredParts(int objects)
{
    std::mt19937_64 random(7);
    const double side = std::sqrt(double(objects)) * 30;
    std::uniform_real_distribution<double> place(0, side);
    std::uniform_real_distribution<double> size(2, 12);
    std::uniform_int_distribution<int> kind(0, 2);
    auto drawing = std::make_unique<Drawing>();
    for (int i = 0; i < objects; ++i) {
        const QPointF at(place(random), place(random));
        switch (kind(random)) {
        case 0:
            addRing(*drawing, at, size(random) / 2, 16);
            break;
        case 1:
            addRectangle(*drawing, at, size(random), size(random));
            break;
        default: {
            DrawingObject *stroke = drawing->addObject();
            stroke->appendPoint(at);
            stroke->appendPoint(at + QPointF(size(random), size(random) / 2));
            stroke->appendPoint(at + QPointF(size(random), -size(random)));
        }
        }
    }
    return drawing;
}

// Parts nested in rows on a sheet, each an outline with holes, written as a
// nesting program lays them out: every outline first, then every hole.
std::unique_ptr<Drawing> nestedSheet(int objects)
{
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> holeCount(1, 4);
    auto drawing = std::make_unique<Drawing>();
    const int parts = objects / 3;
    const int perRow = std::max(1, int(std::sqrt(double(parts))));
    std::vector<std::pair<QPointF, int>> placed;
    for (int i = 0; i < parts; ++i) {
        const QPointF corner((i % perRow) * 42.0, (i / perRow) * 42.0);
        addRectangle(*drawing, corner, 40, 40);
        placed.emplace_back(corner, holeCount(random));
    }
    int holes = drawing->objects().size();
    for (const auto &part : placed) {
        for (int h = 0; h < part.second && holes < objects; ++h, ++holes)
            addRing(*drawing, part.first + QPointF(8 + 8 * h, 8 + 6 * (h % 2) * 3), 3, 24);
    }
    while (drawing->objects().size() < objects)
        addRing(*drawing, QPointF(-20, drawing->objects().size() % 1000 * 5.0), 2, 12);
    return drawing;
}

// Hatching of several regions: parallel strokes, each drawn left to right,
// region after region.
std::unique_ptr<Drawing> hatching(int objects)
{
    auto drawing = std::make_unique<Drawing>();
    const int perRegion = 200;
    const int regionsPerRow = std::max(1, int(std::sqrt(double(objects) / perRegion)));
    for (int i = 0; i < objects; ++i) {
        const int region = i / perRegion;
        const QPointF origin((region % regionsPerRow) * 110.0, (region / regionsPerRow) * 110.0);
        const double y = (i % perRegion) * 0.5;
        DrawingObject *stroke = drawing->addObject();
        stroke->appendPoint(origin + QPointF(0, y));
        stroke->appendPoint(origin + QPointF(100, y));
    }
    return drawing;
}

bool scatteredTargets = false;

// The processor time this thread has used: on a shared machine the clock on
// the wall also counts the time others take.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void measure(const QByteArray &name, const Drawing &drawing)
{
    const double fileOrder = figuresOf(drawing).travelLength;
    Stopwatch greedyClock;
    const double greedy = travelLength(drawing, nearestNeighbourTour(drawing));
    const double greedySeconds = greedyClock.seconds();
    Stopwatch clock;
    const double processorStart = threadSeconds();
    const Tour tour = shortTravelTour(drawing, ConversionOptions().orderBudgetSeconds);
    const double seconds = clock.seconds();
    const double processorSeconds = threadSeconds() - processorStart;
    const double ordered = travelLength(drawing, tour);
    const auto below = [](double shorter, double longer) { return longer > 0 ? 100 * (1 - shorter / longer) : 0; };
    std::printf("%s (%d objects)\n", name.constData(), drawing.objects().size());
    reportFigure("  travel in file order", fileOrder, "mm");
    reportFigure("  travel, nearest neighbour", greedy, "mm");
    reportFigure("  travel, ordered", ordered, "mm");
    reportFigure("  less than nearest neighbour", below(ordered, greedy), "%", scatteredTargets ? 5 : 0);
    reportFigure("  less than file order", below(ordered, fileOrder), "%", scatteredTargets ? 30 : 0);
    reportFigure("  nearest neighbour time", greedySeconds, "s");
    reportFigure("  ordering time", seconds, "s", drawing.objects().size() >= 100000 ? 2 : 0, false);
    reportFigure("  ordering processor time", processorSeconds, "s");
}

} // namespace

// With object counts as arguments, only generated drawings of those sizes.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    const bool withExamples = sizes.empty();
    if (sizes.empty())
        sizes = {1000, 10000, 100000};
    for (const int objects : sizes) {
        const QByteArray count = QByteArray::number(objects);
        scatteredTargets = true;
        measure("scattered parts " + count, *scatteredParts(objects));
        scatteredTargets = false;
        measure("nested-parts sheet " + count, *nestedSheet(objects));
        measure("hatching " + count, *hatching(objects));
    }
    if (!withExamples)
        return 0;
    const QDir examples(QStringLiteral(TRAVINA_EXAMPLES_DIR));
    for (const QString &name : examples.entryList(QDir::Files, QDir::Name)) {
        Drawing drawing;
        if (readDrawing(examples.filePath(name), drawing))
            measure("examples/" + name.toUtf8(), drawing);
    }
    return 0;
}
