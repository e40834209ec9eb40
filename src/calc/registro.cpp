#include "calc/registro.h"

#include "calc/frmcalculos.h"
#include "calc/frmoperaciones.h"
#include "platform/ventanas.h"

namespace korgas {

void registrar_calc() {
    Ventanas::registrar(QStringLiteral("frmcalculos"), [] { return new frmcalculos(); });
    Ventanas::registrar(QStringLiteral("frmoperaciones"), [] { return new frmoperaciones(); });
}

}  // namespace korgas
