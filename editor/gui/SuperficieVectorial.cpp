#include "editor/gui/SuperficieVectorial.h"

#include <QPen>
#include <algorithm>

#include "editor/gui/Escala.h"
#include "editor/gui/Pictogramas.h"

namespace vortena {

namespace {

QColor AQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

QRectF Rect(float x1, float y1, float x2, float y2) {
    return QRectF(QPointF(APixeles(std::min(x1, x2)), APixeles(std::min(y1, y2))),
                  QPointF(APixeles(std::max(x1, x2)), APixeles(std::max(y1, y2))));
}

}  // namespace

SuperficieVectorial::SuperficieVectorial(QPainter& pintor, const QFont& fuente,
                                         const QRectF& limpiar)
    : p_(pintor), fuente_(fuente), metricas_(fuente), limpiar_(limpiar) {
    p_.setFont(fuente_);
    p_.setRenderHint(QPainter::Antialiasing);
    p_.setRenderHint(QPainter::TextAntialiasing);
}

void SuperficieVectorial::Limpiar() {
    p_.fillRect(limpiar_, Qt::white);
}

void SuperficieVectorial::Linea(float x1, float y1, float x2, float y2, Color color, int grosor) {
    p_.setPen(QPen(AQColor(color), std::max(1, grosor), Qt::SolidLine, Qt::FlatCap));
    p_.drawLine(QPointF(APixeles(x1), APixeles(y1)), QPointF(APixeles(x2), APixeles(y2)));
}

void SuperficieVectorial::Rectangulo(float x1, float y1, float x2, float y2, Color color,
                                     int grosor, bool relleno) {
    const QRectF r = Rect(x1, y1, x2, y2);
    if (relleno) {
        // The canvas erases a box with a fill as wide as its outline.
        const qreal h = std::max(1, grosor) / 2.0;
        p_.fillRect(r.adjusted(-h, -h, h, h), AQColor(color));
        return;
    }
    p_.setPen(
        QPen(AQColor(color), std::max(1, grosor), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(r);
}

void SuperficieVectorial::Texto(float x, float y, const std::string& texto) {
    p_.setPen(Qt::black);
    p_.drawText(QPointF(APixeles(x), APixeles(y) + metricas_.ascent()),
                QString::fromStdString(texto));
}

float SuperficieVectorial::AnchoTexto(const std::string& texto) {
    return ATwips(static_cast<float>(metricas_.horizontalAdvance(QString::fromStdString(texto))));
}

float SuperficieVectorial::AltoTexto(const std::string&) {
    return ATwips(static_cast<float>(metricas_.height()));
}

void SuperficieVectorial::Imagen(Dibujo dibujo, float x, float y, float ancho, float alto) {
    QSizeF tam = TamanoPropio(dibujo);
    if (ancho > 0 && alto > 0) tam = QSizeF(APixeles(ancho), APixeles(alto));
    // Drawn at four times its size, so a print keeps the marks smooth.
    const QSize grande(std::max(1, qRound(tam.width() * 4)), std::max(1, qRound(tam.height() * 4)));
    p_.drawImage(QRectF(QPointF(APixeles(x), APixeles(y)), tam), ImagenDe(dibujo, grande));
}

}  // namespace vortena
