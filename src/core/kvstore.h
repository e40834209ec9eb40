// Sectioned key=value text files: the gas data file and the language file.
//
// On disk the files are Windows-1252 with CR LF line ends; every text crossing
// this interface is UTF-8. Section names and keys compare without regard to
// letter case; keys are taken raw (a blank before "=" is part of the key);
// values come back trimmed of spaces only.
//
// The store keeps each file parsed in memory and checks the file's identity
// (inode, size, modification time) before every call, so a change made behind
// its back is seen by the next call. Every rewrite builds the whole new file in
// memory, writes it to a temporary file in the same folder, flushes it and
// renames it over the original: the file is always either the old or the new
// one. A failed write throws ErrorFichero and leaves the file byte for byte as
// it was. A file that does not exist reads as empty and is created by the first
// write; a file that exists but cannot be read, or is larger than 1 GiB, throws
// ErrorFichero.
//
// Several processes may write the same file: every rewrite holds a lock on a
// lock file beside it (".data.lock" for "data") from the moment it reads the
// file until the new contents are in place, so each change is applied to what
// is on disk and none is lost. A rewrite that cannot take the lock within a
// few seconds fails like any write. A successful rewrite also removes the
// temporary files a killed writer left for the same file. A file without
// write permission is never replaced, not even by root: the change fails.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korgas {

// A file could not be read or written. what() names the file and the cause in
// English (for logs); causa() and sistema() let a window say the same in the
// user's language.
class ErrorFichero : public std::runtime_error {
  public:
    enum class Causa {
        carpeta,          // the path names a folder
        no_regular,       // a device, a pipe...
        ilegible,         // it cannot be examined, opened or read
        grande,           // over the largest size the store reads
        memoria,          // not enough memory to read it
        ruta,             // the path or a link in it cannot be followed
        solo_lectura,     // the file has no write permission
        temporal,         // no temporary file can be made beside it
        no_escribible,    // the new contents cannot be written or flushed
        no_reemplazable,  // the temporary file cannot take its place
        cerrojo,          // the lock beside it cannot be taken
        ocupado,          // another program held the lock too long
    };
    // sistema: the system's error number behind the cause (errno), 0 for none.
    ErrorFichero(const std::string& ruta, Causa causa, const std::string& en_ingles,
                 int sistema = 0);
    const std::string& ruta() const { return ruta_; }
    Causa causa() const { return causa_; }
    int sistema() const { return sistema_; }

  private:
    std::string ruta_;
    Causa causa_;
    int sistema_;
};

// A text that cannot be stored: CR or LF in a section name, key, value or line,
// "=" in a key or a key that starts with "[" (its line would read as a header),
// or a character Windows-1252 cannot hold. Nothing is written then.
class ErrorTexto : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

struct Cuerpo;

// One section of a document, found once for several lookups of its keys (the
// keys of one gas): each lookup then costs the search in that section alone.
// It keeps the lines it found: a later change of the document does not reach
// it.
class VistaSeccion {
  public:
    // Whether the document has a section of that name.
    bool existe() const { return cuerpo_ != nullptr; }
    // The value of the section's first pair of that key, as
    // Documento::leervalor gives it; "" when the section does not exist.
    std::string leervalor(const std::string& clave) const;

  private:
    friend class Documento;
    // The document's lines, kept as they were: a change of the document
    // copies them first while a view holds them.
    std::shared_ptr<const void> lineas_;
    const Cuerpo* cuerpo_ = nullptr;
    // The line after the last key found: where the next one is looked for
    // first.
    mutable int siguiente_ = 0;
};

// The lines of one file, parsed, with the same operations as the free
// procedures below; used for a change of several steps that must reach the
// disk as one rewrite (see editar).
class Documento {
  public:
    Documento();
    ~Documento();
    Documento(const Documento&);
    Documento& operator=(const Documento&);
    // A Documento moved from may only be assigned to or destroyed.
    Documento(Documento&&) noexcept;
    Documento& operator=(Documento&&) noexcept;

    std::string leervalor(const std::string& seccion, const std::string& clave) const;
    // The first section of that name, for several lookups.
    VistaSeccion seccion(const std::string& nombre) const;
    // The first section named prefijo k (k written in digits, without leading
    // zeros) for every k of 1..n, as element k (element 0 unused), found in
    // one pass over the headers in file order: for a loop over thousands of
    // numbered sections. prefijo is ASCII.
    std::vector<VistaSeccion> numeradas(const std::string& prefijo, int n) const;
    void escribirvalor(const std::string& seccion, const std::string& clave,
                       const std::string& valor);
    void crearseccion(const std::string& seccion);
    int buscarseccion(const std::string& seccion) const;
    int leersecciones(std::vector<std::string>& lista) const;
    bool borrarseccion(const std::string& seccion);
    int cambiarlinea(const std::string& vieja, const std::string& nueva);
    // Sets one value and changes nothing else: the first pair of the key in
    // the first section of that name keeps its key as written and its line
    // end, and only its value changes; a section lacking the key gets the
    // pair after its last line that is not empty; a missing section is added
    // at the end. Every other line stays byte for byte.
    void fijarvalor(const std::string& seccion, const std::string& clave, const std::string& valor);

    // Replaces every line by these lines (UTF-8, no line ends); a byte-order
    // mark before the first line stays.
    void reemplazar(const std::vector<std::string>& lineas);
    // Gives every section header line (UTF-8, as written) to nueva; a line it
    // returns replaces that header. The same as reemplazar with those headers
    // changed, but without going over the lines of every section.
    void cambiar_cabeceras(
        const std::function<std::optional<std::string>(const std::string& linea)>& nueva);
    // The lines as UTF-8 text, without line ends.
    std::vector<std::string> lineas() const;

    struct Datos;

  private:
    friend class Almacen;
    std::shared_ptr<Datos> d_;
};

// Applies fn to the current contents of the file and writes the result back in
// one rewrite (nothing is written when fn throws or changes nothing; the
// exception goes on to the caller). The file's lock is held from before the
// file is read until it is written, so no other process writes in between. fn
// works on the Documento only: a write to the same file through the free
// procedures inside fn would be overwritten.
void editar(const std::string& fichero, const std::function<void(Documento&)>& fn);

// The current contents of the file as a snapshot, checked once: several
// lookups that belong together (the keys of one gas) see one state of the file
// and cost one check instead of one each: a window that reads every gas of a
// file of thousands takes one snapshot for them all.
Documento leer(const std::string& fichero);

// The procedures of the store; each reads the current contents of the file.
std::string leervalor(const std::string& fichero, const std::string& seccion,
                      const std::string& clave);
void escribirvalor(const std::string& fichero, const std::string& seccion, const std::string& clave,
                   const std::string& valor);
void crearseccion(const std::string& fichero, const std::string& seccion);
// 1-based line number of the first header of that name; 0 when absent.
int buscarseccion(const std::string& fichero, const std::string& seccion);
// Names of all sections but the first into lista(1..k), element 0 unused;
// returns k (0 for one section, -1 for none; lista is left alone below 1).
int leersecciones(const std::string& fichero, std::vector<std::string>& lista);
bool borrarseccion(const std::string& fichero, const std::string& seccion);
int cambiarlinea(const std::string& fichero, const std::string& vieja, const std::string& nueva);

// Windows-1252 <-> UTF-8 at the boundary. a_cp1252 throws ErrorTexto for a
// character the code page cannot hold.
std::string desde_cp1252(const std::string& bytes);
std::string a_cp1252(const std::string& utf8);
bool representable_cp1252(const std::string& utf8);

namespace prueba {
// Test hook: called before each step of a rewrite (1 create temporary, 2 write,
// 3 flush, 4 rename); returning true makes that step fail as a real failure
// would (ErrorFichero, temporary file removed, file unchanged). nullptr removes
// the hook.
void fallo_escritura(std::function<bool(int paso)> fallo);
// Forgets every cached file.
void vaciar_cache();
// How long a rewrite waits for the lock held by another writer; returns the
// time it replaces.
std::chrono::milliseconds plazo_cerrojo(std::chrono::milliseconds plazo);
// For the benchmark that weighs the lock: false makes rewrites skip it.
void usar_cerrojo(bool usar);
}  // namespace prueba

}  // namespace korgas
