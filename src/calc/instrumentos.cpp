#include "calc/instrumentos.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "calc/entradas.h"
#include "core/numtext.h"
#include "platform/lienzo.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"

namespace korgas {

namespace {

constexpr double kPi = 3.1415926536;

// The instruments are drawn a third larger than their design sizes, so that
// the thermometer and the barometer read at a glance.
constexpr double kAumento = 1.3;

QRect disenio(double izquierda, double arriba, double ancho, double alto) {
    return rect_twips(izquierda * kAumento, arriba * kAumento, ancho * kAumento, alto * kAumento);
}

// Design places, in twips before enlarging. The cylinder hangs from the
// barometer's pipe; the thermometer stands at its left.
constexpr double xcil = 2100, ycil = 2640;  // the cylinder (pctpiston)
constexpr double ypipa = ycil - 1215;       // top of the upright pipe
constexpr double xrama0 = xcil + 1620;      // the falling leg, at the end of the pipe
constexpr double xrama1 = xrama0 + 675;     // the rising leg
constexpr double ytubo = ypipa - 825;       // top of the rising leg
constexpr double xterm = 1250, yterm = ycil + 200;

const QColor kLiquido(255, 0, 0);
const QColor kTubo(224, 224, 224);
const QColor kBorde(96, 96, 96);
const QColor kMarino(0, 0, 128);

// A shape of the window's design drawn over what lies under it: a filled
// rectangle (the pipes), a circle (the thermometer's bulb), an oval outline
// (the faces of the piston head) or the walls of the cylinder (open below).
// It takes no mouse.
class Forma : public QWidget {
  public:
    enum class Tipo { rectangulo, circulo, ovalo, paredes };

    Forma(Tipo tipo, const QColor& relleno, QWidget* padre)
        : QWidget(padre), tipo_(tipo), relleno_(relleno) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        switch (tipo_) {
            case Tipo::rectangulo:
                p.fillRect(rect(), relleno_);
                p.setPen(kBorde);
                p.drawRect(r);
                break;
            case Tipo::circulo:
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(QPen(kBorde, 1));
                p.setBrush(relleno_);
                p.drawEllipse(r);
                break;
            case Tipo::ovalo:
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(QPen(relleno_, 1));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(r);
                break;
            case Tipo::paredes: {
                const int g = 4;
                p.fillRect(0, 0, g, height(), relleno_);
                p.fillRect(width() - g, 0, g, height(), relleno_);
                p.fillRect(0, 0, width(), g, relleno_);
                break;
            }
        }
    }

  private:
    Tipo tipo_;
    QColor relleno_;
};

Lienzo* lienzo(QWidget* padre, const char* nombre, const QRect& r, const QColor& fondo) {
    auto* l = new Lienzo(padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setGeometry(r);
    l->fijar_fondo(fondo);
    l->cls();
    return l;
}

QLabel* rotulo(QWidget* padre, const char* nombre, int x, int y, Qt::Alignment alineacion) {
    auto* l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nombre));
    // Wide enough for "1000.00 ºK"; aligned on the end it marks.
    const int ancho = 80;
    const int alto = 18;
    const int izq = alineacion & Qt::AlignRight     ? x - ancho
                    : alineacion & Qt::AlignHCenter ? x - ancho / 2
                                                    : x;
    l->setGeometry(izq, y - alto / 2, ancho, alto);
    l->setAlignment(alineacion | Qt::AlignVCenter);
    return l;
}

Forma* forma(QWidget* padre, const char* nombre, Forma::Tipo tipo, const QColor& color,
             const QRect& r) {
    auto* f = new Forma(tipo, color, padre);
    f->setObjectName(QString::fromLatin1(nombre));
    f->setGeometry(r);
    return f;
}

// An end value under or beside an instrument: "##0.00" and the unit.
void extremo(QLabel* l, double v, const QString& unidad) {
    l->setText(fmt(v, "##0.00") + QLatin1Char(' ') + unidad);
}

// The tick scale beside a column: eleven lines, one every tenth of the
// height; the last on the bottom row of pixels, so that it shows.
void escala_de_decimos(Lienzo* l) {
    const double w = l->escala_ancho();
    const double h = l->escala_alto();
    for (int i = 0; i <= 10; ++i) {
        const double y = std::min(i * h / 10, h - kTwipsPorPixel);
        l->linea(0, y, w, y);
    }
}

void dibuja_columna(Lienzo* l, double valor) {
    // From beyond the bottom edge up (or, on the falling leg, from the bottom
    // edge) to the value.
    l->cls();
    l->caja_llena(0, l->escala_alto(), l->escala_ancho(), valor);
}

// A pointer position as the tool tip shows it: a plain number of at most 7
// significant digits.
QString consejo_de(double y) {
    if (!std::isfinite(y)) return {};
    return QString::number(double(float(y)), 'g', 7).toUpper();
}

// The pictures of the four instrument buttons, drawn on a 24 x 24 grid.
QIcon icono_instrumento(Medidor cual) {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    const QPen trazo(QColor(38, 50, 72), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(trazo);
    switch (cual) {
        case Medidor::termometro: {
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(10, 2, 4, 16), 2, 2);
            p.setBrush(kLiquido);
            p.drawEllipse(QPointF(12, 19), 3.5, 3.5);
            p.fillRect(QRectF(11, 9, 2, 9), kLiquido);
            break;
        }
        case Medidor::barometro: {  // a U-tube
            p.setBrush(Qt::NoBrush);
            QPainterPath u;
            u.moveTo(7, 3);
            u.lineTo(7, 18);
            u.quadTo(7, 21, 12, 21);
            u.quadTo(17, 21, 17, 18);
            u.lineTo(17, 3);
            p.setPen(QPen(kLiquido, 3));
            p.drawLine(QPointF(7, 14), QPointF(7, 18));
            p.drawLine(QPointF(17, 8), QPointF(17, 18));
            p.drawLine(QPointF(8, 20), QPointF(16, 20));
            p.setPen(trazo);
            p.drawPath(u);
            break;
        }
        case Medidor::termopar:
        case Medidor::manometro: {  // a dial
            const bool termopar = cual == Medidor::termopar;
            p.setBrush(Qt::white);
            p.drawPie(QRectF(2, 5, 20, 20), 0, 180 * 16);
            for (int i = 0; i <= 4; ++i) {
                const double a = kPi * i / 4;
                p.drawLine(QPointF(12 + 9 * std::cos(a), 15 - 9 * std::sin(a)),
                           QPointF(12 + 7 * std::cos(a), 15 - 7 * std::sin(a)));
            }
            p.setPen(QPen(kLiquido, 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(12, 15), QPointF(termopar ? 7 : 17, 9));
            p.setPen(trazo);
            if (termopar) {  // the two wires of the junction
                p.drawLine(QPointF(9, 15), QPointF(9, 22));
                p.drawLine(QPointF(15, 15), QPointF(15, 22));
            } else {  // the stem
                p.drawLine(QPointF(12, 15), QPointF(12, 22));
            }
            break;
        }
    }
    return QIcon(pm);
}

}  // namespace

// ---- Every instrument ------------------------------------------------------

Instrumento::Instrumento(QWidget* area) : QWidget(area) {}

void Instrumento::permitir_arrastre(bool si) {
    if (raton_) raton_->setEnabled(si);
}

void Instrumento::seguir_raton(Lienzo* l, bool vertical, bool consejo) {
    raton_ = l;
    connect(l, &Lienzo::raton_abajo, this, [this, vertical](int boton, double x, double y) {
        if (boton == 1) emit pulsado(vertical ? y : x);
    });
    connect(l, &Lienzo::raton_movido, this,
            [this, l, vertical, consejo](int botones, double x, double y) {
                if (consejo) l->fijar_consejo(consejo_de(y));
                if (botones != 1) return;
                // The pointer may leave the picture: the value stays at the
                // end of the scale.
                const double a = vertical ? l->escala_arriba() : l->escala_izquierda();
                const double b = a + (vertical ? l->escala_alto() : l->escala_ancho());
                emit arrastrado(std::clamp(vertical ? y : x, std::min(a, b), std::max(a, b)));
            });
    connect(l, &Lienzo::raton_arriba, this, [this](int boton, double, double) {
        if (boton == 1) emit soltado();
    });
}

void Instrumento::encajar(const QRect& tambien) {
    const QList<QWidget*> partes = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QRect caja = tambien;
    for (QWidget* w : partes) caja |= w->geometry();
    setGeometry(caja);
    for (QWidget* w : partes) w->move(w->pos() - caja.topLeft());
}

// ---- The cylinder and its piston -------------------------------------------

Piston::Piston(QWidget* area) : Instrumento(area) {
    setObjectName(QStringLiteral("instrumento_piston"));
    // The cylinder, its walls, the outlet over them, and the piston (head of
    // two bars, its rod under it) over everything.
    pctpiston = lienzo(this, "pctpiston", disenio(xcil, ycil, 1365, 1965), kTubo);
    Shape1 = forma(this, "Shape1", Forma::Tipo::paredes, QColor(64, 64, 64),
                   disenio(xcil - 90, ycil - 90, 1545, 1965 + 90 + 135));
    salida = forma(this, "barometro_0", Forma::Tipo::rectangulo, kTubo,
                   disenio(xcil + 682 - 97, ypipa, 195, 1215 + 60));
    pistonn = lienzo(this, "pistonn", disenio(xcil + 682 - 67, ycil + 135, 135, 735), kMarino);
    piston2 = lienzo(this, "piston2", disenio(xcil, ycil + 135, 1365, 135), QColor(192, 192, 208));
    piston1 = lienzo(this, "piston1", disenio(xcil, ycil, 1365, 135), kMarino);
    piston2->fijar_tinta(kMarino);
    piston1->fijar_tinta(QColor(255, 255, 0));
    for (Lienzo* l : {piston1, piston2}) {
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        forma(l, "", Forma::Tipo::ovalo, QColor(0, 0, 64), QRect(QPoint(0, 0), l->size()));
    }
    pistonn->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The head and the rod go down with the piston to the bottom of the
    // cylinder.
    const int abajo = pctpiston->y() + pctpiston->height();
    encajar(QRect(piston1->x(), abajo, piston1->width(), piston1->height()) |
            QRect(piston2->x(), abajo + piston1->height(), piston2->width(), piston2->height()) |
            QRect(pistonn->x(), abajo + piston2->height(), pistonn->width(), pistonn->height()));
    seguir_raton(pctpiston, true, true);
}

void Piston::fijar_rango(double minimo, double maximo) {
    pctpiston->fijar_escala(0, minimo, pctpiston->escala_ancho(), maximo - minimo);
}

void Piston::dibujar(double v) {
    const double y0 = pctpiston->y() + v * pctpiston->height() / pctpiston->escala_alto();
    const int arriba = int(std::lround(y0));
    piston1->move(piston1->x(), arriba);
    piston2->move(piston2->x(), arriba + piston1->height());
    pistonn->move(pistonn->x(), arriba + piston2->height());

    // The gas, from the top of the cylinder down to the piston: yellow when
    // the cylinder is empty, paler as it grows, white at the bottom.
    pctpiston->cls();
    const QColor gas(255, 255, int(redondeo_par(v * 255 / pctpiston->escala_alto())));
    pctpiston->fijar_tinta(gas);
    pctpiston->caja_llena(0, v, pctpiston->escala_ancho(),
                          pctpiston->escala_arriba() - pctpiston->escala_alto());
    piston1->fijar_tinta(gas);
    piston1->caja_llena(0, 0, piston1->escala_ancho(), piston1->escala_alto() / 2);
}

void Piston::pintar_cabeza() {
    piston1->caja_llena(0, 0, piston1->escala_ancho(), piston1->escala_alto() / 2);
    piston2->caja_llena(0, 0, piston2->escala_ancho(), piston2->escala_alto() / 2);
}

void Piston::mostrar_salida(bool si) {
    salida->setVisible(si);
}

// ---- The thermometer -------------------------------------------------------

Termometro::Termometro(QWidget* area) : Instrumento(area) {
    setObjectName(QStringLiteral("instrumento_termometro"));
    // The column, its scale, the bulb, the end values.
    termometro = lienzo(this, "termometro", disenio(xterm, yterm, 75, 1275), kTubo);
    termometro->fijar_tinta(kLiquido);
    termometros = lienzo(this, "termometros", disenio(xterm + 90, yterm, 75, 1275),
                         palette().window().color());
    const QRect t = termometro->geometry();
    bolaterm = forma(this, "bolaterm", Forma::Tipo::circulo, kLiquido,
                     QRect(t.center().x() - px(315 * kAumento) / 2, t.bottom() - 2,
                           px(315 * kAumento), px(315 * kAumento)));
    lbtsmax = rotulo(this, "lbtsmax", t.left() - 6, t.top(), Qt::AlignRight);
    lbtsmin = rotulo(this, "lbtsmin", t.left() - 6, t.bottom(), Qt::AlignRight);
    termometros->fijar_tinta(palette().windowText().color());
    escala_de_decimos(termometros);
    encajar();
    seguir_raton(termometro, true, true);
}

void Termometro::fijar_rango(double minimo, double maximo) {
    termometro->fijar_escala(0, maximo, termometro->escala_ancho(), -(maximo - minimo));
    extremo(lbtsmax, termometro->escala_arriba(), kKelvin);
    extremo(lbtsmin, termometro->escala_arriba() + termometro->escala_alto(), kKelvin);
}

void Termometro::dibujar(double kelvin) {
    dibuja_columna(termometro, kelvin);
}

// ---- The barometer ---------------------------------------------------------

Barometro::Barometro(QWidget* area) : Instrumento(area) {
    setObjectName(QStringLiteral("instrumento_barometro"));
    // The pipe across from the cylinder's outlet into the falling leg, the
    // two legs, the red bottom joining them, the scale.
    tubo = forma(this, "barometro_1", Forma::Tipo::rectangulo, kTubo,
                 disenio(xcil + 682 - 97, ypipa, 1200, 195));
    barometro0 = lienzo(this, "barometro0", disenio(xrama0, ypipa + 195, 165, 2775), kTubo);
    barometro1 = lienzo(this, "barometro1", disenio(xrama1, ytubo, 165, 3795), kTubo);
    fondo = forma(this, "barometro_2", Forma::Tipo::rectangulo, kLiquido,
                  disenio(xrama0, ypipa + 195 + 2775, 840, 195));
    barometros = lienzo(this, "barometros", disenio(xrama1 + 195, ytubo, 75, 3795),
                        palette().window().color());
    lbpsmax =
        rotulo(this, "lbpsmax", barometros->geometry().right() + 6, barometros->y(), Qt::AlignLeft);
    lbpsmin = rotulo(this, "lbpsmin", barometros->geometry().right() + 6,
                     barometros->geometry().bottom(), Qt::AlignLeft);
    for (Lienzo* l : {barometro0, barometro1}) l->fijar_tinta(kLiquido);
    barometros->fijar_tinta(palette().windowText().color());
    escala_de_decimos(barometros);
    encajar();
    seguir_raton(barometro1, true, true);
}

void Barometro::fijar_rango(double minimo, double maximo) {
    barometro0->fijar_escala(0, minimo, barometro0->escala_ancho(), maximo - minimo);
    barometro1->fijar_escala(0, maximo, barometro1->escala_ancho(), -(maximo - minimo));
    extremo(lbpsmax, barometro1->escala_arriba(), kAtm);
    extremo(lbpsmin, barometro1->escala_arriba() + barometro1->escala_alto(), kAtm);
}

void Barometro::dibujar(double atm) {
    dibuja_columna(barometro0, atm);
    dibuja_columna(barometro1, atm);
}

// ---- The dials -------------------------------------------------------------

Esfera::Esfera(QWidget* area, const char* instrumento, const char* nombre, const char* minimo,
               const char* maximo, const QRect& lugar, const QString& unidad)
    : Instrumento(area), unidad_(unidad) {
    setObjectName(QString::fromLatin1(instrumento));
    esfera = lienzo(this, nombre, lugar, Qt::white);
    const QRect d = esfera->geometry();
    rotulo_minimo = rotulo(this, minimo, d.left(), d.bottom() + 12, Qt::AlignLeft);
    rotulo_maximo = rotulo(this, maximo, d.right(), d.bottom() + 12, Qt::AlignRight);
    esfera->fijar_tinta(palette().windowText().color());
    encajar();
    seguir_raton(esfera, false, false);
}

Esfera* Esfera::termopar(QWidget* area) {
    return new Esfera(area, "instrumento_termopar", "termopar", "lbtpsmin", "lbtpsmax",
                      disenio(120, yterm + 100, 1755, 915), kKelvin);
}

Esfera* Esfera::manometro(QWidget* area) {
    return new Esfera(area, "instrumento_manometro", "Manometro", "lbppsmin", "lbppsmax",
                      disenio(xrama0 - 120, ytubo + 200, 1755, 915), kAtm);
}

void Esfera::fijar_rango(double minimo, double maximo, double arriba, double alto) {
    esfera->fijar_escala(minimo, arriba, maximo - minimo, alto);
    extremo(rotulo_maximo, esfera->escala_izquierda() + esfera->escala_ancho(), unidad_);
    extremo(rotulo_minimo, esfera->escala_izquierda(), unidad_);
}

void Esfera::dibujar(double v) {
    Lienzo* l = esfera;
    const double w = l->escala_ancho();
    const double h = l->escala_alto();
    // The centre of the dial and its base line lie on the last row of
    // pixels, not just below it, so that the needle shows at both ends.
    const double base = h - h / std::max(1, l->height());
    l->cls();
    l->circulo(w / 2, base, w / 2);
    l->fijar_grosor(2);
    l->linea(0, base, w, base);
    l->fijar_grosor(1);
    for (int i = 0; i <= 20; ++i) {
        // Tick 0 at the right end, 10 at the top, 20 at the left end; the
        // long ones (every fifth) reach further in.
        const double a = (i / 20.0 + 0.5) * kPi;
        const double hacia = i % 5 == 0 ? 6.5 : 7.0;
        l->linea(w / 2 + (w / 2) * std::sin(a), base + h * std::cos(a),
                 w / 2 + w * (hacia / 16) * std::sin(a), base + h * (hacia / 8) * std::cos(a));
    }
    // The needle: v = 0 points to the left end, w/2 straight up, w to the right.
    const double b = -kPi / 2 - kPi * v / w;
    l->linea(w / 2, base, w / 2 + w * (3.0 / 8) * std::sin(b), base + h * (3.0 / 4) * std::cos(b),
             kLiquido);
}

// ---- The buttons and the area ----------------------------------------------

QToolButton* boton_medidor(QWidget* area, const char* nombre, Medidor cual) {
    double x = 0;
    switch (cual) {
        case Medidor::termometro:
            x = 120;
            break;
        case Medidor::termopar:
            x = 555;
            break;
        case Medidor::barometro:
            x = xrama0 - 120;
            break;
        case Medidor::manometro:
            x = xrama0 + 315;
            break;
    }
    auto* b = new QToolButton(area);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setGeometry(disenio(x, 90, 375, 375));
    b->setIcon(icono_instrumento(cual));
    b->setIconSize(b->size() - QSize(8, 8));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QSize tamanio_instrumentos() {
    return disenio(0, 0, xrama1 + 1350, ycil + 1965 + 1005 + 150).size();
}

}  // namespace korgas
