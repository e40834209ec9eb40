#include "gasdb/frmgases.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>
#include <functional>

#include "core/kvstore.h"
#include "gasdb/panel_gases.h"
#include "gasdb/propiedades.h"
#include "gasdb/textextend.h"
#include "platform/aviso_gases.h"
#include "platform/controles.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

constexpr quint32 kAmarillo = 65535;      // RGB (255, 255, 0)
constexpr quint32 kBlanco = 0x00FFFFFFu;  // RGB (255, 255, 255)

// The design of a headed box of the editor.
Propiedades diseno_caja(int cabecera, int modo, bool signo, bool requerida) {
    QFont negrita = QApplication::font();
    negrita.setBold(true);
    return {{QStringLiteral("alignement"), 1},
            {QStringLiteral("numberbox"), modo},
            {QStringLiteral("signo"), signo},
            {QStringLiteral("selonfocus"), true},
            {QStringLiteral("forecolor"), 0x80000008u},
            {QStringLiteral("backcolor"), requerida ? kAmarillo : kBlanco},
            {QStringLiteral("font"), QApplication::font()},
            {QStringLiteral("header"), true},
            {QStringLiteral("headeralignement"), 0},
            {QStringLiteral("headerforecolor"), 0x80000012u},
            {QStringLiteral("headerbackcolor"), 0x8000000Fu},
            {QStringLiteral("headerfont"), negrita},
            {QStringLiteral("headercaption"), tx(cabecera)}};
}

bool positivo(double x) {
    return std::isfinite(x) && x > 0;
}

// The name as the file stores it: without control characters (a pasted tab or
// line end) and without blanks at its ends.
QString nombre_limpio(const QString& texto) {
    QString r;
    for (QChar ch : texto)
        if (ch.category() != QChar::Other_Control) r += ch;
    return r.trimmed();
}

// A failure's text of the editor, with the cause when there is one.
QString con_causa(const QString& texto, const QString& causa) {
    return causa.isEmpty() ? texto : texto + QChar(13) + QChar(13) + causa;
}

void enfocar(textextend* caja) {
    caja->Txt()->setFocus(Qt::OtherFocusReason);
}

// Applies the change to the data file in one rewrite; false when nothing was
// written, after a message. The message leads with what failed: the change
// could not be made (cambio gives false, text no_hecho), or the file could not
// be written (text fallo, then the cause).
bool reescribir_datos(const std::function<bool(Documento&)>& cambio, int no_hecho, int fallo,
                      QWidget* padre) {
    try {
        bool hecho = false;
        editar(fichdatos, [&](Documento& d) { hecho = cambio(d); });
        if (!hecho) msgbox(tx(no_hecho), 64, QString(), padre);
        return hecho;
    } catch (const std::exception& e) {
        msgbox(con_causa(tx(fallo), detalle_error(e)), 64, QString(), padre);
        return false;
    }
}

}  // namespace

frmgases::frmgases(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmgases);
    setWindowTitle(tx(190));

    // The editor's own record.
    s_.numgas = 0;
    s_.ecuacion = 0;
    s_.temperatura = 300;
    s_.moles = 1;

    textgas = crear_textextend(QStringLiteral("textgas"), diseno_caja(50, 0, true, true), this);
    textpm = crear_textextend(QStringLiteral("textpm"), diseno_caja(191, 2, false, true), this);
    textpc = crear_textextend(QStringLiteral("textpc"), diseno_caja(192, 2, true, true), this);
    texttc = crear_textextend(QStringLiteral("texttc"), diseno_caja(193, 2, true, true), this);
    textvc = crear_textextend(QStringLiteral("textvc"), diseno_caja(194, 2, true, false), this);
    textteb = crear_textextend(QStringLiteral("textteb"), diseno_caja(195, 2, true, false), this);
    texthvap = crear_textextend(QStringLiteral("texthvap"), diseno_caja(196, 2, true, false), this);
    for (textextend* c : {textgas, textpm, textpc, texttc}) c->setToolTip(tx(230));

    cmbgas = new QComboBox(this);
    cmbgas->setObjectName(QStringLiteral("cmbgas"));
    cmbgas->setMaxVisibleItems(15);
    ocultar_en_su_sitio({cmbgas});

    auto boton = [this](const char* nombre, int texto) {
        auto* b = new QPushButton(tx(texto), this);
        b->setObjectName(QLatin1String(nombre));
        return b;
    };
    btadd = boton("btadd", 207);
    btsel = boton("btsel", 208);
    btmod = boton("btmod", 209);
    btdel = boton("btdel", 210);
    btmod->setEnabled(false);
    btdel->setEnabled(false);

    panel_ = new PanelGases(
        s_, textpc, texttc, [this] { guardar_criticos(); }, this);

    auto* izquierda = new QVBoxLayout;
    izquierda->setSpacing(6);
    izquierda->addWidget(cmbgas);
    for (textextend* c : {textgas, textpm, textpc, texttc, textvc, textteb, texthvap}) {
        c->setFixedWidth(250);
        izquierda->addWidget(c);
    }
    izquierda->addStretch(1);
    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {btadd, btsel, btmod, btdel}) botones->addWidget(b);
    botones->addStretch(1);
    auto* g = new QGridLayout(this);
    g->setSizeConstraint(QLayout::SetFixedSize);
    g->setHorizontalSpacing(24);
    g->setVerticalSpacing(14);
    g->addLayout(izquierda, 0, 0);
    g->addWidget(panel_, 0, 1);
    g->addLayout(botones, 1, 0, 1, 2);

    connect(textgas, &textextend::Change, this, [this] { textgas_Change(); });
    connect(textgas, &textextend::LostFocus, this, [this] { textgas_LostFocus(); });
    connect(textpm, &textextend::Change, this, [this] { requerida(textpm); });
    connect(textpm, &textextend::LostFocus, this, [this] { requerida(textpm); });
    connect(textpc, &textextend::Change, this, [this] { textpc_Change(); });
    connect(textpc, &textextend::LostFocus, this, [this] { requerida(textpc); });
    connect(texttc, &textextend::Change, this, [this] { texttc_Change(); });
    connect(texttc, &textextend::LostFocus, this, [this] { requerida(texttc); });
    connect(cmbgas, &QComboBox::activated, this, [this](int) { cmbgas_Click(); });
    connect(btadd, &QPushButton::clicked, this, [this] { btadd_Click(); });
    connect(btsel, &QPushButton::clicked, this, [this] { btsel_Click(); });
    connect(btmod, &QPushButton::clicked, this, [this] { btmod_Click(); });
    connect(btdel, &QPushButton::clicked, this, [this] { btdel_Click(); });

    // Tab goes down the data, through the panel and then to the buttons.
    QList<QWidget*> orden{cmbgas, textgas, textpm,   textpc,         texttc,
                          textvc, textteb, texthvap, panel_->cmbecu, panel_->chkauto};
    for (textextend* t : panel_->txt) orden << t;
    orden << panel_->txtmu << btadd << btsel << btmod << btdel;
    for (qsizetype i = 1; i < orden.size(); ++i) setTabOrder(orden[i - 1], orden[i]);

    panel_->reiniciar_tabla();
    panel_->llenar();
    seleccionar(panel_->cmbecu, 0);
}

// ---------------------------------------------------------------------------
// Required boxes

void frmgases::textgas_Change() {
    const bool vacio = textgas->Text().trimmed().isEmpty();
    textgas->BackColor(vacio ? kAmarillo : kBlanco);
}

void frmgases::textgas_LostFocus() {
    if (textgas->Text().trimmed().isEmpty()) textgas->Text(QString());
    textgas_Change();
}

void frmgases::requerida(textextend* caja) {
    if (caja->Text().isEmpty() || !positivo(valor(caja))) {
        caja->Text(QString());  // a change, which runs this rule again
        caja->BackColor(kAmarillo);
    } else {
        caja->BackColor(kBlanco);
    }
}

void frmgases::textpc_Change() {
    requerida(textpc);
    // The automatic preview follows every keystroke; typed parameters are
    // left as they are.
    if (cargando_ || textpc->Text().isEmpty()) return;
    s_.gas.pc = valor(textpc);
    if (panel_->chkauto->isChecked()) panel_->calculaparametros(1);
}

void frmgases::texttc_Change() {
    requerida(texttc);
    if (cargando_ || texttc->Text().isEmpty()) return;
    s_.gas.tc = valor(texttc);
    if (panel_->chkauto->isChecked()) panel_->calculaparametros(1);
}

// ---------------------------------------------------------------------------
// The record and the checks

void frmgases::guardar_criticos() {
    s_.gas.nombre = textgas->Text().toStdString();
    s_.gas.pm = valor(textpm);
    s_.gas.pc = valor(textpc);
    s_.gas.tc = valor(texttc);
    // An optional value not given is -1 in the file; a box the user left as
    // the chosen gas showed it keeps the file's value, whatever it is.
    for (auto [caja, campo] : {std::pair{textvc, &s_.gas.vc}, std::pair{textteb, &s_.gas.teb},
                               std::pair{texthvap, &s_.gas.hv}}) {
        const double v = valor(caja);
        *campo = positivo(v) || valor_guardado(caja->Txt()) ? v : -1;
    }
}

bool frmgases::validadatos() {
    const QString nombre = nombre_limpio(textgas->Text());
    if (nombre != textgas->Text()) textgas->Text(nombre);
    if (nombre.isEmpty()) {
        msgbox(tx(200), 64, QString(), window());
        enfocar(textgas);
        return false;
    }
    if (!representable_cp1252(nombre.toStdString())) {
        msgbox(tx(231), 64, QString(), window());
        enfocar(textgas);
        return false;
    }
    for (auto [caja, texto] :
         {std::pair{textpm, 201}, std::pair{textpc, 202}, std::pair{texttc, 203}}) {
        if (caja->Text().isEmpty() || !positivo(valor(caja))) {
            msgbox(tx(texto), 64, QString(), window());
            enfocar(caja);
            return false;
        }
    }
    for (textextend* caja : {textvc, textteb, texthvap}) {
        if (valor_guardado(caja->Txt())) continue;
        if (caja->Text().isEmpty() || !positivo(valor(caja))) caja->Text(QStringLiteral("0"));
    }
    guardar_criticos();
    return true;
}

// ---------------------------------------------------------------------------
// Buttons and the list

void frmgases::btadd_Click() {
    if (!validadatos()) return;
    panel_->guardaecuacion();
    const TablaParametros tabla = panel_->tabla_para_escribir();
    int k = 0;
    const auto anadir = [&](Documento& d) {
        k = anadir_gas(d, s_.gas, tabla);
        return k != 0;
    };
    if (!reescribir_datos(anadir, 225, 225, window())) return;
    numgases = k;
    s_.numgas = k;
    AvisoGases::instancia()->anunciar_alta(k);
    msgbox(tx(224), 64, QString(), window());
}

void frmgases::btsel_Click() {
    if (numgases < kPrimerGasPropio) return;
    QStringList nombres;
    try {
        // A gas without its section keeps its place in the list.
        nombres = lista_qt(nombres_de_gases(kPrimerGasPropio, numgases, true));
    } catch (const ErrorFichero& e) {
        avisar_fichero_ilegible(e, window());
        return;
    }
    cmbgas->show();
    btadd->setEnabled(false);
    btsel->setEnabled(false);
    btdel->setEnabled(true);
    btmod->setEnabled(true);
    llenar(cmbgas, nombres);
    seleccionar(cmbgas, 0);
}

void frmgases::cmbgas_Click() {
    const int posicion = cmbgas->currentIndex();
    if (posicion < 0) return;
    gas_elegido_ = posicion + kPrimerGasPropio;
    s_.ecuacion = panel_->cmbecu->currentIndex();
    // The exponent of the chosen gas, not the one of the gas shown before.
    double mu = -1;
    Documento datos;
    Carga carga;
    try {
        carga = leergas(-1, s_.ecuacion, gas_elegido_, s_.temperatura, mu, false, s_.gas);
        datos = leer(fichdatos);
    } catch (const ErrorFichero& e) {
        avisar_fichero_ilegible(e, window());
        return;
    }
    sin_seccion_ = carga == Carga::sin_seccion;
    if (sin_seccion_) {
        // Nothing of the gas shown before may stay in the boxes.
        vaciar_gas();
        msgbox(tx(221), 64, QString(), window());
        btsel->setEnabled(false);
        return;
    }
    nombre_elegido_ = QString::fromStdString(s_.gas.nombre);

    // The boxes take the gas's values; what they show is written by the
    // program, so the automatic preview waits until the gas is complete.
    cargando_ = true;
    textgas->Text(nombre_elegido_);
    for (auto [caja, v] : {std::pair{textpm, s_.gas.pm}, std::pair{texttc, s_.gas.tc},
                           std::pair{textpc, s_.gas.pc}, std::pair{textvc, s_.gas.vc},
                           std::pair{textteb, s_.gas.teb}, std::pair{texthvap, s_.gas.hv}}) {
        // A value the file does not give (-1) shows as 0.
        escribir_valor(caja->Txt(), v, fmt(std::fmax(v, 0.0), "####0.0000"));
    }
    cargando_ = false;

    panel_->cargar_tabla(datos, gas_elegido_);
    const TablaParametros& c = panel_->tabla();
    s_.mu = c[kGeneralizada][3];
    panel_->mostrar_exponente(s_.mu);
    // The boxes hold this gas's parameters before the automatic box reacts
    // (it reads the acentric factor from its box), and again after it.
    panel_->mostrar_registro();
    panel_->chkauto->setChecked(c[std::size_t(s_.ecuacion)][0] == 1);
    panel_->mostrar_registro();

    btsel->setEnabled(false);
    btdel->setEnabled(true);
    btmod->setEnabled(true);
}

void frmgases::estado_nuevo() {
    sin_seccion_ = false;
    cmbgas->clear();
    cmbgas->hide();
    btadd->setEnabled(true);
    btsel->setEnabled(true);
    btdel->setEnabled(false);
    btmod->setEnabled(false);
    btsel->setFocus(Qt::OtherFocusReason);
}

// A list entry without its section in the file can be neither modified nor
// deleted: says so.
bool frmgases::sin_seccion() {
    if (sin_seccion_) msgbox(tx(221), 64, QString(), window());
    return sin_seccion_;
}

void frmgases::btmod_Click() {
    if (sin_seccion() || !validadatos()) return;
    panel_->guardaecuacion();
    const TablaParametros tabla = panel_->tabla_para_escribir();
    const int k = gas_elegido_;
    const auto modificar = [&](Documento& d) {
        return modificar_gas(d, k, nombre_elegido_.toStdString(), s_.gas, tabla);
    };
    if (!reescribir_datos(modificar, 223, 223, window())) return;
    estado_nuevo();
    AvisoGases::instancia()->anunciar_cambio(k);
    msgbox(tx(222), 64, QString(), window());
}

void frmgases::btdel_Click() {
    if (sin_seccion()) return;
    const int k = gas_elegido_;
    limpiar();
    int n = -1;
    const auto borrar = [&](Documento& d) {
        n = borrar_gas(d, k, nombre_elegido_.toStdString());
        return n >= 0;
    };
    if (reescribir_datos(borrar, 221, 267, window())) {
        numgases = n;
        // The records and the open windows follow their gases before anyone
        // reads them again.
        const bool sistemas_al_primero = renumerar_sistemas(k);
        const bool al_primero = AvisoGases::instancia()->anunciar_baja(k) || sistemas_al_primero;
        QString texto = tx(220);
        if (al_primero) {
            datosgas g;
            double t = 300, mu = -1;
            try {
                leergas(-1, kIdeal, 1, t, mu, false, g);
            } catch (const ErrorFichero&) {
                g.nombre.clear();
            }
            texto +=
                QStringLiteral("\r\r") + tx(232) + QChar(13) + QString::fromStdString(g.nombre);
        }
        msgbox(texto, 64, QString(), window());
    }
    estado_nuevo();
}

void frmgases::limpiar() {
    vaciar_gas();
    if (panel_->cmbecu->currentIndex() != 0) seleccionar(panel_->cmbecu, 0);
}

void frmgases::vaciar_gas() {
    for (textextend* c : {textgas, textpm, texttc, textpc, textvc, textteb, texthvap})
        c->Text(QString());
    s_.gas = datosgas{};
    s_.mu = 0;
    panel_->reiniciar_tabla();
    panel_->chkauto->setChecked(false);
    panel_->vaciar();
}

}  // namespace korgas
