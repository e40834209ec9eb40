#include "systems/frmdatos.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <cmath>

#include "core/kvstore.h"
#include "core/numtext.h"
#include "platform/aviso_gases.h"
#include "platform/colores.h"
#include "platform/controles.h"
#include "platform/eventos_foco.h"
#include "platform/filtro_numerico.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"
#include "platform/valor_caja.h"
#include "platform/ventanas.h"
#include "systems/frmgraficos.h"
#include "systems/sistemas_qt.h"

namespace korgas {

namespace {

// Design geometry, twips.
constexpr double kAncho = 8900;
constexpr double kAlto = 3720;
constexpr double kAltoMarca = 495;
constexpr double kAnchoMarca = 8715;
constexpr double kAltoCheck = 255;
constexpr double kIzquierdaCheck = 240;
constexpr double kIzquierdaUpDown = 8400;
constexpr double kAnchoUpDown = 255;

constexpr double arriba_fila(int i) {
    return 720 + 480 * (i - 1);
}

// The amount's maximum by unit.
constexpr qint64 kMaxMoles = 100;
constexpr qint64 kMaxGramos = 1000;

const QString kSinCantidad = QStringLiteral("Debes introducir alguna cantidad de gas");

// Calls fn when the mouse goes down on the watched widget.
class AlPulsar : public QObject {
  public:
    AlPulsar(QWidget* w, std::function<void()> fn) : QObject(w), fn_(std::move(fn)) {
        w->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* ev) override {
        if (ev->type() == QEvent::MouseButtonPress) fn_();
        return false;
    }

  private:
    std::function<void()> fn_;
};

void poner_en(QWidget* w, double izquierda, double arriba, double ancho, double alto) {
    w->setGeometry(rect_twips(izquierda, arriba, ancho, alto));
}

}  // namespace

// ---- Marker ---------------------------------------------------------------

Marca::Marca(QWidget* padre) : QWidget(padre) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Marca::fijar_color(const QColor& c) {
    color_ = c;
    update();
}

void Marca::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(color_, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- Load -----------------------------------------------------------------

frmdatos::frmdatos(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmdatos);
    construir();

    // Captions.
    setWindowTitle(sin_acceso(tx(14)));
    Label1->setText(tx(50));
    Label2->setText(tx(51));
    Label3->setText(tx(52));
    Label4->setText(tx(53));
    btparametros->setText(tx(54));
    btactualiza->setText(tx(55));
    for (QLabel* l : {Label1, Label2, Label3, Label4}) l->adjustSize();

    // Defaults of records that were never set (at start, after a new file).
    if (!sistemas_iniciados) {
        for (int i = 1; i <= 5; ++i) {
            sistema& s = sistemas[std::size_t(i)];
            s.numgas = 0;
            s.ecuacion = 0;
            s.temperatura = 300;
            s.moles = 1;
        }
    }

    // The gas and equation lists.
    llenacombos();

    const bool gramos = gramos_en_vigor();
    if (sistemas_iniciados) {
        // Reopened: the rows as the records hold them.
        aplicar_unidad(gramos, false);
        for (int i = 1; i <= 5; ++i) {
            const sistema s = sistemas[std::size_t(i)];
            marcar(Check[i], s.activo);
            seleccionar(cmbgas[i], s.numgas - 1);
            seleccionar(cmbecu[i], s.ecuacion);
            poner_temp(i, QString::fromStdString(texto_corto(s.temperatura)));
            const double cantidad = gramos ? s.gramos : s.moles;
            escribir_valor(txtmol[i], cantidad, "###0.000");
            txtmol_Change(i);
        }
    } else {
        // First load: row 1 alone ticked, first gas, equation 0, 300 K, 1.
        sistemas_iniciados = true;
        if (gramos) aplicar_unidad(true, false);
        for (int i = 1; i <= 5; ++i) {
            marcar(Check[i], i == 1);
            seleccionar(cmbgas[i], 0);
            seleccionar(cmbecu[i], 0);
            poner_temp(i, QStringLiteral("300"));
            poner_mol(i, QStringLiteral("1.000"));
        }
    }

    // The graph entries of the main window come to life with this window.
    if (QAction* a = orden_principal(Orden::dibujos)) a->setEnabled(true);

    // The rows follow the gases of the data file.
    AvisoGases* aviso = AvisoGases::instancia();
    connect(aviso, &AvisoGases::gas_anadido, this,
            [this](int n) { gases_cambiados(n, false, false); });
    connect(aviso, &AvisoGases::gas_modificado, this,
            [this](int n) { gases_cambiados(n, false, true); });
    connect(aviso, &AvisoGases::gas_borrado, this,
            [this](int n) { gases_cambiados(n, true, false); });
}

frmdatos::~frmdatos() = default;

void frmdatos::construir() {
    setFixedSize(px(kAncho), px(kAlto));

    auto rotulo = [this](const char* nombre, double izquierda) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(nombre));
        l->move(px(izquierda), px(120));
        return l;
    };
    Label1 = rotulo("Label1", 1080);
    Label4 = rotulo("Label4", 2640);
    Label2 = rotulo("Label2", 5160);
    Label3 = rotulo("Label3", 7200);
    auto* Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(0, px(480) - 1, px(kAncho), 2);

    for (int i = 1; i <= 5; ++i) {
        const double top = arriba_fila(i);
        const QString n = QString::number(i);
        Check[i] = new QCheckBox(this);
        Check[i]->setObjectName(QStringLiteral("Check_") + n);
        poner_en(Check[i], kIzquierdaCheck, top, 255, kAltoCheck);
        cmbgas[i] = new QComboBox(this);
        cmbgas[i]->setObjectName(QStringLiteral("cmbgas_") + n);
        poner_en(cmbgas[i], 600, top, 1575, 315);
        txtmol[i] = caja_numerica(QStringLiteral("txtmol_") + n, this);
        poner_en(txtmol[i], 2400, top, 930, 315);
        UpDown1[i] = new Spinner(txtmol[i], this);
        UpDown1[i]->setObjectName(QStringLiteral("UpDown1_") + n);
        UpDown1[i]->setGeometry(px(3360), px(top), UpDown1[i]->sizeHint().width(), px(315));
        UpDown1[i]->fijar_minimo(0);
        UpDown1[i]->fijar_maximo(kMaxMoles);
        cmbecu[i] = new QComboBox(this);
        cmbecu[i]->setObjectName(QStringLiteral("cmbecu_") + n);
        poner_en(cmbecu[i], 3840, top, 3315, 315);
        txttemp[i] = caja_numerica(QStringLiteral("txttemp_") + n, this);
        poner_en(txttemp[i], 7560, top, 825, 315);
        UpDown[i] = new Spinner(txttemp[i], this);
        UpDown[i]->setObjectName(QStringLiteral("UpDown_") + n);
        UpDown[i]->setGeometry(px(kIzquierdaUpDown), px(top), UpDown[i]->sizeHint().width(),
                               px(315));
        UpDown[i]->fijar_minimo(0);
        UpDown[i]->fijar_maximo(1000);
        UpDown[i]->fijar_paso(10);
        // At design the rows but the first are off; the load sets each row
        // by its tick.
        for (QWidget* w : std::initializer_list<QWidget*>{cmbgas[i], txtmol[i], UpDown1[i],
                                                          cmbecu[i], txttemp[i], UpDown[i]})
            w->setEnabled(i == 1);

        connect(Check[i], &QCheckBox::clicked, this, [this, i] { Check_Click(i); });
        connect(cmbgas[i], &QComboBox::activated, this, [this, i] { cmbgas_Click(i); });
        connect(cmbecu[i], &QComboBox::activated, this, [this, i] { cmbecu_Click(i); });
        connect(txttemp[i], &QLineEdit::textEdited, this, [this, i] { txttemp_Change(i); });
        connect(txtmol[i], &QLineEdit::textEdited, this, [this, i] { txtmol_Change(i); });
        connect(UpDown1[i], &Spinner::changed, this, [this, i] { UpDown1_Change(i); });
        // The temperature spinner writes its box, whose change handler runs.
        connect(UpDown[i], &Spinner::changed, this, [this, i] { txttemp_Change(i); });
        new FiltroNumerico(txttemp[i], 9);
        new FiltroNumerico(txtmol[i], 9);

        // The row becomes the current one when one of its controls gets the
        // focus (the temperature spinner takes none).
        auto actual = [this, i] {
            sistema_actual = i;
            marcafila(i);
        };
        for (QWidget* w : std::initializer_list<QWidget*>{Check[i], cmbgas[i], cmbecu[i]})
            eventos_.push_back(new EventosFoco(w, actual));
        QLineEdit* temp = txttemp[i];
        eventos_.push_back(new EventosFoco(temp, [temp, actual] {
            seleccionar_todo(temp);
            actual();
        }));
        QLineEdit* mol = txtmol[i];
        eventos_.push_back(new EventosFoco(
            mol,
            [mol, actual] {
                seleccionar_todo(mol);
                actual();
            },
            [this, i] {
                // Run once the focus has settled; a move made to give the
                // focus back to a refused box is not a leave of the other.
                if (devolviendo_foco_) return;
                QTimer::singleShot(0, this, [this, i] { txtmol_LostFocus(i); });
            }));
        // A press on the amount spinner puts the focus into its box.
        for (QWidget* b : {static_cast<QWidget*>(UpDown1[i]->boton_arriba()),
                           static_cast<QWidget*>(UpDown1[i]->boton_abajo())})
            new AlPulsar(b, [mol] { mol->setFocus(Qt::MouseFocusReason); });
    }

    btparametros = new QPushButton(this);
    btparametros->setObjectName(QStringLiteral("btparametros"));
    poner_en(btparametros, 5820, 3120, 1455, 375);
    btactualiza = new QPushButton(this);
    btactualiza->setObjectName(QStringLiteral("btactualiza"));
    poner_en(btactualiza, 7440, 3120, 1455, 375);
    for (QPushButton* b : {btparametros, btactualiza}) b->setAutoDefault(false);
    connect(btparametros, &QPushButton::clicked, this, [this] { btparametros_Click(); });
    connect(btactualiza, &QPushButton::clicked, this, [this] { btactualiza_Click(); });

    shpmarca = new Marca(this);
    shpmarca->setObjectName(QStringLiteral("shpmarca"));
    shpmarca->resize(px(kAnchoMarca), px(kAltoMarca));

    // Tab order: row by row.
    QWidget* anterior = nullptr;
    for (int i = 1; i <= 5; ++i) {
        for (QWidget* w : std::initializer_list<QWidget*>{Check[i], cmbgas[i], txtmol[i], cmbecu[i],
                                                          txttemp[i]}) {
            if (anterior) setTabOrder(anterior, w);
            anterior = w;
        }
    }
    setTabOrder(anterior, btparametros);
    setTabOrder(btparametros, btactualiza);
}

QStringList frmdatos::nombres_gases() {
    // Each name read once, for the five lists.
    QStringList gases;
    try {
        gases = lista_qt(nombres_de_gases(1, numgases, false));
    } catch (const ErrorFichero& e) {
        gases.clear();
        avisar_fichero_ilegible(e, this);
    }
    return gases;
}

void frmdatos::poner_gases(const QStringList& gases) {
    // Each list opens wide enough for its longest name (textos_enteros).
    for (int i = 1; i <= 5; ++i) llenar(cmbgas[i], gases);
}

void frmdatos::llenacombos() {
    poner_gases(nombres_gases());
    const QStringList ecuaciones = nombres_ecuaciones();
    for (int i = 1; i <= 5; ++i) {
        sistema& s = sistemas[std::size_t(i)];
        llenar(cmbecu[i], ecuaciones);
        const QColor c = color_de(s.color);
        for (QWidget* w :
             std::initializer_list<QWidget*>{Check[i], cmbgas[i], cmbecu[i], txttemp[i], txtmol[i]})
            colorear(w, c);
        // "The file's exponent" for rows set afresh; a reopened row keeps the
        // exponent it has, as it keeps its own parameters.
        if (!sistemas_iniciados) s.mu = -1;
    }
    marcafila(1);
}

void frmdatos::marcafila(int fila) {
    if (fila < 1 || fila > 5) return;
    fijar_color_marca(sistemas[std::size_t(fila)].personalizado);
    const double arriba = arriba_fila(fila) - (kAltoMarca - kAltoCheck) / 2;
    const double izquierda = (kIzquierdaCheck + kIzquierdaUpDown + kAnchoUpDown - kAnchoMarca) / 2;
    shpmarca->move(px(izquierda), px(arriba));
    shpmarca->raise();
}

void frmdatos::fijar_color_marca(bool personalizado) {
    shpmarca->fijar_color(personalizado ? QColor(255, 0, 0) : QColor(0, 0, 0));
}

// ---- Unload ---------------------------------------------------------------

void frmdatos::closeEvent(QCloseEvent* ev) {
    cerrando_ = true;
    for (EventosFoco* e : eventos_) e->activar(false);
    // The parameter table writes into this window: it goes first.
    Ventanas::descargar(kFrmcompuestos);
    const bool gramos = gramos_en_vigor();
    for (int i = 1; i <= 5; ++i)
        fijar_cantidad(sistemas[std::size_t(i)], leer_valor(txtmol[i]), gramos);
    if (QAction* a = orden_principal(Orden::dibujos)) a->setEnabled(false);
    Ventanas::descargar(kFrmgraficos);
    ev->accept();
}

// ---- Units ----------------------------------------------------------------

bool frmdatos::gramos_en_vigor() {
    QAction* g = orden_principal(Orden::gramos);
    return g && g->isChecked();
}

void frmdatos::aplicar_unidad(bool gramos, bool convertir) {
    Label4->setText(sin_acceso(tx(gramos ? 13 : 12)));
    Label4->adjustSize();
    const qint64 maximo = gramos ? kMaxGramos : kMaxMoles;
    for (int i = 1; i <= 5; ++i) UpDown1[i]->fijar_maximo(maximo);
    if (convertir) {
        for (int i = 1; i <= 5; ++i) {
            const double pm = sistemas[std::size_t(i)].gas.pm;
            const double antes = leer_valor(txtmol[i]);
            const double ahora = gramos ? antes * pm : antes / pm;
            // A gas without a molar mass has no amount in the other unit.
            if (!(pm > 0) || !std::isfinite(ahora)) continue;
            escribir_valor(txtmol[i], ahora, "##0.000");
            txtmol_Change(i);
        }
    }
    for (int i = 1; i <= 5; ++i)
        if (num(txtmol[i]->text()) > double(maximo)) poner_mol(i, QString::number(maximo));
}

// ---- Row handlers ---------------------------------------------------------

void frmdatos::poner_mol(int i, const QString& texto) {
    olvidar_valor(txtmol[i]);
    txtmol[i]->setText(texto);
    txtmol_Change(i);
}

void frmdatos::poner_temp(int i, const QString& texto) {
    txttemp[i]->setText(texto);
    txttemp_Change(i);
}

void frmdatos::Check_Click(int i) {
    const bool si = Check[i]->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{cmbgas[i], cmbecu[i], txttemp[i], UpDown[i],
                                                      txtmol[i], UpDown1[i]})
        w->setEnabled(si);
    sistemas[std::size_t(i)].activo = si;
}

void frmdatos::cmbgas_Click(int i) {
    sistema& s = sistemas[std::size_t(i)];
    s.numgas = cmbgas[i]->currentIndex() + 1;
    recargar_sistema(s, true, this);
}

void frmdatos::cmbecu_Click(int i) {
    sistema& s = sistemas[std::size_t(i)];
    s.ecuacion = cmbecu[i]->currentIndex();
    if (s.ecuacion == kVirial)
        msgbox(tx(87) + QChar(13) + tx(88) + QChar(13) + tx(89), 64, QString(), this);
    recargar_sistema(s, true, this);
}

void frmdatos::txttemp_Change(int i) {
    sistema& s = sistemas[std::size_t(i)];
    QLineEdit* c = txttemp[i];
    if (c->text().isEmpty()) {
        s.temperatura = 0;
        return;
    }
    const double v = num(c->text());
    // A text whose number is too large for a double is too large.
    if (!std::isfinite(v) || v > 1000) {
        poner_temp(i, QStringLiteral("1000"));
        msgbox(tx(80) + QStringLiteral(" 1000"), 64, QString(), this);
        c->selectAll();
        return;
    }
    if (v < 0) {
        poner_temp(i, QStringLiteral("0"));
        msgbox(tx(79) + QStringLiteral(" 0"), 64, QString(), this);
        c->selectAll();
        return;
    }
    s.temperatura = v;
}

void frmdatos::txtmol_Change(int i) {
    sistema& s = sistemas[std::size_t(i)];
    QLineEdit* c = txtmol[i];
    if (c->text().isEmpty()) return;
    // The limits are checked on what the box shows; what is stored is the
    // exact value behind a text the window wrote (a converted amount).
    const double mostrado = num(c->text());
    const qint64 maximo = UpDown1[i]->maximo();
    // A text whose number is too large for a double is too large.
    if (!std::isfinite(mostrado) || mostrado > double(maximo)) {
        const QString texto = QString::number(maximo);
        poner_mol(i, texto);
        msgbox(tx(78) + QLatin1Char(' ') + texto, 64, QString(), this);
        c->selectAll();
        return;
    }
    if (mostrado < 0) {
        poner_mol(i, QStringLiteral("0"));
        msgbox(tx(241, kSinCantidad), 64, QString(), this);
        c->selectAll();
        return;
    }
    const double valor = leer_valor(c);
    if (!(valor > 0)) {
        s.moles = 0;
        return;
    }
    s.numgas = cmbgas[i]->currentIndex() + 1;
    s.ecuacion = cmbecu[i]->currentIndex();
    s.temperatura = num(txttemp[i]->text());
    recargar_sistema(s, false, this);
    fijar_cantidad(s, valor, gramos_en_vigor());
}

void frmdatos::txtmol_LostFocus(int i) {
    QLineEdit* c = txtmol[i];
    if (cerrando_ || !c->isEnabled() || !c->isVisible()) return;
    if (leer_valor(c) > 0) return;
    poner_mol(i, QStringLiteral("0"));
    msgbox(tx(241, kSinCantidad), 64, QString(), this);
    c->selectAll();
    if (c->hasFocus()) return;
    devolviendo_foco_ = true;
    c->setFocus(Qt::OtherFocusReason);
    devolviendo_foco_ = false;
}

void frmdatos::UpDown1_Change(int i) {
    poner_mol(i, fmt(num(txtmol[i]->text()), "##0.000"));
}

void frmdatos::btactualiza_Click() {
    // A closed graph window draws at its load; an open one draws again.
    if (auto* g = Ventanas::buscar<frmgraficos>(kFrmgraficos)) g->actualiza();
    Ventanas::mostrar(kFrmgraficos);
}

void frmdatos::btparametros_Click() {
    Ventanas::mostrar(kFrmcompuestos);
}

// ---- Gases added, changed or deleted --------------------------------------

void frmdatos::gases_cambiados(int numgas, bool borrado, bool modificado) {
    poner_gases(nombres_gases());
    const bool gramos = gramos_en_vigor();
    for (int i = 1; i <= 5; ++i) {
        sistema& s = sistemas[std::size_t(i)];
        if (borrado || (modificado && s.numgas == numgas)) {
            // The records were renumbered by whoever deleted the gas: each row
            // takes its gas again and reloads it; the amount the row shows
            // stays, and the other unit follows the gas's molar mass.
            seleccionar(cmbgas[i], s.numgas - 1);
            const double cantidad = leer_valor(txtmol[i]);
            if (cantidad > 0) fijar_cantidad(s, cantidad, gramos);
        } else {
            QSignalBlocker bloqueo(cmbgas[i]);
            cmbgas[i]->setCurrentIndex(s.numgas - 1);
        }
    }
    if (borrado || modificado) {
        if (auto* g = Ventanas::buscar<frmgraficos>(kFrmgraficos)) g->dibuja();
    }
}

}  // namespace korgas
