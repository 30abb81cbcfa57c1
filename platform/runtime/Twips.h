#pragma once

#include <cmath>

// Sizes and positions of the program's layouts are in twips: 1440 to the inch, 15 to a pixel at
// 96 dots per inch.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int TwipsPerPixel = 15;

inline int TwipsToPixels(double twips) { return int(std::lround(twips / TwipsPerPixel)); }
inline int PixelsToTwips(double pixels) { return int(std::lround(pixels * TwipsPerPixel)); }
