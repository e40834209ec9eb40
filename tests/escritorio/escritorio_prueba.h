// The whole program on a desktop: every window group registered, the start-up
// up to the main window on screen, and windows opened through the registry as
// the menus open them.
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <memory>

#include "calc/registro.h"
#include "escritorio.h"
#include "gasdb/registro.h"
#include "programa_prueba.h"
#include "shell/arranque.h"
#include "shell/registro.h"
#include "systems/registro.h"

namespace escritorio {

inline void registrar_todo() {
    korgas::preparar_aplicacion();
    korgas::registrar_shell();
    korgas::registrar_calc();
    korgas::registrar_systems();
    korgas::registrar_gasdb();
}

class Programa {
  public:
    explicit Programa(const QString& idioma = QString()) : entorno(idioma) {
        principal = entorno.arrancar_hasta_principal();
        if (principal) esperar_ventana(principal);
    }
    // Opens a window as its menu entry does and waits until it is active.
    QWidget* abrir(const QString& nombre) {
        QWidget* w = korgas::Ventanas::mostrar(nombre);
        if (!w) return nullptr;
        if (!esperar_ventana(w)) return nullptr;
        if (auto* marco = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
            if (!QTest::qWaitFor([marco] { return marco->mdiArea()->activeSubWindow() == marco; }))
                return nullptr;
        return w;
    }
    ProgramaPrueba entorno;
    korgas::frmprincipal* principal = nullptr;
};

}  // namespace escritorio
