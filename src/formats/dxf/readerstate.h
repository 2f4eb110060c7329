#pragma once

#include "blocktable.h"
#include "grouptable.h"
#include "notetally.h"
#include "records.h"
#include "unitchoice.h"

#include <QPointF>
#include <QTransform>

#include <vector>

class DrawingObject;
class DxfBlockPlacer;

// Where the names after group 0 are entities: in the ENTITIES and BLOCKS
// sections, and in a file without sections.
enum class DxfSection {
    Outside,
    Entities,
    Other, // header, classes, tables, objects: records that are no entities
};

// Where the unit of the coordinates came from.
enum class DxfUnitSource {
    Missing,  // no $INSUNITS so far: the unit chosen for it
    Given,    // a code of the table
    Unitless, // code 0: millimetres, or the unit chosen for it
    Unusable, // no code or no readable one: inches
};

struct DxfOffset
{
    double x = 0;
    double y = 0;
    double z = 0;
};

// Everything one reading of a DXF file keeps between pairs.
struct DxfReaderState
{
    DxfGroupTable groups;
    DxfUnitChoice unitChoice = dxfUnitChoice(QStringLiteral("inch"));
    double unitFactor = 25.4; // a file without $INSUNITS is in the chosen unit
    DxfUnitSource unitSource = DxfUnitSource::Missing;
    bool drawnBeforeUnit = false; // entities were read in inches before $INSUNITS came
    DxfOffset blockOffset;
    int splineSegments = 8; // line points per spline control point
    DxfSection section = DxfSection::Outside;

    // The conversion options, read once for the file.
    int optionSplineSegments = 8;
    bool splineSegmentsFromFile = true;

    // The repeated groups of the entity being read, emptied at every entity
    // boundary; its count group announces how many records follow.
    DxfRecords<4> polylineVertices; // x, y, z, bulge as read
    DxfRecords<1> splineKnots;
    DxfRecords<3> splineControlPoints; // x, y, z as read

    // With blocks placed, a POLYLINE is drawn once its last vertex came:
    // its vertices as read, a NaN x where one could not be read.
    bool polylineOpen = false;
    std::vector<std::array<double, 4>> polylinePoints; // x, y, z in millimetres, bulge

    DrawingObject *polylineObject = nullptr; // what VERTEX entities extend
    bool polylineBroken = false; // the next vertex starts a new object
    bool polylineClosed = false; // its flags ask for a closing segment
    bool polylineBulged = false; // a segment is drawn straight although its vertex has a bulge
    bool polylineBulgeAhead = false; // the last vertex has a bulge

    DxfBlockTable blocks;
    bool skippingBlock = false; // the block being read has no readable base point

    DxfNoteTally notes;

    // Blocks drawn where the drawing inserts them (the option): INSERT is
    // handed to the placer, and the entities of a block, read again for
    // each of its copies, are mapped by `placement` from their coordinates
    // in millimetres into the drawing's.
    bool placeBlocks = false;
    DxfBlockPlacer *placer = nullptr;
    int depth = 0; // how many INSERTs deep the entities are read
    bool placed = false;
    QTransform placement;
    double curveScale = 1; // how much `placement` enlarges a curve at most
    // Farthest a curve may lie from its lines, in millimetres; 0 keeps the
    // fixed point counts.
    double curveTolerance = 0;

    // File coordinates in millimetres, shifted by the block being read.
    double toMillimetresX(double x) const { return x * unitFactor + blockOffset.x; }
    double toMillimetresY(double y) const { return y * unitFactor + blockOffset.y; }
    double toMillimetresZ(double z) const { return z * unitFactor + blockOffset.z; }
    QPointF toMillimetres(double x, double y) const { return QPointF(toMillimetresX(x), toMillimetresY(y)); }

    // The position held by the groups (code, code + 10).
    QPointF position(int code) const { return toMillimetres(groups.number(code), groups.number(code + 10)); }
};
