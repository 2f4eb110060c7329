#include "entitykind.h"

namespace {

struct NamedKind
{
    const char *name;
    DxfKind kind;
};

const NamedKind namedKinds[] = {
    {"LINE", DxfKind::Line},
    {"LWPOLYLINE", DxfKind::LightweightPolyline},
    {"VERTEX", DxfKind::Vertex},
    {"ARC", DxfKind::Arc},
    {"CIRCLE", DxfKind::Circle},
    {"POLYLINE", DxfKind::Polyline},
    {"SPLINE", DxfKind::Spline},
    {"HELIX", DxfKind::Spline}, // a helix starts as a spline until its marker
    {"ELLIPSE", DxfKind::Ellipse},
    {"POINT", DxfKind::Point},
    {"LAYER", DxfKind::Layer},
    {"BLOCK", DxfKind::Block},
    {"ENDBLK", DxfKind::EndBlock},
    {"INSERT", DxfKind::Insert},
    {"TEXT", DxfKind::Ignored},
    {"MTEXT", DxfKind::Ignored},
    {"ATTRIB", DxfKind::Ignored},
    {"DIMENSION", DxfKind::Ignored},
    {"LEADER", DxfKind::Ignored},
    {"HATCH", DxfKind::Ignored},
    {"IMAGE", DxfKind::Ignored},
    {"IMAGEDEF", DxfKind::Ignored},
    {"TRACE", DxfKind::Ignored},
    {"SOLID", DxfKind::Ignored},
    {"3DFACE", DxfKind::Ignored},
    {"SEQEND", DxfKind::SequenceEnd},
    {"SECTION", DxfKind::Section},
    {"ENDSEC", DxfKind::EndSection},
    {"EOF", DxfKind::EndOfFile},
};

DxfKind headerVariableKind(const DxfText &name)
{
    if (name.equals("$INSUNITS"))
        return DxfKind::InsUnitsVariable;
    if (name.equals("$SPLINESEGS"))
        return DxfKind::SplineSegmentsVariable;
    return DxfKind::HeaderVariable;
}

} // namespace

DxfKind dxfKindOf(const DxfText &name)
{
    if (name.startsWith('$'))
        return headerVariableKind(name);
    if (!name.ascii)
        return DxfKind::Unknown;
    for (const NamedKind &named : namedKinds) {
        if (name.equals(named.name))
            return named.kind;
    }
    return DxfKind::Unknown;
}

bool isRecognisedKind(DxfKind kind)
{
    switch (kind) {
    case DxfKind::Unknown:
    case DxfKind::HeaderVariable:
    case DxfKind::InsUnitsVariable:
    case DxfKind::SplineSegmentsVariable:
    case DxfKind::Section:
    case DxfKind::EndSection:
    case DxfKind::EndOfFile:
        return false;
    default:
        return true;
    }
}

bool isDrawnKind(DxfKind kind)
{
    switch (kind) {
    case DxfKind::Point:
    case DxfKind::Line:
    case DxfKind::Polyline:
    case DxfKind::LightweightPolyline:
    case DxfKind::Vertex:
    case DxfKind::Spline:
    case DxfKind::Helix:
    case DxfKind::Arc:
    case DxfKind::Circle:
    case DxfKind::Ellipse:
        return true;
    default:
        return false;
    }
}

bool isUndrawnKind(DxfKind kind)
{
    return kind == DxfKind::Ignored || kind == DxfKind::Unknown;
}
