// The sectioned key=value store: byte-exact file fixtures for every procedure,
// rewrites that fail part way, changes made behind the store's back, the
// Windows-1252 boundary, missing, unreadable, read-only and oversized files,
// refused texts, several steps as one rewrite, other processes writing the same
// file, and a randomised comparison with a plain line scan.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/kvstore.h"

namespace fs = std::filesystem;
using namespace korgas;

namespace {

// A fresh folder under the system's temporary folder, removed at the end.
class Carpeta {
  public:
    Carpeta() {
        std::string plantilla = (fs::temp_directory_path() / "kvstore-test-XXXXXX").string();
        std::vector<char> b(plantilla.begin(), plantilla.end());
        b.push_back('\0');
        if (!mkdtemp(b.data())) throw std::runtime_error("mkdtemp");
        ruta_ = b.data();
    }
    ~Carpeta() {
        std::error_code ec;
        fs::permissions(ruta_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(ruta_, ec);
    }
    std::string operator/(const std::string& nombre) const { return (ruta_ / nombre).string(); }
    std::vector<std::string> contenido() const {
        std::vector<std::string> r;
        for (const auto& e : fs::directory_iterator(ruta_)) r.push_back(e.path().filename());
        std::sort(r.begin(), r.end());
        return r;
    }

  private:
    fs::path ruta_;
};

void poner(const std::string& ruta, const std::string& bytes) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f << bytes;
    ASSERT_TRUE(f.good());
}

std::string bytes_de(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Makes the hook count or fail steps for the duration of a test.
class Gancho {
  public:
    explicit Gancho(std::function<bool(int)> g) { prueba::fallo_escritura(std::move(g)); }
    ~Gancho() { prueba::fallo_escritura(nullptr); }
};

// Restores the lock's waiting time for the duration of a test.
class Plazo {
  public:
    explicit Plazo(std::chrono::milliseconds p) : antes_(prueba::plazo_cerrojo(p)) {}
    ~Plazo() { prueba::plazo_cerrojo(antes_); }

  private:
    std::chrono::milliseconds antes_;
};

// Shows control bytes so that a failed comparison is readable.
std::string visible(const std::string& s) {
    std::string r;
    for (unsigned char c : s) {
        if (c == '\r')
            r += "\\r";
        else if (c == '\n')
            r += "\\n\n";
        else if (c < 0x20 || c >= 0x80) {
            char b[8];
            snprintf(b, sizeof b, "\\x%02X", c);
            r += b;
        } else
            r += static_cast<char>(c);
    }
    return r;
}

// ---------------------------------------------------------------------------
// Byte-exact fixtures: input bytes (or no file), one operation, the expected
// bytes afterwards and the operation's result.

struct Caso {
    const char* nombre;
    bool existe;
    std::string entrada;
    std::function<std::string(const std::string&)> op;
    std::string salida;  // expected file bytes afterwards
    std::string resultado;
};

auto lee(std::string s, std::string k) {
    return [=](const std::string& f) { return leervalor(f, s, k); };
}
auto escribe(std::string s, std::string k, std::string v) {
    return [=](const std::string& f) {
        escribirvalor(f, s, k, v);
        return std::string();
    };
}
auto crea(std::string s) {
    return [=](const std::string& f) {
        crearseccion(f, s);
        return std::string();
    };
}
auto busca(std::string s) {
    return [=](const std::string& f) { return std::to_string(buscarseccion(f, s)); };
}
auto borra(std::string s) {
    return [=](const std::string& f) { return borrarseccion(f, s) ? "true" : "false"; };
}
auto cambia(std::string a, std::string b) {
    return [=](const std::string& f) { return std::to_string(cambiarlinea(f, a, b)); };
}

const std::string kTres = "[a]\r\nk=1\r\n\r\n[b]\r\ny=2\r\n\r\n[c]\r\nz=3\r\n";

std::vector<Caso> casos() {
    return {
        // Reading
        {"clave con blanco antes del igual no es la clave", true, "[a]\r\npm =1\r\n",
         lee("a", "pm"), "[a]\r\npm =1\r\n", ""},
        {"clave con blanco se encuentra con el blanco", true, "[a]\r\npm =1\r\n", lee("a", "pm "),
         "[a]\r\npm =1\r\n", "1"},
        {"valor sin blancos alrededor, tabuladores quedan", true, "[a]\r\nk=  \tv w\t  \r\n",
         lee("a", "k"), "[a]\r\nk=  \tv w\t  \r\n", "\tv w\t"},
        {"valor con igual", true, "[a]\r\nk= x=y \r\n", lee("a", "k"), "[a]\r\nk= x=y \r\n", "x=y"},
        {"solo la primera seccion del nombre", true, "[a]\r\nx=1\r\n[b]\r\n[A]\r\nk=2\r\n",
         lee("a", "k"), "[a]\r\nx=1\r\n[b]\r\n[A]\r\nk=2\r\n", ""},
        {"la siguiente cabecera termina la busqueda", true, "[a]\r\nx=1\r\n[b]\r\nk=2\r\n",
         lee("a", "k"), "[a]\r\nx=1\r\n[b]\r\nk=2\r\n", ""},
        {"primera coincidencia de la clave", true, "[a]\r\nk=1\r\nK=2\r\n", lee("a", "k"),
         "[a]\r\nk=1\r\nK=2\r\n", "1"},
        {"mayusculas en seccion y clave", true, "[General]\r\nN= 28\r\n", lee("GENERAL", "n"),
         "[General]\r\nN= 28\r\n", "28"},
        {"mayusculas acentuadas de Windows-1252", true, "[ESPA\xD1OL]\r\n1=Hola\r\n",
         lee("español", "1"), "[ESPA\xD1OL]\r\n1=Hola\r\n", "Hola"},
        {"lineas antes de la primera cabecera", true, "k=1\r\n[a]\r\nj=2\r\n", lee("a", "k"),
         "k=1\r\n[a]\r\nj=2\r\n", ""},
        {"corchete solo nombra la seccion vacia", true, "[\r\nk=1\r\n", lee("", "k"),
         "[\r\nk=1\r\n", "1"},
        {"linea sin igual no es clave", true, "[a]\r\nk\r\nk=2\r\n", lee("a", "k"),
         "[a]\r\nk\r\nk=2\r\n", "2"},
        {"finales LF, CR y sin final", true, "[a]\nx=1\ry=2\r\n\nk=3", lee("a", "k"),
         "[a]\nx=1\ry=2\r\n\nk=3", "3"},
        {"marca de orden UTF-8 al principio", true, "\xEF\xBB\xBF[a]\r\nk=1\r\n", lee("a", "k"),
         "\xEF\xBB\xBF[a]\r\nk=1\r\n", "1"},
        {"cabecera con blanco tras el corchete", true, "[a] \r\nk=1\r\n", lee("a]", "k"),
         "[a] \r\nk=1\r\n", "1"},

        // escribirvalor
        {"seccion nueva al final", true, "[a]\r\nk=1\r\n", escribe("b", "x", "2"),
         "[a]\r\nk=1\r\n\r\n[b]\r\nx=2\r\n", ""},
        {"seccion nueva tras ultima linea sin final", true, "[a]\r\nk=1", escribe("b", "x", "2"),
         "[a]\r\nk=1\r\n[b]\r\nx=2\r\n", ""},
        {"fichero que no existe se crea", false, "", escribe("b", "x", "2"), "\r\n[b]\r\nx=2\r\n",
         ""},
        {"clave nueva en seccion intermedia", true, "[a]\r\n\r\nk=1\r\n\r\n\r\n[b]\r\ny=2\r\n",
         escribe("A", "Z", "3"), "[a]\r\nk=1\r\nZ=3\r\n\r\n[b]\r\ny=2\r\n", ""},
        {"clave reemplazada, vacias solo antes de ella se quitan", true,
         "[a]\r\n\r\nk=1\r\n\r\nm=2\r\n\r\n[b]\r\n", escribe("a", "K", "9"),
         "[a]\r\nK=9\r\n\r\nm=2\r\n\r\n[b]\r\n", ""},
        {"clave nueva bajo cabecera que es la ultima linea", true, "[a]\r\nk=1\r\n\r\n[b]\r\n",
         escribe("b", "x", "1"), "[a]\r\nk=1\r\n\r\n[b]\r\nx=1\r\n", ""},
        {"clave nueva en la ultima seccion va al final, vacias quedan", true,
         "[a]\r\n\r\nk=1\r\n\r\n", escribe("a", "z", "3"), "[a]\r\n\r\nk=1\r\n\r\nz=3\r\n", ""},
        {"clave nueva tras ultima linea sin final", true, "[a]\r\nk=1", escribe("a", "z", "3"),
         "[a]\r\nk=1\r\nz=3\r\n", ""},
        {"una reescritura termina cada linea con CR LF", true, "x\n[a]\nk=1\n[b]\ry=2",
         escribe("a", "k", "5"), "x\r\n[a]\r\nk=5\r\n[b]\r\ny=2\r\n", ""},
        {"clave con blanco no se reemplaza", true, "[a]\r\npm =1\r\n", escribe("a", "pm", "2"),
         "[a]\r\npm =1\r\npm=2\r\n", ""},
        {"todas las secciones del nombre", true, "[a]\r\nk=1\r\n[b]\r\n[a]\r\nk=2\r\n[c]\r\n",
         escribe("a", "k", "9"), "[a]\r\nk=9\r\n[b]\r\n[a]\r\nk=9\r\n[c]\r\n", ""},
        {"linea sin igual se copia", true, "[a]\r\nbasura\r\n[b]\r\n", escribe("a", "k", "1"),
         "[a]\r\nbasura\r\nk=1\r\n\r\n[b]\r\n", ""},
        {"valor con igual y blancos tal cual", true, "[a]\r\n", escribe("a", "k", " x=y "),
         "[a]\r\nk= x=y \r\n", ""},

        // crearseccion
        {"crearseccion existente no cambia nada", true, "[A]\r\nk=1", crea("a"), "[A]\r\nk=1", ""},
        {"crearseccion nueva", true, "[a]\r\n", crea("B"), "[a]\r\n\r\n[B]\r\n", ""},

        // buscarseccion
        {"buscarseccion cuenta las vacias", true, "\r\n[a]\r\n\r\n[B]\r\n[b]\r\n", busca("b"),
         "\r\n[a]\r\n\r\n[B]\r\n[b]\r\n", "4"},
        {"buscarseccion ausente", true, "[a]\r\n", busca("b"), "[a]\r\n", "0"},
        {"buscarseccion con CR solos", true, "x\r[a]\r[b]\r", busca("b"), "x\r[a]\r[b]\r", "3"},

        // borrarseccion
        {"borrar seccion intermedia, la vacia delante queda", true, kTres, borra("B"),
         "[a]\r\nk=1\r\n\r\n[c]\r\nz=3\r\n", "true"},
        {"borrar ultima seccion", true, kTres, borra("c"), "[a]\r\nk=1\r\n\r\n[b]\r\ny=2\r\n\r\n",
         "true"},
        {"borrar solo la primera del nombre", true, "[a]\r\nk=1\r\n[a]\r\nk=2\r\n", borra("a"),
         "[a]\r\nk=2\r\n", "true"},
        {"borrar ausente no toca el fichero", true, kTres, borra("d"), kTres, "false"},

        // cambiarlinea
        {"cambiarlinea en mayusculas", true, "[a]\r\n[G31]\r\nk=1\r\n", cambia("[g31]", "[G30]"),
         "[a]\r\n[G30]\r\nk=1\r\n", "2"},
        {"cambiarlinea devuelve la ultima", true, "x\r\n[a]\r\nX\n", cambia("x", "y"),
         "y\r\n[a]\r\ny\r\n", "3"},
        {"cambiarlinea compara la linea entera", true, "[g31] \r\n", cambia("[g31]", "[g30]"),
         "[g31] \r\n", "0"},
    };
}

TEST(Almacen, FicherosByteABytePorOperacion) {
    Carpeta c;
    int i = 0;
    for (const auto& caso : casos()) {
        SCOPED_TRACE(caso.nombre);
        std::string f = c / ("f" + std::to_string(i++));
        if (caso.existe) poner(f, caso.entrada);
        EXPECT_EQ(caso.op(f), caso.resultado);
        EXPECT_EQ(visible(bytes_de(f)), visible(caso.salida));
        if (!caso.existe && caso.salida.empty()) {
            EXPECT_FALSE(fs::exists(f));
        }
    }
    // No temporary file stays behind after any of them; a write leaves the
    // file's lock file beside it.
    for (const auto& n : c.contenido())
        EXPECT_TRUE(n[0] == 'f' || (n.starts_with(".f") && n.ends_with(".lock"))) << n;
}

TEST(Almacen, LeerseccionesNombresTalCual) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, "x=1\r\n[general]\r\nn=2\r\n\r\n[Espa\xF1ol]\r\n[ENGLISH]\r\n1=a\r\n");
    std::vector<std::string> l = {"?", "viejo", "viejo", "viejo"};
    EXPECT_EQ(leersecciones(f, l), 2);
    EXPECT_EQ(l, (std::vector<std::string>{"?", "Español", "ENGLISH"}));

    // Below one section the list is left alone.
    std::vector<std::string> sin = {"?", "queda"};
    poner(f, "[solo]\r\nk=1\r\n");
    EXPECT_EQ(leersecciones(f, sin), 0);
    poner(f, "k=1\r\n");
    EXPECT_EQ(leersecciones(f, sin), -1);
    EXPECT_EQ(sin, (std::vector<std::string>{"?", "queda"}));
}

// A write that gives the same bytes does not touch the file.
TEST(Almacen, SinCambioNoSeReescribe) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, "[a]\r\nk=1\r\n[b]\r\n");
    int pasos = 0;
    Gancho g([&](int) { return ++pasos, false; });
    escribirvalor(f, "a", "k", "1");
    EXPECT_EQ(cambiarlinea(f, "nada", "algo"), 0);
    EXPECT_FALSE(borrarseccion(f, "c"));
    crearseccion(f, "B");
    EXPECT_EQ(pasos, 0);
    EXPECT_EQ(bytes_de(f), "[a]\r\nk=1\r\n[b]\r\n");
}

// ---------------------------------------------------------------------------
// Failures part way through a rewrite

// Two gases, and one change of each kind that rewrites them.
const std::string kDosGases =
    "[general]\r\nn= 2\r\n\r\n[g1]\r\nnombre=a\r\n\r\n[g2]\r\nnombre=b\r\n";

std::vector<std::pair<const char*, std::function<void(const std::string&)>>> cambios() {
    return {
        {"escribirvalor", [](const std::string& f) { escribirvalor(f, "g1", "pm", "1"); }},
        {"crearseccion", [](const std::string& f) { crearseccion(f, "g3"); }},
        {"borrarseccion", [](const std::string& f) { borrarseccion(f, "g1"); }},
        {"cambiarlinea", [](const std::string& f) { cambiarlinea(f, "[g2]", "[g1]"); }},
        {"editar",
         [](const std::string& f) {
             editar(f, [](Documento& d) {
                 d.borrarseccion("g1");
                 d.cambiarlinea("[g2]", "[G1]");
                 d.escribirvalor("general", "n", " 1");
             });
         }},
    };
}

const std::vector<std::string> kDataYCerrojo = {".data.lock", "data"};

TEST(Almacen, FalloEnCadaPasoDejaElFicheroIntacto) {
    const std::string& original = kDosGases;
    for (int paso = 1; paso <= 4; ++paso) {
        for (const auto& [nombre, op] : cambios()) {
            SCOPED_TRACE(std::string(nombre) + " paso " + std::to_string(paso));
            Carpeta c;
            std::string f = c / "data";
            poner(f, original);
            chmod(f.c_str(), 0640);
            EXPECT_EQ(leervalor(f, "g1", "nombre"), "a");  // cached before the write
            {
                Gancho g([&](int p) { return p == paso; });
                EXPECT_THROW(op(f), ErrorFichero);
            }
            EXPECT_EQ(visible(bytes_de(f)), visible(original));
            EXPECT_EQ(c.contenido(), kDataYCerrojo);
            EXPECT_EQ(leervalor(f, "g1", "nombre"), "a");
            EXPECT_EQ(leervalor(f, "g1", "pm"), "");
            // Without the fault the same write goes through, keeping the mode.
            op(f);
            EXPECT_NE(bytes_de(f), original);
            EXPECT_EQ(fs::status(f).permissions(),
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
            EXPECT_EQ(c.contenido(), kDataYCerrojo);
        }
    }
}

TEST(Almacen, FalloEnFicheroNuevoNoLoCrea) {
    Carpeta c;
    std::string f = c / "nuevo";
    {
        Gancho g([](int p) { return p == 3; });
        EXPECT_THROW(escribirvalor(f, "a", "k", "1"), ErrorFichero);
    }
    EXPECT_EQ(c.contenido(), std::vector<std::string>{".nuevo.lock"});
    EXPECT_EQ(leervalor(f, "a", "k"), "");
    // A folder that does not exist cannot take the file: reported, not ignored.
    EXPECT_THROW(escribirvalor(c / "no/existe", "a", "k", "1"), ErrorFichero);
}

TEST(Almacen, ErrorNombraElFichero) {
    Carpeta c;
    std::string f = c / "data";
    Gancho g([](int p) { return p == 4; });
    try {
        escribirvalor(f, "a", "k", "1");
        FAIL() << "no error";
    } catch (const ErrorFichero& e) {
        EXPECT_EQ(e.ruta(), f);
        EXPECT_NE(std::string(e.what()).find(f), std::string::npos);
    }
}

// ---------------------------------------------------------------------------
// Changes made behind the store's back

TEST(Almacen, VeLosCambiosAjenos) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, "[a]\r\nk=1\r\n");
    EXPECT_EQ(leervalor(f, "a", "k"), "1");

    // Another size.
    poner(f, "[a]\r\nk=22\r\n");
    EXPECT_EQ(leervalor(f, "a", "k"), "22");

    // Same size, same inode, the modification time put back as it was: an
    // edit within the same second that stat alone may not tell apart.
    struct stat st;
    ASSERT_EQ(stat(f.c_str(), &st), 0);
    int fd = open(f.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, "33", 2, 7), 2);
    timespec tiempos[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(futimens(fd, tiempos), 0);
    close(fd);
    EXPECT_EQ(leervalor(f, "a", "k"), "33");

    // Replaced by another file (a new inode) of the same size.
    std::string otro = c / "otro";
    poner(otro, "[a]\r\nk=44\r\n");
    fs::rename(otro, f);
    EXPECT_EQ(leervalor(f, "a", "k"), "44");

    // Removed: reads as empty.
    fs::remove(f);
    EXPECT_EQ(leervalor(f, "a", "k"), "");
    EXPECT_EQ(buscarseccion(f, "a"), 0);
}

// An entry read long after the file's last change answers from memory; a
// change keeping size and modification time still shows through ctime.
TEST(Almacen, CambioDelMismoTamanoEnFicheroAntiguo) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, "[a]\r\nk=1\r\n");
    timespec viejo[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, f.c_str(), viejo, 0), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    EXPECT_EQ(leervalor(f, "a", "k"), "1");
    EXPECT_EQ(leervalor(f, "a", "k"), "1");
    int fd = open(f.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, "2", 1, 7), 1);
    ASSERT_EQ(futimens(fd, viejo), 0);
    close(fd);
    EXPECT_EQ(leervalor(f, "a", "k"), "2");
}

// Our own write updates the cached entry: what follows sees the new contents
// and a change made after it is seen too.
TEST(Almacen, EscrituraPropiaYLuegoAjena) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, "[a]\r\nk=1\r\n");
    escribirvalor(f, "a", "k", "2");
    EXPECT_EQ(leervalor(f, "a", "k"), "2");
    EXPECT_EQ(bytes_de(f), "[a]\r\nk=2\r\n");
    poner(f, "[a]\r\nk=3\r\n");
    EXPECT_EQ(leervalor(f, "a", "k"), "3");
    escribirvalor(f, "a", "j", "4");
    EXPECT_EQ(bytes_de(f), "[a]\r\nk=3\r\nj=4\r\n");
}

// A snapshot answers from what the file held when it was taken: a change by
// someone else, or a write of our own, shows in the next snapshot only.
TEST(Almacen, InstantaneaDelFichero) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, "[a]\r\nk=1\r\n");
    const Documento una = leer(f);
    poner(f, "[a]\r\nk=22\r\n");
    EXPECT_EQ(una.leervalor("a", "k"), "1");
    EXPECT_EQ(leer(f).leervalor("a", "k"), "22");
    escribirvalor(f, "a", "j", "3");
    EXPECT_EQ(bytes_de(f), "[a]\r\nk=22\r\nj=3\r\n");
    EXPECT_EQ(una.leervalor("a", "j"), "");
    EXPECT_EQ(leer(f).leervalor("a", "j"), "3");
    // A file that cannot be read gives no snapshot.
    fs::create_directory(c / "carpeta");
    EXPECT_THROW(leer(c / "carpeta"), ErrorFichero);
}

// ---------------------------------------------------------------------------
// Windows-1252 at the boundary

TEST(Almacen, Windows1252IdaYVuelta) {
    Carpeta c;
    std::string f = c / "data";
    escribirvalor(f, "g1", "nombre", "Dióxido de carbono");
    escribirvalor(f, "g1", "unidad", "ºK");
    EXPECT_EQ(visible(bytes_de(f)),
              visible("\r\n[g1]\r\nnombre=Di\xF3xido de carbono\r\nunidad=\xBAK\r\n"));
    prueba::vaciar_cache();
    EXPECT_EQ(leervalor(f, "G1", "NOMBRE"), "Dióxido de carbono");
    EXPECT_EQ(leervalor(f, "g1", "unidad"), "ºK");
}

TEST(Almacen, TablaWindows1252) {
    // Every byte has a character and comes back as the same byte.
    std::string todos;
    for (int b = 1; b < 256; ++b) todos.push_back(static_cast<char>(b));
    EXPECT_EQ(a_cp1252(desde_cp1252(todos)), todos);

    struct {
        std::string utf8;
        std::string byte;
    } pares[] = {{"€", "\x80"},        {"\xC2\x81", "\x81"}, {"Š", "\x8A"},
                 {"\xC2\x90", "\x90"}, {"—", "\x97"},        {"Ÿ", "\x9F"},
                 {"\xC2\xA0", "\xA0"}, {"ÿ", "\xFF"},        {"ñ", "\xF1"}};
    for (const auto& p : pares) {
        EXPECT_EQ(a_cp1252(p.utf8), p.byte) << p.utf8;
        EXPECT_EQ(desde_cp1252(p.byte), p.utf8);
    }
    // What the code page cannot hold is refused, never replaced.
    for (std::string malo : {"CO₂", "α", "\xC2\x80", "\xC2\x9E", "😀", "\xC3", "\xE2\x82", "\xFF",
                             "\xC0\xAF", "\xED\xA0\x80"}) {
        EXPECT_FALSE(representable_cp1252(malo)) << visible(malo);
        EXPECT_THROW(a_cp1252(malo), ErrorTexto) << visible(malo);
    }
}

TEST(Almacen, MayusculasDeWindows1252) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, "[\x8A\x8C\x8E\x9F\xC0\xDE]\r\nk=1\r\n[\xD7]\r\nk=2\r\n[\xDF]\r\nk=3\r\n");
    EXPECT_EQ(leervalor(f, "šœžÿàþ", "K"), "1");
    EXPECT_EQ(leervalor(f, "ŠŒŽŸÀÞ", "k"), "1");
    EXPECT_EQ(leervalor(f, "×", "k"), "2");
    EXPECT_EQ(leervalor(f, "÷", "k"), "");  // × is not a letter
    EXPECT_EQ(leervalor(f, "ß", "k"), "3");
    EXPECT_EQ(leervalor(f, "ss", "k"), "");
    // A lookup text the code page cannot hold matches nothing.
    EXPECT_EQ(leervalor(f, "α", "k"), "");
    EXPECT_EQ(buscarseccion(f, "α"), 0);
}

// ---------------------------------------------------------------------------
// Missing and unreadable files

TEST(Almacen, FicheroAusenteSeLeeVacio) {
    Carpeta c;
    std::string f = c / "no";
    std::vector<std::string> l = {"?"};
    EXPECT_EQ(leervalor(f, "a", "k"), "");
    EXPECT_EQ(buscarseccion(f, "a"), 0);
    EXPECT_EQ(leersecciones(f, l), -1);
    EXPECT_FALSE(borrarseccion(f, "a"));
    EXPECT_EQ(cambiarlinea(f, "a", "b"), 0);
    EXPECT_FALSE(fs::exists(f));
    // A path through something that is not a folder is absent as well.
    poner(c / "fichero", "x");
    EXPECT_EQ(leervalor(c / "fichero/dentro", "a", "k"), "");

    // The first write creates it, with the usual mode for a new file.
    escribirvalor(f, "a", "k", "1");
    EXPECT_EQ(leervalor(f, "a", "k"), "1");
    mode_t m = umask(0);
    umask(m);
    EXPECT_EQ(static_cast<mode_t>(fs::status(f).permissions()), 0666 & ~m);
}

TEST(Almacen, FicheroIlegibleEsError) {
    Carpeta c;
    std::string f = c / "data";
    fs::create_directory(f);
    std::vector<std::string> l;
    EXPECT_THROW(leervalor(f, "a", "k"), ErrorFichero);
    EXPECT_THROW(buscarseccion(f, "a"), ErrorFichero);
    EXPECT_THROW(leersecciones(f, l), ErrorFichero);
    EXPECT_THROW(escribirvalor(f, "a", "k", "1"), ErrorFichero);
    EXPECT_THROW(borrarseccion(f, "a"), ErrorFichero);
    EXPECT_THROW(editar(f, [](Documento& d) { d.reemplazar({"x"}); }), ErrorFichero);
    EXPECT_TRUE(fs::is_directory(f));
    EXPECT_EQ(c.contenido(), kDataYCerrojo);

    // A file that existed and was cached, then became unreadable, is not
    // answered from memory either.
    std::string g = c / "g";
    poner(g, "[a]\r\nk=1\r\n");
    EXPECT_EQ(leervalor(g, "a", "k"), "1");
    fs::remove(g);
    fs::create_directory(g);
    EXPECT_THROW(leervalor(g, "a", "k"), ErrorFichero);
}

TEST(Almacen, SinPermisoDeLecturaEsError) {
    Carpeta c;
    std::string f = c / "data";
    poner(f, "[a]\r\nk=1\r\n");
    chmod(f.c_str(), 0);
    if (geteuid() == 0)
        EXPECT_EQ(leervalor(f, "a", "k"), "1");  // root reads every file
    else
        EXPECT_THROW(leervalor(f, "a", "k"), ErrorFichero);
    EXPECT_THROW(escribirvalor(f, "a", "k", "2"), ErrorFichero);
    chmod(f.c_str(), 0600);
    EXPECT_EQ(bytes_de(f), "[a]\r\nk=1\r\n");
}

// A file marked read-only is not replaced, although the rename that replaces
// a file does not ask the file itself; this holds for root as well.
TEST(Almacen, FicheroDeSoloLecturaQuedaIntacto) {
    for (const auto& [nombre, op] : cambios()) {
        SCOPED_TRACE(nombre);
        Carpeta c;
        std::string f = c / "data";
        poner(f, kDosGases);
        chmod(f.c_str(), 0444);
        EXPECT_EQ(leervalor(f, "g1", "nombre"), "a");
        try {
            op(f);
            ADD_FAILURE() << "written";
        } catch (const ErrorFichero& e) {
            EXPECT_EQ(e.ruta(), f);
            EXPECT_NE(std::string(e.what()).find("read-only"), std::string::npos) << e.what();
        }
        EXPECT_EQ(visible(bytes_de(f)), visible(kDosGases));
        EXPECT_EQ(static_cast<int>(fs::status(f).permissions()), 0444);
        EXPECT_EQ(c.contenido(), kDataYCerrojo);
        EXPECT_EQ(leervalor(f, "g1", "pm"), "");
        // A change that writes nothing is no failure.
        EXPECT_NO_THROW(escribirvalor(f, "g1", "nombre", "a"));
        // Given its write permission back, the file takes the same change.
        chmod(f.c_str(), 0644);
        op(f);
        EXPECT_NE(bytes_de(f), kDosGases);
    }
}

// What read() has read in this process so far.
long long bytes_leidos() {
    std::ifstream io("/proc/self/io");
    std::string clave;
    long long n = -1;
    while (io >> clave >> n)
        if (clave == "rchar:") return n;
    return -1;
}

// A file over the store's limit is refused from its size alone: nothing of it
// is read and no memory is taken for it, however large it claims to be.
TEST(Almacen, FicheroDemasiadoGrandeSeRechazaSinLeerlo) {
    Carpeta c;
    for (off_t tam : {off_t{100} << 30, (off_t{1} << 30) + 1}) {
        SCOPED_TRACE(tam);
        std::string f = c / "data";
        int fd = open(f.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(pwrite(fd, "[a]\r\nk=1\r\n", 10, 0), 10);
        ASSERT_EQ(ftruncate(fd, tam), 0);  // the rest a hole
        close(fd);
        const long long antes = bytes_leidos();
        try {
            leervalor(f, "a", "k");
            ADD_FAILURE() << "read";
        } catch (const ErrorFichero& e) {
            EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
        }
        std::vector<std::string> l;
        EXPECT_THROW(leersecciones(f, l), ErrorFichero);
        EXPECT_THROW(escribirvalor(f, "a", "k", "2"), ErrorFichero);
        EXPECT_LT(bytes_leidos() - antes, 1 << 20);
        EXPECT_EQ(static_cast<off_t>(fs::file_size(f)), tam);
        fs::remove(f);
    }
}

TEST(Almacen, EnlaceSimbolicoSeSigue) {
    Carpeta c;
    std::string real = c / "real";
    std::string enlace = c / "enlace";
    poner(real, "[a]\r\nk=1\r\n");
    fs::create_symlink("real", enlace);
    escribirvalor(enlace, "a", "k", "2");
    EXPECT_TRUE(fs::is_symlink(enlace));
    EXPECT_EQ(bytes_de(real), "[a]\r\nk=2\r\n");
    EXPECT_EQ(leervalor(enlace, "a", "k"), "2");
}

// ---------------------------------------------------------------------------
// Texts the store refuses to write

TEST(Almacen, TextosRechazados) {
    Carpeta c;
    std::string f = c / "f";
    const std::string original = "[g1]\r\nnombre=a\r\n";
    poner(f, original);
    std::vector<std::pair<const char*, std::function<void()>>> malos = {
        {"CR LF en el valor", [&] { escribirvalor(f, "g2", "nombre", "x\r\n[g1]"); }},
        {"LF en el valor", [&] { escribirvalor(f, "g1", "nombre", "x\ny=1"); }},
        {"CR en la clave", [&] { escribirvalor(f, "g1", "a\rb", "1"); }},
        {"igual en la clave", [&] { escribirvalor(f, "g1", "a=b", "1"); }},
        {"clave que empieza por corchete", [&] { escribirvalor(f, "g1", "[g3", "1"); }},
        {"LF en la seccion", [&] { escribirvalor(f, "g\n[g1", "k", "1"); }},
        {"LF en crearseccion", [&] { crearseccion(f, "x\ny"); }},
        {"caracter fuera de la pagina", [&] { escribirvalor(f, "g1", "nombre", "CO₂"); }},
        {"UTF-8 roto", [&] { escribirvalor(f, "g1", "nombre", "\xC3"); }},
        {"linea nueva con LF", [&] { cambiarlinea(f, "[g1]", "[g2]\n[g3]"); }},
        {"reemplazar con CR", [&] { editar(f, [](Documento& d) {
                                        d.reemplazar({"a", "b\r"});
                                    }); }},
        {"fallo en el segundo paso",
         [&] {
             editar(f, [](Documento& d) {
                 d.escribirvalor("g1", "pm", "1");
                 d.escribirvalor("g1", "nombre", "α");
             });
         }},
    };
    int pasos = 0;
    Gancho g([&](int) { return ++pasos, false; });
    for (const auto& [nombre, op] : malos) {
        SCOPED_TRACE(nombre);
        EXPECT_THROW(op(), ErrorTexto);
        EXPECT_EQ(bytes_de(f), original);
    }
    EXPECT_EQ(pasos, 0);
}

// ---------------------------------------------------------------------------
// editar: several steps, one rewrite

const std::string kGases =
    "[general]\r\nn= 3\r\n\r\n[g1]\r\nnombre=uno\r\n\r\n[g2]\r\nnombre=dos\r\n\r\n"
    "[g3]\r\nnombre=tres\r\npm= 3\r\n";

TEST(Editar, VariosPasosUnaReescritura) {
    Carpeta c;
    std::string a = c / "a", b = c / "b";
    poner(a, kGases);
    poner(b, kGases);
    int renombres = 0;
    Gancho g([&](int p) {
        if (p == 4) ++renombres;
        return false;
    });
    // Deleting gas 2 with the renumbering after it, step by step...
    EXPECT_TRUE(borrarseccion(a, "g2"));
    EXPECT_EQ(cambiarlinea(a, "[g3]", "[G2]"), 7);
    escribirvalor(a, "general", "n", " 2");
    EXPECT_EQ(renombres, 3);
    // ...and as one change.
    renombres = 0;
    editar(b, [](Documento& d) {
        EXPECT_TRUE(d.borrarseccion("g2"));
        EXPECT_EQ(d.cambiarlinea("[g3]", "[G2]"), 7);
        d.escribirvalor("general", "n", " 2");
        // Later steps see the earlier ones.
        EXPECT_EQ(d.leervalor("g2", "nombre"), "tres");
        EXPECT_EQ(d.buscarseccion("g3"), 0);
    });
    EXPECT_EQ(renombres, 1);
    EXPECT_EQ(visible(bytes_de(b)), visible(bytes_de(a)));
    EXPECT_EQ(visible(bytes_de(b)),
              visible("[general]\r\nn= 2\r\n\r\n[g1]\r\nnombre=uno\r\n\r\n[G2]\r\nnombre=tres\r\n"
                      "pm= 3\r\n"));
    EXPECT_EQ(leervalor(b, "g2", "pm"), "3");
}

TEST(Editar, ExcepcionOSinCambioNoEscribe) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, kGases);
    int pasos = 0;
    Gancho g([&](int) { return ++pasos, false; });
    EXPECT_THROW(editar(f,
                        [](Documento& d) {
                            d.borrarseccion("g1");
                            throw std::logic_error("el editor se arrepiente");
                        }),
                 std::logic_error);
    editar(f, [](Documento& d) {
        d.cambiarlinea("[g1]", "[G1]");
        d.cambiarlinea("[g1]", "[g1]");
        d.cambiarlinea("\r\n", "x");  // never equal: a line holds no line end
    });
    EXPECT_EQ(pasos, 0);
    EXPECT_EQ(bytes_de(f), kGases);
    EXPECT_EQ(leervalor(f, "g1", "nombre"), "uno");
}

TEST(Editar, ReemplazarYLineas) {
    Carpeta c;
    std::string f = c / "idioma.lng";
    poner(f, "\xEF\xBB\xBF[idioma]\nactual=Espa\xF1ol\r");
    std::vector<std::string> vistas;
    editar(f, [&](Documento& d) {
        vistas = d.lineas();
        d.reemplazar({"[idioma]", "actual=English", "", "[English]", "1=File"});
        EXPECT_EQ(d.leervalor("english", "1"), "File");
    });
    EXPECT_EQ(vistas, (std::vector<std::string>{"[idioma]", "actual=Español"}));
    // The byte-order mark is no line: it stays before the new lines.
    EXPECT_EQ(bytes_de(f), "\xEF\xBB\xBF[idioma]\r\nactual=English\r\n\r\n[English]\r\n1=File\r\n");
    EXPECT_EQ(leervalor(f, "idioma", "actual"), "English");
}

// fijarvalor changes one value and nothing else: not the empty lines, not
// the notes, not a second section of the same name, not the key as written.
TEST(Editar, FijarvalorCambiaSoloSuValor) {
    const std::string antes =
        "; nota\r\n[idioma]\r\nidioma=A\r\n\r\n[A]\r\n1=uno\r\nsin igual\r\n\r\n"
        "Dos = dos \r\n\r\n\r\n[B]\r\n1=one\r\n[a]\r\n1=otro\r\n3=tres\r\n";
    struct CasoValor {
        const char* seccion;
        const char* clave;
        const char* valor;
        std::string despues;
    };
    const CasoValor casos[] = {
        {"a", "1", "UNO",
         "; nota\r\n[idioma]\r\nidioma=A\r\n\r\n[A]\r\n1=UNO\r\nsin igual\r\n"
         "\r\nDos = dos \r\n\r\n\r\n[B]\r\n1=one\r\n[a]\r\n1=otro\r\n3=tres\r\n"},
        // The key keeps its letter case and the blank before "=".
        {"A", "dos ", "2",
         "; nota\r\n[idioma]\r\nidioma=A\r\n\r\n[A]\r\n1=uno\r\nsin igual\r\n"
         "\r\nDos =2\r\n\r\n\r\n[B]\r\n1=one\r\n[a]\r\n1=otro\r\n3=tres\r\n"},
        // A key the first [A] lacks goes after its last line, not into the
        // second [a].
        {"A", "3", "TRES",
         "; nota\r\n[idioma]\r\nidioma=A\r\n\r\n[A]\r\n1=uno\r\nsin igual\r\n"
         "\r\nDos = dos \r\n3=TRES\r\n\r\n\r\n[B]\r\n1=one\r\n[a]\r\n1=otro\r\n"
         "3=tres\r\n"},
        {"C", "1", "c", antes + "\r\n[C]\r\n1=c\r\n"},
    };
    for (const CasoValor& k : casos) {
        SCOPED_TRACE(std::string(k.seccion) + " " + k.clave);
        Carpeta c;
        std::string f = c / "idioma.lng";
        poner(f, antes);
        editar(f, [&](Documento& d) { d.fijarvalor(k.seccion, k.clave, k.valor); });
        EXPECT_EQ(visible(bytes_de(f)), visible(k.despues));
        EXPECT_EQ(leervalor(f, k.seccion, k.clave), k.valor);
    }
    Carpeta c;
    std::string f = c / "idioma.lng";
    poner(f, antes);
    EXPECT_THROW(editar(f, [](Documento& d) { d.fijarvalor("A", "1", "a\nb"); }), ErrorTexto);
    EXPECT_EQ(bytes_de(f), antes);
}

// Each failure says what kind it is, and the system's error behind it, so a
// window can say it in the user's language.
TEST(Almacen, CausaDelError) {
    auto causa = [](const std::function<void()>& op) {
        try {
            op();
        } catch (const ErrorFichero& e) {
            return std::pair{e.causa(), e.sistema()};
        }
        ADD_FAILURE() << "no error";
        return std::pair{ErrorFichero::Causa::ocupado, -1};
    };
    using C = ErrorFichero::Causa;
    Carpeta c;
    std::string carpeta = c / "carpeta";
    fs::create_directory(carpeta);
    EXPECT_EQ(causa([&] { leervalor(carpeta, "a", "k"); }), std::pair(C::carpeta, 0));
    std::string f = c / "data";
    poner(f, kDosGases);
    chmod(f.c_str(), 0444);
    EXPECT_EQ(causa([&] { escribirvalor(f, "g1", "pm", "1"); }), std::pair(C::solo_lectura, 0));
    chmod(f.c_str(), 0644);
    for (const auto& [paso, esperada] : {std::pair{1, C::temporal},
                                         {2, C::no_escribible},
                                         {3, C::no_escribible},
                                         {4, C::no_reemplazable}}) {
        Gancho g([paso = paso](int p) { return p == paso; });
        EXPECT_EQ(causa([&] { escribirvalor(f, "g1", "pm", "1"); }).first, esperada);
    }
    EXPECT_EQ(causa([&] { escribirvalor(c / "no/existe", "a", "k", "1"); }).first, C::cerrojo);
}

// A write to the same file from inside fn does not wait for the lock its own
// editar holds; as documented, the outer change then overwrites it.
TEST(Editar, EscrituraDentroDeEditarNoSeEsperaASiMisma) {
    Carpeta c;
    std::string f = c / "f";
    poner(f, kGases);
    {
        Plazo p(std::chrono::milliseconds(300));
        EXPECT_NO_THROW(editar(f, [&](Documento& d) {
            escribirvalor(f, "g1", "pm", "1");
            escribirvalor(c / "otro", "a", "k", "1");
            d.escribirvalor("g2", "pm", "2");
        }));
    }
    EXPECT_EQ(leervalor(f, "g1", "pm"), "");
    EXPECT_EQ(leervalor(f, "g2", "pm"), "2");
    EXPECT_EQ(leervalor(c / "otro", "a", "k"), "1");
    // The lock is free again for the next writer.
    escribirvalor(f, "g1", "pm", "3");
    EXPECT_EQ(leervalor(f, "g1", "pm"), "3");
}

// A Documento copied keeps its own lines when either copy changes.
TEST(Editar, CopiasIndependientes) {
    Documento a;
    a.escribirvalor("s", "k", "1");
    Documento b = a;
    b.escribirvalor("s", "k", "2");
    EXPECT_EQ(a.leervalor("s", "k"), "1");
    EXPECT_EQ(b.leervalor("s", "k"), "2");
    a = b;
    b.borrarseccion("s");
    EXPECT_EQ(a.leervalor("s", "k"), "2");
    EXPECT_EQ(b.buscarseccion("s"), 0);
}

// The numbered sections in one pass: the first of each number, as the
// lookup by name finds it, and nothing for another spelling of the number.
TEST(Editar, SeccionesNumeradas) {
    Documento d;
    d.reemplazar({"[g02]", "n=cero", "[G2]", "n=dos", "[g2]", "n=otro", "[gx]", "[g1 ]", "n=blanco",
                  "[g10]", "n=diez", "[g3]", "n=tres", "[h1]", "n=hache"});
    const std::vector<VistaSeccion> v = d.numeradas("G", 3);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FALSE(v[1].existe());
    EXPECT_EQ(v[2].leervalor("n"), "dos");
    EXPECT_EQ(v[3].leervalor("n"), "tres");
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(v[std::size_t(k)].leervalor("n"),
                  d.leervalor("g" + std::to_string(k), "n"));
    EXPECT_EQ(d.numeradas("g", 0).size(), 1u);
}

// A section view answers like the document's own lookups, for the first
// section of the name in any case, and keeps what it found when the document
// changes afterwards.
TEST(Editar, VistaDeUnaSeccion) {
    Documento d;
    d.reemplazar({"[G1]", "Nombre=uno", "vacia=", "[g1]", "nombre=otro", "[G2]"});
    const VistaSeccion g1 = d.seccion("g1");
    EXPECT_TRUE(g1.existe());
    EXPECT_EQ(g1.leervalor("NOMBRE"), "uno");
    EXPECT_EQ(g1.leervalor("vacia"), "");
    EXPECT_EQ(g1.leervalor("falta"), "");
    EXPECT_TRUE(d.seccion("G2").existe());  // a header without keys
    EXPECT_FALSE(d.seccion("g3").existe());
    EXPECT_EQ(d.seccion("g3").leervalor("nombre"), "");

    // The keys read one after another, and a key whose next pair repeats an
    // earlier one: the first pair still answers.
    Documento r;
    r.reemplazar({"[s]", "a=1", "b=2", "A=3", "c=4"});
    const VistaSeccion v = r.seccion("s");
    EXPECT_EQ(v.leervalor("b"), "2");
    EXPECT_EQ(v.leervalor("a"), "1");
    EXPECT_EQ(v.leervalor("b"), "2");
    EXPECT_EQ(v.leervalor("c"), "4");

    d.borrarseccion("g1");
    EXPECT_EQ(g1.leervalor("nombre"), "uno");
    EXPECT_EQ(d.seccion("g1").leervalor("nombre"), "otro");
}

// ---------------------------------------------------------------------------
// Other processes writing the same file

// One byte from one process to another through a pipe.
class Senal {
  public:
    Senal() {
        if (pipe(fd_) != 0) throw std::runtime_error("pipe");
    }
    ~Senal() {
        for (int fd : fd_)
            if (fd >= 0) close(fd);
    }
    void dar(int veces = 1) {
        for (int i = 0; i < veces; ++i) [[maybe_unused]] auto r = write(fd_[1], "x", 1);
    }
    // Waits for a byte: false when none comes in time or every process that
    // could give it has ended.
    bool esperar(int milisegundos = 60000) {
        if (fd_[1] >= 0) close(fd_[1]), fd_[1] = -1;
        pollfd p{fd_[0], POLLIN, 0};
        char ch;
        return poll(&p, 1, milisegundos) == 1 && read(fd_[0], &ch, 1) == 1;
    }

  private:
    int fd_[2];
};

// Runs fn in a child process with a store of its own; the child's exit status
// is fn's result, 99 when fn throws.
pid_t en_otro_proceso(const std::function<int()>& fn) {
    pid_t pid = fork();
    if (pid == 0) {
        prueba::vaciar_cache();
        int r = 99;
        try {
            r = fn();
        } catch (const std::exception& e) {
            fprintf(stderr, "child %d: %s\n", static_cast<int>(getpid()), e.what());
        }
        _exit(r);
    }
    return pid;
}

// The exit status of a child; one still running after the time given is
// killed, and one that did not exit by itself gives -1.
int fin_de(pid_t pid, int segundos = 120) {
    int st = 0;
    for (int i = 0; i < segundos * 100; ++i) {
        if (waitpid(pid, &st, WNOHANG) == pid) return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &st, 0);
    return -1;
}

// Two copies of the program add gases to the same file as the gas editor does
// (the count read, a section after it, the count written back), and each also
// writes keys of its own one call at a time. No change of either is lost.
TEST(VariosProcesos, NingunCambioSePierde) {
    Carpeta c;
    const std::string f = c / "data";
    poner(f, "[general]\r\nn= 0\r\n");
    constexpr int kPasos = 150;
    Senal salida;
    auto trabajo = [&](const std::string& quien) {
        return [&, quien] {
            if (!salida.esperar()) return 1;
            for (int i = 1; i <= kPasos; ++i) {
                editar(f, [&](Documento& d) {
                    const int n = std::stoi(d.leervalor("general", "n"));
                    d.escribirvalor("g" + std::to_string(n + 1), "nombre",
                                    quien + std::to_string(i));
                    d.escribirvalor("general", "n", " " + std::to_string(n + 1));
                });
                escribirvalor(f, quien, "k" + std::to_string(i), std::to_string(i));
            }
            return 0;
        };
    };
    const pid_t a = en_otro_proceso(trabajo("a"));
    const pid_t b = en_otro_proceso(trabajo("b"));
    salida.dar(2);
    EXPECT_EQ(fin_de(a), 0);
    EXPECT_EQ(fin_de(b), 0);

    EXPECT_EQ(leervalor(f, "general", "n"), std::to_string(2 * kPasos));
    std::set<std::string> nombres, esperados;
    for (int g = 1; g <= 2 * kPasos; ++g)
        nombres.insert(leervalor(f, "g" + std::to_string(g), "nombre"));
    for (int i = 1; i <= kPasos; ++i) {
        esperados.insert("a" + std::to_string(i));
        esperados.insert("b" + std::to_string(i));
        for (const char* quien : {"a", "b"})
            EXPECT_EQ(leervalor(f, quien, "k" + std::to_string(i)), std::to_string(i))
                << quien << i;
    }
    EXPECT_EQ(nombres, esperados);
    EXPECT_EQ(c.contenido(), kDataYCerrojo);
}

// Another process holds the file in the middle of its rewrite: reads go on,
// and a write that cannot wait longer fails like any write, with nothing
// written; once the other is done, both changes are in the file.
TEST(VariosProcesos, EscritorQueNoAcabaHaceFallarLaEscritura) {
    Carpeta c;
    const std::string f = c / "data";
    poner(f, kDosGases);
    Senal dentro, seguir;
    const pid_t otro = en_otro_proceso([&] {
        editar(f, [&](Documento& d) {
            d.escribirvalor("g1", "nombre", "del otro");
            dentro.dar();
            seguir.esperar();
        });
        return 0;
    });
    ASSERT_TRUE(dentro.esperar());
    {
        Plazo p(std::chrono::milliseconds(300));
        try {
            escribirvalor(f, "g2", "nombre", "nuestro");
            ADD_FAILURE() << "written";
        } catch (const ErrorFichero& e) {
            EXPECT_EQ(e.ruta(), f);
            EXPECT_NE(std::string(e.what()).find("another"), std::string::npos) << e.what();
        }
        EXPECT_EQ(bytes_de(f), kDosGases);
        EXPECT_EQ(leervalor(f, "g2", "nombre"), "b");
        // Nothing to write: no failure.
        EXPECT_NO_THROW(escribirvalor(f, "g2", "nombre", "b"));
    }
    seguir.dar();
    EXPECT_EQ(fin_de(otro), 0);
    escribirvalor(f, "g2", "nombre", "nuestro");
    EXPECT_EQ(leervalor(f, "g1", "nombre"), "del otro");
    EXPECT_EQ(leervalor(f, "g2", "nombre"), "nuestro");
}

// Writers killed (SIGKILL) in the middle of their rewrites: the file is always
// whole, and the next rewrite removes the temporary files they left for it,
// and nothing else.
TEST(VariosProcesos, TemporalesDeEscritoresMatadosSeBorran) {
    Carpeta c;
    const std::string f = c / "data";
    poner(f, kDosGases);
    poner(c / ".idioma.lng.tmp-AbC123", "of another file");
    poner(c / "notas.txt", "not ours");
    auto temporales = [&] {
        int n = 0;
        for (const auto& nombre : c.contenido()) n += nombre.starts_with(".data.tmp-");
        return n;
    };
    std::mt19937 rnd(7);
    // First killed at random moments of a run of rewrites, then each at the
    // moment its temporary file is complete and about to be renamed.
    for (int i = 0; i < 40; ++i) {
        const bool antes_de_renombrar = i >= 20;
        Senal escribiendo;
        const pid_t pid = en_otro_proceso([&] {
            if (antes_de_renombrar) {
                prueba::fallo_escritura([&](int paso) {
                    if (paso == 4) escribiendo.dar(), pause();
                    return false;
                });
            }
            // Before the rename, the hook alone says the temporary file is
            // complete: a first write that changed nothing (the value already
            // on disk) made none.
            for (int k = 0;; ++k) {
                escribirvalor(f, "g1", "pm", std::to_string(k));
                if (k == 0 && !antes_de_renombrar) escribiendo.dar();
            }
            return 0;
        });
        ASSERT_TRUE(escribiendo.esperar());
        if (!antes_de_renombrar) usleep(static_cast<useconds_t>(rnd() % 5000));
        kill(pid, SIGKILL);
        EXPECT_EQ(fin_de(pid), -1);
        EXPECT_EQ(leervalor(f, "g2", "nombre"), "b");
        EXPECT_EQ(leervalor(f, "general", "n"), "2");
    }
    EXPECT_GE(temporales(), 20);
    escribirvalor(f, "g1", "pm", "44");
    EXPECT_EQ(temporales(), 0);
    EXPECT_EQ(c.contenido(), (std::vector<std::string>{".data.lock", ".idioma.lng.tmp-AbC123",
                                                       "data", "notas.txt"}));
    EXPECT_EQ(leervalor(f, "g1", "pm"), "44");
}

// ---------------------------------------------------------------------------
// Randomised: the store against a plain scan of the file's current bytes

std::vector<std::string> partir(const std::string& b) {
    std::vector<std::string> r;
    std::size_t i = 0;
    while (i < b.size()) {
        std::size_t j = b.find_first_of("\r\n", i);
        if (j == std::string::npos) {
            r.push_back(b.substr(i));
            break;
        }
        r.push_back(b.substr(i, j - i));
        i = (b[j] == '\r' && j + 1 < b.size() && b[j + 1] == '\n') ? j + 2 : j + 1;
    }
    return r;
}

std::string bajar(std::string s) {
    for (char& ch : s) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
        if (ch == '\xD1') ch = '\xF1';
    }
    return s;
}

std::string nombre_cabecera(const std::string& l) {
    return l.size() >= 2 ? l.substr(1, l.size() - 2) : std::string();
}

std::string leer_simple(const std::string& bytes, const std::string& sec,
                        const std::string& clave) {
    auto ls = partir(bytes);
    std::size_t i = 0;
    while (i < ls.size() &&
           !(!ls[i].empty() && ls[i][0] == '[' && bajar(nombre_cabecera(ls[i])) == bajar(sec)))
        ++i;
    for (++i; i < ls.size(); ++i) {
        const std::string& l = ls[i];
        if (l.empty()) continue;
        if (l[0] == '[') return "";
        auto eq = l.find('=');
        if (eq == std::string::npos || bajar(l.substr(0, eq)) != bajar(clave)) continue;
        std::string v = l.substr(eq + 1);
        v.erase(0, v.find_first_not_of(' '));
        v.erase(v.find_last_not_of(' ') + 1);
        return v;
    }
    return "";
}

int buscar_simple(const std::string& bytes, const std::string& sec) {
    auto ls = partir(bytes);
    for (std::size_t i = 0; i < ls.size(); ++i)
        if (!ls[i].empty() && ls[i][0] == '[' && bajar(nombre_cabecera(ls[i])) == bajar(sec))
            return static_cast<int>(i) + 1;
    return 0;
}

// A small random file: headers (repeated names, case variants, "[" alone),
// pairs with blanks around their values, lines without "=", empty lines and
// mixed line ends, the last line sometimes without one.
struct Azar {
    std::mt19937 rnd;
    std::vector<std::string> secciones = {"a", "A", "b", "g1", "G1", "\xD1", "\xF1", ""};
    std::vector<std::string> claves = {"k", "K", "k ", "pm", "n", "x"};
    std::vector<std::string> finales = {"\r\n", "\r\n", "\r", "\n"};

    explicit Azar(unsigned semilla) : rnd(semilla) {}
    const std::string& uno(const std::vector<std::string>& v) { return v[rnd() % v.size()]; }
    std::string linea() {
        switch (rnd() % 8) {
            case 0:
                return "";
            case 1:
            case 2:
                return "[" + uno(secciones) + "]";
            case 3:
                return "[";
            case 4:
                return "sin igual";
            default:
                return uno(claves) + "=" + std::string(rnd() % 2, ' ') +
                       std::to_string(rnd() % 100) + std::string(rnd() % 2, ' ');
        }
    }
    std::string fichero() {
        std::string s;
        int n = static_cast<int>(rnd() % 25);
        for (int i = 0; i < n; ++i) s += linea() + uno(finales);
        if (rnd() % 4 == 0) s += linea();
        return s;
    }
};

TEST(Diferencial, AlmacenContraLecturaSimple) {
    Azar azar(20240611);
    auto& rnd = azar.rnd;
    auto uno = [&](const std::vector<std::string>& v) { return azar.uno(v); };
    const auto& secciones = azar.secciones;
    const auto& claves = azar.claves;
    auto fichero = [&] { return azar.fichero(); };
    auto utf8 = [](const std::string& cp) { return desde_cp1252(cp); };

    Carpeta c;
    std::string f = c / "f", g = c / "g";
    for (int ronda = 0; ronda < 40; ++ronda) {
        std::string inicial = fichero();
        poner(f, inicial);
        poner(g, inicial);
        for (int paso = 0; paso < 30; ++paso) {
            SCOPED_TRACE("ronda " + std::to_string(ronda) + " paso " + std::to_string(paso) + "\n" +
                         visible(bytes_de(f)));
            int op = static_cast<int>(rnd() % 10);
            if (op < 5) {
                std::string s = uno(secciones), k = uno(claves);
                std::string esperado = leer_simple(bytes_de(f), s, k);
                EXPECT_EQ(leervalor(f, utf8(s), k), utf8(esperado)) << "[" << s << "] " << k;
                EXPECT_EQ(buscarseccion(f, utf8(s)), buscar_simple(bytes_de(f), s));
            } else if (op == 5) {
                // Behind the store's back, often with the same size.
                std::string b = bytes_de(f);
                if (!b.empty() && rnd() % 2) {
                    std::size_t pos = rnd() % b.size();
                    if (b[pos] >= '0' && b[pos] <= '8') ++b[pos];
                } else {
                    b = fichero();
                }
                poner(f, b);
                poner(g, b);
            } else {
                // The same edits on f one call at a time and on g as one
                // change: the same bytes, and the edit shows in the reads.
                std::string s = uno(secciones), k = uno(claves);
                std::string v = std::string(rnd() % 2, ' ') + std::to_string(rnd() % 1000);
                std::string s2 = uno(secciones);
                int cual = op;
                auto aplicar_f = [&] {
                    if (cual == 6 || cual == 9) escribirvalor(f, utf8(s), k, v);
                    if (cual == 7) borrarseccion(f, utf8(s));
                    if (cual == 8 || cual == 9)
                        cambiarlinea(f, "[" + utf8(s) + "]", "[" + utf8(s2) + "]");
                };
                aplicar_f();
                editar(g, [&](Documento& d) {
                    if (cual == 6 || cual == 9) d.escribirvalor(utf8(s), k, v);
                    if (cual == 7) d.borrarseccion(utf8(s));
                    if (cual == 8 || cual == 9)
                        d.cambiarlinea("[" + utf8(s) + "]", "[" + utf8(s2) + "]");
                });
                EXPECT_EQ(visible(bytes_de(g)), visible(bytes_de(f)));
                if (cual == 6) {
                    std::string t = v.substr(v.find_first_not_of(' '));
                    EXPECT_EQ(leervalor(f, utf8(s), k), t);
                    EXPECT_EQ(leer_simple(bytes_de(f), s, k), t);
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Randomised: several changes in one edit against the same changes made as
// plain passes over the list of the file's lines, one pass per change

// The file as a list of lines; abierta says the last one has no line end.
struct Plano {
    std::vector<std::string> ls;
    bool abierta = false;

    explicit Plano(const std::string& bytes) : ls(partir(bytes)) {
        abierta = !bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n';
    }
    static bool cabecera(const std::string& l) { return !l.empty() && l[0] == '['; }
    static bool es(const std::string& l, const std::string& s) {
        return cabecera(l) && bajar(nombre_cabecera(l)) == bajar(s);
    }
    static bool par_de(const std::string& l, const std::string& k) {
        auto eq = l.find('=');
        return !cabecera(l) && eq != std::string::npos && bajar(l.substr(0, eq)) == bajar(k);
    }
    std::string bytes() const {
        std::string b;
        for (const auto& l : ls) b += l + "\n";
        return b;
    }
    int buscar(const std::string& s) const {
        for (std::size_t i = 0; i < ls.size(); ++i)
            if (es(ls[i], s)) return static_cast<int>(i) + 1;
        return 0;
    }
    int secciones(std::vector<std::string>& lista) const {
        int n = -1;
        for (const auto& l : ls) {
            if (!cabecera(l) || ++n < 1) continue;
            lista.resize(static_cast<std::size_t>(n) + 1);
            lista[static_cast<std::size_t>(n)] = nombre_cabecera(l);
        }
        return n;
    }
    void crear(const std::string& s) {
        if (buscar(s)) return;
        if (abierta)
            abierta = false;
        else
            ls.push_back("");
        ls.push_back("[" + s + "]");
    }
    void escribir(const std::string& s, const std::string& k, const std::string& v) {
        crear(s);
        const std::size_t h = static_cast<std::size_t>(buscar(s) - 1), n = ls.size();
        bool ultima = true, tiene = false;
        for (std::size_t i = h + 1; i < n && ultima; ++i) {
            if (cabecera(ls[i])) ultima = false;
            if (par_de(ls[i], k)) tiene = true;
        }
        if (ultima && !tiene) {
            ls.push_back(k + "=" + v);
            abierta = false;
            return;
        }
        std::vector<std::string> salida;
        bool ultima_escrita = false;
        std::size_t i = 0;
        while (i < n) {
            const std::string& l = ls[i++];
            salida.push_back(l);
            ultima_escrita = false;
            if (!es(l, s)) continue;
            while (i < n) {
                const std::string& m = ls[i++];
                if (m.empty()) continue;
                if (cabecera(m)) {
                    salida.insert(salida.end(), {k + "=" + v, "", m});
                    break;
                }
                salida.push_back(par_de(m, k) ? k + "=" + v : m);
                ultima_escrita = par_de(m, k);
                if (ultima_escrita) break;
            }
        }
        // A last line replaced by the pair now has its line end.
        if (ultima_escrita && i == n) abierta = false;
        ls = std::move(salida);
    }
    bool borrar(const std::string& s) {
        const int h = buscar(s);
        if (!h) return false;
        auto inicio = ls.begin() + (h - 1), fin = inicio + 1;
        while (fin != ls.end() && !cabecera(*fin)) ++fin;
        if (fin == ls.end()) abierta = false;
        ls.erase(inicio, fin);
        return true;
    }
    int cambiar(const std::string& vieja, const std::string& nueva) {
        int ultima = 0;
        for (std::size_t i = 0; i < ls.size(); ++i) {
            if (bajar(ls[i]) != bajar(vieja)) continue;
            ls[i] = nueva;
            ultima = static_cast<int>(i) + 1;
            if (i + 1 == ls.size()) abierta = false;
        }
        return ultima;
    }
};

TEST(Diferencial, VariosCambiosComoPasosSimples) {
    Azar azar(20261210);
    auto& rnd = azar.rnd;
    auto utf8 = [](const std::string& cp) { return desde_cp1252(cp); };
    Carpeta c;
    const std::string f = c / "f";
    for (int ronda = 0; ronda < 300; ++ronda) {
        const std::string inicial = azar.fichero();
        poner(f, inicial);
        Plano p(inicial);
        std::string traza;
        editar(f, [&](Documento& d) {
            const int pasos = 1 + static_cast<int>(rnd() % 8);
            for (int paso = 0; paso < pasos; ++paso) {
                const std::string s = azar.uno(azar.secciones), k = azar.uno(azar.claves);
                const std::string s2 = azar.uno(azar.secciones);
                const std::string v = std::to_string(rnd() % 1000);
                switch (rnd() % 7) {
                    case 0:
                    case 1:
                        traza += "escribir [" + s + "] " + k + "=" + v + "\n";
                        d.escribirvalor(utf8(s), k, v);
                        p.escribir(s, k, v);
                        break;
                    case 2:
                        traza += "crear [" + s + "]\n";
                        d.crearseccion(utf8(s));
                        p.crear(s);
                        break;
                    case 3:
                        traza += "borrar [" + s + "]\n";
                        EXPECT_EQ(d.borrarseccion(utf8(s)), p.borrar(s)) << traza;
                        break;
                    case 4: {
                        // A header renamed, a header turned into a pair and back.
                        const std::string vieja = rnd() % 3 ? "[" + s + "]" : k + "=" + v;
                        const std::string nueva = rnd() % 3 ? "[" + s2 + "]" : k + "=" + v;
                        traza += "cambiar " + vieja + " -> " + nueva + "\n";
                        EXPECT_EQ(d.cambiarlinea(utf8(vieja), utf8(nueva)), p.cambiar(vieja, nueva))
                            << traza;
                        break;
                    }
                    case 5: {
                        if (rnd() % 2) {
                            // The headers written "[s]" renamed, or turned into pairs.
                            const std::string nueva = rnd() % 4 ? "[" + s2 + "]" : k + "=" + v;
                            traza += "cabeceras [" + s + "] -> " + nueva + "\n";
                            d.cambiar_cabeceras(
                                [&](const std::string& l) -> std::optional<std::string> {
                                    if (l == utf8("[" + s + "]")) return utf8(nueva);
                                    return std::nullopt;
                                });
                            for (std::size_t i = 0; i < p.ls.size(); ++i) {
                                if (p.ls[i] != "[" + s + "]") continue;
                                p.ls[i] = nueva;
                                if (i + 1 == p.ls.size()) p.abierta = false;
                            }
                            break;
                        }
                        // Every line again, one header renamed or one line added.
                        std::vector<std::string> ls = d.lineas();
                        const std::size_t i = ls.empty() ? 0 : rnd() % ls.size();
                        if (rnd() % 2 && i < ls.size() && Plano::cabecera(p.ls[i])) {
                            ls[i] = utf8("[" + s2 + "]");
                            p.ls[i] = "[" + s2 + "]";
                        } else {
                            ls.insert(ls.begin() + static_cast<long>(i), utf8(k + "=" + v));
                            p.ls.insert(p.ls.begin() + static_cast<long>(i), k + "=" + v);
                        }
                        traza += "reemplazar\n";
                        d.reemplazar(ls);
                        p.abierta = false;
                        break;
                    }
                    default: {
                        std::vector<std::string> a(1), b(1);
                        EXPECT_EQ(d.leersecciones(a), p.secciones(b)) << traza;
                        for (auto& x : b) x = utf8(x);
                        EXPECT_EQ(a, b) << traza;
                        break;
                    }
                }
                EXPECT_EQ(d.buscarseccion(utf8(s)), p.buscar(s)) << traza;
                EXPECT_EQ(d.leervalor(utf8(s), k), utf8(leer_simple(p.bytes(), s, k))) << traza;
            }
        });
        ASSERT_EQ(visible(p.bytes()), visible(Plano(bytes_de(f)).bytes()))
            << "ronda " << ronda << "\n"
            << visible(inicial) << "\n"
            << traza;
    }
}

}  // namespace
