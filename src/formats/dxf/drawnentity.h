#pragma once

// What drawing an entity came to besides the path it fills: whether it
// added points to the drawing itself.
struct DxfDrawn
{
    bool addedPoints = false;
};
