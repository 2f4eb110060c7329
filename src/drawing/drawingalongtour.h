#pragma once

#include "travelorder.h"

#include <memory>

class Drawing;

// Where a stroke that starts at most this far from the end of the one
// before (in the drawing's unit) continues it without lifting the tool.
constexpr double touchingDistance = 0.001;

// A new drawing with the objects of drawing in the order and direction the
// tour takes them, and the same bounds. With joinTouching, an object that
// starts where the one before ends becomes part of it: a joint vertex
// both share is written once, and two that merely lie within
// touchingDistance are both kept, so that no vertex moves.
std::unique_ptr<Drawing> drawingAlongTour(const Drawing &drawing, const Tour &tour, bool joinTouching);
