#include "editor/gui/Fondo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "editor/gui/Escala.h"

namespace vortena {

namespace {

QSize TamanoImagen(double escala) {
    const int lado = static_cast<int>(std::ceil(kLadoLienzoPixeles * escala));
    return QSize(lado, lado);
}

}  // namespace

Fondo::Fondo(QWidget* parent)
    : QWidget(parent),
      imagen_(kLadoLienzoPixeles, kLadoLienzoPixeles, QImage::Format_RGB32),
      sup_(imagen_, FuenteLienzo(QApplication::font())) {
    setObjectName(QStringLiteral("Fondo"));
    imagen_.fill(Qt::white);
    setFixedSize(imagen_.size());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    sup_.alPintar = [this] {
        update();
        emit dibujando();
    };
}

const QImage& Fondo::Imagen() {
    sup_.Terminar();
    return imagen_;
}

void Fondo::PonerEscala(double escala) {
    sup_.Terminar();
    if (TamanoImagen(escala) != imagen_.size()) {
        imagen_ = QImage(TamanoImagen(escala), QImage::Format_RGB32);
        imagen_.fill(Qt::white);
        setFixedSize(imagen_.size());
    }
    sup_.PonerEscala(escala);
    update();
}

QPointF Fondo::ATwips(const QPointF& pixel) const {
    const double f = kTwipsPorPixel / escala();
    return QPointF(pixel.x() * f, pixel.y() * f);
}

QPointF Fondo::APixel(const QPointF& twips) const {
    const double f = escala() / kTwipsPorPixel;
    return QPointF(twips.x() * f, twips.y() * f);
}

void Fondo::PonerGuia(std::optional<QLineF> guia) {
    if (guia_) update(AreaGuia());
    guia_ = guia;
    if (guia_) update(AreaGuia());
}

QRect Fondo::AreaGuia() const {
    const QLineF l(APixel(guia_->p1()), APixel(guia_->p2()));
    return QRectF(l.p1(), l.p2()).normalized().toAlignedRect().adjusted(-3, -3, 3, 3);
}

void Fondo::paintEvent(QPaintEvent* e) {
    sup_.Terminar();
    QPainter p(this);
    p.drawImage(e->rect(), imagen_, e->rect());
    if (guia_) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 255), 1, Qt::DashLine));
        p.drawLine(QLineF(APixel(guia_->p1()), APixel(guia_->p2())));
    }
}

void Fondo::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    const QPointF t = ATwips(e->position());
    emit presionado(e->button(), static_cast<float>(t.x()), static_cast<float>(t.y()));
}

void Fondo::mouseMoveEvent(QMouseEvent* e) {
    const QPointF t = ATwips(e->position());
    emit arrastrado(e->buttons(), static_cast<float>(t.x()), static_cast<float>(t.y()));
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
