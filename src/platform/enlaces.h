// The small interfaces through which windows of different groups reach each
// other without seeing each other's headers: a window implements one, and the
// other finds the window (the registry, ventanas.h, or principal() below) and
// casts it. A misspelt command or procedure fails to compile.
#pragma once

#include <cstddef>

class QAction;

namespace korgas {

// The commands of the main window's menus.
enum class Orden {
    nuevo,
    salir,
    moles,
    gramos,
    dato,
    gases,
    dibujos,
    escala,
    p,
    v,
    t,
    f,
    operaciones,
    crit,
    termo,
    termosc,
    ayuda,
    acercade,  // the last: see kNumOrdenes
};
inline constexpr std::size_t kNumOrdenes = std::size_t(Orden::acercade) + 1;

// The main window as the other windows see it.
class VentanaPrincipal {
  public:
    // The action of a command: its menu entry, which its toolbar button shares,
    // so enabling it enables both. (The general-mode calculation button alone
    // keeps an action of its own: the calculation window disables the menu
    // entry of the general mode, never the button.)
    virtual QAction* orden(Orden o) const = 0;

  protected:
    ~VentanaPrincipal() = default;
};

// The main window while it is loaded, else nullptr.
VentanaPrincipal* principal();
// The action of a command of the main window; nullptr when it is not loaded.
QAction* orden_principal(Orden o);

// The data window as the main window sees it.
class VentanaDatos {
  public:
    // Shows the amounts in grams (else in moles): the caption and the spinner
    // limits of the unit; with convertir, each amount shown is converted.
    virtual void aplicar_unidad(bool gramos, bool convertir) = 0;

  protected:
    ~VentanaDatos() = default;
};

}  // namespace korgas
