// The program's folder: where the executable, the gas data file and the
// language file live.
#pragma once

#include <QString>
#include <string>

namespace korgas {

// The folder with a trailing "/": the executable's folder unless a test set
// another one.
QString carpeta_programa();
void fijar_carpeta_programa(const QString& carpeta);

// carpeta_programa() + nombre, as a UTF-8 path for the core.
std::string ruta_programa(const QString& nombre);

}  // namespace korgas
