// Vapour pressure by the equal-area construction, and the enthalpy of
// vaporisation by Clapeyron.
#pragma once

namespace korgas {

// Vapour pressure (atm) of sistemas[i] at T (its temperatura must be T): -1 for
// equation 0 (or one outside 1..9), T >= tc - 0.005 or T <= 0, an amount not
// above 0, when a march finds no loop within 1,000,000 steps, or when an area
// cannot be computed (a failed equilibrium); 0 when the liquid root falls below
// the start volume. vl, vg get the molar volumes of liquid and gas (l/mol) of
// the last trial pressure but one, within 1e-4 atm of the result; they are not
// touched when the result is -1 before the construction starts.
double presion_vapor(int eq, int i, double T, double& vl, double& vg);

// Enthalpy of vaporisation (atm·l/mol) of sistemas[0] at T from the volumes
// presion_vapor gave at T, by Clapeyron from the vapour pressures at T ∓ 0.5
// (pulled toward T to stay within 0..tc); -1 when one of the three vapour
// pressures is not positive, a reload fails, or the result is not finite.
// Leaves sistemas[0] at T with its gas loaded for T; for T not inside (0, tc)
// it returns -1 at once and touches nothing.
double calor_vaporizacion(double T, double vl, double vg);

}  // namespace korgas
