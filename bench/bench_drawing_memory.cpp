// Peak memory of a drawing of 10 million vertices, in a fresh child
// process per shape of drawing.

#include "benchsupport.h"

#include "drawing/drawing.h"

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int vertices = 10000000;

void build(int pointsPerObject)
{
    Drawing drawing;
    DrawingObject *object = nullptr;
    for (int i = 0; i < vertices; ++i) {
        if (i % pointsPerObject == 0)
            object = drawing.addObject();
        object->appendPoint(QPointF(i, -i));
    }
}

double bytesPerVertex(int pointsPerObject)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        const long long before = residentBytes();
        build(pointsPerObject);
        const double perVertex = double(peakResidentBytes() - before) / vertices;
        if (write(pipeEnds[1], &perVertex, sizeof perVertex) != sizeof perVertex)
            _exit(1);
        _exit(0);
    }
    double perVertex = -1;
    if (read(pipeEnds[0], &perVertex, sizeof perVertex) != sizeof perVertex)
        perVertex = -1;
    waitpid(child, nullptr, 0);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return perVertex;
}

} // namespace

int main()
{
    std::printf("Drawing memory, %d vertices, peak resident memory per vertex\n", vertices);
    reportFigure("one polyline", bytesPerVertex(vertices), "bytes", 48, false);
    reportFigure("polylines of 10 points", bytesPerVertex(10), "bytes", 48, false);
    reportFigure("two-point lines", bytesPerVertex(2), "bytes", 48, false);
    return 0;
}
