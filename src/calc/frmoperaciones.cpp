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
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "calc/instrumentos.h"
#include "calc/panel_ecuacion.h"
#include "core/numtext.h"
#include "core/unidades.h"
#include "platform/controles.h"
#include "platform/etiqueta.h"
#include "platform/eventos_foco.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

// Boxes are written with two decimals; an instrument's read-out with "###0.00".
constexpr const char* kPatron = "####0.00";
constexpr const char* kPatronLectura = "###0.00";

}  // namespace

// ---- Load -----------------------------------------------------------------

frmoperaciones::frmoperaciones(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmoperaciones);
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
        for (Instrumento* i : std::initializer_list<Instrumento*>{piston_, termometro_, termopar_,
                                                                  barometro_, manometro_})
            i->permitir_arrastre(false);
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
    auto boton = [area, this](const char* nombre, Medidor cual, void (frmoperaciones::*m)()) {
        QToolButton* b = boton_medidor(area, nombre, cual);
        connect(b, &QToolButton::clicked, this, [this, m] { (this->*m)(); });
        return b;
    };
    boton("bttermometro", Medidor::termometro, &frmoperaciones::bttermometro_Click)
        ->setToolTip(tx(237, QStringLiteral("Termómetro")));
    boton("bttermopar", Medidor::termopar, &frmoperaciones::bttermopar_Click)
        ->setToolTip(tx(238, QStringLiteral("Termopar")));
    boton("btbarometro", Medidor::barometro, &frmoperaciones::btbarometro_Click);
    boton("btmanometro", Medidor::manometro, &frmoperaciones::btmanometro_Click);

    // Lowest first: the barometer and the manometer in its place, the
    // thermometer and the thermocouple in its place, and over them the
    // cylinder, whose outlet reaches up into the barometer's pipe.
    barometro_ = new Barometro(area);
    manometro_ = Esfera::manometro(area);
    termometro_ = new Termometro(area);
    termopar_ = Esfera::termopar(area);
    piston_ = new Piston(area);

    area->setFixedSize(tamanio_instrumentos());

    // Dragging: vertical on the column, the cylinder and the rising leg, with
    // the pointer's height as a tool tip; across the dials.
    conectar_arrastre(termometro_, &frmoperaciones::temperatura_arrastrada);
    conectar_arrastre(piston_, &frmoperaciones::volumen_arrastrado);
    conectar_arrastre(barometro_, &frmoperaciones::presion_arrastrada);
    conectar_arrastre(termopar_, &frmoperaciones::temperatura_arrastrada);
    conectar_arrastre(manometro_, &frmoperaciones::presion_arrastrada);
}

void frmoperaciones::escalas_y_rotulos() {
    termometro_->fijar_rango(mintermometro_, maxtermometro_);
    barometro_->fijar_rango(minbarometro_, maxbarometro_);
    piston_->fijar_rango(minpiston_, maxpiston_);
    termopar_->fijar_rango(mintermopar_, maxtermopar_, 0, 100);
    manometro_->fijar_rango(minmanometro_, maxmanometro_, minmanometro_,
                            maxmanometro_ - minmanometro_);
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
    piston_->pintar_cabeza();
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
    barometro_->setVisible(barometro_visible);
    piston_->mostrar_salida(barometro_visible);
    manometro_->setVisible(manometro_visible);
}

void frmoperaciones::muestra_temperatura(bool si) {
    if (medidor_temperatura != 0 && medidor_temperatura != 1) return;
    termometro_->setVisible(si && medidor_temperatura == 0);
    termopar_->setVisible(si && medidor_temperatura == 1);
}

void frmoperaciones::muestra_piston(bool si) {
    piston_->setVisible(si);
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
    piston_->dibujar(std::clamp(v, minpiston_, maxpiston_));
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
        termometro_->dibujar(dibujada);
    else
        termopar_->dibujar(dibujada);
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
    if (medidor_presion == 0)
        barometro_->dibujar(dibujada);
    else
        manometro_->dibujar(dibujada);
    if (p >= minimo && p <= maximo)
        escribir_numero(filas_.caja[3], l->first, kPatronLectura);
    else
        avisar(medidor_presion == 0 ? 94 : 95);
}

// ---- Dragging -------------------------------------------------------------

void frmoperaciones::conectar_arrastre(Instrumento* i, void (frmoperaciones::*accion)(double)) {
    connect(i, &Instrumento::pulsado, this, [this, i, accion](double v) {
        arrastre_ = i;
        (this->*accion)(v);
    });
    connect(i, &Instrumento::arrastrado, this, [this, i, accion](double v) {
        if (arrastre_ == i) (this->*accion)(v);
    });
    connect(i, &Instrumento::soltado, this, [this, i] {
        if (arrastre_ == i) arrastre_ = nullptr;
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
