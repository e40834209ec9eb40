// The labelled text box: a one-line box (Txt) with an optional header label
// (lblHeader) above it, drawn as one control.
//
// Input modes (NumberBox): 0 free text; 1 integer and 2 decimal, where the
// text must stay a number ("." the decimal point, no ",", "-" only when Signo
// is set); 3 letters A-Z and a-z, the space, Backspace and Enter only.
//
// Key filter (each character typed, before it reaches the box): in modes 1
// and 2 a "-" without Signo is refused; any other character first saves the
// text as it stands (the text a later invalid change falls back to), then ","
// is refused, and "." in mode 1. Mode 3 refuses all but its characters. The
// window's KeyPress hook then sees the code and may change it; 0 drops it.
//
// Change rule (every change of the text, typed, pasted or set by code): in
// modes 1 and 2 a text that is not a number (other than "-" alone), or a
// number longer than two characters ending in "-", is replaced by the saved
// text, caret at the end. Then the box's tool tip becomes the whole text when
// the text does not fit (its width above the box's less 100 twips), else
// nothing, and Change is raised.
//
// A number here is an optional sign, digits with an optional "." and
// decimals (or "." and decimals), and an optional exponent whose digits may
// still be missing while it is typed ("1e", "1e-"); or digits followed by one
// "-" ("5-"). Its value must be finite. No blanks, no ",".
//
// Leaving the box in modes 1 and 2 turns an empty text or "-" into "0"
// before the window's LostFocus runs; a message box or a menu taking the
// focus for a while is not leaving. Entering it selects the whole text when
// SelOnFocus is set.
//
// The control sizes its own height to its fonts: the header's height (when
// shown) plus the box's.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;

namespace korgas {

class Propiedades;
class CajaTexto;
class EventosFoco;

class textextend : public QWidget {
    Q_OBJECT
  public:
    explicit textextend(QWidget* padre = nullptr);
    ~textextend() override;

    // Properties, in declared order. Colours are 32-bit values: red + 256 ×
    // green + 65536 × blue, or a system-colour code (top bit set). Setting a
    // property reports it through propiedad_cambiada under its name.
    QFont Font() const;
    void Font(const QFont& f);
    quint32 ForeColor() const { return forecolor_; }
    void ForeColor(quint32 c);
    quint32 BackColor() const { return backcolor_; }
    void BackColor(quint32 c);
    QString Text() const;
    void Text(const QString& t);
    int Alignment() const { return alineacion_; }
    void Alignment(int a);  // 0 left, 1 right, 2 centre; above 2 is 2
    int MousePointer() const { return puntero_; }
    void MousePointer(int p);
    QPixmap MouseIcon() const { return icono_; }
    void MouseIcon(const QPixmap& p);
    int Appearance() const { return apariencia_; }
    void Appearance(int a);
    int BorderStyle() const { return borde_; }
    void BorderStyle(int b);  // 0 none, 1 single line
    int NumberBox() const { return modo_; }
    void NumberBox(int m);
    bool Signo() const { return signo_; }
    void Signo(bool s);
    bool SelOnFocus() const { return selonfocus_; }
    void SelOnFocus(bool s);
    bool Enabled() const;
    void Enabled(bool e);
    bool Locked() const;
    void Locked(bool l);
    QString PasswordChar() const { return clave_; }
    void PasswordChar(const QString& c);  // cut to its first character
    bool Header() const { return cabecera_; }
    void Header(bool h);
    int HeaderAlignement() const { return alineacion_cabecera_; }
    void HeaderAlignement(int a);
    quint32 HeaderForeColor() const { return forecolor_cabecera_; }
    void HeaderForeColor(quint32 c);
    quint32 HeaderBackColor() const { return backcolor_cabecera_; }
    void HeaderBackColor(quint32 c);  // the control's own background too
    QFont HeaderFont() const;
    void HeaderFont(const QFont& f);
    QString HeaderCaption() const;
    void HeaderCaption(const QString& c);

    // The stored design: every property under its lower-case key (after the
    // container's "_extentx" and "_extenty"), and back, with the defaults of
    // absent keys. Reading applies alignments as stored and reports nothing.
    void escribir_propiedades(Propiedades& p) const;
    void leer_propiedades(const Propiedades& p);

    QLineEdit* Txt() const;
    QLabel* lblHeader() const { return cabecera_lbl_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Events with arguments, which the window may change: mouse button (1
    // left, 2 right, 4 middle), shift state (1 Shift, 2 Ctrl, 4 Alt) and the
    // position in twips on Txt; key codes; the character typed (0 drops it).
    std::function<void(int&boton, int&shift, float&x, float&y)> MouseDown, MouseMove, MouseUp;
    std::function<void(int&tecla, int&shift)> KeyUp, KeyDown;
    std::function<void(int& codigo)> KeyPress;

  signals:
    void DblClick();
    void Change();
    void Click();
    void Resize();
    // Txt lost the focus to another control (after the leave rule).
    void LostFocus();
    void propiedad_cambiada(const QString& nombre);

  protected:
    void resizeEvent(QResizeEvent* ev) override;

  private:
    friend class CajaTexto;

    // The key filter on one character; returns the code that goes on (0:
    // refused).
    int filtrar(int codigo);
    void guardar_anterior();
    void al_cambiar();
    void al_salir();
    void disponer();
    void fijar_alineacion(int a);
    void fijar_alineacion_cabecera(int a);
    void aplicar_puntero();
    void aplicar_clave(const QString& c);
    void cambiada(const char* nombre) { emit propiedad_cambiada(QLatin1String(nombre)); }

    CajaTexto* txt_;
    QLabel* cabecera_lbl_;
    EventosFoco* foco_;
    QString textoanterior_;
    // The exact value behind textoanterior_ when the program wrote it with
    // one (valor_caja), so that putting the text back puts the value back.
    std::optional<double> valoranterior_;
    int modo_ = 0;
    bool signo_ = true;
    bool selonfocus_ = true;
    bool cabecera_ = false;
    int alineacion_ = 0;
    int alineacion_cabecera_ = 0;
    int puntero_ = 0;
    QPixmap icono_;
    int apariencia_ = 1;
    int borde_ = 1;
    QString clave_;
    // System colours until set: window text, window background, button text
    // and button face.
    quint32 forecolor_ = 0x80000008u;
    quint32 backcolor_ = 0x80000005u;
    quint32 forecolor_cabecera_ = 0x80000012u;
    quint32 backcolor_cabecera_ = 0x8000000Fu;
};

// A labelled box placed on a window with its stored design: named, read from
// the design's properties.
textextend* crear_textextend(const QString& nombre, const Propiedades& diseno, QWidget* padre);

// The number in a numeric box: 0 when it is empty, else the exact value the
// program wrote into it (as long as the box shows that text) or the number
// the text reads.
double valor(const textextend* caja);

}  // namespace korgas
