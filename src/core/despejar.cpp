// Solving an equation of state for T or V.

#include "core/despejar.h"

#include <cmath>

#include "core/comun.h"
#include "core/ecuaciones.h"
#include "core/solvers.h"

namespace korgas {

double raiz_cercana(double x1, double x2, double x3, double referencia) {
    double elegida = x1;
    if (std::fabs(x2 - referencia) < std::fabs(elegida - referencia)) elegida = x2;
    if (!(std::fabs(elegida - referencia) < std::fabs(x3 - referencia))) elegida = x3;
    return elegida;
}

double raiz_cercana(double x1, double x2, double referencia) {
    return std::fabs(x2 - referencia) < std::fabs(x1 - referencia) ? x2 : x1;
}

namespace {

// T in closed form; raices is set to false when a quadratic on the way has no
// real roots. 0 for an equation without one (Newton's).
double despejar_t(int ecuacion, const sistema& s, double V, double P, bool& raices) {
    const Modelo* m = modelo(ecuacion);
    if (!m || !m->temperatura) return 0;
    return m->temperatura(parametros(s.gas.c, s.mu), {s.gas.tc, s.gas.pc}, V, P, raices);
}

double despejar_v(int ecuacion, sistema& s, double P) {
    const double T = s.temperatura;
    const double rtp = R * T / P;
    if (ecuacion == kIdeal) return rtp;
    const Modelo* m = modelo(ecuacion);
    if (m && m->v_a_temperatura) {
        // a is a(T): derive it for the system's temperature (own parameters
        // stay as they are). A gas that is unusable has nothing to solve.
        if (parametros_a_temperatura(s) != Carga::ok) return 0;
    }
    double a1, a2, a3;
    if (!cubica_volumen(ecuacion, s.gas.c, P, T, a1, a2, a3)) return 0;
    double x1, x2, x3;
    cubica(a1, a2, a3, x1, x2, x3);
    return raiz_cercana(x1, x2, x3, rtp);
}

}  // namespace

Solucion despejar(std::string_view var, int ecuacion, sistema& s, double vmolar, double patm) {
    const Solucion nada{0, Falla::sin_resultado};
    double x = 0;
    if (var == "t") {
        // Every closed form divides by V somewhere.
        if (!(vmolar > 0)) return nada;
        bool raices = true;
        x = finito_o_cero(despejar_t(ecuacion, s, vmolar, patm, raices));
        if (!raices) return {0, Falla::sin_raices};
    } else if (var == "v") {
        // R·T/P needs a positive pressure, and no volume exists at or below 0 K.
        if (!(patm > 0) || !(s.temperatura > 0)) return nada;
        x = finito_o_cero(despejar_v(ecuacion, s, patm));
    } else {
        return nada;
    }
    return {x, x == 0 ? Falla::sin_resultado : Falla::ninguna};
}

bool usa_newton(std::string_view var, int ecuacion, const datosgas& gas) {
    const Modelo* m = modelo(ecuacion);
    if (!m) return false;
    // T by Newton where there is no closed form; V where the volume is no
    // root of a cubic and Newton has the residual's slope.
    if (var == "t") return !m->temperatura;
    if (var == "v") return m->dresiduo_dv && !(m->es_cubica && m->es_cubica(parametros(gas.c)));
    return false;
}

Solucion resolver(std::string_view var, sistema& s, double vmolar, double patm) {
    const Solucion falla{0, Falla::sin_resultado};
    const int eq = s.ecuacion;
    const bool busca_t = var == "t";
    const bool busca_v = var == "v";
    if (!busca_t && !busca_v) return falla;
    // The windows refuse these before they ask; nothing is solved without them.
    if (!(patm > 0) || !std::isfinite(patm)) return falla;
    if (busca_t && (!(vmolar > 0) || !std::isfinite(vmolar))) return falla;
    if (busca_v && (!(s.temperatura > 0) || !std::isfinite(s.temperatura))) return falla;

    Solucion r;
    if (usa_newton(var, eq, s.gas)) {
        r = busca_t ? newton("t", eq, s, patm, vmolar, patm * vmolar / R)
                    : newton("v", eq, s, patm, s.temperatura, R * s.temperatura / patm);
    } else {
        r = despejar(var, eq, s, vmolar, patm);
    }
    if (!r.ok()) return {0, r.falla};
    // No volume and no temperature is zero or negative: a temperature at or
    // below 0 K (the equation solved at a volume inside its covolume) is no
    // result either.
    if (!std::isfinite(r.x) || !(r.x > 0)) return falla;
    return r;
}

}  // namespace korgas
