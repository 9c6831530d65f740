#include "editor/gui/SuperficieQt.h"

#include <QPen>
#include <cmath>
#include <tuple>

#include "editor/gui/Escala.h"
#include "editor/gui/Pictogramas.h"

namespace vortena {

namespace {

constexpr std::size_t kLimiteCache = 20000;
// Rendered labels kept at most (a few KB each).
constexpr std::size_t kLimiteTextos = 4096;
constexpr int kMargenTexto = 1;

QColor AQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

// Below this pixel size labels are unreadable smudges and are left out.
constexpr qreal kTextoMinimo = 4.0;

}  // namespace

int SuperficieQt::APixel(float twips) const {
    return static_cast<int>(std::lround(APixelReal(twips)));
}

qreal SuperficieQt::APixelReal(float twips) const {
    return static_cast<qreal>(APixeles(twips)) * escala_;
}

void SuperficieQt::PonerEscala(double escala) {
    Terminar();
    escala_ = escala;
    fuenteEscalada_ = fuente_;
    // Fractional sizes keep each label the same width, relative to the
    // boxes, at every scale.
    if (escala != 1.0) {
        if (fuente_.pixelSize() > 0)
            fuenteEscalada_.setPointSizeF(fuente_.pixelSize() * escala * 72.0 / img_.logicalDpiY());
        else
            fuenteEscalada_.setPointSizeF(fuente_.pointSizeF() * escala);
    }
    textoVisible_ = QFontMetricsF(fuenteEscalada_, &img_).height() >= kTextoMinimo;
    textos_.clear();
    imagenes_.clear();
}

QFont FuenteLienzo(const QFont& base) {
    // Five rows of text must fit in a centre box 1000 twips high.
    constexpr qreal kAltoMaximo = 1000.0 / 5.0 / kTwipsPorPixel;
    QImage muestra(1, 1, QImage::Format_RGB32);
    QFont f = base;
    for (int px = 13; px >= 8; --px) {
        f.setPixelSize(px);
        if (QFontMetricsF(f, &muestra).height() <= kAltoMaximo) break;
    }
    return f;
}

SuperficieQt::SuperficieQt(QImage& imagen, const QFont& fuente)
    : img_(imagen), fuente_(fuente), metricas_(fuente, &imagen), fuenteEscalada_(fuente) {}

SuperficieQt::~SuperficieQt() {
    Terminar();
}

void SuperficieQt::Terminar() {
    if (pintor_.isActive()) pintor_.end();
}

QPainter& SuperficieQt::Pintor() {
    if (!pintor_.isActive()) {
        pintor_.begin(&img_);
        pintor_.setFont(fuenteEscalada_);
        pintor_.setRenderHint(QPainter::Antialiasing);
        pintor_.setRenderHint(QPainter::TextAntialiasing);
        lapiz_ = Lapiz{};
        if (alPintar) alPintar();
    }
    return pintor_;
}

int SuperficieQt::Grosor(int grosor) const {
    // Pen widths are screen pixels at scale 1 and grow with the zoom.
    return std::max(1, static_cast<int>(std::lround(grosor * escala_)));
}

void SuperficieQt::PonerLapiz(QPainter& p, Color color, int grosor) {
    // Pen changes cost a state rebuild in the raster engine; a full redraw
    // mostly repeats the same pen.
    if (lapiz_.valido && lapiz_.color == color && lapiz_.grosor == grosor) return;
    p.setPen(QPen(AQColor(color), grosor, Qt::SolidLine, Qt::FlatCap));
    lapiz_ = Lapiz{true, color, grosor};
}

void SuperficieQt::Limpiar() {
    Pintor().fillRect(img_.rect(), Qt::white);
}

void SuperficieQt::Linea(float x1, float y1, float x2, float y2, Color color, int grosor) {
    QPainter& p = Pintor();
    const int g = Grosor(grosor);
    if (y1 == y2 || x1 == x2) {
        // Level and upright lines (every separator inside a centre) are
        // plain fills: crisp, and far cheaper than stroking.
        const int a = APixel(std::min(x1, x2)), b = APixel(std::max(x1, x2));
        const int c = APixel(std::min(y1, y2)), d = APixel(std::max(y1, y2));
        const QRect r = y1 == y2 ? QRect(a, c - g / 2, std::max(1, b - a), g)
                                 : QRect(a - g / 2, c, g, std::max(1, d - c));
        p.fillRect(r, AQColor(color));
        return;
    }
    PonerLapiz(p, color, g);
    // An odd-width line runs through pixel centres, like the fills above.
    const qreal m = g % 2 != 0 ? 0.5 : 0.0;
    p.drawLine(QPointF(APixelReal(x1) + m, APixelReal(y1) + m),
               QPointF(APixelReal(x2) + m, APixelReal(y2) + m));
}

void SuperficieQt::Rectangulo(float x1, float y1, float x2, float y2, Color color, int grosor,
                              bool relleno) {
    // Boxes are solid fills on whole pixels: the pen of width g straddles
    // each edge, and an erase covers exactly what the outline painted, so
    // no fringe is left behind.
    QPainter& p = Pintor();
    const int l = APixel(std::min(x1, x2)), der = APixel(std::max(x1, x2));
    const int t = APixel(std::min(y1, y2)), b = APixel(std::max(y1, y2));
    const QRect r(l, t, der - l, b - t);
    const int g = Grosor(grosor);
    const int h = g / 2;
    const QColor c = AQColor(color);
    const QRect exterior(r.left() - h, r.top() - h, r.width() + g, r.height() + g);
    if (relleno) {
        p.fillRect(exterior, c);
        return;
    }
    p.fillRect(QRect(exterior.left(), exterior.top(), exterior.width(), g), c);
    p.fillRect(QRect(exterior.left(), r.bottom() + 1 - h, exterior.width(), g), c);
    p.fillRect(QRect(exterior.left(), exterior.top(), g, exterior.height()), c);
    p.fillRect(QRect(r.right() + 1 - h, exterior.top(), g, exterior.height()), c);
}

const QImage& SuperficieQt::TextoRenderizado(const std::string& texto) {
    auto it = textos_.find(texto);
    if (it != textos_.end()) return it->second;
    if (textos_.size() >= kLimiteTextos) textos_.clear();
    // Rendered once with a pixel of margin for glyphs that overhang; a
    // redraw then only blends small images, several times cheaper than
    // laying out and drawing the glyphs of thousands of labels again.
    const QString t = QString::fromStdString(texto);
    const QFontMetricsF m(fuenteEscalada_, &img_);
    const int ancho = static_cast<int>(std::ceil(m.horizontalAdvance(t))) + 2 * kMargenTexto;
    const int alto = static_cast<int>(std::ceil(m.height()));
    QImage img(std::max(1, ancho), std::max(1, alto), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setFont(fuenteEscalada_);
    p.setPen(Qt::black);
    p.drawText(QPointF(kMargenTexto, m.ascent()), t);
    p.end();
    return textos_.emplace(texto, std::move(img)).first->second;
}

void SuperficieQt::Texto(float x, float y, const std::string& texto) {
    if (!textoVisible_) return;
    Pintor().drawImage(QPoint(APixel(x) - kMargenTexto, APixel(y)), TextoRenderizado(texto));
}

float SuperficieQt::AnchoTexto(const std::string& texto) {
    auto it = anchos_.find(texto);
    if (it != anchos_.end()) return it->second;
    if (anchos_.size() >= kLimiteCache) anchos_.clear();
    const float ancho =
        ATwips(static_cast<float>(metricas_.horizontalAdvance(QString::fromStdString(texto))));
    anchos_.emplace(texto, ancho);
    return ancho;
}

float SuperficieQt::AltoTexto(const std::string&) {
    return ATwips(static_cast<float>(metricas_.height()));
}

void SuperficieQt::Imagen(Dibujo dibujo, float x, float y, float ancho, float alto) {
    QSize tam = TamanoPropio(dibujo);
    if (ancho > 0 && alto > 0)
        tam = QSize(std::max(1, APixel(ancho)), std::max(1, APixel(alto)));
    else
        tam = QSize(std::max(1, static_cast<int>(std::lround(tam.width() * escala_))),
                    std::max(1, static_cast<int>(std::lround(tam.height() * escala_))));
    const auto clave = std::make_tuple(static_cast<int>(dibujo), tam.width(), tam.height());
    auto it = imagenes_.find(clave);
    if (it == imagenes_.end()) it = imagenes_.emplace(clave, ImagenDe(dibujo, tam)).first;
    Pintor().drawImage(QPoint(APixel(x), APixel(y)), it->second);
}

}  // namespace vortena
