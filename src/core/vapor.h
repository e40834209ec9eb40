// Vapour pressure by the equal-area construction, and the enthalpy of
// vaporisation by Clapeyron.
#pragma once

#include "core/gas.h"

namespace korgas {

// Vapour pressure (atm) of system s under equation eq at T (the temperatura of
// s must be T) by the equal-area construction, right to 1e-6 of itself (and to 1e-4 atm), with vl,
// vg the molar volumes of liquid and gas (l/mol) at that pressure. -1, and vl,
// vg untouched, when there is none or none that the arithmetic can vouch for:
// for equation 0 (or one outside 1..9), T >= tc - 0.005 or T <= 0, an amount
// not above 0, an isotherm without a loop (none before the volume beyond which
// the equation's isotherm only falls, or within the marches' 1,000,000 steps),
// and wherever the result could not be checked to satisfy the construction
// (very low reduced temperatures: a pressure below 1e-300 atm, a liquid volume
// within a few doubles of the covolume). The march steps by 0.001 l/mol near
// the start volume and by a fixed fraction of the distance to it further out,
// so its cost follows the orders of magnitude the loop spans. 0 when the
// isotherm has no liquid branch at a trial pressure (vl, vg then hold the
// roots found there).
double presion_vapor(int eq, const sistema& s, double T, double& vl, double& vg);

// Enthalpy of vaporisation (atm·l/mol) of system s under its own equation at T
// from the volumes presion_vapor gave at T, by Clapeyron from the vapour
// pressures at T ∓ 0.5 (pulled toward T to stay within 0..tc); -1 when one of
// the three vapour pressures is not positive, the gas is unusable at one of
// the temperatures, or the result is not finite. Leaves s at T with its
// parameters for T (parametros_a_temperatura); for T not inside (0, tc) it
// returns -1 at once and touches nothing.
double calor_vaporizacion(sistema& s, double T, double vl, double vg);

}  // namespace korgas
