#pragma once

// What drawing an entity came to besides the path it fills: whether it
// added points to the drawing itself, and what of it was passed over, as
// the note names it (null when nothing was).
struct DxfDrawn
{
    bool addedPoints = false;
    const char *skipped = nullptr;
};
