#pragma once

#include "shapes.h"

#include <QStringView>

// What the reader does with an SVG element, told by its local name.
enum class SvgElementRole {
    Document,  // "svg": sizes and viewBox
    Group,     // "g": a transform for what it holds
    Shape,     // drawn
    Definitions, // holds shapes the file shows only where it refers to them
    Silent,    // structure, description, styling, animation: nothing to draw
    NotDrawn,  // draws something in SVG, but not here (text, use, image, unknown elements)
};

struct SvgElementKind
{
    SvgElementRole role;
    SvgShape shape; // for Shape
};

SvgElementKind svgElementKind(QStringView localName);
