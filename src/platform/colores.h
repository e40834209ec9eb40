// Colours as the program stores them: 32-bit values 0x00BBGGRR, and system
// colours (the high bit set, the low byte the element) taken from the
// application's palette.
#pragma once

#include <QColor>

namespace korgas {

QColor color_de(quint32 valor);

}  // namespace korgas
