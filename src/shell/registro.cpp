#include "shell/registro.h"

#include "platform/nombres_ventanas.h"
#include "platform/ventanas.h"
#include "shell/frmAbout.h"
#include "shell/frmIdioma.h"
#include "shell/frmayuda.h"
#include "shell/frmtabla.h"
#include "shell/frmtablaay.h"
#include "shell/frmtermometro.h"

namespace korgas {

void registrar_shell() {
    Ventanas::registrar(kFrmtabla, [] { return new frmtabla(); });
    Ventanas::registrar(kFrmtablaay, [] { return new frmtablaay(); });
    Ventanas::registrar(kFrmtermometro, [] { return new frmtermometro(); });
    registrar_ayuda();
    Ventanas::registrar(kFrmAbout, [] { return new frmAbout; });
    Ventanas::registrar(kFrmIdioma, [] { return new frmIdioma; });
}

}  // namespace korgas
