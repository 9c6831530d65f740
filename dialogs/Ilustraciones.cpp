#include "dialogs/Ilustraciones.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vortena::ilustraciones {

namespace {

const QColor kAzulOscuro(0x16, 0x32, 0x50);
const QColor kAzulMedio(0x2A, 0x5B, 0x86);
const QColor kAzulClaro(0x2C, 0x6F, 0xB7);
const QColor kVerde(0x3C, 0x9D, 0x5D);
const QColor kRojo(0xD9, 0x3B, 0x30);
const QColor kNaranja(0xF0, 0x9A, 0x3E);

void Flecha(QPainter& p, QPointF desde, QPointF hasta, const QColor& color, qreal grosor) {
    p.setPen(QPen(color, grosor, Qt::SolidLine, Qt::RoundCap));
    const QPointF d = hasta - desde;
    const qreal largo = std::hypot(d.x(), d.y());
    if (largo <= 0) return;
    const QPointF u = d / largo;
    const QPointF n(-u.y(), u.x());
    const qreal punta = grosor * 4.0;
    p.drawLine(desde, hasta - u * punta * 0.6);
    QPolygonF cabeza;
    cabeza << hasta << hasta - u * punta + n * punta * 0.5 << hasta - u * punta - n * punta * 0.5;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(cabeza);
}

// A centre box as the canvas draws it: name strip over three value rows.
void Centro(QPainter& p, const QRectF& r, const QColor& borde) {
    p.setPen(QPen(borde, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 3, 3);
    const qreal franja = r.height() * 0.28;
    p.drawLine(QPointF(r.left(), r.top() + franja), QPointF(r.right(), r.top() + franja));
    p.setPen(QPen(QColor(0x9A, 0xA8, 0xB5), 1.5));
    for (int i = 0; i < 3; ++i) {
        const qreal y = r.top() + franja + (r.height() - franja) * (i + 1) / 4.0;
        p.drawLine(QPointF(r.left() + r.width() * 0.22, y),
                   QPointF(r.right() - r.width() * 0.22, y));
    }
}

void Terminal(QPainter& p, const QRectF& r, const QString& nombre) {
    p.setPen(QPen(kVerde.lighter(130), 2));
    p.setBrush(kVerde);
    p.drawRoundedRect(r, 4, 4);
    QFont f = p.font();
    f.setPixelSize(std::max(7, static_cast<int>(r.height() * 0.32)));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, nombre);
}

QPixmap Lienzo(QSize tamano) {
    QPixmap px(tamano);
    px.fill(Qt::transparent);
    return px;
}

}  // namespace

QPixmap Encabezado(QSize tamano) {
    QPixmap px = Lienzo(tamano);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = tamano.width();
    const qreal h = tamano.height();

    QLinearGradient fondo(0, 0, 0, h);
    fondo.setColorAt(0, kAzulOscuro);
    fondo.setColorAt(1, kAzulMedio);
    p.fillRect(QRectF(0, 0, w, h), fondo);

    // A faint drawing grid, like the canvas paper.
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    for (qreal x = 10; x < w; x += 20) p.drawLine(QPointF(x, 0), QPointF(x, h));
    for (qreal y = 10; y < h; y += 20) p.drawLine(QPointF(0, y), QPointF(w, y));

    // Boxes in the canvas's proportions: centres square, end nodes 10 by 7.
    const qreal lado = h * 0.34;
    const qreal tw = lado * 1.3;
    const qreal th = lado * 0.72;
    const qreal medio = h * 0.5;
    const QRectF inicio(w * 0.04, medio - th / 2, tw, th);
    const QRectF a(w * 0.27, h * 0.09, lado, lado);
    const QRectF b(w * 0.27, h * 0.91 - lado, lado, lado);
    const QRectF c(w * 0.52, medio - lado / 2, lado, lado);
    const QRectF d(w * 0.70, medio - lado / 2, lado, lado);
    const QRectF fin(w * 0.96 - tw, medio - th / 2, tw, th);

    const QColor linea(255, 255, 255, 210);
    auto derecha = [](const QRectF& r) { return QPointF(r.right(), r.center().y()); };
    auto izquierda = [](const QRectF& r) { return QPointF(r.left() - 3, r.center().y()); };
    Flecha(p, derecha(inicio), izquierda(a), linea, 1.6);
    Flecha(p, derecha(inicio), izquierda(b), linea, 1.6);
    Flecha(p, derecha(a), izquierda(c), linea, 1.6);
    Flecha(p, derecha(b), izquierda(c), linea, 1.6);
    Flecha(p, derecha(c), izquierda(d), linea, 1.6);
    Flecha(p, derecha(d), izquierda(fin), linea, 1.6);

    // Units waiting in front of the busiest centre.
    p.setPen(Qt::NoPen);
    p.setBrush(kNaranja);
    const qreal radio = h * 0.035;
    for (int i = 0; i < 3; ++i) {
        p.drawEllipse(QPointF(c.left() - radio * 2.4 - i * radio * 2.8, c.top() - radio * 0.2),
                      radio, radio);
    }

    Terminal(p, inicio, QStringLiteral("INICIO"));
    Centro(p, a, QColor(0x20, 0x20, 0x20));
    Centro(p, b, QColor(0x20, 0x20, 0x20));
    Centro(p, c, kRojo);
    Centro(p, d, kRojo);
    Terminal(p, fin, QStringLiteral("FIN"));
    return px;
}

QPixmap Logo(int lado) {
    QPixmap px = Lienzo(QSize(lado, lado));
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = lado;

    QLinearGradient fondo(0, 0, 0, s);
    fondo.setColorAt(0, kAzulClaro);
    fondo.setColorAt(1, kAzulOscuro);
    p.setPen(Qt::NoPen);
    p.setBrush(fondo);
    p.drawRoundedRect(QRectF(s * 0.03, s * 0.03, s * 0.94, s * 0.94), s * 0.18, s * 0.18);

    // The server.
    const QRectF servidor(s * 0.60, s * 0.26, s * 0.26, s * 0.48);
    p.setPen(QPen(Qt::white, std::max(1.0, s * 0.035)));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(servidor, s * 0.04, s * 0.04);
    p.drawLine(QPointF(servidor.left(), servidor.top() + servidor.height() * 0.3),
               QPointF(servidor.right(), servidor.top() + servidor.height() * 0.3));

    // The queue in front of it.
    p.setPen(Qt::NoPen);
    p.setBrush(kNaranja);
    const qreal r = s * 0.052;
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(s * 0.15 + i * s * 0.125, s * 0.5), r, r);
    Flecha(p, QPointF(s * 0.15 + 2 * s * 0.125 + r * 1.8, s * 0.5),
           QPointF(servidor.left() - s * 0.03, s * 0.5), Qt::white, std::max(1.0, s * 0.028));
    return px;
}

namespace {

QIcon IconoDesde(void (*dibujar)(QPainter&, qreal)) {
    QIcon icono;
    for (int lado : {16, 24, 32}) {
        QPixmap px = Lienzo(QSize(lado, lado));
        QPainter p(&px);
        p.setRenderHint(QPainter::Antialiasing);
        dibujar(p, lado);
        icono.addPixmap(px);
    }
    return icono;
}

// A left-pointing arrow filling a square of side s; mirrored for "forward".
QPainterPath FormaFlecha(qreal s) {
    QPainterPath f;
    f.moveTo(s * 0.08, s * 0.5);
    f.lineTo(s * 0.48, s * 0.12);
    f.lineTo(s * 0.48, s * 0.34);
    f.lineTo(s * 0.90, s * 0.34);
    f.lineTo(s * 0.90, s * 0.66);
    f.lineTo(s * 0.48, s * 0.66);
    f.lineTo(s * 0.48, s * 0.88);
    f.closeSubpath();
    return f;
}

void PintarForma(QPainter& p, const QPainterPath& forma, qreal s) {
    QLinearGradient relleno(0, 0, 0, s);
    relleno.setColorAt(0, kAzulClaro.lighter(135));
    relleno.setColorAt(1, kAzulClaro.darker(115));
    p.setPen(
        QPen(kAzulOscuro, std::max(1.0, s / 20.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(relleno);
    p.drawPath(forma);
}

void DibujarAtras(QPainter& p, qreal s) {
    PintarForma(p, FormaFlecha(s), s);
}

void DibujarAdelante(QPainter& p, qreal s) {
    p.translate(s, 0);
    p.scale(-1, 1);
    PintarForma(p, FormaFlecha(s), s);
}

void DibujarInicio(QPainter& p, qreal s) {
    QPainterPath casa;
    casa.moveTo(s * 0.5, s * 0.08);
    casa.lineTo(s * 0.94, s * 0.48);
    casa.lineTo(s * 0.80, s * 0.48);
    casa.lineTo(s * 0.80, s * 0.92);
    casa.lineTo(s * 0.20, s * 0.92);
    casa.lineTo(s * 0.20, s * 0.48);
    casa.lineTo(s * 0.06, s * 0.48);
    casa.closeSubpath();
    PintarForma(p, casa, s);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.42, s * 0.62, s * 0.16, s * 0.30));
}

}  // namespace

QIcon IconoAtras() {
    return IconoDesde(DibujarAtras);
}
QIcon IconoAdelante() {
    return IconoDesde(DibujarAdelante);
}
QIcon IconoInicio() {
    return IconoDesde(DibujarInicio);
}

}  // namespace vortena::ilustraciones
