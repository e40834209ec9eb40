#include "systems/frmescala.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "core/gas.h"
#include "core/numtext.h"
#include "platform/controles.h"
#include "platform/eventos_foco.h"
#include "platform/filtro_numerico.h"
#include "platform/lienzo.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"
#include "platform/ventanas.h"
#include "systems/frmgraficos.h"
#include "systems/graficos.h"

namespace korgas {

namespace {

QString corto(double x) {
    return QString::fromStdString(texto_corto(x));
}

frmgraficos* ventana_grafico() {
    return Ventanas::buscar<frmgraficos>(kFrmgraficos);
}

void habilitar_grafico() {
    Ventanas::habilitar(kFrmgraficos, true);
}

}  // namespace

frmescala::frmescala(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmescala);
    setFixedSize(px(3150), px(3255));
    const char* const disenos[5] = {"", "V mínimo:", "V máximo:", "P mínimo:", "P máximo:"};
    for (int k = 1; k <= 4; ++k) {
        const double arriba = 240 + 480 * (k - 1);
        Label[k] = new QLabel(QString::fromUtf8(disenos[k]), this);
        Label[k]->setObjectName(QStringLiteral("Label%1").arg(k));
        Label[k]->setGeometry(rect_twips(360, arriba, 1140, 285));
        txtmm[k] = new QLineEdit(this);
        txtmm[k]->setObjectName(QStringLiteral("txtmm_%1").arg(k));
        txtmm[k]->setGeometry(rect_twips(1560, arriba, 1215, 285));
        new FiltroNumerico(txtmm[k], 10);
        QLineEdit* c = txtmm[k];
        eventos_.push_back(new EventosFoco(c, [c] { seleccionar_todo(c); }));
    }
    chky = new QCheckBox(this);
    chky->setObjectName(QStringLiteral("chky"));
    chky->setGeometry(rect_twips(600, 2160, 2175, 255));
    btaceptar = new QPushButton(this);
    btaceptar->setObjectName(QStringLiteral("btaceptar"));
    btaceptar->setGeometry(rect_twips(1800, 2640, 1095, 375));
    btcancelar = new QPushButton(this);
    btcancelar->setObjectName(QStringLiteral("btcancelar"));
    btcancelar->setGeometry(rect_twips(360, 2640, 1095, 375));
    for (QPushButton* b : {btaceptar, btcancelar}) b->setAutoDefault(false);
    connect(chky, &QCheckBox::clicked, this, [this] { chky_Click(); });
    connect(btaceptar, &QPushButton::clicked, this, [this] { btaceptar_Click(); });
    connect(btcancelar, &QPushButton::clicked, this, [this] { btcancelar_Click(); });

    // Form_Load.
    setWindowTitle(tx(150));
    for (int k = 1; k <= 4; ++k) Label[k]->setText(tx(150 + k));
    chky->setText(tx(155));
    btaceptar->setText(tx(65));
    btcancelar->setText(tx(156));
    if (escala_min.v == 0 && escala_min.p == 0 && escala_max.v == 0 && escala_max.p == 0) {
        escala_min = escala_auto_min;
        escala_max = escala_auto_max;
    }
    txtmm[1]->setText(corto(escala_min.v));
    txtmm[2]->setText(corto(escala_max.v));
    txtmm[3]->setText(corto(escala_min.p));
    txtmm[4]->setText(corto(escala_max.p));
    Ventanas::habilitar(kFrmgraficos, false);
    marcar(chky, true);
}

frmescala::~frmescala() = default;

void frmescala::closeEvent(QCloseEvent* ev) {
    for (EventosFoco* e : eventos_) e->activar(false);
    // However the dialog closes, the graph window takes input again.
    habilitar_grafico();
    Ventanas::activar_al_cerrar(kFrmgraficos);
    ev->accept();
}

void frmescala::chky_Click() {
    const bool automatica = chky->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Label[3], Label[4], txtmm[3], txtmm[4]})
        w->setEnabled(!automatica);
}

bool frmescala::finito(int k) {
    if (std::isfinite(num(txtmm[k]->text()))) return true;
    // A text whose number is too large for a double gives a range too large.
    avisar_escala(k <= 2 ? 166 : 165, this);
    txtmm[k]->setFocus(Qt::OtherFocusReason);
    txtmm[k]->selectAll();
    return false;
}

void frmescala::btaceptar_Click() {
    if (txtmm[1]->text().isEmpty() || txtmm[2]->text().isEmpty()) return;
    if (!finito(1) || !finito(2)) return;
    const double vmin = num(txtmm[1]->text());
    const double vmax = num(txtmm[2]->text());
    if (vmax < vmin) {
        msgbox(tx(233, QStringLiteral("El valor de V máximo debe ser mayor que V mínimo")), 0,
               QString(), this);
        return;
    }
    const bool automatica = chky->isChecked();
    double pmin = 0;
    double pmax = 0;
    if (!automatica) {
        if (txtmm[3]->text().isEmpty() || txtmm[4]->text().isEmpty()) return;
        if (!finito(3) || !finito(4)) return;
        pmin = num(txtmm[3]->text());
        pmax = num(txtmm[4]->text());
        if (pmax < pmin) {
            msgbox(tx(234, QStringLiteral("El valor de P máxima debe ser mayor que P mínima")), 0,
                   QString(), this);
            return;
        }
    }
    frmgraficos* g = ventana_grafico();
    if (!g) return;

    escala_min.v = vmin;
    escala_max.v = vmax;
    if (automatica) {
        rango_curvas(*g->pctgrafico, escala_min, escala_max);
    } else {
        escala_min.p = pmin;
        escala_max.p = pmax;
    }

    habilitar_grafico();
    g->pctgrafico->cls();
    if (fija_escala(*g, escala_min, escala_max)) {
        g->dibuja();
        txtmm[3]->setText(corto(escala_min.p));
        txtmm[4]->setText(corto(escala_max.p));
    }
}

void frmescala::btcancelar_Click() {
    habilitar_grafico();
    close();
}

}  // namespace korgas
