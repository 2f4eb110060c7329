#pragma once

#include "formats/formatoptions.h"

#include <QString>

#include <memory>

class Drawing;
class DrawingObject;

// Whether output to `path` goes straight into what is there: the standard
// output, and anything that exists but is neither a regular file nor a
// directory (a device, a named pipe, a socket). Replacing such a node would
// destroy it, and whoever reads from it would never see a byte.
bool isWrittenInPlace(const QString &path);

// One G-code file being written: the start template before the first object
// with points, the between-objects template before every further one, one
// "X<x> Y<y>" line per vertex, and the end template when finished. With
// arcs asked for, runs of vertices on a circle become G2/G3 arcs instead. A
// regular file replaces an existing one only once finish() succeeds; an
// output destroyed before that leaves the old file as it was. Output
// written in place has no old content to keep and cannot be taken back.
//
// An output may be opened and written on one thread and finished on another,
// as long as the two never use it at the same time.
class GCodeOutput
{
public:
    // The templates are taken from `options` now.
    GCodeOutput(const QString &path, const ConversionOptions &options);
    ~GCodeOutput();
    GCodeOutput(const GCodeOutput &) = delete;
    GCodeOutput &operator=(const GCodeOutput &) = delete;

    bool open();
    // Writes nothing for an object without points.
    void write(const DrawingObject &object);
    // Whether a write has failed; nothing more reaches the file then.
    bool failed() const;
    // Writes the end template and puts the file in its place; false when any
    // write failed.
    bool finish();

private:
    class State;
    std::unique_ptr<State> m_state;
};

// Writes the objects of `drawing` that come after `writtenUpTo` (all of
// them when it is null), reporting progress for every object, the written
// ones included, as the fraction of objects done before it; then finishes
// the output. `writtenUpTo` must be one of the drawing's objects.
bool writeRemainingObjects(GCodeOutput &output, const Drawing &drawing, const DrawingObject *writtenUpTo);
