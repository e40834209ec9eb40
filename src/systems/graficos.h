// Drawing the isotherms of the gas systems on the graph window's plot.
//
// Curve i is sistemas[i] (a row of the data window). Volumes are total
// volumes in l, pressures in atm. What a curve draws is worked out by the
// core's numbers alone (curva, as polylines) and only then painted
// (dibuja_curva). Nothing here stops on a step that cannot be computed: a
// pressure that is not a finite number is left out of a range and never
// drawn, and a vapour pressure that cannot be found draws no tie line.
#pragma once

#include <optional>
#include <vector>

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

// A curve of the graph as polylines in the plot's units (volume in l,
// pressure in atm): each polyline is two or more points joined by straight
// segments, and every point is a finite number.
struct Polilineas {
    std::vector<std::vector<punto>> solidas;
    std::vector<std::vector<punto>> punteadas;
};

// The isotherm of curve i over vmin..vmax in 100 segments. Segments that
// start inside the excluded volume (moles·b, b/4 for Dieterici-Sadus) are
// left out, and so is a segment with an end whose pressure is not a finite
// number; those strictly between the liquid and gas volumes vl and vg
// (total, l) are dotted, the others solid.
Polilineas isoterma(int i, double vmin, double vmax, double vg, double vl);

// The tie line of curve i: the segment at its vapour pressure from the
// liquid to the gas volume, whose totals (l) it returns in vl and vg. A curve
// with its own parameters has none and leaves vl and vg as they are; one
// without a vapour pressure (ideal gas, at or above the critical
// temperature, no loop) has none and vl = vg = 0, so nothing is dotted.
std::optional<std::vector<punto>> linea_pv(int i, double& vg, double& vl);

// Curve i over vmin..vmax: its tie line (the first solid polyline) and its
// isotherm, dotted between the liquid and gas volumes of the tie line. The
// tie line spans those volumes whatever the range; the plot clips it.
Polilineas curva(int i, double vmin, double vmax);

// Paints curve i on the plot in its colour.
void dibuja_curva(Lienzo& plot, int i, double vmin, double vmax);

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
