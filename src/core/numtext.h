// Number text, the same for every window and file and independent of the
// user's locale: "." is the decimal point, "," the thousands separator.
#pragma once

#include <string>
#include <string_view>

namespace korgas {

// The leading number of a text: blanks skipped, an optional sign, digits, an
// optional "." with decimals, an optional exponent; reading stops at the first
// other character. An empty or non-numeric text reads as 0. Blanks (space,
// tab) are skipped wherever they stand in the number: " - 1 2" reads as -12.
// A number too large for a double reads as an infinity of its sign (callers
// that store it check), one too small as 0.
double leer_numero(std::string_view texto);

// Formats with a pattern such as "####0.0000", "####0.00", "##0.000" or "###":
// "0" a digit always written, "#" a digit written only when significant, "." the
// decimal point; the integer part is never cut. The value is rounded to the
// pattern's decimals, halves away from zero, after being taken to 15
// significant digits (so 2.675 gives "2.68"); a result that rounds to zero never
// carries a minus sign. A non-finite value gives "-----". Only "0", "#" and "."
// count in a pattern; with no "0" before the point a whole part of 0 is not
// written ("###" writes 0 as the empty text, "#.00" writes 0.5 as ".50").
std::string formatear(double x, std::string_view patron);

// Shortest decimal text that reads back as the same double ("1.5", "0.08206",
// "100000"); exponents below -4 or above 14 are written "1E-05", "1.5E+20".
// Zero, also -0, is "0". Non-finite gives "-----".
std::string texto_corto(double x);

// The same for a single-precision value: the shortest digits that read back
// as the same float (a position read from the mouse, 37.77778).
std::string texto_corto_simple(float x);

// A number as the gas editor writes it into the gas data file: at most 15
// significant digits, exponent as "E-05", a leading blank before a value that is
// not negative (" 44.01", " 30", "-1", " 1E-05"; -0 is " 0"). Every finite
// value reads back finite: where rounding would pass the largest double, the
// last digit is cut instead (" 1.79769313486231E+308"). A non-finite value,
// which the file must never hold, gives "-----".
std::string texto_fichero(double x);

// The nearest whole number, a half going to the even neighbour. NaN gives 0;
// values beyond the range give its ends.
long long redondeo_par(double x);

}  // namespace korgas
