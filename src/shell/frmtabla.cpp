#include "shell/frmtabla.h"

#include <QScrollBar>
#include <algorithm>

#include "core/gas.h"
#include "core/kvstore.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/rejilla.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"

namespace korgas {

namespace {

// The grid's place in both windows, in twips.
constexpr int kIzquierda = 120;
constexpr int kArriba = 120;
constexpr int kAncho = 9375;
constexpr int kAlto = 3375;
// The widest a column grows to show its texts.
constexpr int kAnchoMaximo = 6000;

const QString kGuiones = QStringLiteral("-----");

// A numeric column: the record's field, its pattern, and whether the file's
// "not given" (-1) shows as dashes instead of a number.
struct Columna {
    const char* cabecera;
    double datosgas::*campo;
    const char* patron;
    bool no_dado;
};

const Columna kColumnas[] = {
    {"Tc (K)", &datosgas::tc, "####0.0", false},
    {"Pc (atm)", &datosgas::pc, "####0.00", false},
    {"Vc (l/mol)", &datosgas::vc, "####0.0000", true},
    {"Zc", &datosgas::zc, "####0.000", true},
    {"Teb (K)", &datosgas::teb, "####0.0", true},
    {"Hv (Kcal/mol)", &datosgas::hv, "####0.000", true},
    {"M (g/mol)", &datosgas::pm, "####0.000", false},
};
constexpr int kNumColumnas = 1 + int(std::size(kColumnas));

}  // namespace

void preparar_rejilla(Rejilla* r, int filas_fijas, int filas, int columnas) {
    r->setGeometry(rect_twips(kIzquierda, kArriba, kAncho, kAlto));
    r->verticalScrollBar()->setTracking(true);
    r->horizontalScrollBar()->setTracking(true);
    r->fijar_fijas(filas_fijas, 1);
    r->fijar_columnas(columnas);
    r->fijar_filas(filas);
    r->repartir_ancho(kAncho);
}

QSize ajustar_rejilla(Rejilla* r, int alto_ventana_twips) {
    r->ensanchar_al_contenido(kAnchoMaximo);
    r->resize(std::max(r->width(), r->ancho_para_columnas()), r->height());
    return {r->geometry().right() + 1 + px(kIzquierda), px(alto_ventana_twips)};
}

frmtabla::frmtabla(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmtabla);
    setWindowTitle(sin_acceso(tx(35)));

    const int gases = std::max(0, numgases);
    gridcrit = new Rejilla(this);
    gridcrit->setObjectName(QStringLiteral("gridcrit"));
    preparar_rejilla(gridcrit, 1, gases + 1, kNumColumnas);
    for (int c = 1; c < kNumColumnas; ++c)
        gridcrit->fijar_alineacion_columna(c, Qt::AlignRight | Qt::AlignVCenter);

    gridcrit->fijar_texto(0, 0, QStringLiteral("GAS"));
    for (int c = 1; c < kNumColumnas; ++c)
        gridcrit->fijar_texto(0, c, QString::fromLatin1(kColumnas[c - 1].cabecera));

    // Every gas from one snapshot of the file; one that cannot be read
    // leaves the rows empty.
    std::vector<VistaSeccion> secciones;
    try {
        secciones = secciones_de_gases(gases);
    } catch (const ErrorFichero& e) {
        avisar_fichero_ilegible(e);
    }
    bool falta_alguno = false;
    datosgas gas;
    for (int i = 1; i < int(secciones.size()); ++i) {
        double temperatura = 1.0;
        double mu = 0.0;
        const Carga carga = leergas(secciones[std::size_t(i)], -1, kVanDerWaals, i, temperatura,
                                    mu, false, gas);
        if (carga == Carga::sin_seccion) {
            // A gas number without its section: the row is left without a
            // name, its figures dashed.
            falta_alguno = true;
            for (int c = 1; c < kNumColumnas; ++c) gridcrit->fijar_texto(i, c, kGuiones);
            continue;
        }
        gridcrit->fijar_texto(i, 0, QString::fromStdString(gas.nombre));
        for (int c = 1; c < kNumColumnas; ++c) {
            const Columna& col = kColumnas[c - 1];
            const double v = gas.*col.campo;
            gridcrit->fijar_texto(i, c, col.no_dado && v == -1 ? kGuiones : fmt(v, col.patron));
        }
    }
    tamano_ = ajustar_rejilla(gridcrit, 3570);
    if (falta_alguno) msgbox(tx(221), 48);
}

QSize frmtabla::sizeHint() const {
    return tamano_;
}

}  // namespace korgas
