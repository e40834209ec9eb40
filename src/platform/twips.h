// Lengths of the window designs are in twips, 1440 to the inch. A logical
// pixel is 1/96 inch (a screen with more device pixels per logical pixel is
// handled by Qt's scaling), so a pixel is 15 twips everywhere.
#pragma once

#include <QRect>
#include <cmath>

namespace korgas {

constexpr int kTwipsPorPixel = 15;

// Logical pixels from twips, to the nearest whole pixel.
inline int px(double twips) {
    return int(std::lround(twips / kTwipsPorPixel));
}

inline QRect rect_twips(double izquierda, double arriba, double ancho, double alto) {
    return {px(izquierda), px(arriba), px(ancho), px(alto)};
}

}  // namespace korgas
