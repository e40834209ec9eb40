#include "shell/frmSplash.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include "core/gas.h"
#include "platform/carpeta.h"
#include "platform/controles.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "shell/creditos.h"
#include "shell/frmprincipal.h"
#include "shell/iconos.h"
#include "shell/idiomas.h"

namespace korgas {

frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(kFrmSplash);
    setAttribute(Qt::WA_DeleteOnClose);
    construir();
    Form_Load();
}

void frmSplash::construir() {
    setWindowTitle(QStringLiteral("KOR-GAS"));
    setStyleSheet(
        QStringLiteral("frmSplash, korgas--frmSplash { background: #1f3a5c; }"
                       "#fraMainFrame { border: 1px solid #7f9bbd; border-radius: 10px;"
                       "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff,"
                       "  stop:1 #dde9f6); }"
                       "#fraMainFrame QLabel { background: transparent; color: #22324a; }"
                       "#lblCompanyProduct { color: #3d6590; letter-spacing: 1px; }"
                       "#lblProductName { color: #1b4f8a; }"
                       "#lblWarning, #Label1, #Label2 { color: #53657d; }"));

    auto* exterior = new QGridLayout(this);
    exterior->setContentsMargins(6, 6, 6, 6);
    fraMainFrame = new QFrame(this);
    fraMainFrame->setObjectName(QStringLiteral("fraMainFrame"));
    exterior->addWidget(fraMainFrame);

    Image1 = rotulo("Image1", fraMainFrame);
    Image2 = rotulo("Image2", fraMainFrame);
    lblCompanyProduct = rotulo("lblCompanyProduct", fraMainFrame);
    lblProductName = rotulo("lblProductName", fraMainFrame);
    lblProductDescription = rotulo("lblProductDescription", fraMainFrame);
    lblPlatform = rotulo("lblPlatform", fraMainFrame);
    lblWarning = rotulo("lblWarning", fraMainFrame);
    lblVersion = rotulo("lblVersion", fraMainFrame);
    Label1 = rotulo("Label1", fraMainFrame);
    Label2 = rotulo("Label2", fraMainFrame);

    const qreal escala = devicePixelRatioF();
    Image1->setPixmap(dibujo_matraz(120, escala));
    Image1->setAlignment(Qt::AlignCenter);
    Image2->setPixmap(dibujo_isotermas(230, 150, escala));
    Image2->setAlignment(Qt::AlignCenter);

    fijar_fuente(lblCompanyProduct, 10, QFont::DemiBold);
    fijar_fuente(lblProductName, 34, QFont::Bold);
    fijar_fuente(lblProductDescription, 12);
    fijar_fuente(lblVersion, 10, QFont::DemiBold);
    fijar_fuente(lblPlatform, 10);
    fijar_fuente(lblWarning, 8.5, QFont::Normal, true);
    fijar_fuente(Label1, 8.5);
    fijar_fuente(Label2, 8.5);
    lblWarning->setWordWrap(true);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblPlatform->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* rejilla = new QGridLayout(fraMainFrame);
    rejilla->setContentsMargins(22, 18, 22, 14);
    rejilla->setHorizontalSpacing(18);
    rejilla->setVerticalSpacing(4);
    rejilla->addWidget(Image1, 0, 0, 4, 1, Qt::AlignTop);
    rejilla->addWidget(lblCompanyProduct, 0, 1);
    rejilla->addWidget(lblProductName, 1, 1);
    rejilla->addWidget(lblProductDescription, 2, 1, Qt::AlignTop);
    rejilla->addWidget(Image2, 0, 2, 4, 1, Qt::AlignTop | Qt::AlignRight);
    rejilla->setRowStretch(3, 1);
    rejilla->setRowMinimumHeight(4, 10);
    rejilla->addWidget(Label1, 5, 0, 1, 2);
    rejilla->addWidget(lblVersion, 5, 2);
    rejilla->addWidget(Label2, 6, 0, 1, 2);
    rejilla->addWidget(lblPlatform, 6, 2);
    rejilla->setRowMinimumHeight(7, 6);
    rejilla->addWidget(lblWarning, 8, 0, 1, 3);
    rejilla->setColumnStretch(1, 1);

    for (QWidget* w : {static_cast<QWidget*>(fraMainFrame), static_cast<QWidget*>(Image1),
                       static_cast<QWidget*>(Image2), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(lblCompanyProduct),
                       static_cast<QWidget*>(lblPlatform), static_cast<QWidget*>(lblProductName),
                       static_cast<QWidget*>(lblVersion), static_cast<QWidget*>(lblWarning),
                       static_cast<QWidget*>(lblProductDescription)}) {
        w->installEventFilter(this);
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::Form_Load() {
    // The program's numbers already use "." (set when the application was
    // prepared); no setting of the user's system is changed.
    fichidioma = ruta_programa(QStringLiteral("idioma.lng"));
    // Loads the main window, hidden, once the current language is known.
    cargaridiomas();
    Timer1->start(1000);

    lblCompanyProduct->setText(tx(180));
    lblProductName->setText(QStringLiteral("KOR-GAS"));
    lblProductDescription->setText(tx(181) + QLatin1Char('\n') + tx(182));
    lblPlatform->setText(QStringLiteral("Linux"));
    lblWarning->setText(tx(63));
    lblVersion->setText(tx(183));
    // The credits are the same in every language.
    Label1->setText(credito_1());
    Label2->setText(credito_2());

    setFixedSize(sizeHint().expandedTo(QSize(720, 300)));
    centrar_en_pantalla(this, screen());
}

void frmSplash::Timer1_Timer() {
    ++contador_;
    if (contador_ == 5) fraMainFrame_Click();
}

void frmSplash::fraMainFrame_Click() {
    if (entregado_) return;
    close();  // hands over in closeEvent
}

void frmSplash::closeEvent(QCloseEvent* ev) {
    // Unloaded first (off the screen, the timer stopped), then the main window.
    ev->accept();
    hide();
    entregar();
}

void frmSplash::entregar() {
    if (entregado_) return;
    entregado_ = true;
    Timer1->stop();

    frmprincipal* principal = frmprincipal::instancia();
    centrar_en_pantalla(principal, principal->screen(), 0.95);
    principal->show();
    principal->raise();
    principal->activateWindow();
}

bool frmSplash::eventFilter(QObject* obj, QEvent* ev) {
    const QEvent::Type t = ev->type();
    if (t != QEvent::MouseButtonPress && t != QEvent::MouseButtonRelease &&
        t != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(obj, ev);
    // The description takes its clicks and does nothing with them (left to
    // itself a label passes them on to the frame).
    if (obj == lblProductDescription) return true;
    if (t == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton)
        fraMainFrame_Click();
    return true;
}

}  // namespace korgas
