// A locale that writes numbers with a decimal comma, for the tests that check
// the program's numbers do not follow the C library's locale. The build makes
// it from the system's locale sources into the build folder (KORGAS_LOCALE_DIR),
// so the tests need no locale installed on the machine and change none of its
// settings; it is found through LOCPATH, set only while it is loaded.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

namespace korgas_pruebas {

inline constexpr const char* kLocaleComa = "de_DE.UTF-8";

// Sets one category (LC_ALL, LC_NUMERIC, ...) of the C library's locale to
// the comma-decimal locale; false when it cannot be loaded.
inline bool poner_locale_coma(int categoria) {
    const char* antes = std::getenv("LOCPATH");
    const std::string guardado = antes ? antes : "";
    setenv("LOCPATH", KORGAS_LOCALE_DIR, 1);
    const bool hecho = std::setlocale(categoria, kLocaleComa) != nullptr;
    if (antes)
        setenv("LOCPATH", guardado.c_str(), 1);
    else
        unsetenv("LOCPATH");
    return hecho;
}

}  // namespace korgas_pruebas
