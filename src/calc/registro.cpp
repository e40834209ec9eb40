#include "calc/registro.h"

#include "calc/frmcalculos.h"
#include "calc/frmoperaciones.h"
#include "platform/nombres_ventanas.h"
#include "platform/ventanas.h"

namespace korgas {

void registrar_calc() {
    Ventanas::registrar(kFrmcalculos, [] { return new frmcalculos(); });
    Ventanas::registrar(kFrmoperaciones, [] { return new frmoperaciones(); });
}

}  // namespace korgas
