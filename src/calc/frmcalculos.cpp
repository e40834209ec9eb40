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
#include <string>
#include <string_view>

#include "calc/eventos_caja.h"
#include "calc/panel_ecuacion.h"
#include "core/despejar.h"
#include "core/eos.h"
#include "core/numtext.h"
#include "core/unidades.h"
#include "core/vapor.h"
#include "platform/controles.h"
#include "platform/etiqueta.h"
#include "platform/filtro_numerico.h"
#include "platform/mensajes_qt.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"

namespace korgas {

namespace {

using Conversion = double (*)(double, std::string_view, std::string_view);

const QString kMol = QStringLiteral("mol");
const QString kGramo = QStringLiteral("g");
const QString kKelvin = QStringLiteral("\u00BAK");
const QString kLitro = QStringLiteral("l");
const QString kAtm = QStringLiteral("atm");
const QString kGl = QStringLiteral("g/l");
const QString kKcal = QStringLiteral("Kcal");

const QStringList kCicloTemperatura = {kKelvin, QStringLiteral("\u00BAC"),
                                       QStringLiteral("\u00BAF"), QStringLiteral("\u00BAR"),
                                       QStringLiteral("\u00BARe")};
// The lowest temperature (exclusive) of each unit of the cycle: 0 K in kelvin,
// Celsius and Rankine; the round -459.0 ºF and -218.4 ºRe, a little above
// 0 K, in the other two.
constexpr double kMinimoTemperatura[5] = {0.0, -273.15, -459.0, 0.0, -218.4};
const QStringList kCicloVolumen = {kLitro, QStringLiteral("dm\u00B3"), QStringLiteral("m\u00B3"),
                                   QStringLiteral("cm\u00B3")};
const QStringList kCicloPresion = {kAtm, QStringLiteral("Pa"), QStringLiteral("bar"),
                                   QStringLiteral("mmHg")};
const QStringList kCicloDensidad = {kGl, QStringLiteral("kg/m\u00B3"),
                                    QStringLiteral("g/cm\u00B3")};
const QStringList kCicloEnergia = {QStringLiteral("atm l"), QStringLiteral("J"),
                                   QStringLiteral("cal"), kKcal};

constexpr const char* kPatron = "####0.0000";
constexpr qint64 kMaximoSpinner = 1000000;

const QColor kRojo(255, 0, 0);
const QColor kNegro(0, 0, 0);

// A result box remembers whether it holds a number (its unit label converts
// it) or a language text (its unit label does nothing).
constexpr const char* kEsNumero = "es_numero";

std::string u8(const QString& s) {
    return s.toStdString();
}

bool vacia(const QLineEdit* c) {
    return c->text().isEmpty();
}

void sin_resultado(QLineEdit* c, int texto = 128) {
    c->setText(tx(texto));
    c->setProperty(kEsNumero, false);
}

// Writes a value with a pattern; a value that is not a finite number is never
// written: the box shows text 128 instead.
void escribir(QLineEdit* c, double valor, const char* patron = kPatron) {
    if (!std::isfinite(valor)) {
        sin_resultado(c);
        return;
    }
    c->setText(fmt(valor, patron));
    c->setProperty(kEsNumero, true);
}

// Moves a unit label to the next unit of its cycle and converts the number in
// its box. Returns the new unit's place in the cycle, -1 when the caption is
// not one of the cycle's units (nothing changes then).
int ciclar(QLabel* unidad, QLineEdit* caja, const QStringList& ciclo, Conversion conv,
           const char* patron = kPatron) {
    const QString viejo = unidad->text();
    const int i = int(ciclo.indexOf(viejo));
    if (i < 0) return -1;
    const int j = (i + 1) % int(ciclo.size());
    const QString nuevo = ciclo[j];
    escribir(caja, conv(num(caja->text()), u8(viejo), u8(nuevo)), patron);
    unidad->setText(nuevo);
    return j;
}

void pintar(QWidget* w, QPalette::ColorRole rol, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(rol, color);
    w->setPalette(pal);
}

Etiqueta* etiqueta(const char* nombre, const QString& texto, QWidget* padre) {
    auto* e = new Etiqueta(texto, padre);
    e->setObjectName(QString::fromLatin1(nombre));
    return e;
}

QLabel* rotulo(const char* nombre, QWidget* padre) {
    auto* l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nombre));
    return l;
}

QLineEdit* caja(const char* nombre, QWidget* padre, bool solo_lectura = false) {
    auto* c = new QLineEdit(padre);
    c->setObjectName(QString::fromLatin1(nombre));
    c->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c->setFixedWidth(solo_lectura ? 110 : 120);
    c->setReadOnly(solo_lectura);
    return c;
}

// The working record is installed as sistemas[0] for the time of one
// calculation and read back at its end, whichever way the calculation ends.
class Instalacion {
  public:
    explicit Instalacion(sistema& propio) : propio_(propio) { sistemas[0] = propio_; }
    ~Instalacion() { propio_ = sistemas[0]; }
    Instalacion(const Instalacion&) = delete;
    Instalacion& operator=(const Instalacion&) = delete;

  private:
    sistema& propio_;
};

const char* const kEntradas[4] = {"mnuf", "mnup", "mnuv", "mnut"};

}  // namespace

frmcalculos::frmcalculos(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("frmcalculos"));
    construir();

    // 1. Captions.
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

    // 2. Defaults of the window's record.
    s_.numgas = 0;
    s_.ecuacion = 0;
    s_.temperatura = 300;
    s_.moles = 1;
    s_.mu = 1.5;

    // 3, 4. The lists.
    panel_->llenar_listas();

    // 5. Boxes.
    txtmol->setText(QStringLiteral("1.000"));
    txttemp->setText(QStringLiteral("300.0000"));
    txtpress->setText(QStringLiteral("1.0000"));
    patm_ = num(txtpress->text());
    txtvol->setText(QStringLiteral("6.1460"));
    vmolar_ = num(txtvol->text());

    // 6. The first gas and the first equation, through their handlers (the
    // calculation they start is skipped while the equation list has no
    // selection, and solves nothing while no caption is red).
    seleccionar(panel_->cmbgas, 0);
    seleccionar(panel_->cmbecu, 0);

    // 7. Temperature minimum and spinner ranges.
    mintemperatura_ = 0;
    for (Spinner* s : {UpDown0, UpDown1, UpDown2, UpDown3}) {
        s->fijar_minimo(0);
        s->fijar_maximo(kMaximoSpinner);
    }

    // 8, 9.
    panel_->parametros();
    lbmasa->setText(kMol);
    s_.temperatura = num(txttemp->text());

    // Without gases there is nothing to compute.
    if (panel_->cmbgas->count() == 0) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 txtmol, txttemp, txtvol, txtpress, UpDown0, UpDown1, UpDown2, UpDown3, btcalcular})
            w->setEnabled(false);
    }

    // 10, 11.
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

    Label2 = etiqueta("Label2", QStringLiteral("Cantidad de Materia:"), entradas);
    lbbtemp = etiqueta("lbbtemp", QStringLiteral("Temperatura:"), entradas);
    lbbvol = etiqueta("lbbvol", QStringLiteral("Volumen:"), entradas);
    lbbpress = etiqueta("lbbpress", QStringLiteral("Presión:"), entradas);
    txtmol = caja("txtmol", entradas);
    txttemp = caja("txttemp", entradas);
    txtvol = caja("txtvol", entradas);
    txtpress = caja("txtpress", entradas);
    lbmasa = etiqueta("lbmasa", kMol, entradas);
    lbtemp = etiqueta("lbtemp", kKelvin, entradas);
    lbvol = etiqueta("lbvol", kLitro, entradas);
    lbpress = etiqueta("lbpress", kAtm, entradas);

    Etiqueta* titulos[4] = {Label2, lbbtemp, lbbvol, lbbpress};
    QLineEdit* cajas[4] = {txtmol, txttemp, txtvol, txtpress};
    Etiqueta* unidades[4] = {lbmasa, lbtemp, lbvol, lbpress};
    Spinner** spinners[4] = {&UpDown0, &UpDown1, &UpDown2, &UpDown3};
    for (int i = 0; i < 4; ++i) {
        auto* sp = new Spinner(cajas[i], entradas);
        sp->setObjectName(QStringLiteral("UpDown%1").arg(i));
        sp->setFixedHeight(cajas[i]->sizeHint().height());
        *spinners[i] = sp;
        auto* celda = new QHBoxLayout;
        celda->setSpacing(0);
        celda->addWidget(cajas[i]);
        celda->addWidget(sp);
        ge->addWidget(titulos[i], i, 0);
        ge->addLayout(celda, i, 1);
        ge->addWidget(unidades[i], i, 2);
        unidades[i]->fijar_mano(true);
        unidades[i]->setMinimumWidth(48);
    }
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
    txtvl = caja("txtvl", marco_equilibrio, true);
    txtvg = caja("txtvg", marco_equilibrio, true);
    txtpv = caja("txtpv", marco_equilibrio, true);
    txtdl = caja("txtdl", marco_equilibrio, true);
    txtdg = caja("txtdg", marco_equilibrio, true);
    txtdh = caja("txtdh", marco_equilibrio, true);
    lbvl = etiqueta("lbvl", kLitro, marco_equilibrio);
    lbvg = etiqueta("lbvg", kLitro, marco_equilibrio);
    lbpv = etiqueta("lbpv", kAtm, marco_equilibrio);
    lbdl = etiqueta("lbdl", kGl, marco_equilibrio);
    lbdg = etiqueta("lbdg", kGl, marco_equilibrio);
    lbdh = etiqueta("lbdh", kKcal, marco_equilibrio);
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
        QLineEdit* c = cajas[i];
        const Manejador m = perdida[i];
        // Enter: the box's LostFocus, then the calculation.
        new FiltroNumerico(c, 10, [this, m] {
            (this->*m)();
            calcular();
        });
        eventos_[std::size_t(i)] = new EventosCaja(
            c, [c] { EventosCaja::seleccionar_todo(c); }, [this, m] { (this->*m)(); });
    }
}

void frmcalculos::aplicar_modo(int modo) {
    if (modo < 0 || modo > 3) return;
    QAction* propia = entrada(QString::fromLatin1(kEntradas[modo]));
    setWindowTitle(sin_acceso(propia ? propia->text() : tx(modo == 0 ? 20 : 16 + modo)));
    for (int i = 0; i < 4; ++i)
        if (QAction* a = entrada(QString::fromLatin1(kEntradas[i]))) a->setEnabled(i == modo);

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
    struct Fila {
        Magnitud magnitud;
        QWidget* titulo;
        QWidget* caja;
        QWidget* unidad;
    };
    const Fila filas[3] = {{Magnitud::temperatura, lbbtemp, txttemp, lbtemp},
                           {Magnitud::volumen, lbbvol, txtvol, lbvol},
                           {Magnitud::presion, lbbpress, txtpress, lbpress}};
    for (const Fila& f : filas) {
        const QColor& color = f.magnitud == m ? kRojo : kNegro;
        pintar(f.titulo, QPalette::WindowText, color);
        pintar(f.caja, QPalette::Text, color);
        pintar(f.unidad, QPalette::WindowText, color);
    }
}

void frmcalculos::closeEvent(QCloseEvent* ev) {
    for (const char* n : kEntradas)
        if (QAction* a = entrada(QString::fromLatin1(n))) a->setEnabled(true);
    for (EventosCaja* e : eventos_)
        if (e) e->activar(false);
    panel_->activar_eventos(false);
    ev->accept();
}

// ---- The calculation ------------------------------------------------------

void frmcalculos::calcular() {
    // While the load has chosen no equation yet, or without gases, there is
    // nothing to compute.
    if (panel_->cmbecu->currentIndex() < 0 || panel_->cmbgas->currentIndex() < 0) return;

    Instalacion instalada(s_);
    sistema& s = sistemas[0];
    panel_->leer(s);

    if (!validar('m')) return;
    if (roja_ == Magnitud::presion && !vacia(txttemp) && !vacia(txtvol)) {
        if (!validar('t') || !validar('v')) return;
        incognita_ = 1;
    }
    if (roja_ == Magnitud::volumen && !vacia(txttemp) && !vacia(txtpress)) {
        if (!validar('t') || !validar('p')) return;
        incognita_ = 2;
    }
    if (roja_ == Magnitud::temperatura && !vacia(txtvol) && !vacia(txtpress)) {
        if (!validar('p') || !validar('v')) return;
        incognita_ = 3;
    }

    bool temperatura_valida = true;
    bool fallo = false;
    switch (incognita_) {
        case 1:
            marcar(Magnitud::presion);
            // vmolar_ stays the molar volume; the total volume is the amount
            // times it, so solving again never multiplies it twice.
            patm_ = presion(0, s.moles * vmolar_);
            escribir(txtpress, convpresion(patm_, "atm", u8(lbpress->text())));
            break;
        case 2: {
            marcar(Magnitud::volumen);
            const double v = resolver("v", vmolar_, patm_, &fallo);
            if (fallo || !std::isfinite(v)) {
                sin_resultado(txtvol);
            } else {
                vmolar_ = v;
                escribir(txtvol, convvolumen(v * s.moles, "l", u8(lbvol->text())));
            }
            break;
        }
        case 3: {
            marcar(Magnitud::temperatura);
            const double t = resolver("t", vmolar_, patm_, &fallo);
            if (fallo || !std::isfinite(t)) {
                sin_resultado(txttemp);
                temperatura_valida = false;
            } else {
                s.temperatura = t;
                escribir(txttemp, convtemperatura(t, u8(kKelvin), u8(lbtemp->text())));
            }
            break;
        }
        default:
            break;
    }

    if (modo_calculo != 0) return;
    equilibrio(temperatura_valida);
}

void frmcalculos::equilibrio(bool temperatura_valida) {
    sistema& s = sistemas[0];
    QLineEdit* todas[6] = {txtvg, txtvl, txtpv, txtdh, txtdg, txtdl};
    auto ninguna = [&] {
        for (QLineEdit* c : todas) sin_resultado(c);
    };
    const double t = s.temperatura;
    // No temperature at or below 0 K reaches the vapour-pressure routine.
    if (!temperatura_valida || !std::isfinite(t) || t <= 0) {
        ninguna();
        return;
    }
    double vl = 0, vg = 0;
    const double pv = presion_vapor(s.ecuacion, 0, t, vl, vg);
    if (!std::isfinite(pv) || pv < 0) {
        ninguna();
        return;
    }
    // A root that is not a positive volume (a liquid root below the start
    // volume, a failed bisection) has neither a volume nor a density to show.
    const bool vl_ok = std::isfinite(vl) && vl > 0;
    const bool vg_ok = std::isfinite(vg) && vg > 0;
    if (vl_ok)
        escribir(txtvl, convvolumen(vl, "l", u8(lbvl->text())));
    else
        sin_resultado(txtvl);
    if (vg_ok)
        escribir(txtvg, convvolumen(vg, "l", u8(lbvg->text())));
    else
        sin_resultado(txtvg);
    escribir(txtpv, convpresion(pv, "atm", u8(lbpv->text())), "####0.00");

    if (txtpv->text() != QLatin1String("0.00")) {
        const double dh = vl_ok && vg_ok ? calor_vaporizacion(t, vl, vg) : -1;
        // An enthalpy that is not positive (-1: a vapour pressure one half
        // kelvin away could not be found) is not a result.
        if (std::isfinite(dh) && dh > 0)
            escribir(txtdh, convenergia(dh, "atm l", u8(lbdh->text())), "###0.00");
        else
            sin_resultado(txtdh);
    } else {
        sin_resultado(txtdh, 129);
    }

    if (vl_ok)
        escribir(txtdl, convdensidad(s.gramos / (s.moles * vl), "g/l", u8(lbdl->text())));
    else
        sin_resultado(txtdl);
    if (vg_ok)
        escribir(txtdg, convdensidad(s.gramos / (s.moles * vg), "g/l", u8(lbdg->text())));
    else
        sin_resultado(txtdg);
}

bool frmcalculos::validar(char tipo) {
    sistema& s = sistemas[0];
    QLineEdit* c = nullptr;
    QLabel* unidad = nullptr;
    double minimo = 0;
    QString prefijo;
    switch (tipo) {
        case 'm':
            c = txtmol;
            unidad = lbmasa;
            prefijo = QStringLiteral("Valor mínimo de la cantidad de materia: ");
            break;
        case 't':
            c = txttemp;
            unidad = lbtemp;
            minimo = mintemperatura_;
            prefijo = QStringLiteral("Valor mínimo de la temperatura: ");
            break;
        case 'v':
            c = txtvol;
            unidad = lbvol;
            prefijo = QStringLiteral("Valor mínimo del volumen: ");
            break;
        case 'p':
            c = txtpress;
            unidad = lbpress;
            prefijo = QStringLiteral("Valor mínimo de la presión: ");
            break;
        default:
            return false;
    }
    if (tipo != 'm' && vacia(c)) return false;

    const double x = num(c->text());
    const QString u = unidad->text();
    auto rechazar = [&] {
        msgbox(prefijo + fmt(minimo, "##0.00") + QLatin1Char(' ') + u, 64, QString(), this);
        c->setSelection(0, int(c->text().size()));
        return false;
    };
    if (!(x > minimo)) return rechazar();

    switch (tipo) {
        case 'm': {
            const double moles = convcantidad(x, u8(u), "mol");
            // Grams of a gas without a molar mass give no amount.
            if (!std::isfinite(moles) || moles <= 0) return rechazar();
            s.moles = moles;
            s.gramos = convcantidad(x, u8(u), "g");
            break;
        }
        case 't': {
            const double t = convtemperatura(x, u8(u), u8(kKelvin));
            if (!std::isfinite(t) || t <= 0) return rechazar();
            s.temperatura = t;
            break;
        }
        case 'v':
            vmolar_ = convvolumen(x, u8(u), "l") / s.moles;
            break;
        case 'p':
            patm_ = convpresion(x, u8(u), "atm");
            break;
    }
    return true;
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

namespace {
void formatear_caja(QLineEdit* c) {
    c->setText(fmt(num(c->text()), kPatron));
}
}  // namespace

void frmcalculos::txtmol_LostFocus() {
    formatear_caja(txtmol);
}
void frmcalculos::txtvol_LostFocus() {
    formatear_caja(txtvol);
}
void frmcalculos::txtpress_LostFocus() {
    formatear_caja(txtpress);
}

void frmcalculos::txttemp_LostFocus() {
    formatear_caja(txttemp);
    // Equations whose parameters depend on the temperature get them again
    // for the new temperature, when it is one the calculation accepts.
    const int e = s_.ecuacion;
    if (e != kVirial && e != kSoave && e != kPengRobinson) return;
    const double x = num(txttemp->text());
    if (!(x > mintemperatura_)) return;
    const double t = convtemperatura(x, u8(lbtemp->text()), u8(kKelvin));
    if (!std::isfinite(t) || t <= 0) return;
    s_.temperatura = t;
    if (panel_->recargar()) panel_->mostrar_parametros(false);
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
    const int j = ciclar(lbtemp, txttemp, kCicloTemperatura, convtemperatura);
    if (j < 0) return;
    mintemperatura_ = kMinimoTemperatura[j];
    UpDown1->fijar_minimo(redondeo_par(mintemperatura_));
}

void frmcalculos::lbvol_Click() {
    ciclar(lbvol, txtvol, kCicloVolumen, convvolumen);
}
void frmcalculos::lbpress_Click() {
    ciclar(lbpress, txtpress, kCicloPresion, convpresion);
}

namespace {
// The result labels act only while their box holds a number.
void ciclar_resultado(QLabel* unidad, QLineEdit* caja, const QStringList& ciclo, Conversion conv,
                      const char* patron = kPatron) {
    if (caja->property(kEsNumero).toBool()) ciclar(unidad, caja, ciclo, conv, patron);
}
}  // namespace

void frmcalculos::lbvl_Click() {
    ciclar_resultado(lbvl, txtvl, kCicloVolumen, convvolumen);
}
void frmcalculos::lbvg_Click() {
    ciclar_resultado(lbvg, txtvg, kCicloVolumen, convvolumen);
}
void frmcalculos::lbpv_Click() {
    ciclar_resultado(lbpv, txtpv, kCicloPresion, convpresion);
}
void frmcalculos::lbdl_Click() {
    ciclar_resultado(lbdl, txtdl, kCicloDensidad, convdensidad);
}
void frmcalculos::lbdg_Click() {
    ciclar_resultado(lbdg, txtdg, kCicloDensidad, convdensidad);
}
void frmcalculos::lbdh_Click() {
    ciclar_resultado(lbdh, txtdh, kCicloEnergia, convenergia, "###0.00");
}

}  // namespace korgas
