#include "systems/graficos.h"

#include <QChar>
#include <QLabel>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "core/comun.h"
#include "core/eos.h"
#include "core/vapor.h"
#include "platform/colores.h"
#include "platform/lienzo.h"
#include "platform/mensajes_qt.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"
#include "systems/frmgraficos.h"
#include "systems/sistemas_qt.h"

namespace korgas {

namespace {

constexpr const char* kPatronEsquina = "####0.00";

// Everything a vapour pressure depends on.
struct ClaveVapor {
    int ecuacion;
    double temperatura, moles, tc, mu;
    std::array<double, 4> c;

    bool operator==(const ClaveVapor&) const = default;
};

struct Vapor {
    ClaveVapor clave;
    double pv, vl, vg;
};

std::array<std::optional<Vapor>, 6>& vapores() {
    static std::array<std::optional<Vapor>, 6> v;
    return v;
}

ClaveVapor clave_de(const sistema& s) {
    return {s.ecuacion, s.temperatura, s.moles, s.gas.tc, s.mu, s.gas.c};
}

// The vapour pressure of curve i with the molar volumes of liquid and gas,
// as presion_vapor gives them for its equation and temperature; kept per
// curve and computed again only when something it depends on has changed.
double presion_vapor_curva(int i, double& vl, double& vg) {
    if (!indice_valido(i)) return -1;
    const sistema& s = sistemas[i];
    auto& cache = vapores()[std::size_t(i)];
    const ClaveVapor clave = clave_de(s);
    if (!cache || !(cache->clave == clave)) {
        double l = 0;
        double g = 0;
        const double pv = presion_vapor(s.ecuacion, s, s.temperatura, l, g);
        cache = Vapor{clave, pv, l, g};
    }
    vl = cache->vl;
    vg = cache->vg;
    return cache->pv;
}

}  // namespace

double covolumen(const sistema& s) {
    const double b = s.gas.c[1];
    return s.moles * (s.ecuacion == kDietericiSadus ? b / 4 : b);
}

void avisar_escala(int texto, QWidget* ventana) {
    msgbox(tx(texto) + QChar(13) + tx(163), 16, tx(235, QStringLiteral("Advertencia")), ventana);
}

bool fija_escala(frmgraficos& g, const punto& minimo, const punto& maximo) {
    const double dv = maximo.v - minimo.v;
    const double dp = maximo.p - minimo.p;
    int aviso = 0;
    if (std::abs(dp) == 0)
        aviso = 162;
    else if (std::abs(dv) == 0)
        aviso = 164;
    else if (!(std::abs(dp) <= 1e8))  // also a range that is not a number
        aviso = 165;
    else if (!(std::abs(dv) <= 1e8))
        aviso = 166;
    if (aviso) {
        avisar_escala(aviso, &g);
        return false;
    }
    g.x0y0x->setText(fmt(minimo.v, kPatronEsquina));
    g.x0y0y->setText(fmt(minimo.p, kPatronEsquina));
    g.x1y0->setText(fmt(maximo.v, kPatronEsquina));
    g.x0y1->setText(fmt(maximo.p, kPatronEsquina));
    g.colocar_esquinas();
    g.pctgrafico->fijar_escala(minimo.v, maximo.p, dv, minimo.p - maximo.p);
    g.pctgrafico->cls();
    return true;
}

Polilineas isoterma(int i, double vmin, double vmax, double vg, double vl) {
    Polilineas t;
    if (!indice_valido(i)) return t;
    const sistema& s = sistemas[i];
    const double paso = (vmax - vmin) / 100;
    const double xb = covolumen(s);
    // The list the previous segment went into; a segment of the same style
    // that follows it continues its polyline.
    const std::vector<std::vector<punto>>* previa = nullptr;
    double v1 = vmin;
    double p1 = presion(s, v1);
    for (int k = 0; k < 100; ++k) {
        const double v2 = v1 + paso;
        const double p2 = presion(s, v2);
        // Inside the excluded volume the curve is not drawn at all, so it never
        // paints over another curve there.
        const bool visible = !(v1 <= xb) && std::isfinite(v1) && std::isfinite(p1) &&
                             std::isfinite(v2) && std::isfinite(p2);
        if (visible) {
            auto& lista = v1 > vl && v2 < vg ? t.punteadas : t.solidas;
            if (previa == &lista)
                lista.back().push_back({v2, p2});
            else
                lista.push_back({{v1, p1}, {v2, p2}});
            previa = &lista;
        } else {
            previa = nullptr;
        }
        v1 = v2;
        p1 = p2;
    }
    return t;
}

std::optional<std::vector<punto>> linea_pv(int i, double& vg, double& vl) {
    if (!indice_valido(i)) return std::nullopt;
    const sistema& s = sistemas[i];
    if (s.personalizado) return std::nullopt;
    double l = 0;
    double g = 0;
    const double pv = presion_vapor_curva(i, l, g);
    vl = l * s.moles;
    vg = g * s.moles;
    // Without an equilibrium there is no two-phase stretch either.
    if (!(pv >= 0) || !std::isfinite(pv) || !std::isfinite(vl) || !std::isfinite(vg)) {
        vl = 0;
        vg = 0;
        return std::nullopt;
    }
    return std::vector<punto>{{vl, pv}, {vg, pv}};
}

Polilineas curva(int i, double vmin, double vmax) {
    double vl = 0;
    double vg = 0;
    std::optional<std::vector<punto>> pv = linea_pv(i, vg, vl);
    Polilineas t = isoterma(i, vmin, vmax, vg, vl);
    if (pv) t.solidas.insert(t.solidas.begin(), std::move(*pv));
    return t;
}

void dibuja_curva(Lienzo& plot, int i, double vmin, double vmax) {
    if (!indice_valido(i)) return;
    const QColor color = color_de(sistemas[i].color);
    const Polilineas t = curva(i, vmin, vmax);
    // Segment by segment, as the plot draws a line: each dotted segment starts
    // its own dot pattern.
    auto pinta = [&](const std::vector<std::vector<punto>>& lista, Lienzo::Estilo trazo) {
        plot.fijar_estilo(trazo);
        for (const std::vector<punto>& linea : lista)
            for (std::size_t k = 1; k < linea.size(); ++k)
                plot.linea(linea[k - 1].v, linea[k - 1].p, linea[k].v, linea[k].p, color);
    };
    pinta(t.solidas, Lienzo::Estilo::solido);
    pinta(t.punteadas, Lienzo::Estilo::punteado);
    plot.fijar_estilo(Lienzo::Estilo::solido);
}

int muestras(const Lienzo& plot) {
    return std::clamp(plot.width() * kTwipsPorPixel, 1, 32767);
}

void rango_presion(const Lienzo& plot, int i, punto& minimo, punto& maximo) {
    if (!indice_valido(i)) {
        minimo.p = maximo.p = 0;  // no curve: nothing could be computed
        return;
    }
    const sistema& s = sistemas[std::size_t(i)];
    const int n = muestras(plot);
    const double paso = (maximo.v - minimo.v) / n;
    double bajo = std::numeric_limits<double>::infinity();
    double alto = -std::numeric_limits<double>::infinity();
    double v = minimo.v;
    for (int k = 0; k <= n; ++k) {
        const double p = presion(s, v);
        if (std::isfinite(p)) {
            bajo = std::min(bajo, p);
            alto = std::max(alto, p);
        }
        v += paso;
    }
    if (bajo > alto) bajo = alto = 0;  // no sample could be computed
    // The cap keeps the interesting part of a curve that shoots up near its
    // excluded volume; it never turns the range upside down.
    if (alto > 1000 && 100 > bajo) alto = 100;
    if (bajo < 0) bajo = 0;
    alto = std::max(alto, bajo);
    minimo.p = bajo;
    maximo.p = alto;
}

void rango_curvas(const Lienzo& plot, punto& minimo, punto& maximo) {
    bool primera = true;
    for (int j = 1; j <= 5; ++j) {
        sistema& s = sistemas[std::size_t(j)];
        if (!s.activo || !curva_valida(s)) continue;
        s.minimo.v = minimo.v;
        s.maximo.v = maximo.v;
        rango_presion(plot, j, s.minimo, s.maximo);
        minimo.p = primera ? s.minimo.p : std::min(minimo.p, s.minimo.p);
        maximo.p = primera ? s.maximo.p : std::max(maximo.p, s.maximo.p);
        primera = false;
    }
}

}  // namespace korgas
