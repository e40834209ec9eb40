#include "calc/entradas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>
#include <cmath>
#include <optional>

#include "core/despejar.h"
#include "core/eos.h"
#include "core/numtext.h"
#include "core/unidades.h"
#include "platform/controles.h"
#include "platform/etiqueta.h"
#include "platform/eventos_foco.h"
#include "platform/filtro_numerico.h"
#include "platform/mensajes_qt.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

// The language text a box shows instead of a number, while it shows it.
constexpr const char* kTextoSinNumero = "korgas_sin_numero";

const QColor kRojo(255, 0, 0);
const QColor kNegro(0, 0, 0);

void pintar(QWidget* w, QPalette::ColorRole rol, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(rol, color);
    w->setPalette(pal);
}

}  // namespace

QString Ciclo::siguiente(const QString& u) const {
    const qsizetype i = unidades.indexOf(u);
    if (i < 0) return {};
    return unidades[(i + 1) % unidades.size()];
}

double Ciclo::convertir(double x, const QString& de, const QString& a) const {
    return conversion(x, u8(de), u8(a));
}

const Ciclo& ciclo_temperatura() {
    static const Ciclo c{{kKelvin, QStringLiteral("\u00BAC"), QStringLiteral("\u00BAF"),
                          QStringLiteral("\u00BAR"), QStringLiteral("\u00BARe")},
                         convtemperatura};
    return c;
}

const Ciclo& ciclo_volumen() {
    static const Ciclo c{
        {kLitro, QStringLiteral("dm\u00B3"), QStringLiteral("m\u00B3"), QStringLiteral("cm\u00B3")},
        convvolumen};
    return c;
}

const Ciclo& ciclo_presion() {
    static const Ciclo c{
        {kAtm, QStringLiteral("Pa"), QStringLiteral("bar"), QStringLiteral("mmHg")}, convpresion};
    return c;
}

const Ciclo& ciclo_densidad() {
    static const Ciclo c{
        {QStringLiteral("g/l"), QStringLiteral("kg/m\u00B3"), QStringLiteral("g/cm\u00B3")},
        convdensidad};
    return c;
}

const Ciclo& ciclo_energia() {
    static const Ciclo c{{QStringLiteral("atm l"), QStringLiteral("J"), QStringLiteral("cal"),
                          QStringLiteral("Kcal")},
                         convenergia};
    return c;
}

void escribir_numero(QLineEdit* caja, double valor, const char* patron) {
    if (!std::isfinite(valor)) {
        sin_numero(caja);
        return;
    }
    caja->setProperty(kTextoSinNumero, QVariant());
    escribir_valor(caja, valor, patron);
}

void sin_numero(QLineEdit* caja, int texto) {
    const QString t = tx(texto);
    olvidar_valor(caja);
    caja->setText(t);
    caja->setProperty(kTextoSinNumero, t);
}

bool muestra_numero(const QLineEdit* caja) {
    const QVariant t = caja->property(kTextoSinNumero);
    return !t.isValid() || t.toString() != caja->text();
}

QString ciclar(QLabel* unidad, QLineEdit* caja, const Ciclo& ciclo, const char* patron) {
    const QString viejo = unidad->text();
    const QString nuevo = ciclo.siguiente(viejo);
    if (nuevo.isEmpty()) return {};
    escribir_numero(caja, ciclo.convertir(leer_valor(caja), viejo, nuevo), patron);
    unidad->setText(nuevo);
    return nuevo;
}

void reformatear(QLineEdit* caja, const char* patron) {
    const double x = leer_valor(caja);
    if (std::isfinite(x)) escribir_numero(caja, x, patron);
}

void rechazar(QLineEdit* caja, int texto, double limite, const QString& unidad, QWidget* ventana) {
    // A limit as large as the largest double would take hundreds of digits.
    const QString cifras = std::fabs(limite) < 1e15 ? fmt(limite, "##0.00")
                                                    : QString::fromStdString(texto_corto(limite));
    msgbox(tx(texto) + QLatin1Char(' ') + cifras + QLatin1Char(' ') + unidad, 64, QString(),
           ventana);
    caja->setSelection(0, int(caja->text().size()));
}

void marcar_filas(const FilasEntrada& f, Magnitud m) {
    const Magnitud por_fila[3] = {Magnitud::temperatura, Magnitud::volumen, Magnitud::presion};
    for (std::size_t i = 1; i < 4; ++i) {
        const QColor& color = por_fila[i - 1] == m ? kRojo : kNegro;
        pintar(f.titulo[i], QPalette::WindowText, color);
        pintar(f.caja[i], QPalette::Text, color);
        pintar(f.unidad[i], QPalette::WindowText, color);
    }
}

bool validar_datos(Magnitud roja, const FilasEntrada& f, const std::function<bool(char)>& validar,
                   int& incognita) {
    struct Datos {
        Magnitud magnitud;
        char primero, segundo;  // the boxes it is computed from
    };
    static const Datos datos[3] = {{Magnitud::presion, 't', 'v'},
                                   {Magnitud::volumen, 't', 'p'},
                                   {Magnitud::temperatura, 'p', 'v'}};
    auto vacia = [&f](char tipo) { return f.caja[std::size_t(fila_de(tipo))]->text().isEmpty(); };
    for (int i = 0; i < 3; ++i) {
        const Datos& d = datos[i];
        if (d.magnitud != roja || vacia(d.primero) || vacia(d.segundo)) continue;
        if (!validar(d.primero) || !validar(d.segundo)) return false;
        incognita = i + 1;
    }
    return true;
}

Magnitud magnitud_de(int incognita) {
    switch (incognita) {
        case 1:
            return Magnitud::presion;
        case 2:
            return Magnitud::volumen;
        case 3:
            return Magnitud::temperatura;
        default:
            return Magnitud::ninguna;
    }
}

void escribir_en_unidad(QLineEdit* caja, const QLabel* unidad, const Ciclo& ciclo,
                        const QString& base, double valor, const char* patron) {
    escribir_numero(caja, ciclo.convertir(valor, base, unidad->text()), patron);
}

namespace {

// The quantity m of the record s, from the others: the pressure (atm) at the
// molar volume vmolar, the molar volume (l/mol) at the pressure patm and the
// record's temperature, or the temperature (K) at vmolar and patm, by the
// solver the equation calls for. Nothing when the solver finds no result
// (after telling why, when the solver says so: texts 160 and 161 for an
// iteration that did not converge, text 169 for a quadratic without real
// roots) or the pressure overflows. A pressure outside the equation's domain
// is 0, as the equation gives it.
std::optional<double> resolver_magnitud(Magnitud m, sistema& s, double vmolar, double patm) {
    Solucion r;
    switch (m) {
        case Magnitud::presion:
            r.x = presion(s, s.moles * vmolar);
            break;
        case Magnitud::volumen:
            r = resolver("v", s, vmolar, patm);
            break;
        case Magnitud::temperatura:
            r = resolver("t", s, vmolar, patm);
            break;
        case Magnitud::ninguna:
            return std::nullopt;
    }
    if (r.falla == Falla::sin_convergencia) msgbox(tx(160), 48, tx(161));
    if (r.falla == Falla::sin_raices) msgbox(tx(169), 64, QString());
    if (!r.ok() || !std::isfinite(r.x)) return std::nullopt;
    return r.x;
}

}  // namespace

bool resolver_y_mostrar(Magnitud m, bool calculable, sistema& s, double& vmolar, double& patm,
                        const FilasEntrada& f, const char* patron) {
    const std::size_t fila = m == Magnitud::temperatura ? 1 : m == Magnitud::volumen ? 2 : 3;
    if (m == Magnitud::ninguna) return false;
    const std::optional<double> x =
        calculable ? resolver_magnitud(m, s, vmolar, patm) : std::nullopt;
    if (!x) {
        sin_numero(f.caja[fila]);
        return false;
    }
    switch (m) {
        case Magnitud::presion:
            patm = *x;
            escribir_en_unidad(f.caja[fila], f.unidad[fila], ciclo_presion(), kAtm, *x, patron);
            break;
        case Magnitud::volumen:
            vmolar = *x;
            escribir_en_unidad(f.caja[fila], f.unidad[fila], ciclo_volumen(), kLitro, *x * s.moles,
                               patron);
            break;
        case Magnitud::temperatura:
            s.temperatura = *x;
            escribir_en_unidad(f.caja[fila], f.unidad[fila], ciclo_temperatura(), kKelvin, *x,
                               patron);
            break;
        case Magnitud::ninguna:
            break;
    }
    return true;
}

Etiqueta* etiqueta_nombrada(const char* nombre, const QString& texto, QWidget* padre) {
    auto* e = new Etiqueta(texto, padre);
    e->setObjectName(QString::fromLatin1(nombre));
    return e;
}

FilasEntrada crear_filas_entrada(QGridLayout* g, QWidget* padre) {
    FilasEntrada f;
    f.titulo = {etiqueta_nombrada("Label2", QStringLiteral("Cantidad de Materia:"), padre),
                etiqueta_nombrada("lbbtemp", QStringLiteral("Temperatura:"), padre),
                etiqueta_nombrada("lbbvol", QStringLiteral("Volumen:"), padre),
                etiqueta_nombrada("lbbpress", QStringLiteral("Presión:"), padre)};
    f.caja = {caja_numerica("txtmol", padre, 120), caja_numerica("txttemp", padre, 120),
              caja_numerica("txtvol", padre, 120), caja_numerica("txtpress", padre, 120)};
    f.unidad = {
        etiqueta_nombrada("lbmasa", kMol, padre), etiqueta_nombrada("lbtemp", kKelvin, padre),
        etiqueta_nombrada("lbvol", kLitro, padre), etiqueta_nombrada("lbpress", kAtm, padre)};
    for (int i = 0; i < 4; ++i) {
        auto* sp = new Spinner(f.caja[i], padre);
        sp->setObjectName(QStringLiteral("UpDown%1").arg(i));
        sp->setFixedHeight(f.caja[i]->sizeHint().height());
        f.spinner[i] = sp;
        auto* celda = new QHBoxLayout;
        celda->setSpacing(0);
        celda->addWidget(f.caja[i]);
        celda->addWidget(sp);
        g->addWidget(f.titulo[i], i, 0);
        g->addLayout(celda, i, 1);
        g->addWidget(f.unidad[i], i, 2);
        f.unidad[i]->fijar_mano(true);
        f.unidad[i]->setMinimumWidth(48);
    }
    return f;
}

int fila_de(char tipo) {
    switch (tipo) {
        case 'm':
            return 0;
        case 't':
            return 1;
        case 'v':
            return 2;
        case 'p':
            return 3;
        default:
            return -1;
    }
}

bool guardar_valor(char tipo, double x, const QString& u, sistema& s, double& vmolar,
                   double& patm) {
    switch (tipo) {
        case 'm': {
            const double moles = convcantidad(x, u8(u), "mol", s.gas.pm);
            if (!std::isfinite(moles) || moles <= 0) return false;
            s.moles = moles;
            s.gramos = convcantidad(x, u8(u), "g", s.gas.pm);
            return true;
        }
        case 't': {
            const double t = ciclo_temperatura().convertir(x, u, kKelvin);
            if (!std::isfinite(t) || t <= 0) return false;
            s.temperatura = t;
            return true;
        }
        case 'v':
            vmolar = ciclo_volumen().convertir(x, u, kLitro) / s.moles;
            return true;
        case 'p':
            patm = ciclo_presion().convertir(x, u, kAtm);
            return true;
        default:
            return false;
    }
}

EventosFoco* conectar_caja(QLineEdit* caja, std::function<void()> al_enter,
                           std::function<void()> al_salir) {
    new FiltroNumerico(caja, 10, std::move(al_enter));
    return new EventosFoco(
        caja, [caja] { seleccionar_todo(caja); }, std::move(al_salir));
}

}  // namespace korgas
