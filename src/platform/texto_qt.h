// Language texts and number text for the windows.
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace korgas {

// Language text n of the current language.
QString tx(int n);

// A caption without its "&" access-key markers ("&&" stays as one "&"), for
// tool tips and titles.
QString sin_acceso(const QString& caption);

// The ten equation names in the order of the equation index, as every
// equation list shows them.
QStringList nombres_ecuaciones();

// formatear and leer_numero of the core, on QString.
QString fmt(double x, std::string_view patron);
double num(const QString& texto);

}  // namespace korgas
