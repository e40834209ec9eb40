// Message boxes with the program's styles and answers.
#pragma once

#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace korgas {

class ErrorFichero;

// The title of a message box given none.
QString titulo_programa();  // "KOR GAS V1.0"

// Styles: 0 OK only, 16 critical, 48 exclamation, 64 information, 51 Yes/No/
// Cancel with the exclamation icon. Answers: 1 OK, 6 Yes, 7 No, 2 Cancel.
// A CR in the text starts a new line.
int msgbox(const QString& texto, int estilo = 0, const QString& titulo = QString(),
           QWidget* padre = nullptr);

// The text that says a file cannot be read, naming the file and the cause
// (fixed, in both languages: the language file may be the one at fault).
QString texto_no_se_puede_leer(const QString& ruta, const QString& causa);

// Why a file could not be read or written, in the current language, without
// the file's name ("es de solo lectura (no tiene permiso de escritura)").
QString causa_fichero(const ErrorFichero& e);

// The detail a failure adds to its message, in the current language: for a
// file error the file's name and the cause; for a text the file cannot hold,
// that; for anything else what it says of itself.
QString detalle_error(const std::exception& e);

// Tells the user that a file exists but cannot be read (naming the file and
// the cause in the current language, style 16, the program's title unless one
// is given).
void avisar_fichero_ilegible(const ErrorFichero& e, QWidget* padre = nullptr,
                             const QString& titulo = QString());

// Tests: while set, every msgbox goes to this function instead of a modal box
// and its result is the answer. It gets the text as given (CR not turned into
// new lines) and the title as shown (the program's title for an empty one). An
// empty function restores the boxes.
using Respondedor = std::function<int(const QString& texto, int estilo, const QString& titulo)>;
void responder_mensajes_con(Respondedor r);
// True while such a function is set.
bool mensajes_respondidos();

}  // namespace korgas
