// Solving an equation of state for T or V.

#include "core/despejar.h"

#include <cmath>

#include "core/comun.h"
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

// Equations 7 and 8 solved for T: the attraction term is rebuilt from the
// critical data as ac·(k - c·√T)², which makes the equation a quadratic in √T.
double temperatura_soave_pr(int ecuacion, const datosgas& g, double V, double P, bool& raices) {
    const bool soave = ecuacion == kSoave;
    const double w = g.c[2];
    const double omega = soave ? 0.42748 : 0.45724;
    const double m =
        soave ? 0.48 + 1.574 * w - 0.176 * w * w : 0.37464 + 1.54226 * w - 0.26992 * w * w;
    const double ac = omega * R * R * g.tc * g.tc / g.pc;
    const double k = 1 + m;
    const double c = m / std::sqrt(g.tc);
    const double b = g.c[1];
    const double W = soave ? V * (V + b) : V * (V + b) + b * (V - b);
    const double A2 = R * W - ac * c * c * (V - b);
    const double p = 2 * ac * k * c * (V - b) / A2;
    const double q = -(ac * k * k * (V - b) + P * (V - b) * W) / A2;
    double s1 = 0, s2 = 0;
    raices = cuadratica(p, q, s1, s2);
    // s stands for √T, so a negative root is no temperature. It matters when
    // m < 0 (an acentric factor below about -0.3, as helium's): the negative
    // root's square then lies between P·V/R and T and would win. The nearest
    // square is taken among the roots that are not negative, when there are.
    if (s1 >= 0 && s2 < 0) return s1 * s1;
    return raiz_cercana(s1 * s1, s2 * s2, P * V / R);
}

// raices is set to false when a quadratic on the way has no real roots.
double despejar_t(int ecuacion, const sistema& s, double V, double P, bool& raices) {
    const datosgas& g = s.gas;
    const double a = g.c[0];
    const double b = g.c[1];
    const double ideal = P * V / R;
    switch (ecuacion) {
        case kIdeal:
            return ideal;
        case kVanDerWaals:
            return (V - b) * (P + a / (V * V)) / R;
        case kBerthelot: {
            double t1 = 0, t2 = 0;
            raices = cuadratica(-P * (V - b) / R, -a * (V - b) / (R * V * V), t1, t2);
            return raiz_cercana(t1, t2, ideal);
        }
        case kRedlichKwong: {
            // A cubic in √T; every root is squared, a negative one too.
            double s1, s2, s3;
            cubica(0, -(P * (V - b) / R), -a * (V - b) / (R * V * (V + b)), s1, s2, s3);
            return raiz_cercana(s1 * s1, s2 * s2, s3 * s3, ideal);
        }
        case kVirial: {
            const double B = g.c[1], C = g.c[2], D = g.c[3];
            return P * V / (R * (a + B / V + C / (V * V) + D / (V * V * V)));
        }
        case kGeneralizada:
            return (V - b) * (P + a / std::pow(V, s.mu)) / R;
        case kSoave:
        case kPengRobinson:
            return temperatura_soave_pr(ecuacion, g, V, P, raices);
        default:
            return 0;
    }
}

double despejar_v(int ecuacion, sistema& s, double P) {
    const double T = s.temperatura;
    const double rtp = R * T / P;
    if (ecuacion == kIdeal) return rtp;
    if (ecuacion == kSoave || ecuacion == kPengRobinson) {
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
    if (var == "t") return ecuacion == kDieterici || ecuacion == kDietericiSadus;
    if (var == "v") {
        return ecuacion == kDieterici || ecuacion == kGeneralizada || ecuacion == kDietericiSadus ||
               (ecuacion == kVirial && gas.c[3] != 0);
    }
    return false;
}

Solucion resolver(std::string_view var, double vmolar, double patm) {
    const Solucion falla{0, Falla::sin_resultado};
    sistema& s = sistemas[0];
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
        r = busca_t ? newton("t", eq, 0, patm, vmolar, patm * vmolar / R)
                    : newton("v", eq, 0, patm, s.temperatura, R * s.temperatura / patm);
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
