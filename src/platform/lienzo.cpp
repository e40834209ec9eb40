#include "platform/lienzo.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "platform/twips.h"

namespace korgas {

namespace {

bool finito(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Liang-Barsky: the part of a-b inside [x0, x1] × [y0, y1].
bool recorte(double x0, double y0, double x1, double y1, QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - x0, x1 - a.x(), a.y() - y0, y1 - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
    }
    const QPointF inicio = a;
    a = QPointF(inicio.x() + t0 * dx, inicio.y() + t0 * dy);
    b = QPointF(inicio.x() + t1 * dx, inicio.y() + t1 * dy);
    return true;
}

}  // namespace

int boton_lienzo(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int botones_lienzo(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

Lienzo::Lienzo(QWidget* padre) : QWidget(padre) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    ajustar_imagen();
}

void Lienzo::fijar_escala(double izquierda, double arriba, double ancho, double alto) {
    usuario_ = true;
    izquierda_ = izquierda;
    arriba_ = arriba;
    ancho_ = ancho;
    alto_ = alto;
}

void Lienzo::escala_twips() {
    usuario_ = false;
}

double Lienzo::escala_izquierda() const {
    return usuario_ ? izquierda_ : 0.0;
}
double Lienzo::escala_arriba() const {
    return usuario_ ? arriba_ : 0.0;
}
double Lienzo::escala_ancho() const {
    return usuario_ ? ancho_ : double(width()) * kTwipsPorPixel;
}
double Lienzo::escala_alto() const {
    return usuario_ ? alto_ : double(height()) * kTwipsPorPixel;
}

QPointF Lienzo::a_pixeles(double x, double y) const {
    const double an = escala_ancho();
    const double al = escala_alto();
    const double px = an == 0.0 ? 0.0 : (x - escala_izquierda()) / an * width();
    const double py = al == 0.0 ? 0.0 : (y - escala_arriba()) / al * height();
    return {px, py};
}

QPointF Lienzo::a_escala(QPointF pixel) const {
    const double x = width() > 0 ? escala_izquierda() + pixel.x() / width() * escala_ancho()
                                 : escala_izquierda();
    const double y =
        height() > 0 ? escala_arriba() + pixel.y() / height() * escala_alto() : escala_arriba();
    return {x, y};
}

void Lienzo::fijar_fondo(const QColor& c) {
    fondo_ = c;
}

void Lienzo::fijar_grosor(int pixeles) {
    grosor_ = std::max(1, pixeles);
}

void Lienzo::fijar_modo(int modo) {
    if (modo == 13 || modo == 14) modo_ = modo;
}

void Lienzo::ajustar_imagen() const {
    const qreal dpr = devicePixelRatioF();
    const QSize tam = QSize(std::max(1, width()), std::max(1, height())) * dpr;
    if (!imagen_.isNull() && imagen_.size() == tam && imagen_.devicePixelRatio() == dpr) return;
    QImage nueva(tam, QImage::Format_RGB32);
    nueva.setDevicePixelRatio(dpr);
    nueva.fill(fondo_);
    if (!imagen_.isNull()) {
        // What was drawn stays where it was; a new strip shows the back colour.
        QPainter p(&nueva);
        p.drawImage(QPointF(0, 0), imagen_);
    }
    imagen_ = std::move(nueva);
}

void Lienzo::cls() {
    ajustar_imagen();
    imagen_.fill(fondo_);
    update();
}

const QImage& Lienzo::imagen() const {
    ajustar_imagen();
    return imagen_;
}

std::optional<QRectF> Lienzo::margen_en_escala() const {
    const double m = grosor_ + 2.0;
    const QPointF e1 = a_escala(QPointF(-m, -m));
    const QPointF e2 = a_escala(QPointF(width() + m, height() + m));
    if (!finito(e1) || !finito(e2)) return std::nullopt;
    return QRectF(e1, e2).normalized();
}

std::optional<Lienzo::Segmento> Lienzo::recortar(double x1, double y1, double x2, double y2) const {
    QPointF a(x1, y1);
    QPointF b(x2, y2);
    const auto m = margen_en_escala();
    if (!m || !finito(a) || !finito(b)) return std::nullopt;
    // Clipped in the scale, where the points are finite, and mapped to pixels
    // only once inside.
    if (!recorte(m->left(), m->top(), m->right(), m->bottom(), a, b)) return std::nullopt;
    const QPointF pa = a_pixeles(a.x(), a.y());
    const QPointF pb = a_pixeles(b.x(), b.y());
    if (!finito(pa) || !finito(pb)) return std::nullopt;
    return Segmento{pa, pb};
}

std::optional<QPointF> Lienzo::acotar(double x, double y) const {
    const auto m = margen_en_escala();
    if (!m || !std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    const QPointF p =
        a_pixeles(std::clamp(x, m->left(), m->right()), std::clamp(y, m->top(), m->bottom()));
    if (!finito(p)) return std::nullopt;
    return p;
}

void Lienzo::pintar(const std::function<void(QPainter&)>& dibujo, const QColor& color,
                    bool relleno) {
    ajustar_imagen();
    QPainter p(&imagen_);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (modo_ == 14) p.setCompositionMode(QPainter::RasterOp_SourceOrNotDestination);
    QPen pluma(color);
    pluma.setWidthF(grosor_);
    pluma.setJoinStyle(Qt::MiterJoin);
    if (estilo_ == Estilo::punteado) {
        pluma.setStyle(Qt::DotLine);
        pluma.setCapStyle(Qt::FlatCap);
    } else {
        pluma.setCapStyle(Qt::SquareCap);
    }
    p.setPen(relleno ? QPen(Qt::NoPen) : pluma);
    p.setBrush(relleno ? QBrush(color) : QBrush(Qt::NoBrush));
    dibujo(p);
    update();
}

void Lienzo::linea(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    const auto s = recortar(x1, y1, x2, y2);
    if (!s) return;
    pintar([&](QPainter& p) { p.drawLine(s->a, s->b); }, color.value_or(tinta_), false);
}

void Lienzo::caja(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    const auto a = acotar(x1, y1);
    const auto b = acotar(x2, y2);
    if (!a || !b) return;
    const QRectF r = QRectF(*a, *b).normalized();
    pintar([&](QPainter& p) { p.drawRect(r); }, color.value_or(tinta_), false);
}

void Lienzo::caja_llena(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    const auto a = acotar(x1, y1);
    const auto b = acotar(x2, y2);
    if (!a || !b) return;
    // Whole pixels from the nearer edge of the first to the nearer edge of
    // the last, so two boxes that meet leave no gap and do not overlap.
    const int l = int(std::lround(std::min(a->x(), b->x())));
    const int r = int(std::lround(std::max(a->x(), b->x())));
    const int t = int(std::lround(std::min(a->y(), b->y())));
    const int d = int(std::lround(std::max(a->y(), b->y())));
    if (r <= l || d <= t) return;
    pintar([&](QPainter& p) { p.drawRect(QRect(l, t, r - l, d - t)); }, color.value_or(tinta_),
           true);
}

void Lienzo::circulo(double cx, double cy, double radio, std::optional<QColor> color) {
    const QPointF c = a_pixeles(cx, cy);
    const double an = escala_ancho();
    if (!finito(c) || !std::isfinite(radio) || an == 0.0) return;
    const double r = std::abs(radio / an * width());
    // Too far away or too large to show any part of it.
    const double lim = 1e6;
    if (r > lim || std::abs(c.x()) > lim || std::abs(c.y()) > lim) return;
    pintar([&](QPainter& p) { p.drawEllipse(c, r, r); }, color.value_or(tinta_), false);
}

QRect Lienzo::rect_banda() const {
    if (!banda_) return {};
    const auto a = acotar(banda_->left(), banda_->top());
    const auto b = acotar(banda_->right(), banda_->bottom());
    if (!a || !b) return {};
    return QRectF(*a, *b).normalized().toAlignedRect();
}

void Lienzo::banda(double x1, double y1, double x2, double y2, const QColor& color) {
    const QRect antes = rect_banda();
    banda_ = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    color_banda_ = color;
    update(antes.adjusted(-2, -2, 2, 2) | rect_banda().adjusted(-2, -2, 2, 2));
}

void Lienzo::quitar_banda() {
    if (!banda_) return;
    const QRect antes = rect_banda();
    banda_.reset();
    update(antes.adjusted(-2, -2, 2, 2));
}

void Lienzo::fijar_consejo(const QString& texto) {
    setToolTip(texto);
    if (QToolTip::isVisible() && underMouse()) QToolTip::showText(QCursor::pos(), texto, this);
}

QColor Lienzo::color_en(double x, double y) const {
    // The image as the box's present size makes it (a hidden box gets no
    // resize event), so the scale and the pixels agree.
    const QImage& im = imagen();
    const QPointF p = a_pixeles(x, y) * im.devicePixelRatio();
    if (!finito(p)) return {};
    const int px = int(std::floor(p.x()));
    const int py = int(std::floor(p.y()));
    if (!im.valid(px, py)) return {};
    return im.pixelColor(px, py);
}

void Lienzo::paintEvent(QPaintEvent*) {
    // A move to a screen of another pixel density gives the image its density.
    ajustar_imagen();
    QPainter p(this);
    p.drawImage(QPointF(0, 0), imagen_);
    if (banda_) {
        QPen pluma(color_banda_);
        pluma.setCosmetic(true);
        pluma.setStyle(Qt::DotLine);
        p.setPen(pluma);
        p.setBrush(Qt::NoBrush);
        const QRect r = rect_banda();
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void Lienzo::resizeEvent(QResizeEvent* ev) {
    ajustar_imagen();
    QWidget::resizeEvent(ev);
}

void Lienzo::mousePressEvent(QMouseEvent* ev) {
    const QPointF p = a_escala(ev->position());
    emit raton_abajo(boton_lienzo(ev->button()), p.x(), p.y());
}

void Lienzo::mouseMoveEvent(QMouseEvent* ev) {
    const QPointF p = a_escala(ev->position());
    emit raton_movido(botones_lienzo(ev->buttons()), p.x(), p.y());
}

void Lienzo::mouseReleaseEvent(QMouseEvent* ev) {
    const QPointF p = a_escala(ev->position());
    emit raton_arriba(boton_lienzo(ev->button()), p.x(), p.y());
}

}  // namespace korgas
