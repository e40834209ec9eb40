// Drawing the isotherms of the gas systems on the graph window's plot.
//
// Curve i is sistemas[i] (a row of the data window). Volumes are total
// volumes in l, pressures in atm. Nothing here stops on a step that cannot be
// computed: a pressure that is not a finite number is left out of a range and
// never drawn, and a vapour pressure that cannot be found draws no tie line.
#pragma once

#include "core/gas.h"

class QWidget;

namespace korgas {

class Lienzo;
class frmgraficos;

// Checks a scale (corners minimo, maximo) and applies it to the graph
// window's plot: a pressure or volume range of zero, or above 1e8, or not a
// finite number, is refused with its warning (texts 162, 164, 165, 166, then
// 163, titled "Advertencia") and leaves the plot as it was. Otherwise the four
// corner labels show the scale, the plot takes it (pressure upwards) and is
// cleared.
bool fija_escala(frmgraficos& g, const punto& minimo, const punto& maximo);

// The warning of a scale refused: text n, a line break and text 163, titled
// "Advertencia", critical.
void avisar_escala(int texto, QWidget* ventana);

// The isotherm of curve i over vmin..vmax in 100 segments in the curve's
// colour. Segments that start inside the excluded volume (moles·b, b/4 for
// Dieterici-Sadus) are not drawn; those strictly between the liquid and gas
// volumes vl and vg (total, l) are dotted.
void dibuja_isoterma(Lienzo& plot, int i, double vmin, double vmax, double vg, double vl);

// The tie line of curve i: a solid line at its vapour pressure from the
// liquid to the gas volume, whose totals (l) it returns in vl and vg. A curve
// with its own parameters gets none and leaves vl and vg as they are; one
// without a vapour pressure (ideal gas, at or above the critical
// temperature, no loop) gets none and vl = vg = 0, so nothing is dotted.
void dibuja_pv(Lienzo& plot, int i, double& vg, double& vl);

// The lowest and highest pressure of curve i over minimo.v..maximo.v, into
// minimo.p and maximo.p, sampled at muestras(plot) + 1 volumes. A highest
// pressure above 1000 atm becomes 100 when that is above the lowest; a lowest
// below 0 becomes 0, and the highest is never below the lowest.
void rango_presion(const Lienzo& plot, int i, punto& minimo, punto& maximo);

// The pressure range of the active curves that can be computed, over
// minimo.v..maximo.v: the lowest of their lowest and the highest of their
// highest pressures (rango_presion of each, kept in its record's minimo and
// maximo) into minimo.p and maximo.p. Without such a curve the pressures stay
// as they were.
void rango_curvas(const Lienzo& plot, punto& minimo, punto& maximo);

// The number of steps of rango_presion: the plot's width in twips, 1..32767.
int muestras(const Lienzo& plot);

// The excluded volume of a system (total, l): moles·b, b/4 for
// Dieterici-Sadus.
double covolumen(const sistema& s);

}  // namespace korgas
