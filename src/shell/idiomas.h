// The language list and the language menu, and the choice of the language
// used from the next start on.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace korgas {

class Documento;

// The help collection of the current language (program folder, language name,
// ".qhc"); empty when no language section matches the current language.
extern QString fichero_ayuda;

// The languages of a language file (every section but the first, in file
// order, each name once: a name written again in another letter case is the
// same language, and a blank name is none) and the language a run uses: the
// file's current one when its section holds texts, otherwise the first
// language that does (desde_el_fichero false then); empty when no language
// has texts.
struct IdiomasDelFichero {
    std::vector<std::string> lista;
    std::string actual;
    bool desde_el_fichero = true;
};
IdiomasDelFichero idiomas_de(const Documento& fichero);

// Reads the language list and the current language (as above), then fills
// the language menu of the main window; the first touch of that menu loads
// the main window (hidden), so its captions come from the current language.
void cargaridiomas();

// Fills the language menu from listaidiomas: one entry per language (the
// current one checked, letter case ignored), a separator, and the language
// editor's entry with language text texto_editor (29 at start-up).
void llenar_menu_idiomas(int texto_editor);

// Records nombre as the language of the next start. A language without its
// section gives text 167; a write that fails is reported with the file's name
// and gives false. Text 168 is shown only once the choice is in the file.
bool cambiaridioma(const std::string& nombre);

}  // namespace korgas
