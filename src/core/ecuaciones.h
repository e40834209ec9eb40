// What each equation of state knows, in one table: its pressure and the
// derivatives of it, where its domain starts, the cubic in V when it is one,
// the residual Newton's method works on, the integral of P dV, the volume
// beyond which its isotherm only falls, the closed form for T, and how its
// parameters follow from the critical data. Every routine that depends on
// the equation looks here. Units: l, l/mol, atm, K.
#pragma once

#include <array>

namespace korgas {

// The parameters an equation reads: c[0..3] of the gas record (a, b, the
// acentric factor of 7 and 8 in c; A, B, C, D of the virial one) and the
// exponent of equation 6.
struct Parametros {
    double a = 0, b = 0, c = 0, d = 0;
    double mu = 0;
};

inline Parametros parametros(const std::array<double, 4>& c, double mu = 0) {
    return {c[0], c[1], c[2], c[3], mu};
}

// Critical data and the rest of what a closed form for T or a derivation may
// need besides the parameters.
struct Criticos {
    double tc = 0, pc = 0;
};

struct Modelo {
    // The list entry: a fixed name, or language text texto_nombre when null.
    const char* nombre;
    int texto_nombre;
    // How many of c's slots the gas data file holds for the equation, and how
    // many of them are parameters that -1 asks to derive.
    int claves;
    int derivables;
    // The units of the parameters a, b, c, d (UTF-8); "" for a parameter
    // without one or that the equation does not read.
    std::array<const char*, 4> unidades;

    // Where the domain starts: V above 0, above b, or above b/4.
    enum class Dominio { positivo, pasado_b, pasado_b_cuartos } dominio;
    // The molar volume where the domain starts, and whether V lies inside it
    // (written so that NaN does not). Kept out of the table's calls: the
    // pressure asks on every point of every curve.
    double inicio(const Parametros& p) const {
        return dominio == Dominio::positivo ? 0 : dominio == Dominio::pasado_b ? p.b : p.b / 4;
    }
    bool en_dominio(const Parametros& p, double V) const {
        switch (dominio) {
            case Dominio::positivo:
                return V > 0;
            case Dominio::pasado_b:
                return V - p.b > 0;
            case Dominio::pasado_b_cuartos:
                return 4 * V - p.b > 0;
        }
        return false;
    }
    // Pressure at T and molar volume V inside the domain, and its partial
    // derivatives in V and in T.
    double (*presion)(const Parametros&, double T, double V);
    double (*dp_dv)(const Parametros&, double T, double V);
    double (*dp_dt)(const Parametros&, double T, double V);

    // Whether the molar volume is a root of a cubic with these parameters,
    // and the cubic x³ + a1·x² + a2·x + a3 at P and T; null: never a cubic.
    bool (*es_cubica)(const Parametros&);
    void (*cubica)(const Parametros&, double P, double T, double& a1, double& a2, double& a3);

    // The residual whose zero in V is a molar volume at P and T, and its
    // derivative in V for Newton's method (null: Newton does not solve V).
    double (*residuo)(const Parametros&, double P, double T, double V);
    double (*dresiduo_dv)(const Parametros&, double P, double T, double V);

    // An antiderivative in V of P at T; null: P dV is integrated by
    // quadrature in x = ln(V - inicio) (see integrando_log).
    double (*primitiva)(const Parametros&, double T, double V);

    // A molar volume beyond which the isotherm at T falls all the way (its
    // slope negative by the form of the equation); infinite where no bound
    // follows (negative parameters, a virial A not above 0).
    double (*caida)(const Parametros&, double T);

    // T at molar volume V and pressure P in closed form; raices is set to
    // false when a quadratic on the way has no real roots. Null: Newton's.
    double (*temperatura)(const Parametros&, const Criticos&, double V, double P, bool& raices);

    // The parameters from the critical data: v[0..derivables-1] at
    // temperatura, with the exponent mu of 6 and the acentric factor omega of
    // 7 and 8. Called with tc and pc above 0 (and mu above 1 for 6).
    void (*derivar)(double tc, double pc, double temperatura, double mu, double omega,
                    std::array<double, 4>& v);

    // Where there is no antiderivative: P·d at T and V, d = V - inicio, the
    // integrand of P dV in ln(V - inicio), smooth and bounded however steeply
    // the isotherm rises near the start of the domain. Null elsewhere.
    double (*integrando_log)(const Parametros&, double T, double V, double d);

    // Solving for V takes the parameters at the system's temperature first
    // (a(T) of 7 and 8).
    bool v_a_temperatura;
};

namespace detalle {
extern const Modelo* const kModelos[10];
}

// The equation's entry; null for a number outside 0..9. Inline: the pressure
// asks on every point of every curve.
inline const Modelo* modelo(int ecuacion) {
    return ecuacion >= 0 && ecuacion < 10 ? detalle::kModelos[ecuacion] : nullptr;
}

}  // namespace korgas
