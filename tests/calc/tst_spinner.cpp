// The platform pieces of the calculation windows: the spinner bound to a box,
// the clickable label and the formula pictures.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "platform/etiqueta.h"
#include "platform/formulas.h"
#include "platform/spinner.h"

using korgas::Etiqueta;
using korgas::Spinner;

class TstSpinner : public QObject {
    Q_OBJECT

  private slots:
    void paso_data();
    void paso();
    void cambia_despues_de_escribir();
    void limites_no_avisan();
    void flechas_y_desactivado();
    void mensaje_suelta_la_flecha();
    void etiqueta_clic();
    void formulas_distintas();
};

void TstSpinner::paso_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<qint64>("minimo");
    QTest::addColumn<qint64>("maximo");
    QTest::addColumn<int>("sentido");
    QTest::addColumn<QString>("despues");
    QTest::addColumn<int>("avisos");
    QTest::addColumn<qint64>("incremento");

    // The box's number is rounded half to even before the step.
    QTest::newRow("decimales") << "300.0000" << 0LL << 1000000LL << 1 << "301" << 1 << 1LL;
    QTest::newRow("mitad par abajo") << "300.5" << 0LL << 1000000LL << 1 << "301" << 1 << 1LL;
    QTest::newRow("mitad par arriba") << "301.5" << 0LL << 1000000LL << 1 << "303" << 1 << 1LL;
    QTest::newRow("bajar") << "26.8500" << -273LL << 1000000LL << -1 << "26" << 1 << 1LL;
    // Empty and non-numeric texts read as 0.
    QTest::newRow("vacia") << "" << 0LL << 1000000LL << 1 << "1" << 1 << 1LL;
    QTest::newRow("texto") << "No calculable" << 0LL << 1000000LL << 1 << "1" << 1 << 1LL;
    // At an end of the range the step does nothing at all.
    QTest::newRow("en el maximo") << "1000000" << 0LL << 1000000LL << 1 << "1000000" << 0 << 1LL;
    QTest::newRow("en el minimo") << "0.0000" << 0LL << 1000000LL << -1 << "0.0000" << 0 << 1LL;
    QTest::newRow("minimo negativo") << "-460" << -460LL << 1000000LL << -1 << "-460" << 0 << 1LL;
    // A value outside the range is brought into it first.
    QTest::newRow("bajo el minimo") << "-5" << 0LL << 100LL << 1 << "1" << 1 << 1LL;
    QTest::newRow("sobre el maximo") << "250" << 0LL << 100LL << -1 << "99" << 1 << 1LL;
    QTest::newRow("enorme") << "1E300" << 0LL << 1000000LL << -1 << "999999" << 1 << 1LL;
    QTest::newRow("rango grande") << "101325000" << 0LL << 101325000LL << -1 << "101324999" << 1
                                  << 1LL;
    // A step of 10 stops at the ends of the range.
    QTest::newRow("paso 10") << "300" << 0LL << 1000LL << 1 << "310" << 1 << 10LL;
    QTest::newRow("paso 10 hasta el maximo") << "995" << 0LL << 1000LL << 1 << "1000" << 1 << 10LL;
    QTest::newRow("paso 10 hasta el minimo") << "4.5" << 0LL << 1000LL << -1 << "0" << 1 << 10LL;
}

void TstSpinner::paso() {
    QFETCH(QString, texto);
    QFETCH(qint64, minimo);
    QFETCH(qint64, maximo);
    QFETCH(int, sentido);
    QFETCH(QString, despues);
    QFETCH(int, avisos);
    QFETCH(qint64, incremento);

    QLineEdit caja;
    Spinner sp(&caja);
    sp.fijar_paso(incremento);
    sp.fijar_maximo(maximo);
    sp.fijar_minimo(minimo);
    caja.setText(texto);
    QSignalSpy espia(&sp, &Spinner::changed);
    if (sentido > 0)
        sp.subir();
    else
        sp.bajar();
    QCOMPARE(caja.text(), despues);
    QCOMPARE(espia.count(), avisos);
}

void TstSpinner::cambia_despues_de_escribir() {
    QLineEdit caja;
    Spinner sp(&caja);
    sp.fijar_maximo(10);
    caja.setText("4");
    QString visto;
    connect(&sp, &Spinner::changed, &caja, [&] { visto = caja.text(); });
    sp.subir();
    QCOMPARE(visto, QString("5"));
}

void TstSpinner::limites_no_avisan() {
    QLineEdit caja;
    Spinner sp(&caja);
    caja.setText("50");
    QSignalSpy espia(&sp, &Spinner::changed);
    sp.fijar_maximo(10);
    sp.fijar_minimo(-273);
    sp.fijar_minimo(20);  // above the maximum: the maximum follows
    QCOMPARE(espia.count(), 0);
    QCOMPARE(caja.text(), QString("50"));
    QCOMPARE(sp.minimo(), 20);
    QCOMPARE(sp.maximo(), 20);
}

void TstSpinner::flechas_y_desactivado() {
    QWidget w;
    auto* caja = new QLineEdit(&w);
    auto* sp = new Spinner(caja, &w);
    sp->fijar_maximo(100);
    caja->setText("7");
    w.show();
    QSignalSpy espia(sp, &Spinner::changed);
    QTest::mouseClick(sp->boton_arriba(), Qt::LeftButton);
    QCOMPARE(caja->text(), QString("8"));
    QTest::mouseClick(sp->boton_abajo(), Qt::LeftButton);
    QTest::mouseClick(sp->boton_abajo(), Qt::LeftButton);
    QCOMPARE(caja->text(), QString("6"));
    QCOMPARE(espia.count(), 3);
    QVERIFY(sp->boton_arriba()->autoRepeat());

    sp->setEnabled(false);
    sp->subir();
    QTest::mouseClick(sp->boton_arriba(), Qt::LeftButton);
    QCOMPARE(caja->text(), QString("6"));
    QCOMPARE(espia.count(), 3);
}

void TstSpinner::mensaje_suelta_la_flecha() {
    // The arrow is held down and every step is refused with a modal message
    // box (closed a little later, as a user would): the auto-repeat must not
    // step again behind the box, or boxes pile up for as long as it runs.
    QWidget w;
    auto* caja = new QLineEdit(&w);
    auto* sp = new Spinner(caja, &w);
    sp->fijar_maximo(1000);
    caja->setText("7");
    w.show();
    int pasos = 0;
    bool abierta = false;
    connect(sp, &Spinner::changed, &w, [&] {
        ++pasos;
        if (abierta) return;  // a step behind the box: counted, no second box
        abierta = true;
        QMessageBox::information(&w, QString(), QStringLiteral("refused"));
        abierta = false;
    });
    QTimer cierre;
    connect(&cierre, &QTimer::timeout, &w, [] {
        if (QWidget* m = QApplication::activeModalWidget()) m->close();
    });
    cierre.start(300);
    QTest::mousePress(sp->boton_arriba(), Qt::LeftButton);
    QTest::qWait(1500);
    QTest::mouseRelease(sp->boton_arriba(), Qt::LeftButton);
    QCOMPARE(pasos, 1);
    QVERIFY(!sp->boton_arriba()->isDown());
    QCOMPARE(caja->text(), QString("8"));
}

void TstSpinner::etiqueta_clic() {
    QWidget w;
    auto* e = new Etiqueta("ºK", &w);
    e->resize(60, 20);
    w.show();
    QSignalSpy espia(e, &Etiqueta::clicked);
    QTest::mouseClick(e, Qt::LeftButton);
    QCOMPARE(espia.count(), 1);
    QTest::mouseClick(e, Qt::RightButton);
    QCOMPARE(espia.count(), 1);
    // Pressed on the label, released outside it: no click.
    QTest::mousePress(e, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(e, Qt::LeftButton, {}, QPoint(200, 5));
    QCOMPARE(espia.count(), 1);

    e->fijar_mano(true);
    QCOMPARE(e->cursor().shape(), Qt::PointingHandCursor);
    e->fijar_mano(false);
    QCOMPARE(e->cursor().shape(), Qt::ArrowCursor);
}

void TstSpinner::formulas_distintas() {
    const QSize todas = korgas::tamano_formulas();
    QVector<QImage> vistas;
    for (int e = 0; e < 10; ++e) {
        const QPixmap p = korgas::formula(e, 2.0);
        QVERIFY2(!p.isNull(), qPrintable(QString::number(e)));
        QVERIFY(p.deviceIndependentSize().width() <= todas.width() + 1);
        QVERIFY(p.deviceIndependentSize().height() <= todas.height() + 1);
        const QImage img = p.toImage();
        // Something black is drawn on the white ground.
        bool tinta = false;
        for (int y = 0; y < img.height() && !tinta; ++y)
            for (int x = 0; x < img.width() && !tinta; ++x) tinta = qGray(img.pixel(x, y)) < 64;
        QVERIFY2(tinta, qPrintable(QString::number(e)));
        for (const QImage& otra : vistas) QVERIFY(otra != img);
        vistas << img;
    }
    QVERIFY(korgas::formula(-1).isNull());
    QVERIFY(korgas::formula(10).isNull());
}

QTEST_MAIN(TstSpinner)
#include "tst_spinner.moc"
