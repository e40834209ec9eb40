#include "platform/formulas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

// A small box layout for the ten formulas: every piece measures itself (width,
// height above and depth below the baseline) and then paints itself at a given
// baseline. Level 0 is the main size, level 1 the size of exponents.

namespace korgas {

namespace {

constexpr double kTamano[2] = {17.0, 12.0};  // pixel size of the font by level

QFont fuente(int nivel, bool cursiva) {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(int(kTamano[std::clamp(nivel, 0, 1)]));
    f.setItalic(cursiva);
    return f;
}

struct Caja {
    double w = 0, asc = 0, desc = 0;
};

class Nodo {
  public:
    virtual ~Nodo() = default;
    virtual Caja medir(int nivel) const = 0;
    virtual void pintar(QPainter& p, double x, double base, int nivel) const = 0;
};
using N = std::shared_ptr<Nodo>;

// A run of text: ASCII letters are variables (italic), everything else is
// upright; the run "exp" stays upright as the name of the function.
class Texto : public Nodo {
  public:
    explicit Texto(QString s) {
        bool cursiva = false;
        QString actual;
        auto cerrar = [&] {
            if (!actual.isEmpty()) trozos_.push_back({actual, cursiva});
            actual.clear();
        };
        for (int i = 0; i < s.size(); ++i) {
            if (s.mid(i, 3) == QLatin1String("exp")) {
                cerrar();
                trozos_.push_back({QStringLiteral("exp"), false});
                i += 2;
                continue;
            }
            const QChar c = s[i];
            const bool letra = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                               (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                               c == QChar(0x03BC);
            if (letra != cursiva) {
                cerrar();
                cursiva = letra;
            }
            actual += c;
        }
        cerrar();
    }

    Caja medir(int nivel) const override {
        Caja c;
        for (const auto& t : trozos_) {
            QFontMetricsF fm(fuente(nivel, t.cursiva));
            c.w += fm.horizontalAdvance(t.s) + (t.cursiva ? correccion(nivel) : 0);
            c.asc = std::max(c.asc, fm.ascent() * 0.85);
            c.desc = std::max(c.desc, fm.descent() * 0.8);
        }
        return c;
    }

    void pintar(QPainter& p, double x, double base, int nivel) const override {
        for (const auto& t : trozos_) {
            QFont f = fuente(nivel, t.cursiva);
            p.setFont(f);
            p.drawText(QPointF(x, base), t.s);
            x += QFontMetricsF(f).horizontalAdvance(t.s) + (t.cursiva ? correccion(nivel) : 0);
        }
    }

  private:
    static double correccion(int nivel) { return kTamano[nivel] * 0.06; }
    struct Trozo {
        QString s;
        bool cursiva;
    };
    std::vector<Trozo> trozos_;
};

class Fila : public Nodo {
  public:
    explicit Fila(std::vector<N> hijos) : hijos_(std::move(hijos)) {}
    Caja medir(int nivel) const override {
        Caja c;
        for (const auto& h : hijos_) {
            Caja m = h->medir(nivel);
            c.w += m.w;
            c.asc = std::max(c.asc, m.asc);
            c.desc = std::max(c.desc, m.desc);
        }
        return c;
    }
    void pintar(QPainter& p, double x, double base, int nivel) const override {
        for (const auto& h : hijos_) {
            h->pintar(p, x, base, nivel);
            x += h->medir(nivel).w;
        }
    }

  private:
    std::vector<N> hijos_;
};

// Height of the fraction bar above the baseline: the middle of a minus sign.
double eje(int nivel) {
    return QFontMetricsF(fuente(nivel, false)).strikeOutPos();
}

class Fraccion : public Nodo {
  public:
    Fraccion(N num, N den) : num_(std::move(num)), den_(std::move(den)) {}
    Caja medir(int nivel) const override {
        Caja n = num_->medir(nivel), d = den_->medir(nivel);
        const double e = eje(nivel), g = hueco(nivel);
        return {std::max(n.w, d.w) + 2 * margen(nivel), e + g + n.asc + n.desc,
                g + d.asc + d.desc - e};
    }
    void pintar(QPainter& p, double x, double base, int nivel) const override {
        Caja n = num_->medir(nivel), d = den_->medir(nivel);
        const double ancho = std::max(n.w, d.w) + 2 * margen(nivel);
        const double barra = base - eje(nivel), g = hueco(nivel);
        num_->pintar(p, x + (ancho - n.w) / 2, barra - g - n.desc, nivel);
        den_->pintar(p, x + (ancho - d.w) / 2, barra + g + d.asc, nivel);
        p.save();
        p.setPen(QPen(Qt::black, nivel == 0 ? 1.1 : 0.9));
        p.drawLine(QPointF(x + 1, barra), QPointF(x + ancho - 1, barra));
        p.restore();
    }

  private:
    static double hueco(int nivel) { return kTamano[nivel] * 0.14; }
    static double margen(int nivel) { return kTamano[nivel] * 0.15; }
    N num_, den_;
};

class Potencia : public Nodo {
  public:
    Potencia(N base, N exponente) : base_(std::move(base)), exp_(std::move(exponente)) {}
    Caja medir(int nivel) const override {
        Caja b = base_->medir(nivel), e = exp_->medir(nivel + 1);
        const double s = subida(nivel);
        return {b.w + e.w, std::max(b.asc, s + e.asc), std::max(b.desc, e.desc - s)};
    }
    void pintar(QPainter& p, double x, double base, int nivel) const override {
        base_->pintar(p, x, base, nivel);
        exp_->pintar(p, x + base_->medir(nivel).w, base - subida(nivel), nivel + 1);
    }

  private:
    static double subida(int nivel) { return kTamano[nivel] * 0.45; }
    N base_, exp_;
};

// Parentheses as tall as their contents.
class Parentesis : public Nodo {
  public:
    explicit Parentesis(N dentro) : dentro_(std::move(dentro)) {}
    Caja medir(int nivel) const override {
        Caja c = dentro_->medir(nivel);
        return {c.w + 2 * ancho(nivel), c.asc + 1, c.desc + 1};
    }
    void pintar(QPainter& p, double x, double base, int nivel) const override {
        Caja c = dentro_->medir(nivel);
        const double arriba = base - c.asc - 1, abajo = base + c.desc + 1, a = ancho(nivel);
        p.save();
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::NoBrush);
        QPainterPath izq, der;
        izq.moveTo(x + a * 0.8, arriba);
        izq.quadTo(x + a * 0.05, (arriba + abajo) / 2, x + a * 0.8, abajo);
        const double xd = x + a + c.w;
        der.moveTo(xd + a * 0.2, arriba);
        der.quadTo(xd + a * 0.95, (arriba + abajo) / 2, xd + a * 0.2, abajo);
        p.drawPath(izq);
        p.drawPath(der);
        p.restore();
        dentro_->pintar(p, x + a, base, nivel);
    }

  private:
    static double ancho(int nivel) { return kTamano[nivel] * 0.4; }
    N dentro_;
};

class Raiz : public Nodo {
  public:
    explicit Raiz(N dentro) : dentro_(std::move(dentro)) {}
    Caja medir(int nivel) const override {
        Caja c = dentro_->medir(nivel);
        return {c.w + signo(nivel) + 2, c.asc + 3, c.desc + 1};
    }
    void pintar(QPainter& p, double x, double base, int nivel) const override {
        Caja c = dentro_->medir(nivel);
        const double s = signo(nivel), arriba = base - c.asc - 2, abajo = base + c.desc;
        p.save();
        p.setPen(QPen(Qt::black, 1.1));
        QPainterPath r;
        r.moveTo(x, base - c.asc * 0.35);
        r.lineTo(x + s * 0.3, base - c.asc * 0.45);
        r.lineTo(x + s * 0.55, abajo);
        r.lineTo(x + s, arriba);
        r.lineTo(x + s + c.w + 2, arriba);
        p.drawPath(r);
        p.restore();
        dentro_->pintar(p, x + s + 1, base, nivel);
    }

  private:
    static double signo(int nivel) { return kTamano[nivel] * 0.6; }
    N dentro_;
};

class Espacio : public Nodo {
  public:
    explicit Espacio(double em) : em_(em) {}
    Caja medir(int nivel) const override { return {em_ * kTamano[nivel], 0, 0}; }
    void pintar(QPainter&, double, double, int) const override {}

  private:
    double em_;
};

N t(const QString& s) {
    return std::make_shared<Texto>(s);
}
N fila(std::vector<N> h) {
    return std::make_shared<Fila>(std::move(h));
}
N frac(N a, N b) {
    return std::make_shared<Fraccion>(std::move(a), std::move(b));
}
N frac(const QString& a, const QString& b) {
    return frac(t(a), t(b));
}
N pot(N a, N b) {
    return std::make_shared<Potencia>(std::move(a), std::move(b));
}
N par(N a) {
    return std::make_shared<Parentesis>(std::move(a));
}
N raiz(N a) {
    return std::make_shared<Raiz>(std::move(a));
}
N esp(double em) {
    return std::make_shared<Espacio>(em);
}

const QString kMenos = QStringLiteral(" \u2212 ");
const QString kMas = QStringLiteral(" + ");

// RT / (v - b), the repulsive term of most of the equations.
N repulsion() {
    return frac(QStringLiteral("RT"), QStringLiteral("v") + kMenos + QStringLiteral("b"));
}

// exp(-a / (RTv)) of the Dieterici equations.
N exponencial() {
    return fila(
        {t(QStringLiteral("exp")), par(frac(QStringLiteral("\u2212a"), QStringLiteral("RTv")))});
}

N arbol(int e) {
    const N igual = t(QStringLiteral("P = "));
    switch (e) {
        case 0:
            return fila({igual, frac(QStringLiteral("RT"), QStringLiteral("v"))});
        case 1:
            return fila({igual, repulsion(), t(kMenos),
                         frac(QStringLiteral("a"), QStringLiteral("v\u00B2"))});
        case 2:
            return fila({igual, repulsion(), t(kMenos),
                         frac(QStringLiteral("a"), QStringLiteral("T v\u00B2"))});
        case 3:
            return fila({igual, repulsion(), t(QStringLiteral(" \u00B7 ")), exponencial()});
        case 4:
            return fila({igual, repulsion(), t(kMenos),
                         frac(t(QStringLiteral("a")),
                              fila({t(QStringLiteral("v(v") + kMas + QStringLiteral("b) ")),
                                    raiz(t(QStringLiteral("T")))}))});
        case 5:
            return fila({igual, frac(QStringLiteral("RT"), QStringLiteral("v")), esp(0.1),
                         par(fila({t(QStringLiteral("A") + kMas),
                                   frac(QStringLiteral("B"), QStringLiteral("v")), t(kMas),
                                   frac(QStringLiteral("C"), QStringLiteral("v\u00B2")), t(kMas),
                                   frac(QStringLiteral("D"), QStringLiteral("v\u00B3"))}))});
        case 6:
            return fila({igual, repulsion(), t(kMenos),
                         frac(t(QStringLiteral("a")),
                              pot(t(QStringLiteral("v")), t(QStringLiteral("\u03BC"))))});
        case 7:
            return fila({igual, repulsion(), t(kMenos),
                         frac(QStringLiteral("a(T)"),
                              QStringLiteral("v(v") + kMas + QStringLiteral("b)"))});
        case 8:
            return fila({igual, repulsion(), t(kMenos),
                         frac(QStringLiteral("a(T)"),
                              QStringLiteral("v(v") + kMas + QStringLiteral("b)") + kMas +
                                  QStringLiteral("b(v") + kMenos + QStringLiteral("b)"))});
        case 9:
            return fila({igual,
                         frac(QStringLiteral("RT(1") + kMas + QStringLiteral("y") + kMas +
                                  QStringLiteral("y\u00B2") + kMenos + QStringLiteral("y\u00B3)"),
                              QStringLiteral("v(1") + kMenos + QStringLiteral("y)\u00B3")),
                         t(QStringLiteral(" \u00B7 ")), exponencial(), t(QStringLiteral(",  y = ")),
                         frac(QStringLiteral("b"), QStringLiteral("4v"))});
        default:
            return nullptr;
    }
}

constexpr double kMargen = 4;

QSizeF tamano(const N& n) {
    Caja c = n->medir(0);
    return {c.w + 2 * kMargen, c.asc + c.desc + 2 * kMargen};
}

}  // namespace

QPixmap formula(int ecuacion, qreal ratio) {
    N n = arbol(ecuacion);
    if (!n) return {};
    if (ratio <= 0) ratio = 1;
    const QSizeF s = tamano(n);
    QPixmap px(QSize(int(std::ceil(s.width() * ratio)), int(std::ceil(s.height() * ratio))));
    px.setDevicePixelRatio(ratio);
    px.fill(Qt::white);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    n->pintar(p, kMargen, kMargen + n->medir(0).asc, 0);
    return px;
}

QSize tamano_formulas() {
    QSizeF m;
    for (int e = 0; e < 10; ++e) m = m.expandedTo(tamano(arbol(e)));
    return QSize(int(std::ceil(m.width())), int(std::ceil(m.height())));
}

QLabel* cuadro_formula(QWidget* padre) {
    auto* l = new QLabel(padre);
    l->setObjectName(QStringLiteral("imgformula"));
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumSize(tamano_formulas() + QSize(8, 8));
    l->setFrameShape(QFrame::StyledPanel);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::white);
    l->setPalette(pal);
    return l;
}

}  // namespace korgas
