#include "editor/gui/Pictogramas.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace vortena {

namespace {

// Every picture is drawn on a 32 x 32 grid and scaled to the target.
constexpr qreal kRejilla = 32.0;

const QColor kTinta(34, 40, 49);
const QColor kVerdeMarca(47, 158, 68);
const QColor kAzulIcono(43, 108, 176);
const QColor kRojoIcono(197, 48, 48);
const QColor kOro(236, 176, 36);
const QColor kPizarra(74, 85, 104);

QPen Trazo(const QColor& c, qreal ancho) {
    QPen p(c, ancho);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

void Flecha(QPainter& p) {
    // A plain solid head: at 10 px on the canvas any detail would blur.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({{0, 3}, {32, 16}, {0, 29}}));
}

void Asta(QPainter& p) {
    p.setPen(Trazo(kTinta, 2.4));
    p.drawLine(QPointF(7, 3), QPointF(7, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(kTinta);
    p.drawRoundedRect(QRectF(3, 28.5, 9, 3), 1.2, 1.2);
}

void MarcaInicio(QPainter& p) {
    Asta(p);
    QPainterPath bandera;
    bandera.moveTo(8, 4);
    bandera.cubicTo(14, 1.5, 19, 6.5, 28, 4);
    bandera.lineTo(28, 17);
    bandera.cubicTo(19, 19.5, 14, 14.5, 8, 17);
    bandera.closeSubpath();
    p.setPen(Trazo(kVerdeMarca.darker(140), 1.2));
    p.setBrush(kVerdeMarca);
    p.drawPath(bandera);
    // A white play sign: this is where the line starts.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{15, 6.5}, {22, 10.5}, {15, 14.5}}));
}

void MarcaFin(QPainter& p) {
    Asta(p);
    const QRectF tela(8, 4, 20, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(tela);
    p.setBrush(kTinta);
    const qreal lado = tela.width() / 5.0;
    const qreal alto = tela.height() / 3.0;
    for (int fila = 0; fila < 3; ++fila)
        for (int col = 0; col < 5; ++col)
            if ((fila + col) % 2 == 0)
                p.drawRect(QRectF(tela.left() + col * lado, tela.top() + fila * alto, lado, alto));
    p.setPen(Trazo(kTinta, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(tela);
}

void Seleccionar(QPainter& p) {
    QPolygonF puntero(
        {{9, 3}, {9, 26}, {14.5, 20.5}, {18.5, 29}, {22, 27.5}, {18, 19.5}, {25, 19.5}});
    p.setPen(Trazo(Qt::white, 2.2));
    p.setBrush(kTinta);
    p.drawPolygon(puntero);
    p.setPen(Trazo(kTinta, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(puntero);
}

void CajaCentro(QPainter& p, const QRectF& r) {
    p.setPen(Trazo(kTinta, 2.0));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const qreal sep = r.top() + r.height() * 0.3;
    p.drawLine(QPointF(r.left(), sep), QPointF(r.right(), sep));
    p.setPen(Trazo(QColor(150, 156, 166), 1.6));
    for (int i = 1; i <= 2; ++i) {
        const qreal y = sep + i * r.height() * 0.22;
        p.drawLine(QPointF(r.left() + r.width() * 0.25, y),
                   QPointF(r.right() - r.width() * 0.25, y));
    }
}

void Insignia(QPainter& p, const QPointF& centro, const QColor& fondo) {
    p.setPen(Trazo(Qt::white, 1.5));
    p.setBrush(fondo);
    p.drawEllipse(centro, 7.5, 7.5);
}

void ColocarCentro(QPainter& p) {
    CajaCentro(p, QRectF(3, 3, 20, 20));
    Insignia(p, QPointF(23, 23), kVerdeMarca);
    p.setPen(Trazo(Qt::white, 2.4));
    p.drawLine(QPointF(23, 19), QPointF(23, 27));
    p.drawLine(QPointF(19, 23), QPointF(27, 23));
}

void PuntaHacia(QPainter& p, QPointF punta, qreal dx, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(
        QPolygonF({punta, {punta.x() - dx, punta.y() - 4.5}, {punta.x() - dx, punta.y() + 4.5}}));
}

void Conectar(QPainter& p) {
    p.setPen(Trazo(kTinta, 1.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2, 4, 10, 12));
    p.drawRect(QRectF(20, 16, 10, 12));
    p.setPen(Trazo(kAzulIcono, 2.2));
    p.drawLine(QPointF(12, 10), QPointF(15, 10));
    p.drawLine(QPointF(15, 10), QPointF(15, 22));
    p.drawLine(QPointF(15, 22), QPointF(15.5, 22));
    PuntaHacia(p, QPointF(20, 22), 5.5, kAzulIcono);
}

void Nuevo(QPainter& p) {
    QPolygonF hoja({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}});
    p.setPen(Trazo(kTinta, 1.6));
    p.setBrush(Qt::white);
    p.drawPolygon(hoja);
    p.setBrush(QColor(214, 220, 228));
    p.drawPolygon(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
    p.setPen(Trazo(QColor(150, 156, 166), 1.4));
    for (int y : {14, 18, 22}) p.drawLine(QPointF(11, y), QPointF(22, y));
}

void Abrir(QPainter& p) {
    p.setPen(Trazo(QColor(160, 112, 16), 1.4));
    p.setBrush(QColor(214, 160, 42));
    p.drawPolygon(QPolygonF({{3, 7}, {12, 7}, {14.5, 10}, {27, 10}, {27, 26}, {3, 26}}));
    p.setBrush(QColor(248, 204, 92));
    p.drawPolygon(QPolygonF({{3, 26}, {7.5, 14}, {31, 14}, {27, 26}}));
}

void Guardar(QPainter& p) {
    p.setPen(Trazo(kAzulIcono.darker(150), 1.4));
    p.setBrush(kAzulIcono);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 232, 240));
    p.drawRect(QRectF(9, 4.5, 13, 8.5));
    p.setBrush(kAzulIcono.darker(130));
    p.drawRect(QRectF(17, 6, 3, 5.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8, 16.5, 16, 10.5), 1, 1);
    p.setPen(Trazo(QColor(150, 156, 166), 1.2));
    p.drawLine(QPointF(11, 20), QPointF(21, 20));
    p.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
}

void Imprimir(QPainter& p) {
    p.setPen(Trazo(kTinta, 1.4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 9));
    p.setBrush(QColor(107, 114, 128));
    p.drawRoundedRect(QRectF(3, 11, 26, 12), 2.5, 2.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 18, 14, 11));
    p.setPen(Trazo(QColor(150, 156, 166), 1.2));
    p.drawLine(QPointF(12, 22), QPointF(20, 22));
    p.drawLine(QPointF(12, 25.5), QPointF(20, 25.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(72, 199, 116));
    p.drawEllipse(QPointF(25, 14.5), 1.5, 1.5);
}

void Letra(QPainter& p, const QRectF& r, const QString& texto, const QColor& c, qreal alto) {
    QFont f = p.font();
    f.setPixelSize(static_cast<int>(alto));
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, texto);
}

void Propagar(QPainter& p) {
    // The required output flows back from the end node: lambda and a left arrow.
    Letra(p, QRectF(0, 0, 22, 22), QString::fromUtf8("λ"), kAzulIcono, 20);
    p.setPen(Trazo(kRojoIcono, 2.4));
    p.drawLine(QPointF(29, 24), QPointF(12, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(kRojoIcono);
    p.drawPolygon(QPolygonF({{5, 24}, {12, 19.5}, {12, 28.5}}));
    p.setBrush(kTinta);
    p.drawRect(QRectF(28, 18, 2.5, 12));
}

void Servidores(QPainter& p) {
    for (int i = 0; i < 3; ++i) {
        const QRectF u(3, 4 + i * 8.5, 18, 7);
        p.setPen(Trazo(kPizarra.darker(140), 1.2));
        p.setBrush(kPizarra);
        p.drawRoundedRect(u, 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(72, 199, 116));
        p.drawEllipse(QPointF(u.right() - 3, u.center().y()), 1.3, 1.3);
        p.setBrush(QColor(160, 170, 186));
        p.drawRect(QRectF(u.left() + 2.5, u.center().y() - 0.8, 8, 1.6));
    }
}

void ServidoresMinimos(QPainter& p) {
    Servidores(p);
    Insignia(p, QPointF(23.5, 23.5), kAzulIcono);
    p.setPen(Trazo(Qt::white, 2.2));
    p.drawLine(QPointF(23.5, 19.5), QPointF(23.5, 27));
    p.drawLine(QPointF(20.3, 24), QPointF(23.5, 27.3));
    p.drawLine(QPointF(26.7, 24), QPointF(23.5, 27.3));
}

void ServidoresOptimos(QPainter& p) {
    Servidores(p);
    p.setPen(Trazo(QColor(176, 122, 10), 1.4));
    p.setBrush(kOro);
    p.drawEllipse(QPointF(23.5, 23.5), 7.5, 7.5);
    Letra(p, QRectF(16, 16, 15, 15), QStringLiteral("$"), QColor(110, 70, 0), 11);
}

void Pert(QPainter& p) {
    const QPointF a(5, 16), b(16, 6), c(16, 26), d(27, 16);
    p.setPen(Trazo(QColor(140, 146, 156), 1.8));
    p.drawLine(a, c);
    p.drawLine(c, d);
    p.setPen(Trazo(kRojoIcono, 2.6));
    p.drawLine(a, b);
    p.drawLine(b, d);
    for (const QPointF& n : {a, b, c, d}) {
        const bool critico = n != c;
        p.setPen(Trazo(critico ? kRojoIcono : kTinta, 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(n, 3.6, 3.6);
    }
}

void OptimizacionTiempos(QPainter& p) {
    p.setPen(Trazo(kTinta, 1.6));
    p.setBrush(kTinta);
    p.drawRoundedRect(QRectF(13, 1.5, 6, 3.5), 1, 1);
    p.drawLine(QPointF(16, 5), QPointF(16, 7));
    p.setBrush(Qt::white);
    p.setPen(Trazo(kTinta, 2.0));
    p.drawEllipse(QPointF(16, 18), 11.5, 11.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(43, 108, 176, 70));
    QPainterPath sector;
    sector.moveTo(16, 18);
    sector.arcTo(QRectF(6, 8, 20, 20), 90, -130);
    sector.closeSubpath();
    p.drawPath(sector);
    p.setPen(Trazo(kRojoIcono, 2.2));
    p.drawLine(QPointF(16, 18), QPointF(16, 10));
    p.setPen(Trazo(kTinta, 2.2));
    p.drawLine(QPointF(16, 18), QPointF(22, 21.5));
}

void Salir(QPainter& p) {
    p.setPen(Trazo(QColor(92, 60, 30), 1.4));
    p.setBrush(QColor(226, 232, 240));
    p.drawRect(QRectF(4, 3, 15, 26));
    p.setBrush(QColor(156, 102, 52));
    p.drawPolygon(QPolygonF({{4, 3}, {13, 6}, {13, 31}, {4, 29}}));
    p.setPen(Qt::NoPen);
    p.setBrush(kOro);
    p.drawEllipse(QPointF(11, 17), 1.2, 1.2);
    p.setPen(Trazo(kRojoIcono, 2.6));
    p.drawLine(QPointF(16, 16), QPointF(25, 16));
    PuntaHacia(p, QPointF(31, 16), 6.5, kRojoIcono);
}

// A curved arrow turning back to the left; mirrored for redo.
void Vuelta(QPainter& p, bool espejo) {
    if (espejo) {
        p.translate(kRejilla, 0);
        p.scale(-1, 1);
    }
    QPainterPath arco;
    arco.moveTo(9, 12);
    arco.cubicTo(16, 7, 27, 9, 27, 18);
    arco.cubicTo(27, 24, 22, 27, 15, 27);
    p.setPen(Trazo(kAzulIcono, 3.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arco);
    p.setPen(Trazo(kAzulIcono.darker(130), 1.0));
    p.setBrush(kAzulIcono);
    p.drawPolygon(QPolygonF({{3, 14}, {12, 5}, {14, 17}}));
}
void Deshacer(QPainter& p) {
    Vuelta(p, false);
}
void Rehacer(QPainter& p) {
    Vuelta(p, true);
}

using Pintor = void (*)(QPainter&);

Pintor PintorDe(Pictograma p) {
    switch (p) {
        case Pictograma::Seleccionar:
            return Seleccionar;
        case Pictograma::ColocarCentro:
            return ColocarCentro;
        case Pictograma::Conectar:
            return Conectar;
        case Pictograma::MarcaInicio:
            return MarcaInicio;
        case Pictograma::MarcaFin:
            return MarcaFin;
        case Pictograma::Nuevo:
            return Nuevo;
        case Pictograma::Abrir:
            return Abrir;
        case Pictograma::Guardar:
            return Guardar;
        case Pictograma::Imprimir:
            return Imprimir;
        case Pictograma::Propagar:
            return Propagar;
        case Pictograma::ServidoresMinimos:
            return ServidoresMinimos;
        case Pictograma::ServidoresOptimos:
            return ServidoresOptimos;
        case Pictograma::Pert:
            return Pert;
        case Pictograma::OptimizacionTiempos:
            return OptimizacionTiempos;
        case Pictograma::Salir:
            return Salir;
        case Pictograma::Deshacer:
            return Deshacer;
        case Pictograma::Rehacer:
            return Rehacer;
    }
    return Seleccionar;
}

Pintor PintorDe(Dibujo d) {
    switch (d) {
        case Dibujo::Flecha:
            return Flecha;
        case Dibujo::MarcaInicio:
            return MarcaInicio;
        case Dibujo::MarcaFin:
            return MarcaFin;
    }
    return Flecha;
}

QImage Renderizar(Pintor pintor, QSize tamano) {
    QImage img(tamano, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(tamano.width() / kRejilla, tamano.height() / kRejilla);
    pintor(p);
    return img;
}

}  // namespace

QSize TamanoPropio(Dibujo dibujo) {
    return dibujo == Dibujo::Flecha ? QSize(10, 10) : QSize(32, 32);
}

QImage ImagenDe(Dibujo dibujo, QSize tamano) {
    return Renderizar(PintorDe(dibujo), tamano);
}

QIcon IconoDe(Pictograma p) {
    QIcon icono;
    for (int lado : {16, 24, 32, 48})
        icono.addPixmap(QPixmap::fromImage(Renderizar(PintorDe(p), QSize(lado, lado))));
    return icono;
}

}  // namespace vortena
