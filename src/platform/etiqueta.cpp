#include "platform/etiqueta.h"

#include <QMouseEvent>

namespace korgas {

Etiqueta::Etiqueta(QWidget* padre) : QLabel(padre) {}

Etiqueta::Etiqueta(const QString& texto, QWidget* padre) : QLabel(texto, padre) {}

void Etiqueta::fijar_mano(bool mano) {
    if (mano)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void Etiqueta::mousePressEvent(QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton) pulsada_ = true;
    QLabel::mousePressEvent(ev);
}

void Etiqueta::mouseReleaseEvent(QMouseEvent* ev) {
    const bool era = pulsada_;
    if (ev->button() == Qt::LeftButton) pulsada_ = false;
    QLabel::mouseReleaseEvent(ev);
    if (era && ev->button() == Qt::LeftButton && rect().contains(ev->position().toPoint()))
        emit clicked();
}

}  // namespace korgas
