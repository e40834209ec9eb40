// Vapour pressure by the equal-area construction, and the enthalpy of
// vaporisation by Clapeyron.
#pragma once

namespace korgas {

// Vapour pressure (atm) of sistemas[i] at T (its temperatura must be T): -1 for
// equation 0, T >= tc - 0.005 or T <= 0, or when a march finds no loop within
// 1,000,000 steps; 0 when the liquid root falls below the start volume. vl, vg
// get the molar volumes of liquid and gas (l/mol).
double presion_vapor(int eq, int i, double T, double& vl, double& vg);

// Enthalpy of vaporisation (atm·l/mol) of sistemas[0] at T from the volumes
// presion_vapor gave at T; -1 when a vapour pressure needed is not positive.
// Leaves sistemas[0] at T with its gas loaded for T.
double calor_vaporizacion(double T, double vl, double vg);

}  // namespace korgas
