// Language texts and number text for the windows.
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace korgas {

// Language text n of the current language.
QString tx(int n);
// The same, or si_falta when the current language has no text n (a language
// file written before the text was added).
QString tx(int n, const QString& si_falta);

// Qt's own texts (the buttons of message boxes and dialogs) in the language
// named nombre, through Qt's translations where the system has them, else
// Qt's English. The language is known by its name in its own language or in
// English, letter case aside ("Español", "English", "Deutsch", "Spanish"),
// the country Qt may add to the native name aside.
// True when a translation was loaded.
bool traducir_qt(const QString& nombre);

// A caption without its "&" access-key markers ("&&" stays as one "&"), for
// tool tips and titles.
QString sin_acceso(const QString& caption);

// The ten equation names in the order of the equation index, as every
// equation list shows them.
QStringList nombres_ecuaciones();

// Texts of the core as a list.
QStringList lista_qt(const std::vector<std::string>& textos);

// formatear and leer_numero of the core, on QString.
QString fmt(double x, std::string_view patron);
double num(const QString& texto);

}  // namespace korgas
