// What the windows of the five gas systems share about a system's record:
// its colour, reloading its gas, whether its curve can be drawn, and its
// amount in the unit in force.
#pragma once

#include <QColor>
#include <cstdint>

#include "core/gas.h"

class QWidget;

namespace korgas {

// A system's colour as the text colour of a control while it is enabled;
// disabled, it stays grey.
void colorear(QWidget* w, const QColor& c);

// Reloads the system's gas in the normal mode (own parameters kept). A load
// that leaves the exponent of equation 6 at "the file's" (-1, which a load
// with own parameters does not resolve) gets the gas's exponent from the file,
// so the curve never uses -1 as an exponent. With avisar, a gas that cannot be
// used is reported: a number without a section in the file (text 221), a
// critical temperature or pressure not above 0 (texts 203, 202), an exponent
// not above 1 (text 93); a file that cannot be read is always reported, and
// then the record stays as it was.
void recargar_sistema(sistema& s, bool avisar, QWidget* ventana);

// Whether the system's curve can be computed: critical temperature and
// pressure above 0 (a gas without a section has neither), an exponent above 1
// for equation 6, finite parameters and a finite amount of at least 0.
bool curva_valida(const sistema& s);

// Stores an amount given in grams (gramos) or in moles; the other unit
// follows through the molar mass (no moles from grams without a molar mass).
void fijar_cantidad(sistema& s, double cantidad, bool gramos);

}  // namespace korgas
