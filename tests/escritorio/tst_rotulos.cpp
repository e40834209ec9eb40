// Every caption of every window shows whole, measured in the fonts this
// machine really has, in both languages; a drop-down list shows its chosen
// entry whole or as its tool tip, and opens wide enough for its longest entry.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "platform/controles.h"

#include "escritorio_prueba.h"
#include "platform/texto_qt.h"

namespace {

// The width a control's text needs beyond what its frame takes: the room the
// style gives the text of a button or a check box, the contents of a label.
int sitio_del_texto(QWidget* w) {
    QStyle* s = w->style();
    if (qobject_cast<QCheckBox*>(w))
        return w->width() - s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) -
               s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    if (qobject_cast<QRadioButton*>(w))
        return w->width() - s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) -
               s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        int sitio = w->width() - s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) -
                    2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
        if (!b->icon().isNull()) sitio -= b->iconSize().width() + 4;
        return sitio;
    }
    if (auto* l = qobject_cast<QLabel*>(w)) return l->contentsRect().width() - 2 * l->margin();
    return w->width();
}

// What the user sees of the window's captions that is cut: one line per
// control.
QStringList cortados(QWidget* ventana) {
    QStringList mal;
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->width() <= 0) continue;
        QString texto;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (!l->wordWrap() && l->pixmap().isNull() && l->textFormat() != Qt::RichText)
                texto = l->text();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            texto = b->text();
        }
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            const QFontMetrics fm(c->font());
            const int entrada = fm.horizontalAdvance(c->currentText());
            // The field is the box less its arrow and frame.
            QStyleOptionComboBox opt;
            opt.initFrom(c);
            opt.editable = c->isEditable();
            const int campo =
                c->style()
                    ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c)
                    .width() -
                4;
            if (entrada > campo && c->toolTip() != c->currentText())
                mal << QStringLiteral("%1/%2: \"%3\" shows cut")
                           .arg(ventana->objectName(), c->objectName(), c->currentText());
            int mas_larga = 0;
            for (int i = 0; i < c->count(); ++i)
                mas_larga = std::max(mas_larga, fm.horizontalAdvance(c->itemText(i)));
            const int lista = std::max(c->width(), c->view()->minimumWidth()) -
                              c->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 8;
            if (mas_larga > lista)
                mal << QStringLiteral("%1/%2: its list cuts its longest entry")
                           .arg(ventana->objectName(), c->objectName());
            continue;
        }
        if (texto.isEmpty()) continue;
        const QString visto = korgas::sin_acceso(texto);
        const int necesita = w->fontMetrics().horizontalAdvance(visto);
        const int sitio = sitio_del_texto(w);
        if (necesita > sitio)
            mal << QStringLiteral("%1/%2: \"%3\" needs %4 px, has %5")
                       .arg(ventana->objectName(), w->objectName(), visto)
                       .arg(necesita)
                       .arg(sitio);
    }
    return mal;
}

}  // namespace

class TstRotulos : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { escritorio::registrar_todo(); }
    void ventanas_data();
    void ventanas();
};

void TstRotulos::ventanas_data() {
    QTest::addColumn<QString>("idioma");
    QTest::newRow("Español") << QStringLiteral("Español");
    QTest::newRow("English") << QStringLiteral("English");
}

void TstRotulos::ventanas() {
    QFETCH(QString, idioma);
    escritorio::Programa p(idioma);
    QVERIFY(p.principal);
    QStringList mal;
    // In the order the menus allow: the parameter table needs the data
    // window, the scale dialog the graph window.
    for (const char* nombre :
         {"frmcalculos", "frmoperaciones", "frmdatos", "frmcompuestos", "frmgraficos", "frmescala",
          "frmgases", "frmtabla", "frmtablaay", "frmtermometro", "frmIdioma"}) {
        QWidget* w = p.abrir(QString::fromLatin1(nombre));
        QVERIFY2(w, nombre);
        mal << cortados(w);
        // What each equation shows.
        if (auto* ecu = w->findChild<QComboBox*>(QStringLiteral("cmbecu"))) {
            for (int e = 0; e < ecu->count(); ++e) {
                korgas::seleccionar(ecu, e);
                // As the user sees it: the layouts have followed the texts.
                QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                QApplication::processEvents();
                mal << cortados(w);
            }
            korgas::seleccionar(ecu, 0);
        }
        // The data window's button reads otherwise once the graph is open.
        if (QLatin1String(nombre) == QLatin1String("frmgraficos"))
            mal << cortados(korgas::Ventanas::buscar(QStringLiteral("frmdatos")));
        if (QLatin1String(nombre) == QLatin1String("frmcompuestos") ||
            QLatin1String(nombre) == QLatin1String("frmescala") ||
            QLatin1String(nombre) == QLatin1String("frmIdioma"))
            korgas::Ventanas::descargar(QString::fromLatin1(nombre));
    }
    mal.removeDuplicates();
    QVERIFY2(mal.isEmpty(), qPrintable(mal.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TstRotulos)
#include "tst_rotulos.moc"
