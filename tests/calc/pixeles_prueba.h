// What the tests of the simulation's instruments read off their pictures.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <cmath>

#include "platform/lienzo.h"

namespace pixeles_prueba {

inline const QColor kRojo(255, 0, 0);
inline const QColor kTubo(224, 224, 224);

// Whether a pixel within one of the point (in the picture's scale) is red:
// the needle of a dial is a line one pixel wide.
inline bool rojo_cerca(korgas::Lienzo* l, double x, double y) {
    const QPointF p = l->a_pixeles(x, y);
    const QImage& im = l->imagen();
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const int px = int(std::floor(p.x())) + dx;
            const int py = int(std::floor(p.y())) + dy;
            if (im.valid(px, py) && im.pixelColor(px, py) == kRojo) return true;
        }
    return false;
}

// The share of a vertical picture's middle column painted in a colour.
inline double parte_de(korgas::Lienzo* l, const QColor& color) {
    const QImage& im = l->imagen();
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        if (im.pixelColor(im.width() / 2, y) == color) ++n;
    return double(n) / im.height();
}

}  // namespace pixeles_prueba
