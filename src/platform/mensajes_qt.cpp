#include "platform/mensajes_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cerrno>
#include <utility>

#include "core/kvstore.h"
#include "platform/texto_qt.h"

namespace korgas {

namespace {

Respondedor& respondedor() {
    static Respondedor r;
    return r;
}

// The buttons of a style (its lowest three bits) with the answer each gives.
struct Boton {
    QMessageBox::StandardButton boton;
    int respuesta;
};

std::vector<Boton> botones(int estilo) {
    switch (estilo & 7) {
        case 1:
            return {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
        case 2:
            return {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}};
        case 3:
            return {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
        case 4:
            return {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
        case 5:
            return {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}};
        default:
            return {{QMessageBox::Ok, 1}};
    }
}

QMessageBox::Icon icono(int estilo) {
    switch (estilo & 0x70) {
        case 16:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// Closing the box without a button gives the answer of its Cancel button, or of
// its only button.
int respuesta_al_cerrar(const std::vector<Boton>& lista) {
    for (const Boton& b : lista)
        if (b.boton == QMessageBox::Cancel) return b.respuesta;
    return lista.size() == 1 ? lista.front().respuesta : 2;
}

}  // namespace

QString titulo_programa() {
    return QStringLiteral("KOR GAS V1.0");
}

QString texto_no_se_puede_leer(const QString& ruta, const QString& causa) {
    return QStringLiteral("No se puede leer el fichero / The file cannot be read:\n%1\n(%2)")
        .arg(ruta, causa);
}

QString causa_fichero(const ErrorFichero& e) {
    using C = ErrorFichero::Causa;
    // Each cause's text, with its words for a language file that lacks it.
    auto causa = [&]() -> QString {
        switch (e.causa()) {
            case C::carpeta:
                return tx(248, QStringLiteral("es una carpeta, no un fichero"));
            case C::no_regular:
                return tx(249, QStringLiteral("no es un fichero normal"));
            case C::ilegible:
                return tx(250, QStringLiteral("no se puede leer"));
            case C::grande:
                return tx(251, QStringLiteral("es demasiado grande para leerlo (más de 1 GiB)"));
            case C::memoria:
                return tx(252, QStringLiteral("no hay memoria suficiente para leerlo"));
            case C::ruta:
                return tx(253, QStringLiteral("no se puede seguir su ruta"));
            case C::solo_lectura:
                return tx(254,
                          QStringLiteral("es de solo lectura (no tiene permiso de escritura)"));
            case C::temporal:
                return tx(255,
                          QStringLiteral("no se puede crear un fichero temporal en su carpeta"));
            case C::no_escribible:
                return tx(256, QStringLiteral("no se puede escribir"));
            case C::no_reemplazable:
                return tx(257, QStringLiteral("no se puede reemplazar"));
            case C::cerrojo:
                return tx(258, QStringLiteral("no se puede bloquear para escribirlo"));
            case C::ocupado:
                return tx(259, QStringLiteral("otro programa lo está escribiendo; se ha dejado "
                                              "de esperar"));
        }
        return QString::fromStdString(e.what());
    }();
    // The system's reason behind it, for the few a user can act on; any other
    // by its number.
    const int n = e.sistema();
    if (n == 0 || e.causa() == C::ruta) return causa;
    QString sistema;
    switch (n) {
        case EACCES:
        case EPERM:
            sistema = tx(260, QStringLiteral("permiso denegado"));
            break;
        case ENOSPC:
        case EDQUOT:
            sistema = tx(261, QStringLiteral("no queda espacio en el disco"));
            break;
        case EROFS:
            sistema = tx(262, QStringLiteral("sistema de ficheros de solo lectura"));
            break;
        case EIO:
            sistema = tx(263, QStringLiteral("error de entrada/salida"));
            break;
        case ENOENT:
        case ENOTDIR:
            sistema = tx(264, QStringLiteral("no existe"));
            break;
        default:
            sistema = tx(265, QStringLiteral("error del sistema")) + ' ' + QString::number(n);
            break;
    }
    return causa + QStringLiteral(": ") + sistema;
}

QString detalle_error(const std::exception& e) {
    if (const auto* f = dynamic_cast<const ErrorFichero*>(&e))
        return QString::fromStdString(f->ruta()) + QStringLiteral(": ") + causa_fichero(*f);
    if (dynamic_cast<const ErrorTexto*>(&e))
        return tx(266, QStringLiteral("El texto tiene un carácter o un fin de línea que el "
                                      "fichero no puede guardar."));
    return QString::fromStdString(e.what());
}

void avisar_fichero_ilegible(const ErrorFichero& e, QWidget* padre, const QString& titulo_caja) {
    const QString ruta = QString::fromStdString(e.ruta());
    // A language file without the text keeps the message in both languages.
    const QString cabecera = tx(247);
    msgbox(cabecera.isEmpty()
               ? texto_no_se_puede_leer(ruta, causa_fichero(e))
               : cabecera + '\n' + ruta + QStringLiteral("\n(") + causa_fichero(e) + ')',
           16, titulo_caja, padre);
}

int msgbox(const QString& texto, int estilo_caja, const QString& titulo_dado, QWidget* padre) {
    const QString titulo_visto = titulo_dado.isEmpty() ? titulo_programa() : titulo_dado;

    if (respondedor()) return respondedor()(texto, estilo_caja, titulo_visto);

    QString visto = texto;
    visto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    visto.replace('\r', '\n');

    if (!padre) padre = QApplication::activeWindow();
    QMessageBox caja(icono(estilo_caja), titulo_visto, visto, QMessageBox::NoButton, padre);
    // The text is shown as it is: a message that holds a gas name or a path
    // with "<" is never taken for markup.
    caja.setTextFormat(Qt::PlainText);
    const std::vector<Boton> lista = botones(estilo_caja);
    for (const Boton& b : lista) caja.addButton(b.boton);
    caja.setDefaultButton(lista.front().boton);
    if (QAbstractButton* cancelar = caja.button(QMessageBox::Cancel))
        caja.setEscapeButton(cancelar);
    caja.exec();

    int respuesta = respuesta_al_cerrar(lista);
    const QMessageBox::StandardButton pulsado = caja.standardButton(caja.clickedButton());
    for (const Boton& b : lista)
        if (b.boton == pulsado) respuesta = b.respuesta;
    return respuesta;
}

void responder_mensajes_con(Respondedor r) {
    respondedor() = std::move(r);
}

bool mensajes_respondidos() {
    return static_cast<bool>(respondedor());
}

}  // namespace korgas
