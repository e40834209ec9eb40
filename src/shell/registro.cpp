#include "shell/registro.h"

#include "platform/ventanas.h"
#include "shell/frmAbout.h"
#include "shell/frmayuda.h"

namespace korgas {

void registrar_shell() {
    registrar_ayuda();
    Ventanas::registrar(QStringLiteral("frmAbout"), [] { return new frmAbout; });
}

}  // namespace korgas
