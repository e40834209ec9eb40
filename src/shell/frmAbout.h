// The About box: the program's name, version, description and credits in the
// current language, the maker's web address (a click opens it in the desktop's
// browser) and a button that starts a system-information tool. It is a window
// of its own, not modal; OK closes it, and so does the activation of any other
// window of the program (not of another program, and not of a message box the
// About box itself shows).
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QWindow;

namespace korgas {

class Etiqueta;

class frmAbout : public QDialog {
    Q_OBJECT

  public:
    frmAbout();

    // Starts the first system-information tool found on the PATH; language
    // text 184 when there is none or it does not start.
    void StartSysInfo();

    // The tools looked for, in order.
    static QStringList herramientas_sistema();

  public slots:
    // Enter and Escape close the box like OK.
    void accept() override { close(); }
    void reject() override { close(); }

  protected:
    void closeEvent(QCloseEvent* ev) override;

  private:
    void Form_Load();
    void Form_Deactivate(QWindow* activa);
    void Label4_Click();

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    Etiqueta* Label4 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    bool activada_ = false;  // has been the active window
};

}  // namespace korgas
