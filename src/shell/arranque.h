// The start of the program, before any window: the number rule, the check of
// the two files the program cannot run without, and the splash window.
#pragma once

#include <optional>
#include <string>

namespace korgas {

// Right after the QApplication is built: numbers are read and written with
// "." whatever the user's locale (LC_NUMERIC "C", QLocale::c() as the
// default); the program ends only when the main window says so; the program's
// icon and name; message boxes for the core's messages. Nothing of the user's
// system settings is changed.
void preparar_aplicacion();

// The number of gases of a gas data file: key n of section general, a whole
// number from 0 to 32767. Nothing for a missing or bad value. Throws the
// store's ErrorFichero when the file cannot be read.
std::optional<int> leer_numgases(const std::string& fichero);

// Checks the language file and the gas data file in the program's folder: each
// must exist and be readable, and the gas data file must give a valid number
// of gases. On the first failure a message names the file and the result is
// the program's exit status (not 0); 0 when both files are sound. The message
// always goes to standard error as well; a run without a screen to show a box
// on writes it there only.
int comprobar_ficheros();

// The whole start-up: the check above, then the splash window, whose load
// prepares the run and which hands over to the main window. 0 when the splash
// is up and the event loop may run; otherwise the exit status.
int arrancar();

}  // namespace korgas
