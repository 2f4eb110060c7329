#pragma once

#include <QRgb>

// The colours of a toolpath picture, the same on screen and in a file.
namespace PreviewColors {
constexpr QRgb background = 0xffffffff;
constexpr QRgb minorGrid = 0xffeef0f3;
constexpr QRgb majorGrid = 0xffd3d8e0;
constexpr QRgb axis = 0xff7a8494;
constexpr QRgb label = 0xff4a5262;
constexpr QRgb cut = 0xff1f4fa8;
constexpr QRgb travel = 0xffe8731a;
constexpr QRgb firstPoint = 0xff1f9d3a;
constexpr QRgb origin = 0xffd02a2a;
} // namespace PreviewColors
