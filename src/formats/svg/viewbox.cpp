#include "viewbox.h"

#include "units.h"

#include <QString>
#include <QVector>

#include <cmath>

namespace {

// Where the scaled viewBox sits inside the page: 0 at the start, 0.5 in the
// middle, 1 at the end of each axis.
struct Alignment
{
    bool uniform = true;
    double x = 0.5;
    double y = 0.5;
    bool slice = false;
};

bool readAxisAlignment(QStringView text, double &alignment)
{
    if (text == QLatin1String("Min"))
        alignment = 0;
    else if (text == QLatin1String("Mid"))
        alignment = 0.5;
    else if (text == QLatin1String("Max"))
        alignment = 1;
    else
        return false;
    return true;
}

bool readAlign(QStringView text, Alignment &alignment)
{
    if (text == QLatin1String("none")) {
        alignment.uniform = false;
        return true;
    }
    return text.size() == 8 && text.at(0) == QLatin1Char('x') && text.at(4) == QLatin1Char('Y')
           && readAxisAlignment(text.mid(1, 3), alignment.x) && readAxisAlignment(text.mid(5, 3), alignment.y);
}

// "[defer] <align> [meet | slice]"; anything else is the default, and
// false in `read` unless the text is empty.
Alignment parseAlignment(QStringView text, bool &read)
{
    const QString simplified = text.toString().simplified();
    const QVector<QStringRef> words = simplified.splitRef(QLatin1Char(' '), Qt::SkipEmptyParts);
    read = words.isEmpty();
    Alignment alignment;
    int i = 0;
    if (i < words.size() && words.at(i) == QLatin1String("defer"))
        ++i;
    if (i == words.size() || !readAlign(words.at(i), alignment))
        return Alignment();
    ++i;
    if (i < words.size() && (words.at(i) == QLatin1String("meet") || words.at(i) == QLatin1String("slice"))) {
        alignment.slice = words.at(i) == QLatin1String("slice");
        ++i;
    }
    if (i != words.size())
        return Alignment();
    read = true;
    return alignment;
}

} // namespace

bool parseViewBox(QStringView text, QRectF &box)
{
    QString separated = text.toString();
    for (QChar &c : separated) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            c = QLatin1Char(',');
    }
    const QVector<QStringRef> pieces = separated.splitRef(QLatin1Char(','), Qt::SkipEmptyParts);
    if (pieces.size() != 4)
        return false;
    double values[4];
    for (int i = 0; i < 4; ++i) {
        const QStringView piece = QStringView(pieces.at(i)).trimmed();
        double number = 0;
        const double factor = unitsPerMillimetre(piece, &number);
        values[i] = number / factor;
        if (!std::isfinite(values[i]))
            return false;
    }
    if (!(values[2] > 0 && values[3] > 0))
        return false;
    box = QRectF(values[0], values[1], values[2], values[3]);
    return true;
}

ViewBoxMapping viewBoxMapping(const QRectF &box, double pageWidth, double pageHeight,
                              QStringView preserveAspectRatio, bool *alignmentRead)
{
    bool read = true;
    const Alignment alignment = parseAlignment(preserveAspectRatio.trimmed(), read);
    if (alignmentRead)
        *alignmentRead = read;
    ViewBoxMapping mapping;
    mapping.offsetX = box.x();
    mapping.offsetY = box.y();
    mapping.scaleX = pageWidth / box.width();
    mapping.scaleY = pageHeight / box.height();
    if (alignment.uniform) {
        const bool useX = alignment.slice ? mapping.scaleX > mapping.scaleY : mapping.scaleX < mapping.scaleY;
        const double scale = useX ? mapping.scaleX : mapping.scaleY;
        mapping.scaleX = scale;
        mapping.scaleY = scale;
        mapping.shiftX = (pageWidth - box.width() * scale) * alignment.x;
        mapping.shiftY = (pageHeight - box.height() * scale) * alignment.y;
    }
    return mapping;
}
