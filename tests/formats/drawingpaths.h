#pragma once

#include <QByteArray>

// Path elements as a drawing program writes them, square after square on a
// sheet of a metre, with a style of its own on each: about `bytes` bytes
// that deflate to a fifteenth of their size, as real SVGZ files do.
inline QByteArray drawingPaths(int bytes, int *count = nullptr)
{
    auto threeDigits = [](quint32 value) { return QByteArray::number(value).rightJustified(3, '0'); };
    QByteArray paths;
    paths.reserve(bytes + 200);
    quint32 seed = 1;
    int i = 0;
    for (; paths.size() < bytes; ++i) {
        seed = seed * 1103515245u + 12345u;
        const quint32 r = (seed >> 8) % 1000000;
        paths += "<path style=\"fill:none;stroke:#000000;stroke-width:0.264583px;stroke-linecap:butt;"
                 "stroke-linejoin:miter\" d=\"M "
            + QByteArray::number(i % 1000) + '.' + threeDigits(r % 1000) + ',' + QByteArray::number(r / 1000 % 1000)
            + '.' + threeDigits(r * 7 % 1000) + " h 5 v 5 h -5 z\"/>\n";
    }
    if (count)
        *count = i;
    return paths;
}
