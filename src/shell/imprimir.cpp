#include "shell/imprimir.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <optional>
#include <utility>

#include "core/numtext.h"
#include "platform/texto_qt.h"

namespace korgas {

namespace {

constexpr double kMargenIzquierdo = 1440;  // x where every line starts
constexpr double kArribaTexto = 800;       // y of the first line of a page begun by the text
constexpr double kLimiteAbajo = 1000;      // a page is full once y is beyond H minus this
constexpr int kAnchoTabulador = 10;        // tab stops: every 10 widths of "0"
const QString kSaltoPagina = QStringLiteral(".../...");

std::function<bool(QPrinter&)>& eleccion_fijada() {
    static std::function<bool(QPrinter&)> f;
    return f;
}

bool separador(QChar c) {
    return c.unicode() <= 32;
}

// Past the bottom limit: the page is full.
bool pagina_llena(const Impresora& p) {
    return p.alto() - kLimiteAbajo < p.y;
}

// True when a word follows position i: a new page is begun only for a line
// that has something to print on it.
bool queda_palabra(const QString& texto, qsizetype i) {
    for (; i < texto.size(); ++i)
        if (!separador(texto[i])) return true;
    return false;
}

}  // namespace

void Impresora::imprimir(const QString& t, bool seguir) {
    if (!t.isEmpty()) {
        if (pendiente_) {
            pasar_pagina();
            pendiente_ = false;
        }
        dibujar(x, y, t);
    }
    if (seguir) {
        x += ancho_texto(t);
    } else {
        terminar_linea();
    }
}

void Impresora::terminar_linea() {
    x = 0;
    y += std::max(1.0, alto_linea());
}

void Impresora::nueva_pagina() {
    ++pagina_;
    pendiente_ = true;
    x = 0;
    y = 0;
}

// ---------------------------------------------------------------------------

struct ImpresoraQt::Datos {
    QPrinter& impresora;
    QPainter pintor;
    // The font's measures on this printer, taken once.
    std::optional<QFontMetricsF> medidas;
    double twips_por_pixel = 1;
    double ascenso = 0;  // in twips
    double alto_linea = 1;
    QRectF area;  // the printable area, in device pixels

    explicit Datos(QPrinter& p) : impresora(p) {}
};

ImpresoraQt::ImpresoraQt(QPrinter& impresora) : d_(std::make_unique<Datos>(impresora)) {
    impresora.setPageSize(QPageSize(QPageSize::A4));
    impresora.setFullPage(false);
    if (!d_->pintor.begin(&impresora))
        throw ErrorImpresion("the printer cannot be opened: " +
                             impresora.printerName().toStdString());
    const double resolucion = impresora.resolution() > 0 ? impresora.resolution() : 72;
    d_->twips_por_pixel = 1440.0 / resolucion;
    d_->area = impresora.pageRect(QPrinter::DevicePixel);

    QFont fuente(QStringLiteral("Courier New"));
    fuente.setStyleHint(QFont::TypeWriter);
    fuente.setFixedPitch(true);
    fuente.setPointSize(10);
    d_->pintor.setFont(fuente);
    d_->pintor.setPen(Qt::black);
    d_->medidas.emplace(fuente, &impresora);
    d_->ascenso = d_->medidas->ascent() * d_->twips_por_pixel;
    d_->alto_linea = d_->medidas->height() * d_->twips_por_pixel;
}

ImpresoraQt::~ImpresoraQt() {
    // A document left unfinished by an error is given up, not sent.
    if (d_->pintor.isActive()) {
        d_->impresora.abort();
        d_->pintor.end();
    }
}

double ImpresoraQt::ancho() const {
    return d_->area.width() * d_->twips_por_pixel;
}

double ImpresoraQt::alto() const {
    return d_->area.height() * d_->twips_por_pixel;
}

double ImpresoraQt::ancho_texto(const QString& t) const {
    return d_->medidas->horizontalAdvance(t) * d_->twips_por_pixel;
}

double ImpresoraQt::alto_linea() const {
    return d_->alto_linea;
}

void ImpresoraQt::pasar_pagina() {
    if (!d_->impresora.newPage()) throw ErrorImpresion("the printer cannot start a new page");
}

void ImpresoraQt::dibujar(double en_x, double en_y, const QString& t) {
    const double escala = 1.0 / d_->twips_por_pixel;
    d_->pintor.drawText(QPointF(en_x * escala, (en_y + d_->ascenso) * escala), t);
}

void ImpresoraQt::terminar() {
    if (!d_->pintor.end()) throw ErrorImpresion("the printer cannot finish the document");
}

// ---------------------------------------------------------------------------

void imprimircabecera(Impresora& p, const QString& titulo, const QString& subtitulo) {
    const QString blanco = QStringLiteral(" ");
    p.imprimir(blanco);
    p.imprimir(blanco);
    p.x = (p.ancho() - p.ancho_texto(titulo)) / 2;
    p.imprimir(titulo);
    if (!subtitulo.isEmpty()) {
        p.imprimir(blanco);
        p.x = (p.ancho() - p.ancho_texto(subtitulo)) / 2;
        p.imprimir(subtitulo);
    }
    p.imprimir(blanco);
    p.terminar_linea();
}

void imprimirpie(Impresora& p) {
    p.terminar_linea();
    const QString pie = tx(236, QStringLiteral("Página:")) + ' ' + fmt(p.pagina(), "###");
    p.x = (p.ancho() - p.ancho_texto(pie)) / 2;
    p.imprimir(pie);
    p.nueva_pagina();
}

void imprimirtexto(Impresora& p, const QString& texto, const QString& titulo,
                   const QString& subtitulo) {
    const QString blanco = QStringLiteral(" ");
    p.y = kArribaTexto;
    imprimircabecera(p, titulo, subtitulo);
    p.x = kMargenIzquierdo;

    const double ancho_cero = std::max(1.0, p.ancho_texto(QStringLiteral("0")));
    const qsizetype largo = texto.size();
    qsizetype i = 0;
    while (i < largo) {
        // A word: the characters up to the next separator (it may be empty).
        const qsizetype inicio = i;
        while (i < largo && !separador(texto[i])) ++i;
        const QString palabra = texto.mid(inicio, i - inicio);

        // Wrap: the word goes to the next line, and to the next page (without
        // a header, from its top) when this one is full.
        if (p.ancho() < p.x + p.ancho_texto(palabra)) {
            p.terminar_linea();
            if (pagina_llena(p)) imprimirpie(p);
            p.x = kMargenIzquierdo;
        }

        if (palabra == kSaltoPagina) {
            if (!queda_palabra(texto, i)) break;
            p.y = p.alto() - kLimiteAbajo;
            imprimirpie(p);
            p.y = kArribaTexto;
            imprimircabecera(p, titulo, blanco);
            p.x = kMargenIzquierdo;
            continue;
        }
        p.imprimir(palabra, true);

        bool acabado = false;
        for (; !acabado && i < largo && separador(texto[i]); ++i) {
            switch (texto[i].unicode()) {
                case ' ':
                    p.imprimir(blanco, true);
                    break;
                case '\n':
                    p.terminar_linea();
                    if (pagina_llena(p)) {
                        // The footer of the last page comes below.
                        if (!queda_palabra(texto, i)) {
                            acabado = true;
                            break;
                        }
                        imprimirpie(p);
                        p.y = kArribaTexto;
                        imprimircabecera(p, titulo, blanco);
                    }
                    p.x = kMargenIzquierdo;
                    break;
                case '\t': {
                    long long n = redondeo_par((p.x - kMargenIzquierdo) / ancho_cero);
                    n = n + kAnchoTabulador - n % kAnchoTabulador;
                    p.x = kMargenIzquierdo + double(n) * ancho_cero;
                    break;
                }
                default:  // the CR of a CR LF pair, and every other control
                    break;
            }
        }
        if (acabado) break;
    }

    // The last page is filled down to the bottom limit, then gets its footer.
    while (p.y < p.alto() - kLimiteAbajo) p.terminar_linea();
    imprimirpie(p);
    p.fin_documento();
}

bool imprimir_documento(const QString& texto, const QString& titulo, const QString& subtitulo,
                        QWidget* padre) {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    impresora.setDocName(titulo);
    if (eleccion_fijada()) {
        if (!eleccion_fijada()(impresora)) return false;
    } else {
        QPrintDialog dialogo(&impresora, padre);
        dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialogo.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        if (dialogo.exec() != QDialog::Accepted) return false;
    }
    ImpresoraQt p(impresora);
    imprimirtexto(p, texto, titulo, subtitulo);
    return true;
}

void elegir_impresora_con(std::function<bool(QPrinter&)> eleccion) {
    eleccion_fijada() = std::move(eleccion);
}

}  // namespace korgas
