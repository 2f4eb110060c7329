#pragma once

#include <QMatrix>
#include <QStringView>

// The matrix of an SVG transform list such as
// "translate(10,20) rotate(45) scale(2)". Each transform acts on points
// before the ones written to its left. The first error ends the list; the
// transforms before it are kept. An empty text gives the identity.
QMatrix parseTransform(QStringView text);
