#pragma once
// The canvas: a 32000 x 32000 twip image kept for the whole session. Painting
// the widget only copies the image; the network is drawn onto it by the
// editor through the surface. Mouse positions are reported in canvas twips.

#include <QImage>
#include <QWidget>

#include "editor/gui/SuperficieQt.h"

namespace vortena {

class Fondo : public QWidget {
    Q_OBJECT
public:
    explicit Fondo(QWidget* parent = nullptr);

    SuperficieQt& superficie() { return sup_; }
    // The current drawing (drawing in progress is finished first).
    const QImage& Imagen();
    // Canvas twips of a point of the widget.
    static QPointF ATwips(const QPointF& pixel);

signals:
    void presionado(Qt::MouseButton boton, float x, float y);
    void soltado(Qt::MouseButton boton, float x, float y);
    // The Delete key was released while the canvas had the focus.
    void suprimir();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    QImage imagen_;
    SuperficieQt sup_;
};

}  // namespace vortena
