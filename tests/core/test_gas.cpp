#include "core/gas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "core/kvstore.h"
#include "core/mensajes.h"
#include "core/numtext.h"

namespace fs = std::filesystem;
using korgas::Carga;
using korgas::datosgas;
using korgas::leergas;

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A folder of its own for each test, removed afterwards.
class Carpeta {
  public:
    Carpeta() {
        std::string plantilla = (fs::temp_directory_path() / "korgas-gas-XXXXXX").string();
        if (!::mkdtemp(plantilla.data())) std::abort();
        ruta_ = plantilla;
    }
    ~Carpeta() {
        std::error_code ec;
        fs::remove_all(ruta_, ec);
    }
    // Writes the lines (given with "\n") with CR LF ends; bytes as given.
    std::string escribir(const std::string& nombre, const std::string& texto) const {
        std::string bytes;
        for (char ch : texto) {
            if (ch == '\n')
                bytes += "\r\n";
            else
                bytes.push_back(ch);
        }
        const std::string ruta = (ruta_ / nombre).string();
        std::ofstream(ruta, std::ios::binary) << bytes;
        return ruta;
    }
    const fs::path& ruta() const { return ruta_; }

  private:
    fs::path ruta_;
};

// Keys c(e,j) of every equation, all -1 but those given.
std::string parametros(const std::vector<std::pair<std::string, std::string>>& propios) {
    const int claves[10] = {0, 2, 2, 2, 2, 4, 3, 3, 3, 2};
    std::string s;
    for (int e = 1; e <= 9; ++e) {
        for (int j = 1; j <= claves[e]; ++j) {
            std::string clave = "c(" + std::to_string(e) + "," + std::to_string(j) + ")";
            std::string valor = "-1";
            for (const auto& [k, v] : propios) {
                if (k == clave) valor = v;
            }
            s += clave + "=" + valor + "\n";
        }
    }
    return s;
}

// Carbon dioxide as gas 21 (acentric factor from the table, 0.239), the same
// critical data as gas 29 (no table entry) and as gas 30 with its own values.
std::string fichero_prueba() {
    const std::string criticos = "pm= 44.01\ntc= 304.2\npc= 72.9\n";
    std::string s = "[General]\nn= 30\n\n";
    s += "[g21]\nnombre=Di\xF3xido de carbono\n" + criticos + "vc= 0.094\nteb=-1\nhv=-1\n" +
         parametros({{"c(6,3)", " 1.5"}});
    s += "\n[G29]\nnombre=Copia\n" + criticos + "vc= 0.094\nteb= 194.7\nhv= 6.03\n" +
         parametros({{"c(6,3)", " 1.5"}});
    s += "\n[g30]\nnombre=Propio\n" + criticos + "vc=-1\nteb= 194.7\nhv= 6.03\n" +
         parametros({{"c(1,1)", " 3.59"},
                     {"c(5,2)", "-0.1"},
                     {"c(6,3)", " 2"},
                     {"c(7,3)", " 0.225"},
                     {"c(8,3)", " 0.225"}});
    s += "\n[g31]\nnombre=Sin tc\npm= 10\ntc= 0\npc= 72.9\nvc= 0.094\nteb=-1\nhv=-1\n" +
         parametros({{"c(6,3)", " 1.5"}});
    s += "\n[g32]\nnombre=Sin pc\npm= 10\ntc= 304.2\npc= 0\nvc= 0.094\nteb=-1\nhv=-1\n" +
         parametros({{"c(6,3)", " 1.5"}});
    s += "\n[g33]\nnombre=Exponente 1\n" + criticos + "vc= 0.094\nteb=-1\nhv=-1\n" +
         parametros({{"c(6,3)", " 1"}});
    s += "\n[g34]\n";
    // Values too large for a double, and the texts of an infinity and a NaN.
    s += "\n[g35]\nnombre=Desbordes\n" + criticos + "vc= 0.094\nteb=-1\nhv=-1\n" +
         parametros({{"c(1,1)", "inf"},
                     {"c(2,1)", "nan"},
                     {"c(5,3)", " 1e999"},
                     {"c(6,3)", " 1.5"},
                     {"c(9,2)", "-1e999"}});
    return s;
}

class LeerGas : public ::testing::Test {
  protected:
    void SetUp() override { korgas::fichdatos = carpeta_.escribir("data", fichero_prueba()); }

    Carga cargar(int ecuacion, int numgas, double temperatura = 300, double mu = -1, int modo = -1,
                 bool propio = false) {
        temperatura_ = temperatura;
        mu_ = mu;
        return leergas(modo, ecuacion, numgas, temperatura_, mu_, propio, gas_);
    }

    Carpeta carpeta_;
    datosgas gas_;
    double temperatura_ = 0;
    double mu_ = 0;
};

void cerca(double valor, double esperado, const char* que) {
    EXPECT_NEAR(valor, esperado, std::fabs(esperado) * 1e-12) << que;
}

void todo_finito(const datosgas& g) {
    for (double x : {g.c[0], g.c[1], g.c[2], g.c[3], g.pm, g.tc, g.vc, g.pc, g.zc, g.teb, g.hv}) {
        EXPECT_TRUE(std::isfinite(x));
    }
}

// tc 304.2 K, pc 72.9 atm, T 300 K, every parameter derived. The expected
// figures were worked out from the formulas at 40 digits.
TEST_F(LeerGas, DerivesEveryEquationFromTheCriticalData) {
    const double b_vdw = 0.042802901234567901;
    struct Caso {
        int ecuacion;
        double a, b;
    };
    const Caso casos[] = {
        {1, 3.6060995073675, b_vdw},
        {2, 1096.9754701411935, b_vdw},
        {3, 4.627271094129684, 0.046341942095432048},
        {4, 63.730827748404881, 0.029667666739827871},
        {6, 6.9451314120008527, 0.014267633744855967},  // exponent 1.5 from the file
        {7, 3.6969710464751675, 0.029667666739827871},  // omega 0.239 from the table
        {8, 3.947902760946934, 0.026640525728395062},
        {9, 6.9274293434154189, 0.1322582254291358},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.ecuacion);
        ASSERT_EQ(cargar(c.ecuacion, 21), Carga::ok);
        cerca(gas_.c[0], c.a, "a");
        cerca(gas_.c[1], c.b, "b");
    }

    ASSERT_EQ(cargar(5, 21), Carga::ok);
    EXPECT_EQ(gas_.c[0], 1);
    cerca(gas_.c[1], -0.1036793275154321, "B");
    cerca(gas_.c[2], 0.0018320883540961744, "C");
    cerca(gas_.c[3], 7.8418696873380616e-5, "D");

    EXPECT_EQ(gas_.nombre, "Dióxido de carbono");
    EXPECT_EQ(gas_.pm, 44.01);
    EXPECT_EQ(gas_.tc, 304.2);
    EXPECT_EQ(gas_.pc, 72.9);
    EXPECT_EQ(gas_.vc, 0.094);
    EXPECT_EQ(gas_.teb, -1);
    EXPECT_EQ(gas_.hv, -1);
    cerca(gas_.zc, 0.27451410210742032, "zc");
}

TEST_F(LeerGas, IdealGasHasZeroParametersWhatever) {
    gas_.c = {1, 2, 3, 4};
    temperatura_ = 0;
    mu_ = -1;
    ASSERT_EQ(leergas(0, 0, 21, temperatura_, mu_, true, gas_), Carga::ok);
    EXPECT_EQ(gas_.c, (std::array<double, 4>{0, 0, 0, 0}));
    EXPECT_EQ(temperatura_, 0);  // no parameters read: the temperature stays
    EXPECT_EQ(mu_, -1);
    EXPECT_EQ(gas_.nombre, "Dióxido de carbono");
}

TEST_F(LeerGas, ModeAndOwnParameters) {
    const std::array<double, 4> propios{1.5, 0.03, 7, 8};

    // A normal load of a system with its own parameters keeps them all and
    // leaves a zero temperature alone, but reloads the critical data.
    gas_.c = propios;
    EXPECT_EQ(cargar(1, 21, 0, -1, 0, true), Carga::ok);
    EXPECT_EQ(gas_.c, propios);
    EXPECT_EQ(temperatura_, 0);
    EXPECT_EQ(gas_.tc, 304.2);

    // A forced load reads and derives even with the flag set.
    gas_.c = propios;
    EXPECT_EQ(cargar(1, 21, 300, -1, -1, true), Carga::ok);
    cerca(gas_.c[0], 3.6060995073675, "a");
    EXPECT_EQ(gas_.c[2], 7);  // a slot the equation does not use keeps its value

    // A normal load without the flag reads too.
    gas_.c = propios;
    EXPECT_EQ(cargar(1, 21, 300, -1, 0, false), Carga::ok);
    cerca(gas_.c[1], 0.042802901234567901, "b");

    // Any other mode reads no parameters.
    gas_.c = propios;
    EXPECT_EQ(cargar(1, 21, 300, -1, 3, false), Carga::ok);
    EXPECT_EQ(gas_.c, propios);
}

TEST_F(LeerGas, ZeroTemperatureBecomesTenMicrokelvin) {
    ASSERT_EQ(cargar(5, 21, 0), Carga::ok);
    EXPECT_EQ(temperatura_, 1e-5);
    cerca(gas_.c[1], -4394466.8196970988, "B at 1e-5 K");

    ASSERT_EQ(cargar(8, 21, 0), Carga::ok);
    EXPECT_EQ(temperatura_, 1e-5);
    EXPECT_TRUE(std::isfinite(gas_.c[0]) && gas_.c[0] > 0);
}

TEST_F(LeerGas, ValuesGivenInTheFileAreKept) {
    ASSERT_EQ(cargar(1, 30), Carga::ok);
    EXPECT_EQ(gas_.c[0], 3.59);
    cerca(gas_.c[1], 0.042802901234567901, "b derived");

    // Virial B given, C and D from the van der Waals covolume all the same.
    ASSERT_EQ(cargar(5, 30), Carga::ok);
    EXPECT_EQ(gas_.c[0], 1);
    EXPECT_EQ(gas_.c[1], -0.1);
    cerca(gas_.c[2], 0.0018320883540961744, "C");
    cerca(gas_.c[3], 7.8418696873380616e-5, "D");

    // vc not given: zc -1, the rest as usual.
    EXPECT_EQ(gas_.vc, -1);
    EXPECT_EQ(gas_.zc, -1);
    EXPECT_EQ(gas_.teb, 194.7);
    EXPECT_EQ(gas_.hv, 6.03);
}

TEST_F(LeerGas, ExponentOfTheGeneralisedEquation) {
    // -1 takes the file's exponent and hands it back.
    ASSERT_EQ(cargar(6, 21, 300, -1), Carga::ok);
    EXPECT_EQ(mu_, 1.5);
    EXPECT_EQ(gas_.c[2], 1.5);

    // Exponent 2 is van der Waals; the caller's exponent wins over the file's.
    ASSERT_EQ(cargar(6, 21, 300, 2), Carga::ok);
    EXPECT_EQ(mu_, 2);
    cerca(gas_.c[0], 3.6060995073675, "a");
    cerca(gas_.c[1], 0.042802901234567901, "b");
    ASSERT_EQ(cargar(6, 30, 300, -1), Carga::ok);
    EXPECT_EQ(mu_, 2);

    // A large exponent whose powers alone overflow still gives a finite a.
    ASSERT_EQ(cargar(6, 21, 300, 200), Carga::ok);
    EXPECT_NEAR(gas_.c[0], 3.7285389386026316e+248, 3.7285389386026316e+248 * 1e-11);
    cerca(gas_.c[1], 16.950376917901235, "b");

    // With exponent 1000 a itself overflows (about 1e1935): the gas is unusable
    // with the equation, a is no number and b keeps its value.
    ASSERT_EQ(cargar(6, 21, 300, 1000), Carga::invalido);
    EXPECT_EQ(gas_.c[0], kInf);
    cerca(gas_.c[1], 998001 * 0.08206 * 304.2 / (4000 * 72.9), "b");

    // An exponent not above 1, or not finite, derives nothing.
    for (double mu : {-1.0, 1.0, 0.5, 0.0, kInf, kNaN}) {
        SCOPED_TRACE(mu);
        const int numgas = mu == -1 ? 33 : 21;  // -1: the file's exponent 1
        ASSERT_EQ(cargar(6, numgas, 300, mu), Carga::invalido);
        EXPECT_EQ(gas_.c[0], 0);
        EXPECT_EQ(gas_.c[1], 0);
    }
}

TEST_F(LeerGas, AcentricFactor) {
    // Gas 21 with -1: the table's 0.239 goes into the record.
    ASSERT_EQ(cargar(7, 21), Carga::ok);
    EXPECT_EQ(gas_.c[2], 0.239);
    // Gas 29 with -1 has no table entry: -1 is kept and used.
    ASSERT_EQ(cargar(7, 29), Carga::ok);
    EXPECT_EQ(gas_.c[2], -1);
    cerca(gas_.c[0], 3.5899987080493008, "Soave a with omega -1");
    ASSERT_EQ(cargar(8, 29), Carga::ok);
    EXPECT_EQ(gas_.c[2], -1);
    cerca(gas_.c[0], 3.8309375557737413, "Peng-Robinson a with omega -1");
    // A gas's own value is used as it stands.
    ASSERT_EQ(cargar(7, 30), Carga::ok);
    EXPECT_EQ(gas_.c[2], 0.225);
    cerca(gas_.c[0], 3.6959072262695228, "Soave a with omega 0.225");
    ASSERT_EQ(cargar(8, 30), Carga::ok);
    cerca(gas_.c[0], 3.9468231863024878, "Peng-Robinson a with omega 0.225");

    EXPECT_EQ(korgas::omega_tabla(1), -0.365);
    EXPECT_EQ(korgas::omega_tabla(14), -0.216);
    EXPECT_EQ(korgas::omega_tabla(28), 0.263);
    EXPECT_EQ(korgas::omega_tabla(0), -1);
    EXPECT_EQ(korgas::omega_tabla(29), -1);
}

TEST_F(LeerGas, MissingSectionIsReportedAndDerivesNothing) {
    for (int e = 0; e <= 9; ++e) {
        SCOPED_TRACE(e);
        gas_.nombre = "antes";
        gas_.c = {5, 5, 5, 5};
        ASSERT_EQ(cargar(e, 99, 0, -1), Carga::sin_seccion);
        EXPECT_EQ(gas_.nombre, "");
        EXPECT_EQ(gas_.tc, 0);
        EXPECT_EQ(gas_.pc, 0);
        EXPECT_EQ(gas_.zc, -1);
        EXPECT_EQ(gas_.c[0], 0);
        EXPECT_EQ(gas_.c[1], 0);
        EXPECT_EQ(temperatura_, 0);
        EXPECT_EQ(mu_, -1);
        todo_finito(gas_);
    }
    // No file at all is the same.
    korgas::fichdatos = (carpeta_.ruta() / "no-such-file").string();
    EXPECT_EQ(cargar(1, 1), Carga::sin_seccion);
}

TEST_F(LeerGas, CriticalDataNotAboveZeroIsInvalid) {
    // tc 0, pc 0, and a section without any key (tc and pc read as 0).
    for (int numgas : {31, 32, 34}) {
        for (int e = 0; e <= 9; ++e) {
            SCOPED_TRACE(testing::Message() << "gas " << numgas << " equation " << e);
            ASSERT_EQ(cargar(e, numgas), Carga::invalido);
            EXPECT_EQ(gas_.c[0], 0);
            EXPECT_EQ(gas_.c[1], 0);
            if (e == 5) {
                EXPECT_EQ(gas_.c[3], 0);
            }
            todo_finito(gas_);
        }
    }
    // What was read is loaded.
    cargar(1, 31);
    EXPECT_EQ(gas_.nombre, "Sin tc");
    EXPECT_EQ(gas_.pm, 10);
    EXPECT_EQ(gas_.pc, 72.9);
    EXPECT_EQ(gas_.zc, -1);
    cargar(6, 31);
    EXPECT_EQ(mu_, 1.5);
    EXPECT_EQ(gas_.c[2], 1.5);
}

TEST_F(LeerGas, NegativeTemperatureDerivesNoNumber) {
    for (int e : {7, 8}) {
        ASSERT_EQ(cargar(e, 21, -5), Carga::invalido);
        EXPECT_FALSE(std::isfinite(gas_.c[0]));
        EXPECT_TRUE(std::isfinite(gas_.c[1]));
    }
}

// A file value that overflows a double is no number: the gas cannot be used
// with the equations that read it, which keep it infinite for the windows to
// show as no number. The texts "inf" and "nan" have letters and read as 0.
TEST_F(LeerGas, FileValueThatOverflowsMakesTheEquationUnusable) {
    ASSERT_EQ(cargar(5, 35), Carga::invalido);
    EXPECT_EQ(gas_.c[0], 1);
    cerca(gas_.c[1], -0.1036793275154321, "B");
    EXPECT_EQ(gas_.c[2], kInf);
    ASSERT_EQ(cargar(9, 35), Carga::invalido);
    EXPECT_EQ(gas_.c[1], -kInf);
    cerca(gas_.c[0], 6.9274293434154189, "a");
    ASSERT_EQ(cargar(1, 35), Carga::ok);
    EXPECT_EQ(gas_.c[0], 0);
    ASSERT_EQ(cargar(2, 35), Carga::ok);
    EXPECT_EQ(gas_.c[0], 0);
    for (int e : {0, 3, 4, 6, 7, 8}) EXPECT_EQ(cargar(e, 35), Carga::ok) << e;
}

TEST_F(LeerGas, SystemRecordUsesItsOwnFields) {
    korgas::sistema s;
    s.numgas = 21;
    s.ecuacion = 6;
    s.temperatura = 0;
    s.mu = -1;
    ASSERT_EQ(leergas(-1, s), Carga::ok);
    EXPECT_EQ(s.temperatura, 1e-5);
    EXPECT_EQ(s.mu, 1.5);
    cerca(s.gas.c[0], 6.9451314120008527, "a");

    s.personalizado = true;
    s.gas.c = {1, 2, 3, 4};
    ASSERT_EQ(leergas(0, s), Carga::ok);
    EXPECT_EQ(s.gas.c, (std::array<double, 4>{1, 2, 3, 4}));
}

// Taking a record to another temperature from the record alone gives what a
// normal load of its gas at that temperature gives: a(T) of 7 and 8 and the
// virial B derived again, values the file gives (gas 30's van der Waals a and
// virial B) and own parameters kept, the same verdict for unusable gases.
TEST_F(LeerGas, AnotherTemperatureAsALoadThere) {
    auto igual = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    for (int numgas : {21, 29, 30, 31, 32, 33, 34, 35}) {
        for (int e = 0; e < korgas::kNumEcuaciones; ++e) {
            for (bool propio : {false, true}) {
                for (double t : {400.0, 0.0}) {
                    korgas::sistema s;
                    s.numgas = numgas;
                    s.ecuacion = e;
                    s.temperatura = 250;
                    s.mu = -1;
                    leergas(-1, s);
                    s.personalizado = propio;
                    if (propio) s.gas.c[0] = 2.5;
                    s.temperatura = t;
                    korgas::sistema cargado = s;
                    const Carga esperada = leergas(0, cargado);
                    const Carga r = korgas::parametros_a_temperatura(s);
                    const std::string caso = "gas " + std::to_string(numgas) + " eq " +
                                             std::to_string(e) + (propio ? " own" : "") + " T " +
                                             std::to_string(t);
                    EXPECT_EQ(r, esperada) << caso;
                    EXPECT_EQ(s.temperatura, cargado.temperatura) << caso;
                    for (int j = 0; j < 4; ++j) {
                        EXPECT_PRED2(igual, s.gas.c[j], cargado.gas.c[j]) << caso << " c" << j;
                    }
                }
            }
        }
    }
    // The temperature matters where it should.
    korgas::sistema s;
    s.numgas = 21;
    s.ecuacion = korgas::kSoave;
    s.temperatura = 250;
    ASSERT_EQ(leergas(-1, s), Carga::ok);
    const double a250 = s.gas.c[0];
    s.temperatura = 400;
    ASSERT_EQ(korgas::parametros_a_temperatura(s), Carga::ok);
    EXPECT_LT(s.gas.c[0], a250);
}
TEST(DerivarParametros, FillsOnlyTheSlotsAskedFor) {
    std::array<double, 4> c{-1, 0.05, 7, 7};
    EXPECT_TRUE(korgas::derivar_parametros(1, 304.2, 72.9, 300, 0, 0, c));
    cerca(c[0], 3.6060995073675, "a");
    EXPECT_EQ(c[1], 0.05);
    EXPECT_EQ(c[2], 7);

    // The editor's preview of equation 7 with a typed acentric factor.
    c = {-1, -1, 0.225, 0};
    EXPECT_TRUE(korgas::derivar_parametros(7, 304.2, 72.9, 300, 0, 0.225, c));
    cerca(c[0], 3.6959072262695228, "a");
    EXPECT_EQ(c[2], 0.225);

    // Nothing asked for: nothing to check.
    c = {1, 2, 3, 4};
    EXPECT_TRUE(korgas::derivar_parametros(1, 0, 0, 300, 0, 0, c));
    EXPECT_EQ(c, (std::array<double, 4>{1, 2, 3, 4}));
}

TEST(DerivarParametros, RefusesWhatWouldNotBeFinite) {
    struct Caso {
        int ecuacion;
        double tc, pc, t, mu;
    };
    // Data nothing can be derived from: every slot asked for is 0.
    const Caso sin_datos[] = {
        {1, 304.2, 0, 300, 0},   {1, 0, 72.9, 300, 0},     {4, -304.2, 72.9, 300, 0},
        {1, kNaN, 72.9, 300, 0}, {9, 304.2, kInf, 300, 0}, {6, 304.2, 72.9, 300, 1},
    };
    for (const Caso& k : sin_datos) {
        SCOPED_TRACE(testing::Message() << k.ecuacion << " " << k.tc << " " << k.pc);
        std::array<double, 4> c{-1, -1, -1, -1};
        EXPECT_FALSE(korgas::derivar_parametros(k.ecuacion, k.tc, k.pc, k.t, k.mu, 0, c));
        EXPECT_EQ(c[0], 0);
        EXPECT_EQ(c[1], 0);
        for (double x : c) EXPECT_TRUE(std::isfinite(x));
    }
    // A value that does not come out finite stays so; the others are derived.
    struct NoFinito {
        Caso caso;
        int malo;  // the slot that is not finite
    };
    const NoFinito no_finitos[] = {
        {{5, 304.2, 72.9, 0, 0}, 1},       // B = b - a/(R·0)
        {{7, 304.2, 72.9, -1, 0}, 0},      // a(T) takes √T
        {{6, 304.2, 72.9, 300, 1000}, 0},  // a about 1e1935
    };
    for (const NoFinito& n : no_finitos) {
        const Caso& k = n.caso;
        SCOPED_TRACE(testing::Message() << k.ecuacion << " " << k.t << " " << k.mu);
        std::array<double, 4> c{-1, -1, -1, -1};
        EXPECT_FALSE(korgas::derivar_parametros(k.ecuacion, k.tc, k.pc, k.t, k.mu, 0, c));
        const int derivados = k.ecuacion == 5 ? 4 : 2;
        for (int i = 0; i < derivados; ++i)
            EXPECT_EQ(std::isfinite(c[std::size_t(i)]), i != n.malo) << i;
    }
}

// The shipped file: 28 gases, every one loading with every equation.
TEST(DatosDistribuidos, EveryBuiltInGasLoadsWithEveryEquation) {
    korgas::fichdatos = std::string(KORGAS_SOURCE_DIR) + "/data/data";
    ASSERT_EQ(korgas::leer_numero(korgas::leervalor(korgas::fichdatos, "general", "n")), 28);
    for (int k = 1; k <= 28; ++k) {
        for (int e = 0; e <= 9; ++e) {
            SCOPED_TRACE(testing::Message() << "gas " << k << " equation " << e);
            datosgas g;
            double t = 300, mu = -1;
            ASSERT_EQ(leergas(-1, e, k, t, mu, false, g), Carga::ok);
            EXPECT_FALSE(g.nombre.empty());
            EXPECT_GT(g.pm, 0);
            EXPECT_GT(g.tc, 0);
            EXPECT_GT(g.pc, 0);
            EXPECT_GT(g.zc, 0);
            EXPECT_LT(g.zc, 1);
            todo_finito(g);
            if (e == 5) {
                EXPECT_EQ(g.c[0], 1);
                EXPECT_GT(g.c[2], 0);
                EXPECT_GT(g.c[3], 0);
            } else if (e != 0) {
                EXPECT_GT(g.c[0], 0);
                EXPECT_GT(g.c[1], 0);
            }
            if (e == 6) {
                EXPECT_EQ(mu, 1.5);
            }
            if (e == 7 || e == 8) {
                EXPECT_NE(g.c[2], -1);
            }
        }
    }
    datosgas g;
    double t = 300, mu = -1;
    leergas(-1, 0, 2, t, mu, false, g);
    EXPECT_EQ(g.nombre, "Neón");
    leergas(-1, 0, 21, t, mu, false, g);
    EXPECT_EQ(g.teb, -1);
    EXPECT_EQ(g.hv, -1);
}

TEST(DatosDistribuidos, WrittenAsTheGasEditorWritesIt) {
    std::ifstream in(std::string(KORGAS_SOURCE_DIR) + "/data/data", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    const std::vector<std::string> orden = {
        "nombre", "pm",     "tc",     "pc",     "vc",     "teb",    "hv",     "c(1,1)",
        "c(1,2)", "c(2,1)", "c(2,2)", "c(3,1)", "c(3,2)", "c(4,1)", "c(4,2)", "c(5,1)",
        "c(5,2)", "c(5,3)", "c(5,4)", "c(6,1)", "c(6,2)", "c(6,3)", "c(7,1)", "c(7,2)",
        "c(7,3)", "c(8,1)", "c(8,2)", "c(8,3)", "c(9,1)", "c(9,2)"};
    std::vector<std::string> lineas;
    std::size_t inicio = 0;
    while (inicio < bytes.size()) {
        const std::size_t fin = bytes.find("\r\n", inicio);
        ASSERT_NE(fin, std::string::npos);
        const std::string l = bytes.substr(inicio, fin - inicio);
        ASSERT_EQ(l.find_first_of("\r\n"), std::string::npos) << "a lone line end";
        lineas.push_back(l);
        inicio = fin + 2;
    }
    ASSERT_EQ(lineas[0], "[general]");
    ASSERT_EQ(lineas[1], "n= 28");
    std::size_t i = 2;
    for (int k = 1; k <= 28; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(lineas.at(i++), "");
        ASSERT_EQ(lineas.at(i++), "[g" + std::to_string(k) + "]");
        for (const std::string& clave : orden) {
            const std::string& l = lineas.at(i++);
            ASSERT_EQ(l.substr(0, clave.size() + 1), clave + "=");
            if (clave == "nombre") continue;
            // Numbers as the editor writes them: a blank before a value that is
            // not negative, and the same text again from the value read.
            const std::string valor = l.substr(clave.size() + 1);
            EXPECT_EQ(korgas::texto_fichero(korgas::leer_numero(valor)), valor) << l;
        }
    }
    EXPECT_EQ(i, lineas.size());
    EXPECT_NE(bytes.find("nombre=Ne\xF3n\r\n"), std::string::npos);
}

TEST(NombreEcuacion, ListEntries) {
    Carpeta carpeta;
    korgas::fichidioma =
        carpeta.escribir("idioma.lng",
                         "[idioma]\nidioma=Espa\xF1ol\n\n[Espa\xF1ol]\n85=GAS IDEAL\n"
                         "86=VAN DER WAALS GENERALIZADA\n\n[English]\n85=IDEAL GAS\n");
    korgas::idioma_actual = "español";
    const char* nombres[] = {"GAS IDEAL",
                             "VAN DER WAALS",
                             "BERTHELOT",
                             "DIETERICI",
                             "REDLICH-KWONG",
                             "VIRIAL",
                             "VAN DER WAALS GENERALIZADA",
                             "REDLICH-KWONG-SOAVE",
                             "PENG-ROBINSON",
                             "DIETERICI-SADUS"};
    for (int e = 0; e < korgas::kNumEcuaciones; ++e) {
        EXPECT_EQ(korgas::nombre_ecuacion(e), nombres[e]);
    }
    EXPECT_EQ(korgas::nombre_ecuacion(10), "");

    // The text of the current language, looked up when used.
    korgas::idioma_actual = "English";
    EXPECT_EQ(korgas::nombre_ecuacion(0), "IDEAL GAS");
    EXPECT_EQ(korgas::texto(86), "");

    // An unreadable language file gives empty texts, no exception.
    korgas::fichidioma = carpeta.ruta().string();
    EXPECT_EQ(korgas::texto(85), "");
    korgas::fichidioma.clear();
}

}  // namespace
