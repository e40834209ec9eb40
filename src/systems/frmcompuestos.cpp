#include "systems/frmcompuestos.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "core/ecuaciones.h"
#include "core/kvstore.h"
#include "core/numtext.h"
#include "platform/aviso_gases.h"
#include "platform/colores.h"
#include "platform/controles.h"
#include "platform/eventos_foco.h"
#include "platform/filtro_numerico.h"
#include "platform/formulas.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/rejilla.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"
#include "platform/valor_caja.h"
#include "platform/ventanas.h"
#include "systems/frmdatos.h"
#include "systems/sistemas_qt.h"

namespace korgas {

namespace {

constexpr int kAnchoRejilla = 9375;

// The data window's row the table works on: the current system, where 0 (the
// number the computing windows set for their own records, which are no row)
// is row 1, as at the table's load.
int fila_actual() {
    return std::clamp(sistema_actual, 1, 5);
}
constexpr const char* kPatronAB = "####0.00000";
constexpr const char* kPatronCD = "####0.000000";
constexpr const char* kPatronOmega = "####0.000";

// What the window shows for one equation.
struct Forma {
    int columnas;
    QStringList cabeceras;  // of columns 1..
    QStringList rotulos;    // of the shown boxes
    int cajas;              // boxes 1..cajas shown
    bool exponente;
};

Forma forma(int e) {
    // A column's header: the parameter's name and, where it has one, the
    // equation's unit for it.
    auto cabecera = [e](const char* nombre, int k) {
        const QString n = QString::fromUtf8(nombre);
        const QString u = QString::fromUtf8(modelo(e)->unidades[std::size_t(k)]);
        return u.isEmpty() ? n : n + QStringLiteral(" [") + u + QLatin1Char(']');
    };
    const QString a = QStringLiteral("a:");
    const QString b = QStringLiteral("b:");
    switch (e) {
        case kVanDerWaals:
        case kBerthelot:
        case kDieterici:
        case kRedlichKwong:
        case kDietericiSadus:
            return {3, {cabecera("a", 0), cabecera("b", 1)}, {a, b}, 2, false};
        case kVirial:
            return {5,
                    {cabecera("A", 0), cabecera("B", 1), cabecera("C", 2), cabecera("D", 3)},
                    {QStringLiteral("A:"), QStringLiteral("B:"), QStringLiteral("C:"),
                     QStringLiteral("D:")},
                    4,
                    false};
        case kGeneralizada:
            return {3, {cabecera("a", 0), cabecera("b", 1)}, {a, b}, 2, true};
        case kSoave:
        case kPengRobinson:
            return {4,
                    {cabecera("a (T)", 0), cabecera("b", 1), QStringLiteral("w")},
                    {QStringLiteral("a (T):"), b},
                    2,
                    false};
        default:
            return {1, {}, {}, 0, false};
    }
}

const char* patron_caja(int k) {
    return k < 2 ? kPatronAB : kPatronCD;
}

frmdatos* ventana_datos() {
    return Ventanas::buscar<frmdatos>(kFrmdatos);
}

// Design places of the boxes (in the frame): left, top.
constexpr double kCajas[4][2] = {{480, 600}, {2640, 600}, {480, 960}, {2640, 960}};
constexpr double kRotulos[4][2] = {{120, 600}, {2340, 600}, {120, 960}, {2340, 960}};

// A label right-aligned against its box, from its design left or further
// left when its text needs the room; when even the frame's edge leaves too
// little, the box moves right from its design place (caja_izquierda).
void junto_a(QLabel* l, double izquierda, double arriba, QLineEdit* caja, double caja_izquierda) {
    const int falta = std::max(0, l->sizeHint().width() - (px(caja_izquierda) - 3 - 2));
    caja->move(px(caja_izquierda) + falta, caja->y());
    const int fin = caja->x() - 3;
    const int ancho = std::max(fin - px(izquierda), l->sizeHint().width());
    const int x = std::max(2, fin - ancho);
    l->setGeometry(x, px(arriba), fin - x, caja->height());
}

}  // namespace

frmcompuestos::frmcompuestos(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmcompuestos);
    construir();

    // A system below 1 (the calculation windows leave 0) is system 1.
    if (sistema_actual < 1) sistema_actual = 1;
    // The grid and a first layout.
    muestraecuacion();
    // Column 0 centred; captions.
    setWindowTitle(tx(140));
    frmdatosp->setTitle(tx(141));
    chkdp->setText(tx(142));
    btaceptar->setText(tx(65));
    // The equation list.
    const QStringList ecuaciones = nombres_ecuaciones();
    llenar(cmbecu, ecuaciones);
    // The row's equation, chosen as the user chooses it (the grid is filled
    // by the choice).
    frmdatos* d = ventana_datos();
    seleccionar(cmbecu, d ? d->cmbecu[fila_actual()]->currentIndex() : sis().ecuacion);
    // The title names the equation; the list takes the system's colour.
    setWindowTitle(tx(144) + QLatin1Char(' ') + cmbecu->currentText());
    colorear(cmbecu, color_de(sis().color));
    if (sis().personalizado) marcar(chkdp, true);
    // The data window waits while the table is open.
    Ventanas::habilitar(kFrmdatos, false);

    // The grid and the system's parameters follow the gases of the data file.
    AvisoGases* aviso = AvisoGases::instancia();
    connect(aviso, &AvisoGases::gas_anadido, this, [this] { llenar_rejilla(); });
    connect(aviso, &AvisoGases::gas_modificado, this, [this](int n) { gases_cambiados(n); });
    connect(aviso, &AvisoGases::gas_borrado, this, [this] { gases_cambiados(0); });
}

void frmcompuestos::gases_cambiados(int modificado) {
    sistema& s = sis();
    // The data window, when open, has already loaded its rows again; without
    // it the table loads the system's gas itself.
    if (!ventana_datos() && (modificado == 0 || s.numgas == modificado))
        recargar_sistema(s, false, this);
    // After a delete the system may have lost its gas and its own parameters.
    {
        QSignalBlocker bloqueo(chkdp);
        chkdp->setChecked(s.personalizado);
    }
    muestraecuacion();
    llenar_rejilla();
}

frmcompuestos::~frmcompuestos() = default;

sistema& frmcompuestos::sis() const {
    return sistemas[std::size_t(fila_actual())];
}

void frmcompuestos::construir() {
    grid = new Rejilla(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setGeometry(rect_twips(120, 120, kAnchoRejilla, 3375));
    grid->fijar_fijas(1, 1);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);

    cmbecu = new QComboBox(this);
    cmbecu->setObjectName(QStringLiteral("cmbecu"));
    cmbecu->setGeometry(px(480), px(3840), px(2415), cmbecu->sizeHint().height());

    imgformula = cuadro_formula(this);
    // The formula pictures are larger than the design's box under the list,
    // so the picture gets a row of its own under the window's controls.
    const QSize formulas = tamano_formulas() + QSize(8, 8);
    const int ancho = px(9660);
    imgformula->setGeometry(px(480), px(3600 + 1335) + 8, ancho - 2 * px(480), formulas.height());
    setFixedSize(ancho, imgformula->geometry().bottom() + 1 + px(120));

    frmdatosp = new QGroupBox(this);
    frmdatosp->setObjectName(QStringLiteral("frmdatosp"));
    frmdatosp->setGeometry(rect_twips(3240, 3600, 4575, 1335));
    chkdp = new QCheckBox(frmdatosp);
    chkdp->setObjectName(QStringLiteral("chkdp"));
    chkdp->setGeometry(rect_twips(1200, 240, 2775, 255));

    const char* const cajas[4] = {"txta", "txtb", "txtc", "txtd"};
    const char* const rotulos[4] = {"lba", "lbb", "lbc", "lbd"};
    const char* const diseno[4] = {"a :", "b :", "C:", "D:"};
    for (int k = 0; k < 4; ++k) {
        txt[k] = new QLineEdit(frmdatosp);
        txt[k]->setObjectName(QLatin1String(cajas[k]));
        txt[k]->setGeometry(rect_twips(kCajas[k][0], kCajas[k][1], 1695, 285));
        lb[k] = new QLabel(QString::fromLatin1(diseno[k]), frmdatosp);
        lb[k]->setObjectName(QLatin1String(rotulos[k]));
        lb[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        junto_a(lb[k], kRotulos[k][0], kRotulos[k][1], txt[k], kCajas[k][0]);
        new FiltroNumerico(txt[k], 10);
        QLineEdit* c = txt[k];
        eventos_.push_back(new EventosFoco(c, [c] { seleccionar_todo(c); }));
    }
    txtmu = new QLineEdit(frmdatosp);
    txtmu->setObjectName(QStringLiteral("txtmu"));
    txtmu->setGeometry(rect_twips(1740, 960, 1695, 285));
    lbmu = new QLabel(QStringLiteral("\u03BC :"), frmdatosp);
    lbmu->setObjectName(QStringLiteral("lbmu"));
    lbmu->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    junto_a(lbmu, 1500, 960, txtmu, 1740);
    new FiltroNumerico(txtmu, 10, [this] { txtmu_Enter(); });
    eventos_.push_back(new EventosFoco(
        txtmu, [this] { seleccionar_todo(txtmu); },
        [this] {
            // Leaving the box with text in it is an Enter.
            if (!txtmu->text().isEmpty()) txtmu_Enter();
        }));

    btaceptar = new QPushButton(this);
    btaceptar->setObjectName(QStringLiteral("btaceptar"));
    btaceptar->setGeometry(rect_twips(8040, 4080, 1455, 375));
    btaceptar->setAutoDefault(false);

    connect(cmbecu, &QComboBox::activated, this, [this] { cmbecu_Click(); });
    connect(chkdp, &QCheckBox::clicked, this, [this] { chkdp_Click(); });
    connect(grid, &Rejilla::clic, this, [this] { grid_Click(); });
    connect(btaceptar, &QPushButton::clicked, this, [this] { btaceptar_Click(); });
}

void frmcompuestos::closeEvent(QCloseEvent* ev) {
    for (EventosFoco* e : eventos_) e->activar(false);
    Ventanas::habilitar(kFrmdatos, true);
    Ventanas::activar_al_cerrar(kFrmdatos);
    ev->accept();
}

// ---- Layout and grid ------------------------------------------------------

void frmcompuestos::mostrar_parametros(int n) {
    const sistema& s = sis();
    for (int k = 0; k < n; ++k) escribir_valor(txt[k], s.gas.c[std::size_t(k)], patron_caja(k));
}

void frmcompuestos::muestraecuacion() {
    const sistema& s = sis();
    const int e = s.ecuacion;
    const Forma f = forma(e);

    // The grid's columns, rows and headers.
    grid->fijar_columnas(f.columnas);
    grid->fijar_filas(numgases + 1);
    grid->repartir_ancho(kAnchoRejilla);
    grid->fijar_texto(0, 0, tx(143));
    for (int c = 1; c < f.columnas; ++c) grid->fijar_texto(0, c, f.cabeceras[c - 1]);
    for (int c = 1; c < f.columnas; ++c)
        grid->fijar_alineacion_columna(c, Qt::AlignRight | Qt::AlignVCenter);

    // Boxes and labels shown, captions.
    for (int k = 0; k < 4; ++k) {
        const bool ver = k < f.cajas && !(f.exponente && k >= 2);
        txt[k]->setVisible(ver);
        lb[k]->setVisible(ver);
        if (ver && k < f.rotulos.size()) lb[k]->setText(f.rotulos[k]);
        junto_a(lb[k], kRotulos[k][0], kRotulos[k][1], txt[k], kCajas[k][0]);
    }
    txtmu->setVisible(f.exponente);
    lbmu->setVisible(f.exponente);
    chkdp->setVisible(e != kIdeal);

    // Enabled by the own flag; a(T) of 7 and 8 is never typed here.
    for (int k = 0; k < f.cajas; ++k) {
        const bool si = s.personalizado && !(k == 0 && (e == kSoave || e == kPengRobinson));
        txt[k]->setEnabled(si);
        lb[k]->setEnabled(si);
    }

    // Contents.
    mostrar_parametros(f.exponente ? 2 : f.cajas);
    if (f.exponente) txtmu->setText(QString::fromStdString(texto_corto(s.mu)));

    // The formula picture.
    imgformula->setPixmap(formula(e, devicePixelRatioF()));
}

void frmcompuestos::llenar_rejilla() {
    const sistema& s = sis();
    const int e = cmbecu->currentIndex();
    if (e < 0) return;
    grid->fijar_filas(numgases + 1);
    valores_.assign(std::size_t(numgases) + 1, {});
    try {
        const Rejilla::Relleno relleno(grid);
        const std::vector<VistaSeccion> secciones = secciones_de_gases(numgases);
        for (int i = 1; i <= numgases; ++i) {
            datosgas g;
            double t = s.temperatura;
            double mu = s.mu;
            leergas(secciones[std::size_t(i)], -1, e, i, t, mu, s.personalizado, g);
            valores_[std::size_t(i)] = g.c;
            grid->fijar_texto(i, 0, QString::fromStdString(g.nombre));
            if (e == kIdeal) continue;
            grid->fijar_texto(i, 1, fmt(g.c[0], kPatronAB));
            grid->fijar_texto(i, 2, fmt(g.c[1], kPatronAB));
            if (e == kVirial) {
                grid->fijar_texto(i, 3, fmt(g.c[2], kPatronCD));
                grid->fijar_texto(i, 4, fmt(g.c[3], kPatronCD));
            } else if (e == kSoave || e == kPengRobinson) {
                grid->fijar_texto(i, 3, fmt(g.c[2], kPatronOmega));
            }
        }
    } catch (const ErrorFichero& err) {
        avisar_fichero_ilegible(err, this);
    }
}

// ---- Handlers -------------------------------------------------------------

void frmcompuestos::cmbecu_Click() {
    const int e = cmbecu->currentIndex();
    setWindowTitle(tx(144) + QLatin1Char(' ') + cmbecu->currentText());
    // The data window takes the choice as its own; the same equation again
    // is no new choice.
    if (frmdatos* d = ventana_datos()) {
        QComboBox* lista = d->cmbecu[fila_actual()];
        if (lista->currentIndex() != e) seleccionar(lista, e);
    } else {
        sis().ecuacion = e;
    }
    muestraecuacion();
    llenar_rejilla();
}

void frmcompuestos::chkdp_Click() {
    sistema& s = sis();
    s.personalizado = chkdp->isChecked();
    const int n = s.ecuacion == kVirial ? 4 : 2;
    if (!s.personalizado) {
        for (int k = 0; k < n; ++k) {
            txt[k]->setEnabled(false);
            lb[k]->setEnabled(false);
        }
        recargar_sistema(s, false, this);
        mostrar_parametros(n);
    } else {
        for (int k = 0; k < n; ++k) {
            txt[k]->setEnabled(true);
            lb[k]->setEnabled(true);
        }
    }
    if (frmdatos* d = ventana_datos()) d->fijar_color_marca(s.personalizado);
}

void frmcompuestos::grid_Click() {
    const int fila = grid->fila();
    if (sis().ecuacion == kIdeal || fila < 1 || fila >= int(valores_.size())) return;
    grid->selectRow(fila - 1);
    const auto& v = valores_[std::size_t(fila)];
    // The text as the grid shows it, with the exact value behind it.
    const int desde = sis().ecuacion == kVirial ? 2 : 0;
    for (int k = desde; k < desde + 2; ++k)
        escribir_valor(txt[k], v[std::size_t(k)], grid->texto(fila, k + 1));
}

void frmcompuestos::txtmu_Enter() {
    sistema& s = sis();
    if (!txtmu->text().isEmpty()) {
        const double mu = num(txtmu->text());
        if (!(mu > 1) || !std::isfinite(mu)) {
            msgbox(tx(93), 64, QString(), this);
            return;
        }
        s.mu = mu;
        recargar_sistema(s, false, this);
    }
    muestraecuacion();
    llenar_rejilla();
}

void frmcompuestos::datosnuevos() {
    sistema& s = sis();
    // The ideal gas has no parameters: boxes hidden under it store nothing.
    if (s.ecuacion == kIdeal) return;
    const int n = s.ecuacion == kVirial ? 4 : 2;
    bool alguna = false;
    for (int k = 0; k < n; ++k) alguna = alguna || !txt[k]->text().isEmpty();
    if (!alguna) return;
    for (int k = 0; k < n; ++k) s.gas.c[std::size_t(k)] = leer_valor(txt[k]);
}

void frmcompuestos::btaceptar_Click() {
    if (sis().personalizado) datosnuevos();
    close();
}

}  // namespace korgas
