#include "gasdb/panel_gases.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <string>

#include "core/kvstore.h"
#include "core/numtext.h"
#include "gasdb/propiedades.h"
#include "gasdb/textextend.h"
#include "platform/controles.h"
#include "platform/formulas.h"
#include "platform/mensajes_qt.h"
#include "platform/parametros_ecuacion.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

// What a box shows instead of a number that cannot be used.
const QString kSinNumero = QStringLiteral("-----");

// The design of the parameter boxes: decimal, signed, right-aligned, no
// header.
Propiedades diseno_parametro() {
    return {{QStringLiteral("alignement"), 1},
            {QStringLiteral("numberbox"), 2},
            {QStringLiteral("signo"), true},
            {QStringLiteral("selonfocus"), true},
            {QStringLiteral("forecolor"), 0x80000008u},
            {QStringLiteral("font"), QApplication::font()},
            {QStringLiteral("headerbackcolor"), 0x8000000Fu}};
}

}  // namespace

PanelGases::PanelGases(sistema& registro, textextend* textpc, textextend* texttc,
                       std::function<void()> guardar_criticos, QWidget* padre)
    : QWidget(padre),
      s_(registro),
      textpc_(textpc),
      texttc_(texttc),
      guardar_criticos_(std::move(guardar_criticos)) {
    setObjectName(QStringLiteral("panel_gases"));
    Label1 = rotulo("Label1", this, tx(51) + QLatin1Char(':'));
    Label6 = rotulo("Label6", this, tx(54) + QLatin1Char(':'));
    cmbecu = new QComboBox(this);
    cmbecu->setObjectName(QStringLiteral("cmbecu"));
    cmbecu->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbecu->setMinimumContentsLength(22);
    chkauto = new QCheckBox(tx(197), this);
    chkauto->setObjectName(QStringLiteral("chkauto"));
    imgformula = cuadro_formula(this);

    const char* nombres_lb[4] = {"lba", "lbb", "lbc", "lbd"};
    const char* nombres_txt[4] = {"txta", "txtb", "txtc", "txtd"};
    const char* nombres_unit[4] = {"lbunita", "lbunitb", "lbunitc", "lbunitd"};
    const Propiedades diseno = diseno_parametro();
    for (int i = 0; i < 4; ++i) {
        lb[i] = rotulo(nombres_lb[i], this, QString());
        txt[i] = crear_textextend(QLatin1String(nombres_txt[i]), diseno, this);
        txt[i]->setFixedWidth(110);
        lbunit[i] = rotulo(nombres_unit[i], this, QString());
        lbunit[i]->setMinimumWidth(130);
    }
    lbmu = rotulo("lbmu", this, QStringLiteral("\u03BC :"));
    txtmu = crear_textextend(QStringLiteral("txtmu"), diseno, this);
    txtmu->setFixedWidth(110);

    auto* g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(5);
    g->addWidget(Label1, 0, 0);
    g->addWidget(cmbecu, 0, 1, 1, 2);
    g->addWidget(chkauto, 1, 0, 1, 3);
    g->addWidget(imgformula, 2, 0, 1, 3);
    g->addWidget(Label6, 3, 0, 1, 3);
    colocar_parametros(g, 4, lb, txt, lbunit, lbmu, txtmu);

    ocultar_en_su_sitio({chkauto});

    connect(cmbecu, &QComboBox::activated, this, [this](int) { cmbecu_Click(); });
    // The automatic box's handler runs when its state changes, by the user or
    // by the program.
    connect(chkauto, &QCheckBox::toggled, this, [this](bool) { chkauto_Click(); });
    connect(txtmu, &textextend::Change, this, [this] { txtmu_Change(); });
    connect(txt[2], &textextend::Change, this, [this] { txtc_Change(); });
    // The user's own choice of the automatic box makes a row that could not
    // be used the user's row again.
    connect(chkauto, &QCheckBox::clicked, this, [this] {
        const auto e = std::size_t(elegida());
        if (!rota_[e]) return;
        rota_[e] = false;
        calculaparametros(chkauto->isChecked() ? 1 : 0);
    });
}

void PanelGases::llenar() {
    const QStringList ecuaciones = nombres_ecuaciones();
    korgas::llenar(cmbecu, ecuaciones);
}

int PanelGases::elegida() const {
    const int e = cmbecu->currentIndex();
    return e >= 0 && e < kNumEcuaciones ? e : 0;
}

// ---------------------------------------------------------------------------
// The table

void PanelGases::reiniciar_tabla() {
    c_ = {};
    c_[6][3] = c_[7][3] = c_[8][3] = 1.0;
    mostrada_.fill(false);
    rota_.fill(false);
}

void PanelGases::cargar_tabla(const Documento& datos, int k) {
    c_ = leer_tabla(datos, k);
    mostrada_.fill(true);
    for (std::size_t e = 0; e < c_.size(); ++e)
        rota_[e] =
            std::any_of(c_[e].begin() + 1, c_[e].end(), [](double x) { return !std::isfinite(x); });
}

TablaParametros PanelGases::tabla_para_escribir() const {
    TablaParametros t = c_;
    for (int e = 1; e < kNumEcuaciones; ++e) {
        if (mostrada_[std::size_t(e)]) continue;
        auto& fila = t[std::size_t(e)];
        fila[0] = 1;
        fila[1] = fila[2] = fila[4] = -1;
        // The exponent and the acentric factors are data, not derived.
        if (e != kGeneralizada && e != kSoave && e != kPengRobinson) fila[3] = -1;
    }
    return t;
}

// ---------------------------------------------------------------------------
// Handlers

void PanelGases::etiquetas_ecuacion() {
    const int e = s_.ecuacion;
    // The calculation window's captions and units, but for two things: the
    // editor names every virial box, and shows the acentric factor of
    // Soave and Peng-Robinson (a number without a unit).
    Disposicion d = disposicion(e, UnidadesParametros::calculo());
    const std::array<bool, 4> con_unidad = d.visible;
    if (e == kVirial) {
        d.titulo[2] = QStringLiteral("C(T):");
        d.titulo[3] = QStringLiteral("D(T):");
    } else if (e == kSoave || e == kPengRobinson) {
        d.titulo[2] = QStringLiteral("w:");
        d.visible[2] = true;
    }
    for (int i = 0; i < 4; ++i) {
        if (!d.titulo[i].isEmpty()) lb[i]->setText(d.titulo[i]);
        lbunit[i]->setText(d.unidad[i]);
        lb[i]->setVisible(d.visible[i]);
        txt[i]->setVisible(d.visible[i]);
        lbunit[i]->setVisible(con_unidad[i]);
    }
    lbmu->setVisible(d.exponente);
    txtmu->setVisible(d.exponente);
    chkauto->setVisible(e != kIdeal);
    imgformula->setPixmap(formula(e, devicePixelRatioF()));
}

void PanelGases::cmbecu_Click() {
    guardaecuacion();
    s_.ecuacion = elegida();
    etiquetas_ecuacion();
    cargaecuacion();
}

bool PanelGases::sin_tocar(int e) const {
    const int cajas = e == kIdeal                         ? 0
                      : e == kVirial                      ? 4
                      : e == kSoave || e == kPengRobinson ? 3
                                                          : 2;
    for (int i = 0; i < cajas; ++i)
        if (!valor_guardado(txt[i]->Txt())) return false;
    return e != kGeneralizada || valor_guardado(txtmu->Txt());
}

void PanelGases::guardaecuacion() {
    guardar_criticos_();
    const int e = s_.ecuacion;
    if (e >= 0 && e < kNumEcuaciones) {
        auto& fila = c_[std::size_t(e)];
        if (rota_[std::size_t(e)] && sin_tocar(e)) {
            // Left as the file holds it.
        } else if (fila[0] != 0) {
            rota_[std::size_t(e)] = false;
            fila[1] = fila[2] = fila[4] = -1;
            fila[3] = e == kSoave || e == kPengRobinson ? valor(txt[2]) : -1;
        } else {
            rota_[std::size_t(e)] = false;
            for (int j = 1; j <= 4; ++j) fila[std::size_t(j)] = valor(txt[j - 1]);
        }
    }
    s_.mu = txtmu->Text().isEmpty() ? 1.5 : valor(txtmu);
    c_[6][3] = s_.mu;
}

void PanelGases::cargaecuacion() {
    const int e = elegida();
    s_.ecuacion = e;
    mostrada_[std::size_t(e)] = true;
    chkauto->setChecked(c_[std::size_t(e)][0] == 1);
    for (int i = 0; i < 4; ++i) s_.gas.c[std::size_t(i)] = c_[std::size_t(e)][std::size_t(i) + 1];
    s_.mu = c_[6][3];
    calculaparametros(chkauto->isChecked() ? 1 : 0);
}

void PanelGases::mostrar(int i, double v) {
    // A row that cannot be used shows no number, but keeps its values.
    if (rota_[std::size_t(elegida())])
        escribir_valor(txt[i]->Txt(), v, kSinNumero);
    else
        escribir_valor(txt[i]->Txt(), v, i < 2 ? "####0.00000" : "####0.000000");
}

void PanelGases::mostrar_parametros(int e) {
    mostrar(0, s_.gas.c[0]);
    mostrar(1, s_.gas.c[1]);
    if (e == kVirial || e == kSoave || e == kPengRobinson) mostrar(2, s_.gas.c[2]);
    if (e == kVirial) mostrar(3, s_.gas.c[3]);
}

void PanelGases::mostrar_exponente(double mu) {
    const QScopedValueRollback<bool> callado(callado_, true);
    escribir_valor(txtmu->Txt(), mu, QString::fromStdString(texto_corto(mu)));
}

void PanelGases::calculaparametros(int automatico) {
    const int e = elegida();
    s_.ecuacion = e;
    auto& fila = c_[std::size_t(e)];
    // What is written here is not the user's typing.
    const QScopedValueRollback<bool> callado(callado_, true);
    if (automatico == 1) {
        fila[0] = 1;
        // Nothing is derived for a row that cannot be used.
        if (rota_[std::size_t(e)]) mostrar_parametros(e);
        if (e != kIdeal && !rota_[std::size_t(e)]) {
            std::array<double, 4> c = s_.gas.c;
            double omega = 0;
            if (e == kVirial) {
                c = {-1, -1, -1, -1};
            } else {
                c[0] = c[1] = -1;
                if (e == kGeneralizada) {
                    c[2] = s_.mu;
                    // A box that already reads the exponent keeps its text,
                    // so that "2." being typed does not become "2".
                    if (txtmu->Text().isEmpty() || valor(txtmu) != s_.mu) mostrar_exponente(s_.mu);
                }
                if (e == kSoave || e == kPengRobinson) omega = c[2];
            }
            const bool bien =
                derivar_parametros(e, s_.gas.tc, s_.gas.pc, s_.temperatura, s_.mu, omega, c);
            s_.gas.c = c;
            const int derivados = e == kVirial ? 4 : 2;
            for (int i = 0; i < 4; ++i) {
                // The acentric factor being typed is the user's text, not a
                // result: rewriting it would turn "0" into "0.000000" and
                // the next keys into decimals the user never typed.
                if (txt[i] == tecleando_) continue;
                // What cannot be derived (an exponent of 1) shows no number.
                if (!bien && i < derivados)
                    txt[i]->Text(QString());
                else
                    mostrar(i, s_.gas.c[std::size_t(i)]);
            }
        }
    } else {
        fila[0] = 0;
        mostrar_parametros(e);
        if (e == kGeneralizada) mostrar_exponente(s_.mu);
    }
    if (e == kSoave || e == kPengRobinson) txt[2]->Enabled(true);
}

void PanelGases::chkauto_Click() {
    const int e = elegida();
    s_.ecuacion = e;
    s_.gas.pc = valor(textpc_);
    s_.gas.tc = valor(texttc_);
    if (!chkauto->isChecked()) {
        for (textextend* t : txt) t->Enabled(true);
        txtmu->Enabled(true);
        calculaparametros(0);
        return;
    }
    if (texttc_->Text().isEmpty() || textpc_->Text().isEmpty()) {
        msgbox(tx(198), 48, QString(), window());
        chkauto->setChecked(false);  // which runs this handler for the cleared box
        return;
    }
    for (textextend* t : txt) t->Enabled(false);
    txtmu->Enabled(true);
    if (e == kVirial) {
        const QChar cr(13);
        msgbox(tx(87) + cr + tx(88) + cr + tx(89) + cr + tx(199), 64, QString(), window());
    } else if (e == kGeneralizada) {
        if (!txtmu->Text().isEmpty()) s_.mu = valor(txtmu);
    } else if (e == kSoave || e == kPengRobinson) {
        txt[2]->Enabled(true);
        msgbox(tx(199), 64, QString(), window());
        s_.gas.c[2] = valor(txt[2]);
    }
    calculaparametros(1);
}

void PanelGases::txtmu_Change() {
    if (callado_) return;
    const double x = valor(txtmu);
    if (!txtmu->Text().isEmpty() && x >= 1) {
        s_.mu = x;
        if (chkauto->isChecked()) calculaparametros(1);
        return;
    }
    msgbox(tx(93), 0, QString(), window());
    mostrar_exponente(s_.mu);
}

void PanelGases::txtc_Change() {
    if (callado_) return;
    const int e = elegida();
    if ((e == kSoave || e == kPengRobinson) && chkauto->isChecked()) {
        s_.gas.c[2] = valor(txt[2]);
        const QScopedValueRollback<textextend*> tecleando(tecleando_, txt[2]);
        calculaparametros(1);
    }
}

void PanelGases::mostrar_registro() {
    const int e = elegida();
    const QScopedValueRollback<bool> callado(callado_, true);
    mostrar_parametros(e);
    if (e == kGeneralizada) {
        s_.mu = s_.gas.c[2];
        mostrar_exponente(s_.mu);
    }
}

void PanelGases::vaciar() {
    const QScopedValueRollback<bool> callado(callado_, true);
    for (textextend* t : txt) t->Text(QString());
    txtmu->Text(QString());
}

}  // namespace korgas
