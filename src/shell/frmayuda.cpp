#include "shell/frmayuda.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpContentItem>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpEngineCore>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "shell/frmprincipal.h"
#include "shell/idiomas.h"

namespace korgas {

namespace {

// A toolbar button with the desktop theme's icon, or the style's own.
QToolButton* boton(QWidget* padre, const char* nombre, const char* tema,
                   QStyle::StandardPixmap icono) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QLatin1String(nombre));
    b->setIcon(QIcon::fromTheme(QLatin1String(tema), padre->style()->standardIcon(icono)));
    b->setAutoRaise(true);
    b->setIconSize(QSize(22, 22));
    return b;
}

}  // namespace

PaginaAyuda::PaginaAyuda(QHelpEngine* motor, QWidget* padre) : QTextBrowser(padre), motor_(motor) {
    // Links within the help are followed here; links to the web open in the
    // desktop's browser.
    setOpenLinks(true);
    setOpenExternalLinks(true);
}

QVariant PaginaAyuda::loadResource(int tipo, const QUrl& nombre) {
    if (nombre.scheme() == QLatin1String("qthelp")) return motor_->fileData(nombre);
    return QTextBrowser::loadResource(tipo, nombre);
}

frmayuda::frmayuda(const QString& coleccion) {
    setObjectName(kFrmayuda);
    // A window of its own, beside the main window, as a help viewer is.
    setProperty("ventana_propia", true);
    setWindowFlag(Qt::Window);
    setWindowTitle(sin_acceso(tx(30)));

    // The pages live in the documentation files the collection names (".qch"
    // beside it): without them there is no help to show. (Looked at before
    // the help engine opens them, which would leave an empty file behind.)
    {
        QHelpEngineCore previo(coleccion);
        previo.setReadOnly(true);
        if (previo.setupData()) {
            for (const QString& ns : previo.registeredDocumentations())
                if (!QFileInfo(previo.documentationFileName(ns)).isFile()) sin_paginas_ = true;
        }
    }
    if (sin_paginas_) return;

    motor_ = new QHelpEngine(coleccion, this);
    // The collection is only read: the program's folder need not be writable.
    motor_->setReadOnly(true);
    valida_ = motor_->setupData();
    error_ = motor_->error();
    if (valida_ && motor_->registeredDocumentations().isEmpty()) {
        valida_ = false;
        if (error_.isEmpty()) error_ = coleccion;
    }

    btatras_ = boton(this, "btatras", "go-previous", QStyle::SP_ArrowBack);
    btadelante_ = boton(this, "btadelante", "go-next", QStyle::SP_ArrowForward);
    btinicio_ = boton(this, "btinicio", "go-home", QStyle::SP_DirHomeIcon);
    btatras_->setEnabled(false);
    btadelante_->setEnabled(false);

    arbol_ = motor_->contentWidget();
    arbol_->setObjectName(QStringLiteral("arbol"));
    arbol_->setHeaderHidden(true);
    // Entries whole: the column as wide as its longest entry, the pane
    // scrolled across when narrower (the user can widen it at the divider).
    arbol_->setTextElideMode(Qt::ElideNone);
    arbol_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    arbol_->header()->setStretchLastSection(false);
    arbol_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pagina_ = new PaginaAyuda(motor_, this);
    pagina_->setObjectName(QStringLiteral("pagina"));

    auto* barra = new QHBoxLayout;
    barra->setContentsMargins(4, 2, 4, 2);
    barra->setSpacing(2);
    barra->addWidget(btatras_);
    barra->addWidget(btadelante_);
    barra->addWidget(btinicio_);
    barra->addStretch(1);

    auto* division = new QSplitter(Qt::Horizontal, this);
    division->setObjectName(QStringLiteral("division"));
    division->addWidget(arbol_);
    division->addWidget(pagina_);
    division->setStretchFactor(0, 0);
    division->setStretchFactor(1, 1);
    division->setSizes({260, 740});

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(0);
    todo->addLayout(barra);
    todo->addWidget(division, 1);

    connect(btatras_, &QToolButton::clicked, pagina_, &QTextBrowser::backward);
    connect(btadelante_, &QToolButton::clicked, pagina_, &QTextBrowser::forward);
    connect(btinicio_, &QToolButton::clicked, this, [this] {
        if (inicio_.isValid()) pagina_->setSource(inicio_);
    });
    connect(pagina_, &QTextBrowser::backwardAvailable, btatras_, &QToolButton::setEnabled);
    connect(pagina_, &QTextBrowser::forwardAvailable, btadelante_, &QToolButton::setEnabled);
    connect(pagina_, &QTextBrowser::sourceChanged, this, &frmayuda::pagina_cambiada);
    connect(arbol_, &QHelpContentWidget::linkActivated, pagina_,
            [this](const QUrl& url) { pagina_->setSource(url); });
    // One click on an entry opens its page (a double click, or Enter, too).
    connect(arbol_, &QTreeView::clicked, this, [this](const QModelIndex& i) {
        if (QHelpContentItem* e = motor_->contentModel()->contentItemAt(i))
            if (e->url().isValid() && e->url() != pagina_->source()) pagina_->setSource(e->url());
    });
    connect(motor_->contentModel(), &QHelpContentModel::contentsCreated, this,
            &frmayuda::contenido_creado);

    resize(1000, 700);
    if (QWidget* principal = frmprincipal::existente())
        centrar_en_pantalla(this, principal->screen(), 0.9);
}

void frmayuda::contenido_creado() {
    QHelpContentModel* modelo = motor_->contentModel();
    // The contents open at their first level, the first page shown.
    arbol_->expandToDepth(0);
    // The pane opens as wide as its entries, up to half the window.
    if (auto* division = findChild<QSplitter*>(QStringLiteral("division"))) {
        arbol_->resizeColumnToContents(0);
        const int ancho = arbol_->columnWidth(0) + 2 * arbol_->frameWidth() +
                          arbol_->verticalScrollBar()->sizeHint().width();
        const int total = division->width() > 0 ? division->width() : width();
        const int izquierda = std::min(std::max(ancho, division->sizes().value(0)), total / 2);
        division->setSizes({izquierda, std::max(1, total - izquierda)});
    }
    if (QHelpContentItem* raiz = modelo->contentItemAt(modelo->index(0, 0))) {
        inicio_ = raiz->url();
        if (pagina_->source().isEmpty()) pagina_->setSource(inicio_);
    }
    emit contenido_listo();
}

void frmayuda::pagina_cambiada(const QUrl& url) {
    // The contents follow the page shown.
    QUrl sin_ancla = url;
    sin_ancla.setFragment(QString());
    const QModelIndex i = arbol_->indexOf(sin_ancla);
    if (i.isValid()) arbol_->setCurrentIndex(i);
}

namespace {

// Text 36, with the main window's caption as title.
void sin_ayuda() {
    const QString titulo =
        frmprincipal::existente() ? frmprincipal::existente()->windowTitle() : titulo_programa();
    msgbox(tx(36), 64, titulo);
}

}  // namespace

void mostrar_ayuda() {
    if (fichero_ayuda.isEmpty() || !QFileInfo(fichero_ayuda).isFile()) {
        sin_ayuda();
        return;
    }
    Ventanas::mostrar(kFrmayuda);
}

void registrar_ayuda() {
    Ventanas::registrar(kFrmayuda, []() -> QWidget* {
        auto* w = new frmayuda(fichero_ayuda);
        if (w->valida()) return w;
        // No window: a collection without its pages is no help; one that
        // cannot be read is reported with its error.
        const bool sin_paginas = w->sin_paginas();
        const QString error = w->error();
        delete w;
        if (sin_paginas)
            sin_ayuda();
        else
            msgbox(error, 0);
        return nullptr;
    });
}

}  // namespace korgas
