#include "systems/sistemas_qt.h"

#include <QPalette>
#include <QWidget>
#include <cmath>

#include "core/kvstore.h"
#include "platform/mensajes_qt.h"
#include "platform/texto_qt.h"

namespace korgas {

void colorear(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::Text, c);
        pal.setColor(g, QPalette::ButtonText, c);
        pal.setColor(g, QPalette::WindowText, c);
    }
    w->setPalette(pal);
}

namespace {

bool positivo(double x) {
    return std::isfinite(x) && x > 0;
}

}  // namespace

void recargar_sistema(sistema& s, bool avisar, QWidget* ventana) {
    const sistema antes = s;
    Carga carga = Carga::ok;
    try {
        carga = leergas(0, s);
        if (s.ecuacion == kGeneralizada && s.mu == -1) {
            datosgas propio;
            double t = s.temperatura;
            double mu = -1;
            leergas(-1, kGeneralizada, s.numgas, t, mu, false, propio);
            s.mu = mu;
        }
    } catch (const ErrorFichero& e) {
        s = antes;
        avisar_fichero_ilegible(e, ventana);
        return;
    }
    if (!avisar) return;
    int texto = 0;
    if (carga == Carga::sin_seccion)
        texto = 221;
    else if (!positivo(s.gas.tc))
        texto = 203;
    else if (!positivo(s.gas.pc))
        texto = 202;
    else if (s.ecuacion == kGeneralizada && !(std::isfinite(s.mu) && s.mu > 1))
        texto = 93;
    if (texto) msgbox(tx(texto), 48, QString(), ventana);
}

bool curva_valida(const sistema& s) {
    if (!positivo(s.gas.tc) || !positivo(s.gas.pc)) return false;
    if (s.ecuacion == kGeneralizada && !(std::isfinite(s.mu) && s.mu > 1)) return false;
    // A parameter that is not finite (the file's 1e999, an overflow) gives no curve.
    if (!parametros_finitos(s.ecuacion, s.gas.c)) return false;
    return std::isfinite(s.moles) && s.moles >= 0;
}

void fijar_cantidad(sistema& s, double cantidad, bool gramos) {
    if (gramos) {
        s.gramos = cantidad;
        s.moles = positivo(s.gas.pm) ? cantidad / s.gas.pm : 0;
    } else {
        s.moles = cantidad;
        s.gramos = cantidad * s.gas.pm;
    }
}

}  // namespace korgas
