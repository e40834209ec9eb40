// The labelled text box: its input rules as one table of typed keys, the
// leave rule, pastes, the tool tip, its self-sizing layout, its properties and
// events, and its stored design.
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QtTest>

#include "gasdb/propiedades.h"
#include "gasdb/textextend.h"

using korgas::Propiedades;
using korgas::textextend;

namespace {

// Sends the focus out of the box as a move to another control does (or as a
// message box does, with the reason given).
void salir(textextend& c, Qt::FocusReason razon = Qt::TabFocusReason) {
    QFocusEvent ev(QEvent::FocusOut, razon);
    QApplication::sendEvent(c.Txt(), &ev);
}

// Types one character as the keyboard does, accented letters too.
void tecla(QWidget* w, QChar ch) {
    QKeyEvent abajo(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &abajo);
    QKeyEvent arriba(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &arriba);
}

QColor fondo(const QWidget* w, QPalette::ColorRole papel) {
    return w->palette().color(papel);
}

}  // namespace

class TstTextextend : public QObject {
    Q_OBJECT

  private slots:
    void reglas_de_entrada_data();
    void reglas_de_entrada();
    void salir_sin_perder_el_foco_no_cuenta();
    void entrar_selecciona_el_texto();
    void pegar_vuelve_al_texto_de_antes();
    void consejo_con_el_texto_que_no_cabe();
    void altura_segun_las_fuentes();
    void propiedades_al_fijarlas();
    void eventos();
    void diseno_guardado();
};

void TstTextextend::reglas_de_entrada_data() {
    QTest::addColumn<int>("modo");
    QTest::addColumn<bool>("signo");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("rechazadas");  // the characters KeyPress saw as 0
    QTest::addColumn<QString>("al_salir");    // the text after leaving

    // clang-format off
    QTest::newRow("decimal: a letter undone")      << 2 << true  << "12a"    << "12"     << ""   << "12";
    QTest::newRow("decimal: comma refused")        << 2 << true  << "1,"     << "1"      << ","  << "1";
    QTest::newRow("decimal: point taken")          << 2 << true  << "1."     << "1."     << ""   << "1.";
    QTest::newRow("integer: point refused")        << 1 << true  << "1."     << "1"      << "."  << "1";
    QTest::newRow("no sign: minus refused")        << 2 << false << "-"      << ""       << "-"  << "0";
    QTest::newRow("minus alone stays, then 0")     << 2 << true  << "-"      << "-"      << ""   << "0";
    QTest::newRow("negative number")               << 2 << true  << "-5"     << "-5"     << ""   << "-5";
    QTest::newRow("trailing minus after two")      << 2 << true  << "12-"    << "12"     << ""   << "12";
    QTest::newRow("digit and minus stay")          << 2 << true  << "5-"     << "5-"     << ""   << "5-";
    QTest::newRow("exponent typed in full")        << 2 << true  << "1.2e-7" << "1.2e-7" << ""   << "1.2e-7";
    QTest::newRow("beyond a double undone")        << 2 << true  << "1e400"  << "1e40"   << ""   << "1e40";
    QTest::newRow("a sign alone undone")           << 1 << true  << "+"      << ""       << ""   << "0";
    QTest::newRow("integer: empty becomes 0")      << 1 << true  << ""       << ""       << ""   << "0";
    QTest::newRow("free text: anything")           << 0 << false << "a,-.ñ"  << "a,-.ñ"  << ""   << "a,-.ñ";
    QTest::newRow("free text: empty stays")        << 0 << true  << ""       << ""       << ""   << "";
    QTest::newRow("letters")                       << 3 << true  << "aZ 1ñb" << "aZ b"   << "1ñ" << "aZ b";
    // clang-format on
}

void TstTextextend::reglas_de_entrada() {
    QFETCH(int, modo);
    QFETCH(bool, signo);
    QFETCH(QString, teclas);
    QFETCH(QString, texto);
    QFETCH(QString, rechazadas);
    QFETCH(QString, al_salir);

    textextend c;
    c.NumberBox(modo);
    c.Signo(signo);
    QString refusadas;
    // Each key on its own, so that the refused ones can be told.
    for (QChar ch : teclas) {
        bool rechazada = false;
        c.KeyPress = [&](int& codigo) { rechazada = codigo == 0; };
        tecla(c.Txt(), ch);
        if (rechazada) refusadas += ch;
    }
    QCOMPARE(c.Text(), texto);
    QCOMPARE(c.Txt()->cursorPosition(), int(texto.size()));
    QCOMPARE(refusadas, rechazadas);
    salir(c);
    QCOMPARE(c.Text(), al_salir);
}

void TstTextextend::salir_sin_perder_el_foco_no_cuenta() {
    textextend c;
    c.NumberBox(2);
    QSignalSpy salidas(&c, &textextend::LostFocus);
    salir(c, Qt::ActiveWindowFocusReason);
    salir(c, Qt::PopupFocusReason);
    salir(c, Qt::MenuBarFocusReason);
    QCOMPARE(c.Text(), QString());
    QCOMPARE(salidas.count(), 0);
    salir(c, Qt::MouseFocusReason);
    QCOMPARE(c.Text(), QString("0"));
    QCOMPARE(salidas.count(), 1);
}

// Entering by a click selects the whole text only with SelOnFocus (the box
// itself selects nothing on a click).
void TstTextextend::entrar_selecciona_el_texto() {
    for (bool seleccionar : {true, false}) {
        QWidget marco;
        textextend c(&marco);
        c.SelOnFocus(seleccionar);
        c.Text("12.5");
        marco.show();
        QApplication::setActiveWindow(&marco);
        QVERIFY(QTest::qWaitForWindowActive(&marco));
        c.Txt()->setFocus(Qt::MouseFocusReason);
        QVERIFY(c.Txt()->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(c.Txt()->selectedText(), seleccionar ? QString("12.5") : QString());
    }
}

void TstTextextend::pegar_vuelve_al_texto_de_antes() {
    textextend c;
    c.NumberBox(2);
    c.Txt()->setFocus();
    QTest::keyClicks(c.Txt(), "12");
    QApplication::clipboard()->setText("abc");
    QTest::keyClick(c.Txt(), Qt::Key_V, Qt::ControlModifier);
    // Back to the text before the paste, not to the one before the last key.
    QCOMPARE(c.Text(), QString("12"));
    QApplication::clipboard()->setText("3");
    QTest::keyClick(c.Txt(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(c.Text(), QString("123"));
}

void TstTextextend::consejo_con_el_texto_que_no_cabe() {
    QWidget marco;
    textextend c(&marco);
    c.resize(100, 20);
    marco.show();
    QCOMPARE(c.Txt()->width(), 100);
    const QFontMetrics fm(c.Txt()->font());
    QString largo = "1";
    // Longer than the box less 100 twips (7 pixels).
    while (fm.horizontalAdvance(largo) * 15 <= c.Txt()->width() * 15 - 100) largo += "1";
    QString justo = largo.left(largo.size() - 1);
    c.Text(largo);
    QCOMPARE(c.Txt()->toolTip(), largo);
    c.Text(justo);
    QCOMPARE(c.Txt()->toolTip(), QString());
    c.Text(largo);
    c.Text("");
    QCOMPARE(c.Txt()->toolTip(), QString());
}

void TstTextextend::altura_segun_las_fuentes() {
    QWidget marco;
    textextend c(&marco);
    c.resize(200, 5);
    marco.show();
    const int caja = c.Txt()->sizeHint().height();
    QCOMPARE(c.height(), caja);
    QCOMPARE(c.Txt()->width(), 200);
    QSignalSpy tamano(&c, &textextend::Resize);
    c.Header(true);
    const int cabecera = c.lblHeader()->sizeHint().height();
    QCOMPARE(c.height(), cabecera + caja);
    QCOMPARE(c.lblHeader()->geometry(), QRect(0, 0, 200, cabecera));
    QCOMPARE(c.Txt()->geometry(), QRect(0, cabecera, 200, caja));
    QVERIFY(tamano.count() >= 1);

    QFont grande = c.HeaderFont();
    grande.setPointSize(grande.pointSize() * 3);
    c.HeaderFont(grande);
    QVERIFY(c.height() > cabecera + caja);
    QCOMPARE(c.height(), c.lblHeader()->sizeHint().height() + caja);
    // The window cannot make it taller than its text.
    c.resize(200, 500);
    QCOMPARE(c.height(), c.lblHeader()->sizeHint().height() + caja);
    c.Header(false);
    QCOMPARE(c.height(), caja);
    QVERIFY(c.lblHeader()->isHidden());
}

void TstTextextend::propiedades_al_fijarlas() {
    textextend c;
    QSignalSpy cambios(&c, &textextend::propiedad_cambiada);
    c.Alignment(5);
    QCOMPARE(c.Alignment(), 2);
    QVERIFY(c.Txt()->alignment() & Qt::AlignHCenter);
    c.Alignment(0);
    QVERIFY(c.Txt()->alignment() & Qt::AlignLeft);
    c.HeaderAlignement(7);
    QCOMPARE(c.HeaderAlignement(), 2);
    c.PasswordChar("ab");
    QCOMPARE(c.PasswordChar(), QString("a"));
    QCOMPARE(c.Txt()->echoMode(), QLineEdit::Password);
    QCOMPARE(c.Txt()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, c.Txt()),
             int('a'));
    c.PasswordChar("");
    QCOMPARE(c.Txt()->echoMode(), QLineEdit::Normal);

    c.HeaderBackColor(0x0000FF00u);  // green
    QCOMPARE(fondo(c.lblHeader(), QPalette::Window), QColor(0, 255, 0));
    QCOMPARE(fondo(&c, QPalette::Window), QColor(0, 255, 0));
    QVERIFY(c.autoFillBackground());
    c.BackColor(65535);  // yellow
    QCOMPARE(fondo(c.Txt(), QPalette::Base), QColor(255, 255, 0));
    c.ForeColor(0x00D05C28u);
    QCOMPARE(fondo(c.Txt(), QPalette::Text), QColor(40, 92, 208));
    c.BackColor(0x80000005u);  // the system's window background
    QCOMPARE(fondo(c.Txt(), QPalette::Base), QApplication::palette().color(QPalette::Base));

    c.Enabled(false);
    QVERIFY(!c.Txt()->isEnabled());
    c.Locked(true);
    QVERIFY(c.Txt()->isReadOnly());
    c.BorderStyle(0);
    QVERIFY(!c.Txt()->hasFrame());

    QStringList nombres;
    for (const auto& a : cambios) nombres << a.at(0).toString();
    QCOMPARE(nombres, (QStringList{"Alignment", "Alignment", "HeaderAlignement", "PasswordChar",
                                   "PasswordChar", "HeaderBackColor", "BackColor", "ForeColor",
                                   "BackColor", "Enabled", "Locked", "BorderStyle"}));
}

void TstTextextend::eventos() {
    textextend c;
    c.resize(150, 20);
    // KeyPress may type another character in place of the one pressed.
    c.KeyPress = [](int& codigo) {
        if (codigo == 'a') codigo = 'b';
    };
    int abajo = 0, arriba = 0;
    c.KeyDown = [&](int& tecla, int&) { abajo = tecla; };
    c.KeyUp = [&](int& tecla, int&) { arriba = tecla; };
    QSignalSpy cambios(&c, &textextend::Change);
    QTest::keyClicks(c.Txt(), "a");
    QCOMPARE(c.Text(), QString("b"));
    QCOMPARE(abajo, int('A'));
    QCOMPARE(arriba, int('A'));
    QCOMPARE(cambios.count(), 1);
    // A key refused in KeyDown types nothing.
    c.KeyDown = [](int& tecla, int&) { tecla = 0; };
    QTest::keyClicks(c.Txt(), "x");
    QCOMPARE(c.Text(), QString("b"));

    int boton = 0, shift = 0;
    float x = 0, y = 0;
    c.MouseDown = [&](int& b, int& s, float& px, float& py) {
        boton = b, shift = s, x = px, y = py;
    };
    QSignalSpy clics(&c, &textextend::Click);
    QSignalSpy dobles(&c, &textextend::DblClick);
    QTest::mouseClick(c.Txt(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 4));
    QCOMPARE(boton, 1);
    QCOMPARE(shift, 1);
    QCOMPARE(x, 150.f);
    QCOMPARE(y, 60.f);
    QCOMPARE(clics.count(), 1);
    QTest::mouseDClick(c.Txt(), Qt::LeftButton);
    QCOMPARE(dobles.count(), 1);
}

void TstTextextend::diseno_guardado() {
    // Defaults of a design that stores nothing.
    textextend d;
    d.leer_propiedades(Propiedades());
    QCOMPARE(d.Alignment(), 1);
    QCOMPARE(d.ForeColor(), 0x00D05C28u);
    QCOMPARE(d.HeaderForeColor(), 0x00D05C28u);
    QCOMPARE(d.HeaderBackColor(), 0x00FFFFFFu);
    QCOMPARE(d.HeaderCaption(), QString("Header"));
    QCOMPARE(d.Font().family(), QString("Ms Sans Serif"));
    QCOMPARE(d.HeaderFont().family(), QString("Ms Sans Serif"));
    QVERIFY(d.Signo() && d.SelOnFocus() && d.Enabled() && !d.Locked() && !d.Header());
    QCOMPARE(d.NumberBox(), 0);
    QCOMPARE(d.BorderStyle(), 1);
    QCOMPARE(d.Appearance(), 1);
    // An absent back colour leaves the platform's.
    QCOMPARE(fondo(d.Txt(), QPalette::Base), QApplication::palette().color(QPalette::Base));

    // Every property, set away from its default, survives a write and a read.
    textextend a;
    a.resize(300, 10);
    a.Text("12.5");
    a.Alignment(2);
    a.Appearance(0);
    a.BorderStyle(0);
    a.MousePointer(2);
    QPixmap icono(8, 8);
    icono.fill(Qt::red);
    a.MouseIcon(icono);
    a.NumberBox(2);
    a.Signo(false);
    a.Locked(true);
    a.Enabled(false);
    a.ForeColor(0x000000FFu);
    a.BackColor(0x0000FFFFu);
    QFont f("DejaVu Serif", 13);
    a.Font(f);
    a.PasswordChar("*");
    a.SelOnFocus(false);
    a.Header(true);
    a.HeaderAlignement(0);
    a.HeaderForeColor(0x00FF0000u);
    a.HeaderBackColor(0x00C0C0C0u);
    QFont fc("DejaVu Sans", 11, QFont::Bold);
    a.HeaderFont(fc);
    a.HeaderCaption("Peso molecular (g/mol)");

    Propiedades p;
    a.escribir_propiedades(p);
    QCOMPARE(p.claves(), (QStringList{"_extentx",
                                      "_extenty",
                                      "text",
                                      "alignement",
                                      "appearance",
                                      "borderstyle",
                                      "mousepointer",
                                      "mouseicon",
                                      "numberbox",
                                      "signo",
                                      "locked",
                                      "enabled",
                                      "forecolor",
                                      "backcolor",
                                      "font",
                                      "passwordchar",
                                      "selonfocus",
                                      "header",
                                      "headeralignement",
                                      "headerforecolor",
                                      "headerbackcolor",
                                      "headerfont",
                                      "headercaption"}));
    QCOMPARE(p.leer("_extentx").toInt(), 300 * 15);
    QCOMPARE(p.leer("PASSWORDCHAR").toString(), QString("*"));

    textextend b;
    QSignalSpy cambios(&b, &textextend::propiedad_cambiada);
    b.leer_propiedades(p);
    QCOMPARE(cambios.count(), 0);
    QCOMPARE(b.Text(), QString("12.5"));
    QCOMPARE(b.Alignment(), 2);
    QCOMPARE(b.Appearance(), 0);
    QCOMPARE(b.BorderStyle(), 0);
    QCOMPARE(b.MousePointer(), 2);
    QCOMPARE(b.MouseIcon().toImage(), icono.toImage());
    QCOMPARE(b.NumberBox(), 2);
    QVERIFY(!b.Signo() && b.Locked() && !b.Enabled() && !b.SelOnFocus() && b.Header());
    QCOMPARE(b.ForeColor(), 0x000000FFu);
    QCOMPARE(b.BackColor(), 0x0000FFFFu);
    QCOMPARE(fondo(b.Txt(), QPalette::Base), QColor(255, 255, 0));
    QCOMPARE(b.Font(), f);
    QCOMPARE(b.PasswordChar(), QString("*"));
    QCOMPARE(b.HeaderAlignement(), 0);
    QCOMPARE(b.HeaderForeColor(), 0x00FF0000u);
    QCOMPARE(b.HeaderBackColor(), 0x00C0C0C0u);
    QCOMPARE(fondo(&b, QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(b.HeaderFont(), fc);
    QCOMPARE(b.HeaderCaption(), QString("Peso molecular (g/mol)"));

    // Stored alignments are applied as they stand; keys match in any case.
    Propiedades q{{"ALIGNEMENT", 5}, {"HeaderAlignement", 4}};
    b.leer_propiedades(q);
    QCOMPARE(b.Alignment(), 5);
    QCOMPARE(b.HeaderAlignement(), 4);
}

QTEST_MAIN(TstTextextend)
#include "tst_textextend.moc"
