#include "platform/colores.h"

#include <QApplication>
#include <QPalette>

namespace korgas {

QColor color_de(quint32 valor) {
    if (valor & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (valor & 0xFFu) {
            case 5:
                return pal.color(QPalette::Base);
            case 8:
                return pal.color(QPalette::Text);
            case 9:
            case 18:
                return pal.color(QPalette::ButtonText);
            case 13:
                return pal.color(QPalette::Highlight);
            case 14:
                return pal.color(QPalette::HighlightedText);
            case 15:
                return pal.color(QPalette::Button);
            case 17:
                return pal.color(QPalette::PlaceholderText);
            default:
                return pal.color(QPalette::Window);
        }
    }
    return QColor(int(valor & 0xFFu), int((valor >> 8) & 0xFFu), int((valor >> 16) & 0xFFu));
}

}  // namespace korgas
