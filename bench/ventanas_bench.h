// What every benchmark of the windows starts with: a headless application,
// every window group registered, the shipped language file as the current
// one, and every message box answered with OK instead of shown.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

#include "calc/registro.h"
#include "core/gas.h"
#include "core/kvstore.h"
#include "correr_benchmarks.h"
#include "gasdb/registro.h"
#include "platform/mensajes_qt.h"
#include "shell/registro.h"
#include "systems/registro.h"

// Runs the benchmarks of this program; preparar runs once the application
// exists, before the first benchmark, and terminar after the last one, while
// the application still exists (windows kept between benchmarks go there).
// The status is that of correr_benchmarks.
inline int correr_benchmarks_de_ventanas(int argc, char** argv,
                                         const std::function<void()>& preparar = {},
                                         const std::function<void()>& terminar = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    korgas::fichidioma = KORGAS_SOURCE_DIR "/data/idioma.lng";
    korgas::idioma_actual = korgas::leervalor(korgas::fichidioma, "idioma", "idioma");
    korgas::responder_mensajes_con([](const QString&, int, const QString&) { return 1; });
    korgas::registrar_shell();
    korgas::registrar_calc();
    korgas::registrar_systems();
    korgas::registrar_gasdb();
    if (preparar) preparar();
    const int r = bench::correr_benchmarks(argc, argv);
    if (terminar) terminar();
    return r;
}
