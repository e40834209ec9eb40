#include "systems/frmgraficos.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "core/numtext.h"
#include "platform/controles.h"
#include "platform/enlaces.h"
#include "platform/lienzo.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"
#include "platform/valor_caja.h"
#include "platform/ventanas.h"
#include "systems/frmdatos.h"
#include "systems/graficos.h"
#include "systems/sistemas_qt.h"

namespace korgas {

namespace {

// The design: the frame at 120, 120, 8655 × 6735 twips in the window.
constexpr double kAnchoDiseno = 8655 + 2 * 120;
constexpr double kAltoDiseno = 6735 + 2 * 120;

// The corner labels' font.
QFont letra_esquinas() {
    QFont f(QStringLiteral("Times New Roman"));
    f.setStyleHint(QFont::Serif);
    f.setPointSize(10);
    return f;
}

frmdatos* ventana_datos() {
    return Ventanas::buscar<frmdatos>(kFrmdatos);
}

void habilitar_entradas(bool si) {
    if (QAction* a = orden_principal(Orden::escala)) a->setEnabled(si);
}

double twips(int pixeles) {
    return double(pixeles) * kTwipsPorPixel;
}

}  // namespace

MarcoGrafico::MarcoGrafico(QWidget* padre) : QFrame(padre) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
}

void MarcoGrafico::fijar_marcas(QVector<QLineF> marcas) {
    marcas_ = std::move(marcas);
    update();
}

void MarcoGrafico::paintEvent(QPaintEvent* ev) {
    QFrame::paintEvent(ev);
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), 0));
    p.drawLines(marcas_);
}

frmgraficos::frmgraficos(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmgraficos);
    frmgrafico = new MarcoGrafico(this);
    frmgrafico->setObjectName(QStringLiteral("frmgrafico"));
    pctgrafico = new Lienzo(frmgrafico);
    pctgrafico->setObjectName(QStringLiteral("pctgrafico"));
    pctgrafico->fijar_fondo(QColor(255, 255, 255));
    pctgrafico->setCursor(Qt::CrossCursor);
    lby = rotulo("lby", frmgrafico);
    lbx = rotulo("lbx", frmgrafico);
    x0y1 = rotulo("x0y1", frmgrafico);
    x0y0y = rotulo("x0y0y", frmgrafico);
    x0y0x = rotulo("x0y0x", frmgrafico);
    x1y0 = rotulo("x1y0", frmgrafico);
    for (QLabel* l : {lby, lbx, x0y1, x0y0y, x0y0x, x1y0}) l->setFont(letra_esquinas());
    x0y1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    x0y0y->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    connect(pctgrafico, &Lienzo::raton_abajo, this,
            [this](int b, double x, double y) { pctgrafico_MouseDown(b, x, y); });
    connect(pctgrafico, &Lienzo::raton_movido, this,
            [this](int b, double x, double y) { pctgrafico_MouseMove(b, x, y); });
    connect(pctgrafico, &Lienzo::raton_arriba, this,
            [this](int b, double x, double y) { pctgrafico_MouseUp(b, x, y); });

    // Resizes are drawn once, when the event loop comes round.
    redimension_.setSingleShot(true);
    redimension_.setInterval(0);
    connect(&redimension_, &QTimer::timeout, this, [this] { Form_Resize(); });

    resize(sizeHint());
    redimensiona();

    // Form_Load.
    actualiza();
    setWindowTitle(sin_acceso(tx(3)));
    if (frmdatos* d = ventana_datos()) {
        d->btactualiza->setText(tx(58));
        textos_enteros(d);
    }
    habilitar_entradas(true);
}

frmgraficos::~frmgraficos() {
    if (principal_) principal_->removeEventFilter(this);
}

QSize frmgraficos::sizeHint() const {
    // The design size, but never below the half of the main window that the
    // window's frame keeps as its minimum: the first drawing is then made
    // for the size the window is shown at.
    QSize s(px(kAnchoDiseno), px(kAltoDiseno));
    if (QMdiArea* a = Ventanas::area()) s = s.expandedTo(a->window()->size() / 2);
    return s;
}

void frmgraficos::closeEvent(QCloseEvent* ev) {
    if (frmdatos* d = ventana_datos()) d->btactualiza->setText(tx(55));
    habilitar_entradas(false);
    // The scale dialog works on this window: it goes with it.
    Ventanas::descargar(kFrmescala);
    redimension_.stop();
    ev->accept();
}

// ---- Size ---------------------------------------------------------------

void frmgraficos::showEvent(QShowEvent* ev) {
    QWidget::showEvent(ev);
    limite_de_tamano();
}

// The window never gets smaller than half the main window, either way: its
// frame in the area carries that minimum, which follows the main window.
void frmgraficos::limite_de_tamano() {
    auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = marco ? marco->mdiArea() : nullptr;
    QWidget* principal = area ? area->window() : nullptr;
    if (!principal) return;
    if (principal != principal_) {
        if (principal_) principal_->removeEventFilter(this);
        principal_ = principal;
        principal_->installEventFilter(this);
        marco->installEventFilter(this);
    }
    marco->setMinimumSize(principal_->width() / 2, principal_->height() / 2);
}

bool frmgraficos::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == principal_ && ev->type() == QEvent::Resize) limite_de_tamano();
    if (obj == parentWidget() && ev->type() == QEvent::MouseMove)
        puntero_en_el_borde(static_cast<QMouseEvent*>(ev));
    return QWidget::eventFilter(obj, ev);
}

// While an edge of the frame is dragged past the half-size limit, the
// pointer stays on the edge that no longer follows it: first the bottom edge,
// else the right one.
void frmgraficos::puntero_en_el_borde(const QMouseEvent* ev) {
    auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!marco || !(ev->buttons() & Qt::LeftButton)) return;
    const QPoint local = ev->position().toPoint();
    QPoint global = ev->globalPosition().toPoint();
    if (marco->height() <= marco->minimumHeight() && local.y() > marco->height())
        global.ry() -= local.y() - (marco->height() - 1);
    else if (marco->width() <= marco->minimumWidth() && local.x() > marco->width())
        global.rx() -= local.x() - (marco->width() - 1);
    else
        return;
    QCursor::setPos(global);
}

void frmgraficos::resizeEvent(QResizeEvent* ev) {
    QWidget::resizeEvent(ev);
    redimension_.start();
}

void frmgraficos::Form_Resize() {
    if (window()->isMinimized() || isMinimized()) return;
    if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget()); marco && marco->isMinimized())
        return;
    // Nothing to do when the size the drawing was made for has not changed.
    if (size() == tamano_dibujado_) return;
    // The layout, the scale's check (a refused scale warns once) and the
    // drawing: all of it is dibuja.
    dibuja();
}

void frmgraficos::redimensiona() {
    tamano_dibujado_ = size();
    const double W = twips(width());
    const double H = twips(height());

    // The frame: 0.95 of the width, centred; 0.9 of the height, a third of
    // the spare height above it.
    const double fh = 0.9 * H;
    const double fw = 0.95 * W;
    frmgrafico->setGeometry(rect_twips((W - fw) / 2, (H - fh) / 3, fw, fh));

    // The plot.
    const double ph = 0.8 * fh;
    const double pw = 0.85 * fw;
    const double pt = (fh - ph) / 3;
    const double pl = (fw - pw) * 3 / 4;
    const double pb = pt + ph;
    pctgrafico->setGeometry(rect_twips(pl, pt, pw, ph));
    auto franja = [&](const QLabel* l) { return pb + (fh - pb - twips(l->height())) / 2; };

    // Axis titles.
    lby->setText(QStringLiteral("P (atm.)"));
    lby->adjustSize();
    lby->move(px((pl - twips(lby->width())) / 2), px(ph / 2));
    lbx->setText(QStringLiteral("V (l)"));
    lbx->adjustSize();
    lbx->move(px(pl + (pw - twips(lbx->width())) / 2), px(franja(lbx)));

    // Corner labels: the current scale as plain number text (the scale's own
    // check writes them again with two decimals).
    x0y0x->setText(QString::fromStdString(texto_corto(escala_min.v)));
    x0y0y->setText(QString::fromStdString(texto_corto(escala_min.p)));
    x1y0->setText(QString::fromStdString(texto_corto(escala_max.v)));
    x0y1->setText(QString::fromStdString(texto_corto(escala_max.p)));
    colocar_esquinas();

    // Tick marks: ten divisions along the left and the bottom edge.
    QVector<QLineF> marcas;
    const double x_izq = 0.9 * pl - 25 + 50;
    const double y_fin = franja(lbx) - 250;
    auto p = [](double x, double y) { return QPointF(x / kTwipsPorPixel, y / kTwipsPorPixel); };
    for (int k = 0; k <= 10; ++k) {
        const double y = k == 10 ? pb - 20 : pt + k * ph / 10;
        marcas.append(QLineF(p(x_izq, y), p(pl + 25, y)));
        const double x = k == 10 ? pl + pw - 20 : pl + k * pw / 10;
        marcas.append(QLineF(p(x, pb), p(x, y_fin)));
    }
    frmgrafico->fijar_marcas(std::move(marcas));

    // The scale, without checks and without clearing.
    const double alto = escala_min.p - escala_max.p;
    const double ancho = escala_max.v - escala_min.v;
    pctgrafico->fijar_escala(escala_min.v, escala_max.p,
                             ancho != 0 ? ancho : pctgrafico->escala_ancho(),
                             alto != 0 ? alto : pctgrafico->escala_alto());
}

void frmgraficos::colocar_esquinas() {
    const QRect plot = pctgrafico->geometry();
    const double fh = twips(frmgrafico->height());
    const double pl = twips(plot.x());
    const double pw = twips(plot.width());
    const double pt = twips(plot.y());
    const double pb = pt + twips(plot.height());
    auto franja = [&](const QLabel* l) { return pb + (fh - pb - twips(l->height())) / 2; };
    for (QLabel* l : {x0y0x, x1y0, x0y1, x0y0y}) l->adjustSize();
    const double ancho_izq = 0.9 * pl;
    const int alto = x0y1->height();
    x0y1->setGeometry(px(25), px(pt), px(ancho_izq), alto);
    x0y0y->setGeometry(px(25), px(pb - twips(x0y0x->height())), px(ancho_izq), alto);
    x0y0x->move(px(pl), px(franja(x0y0x)));
    // x1y0 keeps its right edge on the plot's, whatever its text.
    x1y0->move(px(pl + pw - twips(x1y0->width())), px(franja(x1y0)));
}

// ---- Drawing ------------------------------------------------------------

void frmgraficos::actualiza() {
    frmdatos* d = ventana_datos();
    if (d) {
        const bool gramos = frmdatos::gramos_en_vigor();
        for (int i = 1; i <= 5; ++i) {
            sistema& s = sistemas[std::size_t(i)];
            s.activo = d->Check[i]->isChecked();
            if (!s.activo) continue;
            s.numgas = d->cmbgas[i]->currentIndex() + 1;
            s.ecuacion = d->cmbecu[i]->currentIndex();
            s.temperatura = num(d->txttemp[i]->text());
            recargar_sistema(s, true, this);
            fijar_cantidad(s, leer_valor(d->txtmol[i]), gramos);
        }
    }

    // The volume axis always starts at 0 to 5 l.
    escala_auto_min.v = 0;
    escala_auto_max.v = 5;
    escala_min.v = 0;
    escala_max.v = 5;
    rango_curvas(*pctgrafico, escala_auto_min, escala_auto_max);
    escala_min.p = escala_auto_min.p;
    escala_max.p = escala_auto_max.p;
    dibuja();
}

void frmgraficos::dibuja() {
    redimensiona();
    if (!fija_escala(*this, escala_min, escala_max)) return;
    int curvas = 0;
    int unica = 0;
    for (int i = 1; i <= 5; ++i) {
        const sistema& s = sistemas[std::size_t(i)];
        if (!s.activo || !curva_valida(s)) continue;
        dibuja_curva(*pctgrafico, i, escala_min.v, escala_max.v);
        ++curvas;
        unica = i;
    }
    if (curvas == 1) {
        // The excluded volume of the single gas.
        pctgrafico->caja_llena(escala_min.v, escala_min.p, covolumen(sistemas[std::size_t(unica)]),
                               escala_max.p, QColor(192, 192, 192));
    }
}

// ---- Mouse --------------------------------------------------------------

void frmgraficos::pctgrafico_MouseMove(int botones, double x, double y) {
    const float X = float(x);
    const float Y = float(y);
    if (botones != 1 && botones != 2 && botones != 4) {
        pctgrafico->fijar_consejo(QLatin1Char('(') + fmt(X, "####0.0000") + QLatin1Char(',') +
                                  fmt(Y, "####0.0000") + QLatin1Char(')'));
    } else if (botones == 1) {
        // The band is drawn over the picture, never into it.
        pctgrafico->banda(ancla_.v, ancla_.p, X, Y);
    }
}

void frmgraficos::pctgrafico_MouseDown(int boton, double x, double y) {
    pctgrafico->quitar_banda();
    if (boton == 1) {
        ancla_ = {x, y};
    } else if (boton == 2) {
        escala_min = escala_auto_min;
        escala_max = escala_auto_max;
    }
}

void frmgraficos::pctgrafico_MouseUp(int boton, double x, double y) {
    pctgrafico->quitar_banda();
    if (boton == 1) {
        // The corners are kept as the plot gives them, the anchor like the
        // release, so a click without moving is no box.
        const double X = std::max(0.0, x);
        const double Y = std::max(0.0, y);
        // A click without a box changes nothing.
        if (X == ancla_.v || Y == ancla_.p) return;
        escala_min = {std::min(X, ancla_.v), std::min(Y, ancla_.p)};
        escala_max = {std::max(X, ancla_.v), std::max(Y, ancla_.p)};
    }
    if (escala_min.v != escala_max.v && escala_min.p != escala_max.p) {
        if (fija_escala(*this, escala_min, escala_max)) dibuja();
    }
}

}  // namespace korgas
