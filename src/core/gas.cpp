#include "core/gas.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "core/ecuaciones.h"
#include "core/kvstore.h"
#include "core/mensajes.h"
#include "core/numtext.h"

namespace korgas {

punto escala_auto_min, escala_auto_max;
punto escala_min, escala_max;
std::string fichdatos;
bool sistemas_iniciados = false;
int modo_calculo = 0;
std::array<sistema, 6> sistemas{};
int numgases = 0;
int sistema_actual = 0;
int medidor_temperatura = 0;
int medidor_presion = 0;
std::string idioma_actual;
std::string fichidioma;
int numidiomas = 0;
std::vector<std::string> listaidiomas(1);

std::string nombre_ecuacion(int e) {
    const Modelo* m = modelo(e);
    if (!m) return {};
    return m->nombre ? std::string(m->nombre) : texto(m->texto_nombre);
}

double omega_tabla(int numgas) {
    static constexpr double tabla[28] = {
        -0.365, -0.029, 0.001, 0.005,  0.008, -0.216, -0.216, 0.054, 0.039, 0.025,
        0.09,   0.108,  0.229, -0.216, 0.329, 0.133,  0.066,  0.25,  0.344, 0.344,
        0.239,  0.011,  0.177, 0.193,  0.556, 0.644,  0.299,  0.263,
    };
    if (numgas < 1 || numgas > 28) return -1;
    return tabla[numgas - 1];
}

namespace {

// How many of c's slots the equation reads from the file, and how many of
// them are parameters that -1 asks to derive.
int claves_de(int ecuacion) {
    const Modelo* m = modelo(ecuacion);
    return m ? m->claves : 0;
}

int derivables_de(int ecuacion) {
    const Modelo* m = modelo(ecuacion);
    return m ? m->derivables : 0;
}

void anular_derivables(int ecuacion, std::array<double, 4>& c) {
    for (int i = 0; i < derivables_de(ecuacion); ++i) {
        if (c[i] == -1) c[i] = 0;
    }
}

bool positivo(double x) {
    return std::isfinite(x) && x > 0;
}

}  // namespace

bool derivar_parametros(int ecuacion, double tc, double pc, double temperatura, double mu,
                        double omega, std::array<double, 4>& c) {
    const int n = derivables_de(ecuacion);
    bool pedido = false;
    for (int i = 0; i < n; ++i) pedido = pedido || c[i] == -1;
    if (!pedido) return true;

    if (!positivo(tc) || !positivo(pc) ||
        (ecuacion == kGeneralizada && !(std::isfinite(mu) && mu > 1))) {
        anular_derivables(ecuacion, c);
        return false;
    }

    const Modelo* m = modelo(ecuacion);
    if (!m) return true;
    std::array<double, 4> v{};  // the derived values of slots 0..n-1
    m->derivar(tc, pc, temperatura, mu, omega, v);

    // A value that overflows is kept as it came out, so that it shows as no
    // number while the others show theirs.
    bool finitos = true;
    for (int i = 0; i < n; ++i) {
        if (c[i] != -1) continue;
        c[i] = v[i];
        finitos = finitos && std::isfinite(v[i]);
    }
    return finitos;
}

bool parametros_finitos(int ecuacion, const std::array<double, 4>& c) {
    for (int j = 0; j < claves_de(ecuacion); ++j) {
        if (!std::isfinite(c[std::size_t(j)])) return false;
    }
    return true;
}

namespace {

// The parameters of gas as read from the file, with -1 for each one to
// derive: the temperature 0 becomes 1e-5, mu -1 the file's exponent, the
// acentric factor -1 of 7 and 8 the table's, and the -1 slots are derived.
Carga derivar_cargados(int ecuacion, int numgas, double& temperatura, double& mu, datosgas& gas) {
    if (temperatura == 0) temperatura = 1e-5;
    const bool criticos = positivo(gas.tc) && positivo(gas.pc);
    if (ecuacion == kGeneralizada && mu == -1) mu = gas.c[2];
    double omega = 0;
    if (ecuacion == kSoave || ecuacion == kPengRobinson) {
        omega = gas.c[2];
        if (omega == -1 && numgas >= 1 && numgas <= 28) omega = omega_tabla(numgas);
        gas.c[2] = omega;
    }

    if (!criticos || (ecuacion == kGeneralizada && !(std::isfinite(mu) && mu > 1))) {
        anular_derivables(ecuacion, gas.c);
        return Carga::invalido;
    }
    const bool derivados =
        derivar_parametros(ecuacion, gas.tc, gas.pc, temperatura, mu, omega, gas.c);
    // A parameter that is not finite, as the file gives it (1e999) or as it is
    // derived, makes the gas unusable with this equation; the record keeps
    // it, so that it shows as no number.
    return derivados && parametros_finitos(ecuacion, gas.c) ? Carga::ok : Carga::invalido;
}

}  // namespace

Carga leergas(int modo, int ecuacion, int numgas, double& temperatura, double& mu,
              bool personalizado, datosgas& gas) {
    return leergas(leer(fichdatos).seccion("g" + std::to_string(numgas)), modo, ecuacion, numgas,
                   temperatura, mu, personalizado, gas);
}

std::vector<VistaSeccion> secciones_de_gases(int n) {
    return leer(fichdatos).numeradas("g", n);
}

std::vector<std::string> nombres_de_gases(int desde, int hasta, bool numerar_ausentes) {
    const std::vector<VistaSeccion> secciones = secciones_de_gases(hasta);
    std::vector<std::string> r;
    for (int k = std::max(desde, 1); k <= hasta; ++k) {
        const VistaSeccion& v = secciones[std::size_t(k)];
        if (!v.existe() && numerar_ausentes)
            r.push_back("G" + std::to_string(k));
        else
            r.push_back(v.leervalor("nombre"));
    }
    return r;
}

Carga leergas(const VistaSeccion& datos, int modo, int ecuacion, int numgas, double& temperatura,
              double& mu, bool personalizado, datosgas& gas) {
    const bool leer_parametros = modo == -1 || (modo == 0 && !personalizado);
    const int claves = claves_de(ecuacion);

    auto valor = [&](const char* clave) { return datos.leervalor(clave); };
    gas.nombre = valor("nombre");
    gas.pm = leer_numero(valor("pm"));
    gas.tc = leer_numero(valor("tc"));
    gas.pc = leer_numero(valor("pc"));
    gas.vc = leer_numero(valor("vc"));
    gas.teb = leer_numero(valor("teb"));
    gas.hv = leer_numero(valor("hv"));
    const bool existe = datos.existe();

    if (gas.vc != -1 && positivo(gas.tc)) {
        gas.zc = gas.pc * gas.vc / (gas.tc * R);
        if (!std::isfinite(gas.zc)) gas.zc = -1;
    } else {
        gas.zc = -1;
    }

    if (!existe) {
        if (ecuacion == kIdeal) {
            gas.c = {0, 0, 0, 0};
            gas.derivados = 0;
        } else if (leer_parametros) {
            for (int i = 0; i < claves; ++i) gas.c[i] = 0;
            gas.derivados = 0;
        }
        return Carga::sin_seccion;
    }

    const bool criticos = positivo(gas.tc) && positivo(gas.pc);
    // The generalised equation divides by mu - 1: an exponent not above 1
    // makes the gas unusable with it, whatever its parameters.
    const bool exponente_malo =
        ecuacion == kGeneralizada && !leer_parametros && !(std::isfinite(mu) && mu > 1);
    const Carga sin_parametros = criticos && !exponente_malo ? Carga::ok : Carga::invalido;
    if (ecuacion == kIdeal) {
        gas.c = {0, 0, 0, 0};
        gas.derivados = 0;
        return sin_parametros;
    }
    if (claves == 0 || !leer_parametros) return sin_parametros;

    for (int j = 0; j < claves; ++j)
        gas.c[j] = leer_numero(datos.leervalor(clave_parametro(ecuacion, j + 1)));
    gas.derivados = 0;
    for (int j = 0; j < derivables_de(ecuacion); ++j) {
        if (gas.c[j] == -1) gas.derivados |= 1u << j;
    }
    return derivar_cargados(ecuacion, numgas, temperatura, mu, gas);
}

Carga parametros_a_temperatura(sistema& s) {
    datosgas& gas = s.gas;
    if (s.ecuacion == kIdeal) {
        gas.c = {0, 0, 0, 0};
        gas.derivados = 0;
    }
    const bool criticos = positivo(gas.tc) && positivo(gas.pc);
    if (s.ecuacion == kIdeal || claves_de(s.ecuacion) == 0 || s.personalizado) {
        const bool exponente_malo =
            s.ecuacion == kGeneralizada && !(std::isfinite(s.mu) && s.mu > 1);
        return criticos && !exponente_malo ? Carga::ok : Carga::invalido;
    }
    for (int j = 0; j < derivables_de(s.ecuacion); ++j) {
        if (gas.derivados & (1u << j)) gas.c[j] = -1;
    }
    return derivar_cargados(s.ecuacion, s.numgas, s.temperatura, s.mu, gas);
}

Carga leergas(int modo, sistema& s) {
    return leergas(modo, s.ecuacion, s.numgas, s.temperatura, s.mu, s.personalizado, s.gas);
}

// ---------------------------------------------------------------------------
// The gas editor's changes to the gas data file

namespace {

// The same number, a NaN being the same as a NaN: a value that came from a
// text reads the same when the text is read again.
bool mismo_numero(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

std::string seccion_gas(int k) {
    return "G" + std::to_string(k);
}

// Gas k is a user gas within the count and its section still carries the
// name it was chosen by.
bool gas_propio_presente(const Documento& datos, int k, const std::string& nombre) {
    const std::optional<int> n = numero_de_gases(datos);
    if (!n || k < kPrimerGasPropio || k > *n) return false;
    const std::string s = "g" + std::to_string(k);
    if (datos.buscarseccion(s) == 0) return false;
    return datos.leervalor(s, "nombre") == nombre;
}

// "[" name "]" of a header line whose name is "g" m (any case) with m a whole
// number written without leading zeros; 0 for any other line.
int gas_de_cabecera(const std::string& linea) {
    if (linea.size() < 4 || linea.front() != '[') return 0;
    const std::string_view nombre(linea.data() + 1, linea.size() - 2);
    if (nombre[0] != 'g' && nombre[0] != 'G') return 0;
    const std::string_view cifras = nombre.substr(1);
    if (cifras.empty() || cifras[0] == '0') return 0;
    int m = 0;
    const auto [fin, error] = std::from_chars(cifras.data(), cifras.data() + cifras.size(), m);
    if (error != std::errc() || fin != cifras.data() + cifras.size()) return 0;
    return m;
}

}  // namespace

std::optional<int> numero_de_gases(const Documento& datos) {
    const std::string valor = datos.leervalor("general", "n");
    int n = -1;
    const char* fin = valor.data() + valor.size();
    const auto [resto, error] = std::from_chars(valor.data(), fin, n);
    if (valor.empty() || error != std::errc() || resto != fin || n < 0 || n > kMaximoGases)
        return std::nullopt;
    return n;
}

std::string clave_parametro(int e, int j) {
    return "c(" + std::to_string(e) + "," + std::to_string(j) + ")";
}

TablaParametros leer_tabla(const Documento& datos, int k) {
    TablaParametros t{};
    const VistaSeccion s = datos.seccion(seccion_gas(k));
    for (int e = 0; e < kNumEcuaciones; ++e) {
        auto& fila = t[std::size_t(e)];
        for (int j = 1; j <= 4; ++j) {
            fila[std::size_t(j)] = leer_numero(s.leervalor(clave_parametro(e, j)));
            if (fila[std::size_t(j)] == -1) fila[0] = 1;
        }
    }
    return t;
}

void escribir_gas(Documento& datos, int k, const datosgas& gas, const TablaParametros& c) {
    // The name first: a name the file cannot hold throws before anything
    // else of the section is written, and the copy is dropped.
    Documento nuevo = datos;
    const std::string s = seccion_gas(k);
    if (nuevo.leervalor(s, "nombre") != gas.nombre) nuevo.escribirvalor(s, "nombre", gas.nombre);
    // A key whose text already reads as the value keeps its line as the file
    // wrote it (" 44.010", "1e999"); only a changed value is written anew.
    const auto numero = [&](const std::string& clave, double valor) {
        const std::string actual = nuevo.leervalor(s, clave);
        if (!actual.empty() && mismo_numero(leer_numero(actual), valor)) return;
        if (!std::isfinite(valor))
            throw ErrorTexto("the value of " + clave + " is not a finite number");
        nuevo.escribirvalor(s, clave, texto_fichero(valor));
    };
    const std::pair<const char*, double> criticos[] = {{"pm", gas.pm},   {"tc", gas.tc},
                                                       {"pc", gas.pc},   {"vc", gas.vc},
                                                       {"teb", gas.teb}, {"hv", gas.hv}};
    for (const auto& [clave, valor] : criticos) numero(clave, valor);
    for (int e = 1; e < kNumEcuaciones; ++e)
        for (int j = 1; j <= claves_de(e); ++j)
            numero(clave_parametro(e, j), c[std::size_t(e)][std::size_t(j)]);
    datos = std::move(nuevo);
}

int anadir_gas(Documento& datos, const datosgas& gas, const TablaParametros& c) {
    const std::optional<int> n = numero_de_gases(datos);
    if (!n || *n < kPrimerGasPropio - 1 || *n >= kMaximoGases) return 0;
    const int k = *n + 1;
    if (datos.buscarseccion("g" + std::to_string(k)) != 0) return 0;
    Documento nuevo = datos;
    escribir_gas(nuevo, k, gas, c);
    nuevo.escribirvalor("General", "n", texto_fichero(k));
    datos = std::move(nuevo);
    return k;
}

bool modificar_gas(Documento& datos, int k, const std::string& nombre, const datosgas& gas,
                   const TablaParametros& c) {
    if (!gas_propio_presente(datos, k, nombre)) return false;
    Documento nuevo = datos;
    escribir_gas(nuevo, k, gas, c);
    nuevo.escribirvalor("General", "n", texto_fichero(*numero_de_gases(datos)));
    datos = std::move(nuevo);
    return true;
}

int borrar_gas(Documento& datos, int k, const std::string& nombre) {
    if (!gas_propio_presente(datos, k, nombre)) return -1;
    const int n = *numero_de_gases(datos);
    Documento nuevo = datos;
    nuevo.borrarseccion(seccion_gas(k));
    // The later gases move down in one pass over the headers.
    nuevo.cambiar_cabeceras([&](const std::string& l) -> std::optional<std::string> {
        const int m = gas_de_cabecera(l);
        if (m > k && m <= n) return "[" + seccion_gas(m - 1) + "]";
        return std::nullopt;
    });
    nuevo.escribirvalor("General", "n", texto_fichero(n - 1));
    datos = std::move(nuevo);
    return n - 1;
}

bool renumerar_sistemas(int borrado) {
    bool caido = false;
    for (std::size_t i = 0; i < sistemas.size(); ++i) {
        sistema& s = sistemas[i];
        if (s.numgas == borrado) {
            s.numgas = 1;
            s.personalizado = false;
            caido = caido || i > 0;
        } else {
            s.numgas = numero_tras_borrado(s.numgas, borrado);
        }
    }
    return caido;
}

}  // namespace korgas
