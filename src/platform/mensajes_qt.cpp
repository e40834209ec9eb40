#include "platform/mensajes_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "core/gas.h"
#include "core/kvstore.h"
#include "core/mensajes.h"

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

void avisar_fichero_ilegible(const ErrorFichero& e, QWidget* padre, const QString& titulo) {
    msgbox(
        texto_no_se_puede_leer(QString::fromStdString(e.ruta()), QString::fromStdString(e.what())),
        16, titulo, padre);
}

int msgbox(const QString& texto, int estilo, const QString& titulo_dado, QWidget* padre) {
    mensaje = texto.toStdString();
    titulo = titulo_dado.toStdString();
    korgas::estilo = estilo;
    const QString titulo_visto = titulo_dado.isEmpty() ? titulo_programa() : titulo_dado;

    if (respondedor()) {
        respuesta = respondedor()(texto, estilo, titulo_visto);
        return respuesta;
    }

    QString visto = texto;
    visto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    visto.replace('\r', '\n');

    if (!padre) padre = QApplication::activeWindow();
    QMessageBox caja(icono(estilo), titulo_visto, visto, QMessageBox::NoButton, padre);
    // The text is shown as it is: a message that holds a gas name or a path
    // with "<" is never taken for markup.
    caja.setTextFormat(Qt::PlainText);
    const std::vector<Boton> lista = botones(estilo);
    for (const Boton& b : lista) caja.addButton(b.boton);
    caja.setDefaultButton(lista.front().boton);
    if (QAbstractButton* cancelar = caja.button(QMessageBox::Cancel))
        caja.setEscapeButton(cancelar);
    caja.exec();

    respuesta = respuesta_al_cerrar(lista);
    const QMessageBox::StandardButton pulsado = caja.standardButton(caja.clickedButton());
    for (const Boton& b : lista)
        if (b.boton == pulsado) respuesta = b.respuesta;
    return respuesta;
}

void instalar_mensajes_qt() {
    instalar_presentador([](const std::string& texto, int estilo, const std::string& titulo) {
        return msgbox(QString::fromStdString(texto), estilo, QString::fromStdString(titulo));
    });
}

void responder_mensajes_con(Respondedor r) {
    respondedor() = std::move(r);
}

bool mensajes_respondidos() {
    return static_cast<bool>(respondedor());
}

}  // namespace korgas
