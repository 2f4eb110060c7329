#pragma once

// What one fuzz input exercises, shared by the libFuzzer targets and by the
// regression test that replays their corpora in every build.

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"
#include "drawing/painterpathflattening.h"
#include "formats/formatoptions.h"
#include "formats/svg/pathdata.h"
#include "formats/svg/reader.h"
#include "formats/svg/transform.h"
#include "formats/svg/units.h"
#include "formats/svg/viewbox.h"

#include <QFile>
#include <QString>

#include <cstddef>

// The input as attribute text: path data, flattened as the reader would,
// a transform list, a length and a viewBox with its alignment.
inline void fuzzSvgGrammar(const char *data, std::size_t size)
{
    const QString text = QString::fromUtf8(data, int(size));
    CheckedPainterPath path;
    parsePathData(text, path);
    Drawing drawing;
    appendPainterPath(path, drawing, nullptr);
    parseTransform(text).map(QPointF(1, 2));
    double number = 0;
    unitsPerMillimetre(text, &number);
    QRectF box;
    if (parseViewBox(text, box))
        viewBoxMapping(box, 10, 20, text);
}

// The input as a whole file, plain or compressed, written to `scratchPath`,
// read as the reader reads it and as a browser shows it.
inline bool fuzzSvgDocument(const char *data, std::size_t size, const QString &scratchPath)
{
    QFile file(scratchPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(scratchPath));
    file.write(data, qint64(size));
    file.close();
    ConversionOptions options;
    Drawing drawing;
    const bool read = readSvg(scratchPath, drawing);
    options.svgAsBrowserShows = true;
    const ScopedConversionOptions asBrowserShows(options);
    Drawing shown;
    readSvg(scratchPath, shown);
    return read;
}
