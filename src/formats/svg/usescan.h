#pragma once

class QIODevice;

// Whether a plain SVG file may hold a "use" element: false only when its
// bytes have no "<use" or ":use" tag and nothing that could make one
// (an entity declaration, or text in UTF-16 or UTF-32). Reads the device
// to its end and back to where it was. Most drawings hold no use, and
// then the elements with an id need not be kept for copies.
bool mayHoldUse(QIODevice &device);
