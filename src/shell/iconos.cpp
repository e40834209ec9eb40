#include "shell/iconos.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <functional>
#include <map>

namespace korgas {

namespace {

// One palette for every picture, so the toolbar reads as one set.
const QColor kTinta(38, 50, 72);   // outlines
const QColor kAzul(33, 118, 199);  // main colour
const QColor kAzulClaro(190, 222, 250);
const QColor kVerde(46, 160, 110);
const QColor kRojo(214, 69, 65);
const QColor kAmbar(232, 160, 40);
const QColor kPapel(252, 252, 248);
const QColor kGris(150, 160, 175);

// The curve colours of the five gas systems.
const QColor kSistemas[5] = {QColor(0, 0, 255), QColor(0, 128, 0), QColor(255, 0, 0),
                             QColor(255, 0, 255), QColor(128, 128, 0)};

using Dibujo = std::function<void(QPainter&)>;

QPen trazo(const QColor& c, qreal ancho = 1.5) {
    QPen p(c, ancho);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

// Draws a picture made on a 24 x 24 grid at lado x lado device pixels.
QPixmap pintar(const Dibujo& dibujo, int lado) {
    QPixmap pm(lado, lado);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(lado / 24.0, lado / 24.0);
    dibujo(p);
    return pm;
}

QIcon icono(const Dibujo& dibujo) {
    QIcon i;
    for (int lado : {16, 24, 32, 48}) i.addPixmap(pintar(dibujo, lado));
    return i;
}

// Text as a shape, em size alto in grid units, centred in r: the same at every
// size and screen resolution.
void texto_centrado(QPainter& p, const QRectF& r, const QString& t, qreal alto, bool negrita,
                    const QColor& c) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(100);
    f.setBold(negrita);
    QPainterPath forma;
    forma.addText(0, 0, f, t);
    QTransform escala = QTransform::fromScale(alto / 100, alto / 100);
    forma = escala.map(forma);
    const QRectF b = forma.boundingRect();
    forma.translate(r.center() - b.center());
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(forma);
    p.restore();
}

// A sheet of paper with a folded corner.
void hoja(QPainter& p, const QRectF& r) {
    QPainterPath h;
    const qreal doblez = 5;
    h.moveTo(r.left(), r.top());
    h.lineTo(r.right() - doblez, r.top());
    h.lineTo(r.right(), r.top() + doblez);
    h.lineTo(r.right(), r.bottom());
    h.lineTo(r.left(), r.bottom());
    h.closeSubpath();
    p.setPen(trazo(kTinta));
    p.setBrush(kPapel);
    p.drawPath(h);
    QPainterPath esquina;
    esquina.moveTo(r.right() - doblez, r.top());
    esquina.lineTo(r.right() - doblez, r.top() + doblez);
    esquina.lineTo(r.right(), r.top() + doblez);
    p.setBrush(kAzulClaro);
    p.drawPath(esquina);
}

// A grid of rows and columns, the first row a heading.
void tabla(QPainter& p, const QRectF& r, int filas, int columnas, const QColor& cabecera) {
    p.setPen(Qt::NoPen);
    p.setBrush(kPapel);
    p.drawRoundedRect(r, 1.5, 1.5);
    const qreal alto = r.height() / filas;
    p.setBrush(cabecera);
    p.drawRoundedRect(QRectF(r.left(), r.top(), r.width(), alto), 1.5, 1.5);
    p.setPen(trazo(kGris, 0.8));
    for (int i = 2; i < filas; ++i)
        p.drawLine(QPointF(r.left(), r.top() + i * alto), QPointF(r.right(), r.top() + i * alto));
    for (int j = 1; j < columnas; ++j) {
        const qreal x = r.left() + j * r.width() / columnas;
        p.drawLine(QPointF(x, r.top() + alto), QPointF(x, r.bottom()));
    }
    p.setPen(trazo(kTinta));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 1.5, 1.5);
}

// Plot axes with their origin at bottom left.
void ejes(QPainter& p) {
    p.setPen(trazo(kTinta, 1.4));
    p.drawLine(QPointF(4, 3), QPointF(4, 20));
    p.drawLine(QPointF(4, 20), QPointF(21, 20));
    p.drawLine(QPointF(4, 3), QPointF(2.6, 5));
    p.drawLine(QPointF(4, 3), QPointF(5.4, 5));
    p.drawLine(QPointF(21, 20), QPointF(19, 18.6));
    p.drawLine(QPointF(21, 20), QPointF(19, 21.4));
}

// An isotherm that falls steeply, then gently (P against V).
QPainterPath isoterma(qreal desplazamiento) {
    QPainterPath c;
    c.moveTo(6.5, 4 + desplazamiento);
    c.cubicTo(7.5, 13 + desplazamiento, 11, 15 + desplazamiento, 20, 16 + desplazamiento * 0.3);
    return c;
}

void circulo_con_signo(QPainter& p, const QColor& fondo, const QString& signo) {
    QRadialGradient g(QPointF(9, 8), 13);
    g.setColorAt(0, fondo.lighter(135));
    g.setColorAt(1, fondo);
    p.setPen(trazo(fondo.darker(140), 1.2));
    p.setBrush(g);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    texto_centrado(p, QRectF(2.5, 2.5, 19, 19.5), signo, 11, true, Qt::white);
}

// The flask of the program's icon, on the 24-unit grid.
void matraz(QPainter& p) {
    QPainterPath m;
    m.moveTo(9.5, 2.5);
    m.lineTo(14.5, 2.5);
    m.lineTo(14.5, 8.5);
    m.lineTo(20.5, 19);
    m.quadTo(21.5, 21.5, 18.5, 21.5);
    m.lineTo(5.5, 21.5);
    m.quadTo(2.5, 21.5, 3.5, 19);
    m.lineTo(9.5, 8.5);
    m.closeSubpath();
    QPainterPath liquido;
    liquido.moveTo(6.6, 14);
    liquido.lineTo(17.4, 14);
    liquido.lineTo(20.5, 19);
    liquido.quadTo(21.5, 21.5, 18.5, 21.5);
    liquido.lineTo(5.5, 21.5);
    liquido.quadTo(2.5, 21.5, 3.5, 19);
    liquido.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 244, 252));
    p.drawPath(m);
    QLinearGradient g(0, 14, 0, 21.5);
    g.setColorAt(0, kAzul.lighter(130));
    g.setColorAt(1, kAzul);
    p.setBrush(g);
    p.drawPath(liquido);
    // Gas molecules above the liquid.
    p.setBrush(kRojo);
    p.drawEllipse(QPointF(10.8, 11), 1.3, 1.3);
    p.setBrush(kVerde);
    p.drawEllipse(QPointF(13.6, 12.2), 1.1, 1.1);
    p.setBrush(kAmbar);
    p.drawEllipse(QPointF(12.2, 6.5), 0.9, 0.9);
    p.setPen(trazo(kTinta, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(m);
    p.drawLine(QPointF(8.5, 2.5), QPointF(15.5, 2.5));
}

const std::map<QString, Dibujo>& dibujos() {
    static const std::map<QString, Dibujo> d = {
        {"nuevo",
         [](QPainter& p) {
             hoja(p, QRectF(4.5, 2.5, 14, 19));
             p.setPen(trazo(kVerde, 2));
             p.drawLine(QPointF(16, 13), QPointF(16, 21));
             p.drawLine(QPointF(12, 17), QPointF(20, 17));
         }},
        {"datos",
         [](QPainter& p) {
             tabla(p, QRectF(2.5, 3.5, 19, 17), 6, 3, kAzulClaro);
             const qreal alto = 17.0 / 6;
             for (int i = 0; i < 5; ++i) {
                 p.setPen(Qt::NoPen);
                 p.setBrush(kSistemas[i]);
                 p.drawEllipse(QPointF(5.6, 3.5 + (i + 1.5) * alto), 1.0, 1.0);
             }
         }},
        {"mol",
         [](QPainter& p) {
             p.setPen(trazo(kAzul.darker(130), 1.2));
             p.setBrush(kAzulClaro);
             p.drawRoundedRect(QRectF(2.5, 5.5, 19, 13), 3, 3);
             texto_centrado(p, QRectF(2.5, 5.5, 19, 13), QStringLiteral("mol"), 8.5, true,
                            kAzul.darker(150));
         }},
        {"gramo",
         [](QPainter& p) {
             // A weight with its handle.
             p.setPen(trazo(kTinta, 1.4));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(9, 2.5, 6, 5));
             QPainterPath pesa;
             pesa.moveTo(6.5, 7.5);
             pesa.lineTo(17.5, 7.5);
             pesa.lineTo(21, 21.5);
             pesa.lineTo(3, 21.5);
             pesa.closeSubpath();
             QLinearGradient g(0, 7.5, 0, 21.5);
             g.setColorAt(0, QColor(120, 130, 145));
             g.setColorAt(1, QColor(70, 78, 92));
             p.setBrush(g);
             p.drawPath(pesa);
             texto_centrado(p, QRectF(3, 9, 18, 12), QStringLiteral("g"), 10, true, Qt::white);
         }},
        {"graficas",
         [](QPainter& p) {
             ejes(p);
             p.setBrush(Qt::NoBrush);
             p.setPen(trazo(kSistemas[0], 1.6));
             p.drawPath(isoterma(-1));
             p.setPen(trazo(kSistemas[2], 1.6));
             p.drawPath(isoterma(-5));
             p.setPen(trazo(kVerde, 1.2));
             p.drawLine(QPointF(8, 14.5), QPointF(17, 14.5));
         }},
        {"escala",
         [](QPainter& p) {
             ejes(p);
             p.setPen(trazo(kTinta, 1.0));
             for (int i = 1; i <= 4; ++i) {
                 const qreal x = 4 + i * 3.6;
                 p.drawLine(QPointF(x, 20), QPointF(x, 22.2));
                 const qreal y = 20 - i * 3.6;
                 p.drawLine(QPointF(1.8, y), QPointF(4, y));
             }
             p.setPen(trazo(kAzul, 1.4));
             p.setBrush(QColor(33, 118, 199, 50));
             p.drawRect(QRectF(8.5, 7, 9, 8));
         }},
        {"f",
         [](QPainter& p) {
             p.setPen(trazo(kTinta, 1.3));
             p.setBrush(QColor(236, 240, 246));
             p.drawRoundedRect(QRectF(4, 2.5, 16, 19), 2.5, 2.5);
             p.setBrush(QColor(205, 232, 210));
             p.drawRect(QRectF(6.5, 5, 11, 4.5));
             texto_centrado(p, QRectF(6.5, 4.6, 11, 5), QStringLiteral("f"), 5.5, true, kTinta);
             p.setPen(Qt::NoPen);
             for (int fila = 0; fila < 3; ++fila)
                 for (int col = 0; col < 3; ++col) {
                     p.setBrush(fila == 2 && col == 2 ? kAmbar : kGris);
                     p.drawRoundedRect(QRectF(6.5 + col * 4, 11.5 + fila * 3.3, 3, 2.4), 0.6, 0.6);
                 }
         }},
        {"operaciones",
         [](QPainter& p) {
             // A cylinder with its piston and rod; the gas below.
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(255, 225, 200));
             p.drawRect(QRectF(6, 11, 12, 10));
             p.setBrush(kRojo);
             p.drawEllipse(QPointF(9.5, 16.5), 1.1, 1.1);
             p.drawEllipse(QPointF(14, 18.5), 1.1, 1.1);
             p.drawEllipse(QPointF(13.5, 14), 1.0, 1.0);
             p.setBrush(QColor(60, 70, 110));
             p.drawRect(QRectF(6, 8.5, 12, 2.5));
             p.drawRect(QRectF(11, 2, 2, 6.5));
             p.setPen(trazo(kTinta, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawLine(QPointF(5.5, 4), QPointF(5.5, 21.5));
             p.drawLine(QPointF(5.5, 21.5), QPointF(18.5, 21.5));
             p.drawLine(QPointF(18.5, 21.5), QPointF(18.5, 4));
         }},
        {"tabla",
         [](QPainter& p) {
             tabla(p, QRectF(2.5, 3.5, 19, 17), 5, 2, QColor(255, 226, 170));
             texto_centrado(p, QRectF(2.5, 3.5, 9.5, 3.4), QStringLiteral("R"), 4, true, kTinta);
             texto_centrado(p, QRectF(12, 3.5, 9.5, 3.4), QStringLiteral("k"), 4, true, kTinta);
         }},
        {"tabla1",
         [](QPainter& p) {
             tabla(p, QRectF(2.5, 3.5, 19, 17), 5, 3, QColor(200, 236, 215));
             p.setPen(Qt::NoPen);
             p.setBrush(kVerde);
             p.drawEllipse(QPointF(7.5, 12), 1.4, 1.4);
             p.setBrush(kAzul);
             p.drawEllipse(QPointF(9.5, 15.2), 1.1, 1.1);
             p.setBrush(kRojo);
             p.drawEllipse(QPointF(6.5, 17.5), 1.0, 1.0);
         }},
        {"termometro",
         [](QPainter& p) {
             p.setPen(trazo(kTinta, 1.3));
             p.setBrush(kPapel);
             p.drawRoundedRect(QRectF(9.5, 2, 5, 15), 2.5, 2.5);
             p.drawEllipse(QPointF(12, 18.5), 3.8, 3.8);
             p.setPen(Qt::NoPen);
             p.setBrush(kRojo);
             p.drawEllipse(QPointF(12, 18.5), 2.6, 2.6);
             p.drawRect(QRectF(11, 8, 2, 9));
             p.setPen(trazo(kTinta, 0.9));
             for (int i = 0; i < 4; ++i) {
                 const qreal y = 4.5 + i * 3;
                 p.drawLine(QPointF(15.8, y), QPointF(i % 2 ? 17.5 : 19, y));
             }
         }},
        {"ayuda", [](QPainter& p) { circulo_con_signo(p, kAzul, QStringLiteral("?")); }},
        {"acercade", [](QPainter& p) { circulo_con_signo(p, kVerde, QStringLiteral("i")); }},
        {"salir",
         [](QPainter& p) {
             // An open door and an arrow leaving through it.
             p.setPen(trazo(kTinta, 1.4));
             p.setBrush(QColor(236, 240, 246));
             p.drawRect(QRectF(3.5, 2.5, 11, 19));
             QPainterPath puerta;
             puerta.moveTo(3.5, 2.5);
             puerta.lineTo(9.5, 5);
             puerta.lineTo(9.5, 23);
             puerta.lineTo(3.5, 21.5);
             puerta.closeSubpath();
             p.setBrush(QColor(160, 110, 70));
             p.drawPath(puerta);
             p.setPen(trazo(kRojo, 2));
             p.drawLine(QPointF(12, 12), QPointF(21, 12));
             p.drawLine(QPointF(21, 12), QPointF(18, 9));
             p.drawLine(QPointF(21, 12), QPointF(18, 15));
         }},
    };
    return d;
}

}  // namespace

QIcon icono_barra(const QString& clave) {
    auto it = dibujos().find(clave);
    return it == dibujos().end() ? QIcon() : icono(it->second);
}

QIcon icono_programa() {
    QIcon i;
    for (int lado : {16, 24, 32, 48, 64, 128}) i.addPixmap(pintar(matraz, lado));
    return i;
}

QPixmap dibujo_matraz(int lado, qreal escala) {
    QPixmap pm = pintar(matraz, qRound(lado * escala));
    pm.setDevicePixelRatio(escala);
    return pm;
}

QPixmap dibujo_isotermas(int ancho, int alto, qreal escala) {
    QPixmap pm(qRound(ancho * escala), qRound(alto * escala));
    pm.setDevicePixelRatio(escala);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF marco(8, 6, ancho - 16, alto - 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRoundedRect(marco.adjusted(-4, -2, 4, 6), 6, 6);

    // Axes.
    const QPointF origen(marco.left() + 10, marco.bottom() - 8);
    p.setPen(trazo(kTinta, 1.3));
    p.drawLine(origen, QPointF(origen.x(), marco.top() + 4));
    p.drawLine(origen, QPointF(marco.right() - 4, origen.y()));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    f.setItalic(true);
    p.setFont(f);
    p.drawText(QPointF(origen.x() - 9, marco.top() + 12), QStringLiteral("P"));
    p.drawText(QPointF(marco.right() - 12, origen.y() + 11), QStringLiteral("V"));

    // Van der Waals isotherms in reduced units, P = 8T/(3V - 1) - 3/V², below,
    // at and above the critical temperature; the lowest with its tie line.
    const double vmin = 0.45, vmax = 4.0, pmin = 0.0, pmax = 2.2;
    auto aPantalla = [&](double v, double pr) {
        const double x = origen.x() + (v - vmin) / (vmax - vmin) * (marco.right() - 8 - origen.x());
        const double y = origen.y() - (pr - pmin) / (pmax - pmin) * (origen.y() - marco.top() - 8);
        return QPointF(x, y);
    };
    const double temperaturas[] = {0.9, 1.0, 1.1, 1.25};
    const QColor colores[] = {kSistemas[0], kSistemas[1], kSistemas[2], kSistemas[3]};
    p.save();
    p.setClipRect(QRectF(origen.x() + 1, marco.top() + 2, marco.right() - origen.x(),
                         origen.y() - marco.top() - 3));
    for (int k = 0; k < 4; ++k) {
        QPainterPath c;
        bool primero = true;
        for (int i = 0; i <= 200; ++i) {
            const double v = vmin + (vmax - vmin) * i / 200.0;
            const double pr = 8 * temperaturas[k] / (3 * v - 1) - 3 / (v * v);
            const QPointF q = aPantalla(v, std::min(pr, pmax + 1));
            if (primero)
                c.moveTo(q);
            else
                c.lineTo(q);
            primero = false;
        }
        p.setPen(trazo(colores[k], 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(c);
    }
    p.restore();
    // The equal-area tie line of T = 0.9 (reduced pressure 0.647, V 0.603 to 2.349).
    QPen punteada = trazo(kVerde.darker(120), 1.4);
    punteada.setStyle(Qt::DashLine);
    p.setPen(punteada);
    p.drawLine(aPantalla(0.603, 0.647), aPantalla(2.349, 0.647));
    // The critical point.
    p.setPen(Qt::NoPen);
    p.setBrush(kTinta);
    p.drawEllipse(aPantalla(1.0, 1.0), 2.5, 2.5);
    return pm;
}

}  // namespace korgas
