// Gas records, gas systems and the program-wide state, and leergas, which
// fills a gas record from the gas data file with the parameters of the chosen
// equation of state, read from the file or derived from the critical data.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korgas {

class Documento;
class VistaSeccion;

// Gas constant in l·atm/(mol·K), the same everywhere.
inline constexpr double R = 0.08206;

// Equations of state, in the order of every equation list.
enum Ecuacion : int {
    kIdeal = 0,
    kVanDerWaals = 1,
    kBerthelot = 2,
    kDieterici = 3,
    kRedlichKwong = 4,
    kVirial = 5,
    kGeneralizada = 6,
    kSoave = 7,
    kPengRobinson = 8,
    kDietericiSadus = 9,
};
inline constexpr int kNumEcuaciones = 10;

// The list entry of equation e: language text 85 and 86 for 0 and 6, the
// fixed names for the others.
std::string nombre_ecuacion(int e);

struct punto {
    double v = 0;  // volume, l
    double p = 0;  // pressure, atm
};

struct datosgas {
    std::string nombre;
    // Parameters of the chosen equation: a, b (and the exponent for 6, the
    // acentric factor for 7 and 8 in c[2]); A, B, C, D for the virial one.
    std::array<double, 4> c{};
    double pm = 0;   // molar mass, g/mol
    double tc = 0;   // critical temperature, K
    double vc = 0;   // critical molar volume, l/mol; -1 not given
    double pc = 0;   // critical pressure, atm
    double zc = 0;   // pc·vc/(R·tc); -1 when vc is not given
    double teb = 0;  // normal boiling point, K; -1 not given
    double hv = 0;   // enthalpy of vaporisation, kcal/mol; -1 not given
    // Bit j set: c[j] was derived from the critical data (the file gives -1),
    // so that it can be derived again at another temperature.
    unsigned derivados = 0;
};

struct sistema {
    bool activo = false;
    int numgas = 0;  // section "g" + numgas of the gas data file
    datosgas gas;
    int ecuacion = 0;
    double temperatura = 0;   // K
    punto minimo;             // left end of the curve's volume range, lowest P
    punto maximo;             // right end of the curve's volume range, highest P
    std::uint32_t color = 0;  // RGB as 0x00BBGGRR
    double moles = 0;
    double gramos = 0;
    bool personalizado = false;  // c holds the user's own parameters
    double mu = 0;               // exponent of equation 6; -1: take the file's
};

// Program-wide state.
extern punto escala_auto_min, escala_auto_max;
extern punto escala_min, escala_max;
extern std::string fichdatos;
extern bool sistemas_iniciados;
extern int modo_calculo;  // 0 general, 1 P, 2 V, 3 T
// 1..5: the data window's rows and the graph's curves. No window computes on
// element 0: the computing windows and the gas editor keep records of their
// own and hand them to the routines that compute on them.
extern std::array<sistema, 6> sistemas;
extern int numgases;
extern int sistema_actual;
extern int medidor_temperatura;  // 0 thermometer, 1 thermocouple
extern int medidor_presion;      // 0 barometer, 1 manometer
extern std::string idioma_actual;
extern std::string fichidioma;
extern int numidiomas;
extern std::vector<std::string> listaidiomas;  // 1..numidiomas, element 0 unused

// What a load found.
enum class Carga {
    ok,
    sin_seccion,  // the gas number has no section in the file: nothing derived
    invalido,     // tc or pc not above 0 (or a bad exponent): nothing derived
};

// Mode 0 is a normal load (own parameters kept), -1 a forced load.
// temperatura: 0 becomes 1e-5 when parameters are read; mu: -1 becomes the
// file's c(6,3). Reads fichdatos. For 7 and 8, c[2] gets the acentric factor
// used: the table's for gases 1..28 when the file gives -1.
// sin_seccion: the record gets an empty name, zero data, zc -1 and, when
// parameters would be read, zero parameters; temperatura and mu are left alone.
// invalido (any equation, 0 too, when tc or pc is not above 0 or not finite):
// what the file holds is loaded, zc is -1 when tc is not above 0, and
// every parameter the file asks to derive (-1) is 0. Also returned for
// equation 6 when the exponent is not above 1 or not finite, and when a
// parameter of the equation is not finite: read so from the file (a text
// that overflows a double, 1e999) or derived so (a of equation 6 with a large
// exponent); the record then holds the parameters as read and derived, that
// one not finite.
// Throws ErrorFichero when the file exists but cannot be read.
Carga leergas(int modo, int ecuacion, int numgas, double& temperatura, double& mu,
              bool personalizado, datosgas& gas);
// The same from the gas's section (secciones_de_gases): a loop over every
// gas reads the file once, sees one state of it, and finds the sections in
// one pass.
Carga leergas(const VistaSeccion& seccion, int modo, int ecuacion, int numgas,
              double& temperatura, double& mu, bool personalizado, datosgas& gas);

// The sections of gases 1..n in one snapshot of the gas data file, element k
// for gas k. Throws ErrorFichero as leergas does.
std::vector<VistaSeccion> secciones_de_gases(int n);

// The names of gases desde..hasta (1 <= desde), in order, from one snapshot
// of the gas data file, as leergas reads them; a gas without a section gives
// "" or, with numerar_ausentes, "G" and its number. Throws ErrorFichero as
// leergas does.
std::vector<std::string> nombres_de_gases(int desde, int hasta, bool numerar_ausentes);

// Loads the gas of a system record with its own fields.
Carga leergas(int modo, sistema& s);

// The parameters of s at its own temperature, as a normal load (mode 0) of
// its gas at that temperature gives them, from the record alone: the ones
// derived from the critical data (gas.derivados) are derived again, which
// changes a(T) of 7 and 8 and B of the virial equation; the others, and own
// parameters, stay. Like the load, a temperatura of 0 becomes 1e-5 when
// parameters are derived. Returns what that load returns for a gas the file
// holds: invalido when tc or pc is not above 0 or not finite, the exponent of
// 6 not above 1, or a parameter not finite.
Carga parametros_a_temperatura(sistema& s);

// Built-in acentric factor of gases 1..28; -1 for any other number.
double omega_tabla(int numgas);

// Derivation of the parameters from critical data (used by leergas and the gas
// editor's automatic parameters). ecuacion 1..9; temperatura for B of the
// virial equation and a(T) of 7 and 8; mu for equation 6; omega for 7 and 8.
// Fills only the slots whose value is exactly -1 in c (c[0], c[1]; for the
// virial equation c[0..3]; the exponent and the acentric factor are never
// touched). Returns false, with those slots set to 0, when tc or pc is not
// above 0 or the exponent of 6 is not above 1; and false, with every slot
// filled and the one that overflows not finite, when a derived value is not
// finite.
bool derivar_parametros(int ecuacion, double tc, double pc, double temperatura, double mu,
                        double omega, std::array<double, 4>& c);

// Whether every parameter equation ecuacion reads from c (a, b; the exponent
// and the acentric factors of 6, 7 and 8; A..D of the virial one) is finite.
bool parametros_finitos(int ecuacion, const std::array<double, 4>& c);

// The gas data file as the gas editor changes it. Gases 1..28 are the built-in
// set; the editor adds, rewrites and deletes only the user's gases, numbered
// from 29 up to the count (key n of section general), at most 32767.
inline constexpr int kPrimerGasPropio = 29;
inline constexpr int kMaximoGases = 32767;

// The parameters of every equation as the editor keeps them: row e holds the
// automatic flag (1: derived from the critical data, written as -1) in [0]
// and the values of keys c(e,1)..c(e,4) in [1..4]. c(6,3) is the exponent of
// equation 6; c(7,3) and c(8,3) the acentric factors of 7 and 8.
using TablaParametros = std::array<std::array<double, 5>, kNumEcuaciones>;

// The count of the file: key n of section general, a whole number 0..32767
// written as digits alone; nothing for anything else.
std::optional<int> numero_de_gases(const Documento& datos);

// The key of parameter j (1..4) of equation e in a gas section: "c(e,j)".
std::string clave_parametro(int e, int j);

// The parameter table of gas k as the file holds it: keys c(e,1)..c(e,4) of
// every equation (0 for a key not there), a row automatic when any of its
// values is -1.
TablaParametros leer_tabla(const Documento& datos, int k);

// Writes gas k into section "G" k: nombre, pm, tc, pc, vc, teb, hv, then the
// parameter keys of equations 1 to 9 from the table, each value as the file
// writes numbers (texto_fichero); keys of the section that this list does not
// name stay, and so does every line whose text already reads as the value to
// write, character for character. Throws ErrorTexto, with the document as it
// was, when the name cannot be stored (a line end, or a character
// Windows-1252 cannot hold), or when a value that is not finite would have to
// be written: the file never holds a display text.
void escribir_gas(Documento& datos, int k, const datosgas& gas, const TablaParametros& c);

// Adds the gas as gas n + 1 (n the document's count) and writes the new count;
// returns the new number. 0, with the document untouched, when the document
// has no valid count, fewer than 28 gases (the new gas would be numbered among
// the built-in ones), already a section for gas n + 1, or 32767 gases.
int anadir_gas(Documento& datos, const datosgas& gas, const TablaParametros& c);

// Rewrites user gas k, which must be within the count and still carry the name
// it was chosen by (nombre); false, with the document untouched, otherwise.
bool modificar_gas(Documento& datos, int k, const std::string& nombre, const datosgas& gas,
                   const TablaParametros& c);

// Deletes user gas k (within the count, still named nombre) and moves the
// gases after it one number down: the header of each gas m of k+1..n becomes
// "[G" m-1 "]", every other line stays byte for byte; then the count n - 1 is
// written. Returns the new count, or -1 with the document untouched when the
// gas is not there.
int borrar_gas(Documento& datos, int k, const std::string& nombre);

// After gas borrado was deleted, every system record (sistemas 0..5) follows
// its gas; a record on the deleted gas goes to gas 1 without own parameters.
// Returns true when one of the five systems (1..5) was on the deleted gas;
// record 0 is no window's, and the computing windows, whose records are
// their own, tell their users themselves.
bool renumerar_sistemas(int borrado);

// The number of gas numgas after gas borrado was deleted from the gas data
// file (the later gases move down by one); 0 when numgas was the deleted gas.
constexpr int numero_tras_borrado(int numgas, int borrado) {
    return numgas == borrado ? 0 : numgas > borrado ? numgas - 1 : numgas;
}

}  // namespace korgas
