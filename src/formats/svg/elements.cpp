#include "elements.h"

#include <QLatin1String>

#include <algorithm>
#include <iterator>

namespace {

// Sorted, for a binary search: SVG elements that draw nothing themselves.
// The contents of text (tspan and the like) are part of the text, which
// is noted by itself.
const char *const silentElements[] = {
    "a", "altGlyph", "altGlyphDef", "altGlyphItem", "animate", "animateColor", "animateMotion",
    "animateTransform", "color-profile", "cursor", "desc", "discard", "feBlend", "feColorMatrix",
    "feComponentTransfer", "feComposite", "feConvolveMatrix", "feDiffuseLighting", "feDisplacementMap",
    "feDistantLight", "feDropShadow", "feFlood", "feFuncA", "feFuncB", "feFuncG", "feFuncR", "feGaussianBlur",
    "feImage", "feMerge", "feMergeNode", "feMorphology", "feOffset", "fePointLight", "feSpecularLighting",
    "feSpotLight", "feTile", "feTurbulence", "filter", "font", "font-face", "font-face-format", "font-face-name",
    "font-face-src", "font-face-uri", "glyph", "glyphRef", "hatch", "hatchpath", "hkern", "linearGradient",
    "meshgradient", "meshpatch", "meshrow", "metadata", "missing-glyph", "mpath", "radialGradient", "script",
    "set", "solidcolor", "stop", "style", "switch", "textPath", "title", "tref", "tspan", "view", "vkern",
};

bool isSilent(QStringView name)
{
    const auto less = [](const char *element, QStringView key) {
        return QStringView(key).compare(QLatin1String(element)) > 0;
    };
    const auto *end = std::end(silentElements);
    const auto *found = std::lower_bound(std::begin(silentElements), end, name, less);
    return found != end && name == QLatin1String(*found);
}

bool isDefinitions(QStringView name)
{
    return name == QLatin1String("defs") || name == QLatin1String("symbol") || name == QLatin1String("clipPath")
           || name == QLatin1String("mask") || name == QLatin1String("marker") || name == QLatin1String("pattern");
}

// Compared here rather than by the library: this runs for every element.
template<std::size_t size>
bool is(QStringView name, const char (&word)[size])
{
    if (name.size() != qsizetype(size - 1))
        return false;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        if (name[qsizetype(i)].unicode() != ushort(word[i]))
            return false;
    }
    return true;
}

} // namespace

SvgElementKind svgElementKind(QStringView name)
{
    // The shapes and groups first: nearly every element is one of them.
    if (is(name, "path"))
        return {SvgElementRole::Shape, SvgShape::Path};
    if (is(name, "g"))
        return {SvgElementRole::Group, SvgShape::Path};
    if (is(name, "rect"))
        return {SvgElementRole::Shape, SvgShape::Rect};
    if (is(name, "circle"))
        return {SvgElementRole::Shape, SvgShape::Circle};
    if (is(name, "ellipse"))
        return {SvgElementRole::Shape, SvgShape::Ellipse};
    if (is(name, "line"))
        return {SvgElementRole::Shape, SvgShape::Line};
    if (is(name, "polyline"))
        return {SvgElementRole::Shape, SvgShape::Polyline};
    if (is(name, "polygon"))
        return {SvgElementRole::Shape, SvgShape::Polygon};
    if (is(name, "svg"))
        return {SvgElementRole::Document, SvgShape::Path};
    if (isDefinitions(name))
        return {SvgElementRole::Definitions, SvgShape::Path};
    if (isSilent(name))
        return {SvgElementRole::Silent, SvgShape::Path};
    return {SvgElementRole::NotDrawn, SvgShape::Path};
}
