// The grid: cells addressed with the fixed row and column counted, widths in
// twips, clicks that only body cells take, and edits reported only when the
// user makes them.
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

#include "platform/rejilla.h"

using korgas::Rejilla;

namespace {

// What the view shows of a body cell (table row f) and of a header.
QVariant dato(const Rejilla& r, int f, int c, int rol = Qt::DisplayRole) {
    return r.model()->index(f, c).data(rol);
}
Qt::ItemFlags banderas(const Rejilla& r, int f, int c) {
    return r.model()->flags(r.model()->index(f, c));
}
Qt::Alignment alineacion(const Rejilla& r, int f, int c) {
    return Qt::Alignment(dato(r, f, c, Qt::TextAlignmentRole).toInt());
}
QString cabecera(const Rejilla& r, int c) {
    return r.model()->headerData(c, Qt::Horizontal).toString();
}

}  // namespace

class TstRejilla : public QObject {
    Q_OBJECT

  private slots:
    void celdas_con_fijas();
    void anchos_data();
    void anchos();
    void clic_solo_en_el_cuerpo();
    void solo_lectura();
    void celda_actual_nunca_fija();
    void ensanchar_al_contenido();
    void columnas_cambiadas_guardan_celdas();
    void relleno_avisa_una_vez();
};

void TstRejilla::celdas_con_fijas() {
    Rejilla r;
    r.fijar_fijas(1, 1);
    r.fijar_columnas(3);
    r.fijar_filas(4);
    QCOMPARE(r.filas(), 4);
    QCOMPARE(r.model()->rowCount(), 3);  // the header row is not a body row
    r.fijar_texto(0, 1, "Tc (K)");
    r.fijar_texto(1, 0, "Helio");
    r.fijar_texto(3, 2, "1.25");
    QCOMPARE(cabecera(r, 1), QString("Tc (K)"));
    QCOMPARE(dato(r, 0, 0).toString(), QString("Helio"));
    QCOMPARE(r.texto(3, 2), QString("1.25"));
    QCOMPARE(r.texto(2, 2), QString());
    QCOMPARE(r.texto(9, 9), QString());  // outside: empty, no crash
    QVERIFY(!r.horizontalHeader()->isHidden());
    // The fixed column is neither selectable nor editable, and centred.
    QCOMPARE(banderas(r, 1, 0) & Qt::ItemIsSelectable, Qt::ItemFlags());
    QCOMPARE(alineacion(r, 1, 0), Qt::Alignment(Qt::AlignCenter));

    // A column alignment reaches the rows added later.
    r.fijar_alineacion_columna(2, Qt::AlignRight | Qt::AlignVCenter);
    r.fijar_filas(6);
    r.fijar_texto(5, 2, "3");
    QCOMPARE(alineacion(r, 4, 2), Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));

    // Without a fixed row the header is hidden and row 0 is a body row.
    Rejilla s;
    s.fijar_fijas(0, 1);
    s.fijar_columnas(4);
    s.fijar_filas(10);
    QVERIFY(s.horizontalHeader()->isHidden());
    s.fijar_texto(0, 1, "6.02214 10^23 part/mol");
    QCOMPARE(dato(s, 0, 1).toString(), QString("6.02214 10^23 part/mol"));
    QCOMPARE(s.model()->rowCount(), 10);
}

void TstRejilla::anchos_data() {
    QTest::addColumn<int>("columnas");
    QTest::addColumn<int>("ancho");
    // (9375 - 250) / n, to the nearest twip, a half to the even neighbour.
    QTest::newRow("1") << 1 << 9125;
    QTest::newRow("3") << 3 << 3042;
    QTest::newRow("4") << 4 << 2281;
    QTest::newRow("5") << 5 << 1825;
    QTest::newRow("8") << 8 << 1141;
}

void TstRejilla::anchos() {
    QFETCH(int, columnas);
    QFETCH(int, ancho);
    Rejilla r;
    r.fijar_fijas(1, 1);
    r.fijar_columnas(columnas);
    r.repartir_ancho(9375);
    for (int c = 0; c < columnas; ++c) {
        QCOMPARE(r.ancho(c), ancho);
        QCOMPARE(r.columnWidth(c), qRound(ancho / 15.0));
    }
}

void TstRejilla::clic_solo_en_el_cuerpo() {
    Rejilla r;
    r.fijar_fijas(1, 1);
    r.fijar_columnas(3);
    r.fijar_filas(5);
    for (int c = 0; c < 3; ++c) r.fijar_ancho(c, 1500);
    r.resize(400, 300);
    r.show();
    QVERIFY(QTest::qWaitForWindowExposed(&r));
    QSignalSpy clics(&r, &Rejilla::clic);

    const QRect cuerpo = r.visualRect(r.model()->index(2, 1));
    QTest::mouseClick(r.viewport(), Qt::LeftButton, {}, cuerpo.center());
    QCOMPARE(clics.count(), 1);
    QCOMPARE(r.fila(), 3);
    QCOMPARE(r.columna(), 1);

    const QRect fija = r.visualRect(r.model()->index(0, 0));
    QTest::mouseClick(r.viewport(), Qt::LeftButton, {}, fija.center());
    QCOMPARE(clics.count(), 1);
    QCOMPARE(r.fila(), 3);  // the current cell did not move
    QCOMPARE(r.columna(), 1);
}

void TstRejilla::solo_lectura() {
    Rejilla r;
    r.fijar_fijas(1, 1);
    r.fijar_columnas(2);
    r.fijar_filas(3);
    r.fijar_texto(1, 1, "uno");
    QCOMPARE(banderas(r, 0, 1) & Qt::ItemIsEditable, Qt::ItemFlags());
    QCOMPARE(banderas(r, 0, 0) & Qt::ItemIsEditable, Qt::ItemFlags());
    QCOMPARE(r.editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TstRejilla::celda_actual_nunca_fija() {
    Rejilla r;
    r.fijar_fijas(1, 1);
    r.fijar_columnas(3);
    r.fijar_filas(4);
    r.resize(300, 200);
    r.show();
    QVERIFY(QTest::qWaitForWindowExposed(&r));
    // The first focus, and a key to the left, stop at the first body column.
    r.setFocus();
    QTest::keyClick(&r, Qt::Key_Down);
    QCOMPARE(r.columna(), 1);
    QTest::keyClick(&r, Qt::Key_Left);
    QCOMPARE(r.columna(), 1);
    r.fijar_celda(3, 0);
    QCOMPARE(r.fila(), 3);
    QCOMPARE(r.columna(), 1);
}

void TstRejilla::ensanchar_al_contenido() {
    Rejilla r;
    r.fijar_fijas(1, 1);
    r.fijar_columnas(3);
    r.fijar_filas(3);
    for (int c = 0; c < 3; ++c) r.fijar_ancho(c, 600);
    r.fijar_texto(0, 1, "a header wider than forty pixels");
    r.fijar_texto(2, 0, "a name wider than forty pixels");
    r.fijar_texto(1, 2, "1.5");
    r.ensanchar_al_contenido(600000);
    QVERIFY(r.columnWidth(0) > r.fontMetrics().horizontalAdvance("a name wider than forty pixels"));
    QVERIFY(r.columnWidth(1) > r.fontMetrics().horizontalAdvance("a header wider than forty"));
    QCOMPARE(r.ancho(0), r.columnWidth(0) * 15);
    QCOMPARE(r.ancho(2), 600);  // its text fits: left alone
    // Never beyond the limit given.
    r.fijar_ancho(0, 600);
    r.ensanchar_al_contenido(900);
    QCOMPARE(r.ancho(0), 900);
    QVERIFY(r.ancho_para_columnas() > r.horizontalHeader()->length());
}

void TstRejilla::columnas_cambiadas_guardan_celdas() {
    Rejilla r;
    r.fijar_fijas(1, 1);
    r.fijar_columnas(3);
    r.fijar_filas(6);
    for (int f = 1; f < 6; ++f)
        for (int c = 0; c < 3; ++c) r.fijar_texto(f, c, QString("%1,%2").arg(f).arg(c));
    r.fijar_celda(4, 1);
    for (int columnas : {5, 2, 4}) {
        r.fijar_columnas(columnas);
        QCOMPARE(r.columnas(), columnas);
        QCOMPARE(r.filas(), 6);
        for (int f = 1; f < 6; ++f) {
            QCOMPARE(r.texto(f, 0), QString("%1,0").arg(f));
            QCOMPARE(r.texto(f, 1), QString("%1,1").arg(f));
            // The fixed column keeps its look.
            QCOMPARE(banderas(r, f - 1, 0) & Qt::ItemIsSelectable, Qt::ItemFlags());
        }
        QCOMPARE(r.fila(), 4);
        // A cell changed after the change reaches the model at its own place.
        r.fijar_texto(5, 1, QString("nuevo %1").arg(columnas));
        QCOMPARE(r.model()->data(r.model()->index(4, 1)).toString(),
                 QString("nuevo %1").arg(columnas));
        r.fijar_texto(5, 1, "5,1");
    }
    // Column 2 went with the narrowing to two columns and comes back empty.
    QCOMPARE(r.texto(1, 2), QString());
}

void TstRejilla::relleno_avisa_una_vez() {
    Rejilla r;
    r.fijar_fijas(1, 1);
    r.fijar_columnas(3);
    r.fijar_filas(50);
    QSignalSpy cambios(r.model(), &QAbstractItemModel::dataChanged);
    {
        const Rejilla::Relleno relleno(&r);
        QVERIFY(!r.updatesEnabled());
        for (int f = 1; f < 50; ++f)
            for (int c = 0; c < 3; ++c) r.fijar_texto(f, c, QString::number(f * c));
        r.fijar_texto(0, 1, "cabecera");
        QCOMPARE(cambios.count(), 0);
    }
    QVERIFY(r.updatesEnabled());
    QCOMPARE(cambios.count(), 1);
    QCOMPARE(cambios[0][0].toModelIndex(), r.model()->index(0, 0));
    QCOMPARE(cambios[0][1].toModelIndex(), r.model()->index(48, 2));
    QCOMPARE(r.texto(49, 2), QString::number(98));
    QCOMPARE(cabecera(r, 1), QString("cabecera"));
}

QTEST_MAIN(TstRejilla)
#include "tst_rejilla.moc"
