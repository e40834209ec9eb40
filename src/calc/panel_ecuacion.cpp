#include "calc/panel_ecuacion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <cmath>

#include "calc/entradas.h"
#include "core/kvstore.h"
#include "core/numtext.h"
#include "core/teclas.h"
#include "platform/aviso_gases.h"
#include "platform/controles.h"
#include "platform/eventos_foco.h"
#include "platform/filtro_numerico.h"
#include "platform/formulas.h"
#include "platform/mensajes_qt.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

constexpr int kAnchoCaja = 100;

}  // namespace

PanelEcuacion::PanelEcuacion(sistema& registro, Opciones opciones, QWidget* padre)
    : QWidget(padre), s_(registro), op_(std::move(opciones)) {
    setObjectName(QStringLiteral("panel_ecuacion"));
    Label5 = rotulo("Label5", this, QStringLiteral("Gas:"));
    Label1 = rotulo("Label1", this, QStringLiteral("Ecuación:"));
    Label6 = rotulo("Label6", this, QStringLiteral("Parámetros:"));
    cmbgas = new QComboBox(this);
    cmbgas->setObjectName(QStringLiteral("cmbgas"));
    cmbecu = new QComboBox(this);
    cmbecu->setObjectName(QStringLiteral("cmbecu"));
    for (QComboBox* c : {cmbgas, cmbecu}) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        c->setMinimumContentsLength(22);
        c->setMaxVisibleItems(15);
    }
    imgformula = cuadro_formula(this);

    const char* nombres_lb[4] = {"lba", "lbb", "lbc", "lbd"};
    const char* nombres_txt[4] = {"txta", "txtb", "txtc", "txtd"};
    const char* nombres_unit[4] = {"lbunita", "lbunitb", "lbunitc", "lbunitd"};
    const QString titulos[4] = {QStringLiteral("a :"), QStringLiteral("b :"),
                                QStringLiteral("C(T):"), QStringLiteral("D(T):")};
    for (int i = 0; i < 4; ++i) {
        lb[i] = rotulo(nombres_lb[i], this, titulos[i]);
        txt[i] = caja_numerica(nombres_txt[i], this, kAnchoCaja);
        lbunit[i] = rotulo(nombres_unit[i], this, QStringLiteral("Label"));
        lbunit[i]->setMinimumWidth(120);
    }
    lbmu = rotulo("lbmu", this, QStringLiteral("\u03BC :"));
    txtmu = caja_numerica("txtmu", this, kAnchoCaja);

    auto* g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(5);
    g->addWidget(Label5, 0, 0);
    g->addWidget(cmbgas, 0, 1, 1, 2);
    g->addWidget(Label1, 1, 0);
    g->addWidget(cmbecu, 1, 1, 1, 2);
    g->addWidget(imgformula, 2, 0, 1, 3);
    g->addWidget(Label6, 3, 0, 1, 3);
    colocar_parametros(g, 4, lb, txt, lbunit, lbmu, txtmu);

    connect(cmbgas, &QComboBox::activated, this, [this](int) { cmbgas_Click(); });
    AvisoGases* aviso = AvisoGases::instancia();
    connect(aviso, &AvisoGases::gas_borrado, this, &PanelEcuacion::gas_borrado);
    connect(aviso, &AvisoGases::gas_anadido, this, [this](int) { rehacer_lista_gases(); });
    connect(aviso, &AvisoGases::gas_modificado, this, &PanelEcuacion::gas_modificado);
    connect(cmbecu, &QComboBox::activated, this, [this](int) { cmbecu_Click(); });
    for (int i = 0; i < 4; ++i) {
        QLineEdit* c = txt[i];
        new FiltroNumerico(c, 10, [this, i] { txtparametro_Enter(i); });
        eventos_[i] = new EventosFoco(c, [c] { seleccionar_todo(c); }, {});
    }
    new FiltroNumerico(txtmu, 10, [this] { txtmu_Enter(); });
    eventos_[4] = new EventosFoco(
        txtmu, [this] { seleccionar_todo(txtmu); }, [this] { txtmu_LostFocus(); });
}

void PanelEcuacion::activar_eventos(bool si) {
    for (auto* e : eventos_)
        if (e) e->activar(si);
}

void PanelEcuacion::llenar_gases() {
    QStringList gases;
    try {
        gases = lista_qt(nombres_de_gases(1, numgases, false));
    } catch (const ErrorFichero& e) {
        gases.clear();
        avisar_fichero_ilegible(e, window());
    }
    llenar(cmbgas, gases);
}

void PanelEcuacion::llenar_listas() {
    llenar_gases();
    const QStringList ecuaciones = nombres_ecuaciones();
    llenar(cmbecu, ecuaciones);
}

void PanelEcuacion::parametros() {
    const Disposicion d = disposicion(s_.ecuacion, op_.unidades);
    for (int i = 0; i < 4; ++i) {
        if (!d.titulo[i].isEmpty()) lb[i]->setText(d.titulo[i]);
        if (d.visible[i]) lbunit[i]->setText(d.unidad[i]);
        lb[i]->setVisible(d.visible[i]);
        txt[i]->setVisible(d.visible[i]);
        lbunit[i]->setVisible(d.visible[i]);
    }
    lbmu->setVisible(d.exponente);
    txtmu->setVisible(d.exponente);
    if (s_.ecuacion >= 0 && s_.ecuacion < kNumEcuaciones)
        imgformula->setPixmap(formula(s_.ecuacion, devicePixelRatioF()));
    else
        imgformula->clear();
}

// The boxes show the parameters with five or six decimals but keep them
// exact: the calculations use the loaded parameters, not their decimals.
void PanelEcuacion::mostrar_ab() {
    escribir_valor(txt[0], s_.gas.c[0], "####0.00000");
    escribir_valor(txt[1], s_.gas.c[1], "####0.00000");
}

void PanelEcuacion::mostrar_parametros(bool con_exponente) {
    mostrar_ab();
    escribir_valor(txt[2], s_.gas.c[2], "####0.000000");
    escribir_valor(txt[3], s_.gas.c[3], "####0.000000");
    if (con_exponente) escribir_valor(txtmu, s_.mu, QString::fromStdString(texto_corto(s_.mu)));
}

void PanelEcuacion::leer(sistema& s) const {
    s.ecuacion = cmbecu->currentIndex();
    s.numgas = cmbgas->currentIndex() + 1;
    for (int i = 0; i < 4; ++i) s.gas.c[std::size_t(i)] = leer_valor(txt[i]);
    // An exponent of 1 or less is refused by the box (text 93); it must not
    // reach the equation, which divides by mu - 1.
    const double mu = leer_valor(txtmu);
    if (std::isfinite(mu) && mu > 1) s.mu = mu;
}

bool PanelEcuacion::calculable(const sistema& s) const {
    if (s.ecuacion == kIdeal) return true;
    return carga_ == Carga::ok && parametros_finitos(s.ecuacion, s.gas.c);
}

bool PanelEcuacion::recargar() {
    if (s_.numgas < 1 || s_.numgas > cmbgas->count()) return true;
    const sistema antes = s_;
    try {
        carga_ = leergas(0, s_);
        if (carga_ == Carga::sin_seccion) msgbox(tx(221), 48, QString(), window());
    } catch (const ErrorFichero& e) {
        s_ = antes;
        avisar_fichero_ilegible(e, window());
        return false;
    }
    return true;
}

void PanelEcuacion::temperatura_cambiada(double t) {
    const int e = s_.ecuacion;
    if (e != kVirial && e != kSoave && e != kPengRobinson) return;
    if (!std::isfinite(t) || t <= 0) return;
    s_.temperatura = t;
    if (recargar()) mostrar_parametros(false);
}

void PanelEcuacion::cmbgas_Click() {
    const int antes = s_.numgas;
    s_.numgas = cmbgas->currentIndex() + 1;
    sistema_actual = 0;
    if (!recargar_y_calcular()) {
        // Nothing could be loaded: the list goes back to the gas shown.
        s_.numgas = antes;
        QSignalBlocker bloqueo(cmbgas);
        cmbgas->setCurrentIndex(antes - 1);
    }
}

bool PanelEcuacion::recargar_y_calcular() {
    if (!recargar()) return false;
    mostrar_parametros();
    if (op_.recalcular) op_.recalcular();
    return true;
}

void PanelEcuacion::cmbecu_Click() {
    const int antes = s_.ecuacion;
    s_.ecuacion = cmbecu->currentIndex();
    if (s_.ecuacion == kVirial)
        msgbox(tx(87) + QLatin1Char('\n') + tx(88) + QLatin1Char('\n') + tx(89), 64, QString(),
               window());
    sistema_actual = 0;
    if (!recargar()) {
        // Nothing could be loaded: the list goes back to the equation shown.
        s_.ecuacion = antes;
        QSignalBlocker bloqueo(cmbecu);
        cmbecu->setCurrentIndex(antes);
        return;
    }
    parametros();
    mostrar_parametros();
    if (op_.recalcular) op_.recalcular();
}

void PanelEcuacion::txtparametro_Enter(int i) {
    if (i < 0 || i > 3 || txt[i]->text().isEmpty()) return;
    if (!recargar()) return;
    if (op_.recalcular) op_.recalcular();
}

void PanelEcuacion::txtmu_Enter() {
    if (txtmu->text().isEmpty()) return;
    const double x = leer_valor(txtmu);
    if (!(x > 1) || !std::isfinite(x)) {
        msgbox(tx(93), 64, QString(), window());
        return;
    }
    const double antes = s_.mu;
    s_.mu = x;
    sistema_actual = 0;
    if (!recargar()) {
        s_.mu = antes;
        return;
    }
    parametros();
    mostrar_ab();
    if (op_.recalcular_tras_exponente && op_.recalcular) op_.recalcular();
}

void PanelEcuacion::txtmu_LostFocus() {
    // Leaving the box is Enter, through the key filter: a box at its maximum
    // length swallows it.
    int tecla = 13;
    tecla_numerica(10, tecla, txtmu->text().toStdString());
    if (tecla == 13) txtmu_Enter();
}

// ---- Gases added, changed or deleted by the gas editor --------------------

void PanelEcuacion::rehacer_lista_gases() {
    // Only a window that has loaded its lists follows them.
    if (cmbecu->count() == 0) return;
    llenar_gases();
    QSignalBlocker bloqueo(cmbgas);
    cmbgas->setCurrentIndex(s_.numgas >= 1 && s_.numgas <= cmbgas->count() ? s_.numgas - 1 : -1);
}

void PanelEcuacion::gas_borrado(int borrado) {
    if (cmbecu->count() == 0) return;
    const int antes = s_.numgas;
    const int despues = numero_tras_borrado(antes, borrado);
    if (antes < 1 || despues != 0) {
        // The later gases move down by one: the record follows its gas.
        s_.numgas = despues;
        rehacer_lista_gases();
        return;
    }
    // The window's own gas is gone: it falls back to the first gas, loaded
    // and computed with the window's state, and the editor tells the user.
    s_.numgas = 1;
    rehacer_lista_gases();
    if (cmbgas->count() == 0) return;
    AvisoGases::instancia()->al_primero();
    recargar_y_calcular();
}

void PanelEcuacion::gas_modificado(int numgas) {
    if (cmbecu->count() == 0) return;
    rehacer_lista_gases();
    // The window's gas has new data: loaded again and computed with the
    // temperature, volume, amount and units the user set.
    if (s_.numgas == numgas) recargar_y_calcular();
}

}  // namespace korgas
