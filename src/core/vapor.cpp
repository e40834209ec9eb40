// Vapour pressure by Maxwell's equal-area construction, and the enthalpy of
// vaporisation by Clapeyron.

#include "core/vapor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/ecuaciones.h"
#include "core/eos.h"
#include "core/gas.h"
#include "core/solvers.h"

namespace korgas {

namespace {

// The march along the isotherm: steps of kPaso near the start volume, where
// the loops of the critical region lie, and of a fixed fraction of the
// distance to the start volume further out, where the isotherm changes on the
// scale of the volume itself: 1/kFinos of it up to kLejos l/mol from the start,
// 1/kGruesos beyond.
constexpr double kPaso = 0.001;  // l/mol
constexpr double kFinos = 128;
constexpr double kGruesos = 16;
constexpr double kLejos = 128;         // l/mol
constexpr long kMaxPasos = 1'000'000;  // per march: no loop within this is no loop
constexpr int kMaxRevisiones = 16;     // looks for a loop narrower than a step, per march
// A loop fewer steps wide than this has its ends placed to kExtremoRel of
// themselves: halfway across a step could put them too far into it.
constexpr int kLazoAncho = 20;
constexpr double kExtremoRel = 1e-10;

// The halving of the pressure step ends when the step is below 1e-4 atm,
// below kToleranciaRel of the pressure, and below kProfundidadRel of the
// loop's depth (near the critical point the volumes move by about the loop's
// width over its depth for each atmosphere), but never has to fall below the
// rounding of the isotherm itself, kPisoRel of the pressure.
constexpr double kToleranciaP = 1e-4;
constexpr double kToleranciaRel = 1e-6;
constexpr double kProfundidadRel = 1e-4;
constexpr double kPisoRel = 1e-12;
constexpr int kMaxPruebas = 2000;  // trial pressures, far more than any search takes
// No vapour pressure below this is given: its gas volume is beyond 1e298 l/mol,
// and the arithmetic of the construction cannot vouch for it.
constexpr double kPresionMinima = 1e-300;

constexpr double kRaizRel = 1e-13;  // volumes are solved to this fraction...
constexpr double kCorteRel = 1e-9;  // ...and must bracket the pressure within this one

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kLnMax = 709;  // ln of a volume that is no gas volume

// The zero of the falling residual r near the guess x: the bracket grows from
// x in doubling steps, the first `paso`, until r changes sign, never beyond
// [x_min, x_max].
template <class F>
std::optional<double> raiz_desde(const F& r, double x, double paso, double x_min, double x_max) {
    x = std::clamp(x, x_min, x_max);
    double fx = r(x);
    if (!std::isfinite(fx)) return std::nullopt;
    if (fx == 0) return x;
    const double sentido = fx > 0 ? 1 : -1;
    for (int k = 0; k < 64; ++k) {
        const double y = std::clamp(x + sentido * paso, x_min, x_max);
        const double fy = r(y);
        if (!std::isfinite(fy)) return std::nullopt;
        if (fy == 0) return y;
        if ((fy > 0) != (fx > 0)) return raiz_acotada(r, x, y, fx, fy, kRaizRel);
        if (y == x_min || y == x_max) return std::nullopt;
        x = y;
        fx = fy;
        paso *= 2;
    }
    return std::nullopt;
}

enum class Raices { ok, bajo_inicio, fallo };

// The isotherm of one system, sampled by molar volume: its loop, and the
// roots and area of the construction at a trial pressure.
class Construccion {
  public:
    Construccion(int eq, const sistema& s, double T)
        : eq_(eq), T_(T), s_(s), m_(*modelo(eq)), p_(parametros(s_.gas.c, s_.mu)) {
        vs_ = m_.inicio(p_);
        cubica_ = m_.es_cubica && m_.es_cubica(p_);
        vcae_ = volumen_de_caida();
    }

    double pmin() const { return pmin_; }
    double pmax() const { return pmax_; }

    // Marches from the start volume down to the local minimum of the isotherm
    // and on up to its local maximum, in steps of 0.001 l/mol near the start
    // volume that grow with the distance from it further out (paso); each
    // extreme is placed halfway across the step that passed it. Just below the
    // critical temperature, where the loop spans few steps and is shallow,
    // halfway could put its top below the vapour pressure: the two ends are
    // placed to kExtremoRel instead, and a loop narrower than a step, which
    // shows in the march only as a flattening of the fall, is looked for
    // there. False when there is no loop: the fall has passed the volume
    // beyond which the isotherm only falls, or a march its bound of steps.
    bool busca_lazo() {
        double va = vs_, v0 = vs_ + kPaso / 1024;  // the two points before v1
        double v1 = vs_ + kPaso;
        double p1 = P(v1);
        double v2, p2;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        // The slopes of the last two steps of the fall.
        double pendiente_ultima = nan, pendiente_previa = nan;
        int revisiones = 0;
        for (long pasos = 1;; ++pasos) {
            if (pasos > kMaxPasos || !(v1 < vcae_)) return false;
            v2 = v1 + paso(v1);
            p2 = P(v2);
            if (!(p2 < p1)) break;
            const double pendiente_nueva = (p2 - p1) / (v2 - v1);
            if (pendiente_ultima > pendiente_previa && pendiente_ultima > pendiente_nueva &&
                revisiones < kMaxRevisiones) {
                ++revisiones;
                if (lazo_estrecho(va, v2)) return true;
            }
            pendiente_previa = pendiente_ultima;
            pendiente_ultima = pendiente_nueva;
            va = v0;
            v0 = v1;
            v1 = v2;
            p1 = p2;
        }
        const double min_a = v0, min_b = v2;
        const double vmin = v1 + (v2 - v1) / 2;

        double u0 = v1;
        v1 = v2;
        p1 = p2;
        long subidas = 0;
        for (;; ++subidas) {
            if (subidas >= kMaxPasos) return false;
            v2 = v1 + paso(v1);
            p2 = P(v2);
            if (!(p2 > p1)) break;
            u0 = v1;
            v1 = v2;
            p1 = p2;
        }
        if (subidas >= kLazoAncho && fija(vmin, v1 + (v2 - v1) / 2)) return true;
        return extremos(min_a, min_b, u0, v2);
    }

    // Liquid and gas volumes at pressure p into vl, vg.
    Raices raices(double p, double& vl, double& vg) {
        if (cubica_) {
            double a1, a2, a3, x2;
            cubica_volumen(eq_, s_.gas.c, p, T_, a1, a2, a3);
            cubica(a1, a2, a3, vl, x2, vg);
            if (!(vl < vs_)) return Raices::ok;
            // Below the start volume: the isotherm has no liquid branch at p,
            // unless it rises above p just past the start volume (a millionth
            // of a millionth, or the first few doubles, away), when the liquid
            // root lies there and the arithmetic has lost it.
            if (P(vs_ + 1e-12 * std::max(vs_, kPaso)) > p) return Raices::fallo;
            double junto = vs_;
            for (int k = 0; k < 4; ++k) {
                junto = std::nextafter(junto, kInf);
                if (P(junto) > p) return Raices::fallo;
            }
            return Raices::bajo_inicio;
        }
        // Both roots are solved in logarithms, where the branches are nearly
        // straight: the liquid one in ln(V - vs) below the lower end of the
        // loop, the gas one in ln V above its upper end. Each starts from the
        // root at the previous trial pressure (the gas one moved as an ideal
        // gas would), or at the first from a step above the start volume and
        // from R·T/p.
        auto r_liquido = [&](double x) { return residuo(vs_ + std::exp(x), p); };
        auto r_gas = [&](double x) { return residuo(std::exp(x), p); };
        const double x_vmin = std::log(vmin_ - vs_), x_vmax = std::log(vmax_);
        double guia_l = std::log(std::min(kPaso, (vmin_ - vs_) / 2)), paso_l = 1;
        double guia_g = std::log(R * T_ / p), paso_g = 1;
        if (p_previa_ > 0) {
            // After a jump of the trial pressure by many orders the first
            // steps stay small: the liquid volume hardly moves, and the gas
            // one moves as the guess says.
            const double d = std::log(p / p_previa_);
            guia_l = xl_previa_;
            paso_l = std::clamp(std::fabs(d), kRaizRel, 1.0);
            guia_g = xg_previa_ - d;
            paso_g = std::clamp(0.1 * std::fabs(d), kRaizRel, 1.0);
        }
        const auto xl = raiz_desde(r_liquido, guia_l, paso_l, x_vmin - 140, x_vmin);
        const auto xg = raiz_desde(r_gas, guia_g, paso_g, x_vmax, kLnMax);
        if (!xl || !xg) return Raices::fallo;
        p_previa_ = p;
        xl_previa_ = *xl;
        xg_previa_ = *xg;
        vl = vs_ + std::exp(*xl);
        vg = std::exp(*xg);
        return Raices::ok;
    }

    // P·(vg - vl) minus the area under the isotherm; empty when the integral
    // cannot be taken.
    std::optional<double> area(double p, double vl, double vg) const {
        const auto integral = integral_pdv(eq_, p_, T_, vl, vg);
        if (!integral) return std::nullopt;
        const double A = p * (vg - vl) - *integral;
        if (!std::isfinite(A)) return std::nullopt;
        return A;
    }

    // The construction holds at p: vl and vg lie on the liquid and gas
    // branches, the isotherm passes through p at each, and the areas agree to
    // within `tolerancia` expressed as a pressure.
    bool comprueba(double p, double vl, double vg, double tolerancia) const {
        if (!std::isfinite(vl) || !std::isfinite(vg)) return false;
        if (!(vs_ < vl && vl <= vmin_ && vmax_ <= vg)) return false;
        if (!corta(vl, p) || !corta(vg, p)) return false;
        const auto A = area(p, vl, vg);
        return A && std::fabs(*A) <= tolerancia * (vg - vl);
    }

  private:
    // The system's pressure at molar volume V.
    double P(double V) const { return presion(s_, V * s_.moles); }

    // The step of the march from V.
    double paso(double V) const {
        const double d = V - vs_;
        return std::max(kPaso, d / (d < kLejos ? kFinos : kGruesos));
    }

    // A molar volume beyond which the isotherm falls all the way: its slope
    // is negative there by the form of the equation (the attraction's slope
    // bounded by a power of V, the repulsion's by R·T/V²). Infinite where no
    // bound follows (negative parameters, a virial A not above 0).
    double volumen_de_caida() const {
        if (!(T_ > 0)) return kInf;
        const double v = m_.caida(p_, T_);
        // Past the covolume, where the bounds hold.
        return std::isfinite(v) ? std::max(v, vs_) + 2 * kPaso : kInf;
    }

    // Slope of the isotherm at V, by a central difference.
    double pendiente(double V) const {
        const double h = 1e-6 * (V - vs_);
        return (P(V + h) - P(V - h)) / (2 * h);
    }

    // The residual of the roots: ln(P/p) where the isotherm is above p, and
    // -ln(2 - P/p) below it, which goes on smoothly through p and through 0
    // to the negative pressures inside a deep loop.
    double residuo(double V, double p) const {
        const double q = P(V) / p;
        return q >= 1 ? std::log(q) : -std::log(2 - q);
    }

    // The isotherm passes through p at V, falling: p lies between its
    // pressures just either side (a few doubles away at least: a liquid
    // volume may lie within a millionth of the start volume).
    bool corta(double V, double p) const {
        const double ulp = std::nextafter(V, kInf) - V;
        const double d = std::max(kCorteRel * (V - vs_), 4 * ulp);
        return P(V - d) >= p && P(V + d) <= p;
    }

    bool fija(double vmin, double vmax) {
        if (!(vmin < vmax)) return false;
        vmin_ = vmin;
        vmax_ = vmax;
        pmin_ = P(vmin);
        pmax_ = P(vmax);
        return pmin_ < pmax_;
    }

    // The minimum lies in (a0, a1) and the maximum in (b0, b1), by the
    // marches; each is the zero of the slope there. When the slopes at the
    // ends do not say so (both lie within a step or two), the loop is looked
    // for as a narrow one over the whole stretch.
    bool extremos(double a0, double a1, double b0, double b1) {
        auto s = [&](double V) { return pendiente(V); };
        if (pendiente(a0) < 0 && pendiente(a1) > 0 && pendiente(b0) > 0 && pendiente(b1) < 0) {
            const auto vmin = raiz_acotada(s, a0, a1, kExtremoRel * a1);
            const auto vmax = raiz_acotada(s, b0, b1, kExtremoRel * b1);
            if (vmin && vmax && fija(*vmin, *vmax)) return true;
        }
        return lazo_estrecho(a0, b1);
    }

    // A loop within [va, vb], where the isotherm falls at both ends: the
    // steepest rise by a golden-section search, then the two zeros of the
    // slope on either side of it. False when the isotherm nowhere rises there.
    bool lazo_estrecho(double va, double vb) {
        if (!(pendiente(va) < 0) || !(pendiente(vb) < 0)) return false;
        constexpr double kOro = 0.3819660112501051;  // (3 - √5)/2
        double lo = va, hi = vb;
        double m1 = lo + kOro * (hi - lo), m2 = hi - kOro * (hi - lo);
        double s1 = pendiente(m1), s2 = pendiente(m2);
        while (!(s1 > 0) && !(s2 > 0) && hi - lo > kExtremoRel * hi) {
            if (s1 < s2) {
                lo = m1;
                m1 = m2;
                s1 = s2;
                m2 = hi - kOro * (hi - lo);
                s2 = pendiente(m2);
            } else {
                hi = m2;
                m2 = m1;
                s2 = s1;
                m1 = lo + kOro * (hi - lo);
                s1 = pendiente(m1);
            }
        }
        const double vi = s1 > 0 ? m1 : m2;
        if (!(pendiente(vi) > 0)) return false;
        auto s = [&](double V) { return pendiente(V); };
        const auto vmin = raiz_acotada(s, va, vi, kExtremoRel * vi);
        const auto vmax = raiz_acotada(s, vi, vb, kExtremoRel * vb);
        return vmin && vmax && fija(*vmin, *vmax);
    }

    int eq_;
    double T_;
    const sistema& s_;
    const Modelo& m_;
    Parametros p_;
    double vs_ = 0;
    double vcae_ = kInf;
    double vmin_ = 0, vmax_ = 0, pmin_ = 0, pmax_ = 0;
    double p_previa_ = 0, xl_previa_ = 0, xg_previa_ = 0;  // the last roots found
    bool cubica_ = false;
};

}  // namespace

double presion_vapor(int eq, const sistema& s, double T, double& vl, double& vg) {
    if (eq < kVanDerWaals || eq > kDietericiSadus) return -1;
    if (!(T < s.gas.tc - 0.005)) return -1;
    // No equilibrium at or below 0 K, and none without an amount to sample.
    if (!(T > 0) || !(s.moles > 0)) return -1;

    Construccion c(eq, s, T);
    if (!c.busca_lazo()) return -1;
    const double pmin = c.pmin(), pmax = c.pmax();
    const double profundidad = pmax - pmin;
    if (!std::isfinite(profundidad) || !(pmax > 0)) return -1;
    auto tolerancia = [&](double p) {
        return std::max(std::min({kToleranciaP, kToleranciaRel * p, kProfundidadRel * profundidad}),
                        kPisoRel * p);
    };

    // What a trial pressure is. The area at the top of the loop is positive
    // (the rectangle lies above the isotherm), so a negative area means a
    // trial pressure below the vapour pressure. One at or above the top of
    // the loop is too high, one at or below its bottom too low, and neither
    // has roots to look for.
    enum class Juicio { alta, baja, sin_liquido, fallo };
    double wl = 0, wg = 0;
    auto juzga = [&](double p) {
        if (p >= pmax) return Juicio::alta;
        if (p <= pmin) return Juicio::baja;
        switch (c.raices(p, wl, wg)) {
            case Raices::ok:
                break;
            case Raices::bajo_inicio:
                return Juicio::sin_liquido;
            case Raices::fallo:
                return Juicio::fallo;
        }
        const auto area = c.area(p, wl, wg);
        if (!area) return Juicio::fallo;
        return *area < 0 ? Juicio::baja : Juicio::alta;
    };
    int pruebas = 0;
    // The pressure of a trial judged: false when the search ends there (the
    // result is then in `fin`).
    double fin = -1;
    auto sigue = [&](Juicio j) {
        if (j == Juicio::sin_liquido) {
            vl = wl;
            vg = wg;
            fin = 0;
            return false;
        }
        return j != Juicio::fallo && ++pruebas <= kMaxPruebas;
    };

    // A pressure known too high and one known too low. Where the loop goes
    // below 0 it has no floor: the trial pressure falls from the top by a
    // factor that squares at each trial found too high (2, 4, 16, 256 ...)
    // until one is too low, and the two then close in on each other by their
    // geometric mean until they lie within a factor of 2. So a vapour
    // pressure many orders below the top of the loop takes a few tens of
    // trials, not one for each halving, and one below kPresionMinima none
    // that would be given.
    double alta = pmax, baja = pmin;
    if (!(pmin > 0)) {
        for (double factor = 2;; factor *= factor) {
            const double p = std::max(alta / factor, kPresionMinima);
            const Juicio j = juzga(p);
            if (!sigue(j)) return fin;
            if (j == Juicio::baja) {
                baja = p;
                break;
            }
            if (p == kPresionMinima) return -1;
            alta = p;
        }
        while (alta > 2 * baja) {
            const double p = std::sqrt(alta) * std::sqrt(baja);
            const Juicio j = juzga(p);
            if (!sigue(j)) return fin;
            (j == Juicio::baja ? baja : alta) = p;
        }
    }

    // Halving of the pressure step between the two.
    double dp = alta - baja;
    double p = alta - dp / 2;
    for (;;) {
        if (!std::isfinite(p)) return -1;
        if (dp < tolerancia(p)) break;
        dp /= 2;
        const Juicio j = juzga(p);
        if (!sigue(j)) return fin;
        p = j == Juicio::baja ? p + dp / 2 : p - dp / 2;
    }

    // The volumes of the pressure returned, and the construction checked
    // there: a result the arithmetic cannot make right is no result.
    if (!(p > pmin && p < pmax)) return -1;
    const Raices r = c.raices(p, wl, wg);
    if (r == Raices::bajo_inicio) {
        vl = wl;
        vg = wg;
        return 0;
    }
    if (r == Raices::fallo || !c.comprueba(p, wl, wg, 4 * tolerancia(p))) return -1;
    vl = wl;
    vg = wg;
    return p;
}

double calor_vaporizacion(sistema& s, double T, double vl, double vg) {
    const double tc = s.gas.tc;
    // Outside (0, tc) there is no vapour pressure on either side of T, and the
    // pulls below would never end.
    if (!(T > 0) || !(T < tc)) return -1;

    double t1 = T - 0.5;
    double t2 = T + 0.5;
    for (int k = 0; t1 < 0 && k < 200; ++k) t1 = t1 + (T - t1) / 2;
    for (int k = 0; t2 > tc && k < 200; ++k) t2 = t2 - (t2 - T) / 2;
    if (t1 < 0 || t2 > tc) return -1;

    double vl_aux, vg_aux;
    auto vapor_a = [&](double t) {
        s.temperatura = t;
        if (parametros_a_temperatura(s) != Carga::ok) return -1.0;
        return presion_vapor(s.ecuacion, s, t, vl_aux, vg_aux);
    };
    const double p1 = vapor_a(t1);
    const double p2 = vapor_a(t2);
    const double pv = vapor_a(T);

    if (!(p1 > 0) || !(p2 > 0) || !(pv > 0)) return -1;
    const double dh = (t1 * t2 / (t2 - t1)) * std::log(p2 / p1) * (vg - vl) * pv / T;
    return std::isfinite(dh) ? dh : -1;
}

}  // namespace korgas
