#pragma once
// A drawing surface on any open QPainter (printer, PDF, SVG, image), in
// canvas pixels (twips / 15) as the painter's user space: shapes and texts
// stay vectors, so a print or a PDF is sharp at any size. The canvas window
// keeps its own raster surface; this one serves the exported copies.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "editor/Superficie.h"

namespace vortena {

class SuperficieVectorial : public Superficie {
public:
    // `limpiar` is the area that Limpiar() paints white, in canvas pixels.
    SuperficieVectorial(QPainter& pintor, const QFont& fuente, const QRectF& limpiar);

    void Limpiar() override;
    void Linea(float x1, float y1, float x2, float y2, Color color, int grosor) override;
    void Rectangulo(float x1, float y1, float x2, float y2, Color color, int grosor,
                    bool relleno) override;
    void Texto(float x, float y, const std::string& texto) override;
    float AnchoTexto(const std::string& texto) override;
    float AltoTexto(const std::string& texto) override;
    void Imagen(Dibujo dibujo, float x, float y, float ancho = 0, float alto = 0) override;

private:
    QPainter& p_;
    QFont fuente_;
    QFontMetricsF metricas_;
    QRectF limpiar_;
};

}  // namespace vortena
