// The numeric key filter on a real box: keys typed through the event system.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "platform/filtro_numerico.h"

using korgas::FiltroNumerico;

class TstFiltroNumerico : public QObject {
    Q_OBJECT

  private slots:
    void teclas_data();
    void teclas();
    void enter_llama_a_la_accion_y_no_sigue();
    void enter_rechazado_en_caja_llena();
    void teclas_de_edicion_sin_filtrar();
    void pegado_no_filtrado();
    void pegado_con_el_teclado_rechazado();
};

// Each row: maxlen, the box's text before, the keys typed (one character each;
// "\b" backspace), the text after.
void TstFiltroNumerico::teclas_data() {
    QTest::addColumn<int>("maxlen");
    QTest::addColumn<QString>("antes");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("despues");

    QTest::newRow("digits and one point") << 10 << ""
                                          << "12.5"
                                          << "12.5";
    QTest::newRow("second point refused") << 10 << ""
                                          << "12.5."
                                          << "12.5";
    QTest::newRow("letters, minus and comma refused") << 10 << ""
                                                      << "12.5.x-,"
                                                      << "12.5";
    QTest::newRow("leading point") << 10 << ""
                                   << ".5"
                                   << ".5";
    QTest::newRow("full box refuses a digit") << 10 << "12345.0000"
                                              << "7"
                                              << "12345.0000";
    QTest::newRow("full box takes backspace") << 10 << "12345.0000"
                                              << "\b"
                                              << "12345.000";
    QTest::newRow("backspace then a digit fits") << 10 << "12345.0000"
                                                 << "\b9"
                                                 << "12345.0009";
    QTest::newRow("data window box, 9 characters") << 9 << "123.45678"
                                                   << "1"
                                                   << "123.45678";
    QTest::newRow("data window box, 8 characters") << 9 << "123.4567"
                                                   << "8"
                                                   << "123.45678";
    QTest::newRow("two pasted points refuse backspace") << 10 << "1.2.3"
                                                        << "\b4"
                                                        << "1.2.3";
    QTest::newRow("non-Latin character refused") << 10 << "1" << QString::fromUtf8("º€2") << "12";
}

void TstFiltroNumerico::teclas() {
    QFETCH(int, maxlen);
    QFETCH(QString, antes);
    QFETCH(QString, teclas);
    QFETCH(QString, despues);

    QLineEdit caja;
    new FiltroNumerico(&caja, maxlen);
    caja.setText(antes);
    caja.setCursorPosition(int(antes.size()));
    for (QChar c : teclas) {
        if (c == '\b')
            QTest::keyClick(&caja, Qt::Key_Backspace);
        else
            QTest::sendKeyEvent(QTest::Click, &caja, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(caja.text(), despues);
}

void TstFiltroNumerico::enter_llama_a_la_accion_y_no_sigue() {
    QLineEdit caja;
    int llamadas = 0;
    new FiltroNumerico(&caja, 10, [&] { ++llamadas; });
    QSignalSpy devuelto(&caja, &QLineEdit::returnPressed);
    caja.setText("1.5");
    QTest::keyClick(&caja, Qt::Key_Return);
    QTest::keyClick(&caja, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(llamadas, 2);
    QCOMPARE(devuelto.count(), 0);  // swallowed: nothing else acts on it
    QCOMPARE(caja.text(), QString("1.5"));
}

void TstFiltroNumerico::enter_rechazado_en_caja_llena() {
    QLineEdit caja;
    int llamadas = 0;
    new FiltroNumerico(&caja, 10, [&] { ++llamadas; });
    caja.setText("12345.0000");
    QTest::keyClick(&caja, Qt::Key_Return);
    QCOMPARE(llamadas, 0);
    caja.setText("1..2");  // pasted: every key refused, Enter too
    QTest::keyClick(&caja, Qt::Key_Return);
    QCOMPARE(llamadas, 0);
}

void TstFiltroNumerico::teclas_de_edicion_sin_filtrar() {
    // Arrows, Delete and shortcuts never reach the filter, even in a full box.
    QLineEdit caja;
    new FiltroNumerico(&caja, 10);
    caja.setText("12345.0000");
    caja.setCursorPosition(10);
    QTest::keyClick(&caja, Qt::Key_Left);
    QCOMPARE(caja.cursorPosition(), 9);
    QTest::keyClick(&caja, Qt::Key_Delete);
    QCOMPARE(caja.text(), QString("12345.000"));
    QTest::keyClick(&caja, Qt::Key_Home);
    QTest::keyClick(&caja, Qt::Key_Delete);
    QCOMPARE(caja.text(), QString("2345.000"));
    QTest::keyClick(&caja, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(caja.selectedText(), QString("2345.000"));
}

void TstFiltroNumerico::pegado_no_filtrado() {
    // Only typed keys are filtered: text put in by other means stays.
    QLineEdit caja;
    new FiltroNumerico(&caja, 4);
    caja.insert("-1,5e3");
    QCOMPARE(caja.text(), QString("-1,5e3"));
}

void TstFiltroNumerico::pegado_con_el_teclado_rechazado() {
    // Ctrl+V is a typed key (22) and the filter refuses it, so the keyboard
    // cannot put "-1,5e3" into a numeric box; the other shortcuts still work.
    QGuiApplication::clipboard()->setText("-1,5e3");
    QLineEdit caja;
    new FiltroNumerico(&caja, 10);
    caja.setText("12");
    QTest::keyClick(&caja, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(caja.text(), QString("12"));
    QTest::keyClick(&caja, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(caja.selectedText(), QString("12"));
    // A paste by other means (the box's context menu) is not a key.
    caja.paste();
    QCOMPARE(caja.text(), QString("-1,5e3"));
}

QTEST_MAIN(TstFiltroNumerico)
#include "tst_filtro_numerico.moc"
