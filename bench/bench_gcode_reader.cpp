// G-code reader throughput on a 100 MB file, with its result checked
// against a plain line-by-line reader.

#include "benchsupport.h"

#include "drawing/drawing.h"
#include "formats/gcode/reader.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <random>

namespace {

QString makeInput(qint64 targetBytes)
{
    const QString path = QDir(benchDirectory()).filePath(QStringLiteral("reader-input.tap"));
    if (QFileInfo(path).size() >= targetBytes)
        return path;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coordinate(-1500, 1500);
    QByteArray chunk;
    qint64 written = 0;
    int line = 0;
    while (written < targetBytes) {
        if (line % 50 == 0)
            chunk += "Z10\nG0 X" + QByteArray::number(coordinate(random), 'f', 6) + " Y"
                + QByteArray::number(coordinate(random), 'f', 6) + "\nZ0\n";
        chunk += "X" + QByteArray::number(coordinate(random), 'f', 6) + " Y"
            + QByteArray::number(coordinate(random), 'f', 6) + "\n";
        ++line;
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            written += chunk.size();
            chunk.clear();
        }
    }
    file.write(chunk);
    return path;
}

// The obvious way to read the same lines.
QVector<QPointF> readPlainly(const QString &path)
{
    QVector<QPointF> points;
    QFile file(path);
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    QTextStream in(&file);
    double x = 0, y = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.startsWith(QLatin1Char('X')) && !line.startsWith(QLatin1Char('Y')))
            continue;
        for (const QString &piece : line.split(QLatin1Char(' '))) {
            if (piece.startsWith(QLatin1Char('X')))
                x = piece.mid(1).toDouble();
            else if (piece.startsWith(QLatin1Char('Y')))
                y = piece.mid(1).toDouble();
        }
        points.append(QPointF(x, y));
    }
    return points;
}

} // namespace

int main()
{
    const QString path = makeInput(100ll << 20);
    const double megabytes = QFileInfo(path).size() / double(1 << 20);

    double seconds = 1e9;
    int count = 0;
    for (int round = 0; round < 3; ++round) {
        Drawing drawing;
        Stopwatch watch;
        readGCode(path, drawing);
        seconds = std::min(seconds, watch.seconds());
        count = drawing.objects().first().points.size();
    }

    Drawing drawing;
    readGCode(path, drawing);
    Stopwatch plainWatch;
    const QVector<QPointF> expected = readPlainly(path);
    const double plainSeconds = plainWatch.seconds();
    bool same = expected.size() == count;
    int i = 0;
    for (const DrawingPoint *point : drawing.objects().first().points) {
        if (!same)
            break;
        same = point->x == expected.at(i).x() && point->y == expected.at(i).y();
        ++i;
    }

    std::printf("G-code reader, %.1f MB, %d vertices (best of 3)\n", megabytes, count);
    reportFigure("reader throughput", megabytes / seconds, "MB/s", 100);
    reportFigure("QTextStream reader throughput", megabytes / plainSeconds, "MB/s");
    std::printf("%-48s %14s\n", "same points as the plain reader", same ? "yes" : "NO");
    return same ? 0 : 1;
}
