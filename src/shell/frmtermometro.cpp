#include "shell/frmtermometro.h"

#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "core/numtext.h"
#include "core/unidades.h"
#include "platform/controles.h"
#include "platform/lienzo.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

constexpr const char* kPatron = "###0.00";

// The unit names of the scales, as the core's temperature conversion knows
// them and as the unit labels show them.
constexpr const char* kUnidades[frmtermometro::kEscalas] = {"\u00BAC", "\u00BAK", "\u00BAF",
                                                            "\u00BAR", "\u00BARe"};

// Fixed points: the melting and boiling points of water on each scale.
constexpr double kFijoInferior[frmtermometro::kEscalas] = {0, 273.15, 32, 491.67, 0};
constexpr double kFijoSuperior[frmtermometro::kEscalas] = {100, 373.15, 212, 671.67, 80};
const char* const kRotuloSuperior[frmtermometro::kEscalas] = {
    "100 \u00BAC", "373.15 \u00BAK", "212 \u00BAF", "671.67 \u00BAR", "80 \u00BARe"};
const char* const kRotuloInferior[frmtermometro::kEscalas] = {
    "0 \u00BAC", "273.15 \u00BAK", "32 \u00BAF", "491.67 \u00BAR", "0 \u00BARe"};

// Degrees between the fixed points, against the 180 of the tallest columns.
constexpr double kGrados[frmtermometro::kEscalas] = {100, 100, 180, 180, 80};

// Layout, in twips: the frames side by side, and inside each frame the title,
// the column (its tallest height; every column stands on the same bottom),
// the box and its unit.
constexpr int kMargen = 120;
constexpr int kAnchoMarco = 1920;
constexpr int kPasoMarco = 2040;
constexpr int kAltoMarco = 6120;
constexpr int kAnchoColumna = 135;
constexpr int kAltoColumna = 4275;
constexpr int kIzquierdaColumna = 630;
constexpr int kArribaColumna = 840;

const QColor kFondo(224, 224, 224);
const QColor kRojo(255, 0, 0);
const QColor kVidrio(90, 100, 115);

// Bulb and tube drawn behind each column: the decoration of a thermometer.
// The column covers the inside of the tube; the bulb hangs below it.
class Bulbo : public QWidget {
  public:
    static constexpr int kDiametro = 20;
    static constexpr int kHolgura = 4;  // tube beyond the column on each side

    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double cx = width() / 2.0;
        const double tubo = px(kAnchoColumna) + 2.0 * kHolgura;
        const QRectF r(cx - tubo / 2, 0.5, tubo, height() - kDiametro);
        p.setPen(QPen(kVidrio, 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(r, tubo / 2, tubo / 2);
        const QPointF centro(cx, height() - kDiametro / 2.0 - 0.5);
        p.setBrush(kRojo);
        p.drawEllipse(centro, kDiametro / 2.0 - 0.5, kDiametro / 2.0 - 0.5);
        // The stem joining the bulb to the bottom of the column.
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(cx - px(kAnchoColumna) / 2.0, r.bottom() - kHolgura - 1,
                          px(kAnchoColumna), kHolgura + 4));
    }
};

// The pointer over the columns: an arrow pointing left at the level it reads.
QCursor puntero() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath flecha;
    flecha.moveTo(1, 15.5);
    flecha.lineTo(11, 9.5);
    flecha.lineTo(11, 13.5);
    flecha.lineTo(24, 13.5);
    flecha.lineTo(24, 17.5);
    flecha.lineTo(11, 17.5);
    flecha.lineTo(11, 21.5);
    flecha.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::black);
    p.drawPath(flecha);
    p.end();
    return QCursor(pm, 1, 15);
}

}  // namespace

frmtermometro::frmtermometro(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmtermometro);

    // Captions.
    setWindowTitle(sin_acceso(tx(24)));

    // Fixed points.
    std::copy(std::begin(kFijoInferior), std::end(kFijoInferior), fijo_inferior_.begin());
    std::copy(std::begin(kFijoSuperior), std::end(kFijoSuperior), fijo_superior_.begin());

    const QCursor cursor = puntero();
    const int fondo_px = px(kArribaColumna + kAltoColumna);
    for (int i = 0; i < kEscalas; ++i) {
        const QString n = QString::number(i);
        QFrame* m = marco[std::size_t(i)] = new QFrame(this);
        m->setObjectName(QStringLiteral("Frame_") + n);
        m->setFrameShape(QFrame::StyledPanel);
        m->setGeometry(rect_twips(kMargen + i * kPasoMarco, kMargen, kAnchoMarco, kAltoMarco));

        QLabel* tit = txttit[std::size_t(i)] =
            rotulo(QStringLiteral("txttit_") + n, m, tx(110 + i));
        tit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        tit->setWordWrap(true);
        tit->setGeometry(rect_twips(60, 120, kAnchoMarco - 120, 600));

        // Heights in proportion to the degrees, bottoms on one line
        // (worked out in whole pixels, so that no rounding moves a bottom).
        const int alto = px(kAltoColumna * kGrados[i] / 180.0);
        const QRect columna(px(kIzquierdaColumna), fondo_px - alto, px(kAnchoColumna), alto);

        QWidget* bulbo = Shape1[std::size_t(i)] = new Bulbo(m);
        bulbo->setObjectName(QStringLiteral("Shape1_") + n);
        const int ancho_bulbo = Bulbo::kDiametro + 1;  // odd, centred on the column
        bulbo->setGeometry(columna.left() + (columna.width() - ancho_bulbo) / 2, columna.top() - 3,
                           ancho_bulbo, alto + 3 + Bulbo::kDiametro + 2);

        Lienzo* l = pct[std::size_t(i)] = new Lienzo(m);
        l->setObjectName(QStringLiteral("pct_") + n);
        l->setGeometry(columna);
        l->fijar_fondo(kFondo);
        l->fijar_tinta(kRojo);
        l->setCursor(cursor);
        // The vertical scale runs from the upper fixed point at the top
        // down to the lower one at the bottom; across, the design's twips.
        l->fijar_escala(0, fijo_superior_[std::size_t(i)], kAnchoColumna,
                        -(fijo_superior_[std::size_t(i)] - fijo_inferior_[std::size_t(i)]));
        l->cls();
        connect(l, &Lienzo::raton_abajo, this,
                [this, i](int b, double x, double y) { pct_MouseDown(i, b, x, y); });
        connect(l, &Lienzo::raton_movido, this,
                [this, i](int b, double x, double y) { pct_MouseMove(i, b, x, y); });

        // The fixed points beside the top and the bottom of the column.
        const int junto = columna.right() + 1 + px(90);
        QLabel* sup = lbt[std::size_t(i)] =
            rotulo(QStringLiteral("lbt_") + n, m, QString::fromUtf8(kRotuloSuperior[i]));
        sup->adjustSize();
        sup->move(junto, columna.top() - sup->height() / 2);
        QLabel* inf = lbt0[std::size_t(i)] =
            rotulo(QStringLiteral("lbt0_") + n, m, QString::fromUtf8(kRotuloInferior[i]));
        inf->adjustSize();
        inf->move(junto, fondo_px - inf->height() / 2);

        QLineEdit* c = txttemp[std::size_t(i)] = caja_numerica(QStringLiteral("txttemp_") + n, m);
        c->setGeometry(rect_twips(240, 5580, 1080, 330));
        connect(c, &QLineEdit::returnPressed, this, [this, i] { txttemp_KeyPress(i); });

        QLabel* g = lbgrado[std::size_t(i)] =
            rotulo(QStringLiteral("lbgrado_") + n, m, QString::fromUtf8(kUnidades[i]));
        g->setGeometry(rect_twips(1380, 5580, 480, 330));
        g->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    // The first value: 0 ºC, through the Enter of its box.
    temperaturas_[0] = 0;
    escribir_valor(txttemp[0], 0.0, kPatron);
    txttemp_KeyPress(0);
}

QSize frmtermometro::sizeHint() const {
    return rect_twips(0, 0, 2 * kMargen + (kEscalas - 1) * kPasoMarco + kAnchoMarco,
                      2 * kMargen + kAltoMarco)
        .size();
}

double frmtermometro::escalas(int de, int a, double t) {
    if (de < 0 || de >= kEscalas || a < 0 || a >= kEscalas) return 0;
    return convtemperatura(t, kUnidades[de], kUnidades[a]);
}

void frmtermometro::fijar_temperatura(int s, double t) {
    for (int i = 0; i < kEscalas; ++i) {
        temperaturas_[std::size_t(i)] = escalas(s, i, t);
        escribir_valor(txttemp[std::size_t(i)], temperaturas_[std::size_t(i)], kPatron);
        dibujar(i);
    }
}

void frmtermometro::dibujar(int i) {
    Lienzo* l = pct[std::size_t(i)];
    l->cls();
    double v = temperaturas_[std::size_t(i)];
    if (std::isnan(v)) return;
    // Beyond the fixed points the column is full or empty; an infinite value
    // too.
    const double inf = fijo_inferior_[std::size_t(i)];
    const double sup = fijo_superior_[std::size_t(i)];
    v = std::clamp(v, inf - (sup - inf), sup + (sup - inf));
    l->caja_llena(0, l->escala_alto(), l->escala_ancho(), v);
}

void frmtermometro::txttemp_KeyPress(int indice) {
    if (indice < 0 || indice >= kEscalas) return;
    // A text whose number is too large for a double is no number: like a text
    // of letters, it reads as 0.
    const double t = leer_valor(txttemp[std::size_t(indice)]);
    fijar_temperatura(indice, std::isfinite(t) ? t : 0.0);
}

void frmtermometro::pct_MouseDown(int indice, int boton, double, double y) {
    if (indice < 0 || indice >= kEscalas || boton != 1) return;
    fijar_temperatura(indice, double(float(y)));
}

void frmtermometro::pct_MouseMove(int indice, int botones, double, double y) {
    if (indice < 0 || indice >= kEscalas) return;
    const float yf = float(y);
    pct[std::size_t(indice)]->fijar_consejo(QString::fromStdString(texto_corto_simple(yf)));
    if (!(botones & 1)) return;
    const double v = std::clamp(double(yf), fijo_inferior_[std::size_t(indice)],
                                fijo_superior_[std::size_t(indice)]);
    fijar_temperatura(indice, v);
}

}  // namespace korgas
