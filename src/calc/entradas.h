// What the two computing windows (calculation and simulation) share: the unit
// names and cycles of their boxes, the box that shows a number or a language
// text instead, the red mark of the computed quantity, the refusal of a box
// out of its limits, the four input rows, and the quantity solved from the
// others. Each window keeps its own gas system and hands it to these routines
// and to the core, so two windows open side by side never share a record.
//
// Numbers in these boxes are kept exact behind the text the window wrote
// (platform/valor_caja.h): a window reads a box with leer_valor, so a
// reformatted box or a unit cycle there and back never changes the state.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "core/gas.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace korgas {

class EventosFoco;
class Etiqueta;
class Spinner;

// ---- Units ----------------------------------------------------------------

inline const QString kMol = QStringLiteral("mol");
inline const QString kGramo = QStringLiteral("g");
inline const QString kKelvin = QStringLiteral("\u00BAK");
inline const QString kLitro = QStringLiteral("l");
inline const QString kAtm = QStringLiteral("atm");

using Conversion = double (*)(double, std::string_view, std::string_view);

// A unit cycle: the units a click on a unit label goes through, in order, and
// the conversion between them.
struct Ciclo {
    QStringList unidades;
    Conversion conversion;

    // The unit after u; empty when u is not one of the cycle's.
    QString siguiente(const QString& u) const;
    double convertir(double x, const QString& de, const QString& a) const;
};

const Ciclo& ciclo_temperatura();  // ºK ºC ºF ºR ºRe
const Ciclo& ciclo_volumen();      // l dm³ m³ cm³
const Ciclo& ciclo_presion();      // atm Pa bar mmHg
const Ciclo& ciclo_densidad();     // g/l kg/m³ g/cm³
const Ciclo& ciclo_energia();      // atm l J cal Kcal

inline std::string u8(const QString& s) {
    return s.toStdString();
}

// ---- Boxes ----------------------------------------------------------------

// Writes a value with a pattern, keeping it exact behind the text. A value that
// is not a finite number is never written: the box shows text 128 instead.
void escribir_numero(QLineEdit* caja, double valor, const char* patron);
// The box shows language text n instead of a number.
void sin_numero(QLineEdit* caja, int texto = 128);
// Whether the box shows a number: not a text written by sin_numero (a box the
// user has typed into shows a number, whatever it reads).
bool muestra_numero(const QLineEdit* caja);

// Moves a unit label to the next unit of its cycle and converts the value of
// its box into it (written with the pattern, kept exact). Returns the new
// unit; empty when the caption is not one of the cycle's (nothing changes).
QString ciclar(QLabel* unidad, QLineEdit* caja, const Ciclo& ciclo, const char* patron);

// Rewrites the value of an input box with the pattern, kept exact. A text
// whose number is too large for a double is left as typed: it is no value,
// and the window's validation refuses it with the box's maximum message.
void reformatear(QLineEdit* caja, const char* patron);

// A box refused by a validation: language text n, a blank, the limit with
// "##0.00" (as the shortest exact text from 1e15 up: the largest double), a
// blank and the unit, in an information box with no title; then the box's
// whole text is selected (the focus stays where it is).
void rechazar(QLineEdit* caja, int texto, double limite, const QString& unidad, QWidget* ventana);

// ---- The input rows -------------------------------------------------------

// Amount, temperature, volume and pressure: caption, box with its spinner and
// unit label, by their control names (Label2, lbbtemp, lbbvol, lbbpress;
// txtmol ...; UpDown0 ...; lbmasa, lbtemp, lbvol, lbpress), laid out in rows
// 0..3 of the grid, columns 0..2. The unit labels show the pointing hand.
struct FilasEntrada {
    std::array<Etiqueta*, 4> titulo{};
    std::array<QLineEdit*, 4> caja{};
    std::array<Spinner*, 4> spinner{};
    std::array<Etiqueta*, 4> unidad{};
};
FilasEntrada crear_filas_entrada(QGridLayout* rejilla, QWidget* padre);

// The row of a quantity by its kind: 'm' amount 0, 't' temperature 1, 'v'
// volume 2, 'p' pressure 3; -1 for any other kind.
int fila_de(char tipo);

// Stores the value x of a validated box of kind tipo, shown in unit u, in base
// units: the amount (moles and grams, by the molar mass of its gas) and the
// temperature (K) in the window's record s, the molar volume (l/mol, per mole
// of s) in vmolar, the pressure (atm) in patm. False, with nothing stored,
// when x is no amount (grams of a gas without a molar mass) or no temperature
// (at or below 0 K, whatever the unit).
bool guardar_valor(char tipo, double x, const QString& u, sistema& s, double& vmolar, double& patm);

// ---- The quantities -------------------------------------------------------

enum class Magnitud { ninguna, presion, volumen, temperatura };

// The quantity a window's incognita names: 1 pressure, 2 volume, 3 temperature.
Magnitud magnitud_de(int incognita);

// Writes a value given in the unit base into a box, converted to the unit of
// its label, with the pattern (kept exact).
void escribir_en_unidad(QLineEdit* caja, const QLabel* unidad, const Ciclo& ciclo,
                        const QString& base, double valor, const char* patron);

// Paints the computed quantity m red in the input rows (its caption, box and
// unit label) and the other two black.
void marcar_filas(const FilasEntrada& filas, Magnitud m);

// The tests that start a recomputation: when both boxes the red quantity is
// computed from hold a text, they are validated (validar, by kind, in the
// order pressure: t v, volume: t p, temperature: p v) and the red quantity
// becomes the one solved, incognita 1 pressure, 2 volume or 3 temperature.
// When one of them is empty, incognita keeps the quantity solved last, which
// is then solved again from the values last validated. False when a
// validation refused its box: nothing is to be solved.
bool validar_datos(Magnitud roja, const FilasEntrada& filas,
                   const std::function<bool(char)>& validar, int& incognita);

// Solves the window's record s for m and shows the result in its row's box,
// in the unit of its label, with the pattern: the pressure (which also goes
// to patm), the total volume (the molar volume goes to vmolar) or the
// temperature (which also goes to s). When the record cannot be computed, or
// the solver finds nothing, the box shows text 128 and the fields keep their
// values. True when a result was shown.
bool resolver_y_mostrar(Magnitud m, bool calculable, sistema& s, double& vmolar, double& patm,
                        const FilasEntrada& filas, const char* patron);

// A clickable caption by its control name.
Etiqueta* etiqueta_nombrada(const char* nombre, const QString& texto, QWidget* padre);

// The numeric key filter (maximum length 10) with Enter, and the focus
// handlers: the whole text selected on focus, al_salir when the focus moves on.
EventosFoco* conectar_caja(QLineEdit* caja, std::function<void()> al_enter,
                           std::function<void()> al_salir);

}  // namespace korgas
