// The data window through the main window's menus: its first opening and its
// restore, the limits of its boxes, the amount unit both ways (also with the
// window closed), the new-file command, the current-row marker and the gas
// lists that follow the data file.
#include <QToolButton>

#include "platform/aviso_gases.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"
#include "sistemas_prueba.h"

using namespace sistemas_prueba;
using korgas::sistemas;

class TstFrmdatos : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { korgas::registrar_systems(); }
    void init() { p_ = std::make_unique<Programa>(); }
    void cleanup() { p_.reset(); }

    void primera_apertura();
    void limites_de_las_cajas_data();
    void limites_de_las_cajas();
    void unidad_en_ambos_sentidos();
    void unidad_con_la_ventana_cerrada();
    void cantidad_vacia_al_salir_data();
    void cantidad_vacia_al_salir();
    void desmarcar_y_reabrir();
    void nuevo_con_grafico_y_escala_abiertos();
    void marca_de_la_fila_actual();
    void gases_borrados_y_anadidos();

  private:
    std::unique_ptr<Programa> p_;
};

void TstFrmdatos::primera_apertura() {
    QVERIFY(p_->principal);
    for (const char* n : {"mnudato", "mnumoles", "mnugramos", "mnunuevo", "boton_1", "boton_2"})
        QVERIFY2(e(n)->isEnabled(), n);
    QVERIFY(!e("boton_7")->isEnabled());
    korgas::frmdatos* d = p_->abrir_datos();
    QVERIFY(d && d->isVisible());
    QCOMPARE(d->windowTitle(), korgas::sin_acceso(korgas::tx(14)));
    QCOMPARE(d->Label4->text(), korgas::tx(53));
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(d->cmbgas[i]->currentText(), QString("Dioxido"));
        QCOMPARE(d->cmbgas[i]->count(), 4);
        QCOMPARE(d->cmbecu[i]->currentText(), korgas::tx(85));
        QCOMPARE(d->cmbecu[i]->count(), 10);
        QCOMPARE(d->txttemp[i]->text(), QString("300"));
        QCOMPARE(d->txtmol[i]->text(), QString("1.000"));
        QCOMPARE(d->Check[i]->isChecked(), i == 1);
        for (QWidget* w :
             std::initializer_list<QWidget*>{d->cmbgas[i], d->cmbecu[i], d->txtmol[i],
                                             d->txttemp[i], d->UpDown[i], d->UpDown1[i]})
            QCOMPARE(w->isEnabled(), i == 1);
        QCOMPARE(sistemas[i].activo, i == 1);
        QCOMPARE(sistemas[i].numgas, 1);
        QCOMPARE(sistemas[i].temperatura, 300.0);
        QCOMPARE(sistemas[i].moles, 1.0);
        QCOMPARE(sistemas[i].gramos, 44.0);
    }
    // Row colours, the marker on row 1 in black, and the graph entries.
    QCOMPARE(pruebas::color_texto(d->txtmol[1]), QColor(0, 0, 255));
    QCOMPARE(pruebas::color_texto(d->cmbecu[1]), QColor(0, 0, 255));
    QCOMPARE(d->shpmarca->color(), QColor(0, 0, 0));
    QCOMPARE(d->shpmarca->geometry().center().y(), d->Check[1]->geometry().center().y());
    QVERIFY(d->shpmarca->geometry().contains(d->UpDown[1]->geometry()));
    QVERIFY(d->shpmarca->geometry().contains(d->Check[1]->geometry()));
    QVERIFY(e("mnudibujos")->isEnabled() && e("boton_7")->isEnabled());
    QVERIFY(!e("mnuescala")->isEnabled() && !e("boton_8")->isEnabled());
    QVERIFY(p_->mensajes().empty());

    // Closing it disables Dibujos and button 7 again.
    korgas::Ventanas::descargar("frmdatos");
    QVERIFY(!e("mnudibujos")->isEnabled() && !e("boton_7")->isEnabled());
}

void TstFrmdatos::limites_de_las_cajas_data() {
    QTest::addColumn<bool>("gramos");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<QString>("visto");
    QTest::addColumn<int>("texto");  // the message: this language text, then the limit
    QTest::addColumn<double>("guardado");
    QTest::newRow("temperature above 1000") << false << "txttemp_1"
                                            << "1200"
                                            << "1000" << 80 << 1000.0;
    QTest::newRow("temperature of 1000") << false << "txttemp_1"
                                         << "1000"
                                         << "1000" << 0 << 1000.0;
    QTest::newRow("temperature of 0") << false << "txttemp_1"
                                      << "0"
                                      << "0" << 0 << 0.0;
    QTest::newRow("150 mol") << false << "txtmol_1"
                             << "150"
                             << "100" << 78 << 100.0;
    QTest::newRow("100 mol") << false << "txtmol_1"
                             << "100"
                             << "100" << 0 << 100.0;
    QTest::newRow("150 g") << true << "txtmol_1"
                           << "150"
                           << "150" << 0 << 150.0;
    QTest::newRow("1500 g") << true << "txtmol_1"
                            << "1500"
                            << "1000" << 78 << 1000.0;
}

void TstFrmdatos::limites_de_las_cajas() {
    QFETCH(bool, gramos);
    QFETCH(QString, caja);
    QFETCH(QString, tecleado);
    QFETCH(QString, visto);
    QFETCH(int, texto);
    QFETCH(double, guardado);
    korgas::frmdatos* d = p_->abrir_datos();
    if (gramos) e("mnugramos")->trigger();
    p_->mensajes().clear();
    QLineEdit* c = pruebas::caja(d, caja);
    c->setFocus();
    c->selectAll();
    QTest::keyClicks(c, tecleado);
    QCOMPARE(c->text(), visto);
    QCOMPARE(int(p_->mensajes().size()), texto ? 1 : 0);
    if (texto) {
        QCOMPARE(p_->mensajes()[0].texto, korgas::tx(texto) + " " + visto);
        QCOMPARE(p_->mensajes()[0].estilo, 64);
        QVERIFY(c->hasSelectedText());
    }
    const korgas::sistema& s = sistemas[1];
    if (caja.startsWith("txttemp"))
        QCOMPARE(s.temperatura, guardado);
    else
        QCOMPARE(gramos ? s.gramos : s.moles, guardado);
}

void TstFrmdatos::unidad_en_ambos_sentidos() {
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 1, true, 2, 1, "300", "5");  // molar mass 28
    QCOMPARE(sistemas[1].moles, 5.0);
    e("boton_5")->trigger();  // Gramos
    QVERIFY(e("mnugramos")->isChecked() && !e("mnumoles")->isChecked());
    QCOMPARE(d->txtmol[1]->text(), QString("140.000"));
    QCOMPARE(d->Label4->text(), korgas::sin_acceso(korgas::tx(13)));
    QCOMPARE(d->UpDown1[1]->maximo(), 1000);
    QCOMPARE(sistemas[1].gramos, 140.0);
    QCOMPARE(sistemas[1].moles, 5.0);
    // The same unit again converts nothing.
    e("mnugramos")->trigger();
    QCOMPARE(d->txtmol[1]->text(), QString("140.000"));

    // 1000 g back to moles shows 1000/28; the amount is kept exactly, so
    // going back to grams gives 1000 again, not 35.714 · 28.
    fila(d, 1, true, 2, 1, "300", "1000");
    e("mnumoles")->trigger();
    QCOMPARE(d->txtmol[1]->text(), korgas::fmt(1000.0 / 28, "##0.000"));
    QCOMPARE(d->UpDown1[1]->maximo(), 100);
    QCOMPARE(sistemas[1].moles, 1000.0 / 28);
    e("mnugramos")->trigger();
    QCOMPARE(d->txtmol[1]->text(), QString("1000.000"));
    QVERIFY(p_->mensajes().empty());

    // 40 mol in grams is above the maximum.
    e("mnumoles")->trigger();
    fila(d, 1, true, 2, 1, "300", "40");
    e("mnugramos")->trigger();
    QCOMPARE(d->txtmol[1]->text(), QString("1000"));
    QCOMPARE(int(p_->mensajes().size()), 1);
    QCOMPARE(p_->mensajes()[0].texto, korgas::tx(78) + " 1000");
    QCOMPARE(sistemas[1].gramos, 1000.0);
}

void TstFrmdatos::unidad_con_la_ventana_cerrada() {
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 1, true, 1, 1, "300", "5");  // molar mass 44
    korgas::Ventanas::descargar("frmdatos");
    QVERIFY(!datos());
    // The unit switch opens the window and converts once.
    e("mnugramos")->trigger();
    d = datos();
    QVERIFY(d && d->isVisible());
    QCOMPARE(d->txtmol[1]->text(), QString("220.000"));
    QCOMPARE(sistemas[1].gramos, 220.0);
    QCOMPARE(sistemas[1].moles, 5.0);
    QVERIFY(p_->mensajes().empty());

    korgas::Ventanas::descargar("frmdatos");
    e("boton_4")->trigger();  // Moles
    d = datos();
    QVERIFY(d);
    QCOMPARE(d->txtmol[1]->text(), QString("5.000"));
    QCOMPARE(d->Label4->text(), korgas::sin_acceso(korgas::tx(12)));
    QCOMPARE(sistemas[1].moles, 5.0);
}

void TstFrmdatos::cantidad_vacia_al_salir_data() {
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("mensaje");
    QTest::newRow("shipped") << QString() << "Debes introducir alguna cantidad de gas";
    QTest::newRow("English") << "English"
                             << "You must enter some amount of gas";
}

void TstFrmdatos::cantidad_vacia_al_salir() {
    QFETCH(QString, idioma);
    QFETCH(QString, mensaje);
    if (!idioma.isEmpty()) {
        p_.reset();
        p_ = std::make_unique<Programa>(idioma);
    }
    korgas::frmdatos* d = p_->abrir_datos();
    korgas::marcar(d->Check[2], true);
    d->activateWindow();
    QLineEdit* c = d->txtmol[1];
    c->setFocus();
    c->clear();
    QTest::keyClick(c, Qt::Key_Backspace);  // an edit that leaves it empty
    QCOMPARE(sistemas[1].moles, 1.0);       // an empty box changes nothing
    // Leaving it: "0", one message, the focus back.
    QTest::keyClick(c, Qt::Key_Tab);
    QTRY_COMPARE(int(p_->mensajes().size()), 1);
    QCOMPARE(p_->mensajes()[0].texto, mensaje);
    QCOMPARE(c->text(), QString("0"));
    QCOMPARE(sistemas[1].moles, 0.0);
    QTRY_VERIFY(c->hasFocus());
    QCOMPARE(korgas::sistema_actual, 1);

    // Two refused boxes do not hand the focus to and fro: leaving one for
    // the other gives one message, and the focus stays where it came back.
    QLineEdit* otra = d->txtmol[2];
    c->setText("2");
    d->Check[2]->setFocus();
    QCoreApplication::processEvents();
    c->setText("0");
    otra->setText("0");
    otra->setFocus(Qt::MouseFocusReason);
    p_->mensajes().clear();
    QTest::mouseClick(c, Qt::LeftButton);
    for (int k = 0; k < 20; ++k) QCoreApplication::processEvents();
    QCOMPARE(int(p_->mensajes().size()), 1);
    QVERIFY(otra->hasFocus());
}

void TstFrmdatos::desmarcar_y_reabrir() {
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 2, true, 3, 8, "450", "2.5");
    fila(d, 3, true, 4, 5, "200", "7");  // virial: its notice
    QCOMPARE(int(p_->mensajes().size()), 1);
    QCOMPARE(p_->mensajes()[0].texto,
             korgas::tx(87) + QChar(13) + korgas::tx(88) + QChar(13) + korgas::tx(89));
    korgas::marcar(d->Check[1], false);
    QVERIFY(!sistemas[1].activo);
    QVERIFY(!d->cmbgas[1]->isEnabled() && !d->txtmol[1]->isEnabled() &&
            !d->UpDown1[1]->isEnabled());
    QCOMPARE(sistemas[1].numgas, 1);  // the record keeps its data
    QCOMPARE(sistemas[1].moles, 1.0);

    p_->mensajes().clear();
    e("mnudato")->trigger();  // closes and reloads
    d = datos();
    QVERIFY(!d->Check[1]->isChecked() && d->Check[2]->isChecked() && d->Check[3]->isChecked());
    QVERIFY(!d->txtmol[1]->isEnabled() && d->txtmol[2]->isEnabled());
    QCOMPARE(d->cmbgas[2]->currentText(), QString("Agua"));
    QCOMPARE(d->cmbecu[2]->currentIndex(), 8);
    QCOMPARE(d->txttemp[2]->text(), QString("450"));
    QCOMPARE(d->txtmol[2]->text(), QString("2.500"));
    QCOMPARE(d->cmbecu[3]->currentIndex(), 5);
    QCOMPARE(d->txtmol[3]->text(), QString("7.000"));
    QCOMPARE(sistemas[2].temperatura, 450.0);
    QCOMPARE(sistemas[3].moles, 7.0);
    // The virial row shows its notice again.
    QCOMPARE(int(p_->mensajes().size()), 1);
}

void TstFrmdatos::nuevo_con_grafico_y_escala_abiertos() {
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 2, true, 2, 1, "200", "3");
    e("mnugramos")->trigger();
    d->btactualiza->click();
    QVERIFY(grafico());
    e("mnuescala")->trigger();
    QVERIFY(ventana<korgas::frmescala>("frmescala"));
    QVERIFY(e("boton_8")->isEnabled());
    sistemas[2].personalizado = true;

    e("boton_1")->trigger();
    QVERIFY(!grafico());
    QVERIFY(!ventana<korgas::frmescala>("frmescala"));
    d = datos();
    QVERIFY(d && d->isVisible());
    QVERIFY(e("mnumoles")->isChecked() && !e("mnugramos")->isChecked());
    QVERIFY(!e("mnuescala")->isEnabled() && !e("boton_8")->isEnabled());
    QVERIFY(e("mnudibujos")->isEnabled() && e("boton_7")->isEnabled());
    QVERIFY(!sistemas[2].personalizado);
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(d->Check[i]->isChecked(), i == 1);
        QCOMPARE(d->cmbgas[i]->currentIndex(), 0);
        QCOMPARE(d->cmbecu[i]->currentIndex(), 0);
        QCOMPARE(d->txtmol[i]->text(), QString("1.000"));
        QCOMPARE(d->txttemp[i]->text(), QString("300"));
    }
    QCOMPARE(d->Label4->text(), korgas::tx(53));
    QCOMPARE(d->shpmarca->color(), QColor(0, 0, 0));
    // With the data window closed, the command opens it all the same.
    korgas::Ventanas::descargar("frmdatos");
    e("mnunuevo")->trigger();
    QVERIFY(datos());
}

void TstFrmdatos::marca_de_la_fila_actual() {
    korgas::frmdatos* d = p_->abrir_datos();
    korgas::marcar(d->Check[4], true);
    sistemas[4].personalizado = true;
    d->activateWindow();
    d->cmbecu[4]->setFocus();
    QCOMPARE(korgas::sistema_actual, 4);
    QCOMPARE(d->shpmarca->color(), QColor(255, 0, 0));
    QCOMPARE(d->shpmarca->geometry().center().y(), d->Check[4]->geometry().center().y());
    d->txttemp[2]->setFocus();  // a disabled row takes no focus
    QCOMPARE(korgas::sistema_actual, 4);
    d->Check[2]->setFocus();
    QCOMPARE(korgas::sistema_actual, 2);
    QCOMPARE(d->shpmarca->color(), QColor(0, 0, 0));
    // A press on the amount spinner puts the focus in its box.
    QTest::mousePress(d->UpDown1[4]->boton_arriba(), Qt::LeftButton);
    QVERIFY(d->txtmol[4]->hasFocus());
    QCOMPARE(korgas::sistema_actual, 4);
    QTest::mouseRelease(d->UpDown1[4]->boton_arriba(), Qt::LeftButton);
    QCOMPARE(d->txtmol[4]->text(), QString("2.000"));
    QCOMPARE(sistemas[4].moles, 2.0);
    d->UpDown[4]->subir();
    QCOMPARE(d->txttemp[4]->text(), QString("310"));
    QCOMPARE(sistemas[4].temperatura, 310.0);
}

void TstFrmdatos::gases_borrados_y_anadidos() {
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 1, true, 4, 1, "300", "1");
    fila(d, 2, true, 3, 1, "300", "1");
    fila(d, 3, true, 2, 1, "250", "2");  // N2 at 250 K: above its critical point
    d->btactualiza->click();
    korgas::frmgraficos* g = grafico();
    QVERIFY(g);
    const QColor rojo(255, 0, 0);  // row 3
    const double pv = 31.6154;     // the CO2-like gas at 250 K
    QVERIFY(!color_cerca(g->pctgrafico, 0.5, pv, rojo));
    p_->mensajes().clear();

    // Gas 2 goes, as the gas editor deletes it: the file rewritten, the
    // count and the records renumbered, then the notice.
    auto gases = gases_prueba();
    gases.erase(gases.begin() + 1);
    p_->prog->escribir("data", fichero(gases));
    korgas::numgases = 3;
    for (int i = 0; i <= 5; ++i) {
        const int n = korgas::numero_tras_borrado(sistemas[i].numgas, 2);
        sistemas[i].numgas = n == 0 ? 1 : n;
    }
    emit korgas::AvisoGases::instancia()->gas_borrado(2);
    for (int i = 1; i <= 5; ++i) QCOMPARE(d->cmbgas[i]->count(), 3);
    QCOMPARE(d->cmbgas[1]->currentText(), QString("Metano"));
    QCOMPARE(d->cmbgas[2]->currentText(), QString("Agua"));
    QCOMPARE(d->cmbgas[3]->currentText(), QString("Dioxido"));  // its gas went
    QCOMPARE(sistemas[1].gas.nombre, std::string("Metano"));
    QCOMPARE(sistemas[3].gas.nombre, std::string("Dioxido"));
    QCOMPARE(sistemas[3].gas.tc, 304.2);
    QVERIFY(p_->mensajes().empty());
    // The graph draws the records as they are now: row 3 has a tie line.
    QVERIFY(color_cerca(g->pctgrafico, 0.5, pv, rojo));

    // A gas added at the end: the lists gain it and keep their choice.
    gases.push_back({"Neon", 20.18, 44.4, 26.2, 0.0417});
    p_->prog->escribir("data", fichero(gases));
    korgas::numgases = 4;
    emit korgas::AvisoGases::instancia()->gas_anadido(4);
    QCOMPARE(d->cmbgas[5]->count(), 4);
    QCOMPARE(d->cmbgas[5]->itemText(3), QString("Neon"));
    QCOMPARE(d->cmbgas[1]->currentText(), QString("Metano"));
    QCOMPARE(d->cmbgas[2]->currentText(), QString("Agua"));

    // A gas changed: its name in the lists, its rows reloaded.
    gases[2].nombre = "Metano puro";
    gases[2].tc = 191.0;
    p_->prog->escribir("data", fichero(gases));
    emit korgas::AvisoGases::instancia()->gas_modificado(3);
    QCOMPARE(d->cmbgas[1]->currentText(), QString("Metano puro"));
    QCOMPARE(sistemas[1].gas.tc, 191.0);
}

QTEST_MAIN(TstFrmdatos)
#include "tst_frmdatos.moc"
