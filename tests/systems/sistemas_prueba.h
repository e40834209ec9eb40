// What the tests of the gas-system windows share: a small gas data file, the
// program started up to its main window with these windows registered, and
// the windows reached through the main window's menus.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "core/gas.h"
#include "core/numtext.h"
#include "platform/controles.h"
#include "platform/lienzo.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "systems/frmcompuestos.h"
#include "systems/frmdatos.h"
#include "systems/frmescala.h"
#include "systems/frmgraficos.h"
#include "systems/registro.h"

namespace sistemas_prueba {

struct Gas {
    const char* nombre;
    double pm, tc, pc, vc;
    double mu = 1.5;  // c(6,3)
};

// A gas data file in the shipped layout: every parameter derived (-1).
inline QByteArray fichero(const std::vector<Gas>& gases) {
    std::string t = "[general]\r\nn= " + std::to_string(gases.size()) + "\r\n";
    auto num = [](double x) { return korgas::texto_fichero(x); };
    for (std::size_t k = 0; k < gases.size(); ++k) {
        const Gas& g = gases[k];
        t += "\r\n[g" + std::to_string(k + 1) + "]\r\n";
        t += std::string("nombre=") + g.nombre + "\r\n";
        t += "pm=" + num(g.pm) + "\r\ntc=" + num(g.tc) + "\r\npc=" + num(g.pc) + "\r\n";
        t += "vc=" + num(g.vc) + "\r\nteb=-1\r\nhv=-1\r\n";
        for (int e = 1; e <= 9; ++e) {
            const int claves = e == 5 ? 4 : (e >= 6 && e <= 8) ? 3 : 2;
            for (int j = 1; j <= claves; ++j) {
                std::string v = "-1";
                if (e == 6 && j == 3) v = num(g.mu);
                t += "c(" + std::to_string(e) + "," + std::to_string(j) + ")=" + v + "\r\n";
            }
        }
    }
    return QByteArray::fromStdString(t);
}

// The fixture: a CO2-like gas (a = 3.60610, b = 0.042803 under van der
// Waals), a N2-like gas of molar mass 28, water and methane.
inline std::vector<Gas> gases_prueba() {
    return {{"Dioxido", 44, 304.2, 72.9, 0.094},
            {"Nitrogeno", 28, 126.2, 33.5, 0.0901},
            {"Agua", 18.015, 647.1, 217.7, 0.056},
            {"Metano", 16.04, 190.6, 45.4, 0.099}};
}

inline QAction* e(const char* nombre) {
    return korgas::entrada(QLatin1String(nombre));
}

template <class T>
T* ventana(const char* nombre) {
    return korgas::Ventanas::buscar<T>(QLatin1String(nombre));
}

inline korgas::frmdatos* datos() {
    return ventana<korgas::frmdatos>("frmdatos");
}
inline korgas::frmgraficos* grafico() {
    return ventana<korgas::frmgraficos>("frmgraficos");
}

// Lets the window system settle: a window just shown takes its final size
// and draws for it.
inline void asentar() {
    for (int k = 0; k < 5; ++k) {
        QCoreApplication::processEvents();
        QTest::qWait(1);
    }
}

// The program up to its main window, on the fixture file (or the one given).
struct Programa {
    std::unique_ptr<ProgramaPrueba> prog;
    korgas::frmprincipal* principal = nullptr;

    explicit Programa(const QString& idioma = QString(),
                      const QByteArray& datos_gases = fichero(gases_prueba())) {
        // Every run starts with the state of a program just started.
        korgas::sistemas = {};
        korgas::escala_min = korgas::escala_max = {};
        korgas::escala_auto_min = korgas::escala_auto_max = {};
        prog = std::make_unique<ProgramaPrueba>(idioma, datos_gases);
        principal = prog->arrancar_hasta_principal();
        if (principal) {
            principal->resize(1280, 900);
            QApplication::setActiveWindow(principal);
            if (!QTest::qWaitForWindowActive(principal)) qWarning("main window not active");
        }
    }
    std::vector<Mensaje>& mensajes() { return prog->mensajes; }

    // The data window through Gases y condiciones.
    korgas::frmdatos* abrir_datos() {
        e("mnudato")->trigger();
        return datos();
    }
};

// Sets one row of the data window as the user would.
inline void fila(korgas::frmdatos* d, int i, bool activa, int numgas, int ecuacion,
                 const QString& temperatura, const QString& cantidad) {
    if (d->Check[i]->isChecked() != activa) korgas::marcar(d->Check[i], activa);
    korgas::seleccionar(d->cmbgas[i], numgas - 1);
    korgas::seleccionar(d->cmbecu[i], ecuacion);
    for (auto [caja, texto] : {std::pair{d->txttemp[i], temperatura}, {d->txtmol[i], cantidad}}) {
        if (!caja->isEnabled()) continue;
        caja->setFocus();
        caja->selectAll();
        QTest::keyClicks(caja, texto);
    }
}

// A mouse event on the plot at a point of its scale (fractional pixels, so
// the point arrives as it was given, up to single precision).
inline void raton(korgas::Lienzo* l, QEvent::Type tipo, Qt::MouseButton boton,
                  Qt::MouseButtons botones, double v, double p) {
    const QPointF px = l->a_pixeles(v, p);
    QMouseEvent ev(tipo, px, l->mapToGlobal(px), boton, botones, Qt::NoModifier);
    QApplication::sendEvent(l, &ev);
}

// Whether the plot shows the colour at the point or one pixel above or below
// it (a line at a fractional pixel row falls on either neighbour).
inline bool color_cerca(const korgas::Lienzo* l, double v, double p, const QColor& c) {
    const double un_pixel = std::abs(l->escala_alto()) / l->height();
    for (double dp : {0.0, un_pixel, -un_pixel})
        if (l->color_en(v, p + dp) == c) return true;
    return false;
}

}  // namespace sistemas_prueba
