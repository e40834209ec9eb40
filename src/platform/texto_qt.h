// Language texts and number text for the windows.
#pragma once

#include <QString>
#include <string_view>

namespace korgas {

// Language text n of the current language.
QString tx(int n);

// A caption without its "&" access-key markers ("&&" stays as one "&"), for
// tool tips and titles.
QString sin_acceso(const QString& caption);

// formatear and leer_numero of the core, on QString.
QString fmt(double x, std::string_view patron);
double num(const QString& texto);

}  // namespace korgas
