// The focus rules of the windows as a user meets them on a desktop: a box's
// lost-focus rule runs when the focus moves to another control of its
// window, and never on a click on a caption, a picture, a button that takes
// no focus or the window's title, nor when another window is activated.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QStyle>
#include <QToolButton>

#include "escritorio_prueba.h"
#include "gasdb/textextend.h"
#include "platform/lienzo.h"
#include "platform/texto_qt.h"

using namespace pruebas;
using escritorio::clic;
using escritorio::tecla;

namespace {

// A point of a window's title bar, away from its icon and its buttons.
void clic_en_titulo(QWidget* w) {
    auto* marco = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    QVERIFY(marco);
    const int alto = marco->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, marco);
    clic(marco, QPoint(marco->width() / 3, alto / 2));
}

// Gives a box the focus with a click and types a text over its selection.
void teclear_en(QLineEdit* c, const QString& texto) {
    clic(c);
    QTRY_VERIFY(c->hasFocus());
    QTRY_COMPARE(c->selectedText(), c->text());
    escritorio::escribir(texto);
    QTRY_COMPARE(c->text(), texto);
}

}  // namespace

class TstFoco : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { escritorio::registrar_todo(); }
    void init() {
        korgas::medidor_temperatura = 0;
        korgas::medidor_presion = 0;
    }

    void simulacion_un_mensaje_y_el_clic_hace_lo_suyo();
    void simulacion_clic_en_un_titulo_solo_marca();
    void simulacion_otra_ventana_no_corre_la_regla();
    void calculo_clic_en_un_titulo();
    void datos_clic_en_un_titulo();
    void editor_clic_en_el_titulo();
};

void TstFoco::simulacion_un_mensaje_y_el_clic_hace_lo_suyo() {
    escritorio::Programa p;
    QVERIFY(p.principal);
    QWidget* w = p.abrir(QStringLiteral("frmoperaciones"));
    QVERIFY(w);
    QLineEdit* vol = caja(w, "txtvol");
    QLineEdit* press = caja(w, "txtpress");
    teclear_en(vol, QStringLiteral("1"));
    tecla(XK_Tab);
    // 0.25 mol at 300 K in 1 l: 6.15 atm, beyond the barometer. One message.
    QTRY_COMPARE(press->text(), QStringLiteral("6.15"));
    QCOMPARE(p.entorno.mensajes.size(), std::size_t(1));
    QWidget* con_foco = QApplication::focusWidget();
    QVERIFY(con_foco == press);

    // Every kind of thing that takes no focus, clicked in turn: the
    // manometer's button does its work, the caption marks, the picture and
    // the title do nothing; no rule runs again, the focus stays.
    auto* manometro = control<korgas::Lienzo>(w, "Manometro");
    clic(control<QToolButton>(w, "btmanometro"));
    QTRY_VERIFY(manometro->isVisible());
    clic(rotulo(w, "lbbvol"));
    QTRY_COMPARE(color_texto(vol), QColor(255, 0, 0));
    clic(control<korgas::Lienzo>(w, "termometros"));
    clic_en_titulo(w);
    clic(rotulo(w, "lbbpress"));
    QTRY_COMPARE(color_texto(press), QColor(255, 0, 0));
    QCOMPARE(p.entorno.mensajes.size(), std::size_t(1));
    QCOMPARE(QApplication::focusWidget(), con_foco);
}

void TstFoco::simulacion_clic_en_un_titulo_solo_marca() {
    escritorio::Programa p;
    QWidget* w = p.abrir(QStringLiteral("frmoperaciones"));
    QVERIFY(w);
    QLineEdit* vol = caja(w, "txtvol");
    QLineEdit* press = caja(w, "txtpress");
    QTRY_COMPARE(press->text(), QStringLiteral("1.00"));
    teclear_en(vol, QStringLiteral("7"));
    clic(rotulo(w, "lbbtemp"));
    QTRY_COMPARE(color_texto(caja(w, "txttemp")), QColor(255, 0, 0));
    // Marked, nothing recomputed: the typed volume is as typed and the
    // pressure as it was.
    QCOMPARE(vol->text(), QStringLiteral("7"));
    QCOMPARE(press->text(), QStringLiteral("1.00"));
    QVERIFY(vol->hasFocus());
    // Leaving the box for another one runs its rule: now the temperature is
    // solved from 7 l and 1 atm.
    const QString temperatura = caja(w, "txttemp")->text();
    tecla(XK_Tab);
    QTRY_COMPARE(vol->text(), QStringLiteral("7.00"));
    QVERIFY(caja(w, "txttemp")->text() != temperatura);
    QVERIFY(p.entorno.mensajes.empty());
}

void TstFoco::simulacion_otra_ventana_no_corre_la_regla() {
    escritorio::Programa p;
    QWidget* w = p.abrir(QStringLiteral("frmoperaciones"));
    QVERIFY(w);
    QWidget* otra = p.abrir(QStringLiteral("frmcalculos"));
    QVERIFY(otra);
    // Side by side, so both can be clicked.
    auto* marco = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    auto* marco_otra = qobject_cast<QMdiSubWindow*>(otra->parentWidget());
    marco->mdiArea()->tileSubWindows();
    QTRY_VERIFY(!marco->geometry().intersects(marco_otra->geometry()));
    clic_en_titulo(w);
    QTRY_COMPARE(marco->mdiArea()->activeSubWindow(), marco);
    QLineEdit* vol = caja(w, "txtvol");
    teclear_en(vol, QStringLiteral("7"));
    clic_en_titulo(otra);
    QTRY_COMPARE(marco->mdiArea()->activeSubWindow(), marco_otra);
    clic_en_titulo(w);
    QTRY_COMPARE(marco->mdiArea()->activeSubWindow(), marco);
    QTRY_VERIFY(vol->hasFocus());
    // The window's return redraws its instruments (which rewrite the volume
    // they read), but no rule of the box ran: the pressure was not solved
    // again from 7 l.
    QCOMPARE(caja(w, "txtpress")->text(), QStringLiteral("1.00"));
    QVERIFY(p.entorno.mensajes.empty());
}

void TstFoco::calculo_clic_en_un_titulo() {
    escritorio::Programa p;
    QWidget* w = p.abrir(QStringLiteral("frmcalculos"));
    QVERIFY(w);
    QLineEdit* temp = caja(w, "txttemp");
    teclear_en(temp, QStringLiteral("350"));
    // A caption, a result's caption, the window's title: the box keeps its
    // text as typed.
    clic(rotulo(w, "lbbdh"));
    clic(rotulo(w, "Label5"));
    clic_en_titulo(w);
    QCOMPARE(temp->text(), QStringLiteral("350"));
    QVERIFY(temp->hasFocus());
    // Tab to the next box: the rule reformats it.
    tecla(XK_Tab);
    QTRY_COMPARE(temp->text(), QStringLiteral("350.0000"));
    QVERIFY(p.entorno.mensajes.empty());
}

void TstFoco::datos_clic_en_un_titulo() {
    escritorio::Programa p;
    QWidget* w = p.abrir(QStringLiteral("frmdatos"));
    QVERIFY(w);
    QLineEdit* mol = caja(w, "txtmol_1");
    clic(mol);
    QTRY_VERIFY(mol->hasFocus());
    tecla(XK_BackSpace);
    QTRY_VERIFY(mol->text().isEmpty());
    // An empty amount gives its message when the focus moves on, not on a
    // click on a column's caption or the title.
    clic(rotulo(w, "Label1"));
    clic_en_titulo(w);
    QTest::qWait(0);
    QApplication::processEvents();
    QVERIFY(p.entorno.mensajes.empty());
    QVERIFY(mol->hasFocus());
    clic(control<QComboBox>(w, "cmbecu_1"));
    QTRY_COMPARE(p.entorno.mensajes.size(), std::size_t(1));
    tecla(XK_Escape);
}

void TstFoco::editor_clic_en_el_titulo() {
    escritorio::Programa p;
    korgas::entrada(QStringLiteral("mnugases"))->trigger();
    QWidget* w = p.abrir(QStringLiteral("frmgases"));
    QVERIFY(w);
    auto* caja_pm = control<korgas::textextend>(w, "textpm");
    QLineEdit* pm = caja(caja_pm, "Txt");
    clic(pm);
    QTRY_VERIFY(pm->hasFocus());
    QSignalSpy salidas(caja_pm, &korgas::textextend::LostFocus);
    // The box's leave runs when the focus moves to the next box, not on a
    // click on the window's title.
    clic_en_titulo(w);
    QTRY_VERIFY(pm->hasFocus());
    QCOMPARE(salidas.count(), 0);
    tecla(XK_Tab);
    QTRY_COMPARE(salidas.count(), 1);
}

QTEST_MAIN(TstFoco)
#include "tst_foco.moc"
