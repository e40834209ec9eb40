#include "shell/frmAbout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/controles.h"
#include "platform/etiqueta.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "shell/creditos.h"
#include "shell/frmprincipal.h"
#include "shell/iconos.h"

namespace korgas {

namespace {

// The window of the program that w belongs to: w itself or one of its owners.
bool es_de(const QWidget* dueno, QWindow* ventana) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowHandle() != ventana) continue;
        for (const QWidget* p = w; p; p = p->parentWidget())
            if (p == dueno) return true;
        return false;
    }
    return false;
}

}  // namespace

QStringList frmAbout::herramientas_sistema() {
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("cpu-x"), QStringLiteral("gnome-system-monitor")};
}

// A window of its own over the main window, which it goes with when the
// program ends.
frmAbout::frmAbout() : QDialog(frmprincipal::existente()) {
    setObjectName(kFrmAbout);
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Image1 = rotulo("Image1", this);
    lblTitle = rotulo("lblTitle", this);
    lblVersion = rotulo("lblVersion", this);
    lblDescription = rotulo("lblDescription", this);
    lblDisclaimer = rotulo("lblDisclaimer", this);
    Label1 = rotulo("Label1", this);
    Label2 = rotulo("Label2", this);
    Label3 = rotulo("Label3", this);
    Label4 = new Etiqueta(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->fijar_mano(true);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo = new QPushButton(this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    Image1->setPixmap(dibujo_matraz(96, devicePixelRatioF()));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    fijar_fuente(lblTitle, 24, QFont::Bold);
    fijar_fuente(lblVersion, 10, QFont::DemiBold);
    fijar_fuente(lblDisclaimer, 8.5, QFont::Normal, true);
    lblTitle->setStyleSheet(QStringLiteral("color: #1b4f8a;"));
    Label4->setStyleSheet(QStringLiteral("color: #1f5fbf; text-decoration: underline;"));
    lblDescription->setWordWrap(true);
    lblDisclaimer->setWordWrap(true);

    auto* linea = new QFrame(this);
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);

    auto* texto = new QVBoxLayout;
    texto->setSpacing(4);
    texto->addWidget(lblTitle);
    texto->addWidget(lblVersion);
    texto->addSpacing(6);
    texto->addWidget(lblDescription);
    texto->addSpacing(10);
    texto->addWidget(Label1);
    texto->addWidget(Label2);
    texto->addSpacing(6);
    texto->addWidget(Label3);
    texto->addWidget(Label4, 0, Qt::AlignLeft);
    texto->addStretch(1);

    auto* botones = new QVBoxLayout;
    botones->addWidget(cmdOK);
    botones->addWidget(cmdSysInfo);

    auto* rejilla = new QGridLayout(this);
    rejilla->setContentsMargins(18, 18, 18, 14);
    rejilla->setHorizontalSpacing(18);
    rejilla->addWidget(Image1, 0, 0);
    rejilla->addLayout(texto, 0, 1, 1, 2);
    rejilla->addWidget(linea, 1, 0, 1, 3);
    rejilla->addWidget(lblDisclaimer, 2, 0, 1, 2, Qt::AlignTop);
    rejilla->addLayout(botones, 2, 2, Qt::AlignTop);
    rejilla->setColumnStretch(1, 1);

    connect(cmdOK, &QPushButton::clicked, this, [this] { close(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    connect(Label4, &Etiqueta::clicked, this, &frmAbout::Label4_Click);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &frmAbout::Form_Deactivate);

    Form_Load();
}

void frmAbout::Form_Load() {
    setWindowTitle(tx(60));
    lblTitle->setText(QStringLiteral("KOR GAS"));
    lblVersion->setText(tx(61));
    lblDescription->setText(tx(62));
    lblDisclaimer->setText(tx(63));
    cmdSysInfo->setText(tx(64));
    cmdOK->setText(tx(239, QStringLiteral("Aceptar")));
    cmdOK->setDefault(true);
    Label1->setText(credito_1());
    Label2->setText(credito_2());
    Label3->setText(fabricante());
    Label4->setText(direccion_web());
    Label4->setToolTip(direccion_web());
    setMinimumWidth(520);
    adjustSize();
}

void frmAbout::closeEvent(QCloseEvent* ev) {
    // Closing is never refused (a dialog's own close would only hide it).
    ev->accept();
}

void frmAbout::Form_Deactivate(QWindow* activa) {
    if (activa && activa == windowHandle()) {
        activada_ = true;
        return;
    }
    // Another program taking the focus gives no window of ours, and a window
    // the box owns is part of it: the box stays.
    if (!activa || !isVisible() || es_de(this, activa)) return;
    // Only a box that has been the active window is deactivated (an
    // activation of the main window still on its way when the box opens does
    // not close it).
    if (activada_) close();
}

void frmAbout::Label4_Click() {
    QDesktopServices::openUrl(QUrl(direccion_web()));
}

void frmAbout::StartSysInfo() {
    for (const QString& nombre : herramientas_sistema()) {
        const QString ruta = QStandardPaths::findExecutable(nombre);
        if (ruta.isEmpty()) continue;
        if (QProcess::startDetached(ruta, {})) return;
        break;
    }
    // The box is this window's own, so showing it never closes the About box.
    msgbox(tx(184), 0, QString(), this);
}

}  // namespace korgas
