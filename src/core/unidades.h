// Unit conversions between the names shown in the unit labels. Names compare
// exactly; an unknown name on either side gives 0; equal names return x.
#pragma once

#include <string_view>

namespace korgas {

double convenergia(double x, std::string_view de, std::string_view a);  // "atm l" "J" "cal" "Kcal"
// "mol" "g" with the gas's molar mass pm (g/mol); 0 where the result is not
// finite (no molar mass to convert with).
double convcantidad(double x, std::string_view de, std::string_view a, double pm);
double convdensidad(double x, std::string_view de, std::string_view a);  // "g/l" "kg/m³" "g/cm³"
double convpresion(double x, std::string_view de, std::string_view a);   // "atm" "Pa" "bar" "mmHg"
double convtemperatura(double x, std::string_view de,
                       std::string_view a);  // "ºC" "ºK" "ºF" "ºR" "ºRe"
double convvolumen(double x, std::string_view de, std::string_view a);  // "l" "dm³" "m³" "cm³"

}  // namespace korgas
