#include "core/mensajes.h"

#include <string>

#include "core/gas.h"
#include "core/kvstore.h"

namespace korgas {

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
