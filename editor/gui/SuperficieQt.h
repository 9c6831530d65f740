#pragma once
// The drawing surface of the canvas painted with QPainter on a persistent
// image. One painter stays open across a run of drawing calls (a full redraw
// paints thousands of items) and is closed before anyone reads the image.

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>

#include "editor/Superficie.h"

namespace vortena {

class SuperficieQt : public Superficie {
public:
    // The image must outlive the surface; it is painted in canvas pixels
    // times the scale.
    SuperficieQt(QImage& imagen, const QFont& fuente);
    ~SuperficieQt() override;
    SuperficieQt(const SuperficieQt&) = delete;
    SuperficieQt& operator=(const SuperficieQt&) = delete;

    void Limpiar() override;
    void Linea(float x1, float y1, float x2, float y2, Color color, int grosor) override;
    void Rectangulo(float x1, float y1, float x2, float y2, Color color, int grosor,
                    bool relleno) override;
    void Texto(float x, float y, const std::string& texto) override;
    float AnchoTexto(const std::string& texto) override;
    float AltoTexto(const std::string& texto) override;
    void Imagen(Dibujo dibujo, float x, float y, float ancho = 0, float alto = 0) override;

    // Closes the painter so the image can be shown, copied or read.
    void Terminar();
    const QFont& fuente() const { return fuente_; }

    // Drawing scale (zoom): 1 paints 15 twips on a pixel. Text, lines and
    // pictures are rendered again at the scale, never stretched; text
    // measures stay those of scale 1, so the layout is the same at every
    // zoom.
    void PonerEscala(double escala);
    double escala() const { return escala_; }
    // Canvas twips to pixels of the image at the current scale.
    int APixel(float twips) const;
    qreal APixelReal(float twips) const;

    // Called when a run of drawing starts, so the owner can schedule a repaint.
    std::function<void()> alPintar;

private:
    QPainter& Pintor();
    void PonerLapiz(QPainter& p, Color color, int grosor);
    int Grosor(int grosor) const;
    const QImage& TextoRenderizado(const std::string& texto);

    QImage& img_;
    QFont fuente_;
    QFontMetricsF metricas_;
    double escala_ = 1.0;
    // The font at the scale; no text is drawn when it is too small to read.
    QFont fuenteEscalada_;
    bool textoVisible_ = true;
    QPainter pintor_;
    struct Lapiz {
        bool valido = false;
        Color color;
        int grosor = 0;
    } lapiz_;
    // Label texts repeat a lot (names, "S:1", " 1 "): each is rendered
    // once and then only copied, which keeps a full redraw cheap.
    std::unordered_map<std::string, QImage> textos_;
    std::unordered_map<std::string, float> anchos_;
    std::map<std::tuple<int, int, int>, QImage> imagenes_;
};

// The canvas font: the family of the given font at the largest size whose
// line height leaves room for the five label rows of a 1000-twip centre box.
QFont FuenteLienzo(const QFont& base);

}  // namespace vortena
