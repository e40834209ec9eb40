// The help of the current language: a Qt Help collection (program folder,
// language name, ".qhc") shown in the program's own help window, a window of
// its own beside the main window with the contents tree on the left and the
// page on the right. A second Help brings the same window to the front.
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QHelpContentWidget;
class QHelpEngine;
class QToolButton;

namespace korgas {

// The page viewer: reads the pages and pictures of the collection, and opens
// links to the web in the desktop's browser.
class PaginaAyuda : public QTextBrowser {
    Q_OBJECT
  public:
    PaginaAyuda(QHelpEngine* motor, QWidget* padre);
    QVariant loadResource(int tipo, const QUrl& nombre) override;

  private:
    QHelpEngine* motor_;
};

class frmayuda : public QWidget {
    Q_OBJECT

  public:
    // Opens the collection read-only; valida() tells whether it could be read.
    explicit frmayuda(const QString& coleccion);

    bool valida() const { return valida_; }
    // Why the collection could not be read.
    QString error() const { return error_; }
    // The collection names documentation files that are not there.
    bool sin_paginas() const { return sin_paginas_; }

    QHelpContentWidget* arbol() const { return arbol_; }
    PaginaAyuda* pagina() const { return pagina_; }
    // The first page of the contents, once the tree is built (empty before).
    QUrl inicio() const { return inicio_; }

  signals:
    // The contents tree is built and the first page shown.
    void contenido_listo();

  private:
    void contenido_creado();
    void pagina_cambiada(const QUrl& url);

    QHelpEngine* motor_ = nullptr;
    QHelpContentWidget* arbol_ = nullptr;
    PaginaAyuda* pagina_ = nullptr;
    QToolButton* btatras_ = nullptr;
    QToolButton* btadelante_ = nullptr;
    QToolButton* btinicio_ = nullptr;
    QUrl inicio_;
    bool valida_ = false;
    bool sin_paginas_ = false;
    QString error_;
};

// The main window's Help: language text 36 (information, with the main
// window's caption as title) when the current language has no collection, or
// the collection or its pages are missing; otherwise the help window, opened at its contents, or
// brought to the front when it is open. A collection that cannot be read is
// reported with its error.
void mostrar_ayuda();

// Registers the help window with the window registry.
void registrar_ayuda();

}  // namespace korgas
