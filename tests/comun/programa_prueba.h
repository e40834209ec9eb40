// What every window test shares: a program folder of its own (copies of the
// shipped gas data file and language file in a temporary folder), the globals
// the start-up sets, every message box recorded instead of shown, the start-up
// run as the program runs it, and lookups of a window's controls by name.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <string>
#include <vector>

#include "core/gas.h"
#include "core/kvstore.h"
#include "core/numtext.h"
#include "platform/carpeta.h"
#include "platform/mensajes_qt.h"
#include "platform/ventanas.h"
#include "shell/arranque.h"
#include "shell/frmSplash.h"
#include "shell/frmprincipal.h"

struct Mensaje {
    QString texto;
    int estilo = 0;
    QString titulo;
};

class ProgramaPrueba {
  public:
    // idioma: the language made current in the copied language file ("" keeps
    // the file's own choice). datos: the bytes of the gas data file (empty:
    // a copy of the shipped one).
    explicit ProgramaPrueba(const QString& idioma = QString(), const QByteArray& datos = {}) {
        QVERIFY2(dir_.isValid(), "temporary folder");
        for (const char* f : {"data", "idioma.lng"}) {
            const QString origen = QStringLiteral(KORGAS_SOURCE_DIR "/data/") + f;
            QVERIFY2(QFile::copy(origen, ruta(f)), f);
            QFile::setPermissions(ruta(f), QFile::ReadOwner | QFile::WriteOwner);
        }
        if (!datos.isEmpty()) escribir(QStringLiteral("data"), datos);
        korgas::fijar_carpeta_programa(dir_.path());
        korgas::fichidioma = korgas::ruta_programa(QStringLiteral("idioma.lng"));
        korgas::fichdatos = korgas::ruta_programa(QStringLiteral("data"));
        if (!idioma.isEmpty()) elegir_idioma(idioma.toStdString());
        korgas::idioma_actual = korgas::leervalor(korgas::fichidioma, "idioma", "idioma");
        korgas::numgases =
            int(korgas::leer_numero(korgas::leervalor(korgas::fichdatos, "general", "n")));
        korgas::responder_mensajes_con([this](const QString& t, int e, const QString& ti) {
            mensajes.push_back({t, e, ti});
            return respuesta;
        });
    }
    ~ProgramaPrueba() {
        cerrar();
        korgas::prueba::fallo_escritura({});
        korgas::responder_mensajes_con({});
        korgas::fijar_carpeta_programa(QString());
    }
    ProgramaPrueba(const ProgramaPrueba&) = delete;
    ProgramaPrueba& operator=(const ProgramaPrueba&) = delete;

    QString carpeta() const { return dir_.path(); }
    QString ruta(const QString& nombre) const { return dir_.path() + "/" + nombre; }
    std::string idioma_lng() const { return ruta("idioma.lng").toStdString(); }

    QByteArray leer(const QString& nombre) const {
        QFile f(ruta(nombre));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return f.readAll();
    }
    void escribir(const QString& nombre, const QByteArray& bytes) const {
        QFile f(ruta(nombre));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    // Puts the help collection of a language (built beside the program) into
    // the program folder.
    void instalar_ayuda(const QString& idioma) const {
        for (const char* ext : {".qhc", ".qch"}) {
            const QString nombre = idioma + QLatin1String(ext);
            QFile::remove(ruta(nombre));
            QVERIFY2(QFile::copy(QStringLiteral(KORGAS_PROGRAM_DIR "/") + nombre, ruta(nombre)),
                     qPrintable(nombre));
        }
    }

    // The language the next start uses.
    void elegir_idioma(const std::string& nombre) const {
        korgas::escribirvalor(idioma_lng(), "idioma", "idioma", nombre);
    }

    // The start-up up to the splash on screen; the main window is loaded,
    // hidden.
    korgas::frmSplash* arrancar() {
        const int estado = korgas::arrancar();
        if (estado != 0) return nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<korgas::frmSplash*>(w); s && !s->entregado()) return s;
        return nullptr;
    }

    // The start-up with the hand-over: the main window on screen.
    korgas::frmprincipal* arrancar_hasta_principal() {
        korgas::frmSplash* s = arrancar();
        if (!s) return nullptr;
        s->fraMainFrame_Click();
        return korgas::frmprincipal::existente();
    }

    // Ends the run: the main window (with every child window) and the splash
    // go.
    void cerrar() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<korgas::frmSplash*>(w)) delete w;
        delete korgas::frmprincipal::existente();
        // The help window has no owner: it goes too.
        delete korgas::Ventanas::buscar(QStringLiteral("frmayuda"));
    }

    // Every message box shown, in order, and the answer each one gets.
    std::vector<Mensaje> mensajes;
    int respuesta = 1;

  private:
    QTemporaryDir dir_;
};

namespace pruebas {

template <class T>
T* control(QWidget* w, const QString& nombre) {
    T* c = w->findChild<T*>(nombre);
    if (!c) qFatal("no control %s", qPrintable(nombre));
    return c;
}

inline QLineEdit* caja(QWidget* w, const QString& nombre) {
    return control<QLineEdit>(w, nombre);
}
inline QLabel* rotulo(QWidget* w, const QString& nombre) {
    return control<QLabel>(w, nombre);
}

// Replaces a box's text and presses Enter in it, as a user does.
inline void teclear(QLineEdit* c, const QString& texto) {
    c->clear();
    QTest::keyClicks(c, texto);
    QTest::keyClick(c, Qt::Key_Return);
}

inline void pulsar(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

inline QColor color_texto(QWidget* w) {
    return w->palette().color(qobject_cast<QLineEdit*>(w) ? QPalette::Text : QPalette::WindowText);
}

// What a window shows that is not a number where it should be: every text
// box holds a finite number (never "-0"), one of the permitted texts, or
// nothing, and no label or tool tip says "nan" or "inf". Empty when all is
// well, else the control and its text.
inline QString no_numerico(QWidget* w, const QStringList& permitidos) {
    static const QRegularExpression numero(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    static const QRegularExpression menos_cero(QStringLiteral("^-0(\\.0*)?$"));
    for (QLineEdit* c : w->findChildren<QLineEdit*>()) {
        const QString t = c->text();
        if (t.isEmpty() || permitidos.contains(t)) continue;
        if (!numero.match(t).hasMatch() || menos_cero.match(t).hasMatch())
            return c->objectName() + " = \"" + t + "\"";
    }
    for (QWidget* c : w->findChildren<QWidget*>()) {
        QString t = c->toolTip();
        if (auto* l = qobject_cast<QLabel*>(c)) t += l->text();
        if (t.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
            t.contains(QLatin1String("inf"), Qt::CaseInsensitive))
            return c->objectName() + " = \"" + t + "\"";
    }
    return {};
}

}  // namespace pruebas
