// The main window: a multiple-document window whose menus and toolbar open
// every tool of the program. Built hidden during start-up (its constructor is
// its load), shown by the splash, alive until the program ends; closing it or
// choosing Salir ends the program at once, asking nothing.
//
// Other windows reach its commands through VentanaPrincipal (enlaces.h): a
// command's menu entry and its toolbar button share one action. By name
// (entrada(), ventanas.h) the entries are "mnup", "mnudibujos", "mnumoles",
// ...; toolbar button i (1..18) is "boton_i", its key in the property "clave".
#pragma once

#include <QLatin1String>
#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <array>
#include <span>
#include <vector>

#include "platform/enlaces.h"

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;

namespace korgas {

class frmprincipal : public QMainWindow, public VentanaPrincipal {
    Q_OBJECT

  public:
    // The main window, loaded (hidden) on first use.
    static frmprincipal* instancia();
    // The main window when it is loaded, else nullptr.
    static frmprincipal* existente();

    ~frmprincipal() override;

    QMdiArea* area() const { return area_; }
    QAction* orden(Orden o) const override;
    // Toolbar button i, 1..18 (separators included): its action.
    QAction* boton(int i) const;
    // Language menu entry i (1-based); entries past the ten of the window's
    // design are added on demand, so any number of languages fits.
    QAction* mnuidiomas(int i);
    int num_mnuidiomas() const { return static_cast<int>(idiomas_.size()); }

    // The amount unit of the data window: the check mark moves to the unit,
    // and the data window (opened when it is closed) shows its amounts in it.
    void mnumoles_Click();
    void mnugramos_Click();
    // The new-file command: the five gas systems start again.
    void mnunuevo_Click();

    // A toolbar button, chosen by its key ("nuevo", "datos", ...).
    void Toolbar1_ButtonClick(const QString& clave);
    // A language menu entry.
    void mnuidiomas_Click(int indice);

    // No context menu over the toolbar or the menu bar: the toolbar is always
    // shown (the menu Qt offers would hold one untitled entry that hides it).
    QMenu* createPopupMenu() override { return nullptr; }

  protected:
    void closeEvent(QCloseEvent* ev) override;

  private:
    frmprincipal();
    void MDIForm_Load();
    void crear_menus();
    void crear_barra();
    void estados_iniciales();

    void cambiar_unidad(bool gramos);
    void mnusalir_Click();
    void mnudato_Click();
    void mnugases_Click();
    void mnudibujos_Click();
    void mnuescala_Click();
    void calcular(int modo);
    void mnup_Click() { calcular(1); }
    void mnuv_Click() { calcular(2); }
    void mnut_Click() { calcular(3); }
    void mnuf_Click() { calcular(0); }
    void mnuoperaciones_Click();
    void mnucrit_Click();
    void mnutermo_Click();
    void mnutermosc_Click();
    void mnuayuda_Click();
    void mnuacercade_Click();

    // A command: its menu entry's name, its key (of its toolbar button and
    // for Toolbar1_ButtonClick; nullptr: none), the window it opens (empty:
    // none) and its handler.
    struct Mando {
        Orden orden;
        const char* entrada;
        const char* clave;
        QLatin1String ventana;
        void (frmprincipal::*clic)();
    };
    static std::span<const Mando> mandos();
    static const Mando* mando(const QString& clave);

    QAction* item(const QString& nombre) const;
    // Adds the command's action to a menu.
    QAction* accion(QMenu* menu, Orden o);

    QMdiArea* area_ = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QMenu* mnuidioma = nullptr;
    std::array<QAction*, kNumOrdenes> ordenes_{};
    std::vector<QAction*> botones_;  // 1..18 at 0..17
    std::vector<QAction*> idiomas_;  // entry i at i - 1
};

}  // namespace korgas
