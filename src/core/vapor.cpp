// Vapour pressure by Maxwell's equal-area construction, and the enthalpy of
// vaporisation by Clapeyron.

#include "core/vapor.h"

#include <cmath>
#include <optional>

#include "core/comun.h"
#include "core/eos.h"
#include "core/gas.h"
#include "core/kvstore.h"
#include "core/solvers.h"

namespace korgas {

namespace {

constexpr double kPaso = 0.001;        // l/mol, the march along the isotherm
constexpr long kMaxPasos = 1'000'000;  // per march: no loop within this is no loop
constexpr double kToleranciaP = 1e-4;  // atm
constexpr int kMaxPruebas = 2000;      // halvings of a finite ΔP end long before this

// The isotherm of one system, sampled by molar volume, and the roots and area
// of the construction at a trial pressure.
class Construccion {
  public:
    Construccion(int eq, int i, double T)
        : eq_(eq),
          i_(i),
          T_(T),
          s_(sistemas[i]),
          a_(s_.gas.c[0]),
          b_(s_.gas.c[1]),
          c_(s_.gas.c[2]),
          d_(s_.gas.c[3]) {
        switch (eq) {
            case kVirial:
                vs_ = 0;
                break;
            case kDietericiSadus:
                vs_ = b_ / 4;
                break;
            default:
                vs_ = b_;
        }
        cubica_ = eq == kVanDerWaals || eq == kBerthelot || eq == kRedlichKwong || eq == kSoave ||
                  eq == kPengRobinson || (eq == kVirial && d_ == 0);
    }

    double vs() const { return vs_; }

    // The system's pressure at molar volume V.
    double P(double V) const { return presion(i_, V * s_.moles); }

    void pon_extremos(double vmin, double vmax) {
        vmin_ = vmin;
        vmax_ = vmax;
    }

    // Liquid and gas volumes at pressure p into vl, vg; false when the liquid
    // root lies below the start volume.
    bool raices(double p, double& vl, double& vg) const {
        if (cubica_) {
            double a1, a2, a3;
            cubica_volumen(eq_, s_.gas.c, p, T_, a1, a2, a3);
            double x2;
            cubica(a1, a2, a3, vl, x2, vg);
        } else {
            vl = biseccion(eq_, i_, p, T_, inicio_liquido(p), vmin_);
            vg = biseccion(eq_, i_, p, T_, vmax_, R * T_ / p);
        }
        return !(vl < vs_);
    }

    // P·(vg - vl) minus the area under the isotherm; empty when the integral
    // cannot be taken.
    std::optional<double> area(double p, double vl, double vg) const {
        const auto integral = integral_pdv(eq_, i_, T_, a_, b_, c_, d_, vl, vg);
        if (!integral) return std::nullopt;
        const double A = p * (vg - vl) - *integral;
        if (!std::isfinite(A)) return std::nullopt;
        return A;
    }

  private:
    // Left end of the liquid root's interval: one step above the start volume,
    // unless the liquid branch is so steep there (the Dieterici equations at
    // low temperature) that its root at p lies within that first step. Then
    // the residual has one sign over the whole interval and the bisection
    // would stop at an end that is no root; the end moves halfway down toward
    // the start volume until the residual changes sign.
    double inicio_liquido(double p) const {
        const double f_min = fvolumen(eq_, i_, p, T_, vmin_);
        double paso = kPaso;
        if (!(fvolumen(eq_, i_, p, T_, vs_ + paso) * f_min > 0)) return vs_ + paso;
        for (int k = 0; k < 60; ++k) {
            paso /= 2;
            if (fvolumen(eq_, i_, p, T_, vs_ + paso) * f_min <= 0) return vs_ + paso;
        }
        return vs_ + kPaso;  // no liquid root at p: the interval stays as it was
    }

    int eq_;
    int i_;
    double T_;
    const sistema& s_;
    double a_, b_, c_, d_;
    double vs_ = 0;
    double vmin_ = 0, vmax_ = 0;
    bool cubica_ = false;
};

}  // namespace

double presion_vapor(int eq, int i, double T, double& vl, double& vg) {
    if (!indice_valido(i)) return -1;
    const sistema& s = sistemas[i];
    if (eq < kVanDerWaals || eq > kDietericiSadus) return -1;
    if (!(T < s.gas.tc - 0.005)) return -1;
    // No equilibrium at or below 0 K, and none without an amount to sample.
    if (!(T > 0) || !(s.moles > 0)) return -1;

    Construccion c(eq, i, T);
    const double vs = c.vs();

    // March to the local minimum of the isotherm...
    double v1 = vs + kPaso;
    double p1 = c.P(v1);
    double v2, p2;
    long pasos = 0;
    for (;;) {
        if (++pasos > kMaxPasos) return -1;
        v2 = v1 + kPaso;
        p2 = c.P(v2);
        if (!(p2 < p1)) break;
        v1 = v2;
        p1 = p2;
    }
    const double vmin = (v1 + v2) / 2;
    const double pmin = c.P(vmin);

    // ...and on to the local maximum.
    v1 = v2;
    p1 = p2;
    pasos = 0;
    for (;;) {
        if (++pasos > kMaxPasos) return -1;
        v2 = v1 + kPaso;
        p2 = c.P(v2);
        if (!(p2 > p1)) break;
        v1 = v2;
        p1 = p2;
    }
    const double vmax = (v1 + v2) / 2;
    const double pmax = c.P(vmax);
    c.pon_extremos(vmin, vmax);

    double dp = pmax - pmin;
    if (!std::isfinite(dp)) return -1;

    if (!c.raices(pmax, vl, vg)) return 0;
    auto area = c.area(pmax, vl, vg);
    if (!area) return -1;
    double area_previa = *area;

    double p = pmin < 0 ? pmax / 2 : pmax - dp / 2;
    double suelo = pmin;
    for (int prueba = 0; prueba < kMaxPruebas; ++prueba) {
        if (dp < kToleranciaP) return std::isfinite(p) ? p : -1;
        dp /= 2;
        if (!c.raices(p, vl, vg)) return 0;
        area = c.area(p, vl, vg);
        if (!area) return -1;
        if (*area * area_previa < 0) {
            suelo = p;
            p = p + dp / 2;
        } else {
            p = suelo < 0 ? p / 2 : p - dp / 2;
            area_previa = *area;
        }
    }
    return -1;
}

double calor_vaporizacion(double T, double vl, double vg) {
    sistema& s = sistemas[0];
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
        try {
            if (leergas(0, s) != Carga::ok) return -1.0;
        } catch (const ErrorFichero&) {
            return -1.0;  // the gas data file cannot be read
        }
        return presion_vapor(s.ecuacion, 0, t, vl_aux, vg_aux);
    };
    const double p1 = vapor_a(t1);
    const double p2 = vapor_a(t2);
    const double pv = vapor_a(T);

    if (!(p1 > 0) || !(p2 > 0) || !(pv > 0)) return -1;
    const double dh = (t1 * t2 / (t2 - t1)) * std::log(p2 / p1) * (vg - vl) * pv / T;
    return std::isfinite(dh) ? dh : -1;
}

}  // namespace korgas
