#include "editor/gui/Fondo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "editor/gui/Escala.h"

namespace vortena {

Fondo::Fondo(QWidget* parent)
    : QWidget(parent),
      imagen_(kLadoLienzoPixeles, kLadoLienzoPixeles, QImage::Format_RGB32),
      sup_(imagen_, FuenteLienzo(QApplication::font())) {
    setObjectName(QStringLiteral("Fondo"));
    imagen_.fill(Qt::white);
    setFixedSize(imagen_.size());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    sup_.alPintar = [this] { update(); };
}

const QImage& Fondo::Imagen() {
    sup_.Terminar();
    return imagen_;
}

QPointF Fondo::ATwips(const QPointF& pixel) {
    return QPointF(vortena::ATwips(static_cast<float>(pixel.x())),
                   vortena::ATwips(static_cast<float>(pixel.y())));
}

void Fondo::paintEvent(QPaintEvent* e) {
    sup_.Terminar();
    QPainter p(this);
    p.drawImage(e->rect(), imagen_, e->rect());
}

void Fondo::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    const QPointF t = ATwips(e->position());
    emit presionado(e->button(), static_cast<float>(t.x()), static_cast<float>(t.y()));
}

void Fondo::mouseReleaseEvent(QMouseEvent* e) {
    const QPointF t = ATwips(e->position());
    emit soltado(e->button(), static_cast<float>(t.x()), static_cast<float>(t.y()));
}

void Fondo::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Delete && !e->isAutoRepeat())
        emit suprimir();
    else
        QWidget::keyReleaseEvent(e);
}

}  // namespace vortena
