#include "transform.h"

#include "numbers.h"

#include <cmath>
#include <string>

namespace {

constexpr double radiansPerDegree = 0.017453292519943295;

enum class TransformKind { Matrix, Translate, Rotate, Scale, SkewX, SkewY, Unknown };

struct Keyword
{
    const char *text;
    TransformKind kind;
};

const Keyword keywords[] = {
    {"matrix", TransformKind::Matrix}, {"translate", TransformKind::Translate}, {"rotate", TransformKind::Rotate},
    {"scale", TransformKind::Scale},   {"skewX", TransformKind::SkewX},         {"skewY", TransformKind::SkewY},
};

bool startsWith(const QChar *cursor, const QChar *end, const char *word)
{
    for (; *word; ++word, ++cursor) {
        if (cursor == end || cursor->unicode() != ushort(*word))
            return false;
    }
    return true;
}

TransformKind readKeyword(const QChar *&cursor, const QChar *end)
{
    for (const Keyword &keyword : keywords) {
        if (startsWith(cursor, end, keyword.text)) {
            cursor += std::char_traits<char>::length(keyword.text);
            return keyword.kind;
        }
    }
    return TransformKind::Unknown;
}

// Reads "(numbers)"; false when either bracket is missing.
bool readArguments(const QChar *&cursor, const QChar *end, NumberBuffer &arguments)
{
    skipSpaces(cursor, end);
    if (cursor == end || *cursor != QLatin1Char('('))
        return false;
    ++cursor;
    parseNumberList(cursor, end, arguments);
    if (cursor == end || *cursor != QLatin1Char(')'))
        return false;
    ++cursor;
    return true;
}

// Composes the transform so that it acts before what `matrix` already
// holds; false for a count of arguments the kind does not take.
bool applyTransform(QMatrix &matrix, TransformKind kind, const NumberBuffer &a)
{
    const int n = a.size();
    switch (kind) {
    case TransformKind::Matrix:
        if (n != 6)
            return false;
        matrix = QMatrix(a[0], a[1], a[2], a[3], a[4], a[5]) * matrix;
        return true;
    case TransformKind::Translate:
        if (n != 1 && n != 2)
            return false;
        matrix.translate(a[0], n == 2 ? a[1] : 0.0);
        return true;
    case TransformKind::Rotate:
        if (n != 1 && n != 3)
            return false;
        if (n == 3)
            matrix.translate(a[1], a[2]);
        matrix.rotate(a[0]);
        if (n == 3)
            matrix.translate(-a[1], -a[2]);
        return true;
    case TransformKind::Scale:
        if (n != 1 && n != 2)
            return false;
        matrix.scale(a[0], n == 2 ? a[1] : a[0]);
        return true;
    case TransformKind::SkewX:
        if (n != 1)
            return false;
        matrix.shear(std::tan(a[0] * radiansPerDegree), 0);
        return true;
    case TransformKind::SkewY:
        if (n != 1)
            return false;
        matrix.shear(0, std::tan(a[0] * radiansPerDegree));
        return true;
    case TransformKind::Unknown:
        break;
    }
    return false;
}

} // namespace

QMatrix parseTransform(QStringView text)
{
    QMatrix matrix;
    const QChar *cursor = text.begin();
    const QChar *end = text.end();
    NumberBuffer arguments;
    while (cursor != end) {
        if (cursor->isSpace() || *cursor == QLatin1Char(',')) {
            ++cursor;
            continue;
        }
        const TransformKind kind = readKeyword(cursor, end);
        arguments.clear();
        if (kind == TransformKind::Unknown || !readArguments(cursor, end, arguments)
            || !applyTransform(matrix, kind, arguments))
            break;
    }
    return matrix;
}
