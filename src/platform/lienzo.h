// The picture box: a persistent image drawn on in a coordinate scale of the
// box's own, with the mouse reported in that scale.
//
// Scale. By default the box measures itself in twips (15 to the logical
// pixel at 96 dpi), left and top 0, and the scale follows the box's size. A
// user scale (fijar_escala: left, top, width, height) maps the whole box onto
// that rectangle whatever its size; a negative height makes y grow upwards.
// Points map as pixel = (x - left) / width * box width, so the far edge
// (left + width) lies just past the last pixel column.
//
// Drawing. Everything is drawn at once into a persistent image (what a
// window draws stays until it is cleared or drawn over, also when the box is
// covered and shown again); the screen only shows that image. Lines, box
// outlines, filled boxes and circles take their points in the scale; the
// line width is in pixels, the style solid or dotted, the draw mode 13 (the
// pen's colour) or 14 (the pen OR the inverse of the colour under it). Lines
// are cosmetic and not antialiased, so every pixel has the exact colour given.
// Segments are clipped in double precision before they reach the painter and
// a point that is not finite draws nothing, so no coordinate can stall or
// corrupt the drawing.
//
// Rubber band. A dotted rectangle shown over the image without being part of
// it (banda / quitar_banda): a box a drag draws and takes away again, leaving
// the image as it was.
//
// Mouse. raton_abajo, raton_movido and raton_arriba give the button and the
// position in the scale: 1 left, 2 right, 4 middle; in raton_movido the sum
// of the buttons held (0 when none). Moves are reported with no button held
// too. A button released outside the box is still reported to the box that
// saw it go down.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>
#include <functional>
#include <optional>

namespace korgas {

class Lienzo : public QWidget {
    Q_OBJECT

  public:
    enum class Estilo { solido = 0, punteado = 2 };

    explicit Lienzo(QWidget* padre = nullptr);

    // The user scale, and back to the box's own twips.
    void fijar_escala(double izquierda, double arriba, double ancho, double alto);
    void escala_twips();
    double escala_izquierda() const;
    double escala_arriba() const;
    double escala_ancho() const;
    double escala_alto() const;

    // Pixel position (logical pixels, fractional) of a point of the scale, and
    // the point of the scale at a pixel position. A scale of zero width or
    // height maps everything onto the box's left or top edge.
    QPointF a_pixeles(double x, double y) const;
    QPointF a_escala(QPointF pixel) const;

    // Back colour (what cls paints) and fore colour (the default pen).
    void fijar_fondo(const QColor& c);
    QColor fondo() const { return fondo_; }
    void fijar_tinta(const QColor& c) { tinta_ = c; }
    QColor tinta() const { return tinta_; }

    void fijar_grosor(int pixeles);
    void fijar_estilo(Estilo e) { estilo_ = e; }
    Estilo estilo() const { return estilo_; }
    // 13 copies the pen; 14 merges the pen with the inverted screen colour.
    // Any other value is ignored.
    void fijar_modo(int modo);
    int modo() const { return modo_; }

    // Clears the image to the back colour.
    void cls();
    // A line from (x1, y1) to (x2, y2), ends included; the fore colour when no
    // colour is given.
    void linea(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // The outline of the box with corners (x1, y1) and (x2, y2).
    void caja(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // The box filled, outline included.
    void caja_llena(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // A circle by centre and radius; the radius is in horizontal units.
    void circulo(double cx, double cy, double radio, std::optional<QColor> color = {});

    // The rubber band over the image (corners in the scale), and without it.
    void banda(double x1, double y1, double x2, double y2, const QColor& color = QColor(0, 0, 128));
    void quitar_banda();
    bool hay_banda() const { return banda_.has_value(); }

    // The tool tip; while a tool tip is on screen the new text replaces it at
    // once, so a read-out follows the pointer.
    void fijar_consejo(const QString& texto);

    // The persistent image (device pixels) and the colour of the image at a
    // point of the scale (invalid outside the box), for tests.
    const QImage& imagen() const;
    QColor color_en(double x, double y) const;

    QSize sizeHint() const override { return {100, 100}; }

  signals:
    void raton_abajo(int boton, double x, double y);
    void raton_movido(int botones, double x, double y);
    void raton_arriba(int boton, double x, double y);

  protected:
    void paintEvent(QPaintEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;

  private:
    struct Segmento {
        QPointF a, b;
    };
    // The segment clipped (in the scale) to the box with a margin, in pixels;
    // nothing when it lies outside or has a point that is not finite.
    std::optional<Segmento> recortar(double x1, double y1, double x2, double y2) const;
    // A corner brought into the box with a margin (for boxes), nothing when
    // not finite.
    std::optional<QPointF> acotar(double x, double y) const;
    // The box with the margin, in the scale: left, top, right, bottom sorted.
    std::optional<QRectF> margen_en_escala() const;
    void pintar(const std::function<void(class QPainter&)>& dibujo, const QColor& color,
                bool relleno);
    void ajustar_imagen() const;
    QRect rect_banda() const;

    mutable QImage imagen_;  // follows the box's size and pixel density
    QColor fondo_ = Qt::white;
    QColor tinta_ = Qt::black;
    int grosor_ = 1;
    Estilo estilo_ = Estilo::solido;
    int modo_ = 13;
    bool usuario_ = false;
    double izquierda_ = 0, arriba_ = 0, ancho_ = 0, alto_ = 0;
    std::optional<QRectF> banda_;  // in the scale
    QColor color_banda_;
};

// A button of a Qt mouse event as the picture box numbers it (1, 2, 4; 0 for
// any other), and the buttons held as their sum.
int boton_lienzo(Qt::MouseButton b);
int botones_lienzo(Qt::MouseButtons b);

}  // namespace korgas
