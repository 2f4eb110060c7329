#pragma once

class Drawing;
class DrawingNotes;
struct DxfReaderState;

// $INSUNITS: the unit of every coordinate read after it. A code without a
// known unit keeps the unit in force; a variable without a readable code is
// read as inches.
void applyInsUnits(DxfReaderState &state, const Drawing &drawing);

// The unit the file did not give, and the one taken instead.
void addUnitNote(const DxfReaderState &state, DrawingNotes &notes);

// $SPLINESEGS: the spline resolution, when the options let the file choose
// it. A value outside what the variable allows keeps the option's value.
void applySplineSegments(DxfReaderState &state);

// The spline resolution the options ask for. The settings store hands on
// whatever number it holds, so one above what the variable allows is held
// to that limit.
int optionSplineSegments(int segments);
