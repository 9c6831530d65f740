#include "editor/gui/ExportarDiagrama.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "editor/Editor.h"
#include "editor/gui/Escala.h"
#include "editor/gui/SuperficieQt.h"
#include "editor/gui/SuperficieVectorial.h"
#include "files/ErrorArchivo.h"
#include "files/EscrituraAtomica.h"

namespace vortena {

namespace {

constexpr qreal kMargen = 300;  // twips around the drawing
// The start and end marks stand 500 twips above their nodes.
constexpr qreal kAltoMarca = 500;
// PNG pictures at twice the canvas resolution.
constexpr qreal kEscalaPng = 2.0;

// Nobody to tell anything: a full redraw asks no questions.
class SinMensajes : public Mensajes {
public:
    Respuesta Mostrar(const std::string&, const std::string&, Botones b, Icono) override {
        return b == Botones::Aceptar ? Respuesta::Aceptar : Respuesta::No;
    }
};

// The diagram size in canvas pixels.
QSizeF TamanoPixeles(const QRectF& twips) {
    return QSizeF(APixeles(static_cast<float>(twips.width())),
                  APixeles(static_cast<float>(twips.height())));
}

}  // namespace

QRectF LimitesDiagrama(const Red& red) {
    QRectF r;
    auto unir = [&r](qreal x1, qreal y1, qreal x2, qreal y2) {
        const QRectF q(QPointF(std::min(x1, x2), std::min(y1, y2)),
                       QPointF(std::max(x1, x2), std::max(y1, y2)));
        r = r.isNull() ? q : r.united(q);
    };
    for (const CentroProductivo& c : red.Centros) {
        const bool marca = c.posicion == red.NodoInicio || c.posicion == red.NodoFin;
        unir(c.x1, marca ? c.y1 - kAltoMarca : c.y1, c.x2, c.y2);
    }
    for (const linea& l : red.Conexiones) unir(l.x1, l.y1, l.x2, l.y2);
    if (r.isNull()) return QRectF(0, 0, 2 * kMargen, 2 * kMargen);
    r.adjust(-kMargen, -kMargen, kMargen, kMargen);
    // Never beyond the canvas.
    return r.intersected(QRectF(0, 0, kLadoLienzoTwips, kLadoLienzoTwips));
}

void PintarDiagrama(QPainter& pintor, const QRectF& destino, Red& red, const Regional& reg,
                    const CapasSombreado& capas) {
    const QRectF twips = LimitesDiagrama(red);
    const QSizeF origen = TamanoPixeles(twips);
    if (origen.isEmpty() || destino.isEmpty()) return;
    const qreal escala =
        std::min(destino.width() / origen.width(), destino.height() / origen.height());
    const QSizeF ocupado = origen * escala;

    pintor.save();
    pintor.translate(destino.left() + (destino.width() - ocupado.width()) / 2,
                     destino.top() + (destino.height() - ocupado.height()) / 2);
    pintor.scale(escala, escala);
    const QPointF esquina(APixeles(static_cast<float>(twips.left())),
                          APixeles(static_cast<float>(twips.top())));
    pintor.translate(-esquina);
    pintor.setClipRect(QRectF(esquina, origen));

    SuperficieVectorial sup(pintor, FuenteLienzo(QApplication::font()), QRectF(esquina, origen));
    SinMensajes mudo;
    Editor editor(red, sup, mudo, reg);
    editor.capas() = capas;
    // The selection is a state of the window, not part of the picture.
    const std::int16_t centro = red.CentroActual, conexion = red.ConexionActual;
    editor.RedibujarTodo();
    red.CentroActual = centro;
    red.ConexionActual = conexion;
    pintor.restore();
}

QImage ImagenDiagrama(Red& red, const Regional& reg, const CapasSombreado& capas, qreal escala) {
    const QSizeF tam = TamanoPixeles(LimitesDiagrama(red)) * escala;
    QImage img(tam.toSize(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PintarDiagrama(p, QRectF(QPointF(0, 0), tam), red, reg, capas);
    p.end();
    return img;
}

QString ExportarDiagrama(const QString& rutaPedida, Red& red, const Regional& reg,
                         const CapasSombreado& capas, const std::string& archivoRed) {
    QString ruta = rutaPedida;
    QString ext = QFileInfo(ruta).suffix().toLower();
    if (ext != QLatin1String("svg") && ext != QLatin1String("pdf") && ext != QLatin1String("png")) {
        ruta += QStringLiteral(".png");
        ext = QStringLiteral("png");
    }
    const QSizeF tam = TamanoPixeles(LimitesDiagrama(red));

    // Drawn in memory first: the file is replaced in one step, or not at all.
    QByteArray bytes;
    QBuffer destino(&bytes);
    destino.open(QIODevice::WriteOnly);
    if (ext == QLatin1String("png")) {
        if (!ImagenDiagrama(red, reg, capas, kEscalaPng).save(&destino, "PNG"))
            throw ErrorArchivo("No se pudo formar la imagen de " + ruta.toStdString() + ".");
    } else if (ext == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&destino);
        svg.setSize(tam.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), tam));
        svg.setTitle(QStringLiteral("Línea de producción"));
        svg.setDescription(QStringLiteral("Vortena de Líneas de Producción"));
        QPainter p;
        if (!p.begin(&svg))
            throw ErrorArchivo("No se pudo formar el dibujo de " + ruta.toStdString() + ".");
        PintarDiagrama(p, QRectF(QPointF(0, 0), tam), red, reg, capas);
        p.end();
    } else {
        // PDF: one page of the diagram's own size, at the canvas resolution.
        QPdfWriter pdf(&destino);
        pdf.setResolution(96);
        pdf.setTitle(QStringLiteral("Línea de producción"));
        pdf.setCreator(QStringLiteral("Vortena de Líneas de Producción"));
        pdf.setPageSize(QPageSize(tam * 72.0 / 96.0, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p;
        if (!p.begin(&pdf))
            throw ErrorArchivo("No se pudo formar el documento de " + ruta.toStdString() + ".");
        PintarDiagrama(p, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())), red, reg,
                       capas);
        p.end();
    }
    destino.close();
    EscribirAtomico(ruta.toStdString(),
                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                    archivoRed);
    return ruta;
}

bool ImprimirDiagrama(QPrinter& impresora, Red& red, const Regional& reg,
                      const CapasSombreado& capas) {
    QPainter p;
    if (!p.begin(&impresora)) return false;
    const QRectF pagina = impresora.pageLayout().paintRectPixels(impresora.resolution());
    PintarDiagrama(p, QRectF(QPointF(0, 0), pagina.size()), red, reg, capas);
    return p.end();
}

}  // namespace vortena
