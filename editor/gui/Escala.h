#pragma once
// Canvas units: the canvas is 32000 x 32000 twips and one pixel is 15 twips.

#include <cmath>

namespace vortena {

inline constexpr float kTwipsPorPixel = 15.0f;
inline constexpr int kLadoLienzoTwips = 32000;
// 32000 / 15 rounded up, so the last twip row still has a pixel.
inline constexpr int kLadoLienzoPixeles = (kLadoLienzoTwips + 14) / 15;

inline constexpr float APixeles(float twips) {
    return twips / kTwipsPorPixel;
}
inline constexpr float ATwips(float pixeles) {
    return pixeles * kTwipsPorPixel;
}
// Widget geometry and raster positions take whole pixels, the nearest one.
inline int APixelesEnteros(float twips) {
    return static_cast<int>(std::lround(APixeles(twips)));
}

}  // namespace vortena
