// The CO2-like gas of the graph tests (tc 304.2 K, pc 72.9 atm) under van der
// Waals at 250 K, worked out apart by the equal-area construction on
// a = 3.60610, b = 0.042803: vapour pressure (atm) and molar volumes of
// liquid and gas (l/mol).
#pragma once

namespace co2_referencia {

constexpr double R = 0.08206;
constexpr double kTc = 304.2;
constexpr double kPc = 72.9;
constexpr double kPv = 31.6154;
constexpr double kVl = 0.06830;
constexpr double kVg = 0.47192;

}  // namespace co2_referencia
