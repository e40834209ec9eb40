// Printing a plain text as a paginated document: A4, a fixed-pitch font, a
// left margin, word wrap, tab stops, a forced page break (the word ".../..."),
// a centred header and a centred page-number footer.
//
// Positions and lengths are in twips (1440 to the inch), on the printable area
// of the page as the printer reports it, y growing downward.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

class QPrinter;
class QWidget;

namespace korgas {

// A printer fails (it cannot be opened, a page cannot be started, the
// document cannot be finished). what() says why.
class ErrorImpresion : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A printer as the printing procedures see it: a print position (x, y), the
// page number (1 for the first page), the size of the printable area and a
// text measure in the document's font. Pages are changed lazily: the page a
// new_pagina asks for is started only when something is drawn on it, so a
// page change followed by the end of the document leaves no blank sheet.
class Impresora {
  public:
    virtual ~Impresora() = default;

    double x = 0;  // CurrentX
    double y = 0;  // CurrentY

    virtual double ancho() const = 0;  // W
    virtual double alto() const = 0;   // H
    virtual double ancho_texto(const QString& t) const = 0;
    int pagina() const { return pagina_; }

    // Prints t at the print position. seguir: stays on the line, after the
    // text; otherwise the line ends (x to 0, y one line down).
    void imprimir(const QString& t, bool seguir = false);
    // Ends the current line with nothing more on it.
    void terminar_linea();
    // The next page, with the print position at its top left.
    void nueva_pagina();
    // Ends the document.
    void fin_documento() { terminar(); }

  protected:
    // Starts the next page on the printer.
    virtual void pasar_pagina() = 0;
    // The height of a line of text; never below one twip.
    virtual double alto_linea() const = 0;
    // Draws t with its top left corner at (x, y) on page pagina().
    virtual void dibujar(double x, double y, const QString& t) = 0;
    virtual void terminar() = 0;

  private:
    int pagina_ = 1;
    bool pendiente_ = false;  // a new page asked for and not started yet
};

// The system printer (or a PDF file) through a QPrinter: A4, "Courier New"
// 10 points (a metric-compatible fixed-pitch face stands in where that font is
// not installed). Throws ErrorImpresion when the printer cannot be opened.
class ImpresoraQt : public Impresora {
  public:
    explicit ImpresoraQt(QPrinter& impresora);
    ~ImpresoraQt() override;

    double ancho() const override;
    double alto() const override;
    double ancho_texto(const QString& t) const override;

  protected:
    double alto_linea() const override;
    void pasar_pagina() override;
    void dibujar(double x, double y, const QString& t) override;
    void terminar() override;

  private:
    struct Datos;
    std::unique_ptr<Datos> d_;
};

// The header: two blank lines, titulo centred, then (when subtitulo is not
// empty) a blank line and subtitulo centred, then two more lines.
void imprimircabecera(Impresora& p, const QString& titulo, const QString& subtitulo);
// The footer "Página: n" centred below the current line, then a new page.
void imprimirpie(Impresora& p);
// The whole document: texto with the header titulo / subtitulo on the first
// page and titulo on every later page begun by a line feed or a page break,
// and a footer on every page. Errors of the printer reach the caller.
void imprimirtexto(Impresora& p, const QString& texto, const QString& titulo,
                   const QString& subtitulo);

// Prints texto with imprimirtexto on the printer the user chooses in the
// system's print dialog (a printer or a PDF file). false when the user cancels
// the dialog; throws ErrorImpresion when the chosen printer fails.
bool imprimir_documento(const QString& texto, const QString& titulo, const QString& subtitulo,
                        QWidget* padre = nullptr);

// Tests and benchmarks: while set, imprimir_documento shows no dialog and asks
// this function instead to set up the printer (an output file, a printer name);
// its result stands for the dialog's (false: cancelled). An empty function
// restores the dialog.
void elegir_impresora_con(std::function<bool(QPrinter&)> eleccion);

}  // namespace korgas
