#include "platform/spinner.h"

#include <QEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/numtext.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

QToolButton* flecha(Qt::ArrowType tipo, const char* nombre, QWidget* padre) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setArrowType(tipo);
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(400);
    b->setAutoRepeatInterval(80);
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    b->setMinimumHeight(6);
    b->setFixedWidth(18);
    return b;
}

}  // namespace

Spinner::Spinner(QLineEdit* caja, QWidget* padre) : QWidget(padre), caja_(caja) {
    arriba_ = flecha(Qt::UpArrow, "arriba", this);
    abajo_ = flecha(Qt::DownArrow, "abajo", this);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->setSpacing(0);
    capa->addWidget(arriba_);
    capa->addWidget(abajo_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(arriba_, &QToolButton::clicked, this, [this] { subir(); });
    connect(abajo_, &QToolButton::clicked, this, [this] { bajar(); });
}

void Spinner::fijar_minimo(qint64 v) {
    minimo_ = v;
    if (maximo_ < minimo_) maximo_ = minimo_;
}

void Spinner::fijar_maximo(qint64 v) {
    maximo_ = v;
    if (minimo_ > maximo_) minimo_ = maximo_;
}

qint64 Spinner::valor() const {
    double x = caja_ ? leer_numero(caja_->text().toStdString()) : 0.0;
    // Bring the number into range before rounding, so a huge text cannot
    // overflow the whole number.
    if (!std::isfinite(x)) x = x > 0 ? double(maximo_) : double(minimo_);
    x = std::clamp(x, double(minimo_), double(maximo_));
    return std::clamp<qint64>(redondeo_par(x), minimo_, maximo_);
}

bool Spinner::event(QEvent* ev) {
    // A modal box blocks the window: the button never sees the mouse go up,
    // so it is released here.
    if (ev->type() == QEvent::WindowBlocked) {
        arriba_->setDown(false);
        abajo_->setDown(false);
    }
    return QWidget::event(ev);
}

void Spinner::mover(int sentido) {
    if (!caja_ || !isEnabled()) return;
    const qint64 v = valor();
    qint64 nuevo = v;
    if (sentido > 0 && v < maximo_) nuevo = maximo_ - v > paso_ ? v + paso_ : maximo_;
    if (sentido < 0 && v > minimo_) nuevo = v - minimo_ > paso_ ? v - paso_ : minimo_;
    if (nuevo == v) return;
    // The box now holds what the step wrote, not a value kept behind its text.
    olvidar_valor(caja_);
    caja_->setText(QString::number(nuevo));
    emit changed();
}

}  // namespace korgas
