#include "core/mensajes.h"

#include <iostream>
#include <string>
#include <utility>

#include "core/gas.h"
#include "core/kvstore.h"

namespace korgas {

namespace {

Presentador& presentador() {
    static Presentador p;
    return p;
}

}  // namespace

Presentador instalar_presentador(Presentador p) {
    return std::exchange(presentador(), std::move(p));
}

int mostrar_mensaje() {
    // A copy: the presenter may install another one while it runs.
    const Presentador p = presentador();
    if (p) {
        respuesta = p(mensaje, estilo, titulo);
    } else {
        // No window to show it in (a tool or a test without a presenter).
        std::cerr << (titulo.empty() ? std::string() : titulo + ": ") << mensaje << '\n';
        respuesta = 1;
    }
    return respuesta;
}

int mostrar_mensaje(const std::string& texto, int estilo_nuevo, const std::string& titulo_nuevo) {
    mensaje = texto;
    estilo = estilo_nuevo;
    titulo = titulo_nuevo;
    return mostrar_mensaje();
}

std::string texto(int n) {
    if (fichidioma.empty()) return {};
    try {
        return leervalor(fichidioma, idioma_actual, std::to_string(n));
    } catch (const ErrorFichero&) {
        // An unreadable language file shows empty captions; start-up reports
        // the file itself.
        return {};
    }
}

}  // namespace korgas
