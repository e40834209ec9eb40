// The sectioned key=value store: parsing, the line-level operations, the cache
// of parsed files and the rewrite that never damages a file.
//
// A file is kept as its raw bytes split into lines; every line keeps its own
// bytes and its own line end, so a rewrite copies the text of the lines it does
// not touch byte for byte. Readers accept CR LF, a lone CR and a lone LF; a
// rewrite ends every line it writes, touched or not, with CR LF.
#include "core/kvstore.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>

#include "core/kvstore_cp1252.h"

namespace korgas {

ErrorFichero::ErrorFichero(const std::string& ruta, Causa causa, const std::string& en_ingles,
                           int sistema)
    : std::runtime_error(ruta + ": " + en_ingles), ruta_(ruta), causa_(causa), sistema_(sistema) {}

using Causa = ErrorFichero::Causa;

namespace kv {

enum class Fin : unsigned char { ninguno, crlf, cr, lf };
enum class Tipo : unsigned char { vacia, cabecera, par, sin_igual };

struct Linea {
    std::string texto;  // the line's bytes without its line end
    Fin fin = Fin::crlf;
    Tipo tipo = Tipo::vacia;
    std::string nombre;      // lower-cased section name (header) or key (pair)
    std::uint32_t vini = 0;  // the value trimmed of spaces, within texto (pair)
    std::uint32_t vlen = 0;
};

Linea analizar(std::string texto, Fin fin) {
    Linea l;
    l.fin = fin;
    if (texto.empty()) {
        l.tipo = Tipo::vacia;
    } else if (texto[0] == '[') {
        // The name is the line without its first and its last character; "["
        // alone names the empty section.
        l.tipo = Tipo::cabecera;
        if (texto.size() >= 2) l.nombre.assign(texto, 1, texto.size() - 2);
        cp1252::a_minusculas(l.nombre);
    } else {
        auto igual = texto.find('=');
        if (igual == std::string::npos) {
            l.tipo = Tipo::sin_igual;
        } else {
            l.tipo = Tipo::par;
            l.nombre.assign(texto, 0, igual);
            cp1252::a_minusculas(l.nombre);
            std::size_t a = igual + 1, b = texto.size();
            while (a < b && texto[a] == ' ') ++a;
            while (b > a && texto[b - 1] == ' ') --b;
            l.vini = static_cast<std::uint32_t>(a);
            l.vlen = static_cast<std::uint32_t>(b - a);
        }
    }
    l.texto = std::move(texto);
    return l;
}

const char* texto_fin(Fin f) {
    switch (f) {
        case Fin::crlf:
            return "\r\n";
        case Fin::cr:
            return "\r";
        case Fin::lf:
            return "\n";
        case Fin::ninguno:
            break;
    }
    return "";
}

}  // namespace kv

using kv::Fin;
using kv::Linea;
using kv::Tipo;

// The lines that follow a section header up to the next header, or that come
// before the first header. Copies of a document share them until one of the
// copies changes them, so a change to one section copies that section's
// lines alone and leaves the thousands of others where they are.
struct Cuerpo {
    std::vector<Linea> lineas;

    // The keys of the section as (key, line of its first pair), sorted by key,
    // built on first use. A flat vector per section keeps a gas's few keys
    // together in memory.
    mutable bool con_claves = false;
    mutable std::vector<std::pair<std::string, int>> claves;
    // Per line, whether it is the first pair of its key; built with claves.
    mutable std::vector<char> primeras;

    // Called before the lines change.
    void cambia() {
        con_claves = false;
        claves.clear();
        primeras.clear();
    }

    // Line of the first pair of key k (lower-cased), or -1. pista: the line
    // the caller expects it on (the line after the key it read last, as the
    // keys of a gas come one after another), tried before the index.
    int clave(const std::string& k, int pista = -1) const {
        auto& m = claves;
        if (!con_claves) {
            for (int i = 0; i < static_cast<int>(lineas.size()); ++i)
                if (lineas[i].tipo == Tipo::par) m.emplace_back(lineas[i].nombre, i);
            // By key and then by line: the first pair of a key leads its equals.
            std::sort(m.begin(), m.end());
            m.erase(std::unique(m.begin(), m.end(),
                                [](const auto& x, const auto& y) { return x.first == y.first; }),
                    m.end());
            primeras.assign(lineas.size(), 0);
            for (const auto& [clave, linea] : m) primeras[static_cast<std::size_t>(linea)] = 1;
            con_claves = true;
        }
        if (pista >= 0 && pista < static_cast<int>(lineas.size()) &&
            primeras[static_cast<std::size_t>(pista)] &&
            lineas[static_cast<std::size_t>(pista)].nombre == k)
            return pista;
        auto it =
            std::lower_bound(m.begin(), m.end(), k,
                             [](const auto& par, const std::string& x) { return par.first < x; });
        return it != m.end() && it->first == k ? it->second : -1;
    }
};

struct Seccion {
    Linea cabecera;
    std::shared_ptr<Cuerpo> cuerpo = std::make_shared<Cuerpo>();
};

// Where a line stands: section s (-1 for the lines before the first header)
// and line j of its body (-1 for the header itself).
struct Sitio {
    int s, j;
};

struct Documento::Datos {
    std::string prefijo;  // a UTF-8 byte-order mark the file began with, kept
    std::shared_ptr<Cuerpo> inicio = std::make_shared<Cuerpo>();  // before the first header
    std::vector<Seccion> secciones;

    // Per lower-cased section name, the sections of that name in file order.
    // Built on first use; a new section at the end keeps it up to date, any
    // other change of the headers drops it.
    struct Nombre {
        int primero;
        std::vector<int> otros;  // the further sections of the same name
    };
    mutable bool con_indice = false;
    mutable std::unordered_map<std::string, Nombre> nombres;
    // The 0-based line number of each section's header; built on first use,
    // dropped by any change that adds or removes lines.
    mutable bool con_lineas = false;
    mutable std::vector<int> lineas_de;

    int cuantas() const { return static_cast<int>(secciones.size()); }

    void indexar() const {
        if (con_indice) return;
        nombres.clear();
        nombres.reserve(secciones.size());
        for (int s = 0; s < cuantas(); ++s) anotar(s);
        con_indice = true;
    }

    void anotar(int s) const {
        auto [it, nuevo] = nombres.try_emplace(secciones[s].cabecera.nombre, Nombre{s, {}});
        if (!nuevo) it->second.otros.push_back(s);
    }

    // The first section of that (lower-cased) name, or -1.
    int primera(const std::string& nombre) const {
        indexar();
        auto it = nombres.find(nombre);
        return it == nombres.end() ? -1 : it->second.primero;
    }

    // Every section of that name, in file order.
    std::vector<int> todas(const std::string& nombre) const {
        indexar();
        std::vector<int> r;
        auto it = nombres.find(nombre);
        if (it == nombres.end()) return r;
        r.push_back(it->second.primero);
        r.insert(r.end(), it->second.otros.begin(), it->second.otros.end());
        return r;
    }

    int linea_de(int s) const {
        if (!con_lineas) {
            lineas_de.resize(secciones.size());
            int n = static_cast<int>(inicio->lineas.size());
            for (std::size_t i = 0; i < secciones.size(); ++i) {
                lineas_de[i] = n;
                n += 1 + static_cast<int>(secciones[i].cuerpo->lineas.size());
            }
            con_lineas = true;
        }
        return lineas_de[static_cast<std::size_t>(s)];
    }

    const Cuerpo& cuerpo(int s) const {
        return s < 0 ? *inicio : *secciones[static_cast<std::size_t>(s)].cuerpo;
    }

    // The body of section s ready to be changed: copied first when another
    // document shares it. The caller may change its lines but not make any of
    // them a header.
    Cuerpo& cambiar(int s) {
        auto& c = s < 0 ? inicio : secciones[static_cast<std::size_t>(s)].cuerpo;
        if (c.use_count() > 1) c = std::make_shared<Cuerpo>(*c);
        c->cambia();
        con_lineas = false;
        return *c;
    }

    // The line at that place, to be changed (not into or out of a header).
    Linea& linea(Sitio p) {
        if (p.j < 0) return secciones[static_cast<std::size_t>(p.s)].cabecera;
        return cambiar(p.s).lineas[static_cast<std::size_t>(p.j)];
    }

    // Calls f(place, line) for every line in file order.
    template <class F>
    void cada_linea(F&& f) const {
        for (int j = 0; j < static_cast<int>(inicio->lineas.size()); ++j)
            f(Sitio{-1, j}, inicio->lineas[static_cast<std::size_t>(j)]);
        for (int s = 0; s < cuantas(); ++s) {
            const Seccion& sec = secciones[static_cast<std::size_t>(s)];
            f(Sitio{s, -1}, sec.cabecera);
            for (int j = 0; j < static_cast<int>(sec.cuerpo->lineas.size()); ++j)
                f(Sitio{s, j}, sec.cuerpo->lineas[static_cast<std::size_t>(j)]);
        }
    }

    // The last line of the file, to be changed, or nullptr when it has none.
    Linea* ultima_linea() {
        const int s = cuantas() - 1;
        if (!cuerpo(s).lineas.empty()) return &cambiar(s).lineas.back();
        return s < 0 ? nullptr : &secciones.back().cabecera;
    }

    void anadir_seccion(Linea cabecera) {
        secciones.push_back(Seccion{std::move(cabecera)});
        con_lineas = false;
        if (con_indice) anotar(cuantas() - 1);
    }

    void cabeceras_cambiadas() {
        con_indice = false;
        nombres.clear();
        con_lineas = false;
    }

    // Adds a line at the end of the file.
    void poner(Linea l) {
        if (l.tipo == Tipo::cabecera) {
            secciones.push_back(Seccion{std::move(l)});
        } else {
            (secciones.empty() ? inicio : secciones.back().cuerpo)->lineas.push_back(std::move(l));
        }
    }

    // The lines of the whole file in order.
    std::vector<Linea> planas() const {
        std::vector<Linea> r;
        cada_linea([&](Sitio, const Linea& l) { r.push_back(l); });
        return r;
    }

    // The sections divided anew from the lines of the whole file.
    void reconstruir(std::vector<Linea>&& lineas) {
        inicio = std::make_shared<Cuerpo>();
        secciones.clear();
        for (auto& l : lineas) poner(std::move(l));
        cabeceras_cambiadas();
    }

    std::string bytes() const {
        std::size_t n = prefijo.size();
        cada_linea([&](Sitio, const Linea& l) { n += l.texto.size() + 2; });
        std::string s;
        s.reserve(n);
        s += prefijo;
        cada_linea([&](Sitio, const Linea& l) {
            s += l.texto;
            s += kv::texto_fin(l.fin);
        });
        return s;
    }

    // Whether bytes() would give exactly these bytes (without building them).
    bool igual(std::string_view otros) const {
        if (!otros.starts_with(prefijo)) return false;
        otros.remove_prefix(prefijo.size());
        bool si = true;
        cada_linea([&](Sitio, const Linea& l) {
            if (!si) return;
            const std::string_view fin = kv::texto_fin(l.fin);
            si = otros.size() >= l.texto.size() + fin.size() && otros.starts_with(l.texto) &&
                 otros.substr(l.texto.size()).starts_with(fin);
            if (si) otros.remove_prefix(l.texto.size() + fin.size());
        });
        return si && otros.empty();
    }

    static std::shared_ptr<Datos> desde_bytes(std::string_view b) {
        auto d = std::make_shared<Datos>();
        std::size_t i = 0;
        if (b.substr(0, 3) == "\xEF\xBB\xBF") {
            d->prefijo.assign(b.substr(0, 3));
            i = 3;
        }
        while (i < b.size()) {
            std::size_t j = b.find_first_of("\r\n", i);
            if (j == std::string_view::npos) {
                d->poner(kv::analizar(std::string(b.substr(i)), Fin::ninguno));
                break;
            }
            Fin f;
            std::size_t sig;
            if (b[j] == '\r' && j + 1 < b.size() && b[j + 1] == '\n') {
                f = Fin::crlf, sig = j + 2;
            } else {
                f = b[j] == '\r' ? Fin::cr : Fin::lf;
                sig = j + 1;
            }
            d->poner(kv::analizar(std::string(b.substr(i, j - i)), f));
            i = sig;
        }
        return d;
    }
};

namespace {

// A lookup text in the file's code page and lower case; false when the code
// page cannot hold it (it then matches nothing).
bool clave_busqueda(const std::string& utf8, std::string& out) {
    out.clear();
    if (!cp1252::codificar(utf8, out)) return false;
    cp1252::a_minusculas(out);
    return true;
}

enum class Uso { seccion, clave, valor, linea };

// A text to be written, in the file's code page; refuses what would break the
// file's lines or could not be stored.
std::string para_escribir(const std::string& utf8, Uso uso) {
    static const char* const kQue[] = {"section name", "key", "value", "line"};
    const char* que = kQue[static_cast<int>(uso)];
    if (utf8.find_first_of("\r\n") != std::string::npos)
        throw ErrorTexto(std::string("a ") + que + " cannot hold a line end");
    if (uso == Uso::clave) {
        if (utf8.find('=') != std::string::npos) throw ErrorTexto("a key cannot hold \"=\"");
        // A line that starts with "[" is a section header.
        if (!utf8.empty() && utf8[0] == '[') throw ErrorTexto("a key cannot start with \"[\"");
    }
    std::string s;
    if (!cp1252::codificar(utf8, s))
        throw ErrorTexto(std::string("the ") + que + " \"" + utf8 +
                         "\" holds a character Windows-1252 cannot hold");
    return s;
}

Linea nueva_linea(std::string bytes) {
    return kv::analizar(std::move(bytes), Fin::crlf);
}

}  // namespace

// ---------------------------------------------------------------------------
// Documento

Documento::Documento() : d_(std::make_shared<Datos>()) {}
Documento::~Documento() = default;
Documento::Documento(const Documento&) = default;
Documento& Documento::operator=(const Documento&) = default;
Documento::Documento(Documento&&) noexcept = default;
Documento& Documento::operator=(Documento&&) noexcept = default;

namespace {
// Copy on write: a Documento shares its lines with the cache until it changes,
// and then copies its list of sections, not the sections' lines.
Documento::Datos& propio(std::shared_ptr<Documento::Datos>& d) {
    if (d.use_count() > 1) d = std::make_shared<Documento::Datos>(*d);
    return *d;
}
}  // namespace

VistaSeccion Documento::seccion(const std::string& nombre) const {
    VistaSeccion v;
    std::string s;
    if (!clave_busqueda(nombre, s)) return v;
    const int sec = d_->primera(s);
    if (sec < 0) return v;
    v.lineas_ = d_;
    v.cuerpo_ = d_->secciones[static_cast<std::size_t>(sec)].cuerpo.get();
    return v;
}

std::vector<VistaSeccion> Documento::numeradas(const std::string& prefijo, int n) const {
    std::vector<VistaSeccion> r(static_cast<std::size_t>(std::max(n, 0)) + 1);
    std::string pre = prefijo;
    cp1252::a_minusculas(pre);
    for (const Seccion& sec : d_->secciones) {
        const std::string& nombre = sec.cabecera.nombre;
        if (nombre.size() <= pre.size() || nombre.size() > pre.size() + 9 ||
            nombre.compare(0, pre.size(), pre) != 0 || nombre[pre.size()] == '0')
            continue;
        int k = 0;
        bool digitos = true;
        for (std::size_t i = pre.size(); i < nombre.size() && digitos; ++i) {
            digitos = nombre[i] >= '0' && nombre[i] <= '9';
            k = k * 10 + (nombre[i] - '0');
        }
        if (!digitos || k < 1 || k > n) continue;
        VistaSeccion& v = r[static_cast<std::size_t>(k)];
        if (v.cuerpo_) continue;
        v.lineas_ = d_;
        v.cuerpo_ = sec.cuerpo.get();
    }
    return r;
}

std::string VistaSeccion::leervalor(const std::string& clave) const {
    std::string k;
    if (!cuerpo_ || !clave_busqueda(clave, k)) return "";
    const int i = cuerpo_->clave(k, siguiente_);
    if (i < 0) return "";
    siguiente_ = i + 1;
    const Linea& l = cuerpo_->lineas[static_cast<std::size_t>(i)];
    std::string r;
    cp1252::decodificar(std::string_view(l.texto).substr(l.vini, l.vlen), r);
    return r;
}

std::string Documento::leervalor(const std::string& seccion, const std::string& clave) const {
    return this->seccion(seccion).leervalor(clave);
}

void Documento::crearseccion(const std::string& seccion) {
    std::string s = para_escribir(seccion, Uso::seccion);
    std::string bus = s;
    cp1252::a_minusculas(bus);
    if (d_->primera(bus) >= 0) return;
    // The header goes at the end, after an empty line, or just after the line
    // end of an unterminated last line.
    Datos& d = propio(d_);
    Linea* ultima = d.ultima_linea();
    if (ultima && ultima->fin == Fin::ninguno)
        ultima->fin = Fin::crlf;
    else
        d.cambiar(d.cuantas() - 1).lineas.push_back(nueva_linea(""));
    d.anadir_seccion(nueva_linea("[" + s + "]"));
}

namespace {
// A key write checked and prepared: the key and value as they will be
// written, and the section and key lower-cased for the search.
struct Escritura {
    std::string sbus, k, v, kbus;
};

Escritura preparar(const std::string& seccion, const std::string& clave, const std::string& valor) {
    // Checked in this order: the section, the key, the value.
    Escritura e{para_escribir(seccion, Uso::seccion),
                para_escribir(clave, Uso::clave),
                para_escribir(valor, Uso::valor),
                {}};
    e.kbus = e.k;
    cp1252::a_minusculas(e.sbus);
    cp1252::a_minusculas(e.kbus);
    return e;
}
}  // namespace

void Documento::escribirvalor(const std::string& seccion, const std::string& clave,
                              const std::string& valor) {
    const auto [sbus, k, v, kbus] = preparar(seccion, clave, valor);

    crearseccion(seccion);
    Datos& d = propio(d_);
    const std::vector<int> secciones = d.todas(sbus);
    const int ultima = d.cuantas() - 1;
    const std::string par = k + "=" + v;

    // When the first section of that name is the last one and lacks the key,
    // the pair goes at the very end of the file, after whatever the file ends
    // with (its empty lines stay).
    if (secciones[0] == ultima && d.cuerpo(ultima).clave(kbus) < 0) {
        Linea* fin = d.ultima_linea();
        if (fin->fin == Fin::ninguno) fin->fin = Fin::crlf;
        d.cambiar(ultima).lineas.push_back(nueva_linea(par));
        return;
    }

    // Otherwise every section of that name, in file order, has its empty lines
    // dropped up to the key's line, which is replaced; a section that lacks the
    // key gets the pair at its end, then one empty line before the next header.
    // That header is passed over as it stands: when it opens a section of the
    // same name, that section is left as it is.
    int pasada = -1;
    for (const int sec : secciones) {
        if (sec == pasada) continue;
        auto& ls = d.cambiar(sec).lineas;
        std::size_t j = 0, w = 0;
        bool escrito = false;
        for (; j < ls.size() && !escrito; ++j) {
            if (ls[j].tipo == Tipo::vacia) continue;
            if (ls[j].tipo == Tipo::par && ls[j].nombre == kbus) {
                ls[j] = nueva_linea(par);
                escrito = true;
            }
            if (w != j) ls[w] = std::move(ls[j]);
            ++w;
        }
        for (; j < ls.size(); ++j, ++w)
            if (w != j) ls[w] = std::move(ls[j]);
        ls.resize(w);
        if (!escrito && sec != ultima) {
            ls.push_back(nueva_linea(par));
            ls.push_back(nueva_linea(""));
            pasada = sec + 1;
        }
    }
}

int Documento::buscarseccion(const std::string& seccion) const {
    std::string s;
    if (!clave_busqueda(seccion, s)) return 0;
    const int sec = d_->primera(s);
    return sec < 0 ? 0 : d_->linea_de(sec) + 1;
}

int Documento::leersecciones(std::vector<std::string>& lista) const {
    int contador = -1;
    for (const Seccion& sec : d_->secciones) {
        const std::string& t = sec.cabecera.texto;
        ++contador;
        if (contador < 1) continue;
        lista.resize(static_cast<std::size_t>(contador) + 1);
        std::string nombre;
        if (t.size() >= 2) cp1252::decodificar(std::string_view(t).substr(1, t.size() - 2), nombre);
        lista[static_cast<std::size_t>(contador)] = std::move(nombre);
    }
    return contador;
}

bool Documento::borrarseccion(const std::string& seccion) {
    std::string s;
    if (!clave_busqueda(seccion, s)) return false;
    const int sec = d_->primera(s);
    if (sec < 0) return false;
    // The header and every line up to the next header.
    Datos& d = propio(d_);
    d.secciones.erase(d.secciones.begin() + sec);
    d.cabeceras_cambiadas();
    return true;
}

namespace {
// Puts each line at its place; when one of them turns into a header or stops
// being one, the sections are divided anew.
void poner_lineas(Documento::Datos& d, std::vector<std::pair<Sitio, Linea>>& cambios) {
    bool partidos = false, cabeceras = false;
    for (const auto& [p, l] : cambios) {
        cabeceras = cabeceras || p.j < 0;
        partidos = partidos || (p.j < 0) != (l.tipo == Tipo::cabecera);
    }
    if (partidos) {
        std::vector<Linea> todas;
        std::size_t i = 0;
        d.cada_linea([&](Sitio p, const Linea& l) {
            const bool aqui =
                i < cambios.size() && cambios[i].first.s == p.s && cambios[i].first.j == p.j;
            todas.push_back(aqui ? std::move(cambios[i++].second) : l);
        });
        d.reconstruir(std::move(todas));
        return;
    }
    for (auto& [p, l] : cambios) d.linea(p) = std::move(l);
    if (cabeceras) d.cabeceras_cambiadas();
}
}  // namespace

int Documento::cambiarlinea(const std::string& vieja, const std::string& nueva) {
    std::string nv = para_escribir(nueva, Uso::linea);
    std::string bus;
    if (!clave_busqueda(vieja, bus)) return 0;
    const Linea linea = nueva_linea(nv);
    std::vector<std::pair<Sitio, Linea>> cambios;
    int ultima = 0, n = 0;
    std::string tmp;
    d_->cada_linea([&](Sitio p, const Linea& l) {
        ++n;
        if (l.texto.size() != bus.size()) return;
        tmp = l.texto;
        cp1252::a_minusculas(tmp);
        if (tmp != bus) return;
        cambios.emplace_back(p, linea);
        ultima = n;
    });
    if (cambios.empty()) return 0;
    poner_lineas(propio(d_), cambios);
    return ultima;
}

void Documento::fijarvalor(const std::string& seccion, const std::string& clave,
                           const std::string& valor) {
    const auto [sbus, k, v, kbus] = preparar(seccion, clave, valor);
    crearseccion(seccion);
    Datos& d = propio(d_);
    const int sec = d.primera(sbus);
    auto& ls = d.cambiar(sec).lineas;
    int ultima = -1;  // the section's last line that is not empty; -1 its header
    for (std::size_t j = 0; j < ls.size(); ++j) {
        Linea& l = ls[j];
        if (l.tipo == Tipo::par && l.nombre == kbus) {
            const Fin fin = l.fin;
            l = kv::analizar(l.texto.substr(0, l.texto.find('=') + 1) + v, fin);
            return;
        }
        if (l.tipo != Tipo::vacia) ultima = static_cast<int>(j);
    }
    Linea& antes = ultima < 0 ? d.linea(Sitio{sec, -1}) : ls[static_cast<std::size_t>(ultima)];
    if (antes.fin == Fin::ninguno) antes.fin = Fin::crlf;
    ls.insert(ls.begin() + (ultima + 1), nueva_linea(k + "=" + v));
}

void Documento::reemplazar(const std::vector<std::string>& lineas) {
    std::vector<Linea> nuevas;
    nuevas.reserve(lineas.size());
    for (const auto& t : lineas) nuevas.push_back(nueva_linea(para_escribir(t, Uso::linea)));
    // A byte-order mark before the first line is no line: it stays.
    Datos& d = propio(d_);
    std::size_t total = 0;
    d.cada_linea([&](Sitio, const Linea&) { ++total; });
    if (total != nuevas.size()) {
        d.reconstruir(std::move(nuevas));
        return;
    }
    // As many lines as before: only the lines that differ change, so the
    // sections that stay as they were are not copied.
    std::vector<std::pair<Sitio, Linea>> cambios;
    std::size_t i = 0;
    d.cada_linea([&](Sitio p, const Linea& l) {
        Linea& n = nuevas[i++];
        if (l.texto != n.texto || l.fin != n.fin) cambios.emplace_back(p, std::move(n));
    });
    poner_lineas(d, cambios);
}

void Documento::cambiar_cabeceras(
    const std::function<std::optional<std::string>(const std::string&)>& nueva) {
    std::vector<std::pair<Sitio, Linea>> cambios;
    std::string t;
    for (int s = 0; s < d_->cuantas(); ++s) {
        t.clear();
        cp1252::decodificar(d_->secciones[static_cast<std::size_t>(s)].cabecera.texto, t);
        if (std::optional<std::string> l = nueva(t))
            cambios.emplace_back(Sitio{s, -1}, nueva_linea(para_escribir(*l, Uso::linea)));
    }
    if (!cambios.empty()) poner_lineas(propio(d_), cambios);
}

std::vector<std::string> Documento::lineas() const {
    std::vector<std::string> r;
    d_->cada_linea([&](Sitio, const Linea& l) {
        std::string s;
        cp1252::decodificar(l.texto, s);
        r.push_back(std::move(s));
    });
    return r;
}

// ---------------------------------------------------------------------------
// The cache of parsed files and the writer

namespace {

std::function<bool(int)>& gancho() {
    static std::function<bool(int)> g;
    return g;
}

bool falla(int paso) {
    auto& g = gancho();
    return g && g(paso);
}

std::int64_t ns(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

std::int64_t ahora_ns() {
    timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return ns(t);
}

std::string causa_errno(const char* que, int e) {
    return std::string(que) + ": " + std::strerror(e);
}

// The error of a system call that has just failed; errno is taken before
// anything else can change it.
ErrorFichero error_sistema(const std::string& ruta, ErrorFichero::Causa c, const char* que) {
    const int e = errno;
    return ErrorFichero(ruta, c, causa_errno(que, e), e);
}

// What stat() says about a file; two equal signatures are taken to mean equal
// contents, except within the racy window (see Entrada).
struct Firma {
    bool existe = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t tam = 0;
    std::int64_t mtime = 0;
    std::int64_t ctime = 0;

    static Firma de(const struct stat& st) {
        Firma f;
        f.existe = true;
        f.dev = st.st_dev;
        f.ino = st.st_ino;
        f.tam = st.st_size;
        f.mtime = ns(st.st_mtim);
        f.ctime = ns(st.st_ctim);
        return f;
    }
    bool operator==(const Firma&) const = default;
};

// Checks what stat() gave for a path the store reads: a folder or a device is
// not a file the store can read.
void comprobar_tipo(const std::string& ruta, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) throw ErrorFichero(ruta, Causa::carpeta, "is a folder, not a file");
    if (!S_ISREG(st.st_mode)) throw ErrorFichero(ruta, Causa::no_regular, "is not a regular file");
}

Firma firma_de(const std::string& ruta) {
    struct stat st;
    if (::stat(ruta.c_str(), &st) != 0) {
        int e = errno;
        if (e == ENOENT || e == ENOTDIR) return Firma{};
        throw ErrorFichero(ruta, Causa::ilegible, causa_errno("cannot examine the file", e), e);
    }
    comprobar_tipo(ruta, st);
    return Firma::de(st);
}

// The largest file the store reads; the program's files are a few hundred
// kilobytes.
constexpr std::uintmax_t kMaximo = std::uintmax_t{1} << 30;

ErrorFichero demasiado_grande(const std::string& ruta) {
    return ErrorFichero(ruta, Causa::grande, "the file is too large to be read (over 1 GiB)");
}

ErrorFichero sin_memoria(const std::string& ruta) {
    return ErrorFichero(ruta, Causa::memoria, "not enough memory to read the file");
}

// Reads the whole file; the signature is taken from the open file before the
// read, so a change made during the read shows at the next call.
bool leer_fichero(const std::string& ruta, std::string& bytes, Firma& firma) {
    int fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        int e = errno;
        if (e == ENOENT || e == ENOTDIR) return false;
        throw ErrorFichero(ruta, Causa::ilegible, causa_errno("cannot open the file", e), e);
    }
    struct Cierre {
        int fd;
        ~Cierre() { ::close(fd); }
    } cierre{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        throw error_sistema(ruta, Causa::ilegible, "cannot examine the file");
    comprobar_tipo(ruta, st);
    firma = Firma::de(st);
    // The size the file claims is checked before any memory is taken for it;
    // the read checks again, for a file that grows meanwhile.
    if (static_cast<std::uintmax_t>(st.st_size) > kMaximo) throw demasiado_grande(ruta);
    bytes.clear();
    try {
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        char buf[65536];
        while (true) {
            ssize_t r = ::read(fd, buf, sizeof buf);
            if (r < 0) {
                if (errno == EINTR) continue;
                throw error_sistema(ruta, Causa::ilegible, "cannot read the file");
            }
            if (r == 0) break;
            bytes.append(buf, static_cast<std::size_t>(r));
            if (bytes.size() > kMaximo) throw demasiado_grande(ruta);
        }
    } catch (const std::bad_alloc&) {
        throw sin_memoria(ruta);
    }
    return true;
}

// A rewrite by someone else within one timestamp tick of the last change the
// cached signature shows may leave size and times as they were. While the
// entry was read that close to its last change, each call compares the bytes
// again. On a file system that keeps fractions of a second the tick is a few
// milliseconds; one that keeps whole seconds (or two, as FAT) needs 2 s.
constexpr std::int64_t kVentanaFina = 50'000'000;
constexpr std::int64_t kVentanaGruesa = 2'000'000'000;

bool dudoso(const Firma& f, std::int64_t leido) {
    if (!f.existe) return false;
    std::int64_t ultimo = std::max(f.mtime, f.ctime);
    bool fino = f.mtime % 1000000000 != 0 || f.ctime % 1000000000 != 0;
    std::int64_t ventana = fino ? kVentanaFina : kVentanaGruesa;
    std::int64_t edad = leido - ultimo;
    return edad < ventana && edad > -ventana;
}

struct Entrada {
    Firma firma;
    std::shared_ptr<const std::string> bytes = std::make_shared<const std::string>();
    Documento doc;
    bool dudosa = false;
};

std::unordered_map<std::string, Entrada>& cache() {
    static std::unordered_map<std::string, Entrada> c;
    return c;
}

// The file a write replaces: a symbolic link is followed to the file it names,
// so the link stays and its target gets the new contents.
std::filesystem::path destino_real(const std::string& ruta) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(ruta), ec);
    if (ec) throw ErrorFichero(ruta, Causa::ruta, "bad path: " + ec.message(), ec.value());
    for (int i = 0; i < 40; ++i) {
        auto st = fs::symlink_status(p, ec);
        if (ec || !fs::is_symlink(st)) return p;
        fs::path t = fs::read_symlink(p, ec);
        if (ec)
            throw ErrorFichero(ruta, Causa::ruta, "cannot follow the link: " + ec.message(),
                               ec.value());
        p = t.is_absolute() ? t : p.parent_path() / t;
    }
    throw ErrorFichero(ruta, Causa::ruta, "too many levels of symbolic links", ELOOP);
}

// The temporary files of a rewrite of destino: "." name ".tmp-" and six
// letters or digits, beside the file.
std::string prefijo_temporal(const std::filesystem::path& destino) {
    return "." + destino.filename().string() + ".tmp-";
}
constexpr std::size_t kLetrasTemporal = 6;

// Throws when this process may not change the file. The rename that
// replaces the file asks only the folder, so the file's own permission is
// checked here: for root, whom the system lets write any file, a file without
// any write bit is read-only; anyone else gets the system's own answer
// (owner, group and access lists).
void comprobar_permiso(const std::string& ruta, const std::filesystem::path& destino,
                       const struct stat& st) {
    const ErrorFichero solo_lectura(ruta, Causa::solo_lectura,
                                    "the file is read-only (it has no write permission)");
    if (::geteuid() == 0) {
        if (!(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) throw solo_lectura;
        return;
    }
    if (::faccessat(AT_FDCWD, destino.c_str(), W_OK, AT_EACCESS) == 0) return;
    const int e = errno;
    if (e == EACCES || e == EPERM) throw solo_lectura;
    if (e == EROFS)
        throw ErrorFichero(ruta, Causa::no_escribible, causa_errno("the file cannot be written", e),
                           e);
    // Anything else: the write itself will tell.
}

// Writes bytes as the new contents of destino (the file ruta names): a
// temporary file beside it, every write checked, flushed to disk, the file's
// mode kept, renamed over it, the folder flushed. On any failure the temporary
// file goes and the file is as it was.
void reescribir(const std::string& ruta, const std::filesystem::path& destino,
                const std::string& bytes) {
    namespace fs = std::filesystem;
    fs::path carpeta = destino.parent_path();
    std::string plantilla =
        (carpeta / (prefijo_temporal(destino) + std::string(kLetrasTemporal, 'X'))).string();

    mode_t modo;
    bool existia = false;
    struct stat st;
    if (::stat(destino.c_str(), &st) == 0) {
        existia = true;
        modo = st.st_mode & 07777;
    } else {
        mode_t m = ::umask(0);
        ::umask(m);
        modo = 0666 & ~m;
    }

    auto error = [&](Causa c, const std::string& causa, int e = 0) {
        return ErrorFichero(ruta, c, causa, e);
    };
    const char* simulado = "simulated failure";
    if (existia) comprobar_permiso(ruta, destino, st);

    if (falla(1))
        throw error(Causa::temporal, std::string("cannot create the temporary file: ") + simulado);
    std::vector<char> nombre(plantilla.begin(), plantilla.end());
    nombre.push_back('\0');
    int fd = ::mkostemp(nombre.data(), O_CLOEXEC);
    if (fd < 0)
        throw error_sistema(ruta, Causa::temporal, "cannot create a temporary file in the folder");

    struct Temporal {
        int fd;
        const char* nombre;
        bool hecho = false;
        ~Temporal() {
            if (fd >= 0) ::close(fd);
            if (!hecho) ::unlink(nombre);
        }
    } tmp{fd, nombre.data()};

    if (falla(2))
        throw error(Causa::no_escribible,
                    std::string("cannot write the temporary file: ") + simulado);
    std::size_t hechos = 0;
    while (hechos < bytes.size()) {
        ssize_t w = ::write(fd, bytes.data() + hechos, bytes.size() - hechos);
        if (w < 0) {
            if (errno == EINTR) continue;
            throw error_sistema(ruta, Causa::no_escribible, "cannot write the temporary file");
        }
        if (w == 0)
            throw error(Causa::no_escribible, "cannot write the temporary file: nothing written");
        hechos += static_cast<std::size_t>(w);
    }
    if (::fchmod(fd, modo) != 0)
        throw error_sistema(ruta, Causa::no_escribible, "cannot set the file's mode");
    if (existia && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
        // Keep the owner when we may (we run as its owner or as root); a
        // failure here is not a reason to refuse the write.
        [[maybe_unused]] int r = ::fchown(fd, st.st_uid, st.st_gid);
    }

    if (falla(3))
        throw error(Causa::no_escribible,
                    std::string("cannot flush the temporary file: ") + simulado);
    if (::fsync(fd) != 0)
        throw error_sistema(ruta, Causa::no_escribible, "cannot flush the temporary file");
    int cerrar = ::close(fd);
    tmp.fd = -1;
    if (cerrar != 0)
        throw error_sistema(ruta, Causa::no_escribible, "cannot close the temporary file");

    if (falla(4))
        throw error(Causa::no_reemplazable, std::string("cannot replace the file: ") + simulado);
    if (::rename(nombre.data(), destino.c_str()) != 0)
        throw error_sistema(ruta, Causa::no_reemplazable, "cannot replace the file");
    tmp.hecho = true;

    // The rename is done and the new contents are in place; flushing the
    // folder makes it durable. Some file systems refuse fsync on a folder,
    // which does not undo the write, so it is not reported.
    int dfd = ::open(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// Removes the temporary files that writers killed part way left for destino.
// Called with the file's lock held, after a rewrite: no live writer owns one.
// What cannot be removed stays; it is not this write's failure.
void borrar_temporales(const std::filesystem::path& destino) {
    namespace fs = std::filesystem;
    const std::string prefijo = prefijo_temporal(destino);
    std::error_code ec;
    fs::directory_iterator it(destino.parent_path(), ec), fin;
    for (; !ec && it != fin; it.increment(ec)) {
        const std::string nombre = it->path().filename().string();
        if (nombre.size() != prefijo.size() + kLetrasTemporal || !nombre.starts_with(prefijo))
            continue;
        if (!std::all_of(nombre.begin() + prefijo.size(), nombre.end(), [](char ch) {
                return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                       (ch >= '0' && ch <= '9');
            }))
            continue;
        std::error_code e2;
        if (it->is_regular_file(e2) && !it->is_symlink(e2)) fs::remove(it->path(), e2);
    }
}

// ---------------------------------------------------------------------------
// The lock every rewrite of a file holds across processes
//
// The lock file sits beside the file (".data.lock" for "data") and is never
// removed. A rewrite holds a write lock on its byte 1 from before it reads the
// file until the new file is in place. Open-file-description locks (not flock)
// so that the lock holds on network file systems too and is released when its
// holder ends, however it ends. Byte 0 is a turnstile taken before byte 1 and
// left once byte 1 is held: a writer that has just finished has to queue
// behind one already waiting, so two writers in a loop take turns instead of
// one waiting until it gives up.

using Reloj = std::chrono::steady_clock;

std::chrono::milliseconds& plazo() {
    static std::chrono::milliseconds p{5000};
    return p;
}

bool& con_cerrojo() {
    static bool c = true;
    return c;
}

// The lock files this process holds, with how deep: a rewrite inside fn of
// another rewrite of the same file does not wait for itself.
std::unordered_map<std::string, int>& tomados() {
    static std::unordered_map<std::string, int> t;
    return t;
}

// Locks (F_WRLCK) or unlocks (F_UNLCK) one byte of the lock file.
bool bloquear_byte(int fd, short tipo, off_t byte) {
    struct flock fl {};
    fl.l_type = tipo;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

class Cerrojo {
  public:
    // Takes the lock of the file ruta names. When it cannot, fallo() holds the
    // ErrorFichero to throw and nothing is held.
    explicit Cerrojo(const std::string& ruta) {
        try {
            destino_ = destino_real(ruta);
            if (con_cerrojo()) tomar(ruta);
        } catch (const ErrorFichero&) {
            fallo_ = std::current_exception();
            soltar();
        }
    }
    ~Cerrojo() { soltar(); }
    Cerrojo(const Cerrojo&) = delete;
    Cerrojo& operator=(const Cerrojo&) = delete;

    const std::filesystem::path& destino() const { return destino_; }
    const std::exception_ptr& fallo() const { return fallo_; }

  private:
    void tomar(const std::string& ruta) {
        clave_ = (destino_.parent_path() / ("." + destino_.filename().string() + ".lock")).string();
        if (tomados()[clave_]++ > 0) return;
        fd_ = ::open(clave_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd_ < 0)
            throw error_sistema(ruta, Causa::cerrojo, "cannot open the lock file beside it");
        const Reloj::time_point limite = Reloj::now() + plazo();
        esperar(ruta, 0, limite);
        esperar(ruta, 1, limite);  // on failure soltar closes fd_, which frees byte 0
        bloquear_byte(fd_, F_UNLCK, 0);
    }

    void esperar(const std::string& ruta, off_t byte, Reloj::time_point limite) {
        auto pausa = std::chrono::microseconds(100);
        while (!bloquear_byte(fd_, F_WRLCK, byte)) {
            const int e = errno;
            if (e != EAGAIN && e != EACCES && e != EINTR)
                throw ErrorFichero(ruta, Causa::cerrojo, causa_errno("cannot lock the file", e), e);
            if (Reloj::now() >= limite)
                throw ErrorFichero(ruta, Causa::ocupado,
                                   "another program is writing the file; gave up after " +
                                       std::to_string(plazo().count()) + " ms");
            std::this_thread::sleep_for(pausa);
            pausa = std::min(pausa * 2, std::chrono::microseconds(2000));
        }
    }

    void soltar() {
        if (clave_.empty()) return;
        if (--tomados()[clave_] == 0) tomados().erase(clave_);
        clave_.clear();
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
        fd_ = -1;
    }

    std::filesystem::path destino_;
    std::exception_ptr fallo_;
    std::string clave_;
    int fd_ = -1;
};

}  // namespace

// Reaches the cache on behalf of the free procedures (a friend of Documento).
class Almacen {
  public:
    // The entry of the file as it is now.
    static Entrada& actual(const std::string& ruta) {
        Firma f = firma_de(ruta);
        auto& c = cache();
        auto it = c.find(ruta);
        std::string bytes;
        Firma leida;
        if (it != c.end() && it->second.firma == f) {
            Entrada& e = it->second;
            if (!e.dudosa) return e;
            if (!leer_fichero(ruta, bytes, leida)) return cargar(ruta, Firma{}, std::string());
            std::int64_t t = ahora_ns();
            if (leida == e.firma && bytes == *e.bytes) {
                e.dudosa = dudoso(leida, t);
                return e;
            }
            return cargar(ruta, leida, std::move(bytes), t);
        }
        if (!f.existe) return cargar(ruta, Firma{}, std::string());
        if (!leer_fichero(ruta, bytes, leida)) return cargar(ruta, Firma{}, std::string());
        return cargar(ruta, leida, std::move(bytes), ahora_ns());
    }

    static Entrada& cargar(const std::string& ruta, const Firma& f, std::string bytes,
                           std::int64_t leido = 0) {
        Entrada e;
        e.firma = f;
        try {
            e.doc.d_ = Documento::Datos::desde_bytes(bytes);
        } catch (const std::bad_alloc&) {
            throw sin_memoria(ruta);
        }
        e.bytes = std::make_shared<const std::string>(std::move(bytes));
        e.dudosa = dudoso(f, leido);
        auto& slot = cache()[ruta];
        slot = std::move(e);
        return slot;
    }

    static void editar(const std::string& ruta, const std::function<void(Documento&)>& fn) {
        // Read, changed and written under the lock, so the change applies to
        // what is on disk. A change that writes nothing needs no lock: when it
        // cannot be had, that is a failure only for a change to write.
        Cerrojo cerrojo(ruta);
        Entrada& e = actual(ruta);
        Documento doc = e.doc;
        // Held, not copied: fn may reach the cache again and replace the entry.
        const std::shared_ptr<const std::string> antes = e.bytes;
        fn(doc);
        if (doc.d_->igual(*antes)) return;
        if (cerrojo.fallo()) std::rethrow_exception(cerrojo.fallo());
        // What is written ends every line with CR LF, also the lines the
        // change did not touch and a last line that had no line end.
        Documento::Datos& d = propio(doc.d_);
        for (int s = -1; s < d.cuantas(); ++s) {
            if (s >= 0) d.secciones[static_cast<std::size_t>(s)].cabecera.fin = Fin::crlf;
            const auto& ls = d.cuerpo(s).lineas;
            if (std::all_of(ls.begin(), ls.end(),
                            [](const Linea& l) { return l.fin == Fin::crlf; }))
                continue;
            for (auto& l : d.cambiar(s).lineas) l.fin = Fin::crlf;
        }
        std::string despues = d.bytes();
        try {
            reescribir(ruta, cerrojo.destino(), despues);
        } catch (...) {
            cache().erase(ruta);
            throw;
        }
        borrar_temporales(cerrojo.destino());
        // The entry takes the new contents and the signature of the new file.
        Firma f;
        try {
            f = firma_de(ruta);
        } catch (const ErrorFichero&) {
            cache().erase(ruta);  // written, but cannot be examined: read it next time
            return;
        }
        Entrada nueva;
        nueva.firma = f;
        nueva.bytes = std::make_shared<const std::string>(std::move(despues));
        nueva.doc = std::move(doc);
        nueva.dudosa = dudoso(f, ahora_ns());
        cache()[ruta] = std::move(nueva);
    }
};

void editar(const std::string& fichero, const std::function<void(Documento&)>& fn) {
    Almacen::editar(fichero, fn);
}

Documento leer(const std::string& fichero) {
    return Almacen::actual(fichero).doc;
}

std::string leervalor(const std::string& fichero, const std::string& seccion,
                      const std::string& clave) {
    return Almacen::actual(fichero).doc.leervalor(seccion, clave);
}

void escribirvalor(const std::string& fichero, const std::string& seccion, const std::string& clave,
                   const std::string& valor) {
    editar(fichero, [&](Documento& d) { d.escribirvalor(seccion, clave, valor); });
}

void crearseccion(const std::string& fichero, const std::string& seccion) {
    editar(fichero, [&](Documento& d) { d.crearseccion(seccion); });
}

int buscarseccion(const std::string& fichero, const std::string& seccion) {
    return Almacen::actual(fichero).doc.buscarseccion(seccion);
}

int leersecciones(const std::string& fichero, std::vector<std::string>& lista) {
    return Almacen::actual(fichero).doc.leersecciones(lista);
}

bool borrarseccion(const std::string& fichero, const std::string& seccion) {
    bool r = false;
    editar(fichero, [&](Documento& d) { r = d.borrarseccion(seccion); });
    return r;
}

int cambiarlinea(const std::string& fichero, const std::string& vieja, const std::string& nueva) {
    int r = 0;
    editar(fichero, [&](Documento& d) { r = d.cambiarlinea(vieja, nueva); });
    return r;
}

namespace prueba {
void fallo_escritura(std::function<bool(int paso)> fallo) {
    gancho() = std::move(fallo);
}
void vaciar_cache() {
    cache().clear();
}
std::chrono::milliseconds plazo_cerrojo(std::chrono::milliseconds p) {
    return std::exchange(plazo(), p);
}
void usar_cerrojo(bool usar) {
    con_cerrojo() = usar;
}
}  // namespace prueba

}  // namespace korgas
