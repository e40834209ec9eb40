// The splash window, the program's start object. Its load prepares the run
// (the language file's path, the language list and menu, which load the main
// window hidden) and starts a one-second timer; at the fifth tick, or at a
// click on its frame, a picture or any label but the description, it hands
// over to the main window. It is shown once per run.
#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace korgas {

class frmSplash : public QWidget {
    Q_OBJECT

  public:
    frmSplash();

    // Public so that a test can drive the start-up without waiting for time.
    void Timer1_Timer();
    void fraMainFrame_Click();
    bool entregado() const { return entregado_; }

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;
    // Closed by the window system before the hand-over (a close key or command
    // of the desktop): the hand-over happens now, so the run never goes on
    // without any window on screen.
    void closeEvent(QCloseEvent* ev) override;

  private:
    void Form_Load();
    void construir();
    void entregar();

    QFrame* fraMainFrame = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblProductDescription = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblWarning = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;

    int contador_ = 0;  // ticks so far
    bool entregado_ = false;
};

}  // namespace korgas
