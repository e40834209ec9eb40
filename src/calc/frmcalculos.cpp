#include "calc/frmcalculos.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "calc/entradas.h"
#include "calc/panel_ecuacion.h"
#include "core/numtext.h"
#include "core/unidades.h"
#include "core/vapor.h"
#include "platform/controles.h"
#include "platform/enlaces.h"
#include "platform/etiqueta.h"
#include "platform/eventos_foco.h"
#include "platform/nombres_ventanas.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"
#include "platform/ventanas.h"

namespace korgas {

namespace {

constexpr const char* kPatron = "####0.0000";
constexpr qint64 kMaximoSpinner = 1000000;

// The lowest temperature (exclusive) of each unit of the temperature cycle:
// 0 K in kelvin, Celsius and Rankine; the round -459.0 ºF and -218.4 ºRe, a
// little above 0 K, in the other two.
constexpr double kMinimoTemperatura[5] = {0.0, -273.15, -459.0, 0.0, -218.4};

bool vacia(const QLineEdit* c) {
    return c->text().isEmpty();
}

constexpr Orden kOrdenes[4] = {Orden::f, Orden::p, Orden::v, Orden::t};

}  // namespace

frmcalculos::frmcalculos(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmcalculos);
    construir();

    // Captions.
    setWindowTitle(sin_acceso(tx(20)));
    panel_->Label5->setText(tx(50) + QLatin1Char(':'));
    panel_->Label1->setText(tx(51) + QLatin1Char(':'));
    panel_->Label6->setText(tx(54) + QLatin1Char(':'));
    Label2->setText(tx(70) + QLatin1Char(':'));
    lbbtemp->setText(tx(71));
    lbbpress->setText(tx(72));
    lbbvol->setText(tx(73));
    Labelest->setText(tx(120));
    lbbvl->setText(tx(121));
    lbbdl->setText(tx(123));
    lbbvg->setText(tx(122));
    lbbdg->setText(tx(124));
    lbbpv->setText(tx(125));
    lbbdh->setText(tx(126));
    btcalcular->setText(tx(127));

    // Defaults of the window's record.
    s_.numgas = 0;
    s_.ecuacion = 0;
    s_.temperatura = 300;
    s_.moles = 1;
    s_.mu = 1.5;

    // The lists.
    panel_->llenar_listas();

    // Boxes.
    escribir_valor(txtmol, 1, QStringLiteral("1.000"));
    escribir_valor(txttemp, 300, QStringLiteral("300.0000"));
    escribir_valor(txtpress, 1, QStringLiteral("1.0000"));
    patm_ = leer_valor(txtpress);
    escribir_valor(txtvol, 6.146, QStringLiteral("6.1460"));
    vmolar_ = leer_valor(txtvol);

    // The first gas and the first equation, through their handlers (the
    // calculation they start is skipped while the equation list has no
    // selection, and solves nothing while no caption is red).
    seleccionar(panel_->cmbgas, 0);
    seleccionar(panel_->cmbecu, 0);

    // Temperature minimum and spinner ranges.
    mintemperatura_ = 0;
    for (Spinner* s : {UpDown0, UpDown1, UpDown2, UpDown3}) {
        s->fijar_minimo(0);
        s->fijar_maximo(kMaximoSpinner);
    }

    // The parameters of the first gas and equation, the amount in moles.
    panel_->parametros();
    lbmasa->setText(kMol);
    s_.temperatura = leer_valor(txttemp);

    // Without gases there is nothing to compute.
    if (panel_->cmbgas->count() == 0) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 txtmol, txttemp, txtvol, txtpress, UpDown0, UpDown1, UpDown2, UpDown3, btcalcular})
            w->setEnabled(false);
    }

    // The calculation mode, and a first calculation.
    aplicar_modo(modo_calculo);
    calcular();
}

frmcalculos::~frmcalculos() = default;

void frmcalculos::construir() {
    panel_ =
        new PanelEcuacion(s_, {UnidadesParametros::calculo(), [this] { calcular(); }, true}, this);

    // The four inputs: caption, box with its spinner, unit.
    auto* entradas = new QFrame(this);
    entradas->setObjectName(QStringLiteral("marco_entradas"));
    auto* ge = new QGridLayout(entradas);
    ge->setContentsMargins(0, 0, 0, 0);
    ge->setHorizontalSpacing(6);
    ge->setVerticalSpacing(8);

    filas_ = crear_filas_entrada(ge, entradas);
    const FilasEntrada& filas = filas_;
    Label2 = filas.titulo[0];
    lbbtemp = filas.titulo[1];
    lbbvol = filas.titulo[2];
    lbbpress = filas.titulo[3];
    txtmol = filas.caja[0];
    txttemp = filas.caja[1];
    txtvol = filas.caja[2];
    txtpress = filas.caja[3];
    UpDown0 = filas.spinner[0];
    UpDown1 = filas.spinner[1];
    UpDown2 = filas.spinner[2];
    UpDown3 = filas.spinner[3];
    lbmasa = filas.unidad[0];
    lbtemp = filas.unidad[1];
    lbvol = filas.unidad[2];
    lbpress = filas.unidad[3];

    btcalcular = new QPushButton(QStringLiteral("Calcular"), entradas);
    btcalcular->setObjectName(QStringLiteral("btcalcular"));
    btcalcular->setAutoDefault(false);
    btcalcular->setMinimumWidth(110);
    ge->setRowMinimumHeight(4, 6);
    ge->addWidget(btcalcular, 5, 1, 1, 2, Qt::AlignLeft);
    ge->setColumnStretch(3, 1);
    ge->setRowStretch(6, 1);

    // The equilibrium block: heading and six results in two columns.
    marco_equilibrio = new QFrame(this);
    marco_equilibrio->setObjectName(QStringLiteral("marco_equilibrio"));
    marco_equilibrio->setFrameShape(QFrame::StyledPanel);
    auto* gq = new QGridLayout(marco_equilibrio);
    gq->setHorizontalSpacing(6);
    gq->setVerticalSpacing(6);
    Labelest = rotulo("Labelest", marco_equilibrio);
    {
        QFont f = Labelest->font();
        f.setBold(true);
        Labelest->setFont(f);
    }
    gq->addWidget(Labelest, 0, 0, 1, 7);
    lbbvl = rotulo("lbbvl", marco_equilibrio);
    lbbvg = rotulo("lbbvg", marco_equilibrio);
    lbbpv = rotulo("lbbpv", marco_equilibrio);
    lbbdl = rotulo("lbbdl", marco_equilibrio);
    lbbdg = rotulo("lbbdg", marco_equilibrio);
    lbbdh = rotulo("lbbdh", marco_equilibrio);
    txtvl = caja_numerica("txtvl", marco_equilibrio, 110, true);
    txtvg = caja_numerica("txtvg", marco_equilibrio, 110, true);
    txtpv = caja_numerica("txtpv", marco_equilibrio, 110, true);
    txtdl = caja_numerica("txtdl", marco_equilibrio, 110, true);
    txtdg = caja_numerica("txtdg", marco_equilibrio, 110, true);
    txtdh = caja_numerica("txtdh", marco_equilibrio, 110, true);
    lbvl = etiqueta_nombrada("lbvl", kLitro, marco_equilibrio);
    lbvg = etiqueta_nombrada("lbvg", kLitro, marco_equilibrio);
    lbpv = etiqueta_nombrada("lbpv", kAtm, marco_equilibrio);
    lbdl = etiqueta_nombrada("lbdl", ciclo_densidad().unidades[0], marco_equilibrio);
    lbdg = etiqueta_nombrada("lbdg", ciclo_densidad().unidades[0], marco_equilibrio);
    lbdh = etiqueta_nombrada("lbdh", ciclo_energia().unidades[3], marco_equilibrio);
    QLabel* izq_t[3] = {lbbvl, lbbvg, lbbpv};
    QLineEdit* izq_c[3] = {txtvl, txtvg, txtpv};
    Etiqueta* izq_u[3] = {lbvl, lbvg, lbpv};
    QLabel* der_t[3] = {lbbdl, lbbdg, lbbdh};
    QLineEdit* der_c[3] = {txtdl, txtdg, txtdh};
    Etiqueta* der_u[3] = {lbdl, lbdg, lbdh};
    for (int i = 0; i < 3; ++i) {
        gq->addWidget(izq_t[i], i + 1, 0);
        gq->addWidget(izq_c[i], i + 1, 1);
        gq->addWidget(izq_u[i], i + 1, 2);
        gq->addWidget(der_t[i], i + 1, 4);
        gq->addWidget(der_c[i], i + 1, 5);
        gq->addWidget(der_u[i], i + 1, 6);
        for (Etiqueta* u : {izq_u[i], der_u[i]}) {
            u->fijar_mano(true);
            u->setMinimumWidth(48);
        }
    }
    gq->setColumnMinimumWidth(3, 12);
    gq->setColumnStretch(3, 1);

    auto* arriba = new QHBoxLayout;
    arriba->setSpacing(18);
    arriba->addWidget(panel_, 0, Qt::AlignTop);
    auto* linea = new QFrame(this);
    linea->setFrameShape(QFrame::VLine);
    linea->setFrameShadow(QFrame::Sunken);
    arriba->addWidget(linea);
    arriba->addWidget(entradas, 1, Qt::AlignTop);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(12, 12, 12, 12);
    todo->setSpacing(12);
    todo->addLayout(arriba);
    todo->addWidget(marco_equilibrio);
    todo->addStretch(1);

    // Handlers.
    connect(btcalcular, &QPushButton::clicked, this, [this] { btcalcular_Click(); });
    connect(lbbpress, &Etiqueta::clicked, this, [this] { lbbpress_Click(); });
    connect(lbbvol, &Etiqueta::clicked, this, [this] { lbbvol_Click(); });
    connect(lbbtemp, &Etiqueta::clicked, this, [this] { lbbtemp_Click(); });
    connect(lbmasa, &Etiqueta::clicked, this, [this] { lbmasa_Click(); });
    connect(lbtemp, &Etiqueta::clicked, this, [this] { lbtemp_Click(); });
    connect(lbvol, &Etiqueta::clicked, this, [this] { lbvol_Click(); });
    connect(lbpress, &Etiqueta::clicked, this, [this] { lbpress_Click(); });
    connect(lbvl, &Etiqueta::clicked, this, [this] { lbvl_Click(); });
    connect(lbvg, &Etiqueta::clicked, this, [this] { lbvg_Click(); });
    connect(lbpv, &Etiqueta::clicked, this, [this] { lbpv_Click(); });
    connect(lbdl, &Etiqueta::clicked, this, [this] { lbdl_Click(); });
    connect(lbdg, &Etiqueta::clicked, this, [this] { lbdg_Click(); });
    connect(lbdh, &Etiqueta::clicked, this, [this] { lbdh_Click(); });
    connect(UpDown0, &Spinner::changed, this, [this] { UpDown0_Change(); });
    connect(UpDown1, &Spinner::changed, this, [this] { UpDown1_Change(); });
    connect(UpDown2, &Spinner::changed, this, [this] { UpDown2_Change(); });
    connect(UpDown3, &Spinner::changed, this, [this] { UpDown3_Change(); });

    using Manejador = void (frmcalculos::*)();
    const Manejador perdida[4] = {&frmcalculos::txtmol_LostFocus, &frmcalculos::txttemp_LostFocus,
                                  &frmcalculos::txtvol_LostFocus, &frmcalculos::txtpress_LostFocus};
    for (int i = 0; i < 4; ++i) {
        const Manejador m = perdida[i];
        // Enter: the box's LostFocus, then the calculation.
        eventos_[std::size_t(i)] = conectar_caja(
            filas.caja[std::size_t(i)],
            [this, m] {
                (this->*m)();
                calcular();
            },
            [this, m] { (this->*m)(); });
    }
}

void frmcalculos::aplicar_modo(int modo) {
    if (modo < 0 || modo > 3) return;
    QAction* propia = orden_principal(kOrdenes[modo]);
    setWindowTitle(sin_acceso(propia ? propia->text() : tx(modo == 0 ? 20 : 16 + modo)));
    for (int i = 0; i < 4; ++i)
        if (QAction* a = orden_principal(kOrdenes[i])) a->setEnabled(i == modo);

    marcar(modo == 2 ? Magnitud::volumen : modo == 3 ? Magnitud::temperatura : Magnitud::presion);
    for (Etiqueta* e : {lbbtemp, lbbvol, lbbpress}) e->fijar_mano(modo == 0);
    if (modo == 1) {
        txtpress->setEnabled(false);
        UpDown3->setEnabled(false);
    } else if (modo == 2) {
        txtvol->setEnabled(false);
        UpDown2->setEnabled(false);
    } else if (modo == 3) {
        txttemp->setEnabled(false);
        UpDown1->setEnabled(false);
    }
    marco_equilibrio->setVisible(modo == 0);
}

void frmcalculos::marcar(Magnitud m) {
    roja_ = m;
    marcar_filas(filas_, m);
}

void frmcalculos::closeEvent(QCloseEvent* ev) {
    for (Orden o : kOrdenes)
        if (QAction* a = orden_principal(o)) a->setEnabled(true);
    for (EventosFoco* e : eventos_)
        if (e) e->activar(false);
    panel_->activar_eventos(false);
    ev->accept();
}

// ---- The calculation ------------------------------------------------------

void frmcalculos::calcular() {
    // While the load has chosen no equation yet, or without gases, there is
    // nothing to compute.
    if (panel_->cmbecu->currentIndex() < 0 || panel_->cmbgas->currentIndex() < 0) return;

    panel_->leer(s_);

    if (!validar('m')) return;
    const auto por_tipo = [this](char tipo) { return validar(tipo); };
    if (!validar_datos(roja_, filas_, por_tipo, incognita_)) return;

    // A gas whose data give its equation no parameters has nothing to show
    // but the cannot-compute text, here and in the equilibrium block.
    const bool calculable = panel_->calculable(s_);
    bool temperatura_valida = calculable;
    const Magnitud m = magnitud_de(incognita_);
    if (m != Magnitud::ninguna) {
        marcar(m);
        const bool resuelta =
            resolver_y_mostrar(m, calculable, s_, vmolar_, patm_, filas_, kPatron);
        if (m == Magnitud::temperatura) temperatura_valida = resuelta;
    }

    if (modo_calculo != 0) return;
    equilibrio(temperatura_valida);
}

void frmcalculos::equilibrio(bool temperatura_valida) {
    sistema& s = s_;
    QLineEdit* todas[6] = {txtvg, txtvl, txtpv, txtdh, txtdg, txtdl};
    auto ninguna = [&] {
        for (QLineEdit* c : todas) sin_numero(c);
    };
    const double t = s.temperatura;
    // No temperature at or below 0 K reaches the vapour-pressure routine.
    if (!temperatura_valida || !std::isfinite(t) || t <= 0) {
        ninguna();
        return;
    }
    double vl = 0, vg = 0;
    const double pv = presion_vapor(s.ecuacion, s, t, vl, vg);
    if (!std::isfinite(pv) || pv < 0) {
        ninguna();
        return;
    }
    // A root that is not a positive volume (a liquid root below the start
    // volume, a failed bisection) has neither a volume nor a density to show.
    const bool vl_ok = std::isfinite(vl) && vl > 0;
    const bool vg_ok = std::isfinite(vg) && vg > 0;
    if (vl_ok)
        escribir_en_unidad(txtvl, lbvl, ciclo_volumen(), kLitro, vl, kPatron);
    else
        sin_numero(txtvl);
    if (vg_ok)
        escribir_en_unidad(txtvg, lbvg, ciclo_volumen(), kLitro, vg, kPatron);
    else
        sin_numero(txtvg);
    escribir_en_unidad(txtpv, lbpv, ciclo_presion(), kAtm, pv, "####0.00");

    if (txtpv->text() != QLatin1String("0.00")) {
        const double dh = vl_ok && vg_ok ? calor_vaporizacion(s, t, vl, vg) : -1;
        // An enthalpy that is not positive (-1: a vapour pressure one half
        // kelvin away could not be found) is not a result.
        if (std::isfinite(dh) && dh > 0)
            escribir_en_unidad(txtdh, lbdh, ciclo_energia(), ciclo_energia().unidades[0], dh,
                               "###0.00");
        else
            sin_numero(txtdh);
    } else {
        sin_numero(txtdh, 129);
    }

    const QString gl = ciclo_densidad().unidades[0];
    if (vl_ok)
        escribir_en_unidad(txtdl, lbdl, ciclo_densidad(), gl, s.gramos / (s.moles * vl), kPatron);
    else
        sin_numero(txtdl);
    if (vg_ok)
        escribir_en_unidad(txtdg, lbdg, ciclo_densidad(), gl, s.gramos / (s.moles * vg), kPatron);
    else
        sin_numero(txtdg);
}

bool frmcalculos::validar(char tipo) {
    const int fila = fila_de(tipo);
    if (fila < 0) return false;
    QLineEdit* c = filas_.caja[std::size_t(fila)];
    if (tipo != 'm' && vacia(c)) return false;

    // Only the temperature has a minimum other than 0, by its unit.
    const double minimo = tipo == 't' ? mintemperatura_ : 0;
    const double x = leer_valor(c);
    const QString u = filas_.unidad[std::size_t(fila)]->text();
    // A text whose number is too large for a double is above the only
    // maximum these boxes have, the largest double: texts 78 amount, 80
    // temperature, 82 volume, 84 pressure.
    if (!std::isfinite(x)) {
        rechazar(c, 78 + 2 * fila, std::numeric_limits<double>::max(), u, this);
        return false;
    }
    if (x > minimo && guardar_valor(tipo, x, u, s_, vmolar_, patm_)) return true;
    // Texts 77 amount, 79 temperature, 81 volume, 83 pressure.
    rechazar(c, 77 + 2 * fila, minimo, u, this);
    return false;
}

void frmcalculos::btcalcular_Click() {
    calcular();
}

// ---- The computed quantity ------------------------------------------------

void frmcalculos::lbbpress_Click() {
    if (modo_calculo == 0) marcar(Magnitud::presion);
}

void frmcalculos::lbbvol_Click() {
    if (modo_calculo == 0) marcar(Magnitud::volumen);
}

void frmcalculos::lbbtemp_Click() {
    if (modo_calculo == 0) marcar(Magnitud::temperatura);
}

// ---- Inputs ---------------------------------------------------------------

void frmcalculos::txtmol_LostFocus() {
    reformatear(txtmol, kPatron);
}
void frmcalculos::txtvol_LostFocus() {
    reformatear(txtvol, kPatron);
}
void frmcalculos::txtpress_LostFocus() {
    reformatear(txtpress, kPatron);
}

void frmcalculos::txttemp_LostFocus() {
    reformatear(txttemp, kPatron);
    // The parameters follow a temperature the calculation accepts.
    const double x = leer_valor(txttemp);
    if (x > mintemperatura_)
        panel_->temperatura_cambiada(ciclo_temperatura().convertir(x, lbtemp->text(), kKelvin));
}

void frmcalculos::UpDown0_Change() {
    txtmol_LostFocus();
    calcular();
}

void frmcalculos::UpDown1_Change() {
    txttemp_LostFocus();
    calcular();
}

void frmcalculos::UpDown2_Change() {
    txtvol_LostFocus();
    calcular();
}

void frmcalculos::UpDown3_Change() {
    txtpress_LostFocus();
    calcular();
}

// ---- Units ----------------------------------------------------------------

void frmcalculos::lbmasa_Click() {
    // The number stays and now means the other unit.
    lbmasa->setText(lbmasa->text() == kMol ? kGramo : kMol);
    calcular();
}

void frmcalculos::lbtemp_Click() {
    const QString nuevo = ciclar(lbtemp, txttemp, ciclo_temperatura(), kPatron);
    if (nuevo.isEmpty()) return;
    mintemperatura_ = kMinimoTemperatura[ciclo_temperatura().unidades.indexOf(nuevo)];
    UpDown1->fijar_minimo(redondeo_par(mintemperatura_));
}

void frmcalculos::lbvol_Click() {
    ciclar(lbvol, txtvol, ciclo_volumen(), kPatron);
}
void frmcalculos::lbpress_Click() {
    ciclar(lbpress, txtpress, ciclo_presion(), kPatron);
}

namespace {
// The result labels act only while their box holds a number.
void ciclar_resultado(QLabel* unidad, QLineEdit* caja, const Ciclo& ciclo,
                      const char* patron = kPatron) {
    if (!caja->text().isEmpty() && muestra_numero(caja)) ciclar(unidad, caja, ciclo, patron);
}
}  // namespace

void frmcalculos::lbvl_Click() {
    ciclar_resultado(lbvl, txtvl, ciclo_volumen());
}
void frmcalculos::lbvg_Click() {
    ciclar_resultado(lbvg, txtvg, ciclo_volumen());
}
void frmcalculos::lbpv_Click() {
    ciclar_resultado(lbpv, txtpv, ciclo_presion());
}
void frmcalculos::lbdl_Click() {
    ciclar_resultado(lbdl, txtdl, ciclo_densidad());
}
void frmcalculos::lbdg_Click() {
    ciclar_resultado(lbdg, txtdg, ciclo_densidad());
}
void frmcalculos::lbdh_Click() {
    ciclar_resultado(lbdh, txtdh, ciclo_energia(), "###0.00");
}

}  // namespace korgas
