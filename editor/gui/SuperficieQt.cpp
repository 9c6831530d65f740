#include "editor/gui/SuperficieQt.h"

#include <QPen>
#include <cmath>
#include <tuple>

#include "editor/gui/Escala.h"
#include "editor/gui/Pictogramas.h"

namespace vortena {

namespace {

constexpr std::size_t kLimiteCache = 20000;

QColor AQColor(Color c) { return QColor(c.r, c.g, c.b); }

int Px(float twips) { return static_cast<int>(std::lround(APixeles(twips))); }

QRect RectPixeles(float x1, float y1, float x2, float y2) {
    const int l = Px(std::min(x1, x2)), r = Px(std::max(x1, x2));
    const int t = Px(std::min(y1, y2)), b = Px(std::max(y1, y2));
    return QRect(l, t, r - l, b - t);
}

}  // namespace

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
    : img_(imagen), fuente_(fuente), metricas_(fuente, &imagen) {}

SuperficieQt::~SuperficieQt() { Terminar(); }

void SuperficieQt::Terminar() {
    if (pintor_.isActive()) pintor_.end();
}

QPainter& SuperficieQt::Pintor() {
    if (!pintor_.isActive()) {
        pintor_.begin(&img_);
        pintor_.setFont(fuente_);
        pintor_.setRenderHint(QPainter::TextAntialiasing);
        if (alPintar) alPintar();
    }
    return pintor_;
}

void SuperficieQt::Limpiar() {
    QPainter& p = Pintor();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(img_.rect(), Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void SuperficieQt::Linea(float x1, float y1, float x2, float y2, Color color, int grosor) {
    QPainter& p = Pintor();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(AQColor(color), grosor, Qt::SolidLine, Qt::FlatCap));
    // An odd-width line runs through pixel centres, so a level or upright
    // line stays one crisp pixel row instead of two half-grey ones.
    const qreal c = grosor % 2 != 0 ? 0.5 : 0.0;
    p.drawLine(QPointF(APixeles(x1) + c, APixeles(y1) + c),
               QPointF(APixeles(x2) + c, APixeles(y2) + c));
}

void SuperficieQt::Rectangulo(float x1, float y1, float x2, float y2, Color color, int grosor,
                              bool relleno) {
    // Boxes stay aliased and on whole pixels: an erase must cover exactly
    // what the outline painted, with no blended fringe left behind.
    QPainter& p = Pintor();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor c = AQColor(color);
    p.setPen(QPen(c, grosor, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(relleno ? QBrush(c) : QBrush(Qt::NoBrush));
    p.drawRect(RectPixeles(x1, y1, x2, y2));
    p.setBrush(Qt::NoBrush);
}

const QStaticText& SuperficieQt::TextoPreparado(const std::string& texto) {
    auto it = textos_.find(texto);
    if (it != textos_.end()) return it->second;
    if (textos_.size() >= kLimiteCache) textos_.clear();
    QStaticText st(QString::fromStdString(texto));
    st.setTextFormat(Qt::PlainText);
    st.setPerformanceHint(QStaticText::AggressiveCaching);
    st.prepare(QTransform(), fuente_);
    return textos_.emplace(texto, std::move(st)).first->second;
}

void SuperficieQt::Texto(float x, float y, const std::string& texto) {
    QPainter& p = Pintor();
    p.setPen(Qt::black);
    p.drawStaticText(QPointF(APixeles(x), APixeles(y)), TextoPreparado(texto));
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
    if (ancho > 0 && alto > 0) tam = QSize(std::max(1, Px(ancho)), std::max(1, Px(alto)));
    const auto clave = std::make_tuple(static_cast<int>(dibujo), tam.width(), tam.height());
    auto it = imagenes_.find(clave);
    if (it == imagenes_.end()) it = imagenes_.emplace(clave, ImagenDe(dibujo, tam)).first;
    Pintor().drawImage(QPoint(Px(x), Px(y)), it->second);
}

}  // namespace vortena
