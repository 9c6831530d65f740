#include "optimise/gui/GraficoConvergencia.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace vortena {

namespace {

const QColor kColorCosto(0, 70, 160);
const QColor kColorTiempo(170, 30, 30);
// At most this many points per line: a long search is thinned evenly, so a
// repaint costs the same after ten generations as after ten thousand.
constexpr int kPuntosMaximos = 400;

QValueAxis* Eje(const QString& titulo, const QColor& color) {
    auto* e = new QValueAxis;
    e->setTitleText(titulo);
    if (color.isValid()) {
        e->setTitleBrush(color);
        e->setLabelsColor(color);
        e->setLinePenColor(color);
    }
    return e;
}

}  // namespace

GraficoConvergencia::GraficoConvergencia(const Regional& reg, QWidget* parent)
    : VistaGrafico(reg, parent) {
    setObjectName(QStringLiteral("GraficoConvergencia"));
    QChart* g = chart();

    costo_ = new QLineSeries;
    costo_->setName(QStringLiteral("Costo"));
    costo_->setPen(QPen(kColorCosto, 1.5));
    tiempo_ = new QLineSeries;
    tiempo_->setName(QStringLiteral("Tiempo"));
    tiempo_->setPen(QPen(kColorTiempo, 1.5));
    g->addSeries(costo_);
    g->addSeries(tiempo_);

    ejeX_ = Eje(QStringLiteral("Generación"), QColor());
    ejeX_->setLabelFormat(QStringLiteral("%.0f"));
    ejeX_->setTickType(QValueAxis::TicksDynamic);
    ejeX_->setTickAnchor(0);
    ejeCosto_ = Eje(QStringLiteral("Costo"), kColorCosto);
    ejeTiempo_ = Eje(QStringLiteral("Tiempo"), kColorTiempo);
    g->addAxis(ejeX_, Qt::AlignBottom);
    g->addAxis(ejeCosto_, Qt::AlignLeft);
    g->addAxis(ejeTiempo_, Qt::AlignRight);
    costo_->attachAxis(ejeX_);
    costo_->attachAxis(ejeCosto_);
    tiempo_->attachAxis(ejeX_);
    tiempo_->attachAxis(ejeTiempo_);

    // Either line's point tells its generation's cost and time.
    for (QLineSeries* s : {costo_, tiempo_})
        ValoresAlPasar(s, [this, s](int i) {
            return TextoGeneracion(static_cast<int>(std::lround(s->at(i).x())));
        });
    Redibujar();
}

void GraficoConvergencia::Limpiar() {
    puntos_.clear();
    Redibujar();
}

void GraficoConvergencia::Agregar(double costo, double tiempo) {
    puntos_.push_back({costo, tiempo});
    Redibujar();
}

QString GraficoConvergencia::TextoGeneracion(int g) const {
    if (g < 0 || g >= static_cast<int>(puntos_.size())) return {};
    const Punto& p = puntos_[static_cast<std::size_t>(g)];
    return QStringLiteral("Generación %1\nCosto: %2\nTiempo: %3")
        .arg(QString::fromStdString(TextoGeneral(g, regional())), Numero(p.costo, "#0.00"),
             Numero(p.tiempo, "#0.00"));
}

void GraficoConvergencia::Redibujar() {
    const int n = static_cast<int>(puntos_.size());
    const int mostrados = std::min(n, kPuntosMaximos);
    QList<QPointF> c, t;
    c.reserve(mostrados);
    t.reserve(mostrados);
    double cLo = INFINITY, cHi = -INFINITY, tLo = INFINITY, tHi = -INFINITY;
    for (int k = 0; k < mostrados; ++k) {
        const int i = mostrados == 1
                          ? n - 1
                          : static_cast<int>(std::lround(double(k) * (n - 1) / (mostrados - 1)));
        const Punto& p = puntos_[static_cast<std::size_t>(i)];
        if (std::isfinite(p.costo)) {
            c << QPointF(i, p.costo);
            cLo = std::min(cLo, p.costo);
            cHi = std::max(cHi, p.costo);
        }
        if (std::isfinite(p.tiempo)) {
            t << QPointF(i, p.tiempo);
            tLo = std::min(tLo, p.tiempo);
            tHi = std::max(tHi, p.tiempo);
        }
    }
    costo_->replace(c);
    tiempo_->replace(t);
    ejeX_->setRange(0, std::max(1, n - 1));
    ejeX_->setTickInterval(PasoMarcas(std::max(1, n - 1), 6));
    EjeRedondo(ejeCosto_, cLo, cHi, 5);
    EjeRedondo(ejeTiempo_, tLo, tHi, 5);
}

}  // namespace vortena
