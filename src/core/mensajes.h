// The message block and the language texts, as the core sees them.
//
// The core never shows a window. A routine that has something to report sets
// the message block (mensaje, titulo, estilo) and calls mostrar_mensaje, which
// hands it to the installed presenter: the shell installs one that opens a
// message box; tests install one that records. Without a presenter the message
// is written to standard error and the answer is 1 (OK).
#pragma once

#include <functional>
#include <string>

namespace korgas {

// Styles: 0 OK only, 16 critical, 48 exclamation, 64 information, 51 Yes/No/
// Cancel with the exclamation icon. Answers: 1 OK, 6 Yes, 7 No, 2 Cancel.
using Presentador =
    std::function<int(const std::string& texto, int estilo, const std::string& titulo)>;

// Installs the presenter; returns the one it replaces.
Presentador instalar_presentador(Presentador p);

// Shows mensaje/titulo/estilo through the presenter and stores the answer in
// respuesta, which it also returns.
int mostrar_mensaje();

// Sets the block and shows it.
int mostrar_mensaje(const std::string& texto, int estilo, const std::string& titulo = "");

// Language text n: the value of key n in the current language's section of the
// language file (fichidioma, idioma_actual); empty when missing or unreadable.
std::string texto(int n);

}  // namespace korgas
