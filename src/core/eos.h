// The ten equations of state: pressure of a gas system and the integral of
// P dV between two molar volumes. Units: l, l/mol, atm, K.
#pragma once

#include <optional>

#include "core/ecuaciones.h"
#include "core/gas.h"

namespace korgas {

// Pressure in atm of system s (its equation, parameters, temperature and
// amount) at the total volume V (l): 0 outside the equation's domain, for an
// amount of 0 or less, or an unknown equation. A result that is not finite (an
// overflow, a parameter that is not finite) is returned as it is: it is no
// pressure, and never stands for 0.
double presion(const sistema& s, double V);

// Integral of P dV of equation eq at temperature T from molar volume V1 to V2,
// in atm·l/mol, with the parameters p (a..d, A..D for the virial one; the
// exponent mu, which only equation 6 reads). Closed forms but for the two
// Dieterici equations, which are integrated by adaptive Gauss-Kronrod
// quadrature in ln(V - vs) to about 1e-11 of the integral. Empty when a volume
// lies at or inside the excluded volume, the quadrature does not converge, or
// the result is not finite.
std::optional<double> integral_pdv(int eq, const Parametros& p, double T, double V1, double V2);

// Composite Simpson's rule with 1000 intervals over presion_tv (equations 3,
// 9). Too coarse for the steep liquid branch at low temperatures, where it
// limits a vapour pressure to about 1e-4: integral_pdv integrates these
// equations by quadrature in ln(V - vs) instead.
std::optional<double> simpson(int eq, const sistema& s, double T, double V1, double V2);

// Pressure of equation 3 or 9 at T and molar volume V with a, b of system s;
// 0 for any other equation; empty at or inside the excluded volume, or when
// the result is not finite.
std::optional<double> presion_tv(int eq, const sistema& s, double T, double V);

// The Dieterici-Sadus pressure at T and molar volume V for parameters a, b:
// (R·T/V)·(1 + y + y² - y³)/(1 - y)³·exp(-a/(R·T·V)) with y = b/(4·V). No domain
// test; presion, fvolumen and newton share it.
double presion_dieterici_sadus(double a, double b, double T, double V);

}  // namespace korgas
