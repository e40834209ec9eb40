// The box that keeps the exact value behind the text the program wrote.
#include <QLineEdit>
#include <QtTest>

#include "platform/spinner.h"
#include "platform/valor_caja.h"

using namespace korgas;

class TstValorCaja : public QObject {
    Q_OBJECT

  private slots:
    void guarda_hasta_que_el_usuario_edita();
    void el_paso_del_spinner_es_una_edicion();
};

void TstValorCaja::guarda_hasta_que_el_usuario_edita() {
    QLineEdit caja;
    escribir_valor(&caja, 6.146, "###0.00");
    QCOMPARE(caja.text(), QString("6.15"));
    QCOMPARE(leer_valor(&caja), 6.146);
    QVERIFY(valor_guardado(&caja));

    // Written again (a unit cycle there and back): still exact.
    escribir_valor(&caja, 0.006146, "###0.00");
    QCOMPARE(caja.text(), QString("0.01"));
    escribir_valor(&caja, 6.146, "###0.00");
    QCOMPARE(leer_valor(&caja), 6.146);

    // The user's typing is taken as typed.
    caja.setFocus();
    caja.selectAll();
    QTest::keyClicks(&caja, "7.5");
    QCOMPARE(leer_valor(&caja), 7.5);
    QVERIFY(!valor_guardado(&caja));
    // Typing back the very text that was shown is still the user's number.
    caja.selectAll();
    QTest::keyClicks(&caja, "6.15");
    QCOMPARE(leer_valor(&caja), 6.15);

    // A handler of the text's change already reads the exact value.
    double visto = 0;
    auto c = QObject::connect(&caja, &QLineEdit::textChanged, [&] { visto = leer_valor(&caja); });
    escribir_valor(&caja, 2.0 / 3.0, "0.00");
    QCOMPARE(visto, 2.0 / 3.0);
    QObject::disconnect(c);

    // Text set from code without a value: the text is the value.
    escribir_valor(&caja, 1.0 / 3.0, "0.000");
    caja.setText("2");
    QCOMPARE(leer_valor(&caja), 2.0);
    olvidar_valor(&caja);
    QCOMPARE(leer_valor(&caja), 2.0);
}

void TstValorCaja::el_paso_del_spinner_es_una_edicion() {
    QLineEdit caja;
    Spinner sp(&caja);
    sp.fijar_maximo(1000);
    escribir_valor(&caja, 300.004, "0.00");
    sp.subir();
    QCOMPARE(caja.text(), QString("301"));
    QCOMPARE(leer_valor(&caja), 301.0);
}

QTEST_MAIN(TstValorCaja)
#include "tst_valor_caja.moc"
