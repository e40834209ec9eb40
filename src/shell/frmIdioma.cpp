#include "shell/frmIdioma.h"

#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <exception>
#include <limits>

#include "core/gas.h"
#include "core/kvstore.h"
#include "core/numtext.h"
#include "platform/eventos_foco.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/rejilla.h"
#include "platform/texto_qt.h"
#include "platform/twips.h"
#include "shell/idiomas.h"
#include "shell/imprimir.h"

namespace korgas {

namespace {

// The window's size and the places of the grid and the buttons, in twips.
constexpr int kAnchoVentana = 12000;
constexpr int kAltoVentana = 8000;
constexpr int kMargen = 100;
constexpr int kAnchoClaves = 900;
constexpr int kAnchoBoton = 1455;
constexpr int kAltoBoton = 375;
// The most languages the language menu was made for.
constexpr int kMaxIdiomas = 8;

// One language section of the file: its name and its pairs in file order,
// key and value as written (neither trimmed). A line without "=" is no text:
// it is not shown, and the save leaves it where it is.
struct Seccion {
    QString nombre;
    std::vector<std::pair<QString, QString>> pares;
};

// Every section of the file but the first.
std::vector<Seccion> secciones_de(const std::vector<std::string>& lineas) {
    std::vector<Seccion> r;
    int n = -1;  // sections seen: 0 is the first one
    for (const std::string& bytes : lineas) {
        const QString l = QString::fromStdString(bytes);
        if (l.isEmpty()) continue;
        if (l.startsWith('[')) {
            // The name is the line without its first and last character.
            if (++n >= 1) r.push_back({l.size() >= 2 ? l.mid(1, l.size() - 2) : QString(), {}});
            continue;
        }
        if (n < 1) continue;
        const qsizetype igual = l.indexOf('=');
        if (igual < 0) continue;
        r.back().pares.emplace_back(l.left(igual), l.mid(igual + 1));
    }
    return r;
}

const Seccion* buscar(const std::vector<Seccion>& s, const QString& nombre) {
    for (const Seccion& x : s)
        if (x.nombre.toLower() == nombre.toLower()) return &x;
    return nullptr;
}

QString titulo_ventana() {
    return sin_acceso(tx(7));
}

QString clave_de(const QString& clave) {
    return clave.toLower();
}

}  // namespace

frmIdioma::frmIdioma() {
    setObjectName(kFrmIdioma);
    MSFlexIdiomas = new Rejilla(this);
    MSFlexIdiomas->setObjectName(QStringLiteral("MSFlexIdiomas"));
    txtidioma = new QLineEdit(MSFlexIdiomas);
    txtidioma->setObjectName(QStringLiteral("txtidioma"));
    // A text is one line of the file, however long: the box never cuts it.
    txtidioma->setMaxLength(std::numeric_limits<int>::max());
    txtidioma->hide();
    // The box goes when the focus moves on to another control.
    new EventosFoco(txtidioma, {}, [this] { txtidioma->hide(); });
    btguardar = new QPushButton(this);
    btguardar->setObjectName(QStringLiteral("btguardar"));
    btnuevo = new QPushButton(this);
    btnuevo->setObjectName(QStringLiteral("btnuevo"));
    btimprimir = new QPushButton(this);
    btimprimir->setObjectName(QStringLiteral("btimprimir"));

    connect(MSFlexIdiomas, &Rejilla::clic, this, &frmIdioma::MSFlexIdiomas_Click);
    connect(txtidioma, &QLineEdit::textChanged, this, &frmIdioma::txtidioma_Change);
    connect(txtidioma, &QLineEdit::returnPressed, this, &frmIdioma::txtidioma_Enter);
    connect(btguardar, &QPushButton::clicked, this, &frmIdioma::btguardar_Click);
    connect(btnuevo, &QPushButton::clicked, this, &frmIdioma::btnuevo_Click);
    connect(btimprimir, &QPushButton::clicked, this, &frmIdioma::btimprimir_Click);

    Form_Load();
}

QSize frmIdioma::sizeHint() const {
    return {px(kAnchoVentana), px(kAltoVentana)};
}

void frmIdioma::Form_Load() {
    // Captions.
    setWindowTitle(titulo_ventana());
    btguardar->setText(tx(38));
    btnuevo->setText(tx(9));
    btimprimir->setText(tx(37));

    // The grid fills the window but a margin and the row of buttons.
    resize(sizeHint());
    const int ancho_rejilla = kAnchoVentana - 3 * kMargen;

    // Rows and columns.
    MSFlexIdiomas->fijar_fijas(1, 1);
    MSFlexIdiomas->fijar_columnas(numidiomas + 1);
    MSFlexIdiomas->fijar_filas(1);
    MSFlexIdiomas->fijar_texto(0, 0, titulo_ventana());
    MSFlexIdiomas->fijar_ancho(0, kAnchoClaves);

    // One column per language, at most four of them filling the width
    // (that the vertical scroll bar leaves).
    const int d = numidiomas > 4 ? 4 : numidiomas;
    const int barra = MSFlexIdiomas->verticalScrollBar()->sizeHint().width() * kTwipsPorPixel;
    for (int i = 1; i <= numidiomas; ++i) {
        const QString nombre = QString::fromStdString(listaidiomas[i]);
        MSFlexIdiomas->fijar_ancho(
            i, int(redondeo_par(double(ancho_rejilla - kAnchoClaves - 100 - barra) / d)));
        MSFlexIdiomas->fijar_texto(0, i, nombre);
        MSFlexIdiomas->fijar_alineacion(0, i, Qt::AlignCenter);
        // Bold only for the language named exactly as the current one.
        MSFlexIdiomas->fijar_negrita(0, i, listaidiomas[i] == idioma_actual);
        MSFlexIdiomas->fijar_alineacion_columna(i, Qt::AlignLeft | Qt::AlignVCenter);
    }

    // The texts.
    leer_fichero();

    modificado_ = false;
    columna_nueva_ = false;
    guardado_detenido_ = false;
}

void frmIdioma::leer_fichero() {
    std::vector<Seccion> secciones;
    try {
        secciones = secciones_de(leer(fichidioma).lineas());
    } catch (const ErrorFichero& e) {
        avisar_fichero_ilegible(e, nullptr, titulo_ventana());
    }
    // Rows: the keys of the first language in its order, then those only a
    // later language has; every value goes to the row of its key.
    claves_.clear();
    QHash<QString, int> fila_de;
    std::vector<std::vector<QString>> textos(numidiomas + 1);
    for (int i = 1; i <= numidiomas; ++i) {
        const Seccion* s = buscar(secciones, QString::fromStdString(listaidiomas[i]));
        if (!s) continue;
        QSet<int> puestas;
        for (const auto& [clave, valor] : s->pares) {
            auto it = fila_de.find(clave_de(clave));
            if (it == fila_de.end()) {
                it = fila_de.insert(clave_de(clave), int(claves_.size()) + 1);
                claves_.push_back(clave);
            }
            // The first line of a key is the one the program reads.
            if (puestas.contains(*it)) continue;
            puestas.insert(*it);
            textos[i].resize(claves_.size());
            textos[i][*it - 1] = valor;
        }
    }
    MSFlexIdiomas->fijar_filas(int(claves_.size()) + 1);
    for (int r = 1; r <= int(claves_.size()); ++r) {
        MSFlexIdiomas->fijar_texto(r, 0, claves_[r - 1]);
        for (int i = 1; i <= numidiomas; ++i)
            if (r - 1 < int(textos[i].size())) MSFlexIdiomas->fijar_texto(r, i, textos[i][r - 1]);
    }
}

void frmIdioma::MSFlexIdiomas_Click() {
    if (MSFlexIdiomas->filas() <= 1) return;
    abrir_caja(MSFlexIdiomas->fila(), MSFlexIdiomas->columna());
}

void frmIdioma::abrir_caja(int fila, int columna) {
    if (fila < 0 || columna < 1) return;
    fila_caja_ = fila;
    columna_caja_ = columna;
    texto_caja_ = MSFlexIdiomas->texto(fila, columna);
    txtidioma->setText(texto_caja_);
    if (fila >= MSFlexIdiomas->filas_fijas())
        MSFlexIdiomas->scrollTo(MSFlexIdiomas->model()->index(fila - 1, columna));
    txtidioma->setGeometry(MSFlexIdiomas->rect_celda(fila, columna));
    txtidioma->show();
    txtidioma->raise();
    txtidioma->setFocus();
    txtidioma->selectAll();
}

void frmIdioma::txtidioma_Change(const QString& texto) {
    // Each text is one line of the file: pasted line ends become blanks.
    if (texto.contains('\r') || texto.contains('\n')) {
        QString linea = texto;
        linea.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        linea.replace('\r', ' ').replace('\n', ' ');
        const int cursor = txtidioma->cursorPosition();
        txtidioma->setText(linea);
        txtidioma->setCursorPosition(std::min(cursor, int(linea.size())));
        return;
    }
    // A character the file cannot hold is refused; the text goes back.
    if (!representable_cp1252(texto.toStdString())) {
        txtidioma->setText(texto_caja_);
        msgbox(tx(244, QStringLiteral("Ese carácter no se puede guardar en el fichero de idiomas "
                                      "(Windows-1252).")),
               48, titulo_ventana());
        return;
    }
    texto_caja_ = texto;
    if (fila_caja_ < 0) return;
    if (MSFlexIdiomas->texto(fila_caja_, columna_caja_) != texto) {
        MSFlexIdiomas->fijar_texto(fila_caja_, columna_caja_, texto);
        editadas_.insert({fila_caja_, columna_caja_});
    }
    modificado_ = true;
}

void frmIdioma::txtidioma_Enter() {
    if (fila_caja_ < 0) return;
    MSFlexIdiomas->fijar_texto(fila_caja_, columna_caja_, txtidioma->text());
    if (fila_caja_ < MSFlexIdiomas->filas() - 1) {
        MSFlexIdiomas->fijar_celda(fila_caja_ + 1, columna_caja_);
        abrir_caja(fila_caja_ + 1, columna_caja_);
    } else {
        txtidioma->hide();
    }
}

void frmIdioma::resizeEvent(QResizeEvent* ev) {
    QWidget::resizeEvent(ev);
    // The grid follows the window; the buttons stay in a row below it.
    const int ancho = width() * kTwipsPorPixel, alto = height() * kTwipsPorPixel;
    MSFlexIdiomas->setGeometry(
        rect_twips(kMargen, kMargen, ancho - 3 * kMargen, alto - 10 * kMargen));
    const int y = alto - 10 * kMargen + kMargen + (9 * kMargen - kAltoBoton) / 2;
    int x = ancho - 2 * kMargen - 3 * kAnchoBoton - 2 * kMargen;
    for (QPushButton* b : {btnuevo, btguardar, btimprimir}) {
        b->setGeometry(rect_twips(x, y, kAnchoBoton, kAltoBoton));
        x += kAnchoBoton + kMargen;
    }
    if (txtidioma->isVisible())
        txtidioma->setGeometry(MSFlexIdiomas->rect_celda(fila_caja_, columna_caja_));
}

void frmIdioma::btnuevo_Click() {
    if (numidiomas >= kMaxIdiomas || columna_nueva_) return;
    const int c = MSFlexIdiomas->columnas();
    MSFlexIdiomas->fijar_columnas(c + 1);
    MSFlexIdiomas->fijar_ancho(c, MSFlexIdiomas->ancho(c - 1));
    MSFlexIdiomas->fijar_alineacion_columna(c, Qt::AlignLeft | Qt::AlignVCenter);
    MSFlexIdiomas->fijar_alineacion(0, c, Qt::AlignCenter);
    columna_nueva_ = true;
}

QString frmIdioma::nombre_nuevo() const {
    const QString nombre = MSFlexIdiomas->texto(0, MSFlexIdiomas->columnas() - 1).trimmed();
    // A name the file could not tell from another section, or that breaks
    // its header line, is no name.
    if (nombre.isEmpty() || nombre.contains('[') || nombre.contains(']') ||
        nombre.toLower() == QLatin1String("idioma"))
        return {};
    for (int i = 1; i <= numidiomas; ++i)
        if (QString::fromStdString(listaidiomas[i]).toLower() == nombre.toLower()) return {};
    return nombre;
}

frmIdioma::Guardado frmIdioma::guardar() {
    if (!modificado_) return Guardado::nada;
    txtidioma->hide();
    const QString nuevo = columna_nueva_ ? nombre_nuevo() : QString();
    const bool sin_nombre = columna_nueva_ && nuevo.isEmpty();
    const int filas = MSFlexIdiomas->filas();

    // The cells edited here, language by language and row by row.
    std::vector<std::pair<int, int>> cambios;
    for (const auto& [r, c] : editadas_)
        if (r >= 1 && c <= numidiomas) cambios.push_back({c, r});
    std::sort(cambios.begin(), cambios.end());
    try {
        editar(fichidioma, [&](Documento& doc) {
            // Only the texts edited here change; every other line of the file
            // (other keys, comments, sections and what another copy of the
            // program changed meanwhile) stays as it is.
            for (const auto& [c, r] : cambios)
                doc.fijarvalor(listaidiomas[c], claves_[r - 1].toStdString(),
                               MSFlexIdiomas->texto(r, c).toStdString());
            if (columna_nueva_ && !sin_nombre) {
                const int c = MSFlexIdiomas->columnas() - 1;
                doc.crearseccion(nuevo.toStdString());
                for (int r = 1; r < filas; ++r)
                    doc.fijarvalor(nuevo.toStdString(), claves_[r - 1].toStdString(),
                                   MSFlexIdiomas->texto(r, c).toStdString());
            }
        });
    } catch (const std::exception& e) {
        // ErrorFichero or ErrorTexto: nothing was written.
        msgbox(tx(245, QStringLiteral("No se ha podido guardar el fichero de idiomas; no ha "
                                      "cambiado.")) +
                   "\r\r" + detalle_error(e),
               16, titulo_ventana());
        return Guardado::fallido;
    }

    if (sin_nombre) {
        // The other languages are saved; the new one waits for its name.
        msgbox(tx(185), 16, titulo_ventana());
        abrir_caja(0, MSFlexIdiomas->columnas() - 1);
        guardado_detenido_ = true;
        return Guardado::detenido;
    }
    if (columna_nueva_) {
        const int c = MSFlexIdiomas->columnas() - 1;
        MSFlexIdiomas->fijar_texto(0, c, nuevo);
        ++numidiomas;
        listaidiomas.resize(numidiomas + 1);
        listaidiomas[numidiomas] = nuevo.toStdString();
    }
    llenar_menu_idiomas(28);
    modificado_ = false;
    columna_nueva_ = false;
    guardado_detenido_ = false;
    editadas_.clear();
    return Guardado::hecho;
}

void frmIdioma::btguardar_Click() {
    guardar();
}

void frmIdioma::btimprimir_Click() {
    const QString encabezado = sin_acceso(tx(27)) + QStringLiteral("  ") + sin_acceso(tx(24));
    const QString subtitulo =
        sin_acceso(tx(25)) + ' ' + QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy"));
    try {
        // The file as it is on disk, not the grid.
        QFile f(QString::fromStdString(fichidioma));
        if (!f.open(QIODevice::ReadOnly))
            throw ErrorFichero(fichidioma, ErrorFichero::Causa::ilegible, "cannot be opened");
        const QByteArray bytes = f.readAll();
        if (f.error() != QFileDevice::NoError)
            throw ErrorFichero(fichidioma, ErrorFichero::Causa::ilegible, "cannot be read");
        QString texto = QString::fromStdString(desde_cp1252(bytes.toStdString()));
        texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        texto.replace('\r', '\n');
        imprimir_documento(texto, encabezado, subtitulo, this);
    } catch (const std::exception&) {
        msgbox(tx(39), 0);
    }
}

void frmIdioma::closeEvent(QCloseEvent* ev) {
    if (!modificado_) {
        ev->accept();
        return;
    }
    switch (msgbox(tx(40) + ' ' + windowTitle() + '?', 51, titulo_ventana())) {
        case 6:  // Yes: closes only once the file is saved
            if (guardar() == Guardado::hecho) {
                ev->accept();
            } else {
                guardado_detenido_ = false;
                ev->ignore();
            }
            break;
        case 7:  // No: the changes are lost
            ev->accept();
            break;
        default:  // Cancel
            ev->ignore();
            break;
    }
}

}  // namespace korgas
