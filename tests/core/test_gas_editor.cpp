// The gas editor's changes to the gas data file, checked byte for byte: add,
// modify and delete (with the renumbering of the later gases) each as one
// rewrite, the refusals that leave the file alone, and the system records
// following their gases after a delete.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <string>

#include "core/gas.h"
#include "core/kvstore.h"
#include "core/numtext.h"

namespace fs = std::filesystem;
using korgas::Documento;
using korgas::TablaParametros;

namespace {

class Carpeta {
  public:
    Carpeta() {
        std::string plantilla = (fs::temp_directory_path() / "korgas-editor-XXXXXX").string();
        if (!::mkdtemp(plantilla.data())) std::abort();
        ruta_ = plantilla;
    }
    ~Carpeta() {
        std::error_code ec;
        fs::remove_all(ruta_, ec);
    }
    std::string escribir(const std::string& bytes) const {
        const std::string ruta = (ruta_ / "data").string();
        std::ofstream(ruta, std::ios::binary) << bytes;
        return ruta;
    }
    std::string leer() const {
        std::ifstream in(ruta_ / "data", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Names of the files in the folder but the store's lock files.
    std::vector<std::string> ficheros() const {
        std::vector<std::string> r;
        for (const auto& e : fs::directory_iterator(ruta_))
            if (e.path().extension() != ".lock") r.push_back(e.path().filename());
        return r;
    }

  private:
    fs::path ruta_;
};

// "\n" becomes CR LF.
std::string crlf(const std::string& texto) {
    std::string r;
    for (char ch : texto) {
        if (ch == '\n') r += '\r';
        r += ch;
    }
    return r;
}

// A gas section with values of its own, so that a moved block is recognised.
std::string bloque(const std::string& cabecera, int k) {
    const std::string v = std::to_string(k);
    return cabecera + "\nnombre=Gas " + v + "\npm= " + v + ".5\ntc= " + v + "0\npc= " + v +
           "\nvc=-1\nteb=-1\nhv=-1\nc(1,1)= " + v + ".25\nc(1,2)=-1\nextra=" + v + "\n";
}

// 28 small built-in gases and the user's gases 29..n; the headers of 31 and
// 32 in lower case and capitals, as either may stand in a file.
std::string fichero(int n) {
    std::string s = "[general]\nn= " + std::to_string(n) + "\n";
    for (int k = 1; k <= n; ++k) {
        const std::string cabecera = k == 31 ? "[g31]" : "[G" + std::to_string(k) + "]";
        s += "\n" + bloque(cabecera, k);
    }
    return crlf(s);
}

// The editor's table for a gas whose van der Waals row is automatic and whose
// other rows hold typed values.
TablaParametros tabla() {
    TablaParametros c{};
    for (int e = 0; e < 10; ++e)
        for (int j = 1; j <= 4; ++j) c[e][j] = e + j / 10.0;
    c[1] = {1, -1, -1, -1, -1};
    c[5][4] = 1.2e-7;
    c[6][3] = 1.5;
    return c;
}

korgas::datosgas gas(const std::string& nombre) {
    korgas::datosgas g;
    g.nombre = nombre;
    g.pm = 30.01;
    g.tc = 180;
    g.pc = 64;
    g.vc = -1;
    g.teb = 121.4;
    g.hv = -1;
    return g;
}

class EditorGases : public ::testing::Test {
  protected:
    void TearDown() override { korgas::prueba::fallo_escritura(nullptr); }
    Carpeta carpeta_;
};

TEST_F(EditorGases, DeleteRenumbersTheLaterGasesAndTouchesNothingElse) {
    const std::string ruta = carpeta_.escribir(fichero(32));
    int n = 0;
    korgas::editar(ruta, [&](Documento& d) { n = korgas::borrar_gas(d, 30, "Gas 30"); });
    EXPECT_EQ(n, 31);

    // Expected: G30's block gone, the old G31 and G32 under the next lower
    // headers, the count 31; every other byte as it was.
    std::string s = "[general]\nn= 31\n";
    for (int k = 1; k <= 32; ++k) {
        if (k == 30) continue;
        const int nuevo = k > 30 ? k - 1 : k;
        std::string b = bloque("[G" + std::to_string(nuevo) + "]", k);
        s += "\n" + b;
    }
    EXPECT_EQ(carpeta_.leer(), crlf(s));
    EXPECT_EQ(korgas::leervalor(ruta, "g30", "nombre"), "Gas 31");
    EXPECT_EQ(korgas::leervalor(ruta, "g31", "extra"), "32");
    EXPECT_EQ(korgas::buscarseccion(ruta, "g32"), 0);
}

TEST_F(EditorGases, DeleteKeepsAByteOrderMark) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string ruta = carpeta_.escribir(bom + fichero(32));
    korgas::editar(ruta, [&](Documento& d) { korgas::borrar_gas(d, 30, "Gas 30"); });
    const std::string despues = carpeta_.leer();
    EXPECT_EQ(despues.substr(0, 3), bom);
    EXPECT_EQ(despues.substr(3, 18), "[general]\r\nn= 31\r\n");
}

TEST_F(EditorGases, DeletingTheLastGasRenamesNothing) {
    const std::string ruta = carpeta_.escribir(fichero(30));
    const std::string antes = carpeta_.leer();
    korgas::editar(ruta, [&](Documento& d) { EXPECT_EQ(korgas::borrar_gas(d, 30, "Gas 30"), 29); });
    std::string esperado = antes;
    const std::string b = crlf("\n" + bloque("[G30]", 30));
    esperado.erase(esperado.find(b), b.size());
    esperado.replace(esperado.find("n= 30"), 5, "n= 29");
    // The empty line before the deleted header belongs to the gas before it.
    esperado += "\r\n";
    EXPECT_EQ(carpeta_.leer(), esperado);
}

TEST_F(EditorGases, WhatCannotBeDeletedOrModifiedLeavesTheFileAlone) {
    struct Caso {
        int k;
        std::string nombre;
        const char* por_que;
    };
    const Caso casos[] = {
        {28, "Gas 28", "a built-in gas"},
        {33, "Gas 33", "beyond the count"},
        {30, "Gas 31", "another name: the file changed since the gas was chosen"},
        {0, "", "no gas"},
    };
    std::string bytes = fichero(32);
    bytes += crlf("\n" + bloque("[G33]", 33));  // a section beyond the count
    const std::string ruta = carpeta_.escribir(bytes);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.por_que);
        korgas::editar(ruta, [&](Documento& d) {
            EXPECT_EQ(korgas::borrar_gas(d, c.k, c.nombre), -1);
            EXPECT_FALSE(korgas::modificar_gas(d, c.k, c.nombre, gas("X"), tabla()));
        });
        EXPECT_EQ(carpeta_.leer(), bytes);
    }
}

TEST_F(EditorGases, AddAppendsTheSectionInTheFileOrder) {
    const std::string ruta = carpeta_.escribir(fichero(30));
    const std::string antes = carpeta_.leer();
    int k = 0;
    korgas::editar(ruta, [&](Documento& d) {
        k = korgas::anadir_gas(d, gas("\xC3\x93xido n\xC3\xadtrico"), tabla());
    });
    ASSERT_EQ(k, 31);

    std::string esperado = antes;
    esperado.replace(esperado.find("n= 30"), 5, "n= 31");
    esperado += crlf(
        "\n[G31]\nnombre=\xD3xido n\xEDtrico\npm= 30.01\ntc= 180\npc= 64\nvc=-1\nteb= 121.4\n"
        "hv=-1\n"
        "c(1,1)=-1\nc(1,2)=-1\nc(2,1)= 2.1\nc(2,2)= 2.2\nc(3,1)= 3.1\nc(3,2)= 3.2\n"
        "c(4,1)= 4.1\nc(4,2)= 4.2\nc(5,1)= 5.1\nc(5,2)= 5.2\nc(5,3)= 5.3\nc(5,4)= 1.2E-07\n"
        "c(6,1)= 6.1\nc(6,2)= 6.2\nc(6,3)= 1.5\nc(7,1)= 7.1\nc(7,2)= 7.2\nc(7,3)= 7.3\n"
        "c(8,1)= 8.1\nc(8,2)= 8.2\nc(8,3)= 8.3\nc(9,1)= 9.1\nc(9,2)= 9.2\n");
    EXPECT_EQ(carpeta_.leer(), esperado);
    EXPECT_EQ(korgas::leervalor(ruta, "g31", "nombre"), "\xC3\x93xido n\xC3\xadtrico");
    EXPECT_EQ(korgas::leer_numero(korgas::leervalor(ruta, "g31", "c(5,4)")), 1.2e-7);
}

TEST_F(EditorGases, AddRefusesACountItCannotFollow) {
    struct Caso {
        std::string bytes;
        const char* por_que;
    };
    std::string con_siguiente = fichero(30);
    con_siguiente += crlf("\n" + bloque("[g31]", 31));
    std::string lleno = fichero(28);
    lleno.replace(lleno.find("n= 28"), 5, "n= 32767");
    std::string malo = fichero(28);
    malo.replace(malo.find("n= 28"), 5, "n= 2x8");
    const Caso casos[] = {
        {con_siguiente, "a section for the next number is already there"},
        {crlf("[general]\nn= 27\n"), "fewer than 28 gases"},
        {lleno, "32767 gases"},
        {malo, "no valid count"},
        {"", "an empty file"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.por_que);
        const std::string ruta = carpeta_.escribir(c.bytes);
        korgas::editar(
            ruta, [&](Documento& d) { EXPECT_EQ(korgas::anadir_gas(d, gas("X"), tabla()), 0); });
        EXPECT_EQ(carpeta_.leer(), c.bytes);
    }
}

TEST_F(EditorGases, ModifyReplacesTheKeysInPlaceAndKeepsTheOthers) {
    const std::string ruta = carpeta_.escribir(fichero(30));
    const std::string antes = carpeta_.leer();
    korgas::editar(ruta, [&](Documento& d) {
        EXPECT_TRUE(korgas::modificar_gas(d, 29, "Gas 29", gas("Nuevo"), tabla()));
    });
    const std::string despues = carpeta_.leer();
    // Everything before and after the section is as it was.
    const std::size_t inicio = antes.find("[G29]");
    const std::size_t fin = antes.find("[G30]");
    ASSERT_EQ(despues.substr(0, inicio), antes.substr(0, inicio));
    ASSERT_EQ(despues.substr(despues.find("[G30]")), antes.substr(fin));
    const std::string seccion = despues.substr(inicio, despues.find("[G30]") - inicio);
    const std::string cabeza = crlf("[G29]\nnombre=Nuevo\npm= 30.01\ntc= 180\n");
    EXPECT_EQ(seccion.substr(0, cabeza.size()), cabeza);
    EXPECT_NE(seccion.find(crlf("c(1,2)=-1\nextra=29\nc(2,1)= 2.1\n")), std::string::npos);
    EXPECT_EQ(korgas::leervalor(ruta, "g29", "c(9,2)"), "9.2");

    // Read back as the editor loads a chosen gas: the automatic row by its
    // -1, the typed values as written, keys the file lacks as 0.
    const TablaParametros t = korgas::leer_tabla(korgas::leer(ruta), 29);
    EXPECT_EQ(t[1][0], 1);
    EXPECT_EQ(t[1][1], -1);
    EXPECT_EQ(t[2][0], 0);
    EXPECT_EQ(t[2][1], 2.1);
    EXPECT_EQ(t[5][4], 1.2e-7);
    EXPECT_EQ(t[6][3], 1.5);
    EXPECT_EQ(t[0], (std::array<double, 5>{}));
}

// A modify writes only what changed: every other value keeps the text the
// file holds, however it was written there (a hand edit, a number that
// overflows), and a value that is not finite is never written as text.
TEST_F(EditorGases, ModifyKeepsTheTextOfTheValuesItDoesNotChange) {
    std::string s = fichero(30);
    // Every key the editor writes, some in forms it would not write itself.
    const std::map<std::string, std::string> propios = {
        {"c(1,1)", " 5.50"},    {"c(5,1)", " 1"},    {"c(5,2)", "-.1858"}, {"c(5,3)", " 1e999"},
        {"c(5,4)", " 1.2E-07"}, {"c(6,3)", " 1.50"}, {"c(7,3)", " .099"}};
    std::string propio =
        "[G30]\nnombre=Gas 30\npm=30.50\ntc= 3.0E2\npc=  30\nvc=-1\nteb=-1\nhv=-1\n";
    for (int e = 1; e <= 9; ++e) {
        for (int j = 1; j <= (e == 5 ? 4 : e >= 6 && e <= 8 ? 3 : 2); ++j) {
            const std::string clave = korgas::clave_parametro(e, j);
            const auto p = propios.find(clave);
            propio += clave + "=" + (p == propios.end() ? "-1" : p->second) + "\n";
        }
    }
    s.replace(s.find("[G30]"), std::string::npos, crlf(propio));
    const std::string ruta = carpeta_.escribir(s);
    const Documento leido = korgas::leer(ruta);
    // The gas as the editor holds it after choosing it.
    korgas::datosgas g;
    g.nombre = "Gas 30";
    for (auto [clave, campo] : {std::pair{"pm", &g.pm},
                                {"tc", &g.tc},
                                {"pc", &g.pc},
                                {"vc", &g.vc},
                                {"teb", &g.teb},
                                {"hv", &g.hv}})
        *campo = korgas::leer_numero(leido.leervalor("g30", clave));
    const TablaParametros tal_cual = korgas::leer_tabla(leido, 30);

    struct Caso {
        const char* que;
        std::function<void(korgas::datosgas&, TablaParametros&)> cambio;
        std::string antes, despues;  // the one line that changes
    };
    const Caso casos[] = {
        {"nothing", [](auto&, auto&) {}, "", ""},
        {"molar mass", [](auto& gas, auto&) { gas.pm = 31; }, "pm=30.50\r\n", "pm= 31\r\n"},
        {"a parameter beside the overflowing one", [](auto&, auto& t) { t[5][1] = 2; },
         "c(5,1)= 1\r\n", "c(5,1)= 2\r\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        carpeta_.escribir(s);
        korgas::datosgas gas = g;
        TablaParametros t = tal_cual;
        c.cambio(gas, t);
        korgas::editar(ruta, [&](Documento& d) {
            EXPECT_TRUE(korgas::modificar_gas(d, 30, "Gas 30", gas, t));
        });
        std::string esperado = s;
        if (!c.antes.empty()) esperado.replace(esperado.find(c.antes), c.antes.size(), c.despues);
        EXPECT_EQ(carpeta_.leer(), esperado);
    }

    // A value that is not finite and is not what the file holds: nothing is
    // written, neither by a modify nor by an add.
    carpeta_.escribir(s);
    TablaParametros t = tal_cual;
    t[5][4] = std::numeric_limits<double>::infinity();
    EXPECT_THROW(
        korgas::editar(ruta, [&](Documento& d) { korgas::modificar_gas(d, 30, "Gas 30", g, t); }),
        korgas::ErrorTexto);
    EXPECT_THROW(korgas::editar(ruta, [&](Documento& d) { korgas::anadir_gas(d, g, t); }),
                 korgas::ErrorTexto);
    EXPECT_EQ(carpeta_.leer(), s);
}

TEST_F(EditorGases, ANameTheFileCannotHoldWritesNothing) {
    const std::string ruta = carpeta_.escribir(fichero(30));
    const std::string antes = carpeta_.leer();
    for (const char* nombre : {"CO\xE2\x82\x82", "dos\nl\xC3\xadneas"}) {
        EXPECT_THROW(korgas::editar(
                         ruta, [&](Documento& d) { korgas::anadir_gas(d, gas(nombre), tabla()); }),
                     korgas::ErrorTexto);
        EXPECT_THROW(korgas::editar(ruta,
                                    [&](Documento& d) {
                                        korgas::modificar_gas(d, 29, "Gas 29", gas(nombre),
                                                              tabla());
                                    }),
                     korgas::ErrorTexto);
        EXPECT_EQ(carpeta_.leer(), antes);
    }
}

// A failure at any step of the rewrite (temporary file, write, flush, rename)
// leaves the file byte for byte as it was and no temporary file behind.
TEST_F(EditorGases, AFailedRewriteLeavesTheFileAsItWas) {
    const std::string ruta = carpeta_.escribir(fichero(32));
    const std::string antes = carpeta_.leer();
    const std::pair<const char*, std::function<void(Documento&)>> cambios[] = {
        {"add", [](Documento& d) { korgas::anadir_gas(d, gas("Nuevo"), tabla()); }},
        {"modify", [](Documento& d) { korgas::modificar_gas(d, 31, "Gas 31", gas("N"), tabla()); }},
        {"delete", [](Documento& d) { korgas::borrar_gas(d, 30, "Gas 30"); }},
    };
    for (const auto& [que, cambio] : cambios) {
        for (int paso = 1; paso <= 4; ++paso) {
            SCOPED_TRACE(std::string(que) + " step " + std::to_string(paso));
            korgas::prueba::fallo_escritura([paso](int p) { return p == paso; });
            EXPECT_THROW(korgas::editar(ruta, cambio), korgas::ErrorFichero);
            korgas::prueba::fallo_escritura(nullptr);
            EXPECT_EQ(carpeta_.leer(), antes);
            EXPECT_EQ(carpeta_.ficheros(), std::vector<std::string>{"data"});
        }
    }
}

TEST(RenumerarSistemas, RecordsFollowTheirGases) {
    struct Caso {
        int antes;
        bool propio;
        int despues;
        bool propio_despues;
    };
    // Gas 30 deleted.
    const Caso casos[6] = {
        {0, false, 0, false},    // a record not set up yet
        {29, true, 29, true},    // before the deleted gas
        {30, true, 1, false},    // on it: gas 1, without its own parameters
        {31, true, 30, true},    // after it
        {32, false, 31, false},  // the last gas
        {1, false, 1, false},
    };
    for (int i = 0; i < 6; ++i) {
        korgas::sistemas[i].numgas = casos[i].antes;
        korgas::sistemas[i].personalizado = casos[i].propio;
    }
    EXPECT_TRUE(korgas::renumerar_sistemas(30));
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(korgas::sistemas[i].numgas, casos[i].despues);
        EXPECT_EQ(korgas::sistemas[i].personalizado, casos[i].propio_despues);
    }
    EXPECT_FALSE(korgas::renumerar_sistemas(40));
    // A computing window's record on the deleted gas follows too; that
    // window tells its user itself.
    korgas::sistemas = {};
    korgas::sistemas[0].numgas = 30;
    EXPECT_FALSE(korgas::renumerar_sistemas(30));
    EXPECT_EQ(korgas::sistemas[0].numgas, 1);
    korgas::sistemas = {};
}

// An exponent of exactly 1 is accepted by the editor, but the generalised
// equation divides by mu - 1: every load of such a gas with that equation
// reports it as unusable, whether its parameters are derived, typed in the
// file or the system's own.
TEST_F(EditorGases, ExponentOneIsReportedInvalid) {
    std::string s = fichero(28);
    s.replace(s.find("n= 28"), 5, "n= 30");
    s += crlf(
        "\n[G29]\nnombre=Derivado\npm= 44\ntc= 304.2\npc= 72.9\nvc=-1\nteb=-1\nhv=-1\n"
        "c(6,1)=-1\nc(6,2)=-1\nc(6,3)= 1\n"
        "\n[G30]\nnombre=Escrito\npm= 44\ntc= 304.2\npc= 72.9\nvc=-1\nteb=-1\nhv=-1\n"
        "c(6,1)= 24.96\nc(6,2)= 0.01\nc(6,3)= 1\n");
    korgas::fichdatos = carpeta_.escribir(s);
    struct Caso {
        int numgas, modo;
        bool propio;
        const char* que;
    };
    const Caso casos[] = {{29, -1, false, "derived"},
                          {30, -1, false, "typed in the file"},
                          {30, 0, false, "a normal load"},
                          {30, 0, true, "the system's own parameters"}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        korgas::datosgas g;
        g.c = {24.96, 0.01, 1, 0};
        double t = 300, mu = -1;
        if (c.propio) mu = 1;
        EXPECT_EQ(korgas::leergas(c.modo, 6, c.numgas, t, mu, c.propio, g),
                  korgas::Carga::invalido);
        EXPECT_EQ(mu, 1);
    }
    // The same gases are fine with another equation.
    korgas::datosgas g;
    double t = 300, mu = -1;
    EXPECT_EQ(korgas::leergas(-1, 1, 30, t, mu, false, g), korgas::Carga::ok);
}

}  // namespace
