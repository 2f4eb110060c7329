// G-code writer throughput against a plain QTextStream writer, with a check
// that both write the same bytes.

#include "benchsupport.h"

#include "drawing/drawing.h"
#include "formats/formatoptions.h"
#include "formats/gcode/writer.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

namespace {

void fillDrawing(Drawing &drawing, int vertices)
{
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> coordinate(-1500, 1500);
    std::uniform_int_distribution<int> objectSize(2, 200);
    // Values where fixed notation is easy to get wrong.
    const double awkward[] = {-0.0, 0.0078125, -0.0078125, 0.9999995, -1e-7, 1e300, -1e300,
                              std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL, 123456789.125};
    int written = 0;
    for (double value : awkward) {
        drawing.addObject()->appendPoint(QPointF(value, -value));
        ++written;
    }
    while (written < vertices) {
        DrawingObject *object = drawing.addObject();
        const int size = std::min(objectSize(random), vertices - written);
        for (int i = 0; i < size; ++i)
            object->appendPoint(QPointF(coordinate(random), coordinate(random)));
        written += size;
    }
}

// The obvious way to write the same file.
bool writeWithTextStream(const QString &path, const Drawing &drawing)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    auto vertex = [](const DrawingPoint *p) {
        return QStringLiteral("X") + QString::number(p->x, 'f', 6) + QStringLiteral(" Y") + QString::number(p->y, 'f', 6);
    };
    bool first = true;
    for (const DrawingObject &object : drawing.objects()) {
        if (object.points.isEmpty())
            continue;
        QString block = first ? initTemplate : middleTemplate;
        first = false;
        out << block.replace(QStringLiteral("{NextPoint}"), vertex(object.points.first())) << "\n";
        for (const DrawingPoint *point : object.points)
            out << "X" << QString::number(point->x, 'f', 6) << " Y" << QString::number(point->y, 'f', 6) << "\n";
    }
    out << finishTemplate << "\n";
    return true;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

int main()
{
    const int vertices = 5000000;
    Drawing drawing;
    fillDrawing(drawing, vertices);
    const QString fast = QDir(benchDirectory()).filePath(QStringLiteral("writer-fast.tap"));
    const QString plain = QDir(benchDirectory()).filePath(QStringLiteral("writer-plain.tap"));

    double fastSeconds = 1e9;
    for (int round = 0; round < 3; ++round) {
        Stopwatch watch;
        if (!writeGCode(fast, drawing)) {
            std::fprintf(stderr, "writing failed\n");
            return 1;
        }
        fastSeconds = std::min(fastSeconds, watch.seconds());
    }
    Stopwatch watch;
    writeWithTextStream(plain, drawing);
    const double plainSeconds = watch.seconds();

    const bool identical = contents(fast) == contents(plain);
    std::printf("G-code writer, %d vertices (best of 3)\n", vertices);
    reportFigure("writer vertices per second", vertices / fastSeconds, "vertices/s", 5e6);
    reportFigure("QTextStream writer vertices per second", vertices / plainSeconds, "vertices/s");
    reportFigure("speed-up over QTextStream", plainSeconds / fastSeconds, "x", 3);
    std::printf("%-48s %14s\n", "byte-identical output", identical ? "yes" : "NO");
    QFile::remove(fast);
    QFile::remove(plain);
    return identical ? 0 : 1;
}
