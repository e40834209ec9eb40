// The ten equations of state, one block each.

#include "core/ecuaciones.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/despejar.h"
#include "core/eos.h"
#include "core/gas.h"
#include "core/solvers.h"

namespace korgas {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Numeric factors with R or R², each one double constant, all fixed at
// compile time.
constexpr double kR2 = R * R;
constexpr double k27R2 = 27 * kR2;                            // van der Waals and virial a
constexpr double k81R2 = 81 * kR2;                            // Berthelot a
constexpr double k3R = 3 * R;                                 // Berthelot b
constexpr double k4R2 = 4 * kR2;                              // Dieterici a
constexpr double kE2 = 7.389056098930650227230427460575;      // exp(2)
constexpr double kRaiz3 = 0.2599210498948731647672106072782;  // 2^(1/3) - 1
constexpr double kRKa = kR2 / (9 * kRaiz3);                   // Redlich-Kwong a
constexpr double kRKb = kRaiz3 * R / 3;                       // Redlich-Kwong and Soave b
constexpr double kSoaveA = 0.42748 * kR2;
constexpr double kPRa = 0.45724 * kR2;
constexpr double kPRb = 0.0778 * R;
constexpr double kDSa = 0.810435 * kR2;
constexpr double kDSb = 0.386242 * R;

// Shared pieces: the repulsion R·T/(V - b)
// and its derivatives, the cubic as a residual.
double drepulsion_dv(const Parametros& p, double T, double V) {
    return -R * T / ((V - p.b) * (V - p.b));
}
double drepulsion_dt(const Parametros& p, double, double V) {
    return R / (V - p.b);
}
bool siempre(const Parametros&) {
    return true;
}
using Cubica = void (*)(const Parametros&, double, double, double&, double&, double&);
template <Cubica C>
double residuo_cubica(const Parametros& p, double P, double T, double V) {
    double a1, a2, a3;
    C(p, P, T, a1, a2, a3);
    return V * V * V + a1 * V * V + a2 * V + a3;
}
// The bounds of the isotherm's fall hold for parameters not below 0.
bool sin_negativos(const Parametros& p) {
    return p.a >= 0 && p.b >= 0;
}

// --- 0: ideal gas ------------------------------------------------------------
double ideal_p(const Parametros&, double T, double V) {
    return R * T / V;
}
double ideal_dv(const Parametros&, double T, double V) {
    return -R * T / (V * V);
}
double ideal_dt(const Parametros&, double, double V) {
    return R / V;
}
double ideal_residuo(const Parametros&, double, double, double) {
    return 0;
}
double ideal_caida(const Parametros&, double) {
    return kInf;
}
double ideal_t(const Parametros&, const Criticos&, double V, double P, bool&) {
    return P * V / R;
}
void sin_derivar(double, double, double, double, double, std::array<double, 4>&) {}

// --- 1: van der Waals ----------------------------------------------------------
double vdw_p(const Parametros& p, double T, double V) {
    return R * T / (V - p.b) - p.a / (V * V);
}
double vdw_dv(const Parametros& p, double T, double V) {
    return drepulsion_dv(p, T, V) + 2 * p.a / (V * V * V);
}
void vdw_cubica(const Parametros& p, double P, double T, double& a1, double& a2, double& a3) {
    const double rtp = R * T / P;
    a1 = -(p.b + rtp);
    a2 = p.a / P;
    a3 = -p.a * p.b / P;
}
double vdw_primitiva(const Parametros& p, double T, double V) {
    return R * T * std::log(V - p.b) + p.a / V;
}
double vdw_caida(const Parametros& p, double T) {
    return sin_negativos(p) ? 2 * p.a / (R * T) : kInf;
}
double vdw_t(const Parametros& p, const Criticos&, double V, double P, bool&) {
    return (V - p.b) * (P + p.a / (V * V)) / R;
}
void vdw_derivar(double tc, double pc, double, double, double, std::array<double, 4>& v) {
    v[0] = k27R2 * tc * tc / (64 * pc);
    v[1] = R * tc / (8 * pc);
}
const Modelo kModeloVdw = {
    .nombre = "VAN DER WAALS",
    .texto_nombre = 0,
    .claves = 2,
    .derivables = 2,
    .unidades = {"l \u00B2 atm / mol \u00B2", "l / mol", "", ""},
    .dominio = Modelo::Dominio::pasado_b,
    .presion = vdw_p,
    .dp_dv = vdw_dv,
    .dp_dt = drepulsion_dt,
    .es_cubica = siempre,
    .cubica = vdw_cubica,
    .residuo = residuo_cubica<vdw_cubica>,
    .dresiduo_dv = nullptr,
    .primitiva = vdw_primitiva,
    .caida = vdw_caida,
    .temperatura = vdw_t,
    .derivar = vdw_derivar,
    .integrando_log = nullptr,
    .v_a_temperatura = false,
};

// --- 2: Berthelot ----------------------------------------------------------------
double berthelot_p(const Parametros& p, double T, double V) {
    return R * T / (V - p.b) - p.a / (T * V * V);
}
double berthelot_dv(const Parametros& p, double T, double V) {
    return drepulsion_dv(p, T, V) + 2 * p.a / (T * V * V * V);
}
double berthelot_dt(const Parametros& p, double T, double V) {
    return R / (V - p.b) + p.a / (T * T * V * V);
}
void berthelot_cubica(const Parametros& p, double P, double T, double& a1, double& a2, double& a3) {
    const double rtp = R * T / P;
    a1 = -(p.b + rtp);
    a2 = p.a / (P * T);
    a3 = -p.a * p.b / (P * T);
}
double berthelot_primitiva(const Parametros& p, double T, double V) {
    return R * T * std::log(V - p.b) + p.a / (T * V);
}
double berthelot_caida(const Parametros& p, double T) {
    return sin_negativos(p) ? 2 * p.a / (R * T * T) : kInf;
}
// A quadratic in T.
double berthelot_t(const Parametros& p, const Criticos&, double V, double P, bool& raices) {
    double t1 = 0, t2 = 0;
    raices = cuadratica(-P * (V - p.b) / R, -p.a * (V - p.b) / (R * V * V), t1, t2);
    return raiz_cercana(t1, t2, P * V / R);
}
void berthelot_derivar(double tc, double pc, double, double, double, std::array<double, 4>& v) {
    v[0] = k81R2 * tc * tc * tc / (192 * pc);
    v[1] = k3R * tc / (24 * pc);
}
const Modelo kModeloBerthelot = {
    .nombre = "BERTHELOT",
    .texto_nombre = 0,
    .claves = 2,
    .derivables = 2,
    .unidades = {"l \u00B2 atm / mol \u00B2 K", "l / mol", "", ""},
    .dominio = Modelo::Dominio::pasado_b,
    .presion = berthelot_p,
    .dp_dv = berthelot_dv,
    .dp_dt = berthelot_dt,
    .es_cubica = siempre,
    .cubica = berthelot_cubica,
    .residuo = residuo_cubica<berthelot_cubica>,
    .dresiduo_dv = nullptr,
    .primitiva = berthelot_primitiva,
    .caida = berthelot_caida,
    .temperatura = berthelot_t,
    .derivar = berthelot_derivar,
    .integrando_log = nullptr,
    .v_a_temperatura = false,
};

// --- 3: Dieterici ------------------------------------------------------------------
double dieterici_p(const Parametros& p, double T, double V) {
    return R * T / (V - p.b) * std::exp(-p.a / (R * T * V));
}
double dieterici_dv(const Parametros& p, double T, double V) {
    const double rt = R * T;
    const double e = std::exp(-p.a / (rt * V));
    return rt * e * (p.a / (rt * V * V)) / (V - p.b) - rt * e / ((V - p.b) * (V - p.b));
}
double dieterici_dt(const Parametros& p, double T, double V) {
    const double rt = R * T;
    const double e = std::exp(-p.a / (rt * V));
    return (R / (V - p.b)) * e * (1 + p.a / (rt * V));
}
double dieterici_residuo(const Parametros& p, double P, double T, double V) {
    return R * T * std::exp(-p.a / (R * T * V)) / (V - p.b) - P;
}
double dieterici_dresiduo(const Parametros& p, double, double T, double V) {
    return dieterici_dv(p, T, V);
}
// P·(V - b) is R·T·exp(-a/(R·T·V)).
double dieterici_integrando(const Parametros& p, double T, double V, double) {
    return R * T * std::exp(-p.a / (R * T * V));
}
double dieterici_caida(const Parametros& p, double T) {
    return sin_negativos(p) ? p.a / (R * T) : kInf;
}
void dieterici_derivar(double tc, double pc, double, double, double, std::array<double, 4>& v) {
    v[0] = k4R2 * tc * tc / (kE2 * pc);
    v[1] = R * tc / (kE2 * pc);
}
const Modelo kModeloDieterici = {
    .nombre = "DIETERICI",
    .texto_nombre = 0,
    .claves = 2,
    .derivables = 2,
    .unidades = {"l \u00B2 atm / mol \u00B2", "l / mol", "", ""},
    .dominio = Modelo::Dominio::pasado_b,
    .presion = dieterici_p,
    .dp_dv = dieterici_dv,
    .dp_dt = dieterici_dt,
    .es_cubica = nullptr,
    .cubica = nullptr,
    .residuo = dieterici_residuo,
    .dresiduo_dv = dieterici_dresiduo,
    .primitiva = nullptr,
    .caida = dieterici_caida,
    .temperatura = nullptr,
    .derivar = dieterici_derivar,
    .integrando_log = dieterici_integrando,
    .v_a_temperatura = false,
};

// --- 4: Redlich-Kwong --------------------------------------------------------------
double rk_p(const Parametros& p, double T, double V) {
    return R * T / (V - p.b) - p.a / (std::sqrt(T) * V * (V + p.b));
}
double rk_dv(const Parametros& p, double T, double V) {
    const double w = V * (V + p.b);
    return drepulsion_dv(p, T, V) + p.a * (2 * V + p.b) / (std::sqrt(T) * w * w);
}
double rk_dt(const Parametros& p, double T, double V) {
    return R / (V - p.b) + p.a / (2 * T * std::sqrt(T) * V * (V + p.b));
}
void rk_cubica(const Parametros& p, double P, double T, double& a1, double& a2, double& a3) {
    const double rtp = R * T / P;
    const double raiz_t = std::sqrt(T);
    a1 = -rtp;
    a2 = p.a / (P * raiz_t) - p.b * p.b - p.b * rtp;
    a3 = -p.a * p.b / (P * raiz_t);
}
double rk_primitiva(const Parametros& p, double T, double V) {
    return R * T * std::log(V - p.b) + p.a / (std::sqrt(T) * p.b) * std::log((V + p.b) / V);
}
double rk_caida(const Parametros& p, double T) {
    return sin_negativos(p) ? 2 * p.a / (R * T * std::sqrt(T)) : kInf;
}
// A cubic in √T; every root is squared, a negative one too.
double rk_t(const Parametros& p, const Criticos&, double V, double P, bool&) {
    double s1, s2, s3;
    cubica(0, -(P * (V - p.b) / R), -p.a * (V - p.b) / (R * V * (V + p.b)), s1, s2, s3);
    return raiz_cercana(s1 * s1, s2 * s2, s3 * s3, P * V / R);
}
void rk_derivar(double tc, double pc, double, double, double, std::array<double, 4>& v) {
    v[0] = kRKa * std::pow(tc, 2.5) / pc;
    v[1] = kRKb * tc / pc;
}
const Modelo kModeloRK = {
    .nombre = "REDLICH-KWONG",
    .texto_nombre = 0,
    .claves = 2,
    .derivables = 2,
    .unidades = {"l \u00B2 atm / mol \u00B2 K \u00BD", "l / mol", "", ""},
    .dominio = Modelo::Dominio::pasado_b,
    .presion = rk_p,
    .dp_dv = rk_dv,
    .dp_dt = rk_dt,
    .es_cubica = siempre,
    .cubica = rk_cubica,
    .residuo = residuo_cubica<rk_cubica>,
    .dresiduo_dv = nullptr,
    .primitiva = rk_primitiva,
    .caida = rk_caida,
    .temperatura = rk_t,
    .derivar = rk_derivar,
    .integrando_log = nullptr,
    .v_a_temperatura = false,
};

// --- 5: virial: A, B, C, D in a..d ---------------------------------------------------
double virial_p(const Parametros& p, double T, double V) {
    return (R * T / V) * (p.a + p.b / V + p.c / (V * V) + p.d / (V * V * V));
}
double virial_dv(const Parametros& p, double T, double V) {
    const double V2 = V * V;
    return -(R * T / V2) * (p.a + 2 * p.b / V + 3 * p.c / V2 + 4 * p.d / (V2 * V));
}
double virial_dt(const Parametros& p, double, double V) {
    return (R / V) * (p.a + p.b / V + p.c / (V * V) + p.d / (V * V * V));
}
// A cubic in V only without D.
bool virial_es_cubica(const Parametros& p) {
    return p.d == 0;
}
void virial_cubica(const Parametros& p, double P, double T, double& a1, double& a2, double& a3) {
    const double rtp = R * T / P;
    a1 = -p.a * rtp;
    a2 = -p.b * rtp;
    a3 = -p.c * rtp;
}
double virial_residuo(const Parametros& p, double P, double T, double V) {
    const double V2 = V * V;
    return P * V2 * V2 / (R * T) - p.a * V2 * V - p.b * V2 - p.c * V - p.d;
}
double virial_dresiduo(const Parametros& p, double P, double T, double V) {
    const double V2 = V * V;
    return 4 * P * V2 * V / (R * T) - 3 * p.a * V2 - 2 * p.b * V - p.c;
}
double virial_primitiva(const Parametros& p, double T, double V) {
    return R * T * (p.a * std::log(V) - p.b / V - p.c / (2 * V * V) - p.d / (3 * V * V * V));
}
// The slope is negative while 2|B|/V + 3|C|/V² + 4|D|/V³ < A, which holds
// when each term is below A/3.
double virial_caida(const Parametros& p, double) {
    if (!(p.a > 0)) return kInf;
    return std::max({6 * std::fabs(p.b) / p.a, std::sqrt(9 * std::fabs(p.c) / p.a),
                     std::cbrt(12 * std::fabs(p.d) / p.a)});
}
double virial_t(const Parametros& p, const Criticos&, double V, double P, bool&) {
    return P * V / (R * (p.a + p.b / V + p.c / (V * V) + p.d / (V * V * V)));
}
// The van der Waals a and b of the gas; C and D use b0 whether or not B is
// derived.
void virial_derivar(double tc, double pc, double temperatura, double, double,
                    std::array<double, 4>& v) {
    const double a0 = k27R2 * tc * tc / (64 * pc);
    const double b0 = R * tc / (8 * pc);
    v[0] = 1;
    v[1] = b0 - a0 / (R * temperatura);
    v[2] = b0 * b0;
    v[3] = b0 * b0 * b0;
}
const Modelo kModeloVirial = {
    .nombre = "VIRIAL",
    .texto_nombre = 0,
    .claves = 4,
    .derivables = 4,
    .unidades = {"", "l / mol", "l \u00B2 / mol \u00B2", "l \u00B3 / mol \u00B3"},
    .dominio = Modelo::Dominio::positivo,
    .presion = virial_p,
    .dp_dv = virial_dv,
    .dp_dt = virial_dt,
    .es_cubica = virial_es_cubica,
    .cubica = virial_cubica,
    .residuo = virial_residuo,
    .dresiduo_dv = virial_dresiduo,
    .primitiva = virial_primitiva,
    .caida = virial_caida,
    .temperatura = virial_t,
    .derivar = virial_derivar,
    .integrando_log = nullptr,
    .v_a_temperatura = false,
};

// --- 6: generalised van der Waals, exponent mu -----------------------------------------
double gen_p(const Parametros& p, double T, double V) {
    return R * T / (V - p.b) - p.a / std::pow(V, p.mu);
}
double gen_dv(const Parametros& p, double T, double V) {
    return drepulsion_dv(p, T, V) + p.mu * p.a / std::pow(V, p.mu + 1);
}
double gen_residuo(const Parametros& p, double P, double T, double V) {
    const double rtp = R * T / P;
    return std::pow(V, p.mu + 1) - (p.b + rtp) * std::pow(V, p.mu) + p.a * V / P - p.a * p.b / P;
}
double gen_dresiduo(const Parametros& p, double P, double T, double V) {
    const double k = p.b + R * T / P;
    return (p.mu + 1) * std::pow(V, p.mu) - p.mu * k * std::pow(V, p.mu - 1) + p.a / P;
}
double gen_primitiva(const Parametros& p, double T, double V) {
    return R * T * std::log(V - p.b) + p.a / ((p.mu - 1) * std::pow(V, p.mu - 1));
}
double gen_caida(const Parametros& p, double T) {
    if (!sin_negativos(p) || !(p.mu > 1) || !(p.a > 0)) return kInf;
    return std::exp(std::log(p.mu * p.a / (R * T)) / (p.mu - 1));
}
double gen_t(const Parametros& p, const Criticos&, double V, double P, bool&) {
    return (V - p.b) * (P + p.a / std::pow(V, p.mu)) / R;
}
// a is pc·(R·tc/(4·mu·pc))^mu·(mu-1)^(mu-1)·(mu+1)^(mu+1), taken as the
// exponential of a sum of logarithms: the powers alone overflow long before
// a does.
void gen_derivar(double tc, double pc, double, double mu, double, std::array<double, 4>& v) {
    const double ln = std::log(pc) + mu * std::log(R * tc / (4 * mu * pc)) +
                      (mu - 1) * std::log(mu - 1) + (mu + 1) * std::log(mu + 1);
    v[0] = std::exp(ln);
    v[1] = (mu - 1) * (mu - 1) * R * tc / (4 * mu * pc);
}
const Modelo kModeloGeneralizada = {
    .nombre = nullptr,
    .texto_nombre = 86,
    .claves = 3,
    .derivables = 2,
    .unidades = {"", "", "", ""},
    .dominio = Modelo::Dominio::pasado_b,
    .presion = gen_p,
    .dp_dv = gen_dv,
    .dp_dt = drepulsion_dt,
    .es_cubica = nullptr,
    .cubica = nullptr,
    .residuo = gen_residuo,
    .dresiduo_dv = gen_dresiduo,
    .primitiva = gen_primitiva,
    .caida = gen_caida,
    .temperatura = gen_t,
    .derivar = gen_derivar,
    .integrando_log = nullptr,
    .v_a_temperatura = false,
};

// --- 7 and 8: Soave and Peng-Robinson, a(T) from the acentric factor in c ---------------
double alfa(double m, double temperatura, double tc) {
    const double f = 1 + m * (1 - std::sqrt(temperatura / tc));
    return f * f;
}
double m_soave(double w) {
    return 0.48 + 1.574 * w - 0.176 * w * w;
}
double m_pr(double w) {
    return 0.37464 + 1.54226 * w - 0.26992 * w * w;
}
// Solved for T, the attraction term is rebuilt from the critical data as
// ac·(k - c·√T)², which makes the equation a quadratic in √T.
double temperatura_soave_pr(bool soave, const Parametros& g, const Criticos& cr, double V, double P,
                            bool& raices) {
    const double w = g.c;
    const double omega = soave ? 0.42748 : 0.45724;
    const double m = soave ? m_soave(w) : m_pr(w);
    const double ac = omega * R * R * cr.tc * cr.tc / cr.pc;
    const double k = 1 + m;
    const double c = m / std::sqrt(cr.tc);
    const double b = g.b;
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

double soave_p(const Parametros& p, double T, double V) {
    return R * T / (V - p.b) - p.a / (V * (V + p.b));
}
double soave_dv(const Parametros& p, double T, double V) {
    const double w = V * (V + p.b);
    return drepulsion_dv(p, T, V) + p.a * (2 * V + p.b) / (w * w);
}
void soave_cubica(const Parametros& p, double P, double T, double& a1, double& a2, double& a3) {
    const double rtp = R * T / P;
    a1 = -rtp;
    a2 = p.a / P - p.b * p.b - p.b * rtp;
    a3 = -p.a * p.b / P;
}
double soave_primitiva(const Parametros& p, double T, double V) {
    return R * T * std::log(V - p.b) + (p.a / p.b) * std::log((V + p.b) / V);
}
double soave_t(const Parametros& p, const Criticos& cr, double V, double P, bool& raices) {
    return temperatura_soave_pr(true, p, cr, V, P, raices);
}
void soave_derivar(double tc, double pc, double temperatura, double, double omega,
                   std::array<double, 4>& v) {
    v[0] = kSoaveA * tc * tc / pc * alfa(m_soave(omega), temperatura, tc);
    v[1] = kRKb * tc / pc;
}
const Modelo kModeloSoave = {
    .nombre = "REDLICH-KWONG-SOAVE",
    .texto_nombre = 0,
    .claves = 3,
    .derivables = 2,
    .unidades = {"l \u00B2 atm / mol \u00B2", "l / mol", "", ""},
    .dominio = Modelo::Dominio::pasado_b,
    .presion = soave_p,
    .dp_dv = soave_dv,
    .dp_dt = drepulsion_dt,
    .es_cubica = siempre,
    .cubica = soave_cubica,
    .residuo = residuo_cubica<soave_cubica>,
    .dresiduo_dv = nullptr,
    .primitiva = soave_primitiva,
    .caida = vdw_caida,
    .temperatura = soave_t,
    .derivar = soave_derivar,
    .integrando_log = nullptr,
    .v_a_temperatura = true,
};

double pr_p(const Parametros& p, double T, double V) {
    return R * T / (V - p.b) - p.a / (V * (V + p.b) + p.b * (V - p.b));
}
double pr_dv(const Parametros& p, double T, double V) {
    const double w = V * (V + p.b) + p.b * (V - p.b);
    return drepulsion_dv(p, T, V) + 2 * p.a * (V + p.b) / (w * w);
}
void pr_cubica(const Parametros& p, double P, double T, double& a1, double& a2, double& a3) {
    const double rtp = R * T / P;
    const double b = p.b;
    a1 = b - rtp;
    a2 = p.a / P - 3 * b * b - 2 * b * rtp;
    a3 = b * b * b + b * b * rtp - p.a * b / P;
}
double pr_primitiva(const Parametros& p, double T, double V) {
    const double raiz2 = std::sqrt(2.0);
    return R * T * std::log(V - p.b) +
           raiz2 * p.a / (4 * p.b) * std::log((V + (raiz2 + 1) * p.b) / (V - (raiz2 - 1) * p.b));
}
double pr_caida(const Parametros& p, double T) {
    return sin_negativos(p) ? 4 * p.a / (R * T) : kInf;
}
double pr_t(const Parametros& p, const Criticos& cr, double V, double P, bool& raices) {
    return temperatura_soave_pr(false, p, cr, V, P, raices);
}
void pr_derivar(double tc, double pc, double temperatura, double, double omega,
                std::array<double, 4>& v) {
    v[0] = kPRa * tc * tc / pc * alfa(m_pr(omega), temperatura, tc);
    v[1] = kPRb * tc / pc;
}
const Modelo kModeloPR = {
    .nombre = "PENG-ROBINSON",
    .texto_nombre = 0,
    .claves = 3,
    .derivables = 2,
    .unidades = {"l \u00B2 atm / mol \u00B2", "l / mol", "", ""},
    .dominio = Modelo::Dominio::pasado_b,
    .presion = pr_p,
    .dp_dv = pr_dv,
    .dp_dt = drepulsion_dt,
    .es_cubica = siempre,
    .cubica = pr_cubica,
    .residuo = residuo_cubica<pr_cubica>,
    .dresiduo_dv = nullptr,
    .primitiva = pr_primitiva,
    .caida = pr_caida,
    .temperatura = pr_t,
    .derivar = pr_derivar,
    .integrando_log = nullptr,
    .v_a_temperatura = true,
};

// --- 9: Dieterici-Sadus ------------------------------------------------------------------
double ds_p(const Parametros& p, double T, double V) {
    return presion_dieterici_sadus(p.a, p.b, T, V);
}
double ds_dv(const Parametros& p, double T, double V) {
    const double a = p.a, b = p.b, rt = R * T;
    const double e = std::exp(-a / (rt * V));
    if (b == 0) {
        // Without a covolume the form below is 0/0; the pressure is
        // R·T/V·e, whose slope is e·(a/V - R·T)/V².
        return e * (a / V - rt) / (V * V);
    }
    const double y = b / (4 * V);
    const double y2 = y * y, y3 = y2 * y, y4 = y3 * y;
    const double uno_y = 1 - y;
    const double uno_y4 = uno_y * uno_y * uno_y * uno_y;
    return (16 * y2 * e / (b * b * b * uno_y4)) *
           (4 * a * y * (1 - 2 * y3 + y4) - b * rt * (1 + 4 * y + 4 * y2 - 4 * y3 + y4));
}
double ds_dt(const Parametros& p, double T, double V) {
    const double rt = R * T;
    const double e = std::exp(-p.a / (rt * V));
    const double y = p.b / (4 * V);
    const double uno_y = 1 - y;
    const double g = (1 + y + y * y - y * y * y) / (uno_y * uno_y * uno_y);
    return (R / V) * g * e * (1 + p.a / (rt * V));
}
double ds_residuo(const Parametros& p, double P, double T, double V) {
    return presion_dieterici_sadus(p.a, p.b, T, V) - P;
}
double ds_dresiduo(const Parametros& p, double, double T, double V) {
    return ds_dv(p, T, V);
}
double ds_integrando(const Parametros& p, double T, double V, double d) {
    return presion_dieterici_sadus(p.a, p.b, T, V) * d;
}
void ds_derivar(double tc, double pc, double, double, double, std::array<double, 4>& v) {
    v[0] = kDSa * tc * tc / pc;
    v[1] = kDSb * tc / pc;
}
const Modelo kModeloDS = {
    .nombre = "DIETERICI-SADUS",
    .texto_nombre = 0,
    .claves = 2,
    .derivables = 2,
    .unidades = {"l \u00B2 atm / mol \u00B2", "l / mol", "", ""},
    .dominio = Modelo::Dominio::pasado_b_cuartos,
    .presion = ds_p,
    .dp_dv = ds_dv,
    .dp_dt = ds_dt,
    .es_cubica = nullptr,
    .cubica = nullptr,
    .residuo = ds_residuo,
    .dresiduo_dv = ds_dresiduo,
    .primitiva = nullptr,
    .caida = dieterici_caida,
    .temperatura = nullptr,
    .derivar = ds_derivar,
    .integrando_log = ds_integrando,
    .v_a_temperatura = false,
};

const Modelo kModeloIdeal = {
    .nombre = nullptr,
    .texto_nombre = 85,
    .claves = 0,
    .derivables = 0,
    .unidades = {"", "", "", ""},
    .dominio = Modelo::Dominio::positivo,
    .presion = ideal_p,
    .dp_dv = ideal_dv,
    .dp_dt = ideal_dt,
    .es_cubica = nullptr,
    .cubica = nullptr,
    .residuo = ideal_residuo,
    .dresiduo_dv = nullptr,
    .primitiva = nullptr,
    .caida = ideal_caida,
    .temperatura = ideal_t,
    .derivar = sin_derivar,
    .integrando_log = nullptr,
    .v_a_temperatura = false,
};

}  // namespace

static_assert(kNumEcuaciones == 10);

namespace detalle {

const Modelo* const kModelos[10] = {
    &kModeloIdeal,  &kModeloVdw,          &kModeloBerthelot, &kModeloDieterici, &kModeloRK,
    &kModeloVirial, &kModeloGeneralizada, &kModeloSoave,     &kModeloPR,        &kModeloDS,
};

}  // namespace detalle

}  // namespace korgas
