#include "gasdb/textextend.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QProxyStyle>
#include <array>
#include <cmath>
#include <string>

#include "core/numtext.h"
#include "gasdb/propiedades.h"
#include "platform/colores.h"
#include "platform/eventos_foco.h"
#include "platform/lienzo.h"
#include "platform/twips.h"
#include "platform/valor_caja.h"

namespace korgas {

namespace {

constexpr quint32 kAzul = 0x00D05C28u;  // RGB (40, 92, 208)
constexpr quint32 kBlanco = 0x00FFFFFFu;
const char* const kFuente = "Ms Sans Serif";

Qt::Alignment alineacion_qt(int a) {
    switch (a) {
        case 0:
            return Qt::AlignLeft;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignRight;
    }
}

int shift_de(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

// The key code of a key as the key events give it: letters and digits as
// their upper-case character, the usual control keys by their codes.
int tecla_de(const QKeyEvent* ev) {
    const int k = ev->key();
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return 112 + (k - Qt::Key_F1);
    static const std::array<std::pair<int, int>, 18> tabla = {{
        {Qt::Key_Backspace, 8},
        {Qt::Key_Tab, 9},
        {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},
        {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18},
        {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},
        {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},
        {Qt::Key_Delete, 46},
    }};
    for (const auto& [qt, codigo] : tabla)
        if (k == qt) return codigo;
    return k & 0xFFFF;
}

// The character a key types: its text, or Backspace (8) and Enter (13); -1
// for a key that types nothing.
int caracter_de(const QKeyEvent* ev) {
    const QString t = ev->text();
    if (!t.isEmpty()) return t.at(0).unicode();
    switch (ev->key()) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        default:
            return -1;
    }
}

bool cifra(char c) {
    return c >= '0' && c <= '9';
}

// What the change rule sees in a text (see the header).
enum class Numero { no, si, con_menos_final };

Numero numero_de(const QString& texto) {
    const std::string s = texto.toStdString();
    const std::size_t n = s.size();
    std::size_t i = 0;
    const bool con_signo = i < n && (s[i] == '+' || s[i] == '-');
    if (con_signo) ++i;
    std::size_t cifras = 0;
    while (i < n && cifra(s[i])) ++i, ++cifras;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && cifra(s[i])) ++i, ++cifras;
    }
    if (cifras == 0) return Numero::no;
    Numero r = Numero::si;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        while (i < n && cifra(s[i])) ++i;
    } else if (!con_signo && i + 1 == n && s[i] == '-') {
        ++i;
        r = Numero::con_menos_final;
    }
    return i == n && std::isfinite(leer_numero(s)) ? r : Numero::no;
}

// The password character of one box.
class EstiloClave : public QProxyStyle {
  public:
    void fijar(QChar c) { caracter_ = c; }
    int styleHint(StyleHint h, const QStyleOption* o, const QWidget* w,
                  QStyleHintReturn* r) const override {
        if (h == SH_LineEdit_PasswordCharacter) return caracter_.unicode();
        return QProxyStyle::styleHint(h, o, w, r);
    }

  private:
    QChar caracter_;
};

Qt::CursorShape forma_puntero(int p) {
    static const std::array<Qt::CursorShape, 16> formas = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    return p >= 0 && p < int(formas.size()) ? formas[std::size_t(p)] : Qt::ArrowCursor;
}

void fijar_color(QWidget* w, QPalette::ColorRole papel, quint32 valor) {
    QPalette pal = w->palette();
    pal.setColor(papel, color_de(valor));
    w->setPalette(pal);
}

}  // namespace

textextend* crear_textextend(const QString& nombre, const Propiedades& diseno, QWidget* padre) {
    auto* c = new textextend(padre);
    c->setObjectName(nombre);
    c->leer_propiedades(diseno);
    return c;
}

double valor(const textextend* caja) {
    return caja->Text().isEmpty() ? 0.0 : leer_valor(caja->Txt());
}

// The inner box: its keys go through the control's filter, and its mouse and
// key events become the control's events.
class CajaTexto : public QLineEdit {
  public:
    CajaTexto(textextend* control) : QLineEdit(control), c_(control) {}

  protected:
    void keyPressEvent(QKeyEvent* ev) override {
        if (ev->matches(QKeySequence::Paste)) c_->guardar_anterior();
        int tecla = tecla_de(ev), shift = shift_de(ev->modifiers());
        if (c_->KeyDown) {
            c_->KeyDown(tecla, shift);
            if (tecla == 0) return;
        }
        const int codigo = caracter_de(ev);
        if (codigo < 0) {
            QLineEdit::keyPressEvent(ev);
            return;
        }
        const int sigue = c_->filtrar(codigo);
        if (sigue == 0) return;
        if (sigue == codigo) {
            QLineEdit::keyPressEvent(ev);
            return;
        }
        // The window typed another character in its place.
        QKeyEvent otro(ev->type(), 0, ev->modifiers(), QString(QChar(sigue)));
        QLineEdit::keyPressEvent(&otro);
    }
    void keyReleaseEvent(QKeyEvent* ev) override {
        int tecla = tecla_de(ev), shift = shift_de(ev->modifiers());
        if (c_->KeyUp) c_->KeyUp(tecla, shift);
        QLineEdit::keyReleaseEvent(ev);
    }
    void mousePressEvent(QMouseEvent* ev) override {
        if (ev->button() == Qt::MiddleButton) c_->guardar_anterior();  // a paste of the selection
        raton(c_->MouseDown, boton_lienzo(ev->button()), ev);
        QLineEdit::mousePressEvent(ev);
    }
    void mouseMoveEvent(QMouseEvent* ev) override {
        raton(c_->MouseMove, botones_lienzo(ev->buttons()), ev);
        QLineEdit::mouseMoveEvent(ev);
    }
    void mouseReleaseEvent(QMouseEvent* ev) override {
        raton(c_->MouseUp, boton_lienzo(ev->button()), ev);
        QLineEdit::mouseReleaseEvent(ev);
        if (ev->button() == Qt::LeftButton && rect().contains(ev->position().toPoint()))
            emit c_->Click();
    }
    void mouseDoubleClickEvent(QMouseEvent* ev) override {
        QLineEdit::mouseDoubleClickEvent(ev);
        emit c_->DblClick();
    }
    void contextMenuEvent(QContextMenuEvent* ev) override {
        c_->guardar_anterior();  // the menu may paste
        QLineEdit::contextMenuEvent(ev);
    }
    void dropEvent(QDropEvent* ev) override {
        c_->guardar_anterior();
        QLineEdit::dropEvent(ev);
    }

  private:
    void raton(const std::function<void(int&, int&, float&, float&)>& evento, int boton,
               const QMouseEvent* ev) {
        if (!evento) return;
        int b = boton, shift = shift_de(ev->modifiers());
        float x = float(ev->position().x() * kTwipsPorPixel);
        float y = float(ev->position().y() * kTwipsPorPixel);
        evento(b, shift, x, y);
    }

    textextend* c_;
};

textextend::textextend(QWidget* padre) : QWidget(padre) {
    cabecera_lbl_ = new QLabel(QStringLiteral("Header"), this);
    cabecera_lbl_->setObjectName(QStringLiteral("lblHeader"));
    cabecera_lbl_->hide();
    txt_ = new CajaTexto(this);
    txt_->setObjectName(QStringLiteral("Txt"));
    setFocusProxy(txt_);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(txt_, &QLineEdit::textChanged, this, [this] { al_cambiar(); });
    // A message box, a menu or another window taking the focus for a while is
    // not leaving the box.
    foco_ = new EventosFoco(
        txt_,
        [this] {
            if (selonfocus_) seleccionar_todo(txt_);
        },
        [this] { al_salir(); });
    fijar_alineacion(0);
    fijar_alineacion_cabecera(0);
    disponer();
}

// The box goes after this control: losing the focus then is no leaving
// of the box, and must not run the leave rule on a control half destroyed.
textextend::~textextend() {
    foco_->activar(false);
}

QLineEdit* textextend::Txt() const {
    return txt_;
}

// ---------------------------------------------------------------------------
// Rules

int textextend::filtrar(int codigo) {
    if (modo_ == 1 || modo_ == 2) {
        if (codigo == '-' && !signo_) {
            codigo = 0;
        } else {
            guardar_anterior();
            if (codigo == ',' || (codigo == '.' && modo_ == 1)) codigo = 0;
        }
    } else if (modo_ == 3) {
        const bool letra = (codigo >= 'A' && codigo <= 'Z') || (codigo >= 'a' && codigo <= 'z');
        if (!letra && codigo != ' ' && codigo != 8 && codigo != 13) codigo = 0;
    }
    if (KeyPress) KeyPress(codigo);
    return codigo;
}

void textextend::guardar_anterior() {
    if (modo_ != 1 && modo_ != 2) return;
    textoanterior_ = txt_->text();
    valoranterior_.reset();
    if (valor_guardado(txt_)) valoranterior_ = leer_valor(txt_);
}

void textextend::al_cambiar() {
    const QString t = txt_->text();
    // What the program wrote with the value behind it ("-----" for a value
    // that is not finite) is no typing to put back.
    if (!t.isEmpty() && (modo_ == 1 || modo_ == 2) && !valor_guardado(txt_)) {
        const Numero numero = numero_de(t);
        const bool es_numero = numero != Numero::no;
        const bool reponer =
            es_numero ? numero == Numero::con_menos_final && t.size() > 2 : t != QLatin1String("-");
        if (reponer && textoanterior_ != t) {
            // Putting the saved text back is a change of its own, which runs
            // this rule and raises Change.
            if (valoranterior_)
                escribir_valor(txt_, *valoranterior_, textoanterior_);
            else
                txt_->setText(textoanterior_);
            txt_->setCursorPosition(int(txt_->text().size()));
            return;
        }
        if (!es_numero) txt_->setCursorPosition(int(t.size()));
    }
    const QFontMetrics fm(txt_->font());
    const bool no_cabe =
        fm.horizontalAdvance(t) * kTwipsPorPixel > txt_->width() * kTwipsPorPixel - 100;
    txt_->setToolTip(no_cabe ? t : QString());
    emit Change();
}

void textextend::al_salir() {
    const QString t = txt_->text();
    if ((modo_ == 1 || modo_ == 2) && (t.isEmpty() || t == QLatin1String("-")))
        txt_->setText(QStringLiteral("0"));
    emit LostFocus();
}

void textextend::disponer() {
    const int w = width();
    int alto_cabecera = 0;
    if (cabecera_) {
        alto_cabecera = cabecera_lbl_->sizeHint().height();
        cabecera_lbl_->setGeometry(0, 0, w, alto_cabecera);
    }
    cabecera_lbl_->setVisible(cabecera_);
    const int alto_caja = txt_->sizeHint().height();
    txt_->setGeometry(0, alto_cabecera, w, alto_caja);
    setFixedHeight(alto_cabecera + alto_caja);
    emit Resize();
}

QSize textextend::sizeHint() const {
    const int alto_cabecera = cabecera_ ? cabecera_lbl_->sizeHint().height() : 0;
    return {txt_->sizeHint().width(), alto_cabecera + txt_->sizeHint().height()};
}

void textextend::resizeEvent(QResizeEvent* ev) {
    QWidget::resizeEvent(ev);
    disponer();
}

// ---------------------------------------------------------------------------
// Properties

QFont textextend::Font() const {
    return txt_->font();
}
void textextend::Font(const QFont& f) {
    txt_->setFont(f);
    disponer();
    cambiada("Font");
}

void textextend::ForeColor(quint32 c) {
    forecolor_ = c;
    fijar_color(txt_, QPalette::Text, c);
    cambiada("ForeColor");
}

void textextend::BackColor(quint32 c) {
    backcolor_ = c;
    fijar_color(txt_, QPalette::Base, c);
    cambiada("BackColor");
}

QString textextend::Text() const {
    return txt_->text();
}
void textextend::Text(const QString& t) {
    txt_->setText(t);
    cambiada("Text");
}

void textextend::fijar_alineacion(int a) {
    alineacion_ = a;
    txt_->setAlignment(alineacion_qt(a) | Qt::AlignVCenter);
}
void textextend::Alignment(int a) {
    fijar_alineacion(a > 2 ? 2 : a);
    cambiada("Alignment");
}

void textextend::aplicar_puntero() {
    if (puntero_ == 0)
        txt_->unsetCursor();
    else if (puntero_ == 99 && !icono_.isNull())
        txt_->setCursor(QCursor(icono_));
    else
        txt_->setCursor(forma_puntero(puntero_));
}
void textextend::MousePointer(int p) {
    puntero_ = p;
    aplicar_puntero();
    cambiada("MousePointer");
}
void textextend::MouseIcon(const QPixmap& p) {
    icono_ = p;
    aplicar_puntero();
    cambiada("MouseIcon");
}

void textextend::Appearance(int a) {
    apariencia_ = a;
    cambiada("Appearance");
}

void textextend::BorderStyle(int b) {
    borde_ = b;
    txt_->setFrame(b != 0);
    cambiada("BorderStyle");
}

void textextend::NumberBox(int m) {
    modo_ = m;
    cambiada("NumberBox");
}

void textextend::Signo(bool s) {
    signo_ = s;
    cambiada("Signo");
}

void textextend::SelOnFocus(bool s) {
    selonfocus_ = s;
    cambiada("SelOnFocus");
}

bool textextend::Enabled() const {
    return txt_->isEnabled();
}
void textextend::Enabled(bool e) {
    txt_->setEnabled(e);
    cambiada("Enabled");
}

bool textextend::Locked() const {
    return txt_->isReadOnly();
}
void textextend::Locked(bool l) {
    txt_->setReadOnly(l);
    cambiada("Locked");
}

void textextend::aplicar_clave(const QString& c) {
    clave_ = c.left(1);
    if (clave_.isEmpty()) {
        txt_->setEchoMode(QLineEdit::Normal);
        return;
    }
    auto* estilo = dynamic_cast<EstiloClave*>(txt_->style());
    if (!estilo) {
        estilo = new EstiloClave;
        estilo->setParent(txt_);
        txt_->setStyle(estilo);
    }
    estilo->fijar(clave_.at(0));
    txt_->setEchoMode(QLineEdit::Password);
}
void textextend::PasswordChar(const QString& c) {
    aplicar_clave(c);
    cambiada("PasswordChar");
}

void textextend::Header(bool h) {
    cabecera_ = h;
    disponer();
    cambiada("Header");
}

void textextend::fijar_alineacion_cabecera(int a) {
    alineacion_cabecera_ = a;
    cabecera_lbl_->setAlignment(alineacion_qt(a) | Qt::AlignVCenter);
}
void textextend::HeaderAlignement(int a) {
    fijar_alineacion_cabecera(a > 2 ? 2 : a);
    cambiada("HeaderAlignement");
}

void textextend::HeaderForeColor(quint32 c) {
    forecolor_cabecera_ = c;
    fijar_color(cabecera_lbl_, QPalette::WindowText, c);
    cambiada("HeaderForeColor");
}

void textextend::HeaderBackColor(quint32 c) {
    backcolor_cabecera_ = c;
    for (QWidget* w : {static_cast<QWidget*>(cabecera_lbl_), static_cast<QWidget*>(this)}) {
        w->setAutoFillBackground(true);
        fijar_color(w, QPalette::Window, c);
    }
    cambiada("HeaderBackColor");
}

QFont textextend::HeaderFont() const {
    return cabecera_lbl_->font();
}
void textextend::HeaderFont(const QFont& f) {
    cabecera_lbl_->setFont(f);
    disponer();
    cambiada("HeaderFont");
}

QString textextend::HeaderCaption() const {
    return cabecera_lbl_->text();
}
void textextend::HeaderCaption(const QString& c) {
    cabecera_lbl_->setText(c);
    cambiada("HeaderCaption");
}

// ---------------------------------------------------------------------------
// Stored design

void textextend::escribir_propiedades(Propiedades& p) const {
    p.escribir(QStringLiteral("_extentx"), width() * kTwipsPorPixel);
    p.escribir(QStringLiteral("_extenty"), height() * kTwipsPorPixel);
    p.escribir(QStringLiteral("text"), Text());
    p.escribir(QStringLiteral("alignement"), alineacion_);
    p.escribir(QStringLiteral("appearance"), apariencia_);
    p.escribir(QStringLiteral("borderstyle"), borde_);
    p.escribir(QStringLiteral("mousepointer"), puntero_);
    p.escribir(QStringLiteral("mouseicon"), icono_);
    p.escribir(QStringLiteral("numberbox"), modo_);
    p.escribir(QStringLiteral("signo"), signo_);
    p.escribir(QStringLiteral("locked"), Locked());
    p.escribir(QStringLiteral("enabled"), Enabled());
    p.escribir(QStringLiteral("forecolor"), forecolor_);
    p.escribir(QStringLiteral("backcolor"), backcolor_);
    p.escribir(QStringLiteral("font"), Font());
    p.escribir(QStringLiteral("passwordchar"), clave_);
    p.escribir(QStringLiteral("selonfocus"), selonfocus_);
    p.escribir(QStringLiteral("header"), cabecera_);
    p.escribir(QStringLiteral("headeralignement"), alineacion_cabecera_);
    p.escribir(QStringLiteral("headerforecolor"), forecolor_cabecera_);
    p.escribir(QStringLiteral("headerbackcolor"), backcolor_cabecera_);
    p.escribir(QStringLiteral("headerfont"), HeaderFont());
    p.escribir(QStringLiteral("headercaption"), HeaderCaption());
}

void textextend::leer_propiedades(const Propiedades& p) {
    // Each property goes through its setter, applied as stored: the blocker
    // keeps the reports from the window, and the alignments are not clamped.
    QSignalBlocker bloqueo(this);
    auto leer = [&p](const char* clave, const QVariant& defecto) {
        return p.leer(QLatin1String(clave), defecto);
    };
    Text(leer("text", QString()).toString());
    fijar_alineacion(leer("alignement", 1).toInt());
    Appearance(leer("appearance", 1).toInt());
    BorderStyle(leer("borderstyle", 1).toInt());
    MousePointer(leer("mousepointer", 0).toInt());
    MouseIcon(leer("mouseicon", QPixmap()).value<QPixmap>());
    NumberBox(leer("numberbox", 0).toInt());
    Signo(leer("signo", true).toBool());
    Locked(leer("locked", false).toBool());
    Enabled(leer("enabled", true).toBool());
    ForeColor(leer("forecolor", kAzul).toUInt());
    // Without a stored back colour the box keeps the platform's.
    if (p.contiene(QStringLiteral("backcolor"))) BackColor(leer("backcolor", 0).toUInt());
    Font(leer("font", QFont(QLatin1String(kFuente))).value<QFont>());
    PasswordChar(leer("passwordchar", QString()).toString());
    SelOnFocus(leer("selonfocus", true).toBool());
    Header(leer("header", false).toBool());
    fijar_alineacion_cabecera(leer("headeralignement", 1).toInt());
    HeaderForeColor(leer("headerforecolor", kAzul).toUInt());
    HeaderBackColor(leer("headerbackcolor", kBlanco).toUInt());
    HeaderFont(leer("headerfont", QFont(QLatin1String(kFuente))).value<QFont>());
    HeaderCaption(leer("headercaption", QStringLiteral("Header")).toString());
    disponer();
}

}  // namespace korgas
