// The language editor: the texts of every language of the language file in a
// grid, one row per text number and one column per language. A cell is edited
// in a box that floats over it; a new language is added as a column; Save
// rewrites the file in one safe step and rebuilds the language menu; Print
// prints the file as it is on disk.
//
// Values are placed by their key, so a language that lacks a text or holds
// one the first language lacks loses nothing. The save changes only the
// values of the cells edited here, in the file as it is on disk then: every
// other line (the current language, comments, other keys, a section that
// appears twice, what another copy of the program changed meanwhile) stays
// byte for byte; a new language is added at the end.
#pragma once

#include <QSet>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

class QLineEdit;
class QPushButton;

namespace korgas {

class Rejilla;

class frmIdioma : public QWidget {
    Q_OBJECT

  public:
    // The window's load: captions and the grid read from the language file.
    frmIdioma();

    QSize sizeHint() const override;

    bool modificado() const { return modificado_; }
    bool columna_nueva() const { return columna_nueva_; }
    bool guardado_detenido() const { return guardado_detenido_; }

    void btguardar_Click();
    void btnuevo_Click();
    void btimprimir_Click();

  protected:
    // The closing question when there are unsaved changes.
    void closeEvent(QCloseEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;

  private:
    enum class Guardado { nada, hecho, detenido, fallido };

    void Form_Load();
    void leer_fichero();
    void MSFlexIdiomas_Click();
    // Opens the floating box over a cell (the header row included) with the
    // cell's text, all of it selected.
    void abrir_caja(int fila, int columna);
    void txtidioma_Change(const QString& texto);
    void txtidioma_Enter();
    Guardado guardar();
    // The name typed in the header of the new column, when it can name a
    // section of its own; empty otherwise.
    QString nombre_nuevo() const;

    Rejilla* MSFlexIdiomas = nullptr;
    QLineEdit* txtidioma = nullptr;
    QPushButton* btguardar = nullptr;
    QPushButton* btnuevo = nullptr;
    QPushButton* btimprimir = nullptr;

    bool modificado_ = false;
    bool columna_nueva_ = false;
    bool guardado_detenido_ = false;

    // The keys of the rows 1.. as the file writes them.
    std::vector<QString> claves_;
    // The cell the floating box writes to.
    int fila_caja_ = -1;
    int columna_caja_ = -1;
    QString texto_caja_;  // the box's last text that could be stored
    // Cells (row, column) changed here since the last save.
    QSet<std::pair<int, int>> editadas_;
};

}  // namespace korgas
