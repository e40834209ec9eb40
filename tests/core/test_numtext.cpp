#include "core/numtext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "locale_coma.h"

using korgas::formatear;
using korgas::leer_numero;
using korgas::redondeo_par;
using korgas::texto_corto;
using korgas::texto_fichero;

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(LeerNumero, LeadingNumberRule) {
    struct Caso {
        const char* texto;
        double valor;
    };
    const Caso casos[] = {
        {"", 0},
        {"abc", 0},
        {" 30abc", 30},
        {"1E-05", 1e-5},
        {" 1E-05", 1e-5},
        {" .5", 0.5},
        {"-1", -1},
        {"+2.5", 2.5},
        {" 44.0095", 44.0095},
        {"5.", 5},
        {"-.25", -0.25},
        {".", 0},
        {"-", 0},
        {"+", 0},
        {"e5", 0},
        {"1e", 1},  // an exponent letter without digits ends the number
        {"1e+", 1},
        {"2E+3", 2000},
        {"1.5e3x", 1500},
        {"3.4.5", 3.4},  // a second point is another character
        {"1,5", 1},      // the comma is no decimal point
        {"0x10", 0},
        {"\t7", 7},
        {" - 3", -3},  // blanks are skipped inside the number too
        {"12 34", 1234},
        {"1e-400", 0},
        {"00012.50", 12.5},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(leer_numero(c.texto), c.valor) << '"' << c.texto << '"';
    }
}

TEST(LeerNumero, OverflowReadsAsSignedInfinity) {
    EXPECT_EQ(leer_numero("1e400"), kInf);
    EXPECT_EQ(leer_numero("-1e400"), -kInf);
    EXPECT_EQ(leer_numero(std::string(400, '9')), kInf);
    // Too small is 0, however the smallness is written: by the exponent, by
    // zeros after the point, or by both against a long whole part.
    EXPECT_EQ(leer_numero("1e-400"), 0.0);
    EXPECT_EQ(leer_numero("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(leer_numero("-0." + std::string(400, '0') + "7e5"), 0.0);
    EXPECT_EQ(leer_numero("0." + std::string(400, '0') + "1e800"), kInf);
    EXPECT_EQ(leer_numero(std::string(350, '1') + "e-700"), 0.0);
    EXPECT_EQ(leer_numero(std::string(350, '1') + "e-20"), kInf);
}

TEST(Formatear, PatternsAndRounding) {
    struct Caso {
        double x;
        const char* patron;
        const char* texto;
    };
    const Caso casos[] = {
        {2.675, "##0.00", "2.68"},  // binary 2.67499999... is taken as 2.675
        {0.125, "##0.00", "0.13"},
        {1.005, "####0.00", "1.01"},
        {-2.675, "##0.00", "-2.68"},   // halves away from zero
        {99.995, "##0.00", "100.00"},  // carry into a new integer digit
        {9.99995, "####0.0000", "10.0000"},
        {12.3456789, "####0.0000", "12.3457"},
        {3, "####0.00", "3.00"},
        {0.078, "####0.00000", "0.07800"},
        {0.0018316, "####0.000000", "0.001832"},
        {123456.789, "##0.000", "123456.789"},  // the integer part is never cut
        {1e20, "####0.00", "100000000000000000000.00"},
        {304.2, "###0.00", "304.20"},
        {1234.4, "###", "1234"},
        {2.5, "###", "3"},
        {7, "###", "7"},
        {0.5, "#.00", ".50"},
        {5e-324, "####0.00", "0.00"},
        {1e-7, "####0.000000", "0.000000"},
        {0.0000005, "####0.000000", "0.000001"},
        {-0.0000005, "####0.000000", "-0.000001"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(formatear(c.x, c.patron), c.texto) << c.x << " " << c.patron;
    }
}

TEST(Formatear, NoNegativeZeroAndNoNonFiniteNumber) {
    EXPECT_EQ(formatear(-0.0, "####0.0000"), "0.0000");
    EXPECT_EQ(formatear(-0.004, "####0.00"), "0.00");
    EXPECT_EQ(formatear(-0.0000004, "####0.000000"), "0.000000");
    EXPECT_EQ(formatear(-0.4, "###"), "");
    EXPECT_EQ(formatear(kNaN, "####0.0000"), "-----");
    EXPECT_EQ(formatear(kInf, "##0.00"), "-----");
    EXPECT_EQ(formatear(-kInf, "###"), "-----");
}

TEST(TextoCorto, ShortestRoundTrip) {
    struct Caso {
        double x;
        const char* texto;
    };
    const Caso casos[] = {
        {1.5, "1.5"},
        {0.08206, "0.08206"},
        {300, "300"},
        {100000, "100000"},
        {1e-5, "1E-05"},
        {0.0001, "0.0001"},
        {-2.5e-7, "-2.5E-07"},
        {1e15, "1E+15"},
        {123456789012345, "123456789012345"},
        {0.1 + 0.2, "0.30000000000000004"},
        {-0.0, "0"},
        {-12.75, "-12.75"},
        {kNaN, "-----"},
        {-kInf, "-----"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(texto_corto(c.x), c.texto) << c.texto;
    }
    // Whatever the layout, the text reads back as the same double.
    for (double x : {0.1 + 0.2, 1.0 / 3, 6.02214076e23, 1.602e-19, 2.2250738585072014e-308}) {
        EXPECT_EQ(leer_numero(texto_corto(x)), x) << texto_corto(x);
    }
}

TEST(TextoCorto, SinglePrecisionShortest) {
    // The digits a float needs, not those of the double it widens to.
    EXPECT_EQ(korgas::texto_corto_simple(37.7777777f), "37.77778");
    EXPECT_EQ(korgas::texto_corto_simple(0.1f), "0.1");
    EXPECT_EQ(korgas::texto_corto_simple(-273.15f), "-273.15");
    EXPECT_EQ(korgas::texto_corto_simple(1e-5f), "1E-05");
    EXPECT_EQ(korgas::texto_corto_simple(-0.0f), "0");
    EXPECT_EQ(korgas::texto_corto_simple(std::numeric_limits<float>::infinity()), "-----");
    for (float x : {37.7777777f, 1.0f / 3, 671.67f, 3.4e38f})
        EXPECT_EQ(float(leer_numero(korgas::texto_corto_simple(x))), x);
}

TEST(TextoFichero, AsTheGasEditorWritesIt) {
    struct Caso {
        double x;
        const char* texto;
    };
    const Caso casos[] = {
        {44.0095, " 44.0095"},
        {30, " 30"},
        {28, " 28"},
        {1e-5, " 1E-05"},
        {-1, "-1"},
        {1.5, " 1.5"},
        {0, " 0"},
        {-0.0, " 0"},
        {0.1 + 0.2, " 0.3"},  // 15 significant digits
        {1.0 / 3, " 0.333333333333333"},
        {0.0001, " 0.0001"},
        {0.00001234, " 1.234E-05"},
        {123456789012345, " 123456789012345"},
        {1e15, " 1E+15"},
        {-2.5e-7, "-2.5E-07"},
        {1e100, " 1E+100"},
        {kNaN, "-----"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(texto_fichero(c.x), c.texto) << c.texto;
    }
}

// A number written to the file reads back finite and within the last digit
// written, up to the largest double, where 15 digits rounded to nearest would
// name a number beyond it.
TEST(TextoFichero, EveryFiniteNumberReadsBackWithinItsDigits) {
    const double kMax = std::numeric_limits<double>::max();
    auto comprobar = [](double x) {
        const std::string t = texto_fichero(x);
        const double y = leer_numero(t);
        ASSERT_TRUE(std::isfinite(y)) << t;
        // One unit of the 15th significant digit of x.
        const double unidad = std::pow(10.0, std::floor(std::log10(std::fabs(x))) - 14);
        EXPECT_LE(std::fabs(y - x), unidad) << t;
    };
    for (double x :
         {kMax, -kMax, std::nextafter(kMax, 0.0), 1.797693134862315e308, 1.7976931348623149e308,
          1.79769313486231e308, 9.99999999999999e307, 9.999999999999999e307,
          std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
          -4.9406564584124654e-324, 0.99999999999999999, 1e-5}) {
        SCOPED_TRACE(x);
        comprobar(x);
    }
    EXPECT_EQ(texto_fichero(kMax), " 1.79769313486231E+308");
    EXPECT_EQ(texto_fichero(-kMax), "-1.79769313486231E+308");
    // Any bit pattern that is a finite double.
    std::mt19937_64 rnd(1);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = rnd();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        if (!std::isfinite(x) || x == 0) continue;
        comprobar(x);
    }
}

TEST(RedondeoPar, HalvesGoToTheEvenNeighbour) {
    struct Caso {
        double x;
        long long n;
    };
    const Caso casos[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {0.49999999999999994, 0},
        {7, 7},
        {kNaN, 0},
        {1e300, std::numeric_limits<long long>::max()},
        {-kInf, std::numeric_limits<long long>::min()},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(redondeo_par(c.x), c.n) << c.x;
    }
}

// The program sets no locale of its own, but the desktop libraries may set the
// user's; a comma-decimal locale must not change any number text.
TEST(NumberText, IgnoresTheCLocale) {
    const char* antes = std::setlocale(LC_ALL, nullptr);
    const std::string guardado = antes ? antes : "C";
    ASSERT_TRUE(korgas_pruebas::poner_locale_coma(LC_ALL)) << "the build makes this locale";
    // The locale is in force: the C library writes a comma.
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    EXPECT_STREQ(buf, "1,5");
    EXPECT_EQ(leer_numero("1.5"), 1.5);
    EXPECT_EQ(leer_numero("1,5"), 1);
    EXPECT_EQ(formatear(1234.5, "####0.00"), "1234.50");
    EXPECT_EQ(texto_fichero(44.0095), " 44.0095");
    EXPECT_EQ(texto_corto(0.08206), "0.08206");
    std::setlocale(LC_ALL, guardado.c_str());
}

}  // namespace
