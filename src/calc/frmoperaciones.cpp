#include "calc/frmoperaciones.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "calc/panel_ecuacion.h"
#include "core/numtext.h"
#include "core/unidades.h"
#include "platform/controles.h"
#include "platform/etiqueta.h"
#include "platform/eventos_foco.h"
#include "platform/lienzo.h"
#include "platform/mensajes_qt.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

// Boxes are written with two decimals; an instrument's read-out with "###0.00".
constexpr const char* kPatron = "####0.00";
constexpr const char* kPatronLectura = "###0.00";

constexpr double kPi = 3.1415926536;

// The instruments are drawn a third larger than their design sizes, so that
// the thermometer and the barometer read at a glance.
constexpr double kAumento = 1.3;

QRect disenio(double izquierda, double arriba, double ancho, double alto) {
    return rect_twips(izquierda * kAumento, arriba * kAumento, ancho * kAumento, alto * kAumento);
}

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

// The pictures of the four instrument buttons, drawn on a 24 x 24 grid.
QIcon icono_instrumento(int cual) {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    const QPen trazo(QColor(38, 50, 72), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(trazo);
    switch (cual) {
        case 0: {  // thermometer
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(10, 2, 4, 16), 2, 2);
            p.setBrush(kLiquido);
            p.drawEllipse(QPointF(12, 19), 3.5, 3.5);
            p.fillRect(QRectF(11, 9, 2, 9), kLiquido);
            break;
        }
        case 2: {  // barometer: a U-tube
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
        default: {  // thermocouple (1) and manometer (3): a dial
            p.setBrush(Qt::white);
            p.drawPie(QRectF(2, 5, 20, 20), 0, 180 * 16);
            for (int i = 0; i <= 4; ++i) {
                const double a = kPi * i / 4;
                p.drawLine(QPointF(12 + 9 * std::cos(a), 15 - 9 * std::sin(a)),
                           QPointF(12 + 7 * std::cos(a), 15 - 7 * std::sin(a)));
            }
            p.setPen(QPen(kLiquido, 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(12, 15), QPointF(cual == 1 ? 7 : 17, 9));
            p.setPen(trazo);
            if (cual == 1) {  // the two wires of the junction
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

// A pointer position as the tool tip shows it: a plain number of at most 7
// significant digits.
QString consejo_de(double y) {
    if (!std::isfinite(y)) return {};
    return QString::number(double(float(y)), 'g', 7).toUpper();
}

}  // namespace

// ---- Load -----------------------------------------------------------------

frmoperaciones::frmoperaciones(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("frmoperaciones"));
    construir();

    // Captions.
    setWindowTitle(sin_acceso(tx(21)));
    panel_->Label5->setText(tx(50) + QLatin1Char(':'));
    panel_->Label1->setText(tx(51) + QLatin1Char(':'));
    panel_->Label6->setText(tx(54) + QLatin1Char(':'));
    filas_.titulo[0]->setText(tx(70) + QLatin1Char(':'));
    filas_.titulo[1]->setText(tx(71));
    filas_.titulo[2]->setText(tx(73));
    filas_.titulo[3]->setText(tx(72));

    // Defaults of the window's record.
    s_.numgas = 0;
    s_.ecuacion = 0;
    s_.temperatura = 300;
    s_.moles = 0.25;
    s_.mu = 1.5;

    panel_->llenar_listas();

    QLineEdit* const* c = filas_.caja.data();
    escribir_valor(c[0], 0.25, QStringLiteral("0.25"));
    escribir_valor(c[1], 300, QStringLiteral("300"));
    escribir_valor(c[3], 1, QStringLiteral("1"));
    patm_ = leer_valor(c[3]);
    escribir_valor(c[2], 6.146, QStringLiteral("6.146"));
    vmolar_ = leer_valor(c[2]);

    marcar(Magnitud::presion);

    // Input limits and spinner ranges: amount, pressure, temperature, volume.
    for (int fila : {0, 3, 1, 2}) fijar_rango_spinner(fila);

    // The instruments' scales and end labels come before the first gas, so
    // that its recomputation draws them in their scales.
    escalas_y_rotulos();

    seleccionar(panel_->cmbgas, 0);
    seleccionar(panel_->cmbecu, 0);

    panel_->parametros();
    filas_.unidad[0]->setText(kMol);
    s_.moles = leer_valor(c[0]);
    s_.gramos = s_.moles * s_.gas.pm;
    s_.temperatura = leer_valor(c[1]);

    muestra_presion(true);
    muestra_temperatura(true);
    muestra_piston(true);

    // Without gases there is nothing to compute or to drag.
    if (panel_->cmbgas->count() == 0) {
        for (int i = 0; i < 4; ++i) {
            filas_.caja[i]->setEnabled(false);
            filas_.spinner[i]->setEnabled(false);
        }
        for (Lienzo* l : {pctpiston, termometro, termopar, barometro1, Manometro})
            l->setEnabled(false);
    }
}

frmoperaciones::~frmoperaciones() = default;

void frmoperaciones::construir() {
    panel_ = new PanelEcuacion(
        s_, {UnidadesParametros::simulacion(), [this] { actualiza_todo(); }, false}, this);

    auto* entradas = new QFrame(this);
    entradas->setObjectName(QStringLiteral("marco_entradas"));
    auto* ge = new QGridLayout(entradas);
    ge->setContentsMargins(0, 0, 0, 0);
    ge->setHorizontalSpacing(6);
    ge->setVerticalSpacing(8);
    filas_ = crear_filas_entrada(ge, entradas);
    ge->setColumnStretch(3, 1);

    auto* area = new QFrame(this);
    area->setObjectName(QStringLiteral("marco_instrumentos"));
    area->setFrameShape(QFrame::StyledPanel);
    construir_instrumentos(area);

    auto* izquierda = new QVBoxLayout;
    izquierda->setSpacing(14);
    izquierda->addWidget(panel_);
    auto* linea = new QFrame(this);
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);
    izquierda->addWidget(linea);
    izquierda->addWidget(entradas);
    izquierda->addStretch(1);
    auto* todo = new QHBoxLayout(this);
    todo->setContentsMargins(12, 12, 12, 12);
    todo->setSpacing(16);
    todo->addLayout(izquierda);
    todo->addWidget(area, 0, Qt::AlignTop);

    // Handlers.
    connect(filas_.titulo[3], &Etiqueta::clicked, this, [this] { lbbpress_Click(); });
    connect(filas_.titulo[1], &Etiqueta::clicked, this, [this] { lbbtemp_Click(); });
    connect(filas_.titulo[2], &Etiqueta::clicked, this, [this] { lbbvol_Click(); });
    for (int i = 1; i < 4; ++i) filas_.titulo[i]->fijar_mano(true);
    connect(filas_.unidad[0], &Etiqueta::clicked, this, [this] { lbmasa_Click(); });
    connect(filas_.unidad[1], &Etiqueta::clicked, this, [this] { lbtemp_Click(); });
    connect(filas_.unidad[2], &Etiqueta::clicked, this, [this] { lbvol_Click(); });
    connect(filas_.unidad[3], &Etiqueta::clicked, this, [this] { lbpress_Click(); });
    connect(filas_.spinner[0], &Spinner::changed, this, [this] { UpDown0_Change(); });
    connect(filas_.spinner[1], &Spinner::changed, this, [this] { UpDown1_Change(); });
    connect(filas_.spinner[2], &Spinner::changed, this, [this] { UpDown2_Change(); });
    connect(filas_.spinner[3], &Spinner::changed, this, [this] { UpDown3_Change(); });

    // Enter in the amount box recomputes without reformatting it; in the
    // others it is the box's LostFocus.
    eventos_[0] = conectar_caja(
        filas_.caja[0], [this] { actualiza_todo(); }, [this] { txtmol_LostFocus(); });
    eventos_[1] = conectar_caja(
        filas_.caja[1], [this] { txttemp_LostFocus(); }, [this] { txttemp_LostFocus(); });
    eventos_[2] = conectar_caja(
        filas_.caja[2], [this] { txtvol_LostFocus(); }, [this] { txtvol_LostFocus(); });
    eventos_[3] = conectar_caja(
        filas_.caja[3], [this] { txtpress_LostFocus(); }, [this] { txtpress_LostFocus(); });
}

void frmoperaciones::construir_instrumentos(QWidget* area) {
    auto lienzo = [area](const char* nombre, const QRect& r, const QColor& fondo) {
        auto* l = new Lienzo(area);
        l->setObjectName(QString::fromLatin1(nombre));
        l->setGeometry(r);
        l->fijar_fondo(fondo);
        l->cls();
        return l;
    };
    auto rotulo = [area](const char* nombre, int x, int y, Qt::Alignment alineacion) {
        auto* l = new QLabel(area);
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
    };
    auto forma = [area](const char* nombre, Forma::Tipo tipo, const QColor& color, const QRect& r,
                        QWidget* padre = nullptr) {
        auto* f = new Forma(tipo, color, padre ? padre : area);
        f->setObjectName(QString::fromLatin1(nombre));
        f->setGeometry(r);
        return f;
    };
    auto boton = [area, this](const char* nombre, int icono, double x,
                              void (frmoperaciones::*m)()) {
        auto* b = new QToolButton(area);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setGeometry(disenio(x, 90, 375, 375));
        b->setIcon(icono_instrumento(icono));
        b->setIconSize(b->size() - QSize(8, 8));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, m] { (this->*m)(); });
        return b;
    };

    // Design places, in twips before enlarging. The cylinder hangs from the
    // barometer's pipe; the thermometer stands at its left.
    const double xcil = 2100, ycil = 2640;  // the cylinder (pctpiston)
    const double ypipa = ycil - 1215;       // top of the upright pipe
    const double xrama0 = xcil + 1620;      // the falling leg, at the end of the pipe
    const double xrama1 = xrama0 + 675;     // the rising leg
    const double ytubo = ypipa - 825;       // top of the rising leg
    const double xterm = 1250, yterm = ycil + 200;

    bttermometro = boton("bttermometro", 0, 120, &frmoperaciones::bttermometro_Click);
    bttermopar = boton("bttermopar", 1, 555, &frmoperaciones::bttermopar_Click);
    btbarometro = boton("btbarometro", 2, xrama0 - 120, &frmoperaciones::btbarometro_Click);
    btmanometro = boton("btmanometro", 3, xrama0 + 315, &frmoperaciones::btmanometro_Click);
    bttermometro->setToolTip(tx(237, QStringLiteral("Termómetro")));
    bttermopar->setToolTip(tx(238, QStringLiteral("Termopar")));

    // The barometer: the pipe from the top of the cylinder up and across into
    // the falling leg, the two legs, the red bottom joining them, the scale.
    barometro[0] = forma("barometro_0", Forma::Tipo::rectangulo, kTubo,
                         disenio(xcil + 682 - 97, ypipa, 195, 1215 + 60));
    barometro[1] = forma("barometro_1", Forma::Tipo::rectangulo, kTubo,
                         disenio(xcil + 682 - 97, ypipa, 1200, 195));
    barometro0 = lienzo("barometro0", disenio(xrama0, ypipa + 195, 165, 2775), kTubo);
    barometro1 = lienzo("barometro1", disenio(xrama1, ytubo, 165, 3795), kTubo);
    barometro[2] = forma("barometro_2", Forma::Tipo::rectangulo, kLiquido,
                         disenio(xrama0, ypipa + 195 + 2775, 840, 195));
    barometros =
        lienzo("barometros", disenio(xrama1 + 195, ytubo, 75, 3795), palette().window().color());
    lbpsmax = rotulo("lbpsmax", barometros->geometry().right() + 6, barometros->y(), Qt::AlignLeft);
    lbpsmin = rotulo("lbpsmin", barometros->geometry().right() + 6, barometros->geometry().bottom(),
                     Qt::AlignLeft);
    for (Lienzo* l : {barometro0, barometro1}) l->fijar_tinta(kLiquido);

    // The manometer: a dial in the same place.
    Manometro = lienzo("Manometro", disenio(xrama0 - 120, ytubo + 200, 1755, 915), Qt::white);
    const QRect m = Manometro->geometry();
    lbppsmin = rotulo("lbppsmin", m.left(), m.bottom() + 12, Qt::AlignLeft);
    lbppsmax = rotulo("lbppsmax", m.right(), m.bottom() + 12, Qt::AlignRight);

    // The cylinder, its walls and the piston (head of two bars, rod).
    pctpiston = lienzo("pctpiston", disenio(xcil, ycil, 1365, 1965), kTubo);
    Shape1 = forma("Shape1", Forma::Tipo::paredes, QColor(64, 64, 64),
                   disenio(xcil - 90, ycil - 90, 1545, 1965 + 90 + 135));
    pistonn = lienzo("pistonn", disenio(xcil + 682 - 67, ycil + 135, 135, 735), kMarino);
    piston2 = lienzo("piston2", disenio(xcil, ycil + 135, 1365, 135), QColor(192, 192, 208));
    piston1 = lienzo("piston1", disenio(xcil, ycil, 1365, 135), kMarino);
    piston2->fijar_tinta(kMarino);
    piston1->fijar_tinta(QColor(255, 255, 0));
    for (Lienzo* l : {piston1, piston2}) {
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        forma("", Forma::Tipo::ovalo, QColor(0, 0, 64), QRect(QPoint(0, 0), l->size()), l);
    }
    pistonn->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The thermometer: the column, its scale, the bulb, the end values; and
    // the thermocouple's dial in its place.
    termometro = lienzo("termometro", disenio(xterm, yterm, 75, 1275), kTubo);
    termometro->fijar_tinta(kLiquido);
    termometros =
        lienzo("termometros", disenio(xterm + 90, yterm, 75, 1275), palette().window().color());
    const QRect t = termometro->geometry();
    bolaterm = forma("bolaterm", Forma::Tipo::circulo, kLiquido,
                     QRect(t.center().x() - px(315 * kAumento) / 2, t.bottom() - 2,
                           px(315 * kAumento), px(315 * kAumento)));
    lbtsmax = rotulo("lbtsmax", t.left() - 6, t.top(), Qt::AlignRight);
    lbtsmin = rotulo("lbtsmin", t.left() - 6, t.bottom(), Qt::AlignRight);
    termopar = lienzo("termopar", disenio(120, yterm + 100, 1755, 915), Qt::white);
    const QRect d = termopar->geometry();
    lbtpsmin = rotulo("lbtpsmin", d.left(), d.bottom() + 12, Qt::AlignLeft);
    lbtpsmax = rotulo("lbtpsmax", d.right(), d.bottom() + 12, Qt::AlignRight);
    for (Lienzo* l : {termometros, barometros}) l->fijar_tinta(palette().windowText().color());
    for (Lienzo* l : {termopar, Manometro}) l->fijar_tinta(palette().windowText().color());

    // The cylinder and the dials above the pipes; the piston above the
    // cylinder, its head above its rod.
    pctpiston->raise();
    Shape1->raise();
    barometro[0]->raise();
    pistonn->raise();
    piston2->raise();
    piston1->raise();

    area->setFixedSize(disenio(0, 0, xrama1 + 1350, ycil + 1965 + 1005 + 150).size());

    // Dragging: vertical on the column, the cylinder and the rising leg, with
    // the pointer's height as a tool tip; across the dials.
    conectar_arrastre(termometro, true, true, &frmoperaciones::temperatura_arrastrada);
    conectar_arrastre(pctpiston, true, true, &frmoperaciones::volumen_arrastrado);
    conectar_arrastre(barometro1, true, true, &frmoperaciones::presion_arrastrada);
    conectar_arrastre(termopar, false, false, &frmoperaciones::temperatura_arrastrada);
    conectar_arrastre(Manometro, false, false, &frmoperaciones::presion_arrastrada);
}

void frmoperaciones::escalas_y_rotulos() {
    termometro->fijar_escala(0, maxtermometro_, termometro->escala_ancho(),
                             -(maxtermometro_ - mintermometro_));
    barometro0->fijar_escala(0, minbarometro_, barometro0->escala_ancho(),
                             maxbarometro_ - minbarometro_);
    barometro1->fijar_escala(0, maxbarometro_, barometro1->escala_ancho(),
                             -(maxbarometro_ - minbarometro_));
    pctpiston->fijar_escala(0, minpiston_, pctpiston->escala_ancho(), maxpiston_ - minpiston_);
    termopar->fijar_escala(mintermopar_, 0, maxtermopar_ - mintermopar_, 100);
    Manometro->fijar_escala(minmanometro_, minmanometro_, maxmanometro_ - minmanometro_,
                            maxmanometro_ - minmanometro_);

    const QString kelvin = QLatin1Char(' ') + kKelvin;
    const QString atm = QLatin1Char(' ') + kAtm;
    auto texto = [](QWidget* w, double v, const QString& unidad) {
        static_cast<QLabel*>(w)->setText(fmt(v, "##0.00") + unidad);
    };
    texto(lbtsmax, termometro->escala_arriba(), kelvin);
    texto(lbtsmin, termometro->escala_arriba() + termometro->escala_alto(), kelvin);
    texto(lbpsmax, barometro1->escala_arriba(), atm);
    texto(lbpsmin, barometro1->escala_arriba() + barometro1->escala_alto(), atm);
    texto(lbtpsmax, termopar->escala_izquierda() + termopar->escala_ancho(), kelvin);
    texto(lbtpsmin, termopar->escala_izquierda(), kelvin);
    texto(lbppsmax, Manometro->escala_izquierda() + Manometro->escala_ancho(), atm);
    texto(lbppsmin, Manometro->escala_izquierda(), atm);

    // The tick scales: eleven lines, one every tenth of the height; the last
    // on the bottom row of pixels, so that it shows.
    for (Lienzo* l : {termometros, barometros}) {
        const double w = l->escala_ancho();
        const double h = l->escala_alto();
        for (int i = 0; i <= 10; ++i) {
            const double y = std::min(i * h / 10, h - kTwipsPorPixel);
            l->linea(0, y, w, y);
        }
    }
}

frmoperaciones::Limites frmoperaciones::limites(char tipo) const {
    switch (tipo) {
        case 'm':
            if (filas_.unidad[0]->text() == kGramo)
                return {lim_cantidad_.minimo * pm_limites_, lim_cantidad_.maximo * pm_limites_};
            return lim_cantidad_;
        case 't': {
            const QString u = filas_.unidad[1]->text();
            return {ciclo_temperatura().convertir(lim_temperatura_.minimo, kKelvin, u),
                    ciclo_temperatura().convertir(lim_temperatura_.maximo, kKelvin, u)};
        }
        case 'v': {
            const QString u = filas_.unidad[2]->text();
            return {ciclo_volumen().convertir(lim_volumen_.minimo, kLitro, u),
                    ciclo_volumen().convertir(lim_volumen_.maximo, kLitro, u)};
        }
        case 'p': {
            const QString u = filas_.unidad[3]->text();
            return {ciclo_presion().convertir(lim_presion_.minimo, kAtm, u),
                    ciclo_presion().convertir(lim_presion_.maximo, kAtm, u)};
        }
        default:
            return {};
    }
}

void frmoperaciones::fijar_rango_spinner(int fila) {
    static const char tipos[4] = {'m', 't', 'v', 'p'};
    const Limites l = limites(tipos[fila]);
    Spinner* s = filas_.spinner[std::size_t(fila)];
    s->fijar_maximo(redondeo_par(l.maximo));
    s->fijar_minimo(redondeo_par(l.minimo));
}

// ---- Activation -----------------------------------------------------------

void frmoperaciones::showEvent(QShowEvent* ev) {
    QWidget::showEvent(ev);
    auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!vigilando_area_) {
        vigilando_area_ = true;
        // A message box opened over the window ends a drag.
        window()->installEventFilter(this);
        if (QMdiArea* area = marco ? marco->mdiArea() : nullptr) {
            // Activations come from the area. The same window activated again
            // (after a message box, or when the program regains the focus) is
            // no return from another window, so it redraws nothing: an
            // out-of-range message would otherwise come back for ever.
            connect(area, &QMdiArea::subWindowActivated, this, [this, marco](QMdiSubWindow* w) {
                if (!w) return;
                const bool otra = ultima_activa_ != w;
                ultima_activa_ = w;
                if (w == marco && otra && activada_) Form_Activate();
            });
        }
    }
    if (!activada_) {
        activada_ = true;
        ultima_activa_ = marco;
        Form_Activate();
    }
}

bool frmoperaciones::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == window() && ev->type() == QEvent::WindowBlocked) arrastre_ = nullptr;
    return QWidget::eventFilter(obj, ev);
}

void frmoperaciones::closeEvent(QCloseEvent* ev) {
    for (EventosFoco* e : eventos_)
        if (e) e->activar(false);
    panel_->activar_eventos(false);
    arrastre_ = nullptr;
    ev->accept();
}

void frmoperaciones::Form_Activate() {
    actualiza_volumen();
    actualiza_presion();
    actualiza_temperatura();
    piston1->caja_llena(0, 0, piston1->escala_ancho(), piston1->escala_alto() / 2);
    piston2->caja_llena(0, 0, piston2->escala_ancho(), piston2->escala_alto() / 2);
}

// ---- The computation ------------------------------------------------------

void frmoperaciones::actualiza_todo() {
    calcular();
    actualiza_volumen();
    actualiza_presion();
    actualiza_temperatura();
}

void frmoperaciones::calcular() {
    if (panel_->cmbgas->currentIndex() < 0) return;
    // No equation chosen yet: choosing the first one recomputes.
    if (panel_->cmbecu->currentIndex() < 0) {
        seleccionar(panel_->cmbecu, 0);
        return;
    }

    panel_->leer(s_);

    if (!validar('m')) return;
    const auto por_tipo = [this](char tipo) { return validar(tipo); };
    if (!validar_datos(roja_, filas_, por_tipo, incognita_)) return;

    const Magnitud m = magnitud_de(incognita_);
    if (m == Magnitud::ninguna) return;
    marcar(m);
    resolver_y_mostrar(m, panel_->calculable(s_), s_, vmolar_, patm_, filas_, kPatron);
}

bool frmoperaciones::validar(char tipo) {
    const int fila = fila_de(tipo);
    if (fila < 0) return false;
    QLineEdit* c = filas_.caja[std::size_t(fila)];
    const QString u = filas_.unidad[std::size_t(fila)]->text();
    if (tipo != 'm' && c->text().isEmpty()) return true;

    // Texts 77/78 amount, 79/80 temperature, 81/82 volume, 83/84 pressure.
    const int texto = 77 + 2 * fila;
    const Limites l = limites(tipo);
    const double x = leer_valor(c);
    auto rechazo = [&](bool maximo) {
        rechazar(c, maximo ? texto + 1 : texto, maximo ? l.maximo : l.minimo, u, this);
        arrastre_ = nullptr;
        return false;
    };
    // A text whose number is too large for a double is too large.
    if (!std::isfinite(x) || x > l.maximo) return rechazo(true);
    if (!(x > l.minimo)) return rechazo(false);
    // Nor grams of a gas without a molar mass, nor, whatever the unit, a
    // temperature at or below 0 K.
    if (!guardar_valor(tipo, x, u, s_, vmolar_, patm_)) return rechazo(false);
    return true;
}

// ---- The dependent quantity -----------------------------------------------

void frmoperaciones::marcar(Magnitud m) {
    roja_ = m;
    marcar_filas(filas_, m);
}

void frmoperaciones::lbbpress_Click() {
    marcar(Magnitud::presion);
}
void frmoperaciones::lbbtemp_Click() {
    marcar(Magnitud::temperatura);
}
void frmoperaciones::lbbvol_Click() {
    marcar(Magnitud::volumen);
}

// ---- Instruments ----------------------------------------------------------

void frmoperaciones::muestra_presion(bool si) {
    if (medidor_presion != 0 && medidor_presion != 1) return;
    const bool barometro_visible = si && medidor_presion == 0;
    const bool manometro_visible = si && medidor_presion == 1;
    for (QWidget* w : {static_cast<QWidget*>(barometro0), static_cast<QWidget*>(barometro1),
                       static_cast<QWidget*>(barometros), lbpsmax, lbpsmin, barometro[0],
                       barometro[1], barometro[2]})
        w->setVisible(barometro_visible);
    for (QWidget* w : {static_cast<QWidget*>(Manometro), lbppsmax, lbppsmin})
        w->setVisible(manometro_visible);
}

void frmoperaciones::muestra_temperatura(bool si) {
    if (medidor_temperatura != 0 && medidor_temperatura != 1) return;
    const bool termometro_visible = si && medidor_temperatura == 0;
    const bool termopar_visible = si && medidor_temperatura == 1;
    for (QWidget* w : {static_cast<QWidget*>(termometro), static_cast<QWidget*>(termometros),
                       lbtsmax, lbtsmin, bolaterm})
        w->setVisible(termometro_visible);
    for (QWidget* w : {static_cast<QWidget*>(termopar), lbtpsmax, lbtpsmin})
        w->setVisible(termopar_visible);
}

void frmoperaciones::muestra_piston(bool si) {
    for (QWidget* w : {static_cast<QWidget*>(piston1), static_cast<QWidget*>(piston2),
                       static_cast<QWidget*>(pistonn), static_cast<QWidget*>(pctpiston), Shape1})
        w->setVisible(si);
}

void frmoperaciones::bttermometro_Click() {
    medidor_temperatura = 0;
    muestra_temperatura(true);
    actualiza_temperatura();
}

void frmoperaciones::bttermopar_Click() {
    medidor_temperatura = 1;
    muestra_temperatura(true);
    actualiza_temperatura();
}

void frmoperaciones::btbarometro_Click() {
    medidor_presion = 0;
    muestra_presion(true);
    actualiza_presion();
}

void frmoperaciones::btmanometro_Click() {
    medidor_presion = 1;
    muestra_presion(true);
    actualiza_presion();
}

void frmoperaciones::avisar(int texto) {
    arrastre_ = nullptr;
    msgbox(tx(texto), 64, QString(), this);
}

namespace {

// What a read-out found in its box: the value in the unit shown and in the
// base unit. Nothing when the box shows a text instead of a number (a result
// that could not be computed): the instrument then keeps what it showed.
std::optional<std::pair<double, double>> lectura(const QLineEdit* caja, const QLabel* unidad,
                                                 const Ciclo& ciclo, const QString& base) {
    if (!muestra_numero(caja)) return std::nullopt;
    const double mostrado = leer_valor(caja);
    const double valor = ciclo.convertir(mostrado, unidad->text(), base);
    if (!std::isfinite(mostrado) || !std::isfinite(valor)) return std::nullopt;
    return std::pair{mostrado, valor};
}

}  // namespace

void frmoperaciones::actualiza_volumen() {
    const auto l = lectura(filas_.caja[2], filas_.unidad[2], ciclo_volumen(), kLitro);
    if (!l) return;
    const double v = l->second;
    dibuja_piston(std::clamp(v, minpiston_, maxpiston_));
    if (v >= minpiston_ && v <= maxpiston_)
        escribir_numero(filas_.caja[2], l->first, kPatronLectura);
    else
        avisar(90);
}

void frmoperaciones::actualiza_temperatura() {
    const auto l = lectura(filas_.caja[1], filas_.unidad[1], ciclo_temperatura(), kKelvin);
    if (!l) return;
    const double t = l->second;
    // The record keeps the temperature read, when it is one.
    if (t > 0) s_.temperatura = t;
    const double minimo = medidor_temperatura == 0 ? mintermometro_ : mintermopar_;
    const double maximo = medidor_temperatura == 0 ? maxtermometro_ : maxtermopar_;
    const double dibujada = std::clamp(t, minimo, maximo);
    if (medidor_temperatura == 0)
        dibuja_columna(termometro, dibujada);
    else
        dibuja_esfera(termopar, dibujada);
    if (t >= minimo && t <= maximo)
        escribir_numero(filas_.caja[1], l->first, kPatronLectura);
    else
        avisar(medidor_temperatura == 0 ? 91 : 92);
}

void frmoperaciones::actualiza_presion() {
    const auto l = lectura(filas_.caja[3], filas_.unidad[3], ciclo_presion(), kAtm);
    if (!l) return;
    const double p = l->second;
    const double minimo = medidor_presion == 0 ? minbarometro_ : minmanometro_;
    const double maximo = medidor_presion == 0 ? maxbarometro_ : maxmanometro_;
    const double dibujada = std::clamp(p, minimo, maximo);
    if (medidor_presion == 0) {
        dibuja_columna(barometro0, dibujada);
        dibuja_columna(barometro1, dibujada);
    } else {
        dibuja_esfera(Manometro, dibujada);
    }
    if (p >= minimo && p <= maximo)
        escribir_numero(filas_.caja[3], l->first, kPatronLectura);
    else
        avisar(medidor_presion == 0 ? 94 : 95);
}

void frmoperaciones::dibuja_piston(double v) {
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

void frmoperaciones::dibuja_columna(Lienzo* l, double valor) {
    // From beyond the bottom edge up (or, on the falling leg, from the bottom
    // edge) to the value.
    l->cls();
    l->caja_llena(0, l->escala_alto(), l->escala_ancho(), valor);
}

void frmoperaciones::dibuja_esfera(Lienzo* l, double v) {
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

// ---- Dragging -------------------------------------------------------------

void frmoperaciones::conectar_arrastre(Lienzo* l, bool vertical, bool consejo,
                                       void (frmoperaciones::*accion)(double)) {
    connect(l, &Lienzo::raton_abajo, this,
            [this, l, vertical, accion](int boton, double x, double y) {
                if (boton != 1) return;
                arrastre_ = l;
                (this->*accion)(vertical ? y : x);
            });
    connect(l, &Lienzo::raton_movido, this,
            [this, l, vertical, consejo, accion](int botones, double x, double y) {
                if (consejo) l->fijar_consejo(consejo_de(y));
                if (botones != 1 || arrastre_ != l) return;
                // The pointer may leave the picture: the value stays at the
                // end of the scale.
                const double a = vertical ? l->escala_arriba() : l->escala_izquierda();
                const double b = a + (vertical ? l->escala_alto() : l->escala_ancho());
                const double v = std::clamp(vertical ? y : x, std::min(a, b), std::max(a, b));
                (this->*accion)(v);
            });
    connect(l, &Lienzo::raton_arriba, this, [this, l](int boton, double, double) {
        if (boton == 1 && arrastre_ == l) arrastre_ = nullptr;
    });
}

void frmoperaciones::temperatura_arrastrada(double t) {
    if (t > 0 && std::isfinite(t)) s_.temperatura = t;
    escribir_en_unidad(filas_.caja[1], filas_.unidad[1], ciclo_temperatura(), kKelvin, t,
                       kPatronLectura);
    txttemp_LostFocus();
    calcular();
    actualiza_temperatura();
    if (roja_ == Magnitud::volumen) {
        lbbvol_Click();
        actualiza_volumen();
    } else {
        lbbpress_Click();
        actualiza_presion();
    }
}

void frmoperaciones::volumen_arrastrado(double v) {
    escribir_en_unidad(filas_.caja[2], filas_.unidad[2], ciclo_volumen(), kLitro, v,
                       kPatronLectura);
    calcular();
    actualiza_volumen();
    if (roja_ == Magnitud::presion) {
        lbbpress_Click();
        actualiza_presion();
    } else {
        lbbtemp_Click();
        actualiza_temperatura();
    }
}

void frmoperaciones::presion_arrastrada(double p) {
    escribir_en_unidad(filas_.caja[3], filas_.unidad[3], ciclo_presion(), kAtm, p, kPatronLectura);
    calcular();
    actualiza_presion();
    if (roja_ == Magnitud::volumen) {
        lbbvol_Click();
        actualiza_volumen();
    } else {
        lbbtemp_Click();
        actualiza_temperatura();
    }
}

// ---- Inputs ---------------------------------------------------------------

void frmoperaciones::txtmol_LostFocus() {
    QLineEdit* c = filas_.caja[0];
    if (!c->text().isEmpty()) reformatear(c, kPatron);
}

void frmoperaciones::txttemp_LostFocus() {
    QLineEdit* c = filas_.caja[1];
    const double x = leer_valor(c);
    // The parameters follow a temperature the recomputation accepts.
    if (x > limites('t').minimo)
        panel_->temperatura_cambiada(
            ciclo_temperatura().convertir(x, filas_.unidad[1]->text(), kKelvin));
    reformatear(c, kPatron);
    actualiza_todo();
}

void frmoperaciones::txtvol_LostFocus() {
    reformatear(filas_.caja[2], kPatron);
    actualiza_todo();
}

void frmoperaciones::txtpress_LostFocus() {
    reformatear(filas_.caja[3], kPatron);
    actualiza_todo();
}

void frmoperaciones::UpDown0_Change() {
    txtmol_LostFocus();
    actualiza_todo();
}

void frmoperaciones::UpDown1_Change() {
    txttemp_LostFocus();
    actualiza_todo();
}

void frmoperaciones::UpDown2_Change() {
    txtvol_LostFocus();
    actualiza_todo();
}

void frmoperaciones::UpDown3_Change() {
    // The box keeps the spinner's whole number unless the recomputation or
    // the instrument rewrites it.
    actualiza_todo();
}

// ---- Units ----------------------------------------------------------------

void frmoperaciones::lbmasa_Click() {
    QLabel* u = filas_.unidad[0];
    const bool a_gramos = u->text() == kMol;
    const double pm = s_.gas.pm;
    if (a_gramos) {
        pm_limites_ = pm;
    } else if (pm > 0 && pm != pm_limites_) {
        // Limits in grams of another gas mean other amounts of this one.
        lim_cantidad_.minimo *= pm_limites_ / pm;
        lim_cantidad_.maximo *= pm_limites_ / pm;
    }
    u->setText(a_gramos ? kGramo : kMol);
    fijar_rango_spinner(0);
    actualiza_todo();
}

void frmoperaciones::ciclar_unidad(int fila, const Ciclo& ciclo) {
    // The limits are kept in the base unit; the spinner follows the unit.
    const std::size_t i = std::size_t(fila);
    if (!ciclar(filas_.unidad[i], filas_.caja[i], ciclo, kPatron).isEmpty())
        fijar_rango_spinner(fila);
}

void frmoperaciones::lbtemp_Click() {
    ciclar_unidad(1, ciclo_temperatura());
}

void frmoperaciones::lbvol_Click() {
    ciclar_unidad(2, ciclo_volumen());
}

void frmoperaciones::lbpress_Click() {
    ciclar_unidad(3, ciclo_presion());
}

}  // namespace korgas
