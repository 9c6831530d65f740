#pragma once
// The canvas: a 32000 x 32000 twip image kept for the whole session, painted
// at the zoom scale. Painting the widget only copies the image; the network
// is drawn onto it by the editor through the surface. Mouse positions are
// reported in canvas twips, converted here and nowhere else.

#include <QImage>
#include <QLineF>
#include <QWidget>
#include <optional>

#include "editor/gui/SuperficieQt.h"

namespace vortena {

class Fondo : public QWidget {
    Q_OBJECT
public:
    explicit Fondo(QWidget* parent = nullptr);

    SuperficieQt& superficie() { return sup_; }
    // The current drawing (drawing in progress is finished first).
    const QImage& Imagen();

    // Zoom: the image is made again at the scale and left blank; the owner
    // redraws the network.
    void PonerEscala(double escala);
    double escala() const { return sup_.escala(); }
    // Canvas twips of a point of the widget, and the other way round.
    QPointF ATwips(const QPointF& pixel) const;
    QPointF APixel(const QPointF& twips) const;

    // A line drawn over the canvas (in twips) while a connection is being
    // dragged; std::nullopt hides it.
    void PonerGuia(std::optional<QLineF> guia);
    const std::optional<QLineF>& guia() const { return guia_; }

signals:
    void presionado(Qt::MouseButton boton, float x, float y);
    void soltado(Qt::MouseButton boton, float x, float y);
    // The pointer moved with a button held.
    void arrastrado(Qt::MouseButtons botones, float x, float y);
    // The Delete key was released while the canvas had the focus.
    void suprimir();
    // A run of drawing started on the image.
    void dibujando();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    QRect AreaGuia() const;

    QImage imagen_;
    SuperficieQt sup_;
    std::optional<QLineF> guia_;
};

}  // namespace vortena
