#include "calc/registro.h"

#include "calc/frmcalculos.h"
#include "platform/ventanas.h"

namespace korgas {

void registrar_calc() {
    Ventanas::registrar(QStringLiteral("frmcalculos"), [] { return new frmcalculos(); });
}

}  // namespace korgas
