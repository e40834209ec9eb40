// Message boxes: styles, answers, titles and the answers of a test.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "platform/mensajes_qt.h"

using namespace korgas;

namespace {

struct Visto {
    QString titulo, texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    Qt::TextFormat formato = Qt::AutoText;
    QList<QMessageBox::StandardButton> botones;
};

// Opens msgbox for real; once the box is up, records what it shows and closes
// it with the given button (NoButton: with Escape).
int abrir_y_pulsar(const QString& texto, int estilo, const QString& titulo,
                   QMessageBox::StandardButton pulsar, Visto& visto) {
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja) return;
        visto.titulo = caja->windowTitle();
        visto.texto = caja->text();
        visto.icono = caja->icon();
        visto.formato = caja->textFormat();
        for (QAbstractButton* b : caja->buttons()) visto.botones << caja->standardButton(b);
        std::sort(visto.botones.begin(), visto.botones.end());
        if (pulsar == QMessageBox::NoButton)
            QTest::keyClick(caja, Qt::Key_Escape);
        else
            caja->button(pulsar)->click();
    });
    return msgbox(texto, estilo, titulo);
}

}  // namespace

class TstMensajesQt : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { responder_mensajes_con({}); }

    void estilos_y_respuestas_data();
    void estilos_y_respuestas();
    void titulo_vacio_y_saltos_de_linea();
    void respondedor_sin_caja();
};

void TstMensajesQt::estilos_y_respuestas_data() {
    using B = QMessageBox::StandardButton;
    QTest::addColumn<int>("estilo");
    QTest::addColumn<int>("icono");
    QTest::addColumn<QList<B>>("botones");
    QTest::addColumn<int>("pulsar");
    QTest::addColumn<int>("respuesta");

    const QList<B> ok{QMessageBox::Ok};
    QList<B> snc{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    std::sort(snc.begin(), snc.end());
    QTest::newRow("0 OK") << 0 << int(QMessageBox::NoIcon) << ok << int(QMessageBox::Ok) << 1;
    QTest::newRow("16 critical") << 16 << int(QMessageBox::Critical) << ok << int(QMessageBox::Ok)
                                 << 1;
    QTest::newRow("48 warning") << 48 << int(QMessageBox::Warning) << ok << int(QMessageBox::Ok)
                                << 1;
    QTest::newRow("64 information")
        << 64 << int(QMessageBox::Information) << ok << int(QMessageBox::Ok) << 1;
    QTest::newRow("64 closed with Escape")
        << 64 << int(QMessageBox::Information) << ok << int(QMessageBox::NoButton) << 1;
    QTest::newRow("51 yes") << 51 << int(QMessageBox::Warning) << snc << int(QMessageBox::Yes) << 6;
    QTest::newRow("51 no") << 51 << int(QMessageBox::Warning) << snc << int(QMessageBox::No) << 7;
    QTest::newRow("51 cancel") << 51 << int(QMessageBox::Warning) << snc << int(QMessageBox::Cancel)
                               << 2;
    QTest::newRow("51 Escape is cancel")
        << 51 << int(QMessageBox::Warning) << snc << int(QMessageBox::NoButton) << 2;
}

void TstMensajesQt::estilos_y_respuestas() {
    QFETCH(int, estilo);
    QFETCH(int, icono);
    QFETCH(QList<QMessageBox::StandardButton>, botones);
    QFETCH(int, pulsar);
    QFETCH(int, respuesta);

    Visto visto;
    const int r =
        abrir_y_pulsar("Texto", estilo, "Titulo", QMessageBox::StandardButton(pulsar), visto);
    QCOMPARE(visto.icono, QMessageBox::Icon(icono));
    QCOMPARE(visto.botones, botones);
    QCOMPARE(r, respuesta);
}

void TstMensajesQt::titulo_vacio_y_saltos_de_linea() {
    Visto visto;
    abrir_y_pulsar("Primera\rSegunda\r\nTercera", 64, QString(), QMessageBox::Ok, visto);
    QCOMPARE(visto.titulo, QString("KOR GAS V1.0"));
    QCOMPARE(visto.texto, QString("Primera\nSegunda\nTercera"));
    QCOMPARE(titulo_programa(), QString("KOR GAS V1.0"));

    // A text that looks like markup (a gas or a folder named with "<") is
    // shown as it is.
    abrir_y_pulsar("<b>CO2</b> no existe", 16, "Gases", QMessageBox::Ok, visto);
    QCOMPARE(visto.texto, QString("<b>CO2</b> no existe"));
    QCOMPARE(visto.formato, Qt::PlainText);
}

void TstMensajesQt::respondedor_sin_caja() {
    QStringList vistos;
    responder_mensajes_con([&](const QString& texto, int estilo, const QString& titulo) {
        vistos << QString("%1|%2|%3").arg(texto).arg(estilo).arg(titulo);
        return 7;
    });
    QCOMPARE(msgbox(QString::fromUtf8("¿Guardar?\rSí"), 51), 7);
    QCOMPARE(msgbox("Hecho", 64, "Idioma"), 7);
    QCOMPARE(vistos,
             QStringList({QString::fromUtf8("¿Guardar?\rSí|51|KOR GAS V1.0"), "Hecho|64|Idioma"}));
}

QTEST_MAIN(TstMensajesQt)
#include "tst_mensajes_qt.moc"
