#include "optimise/gui/GraficoConvergencia.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace vortena {

namespace {

const QColor kColorCosto(0, 70, 160);
const QColor kColorTiempo(170, 30, 30);

// One polyline of the chosen series; at most one point per pixel column, so
// painting costs the same after ten generations as after ten thousand.
QPolygonF Linea(const std::vector<GraficoConvergencia::Punto>& p, double GraficoConvergencia::Punto::*campo,
                const QRectF& area) {
    double lo = INFINITY, hi = -INFINITY;
    for (const auto& q : p) {
        const double v = q.*campo;
        if (!std::isfinite(v)) continue;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    QPolygonF linea;
    if (lo > hi) return linea;
    const double rango = hi > lo ? hi - lo : 1.0;
    const int n = static_cast<int>(p.size());
    const int columnas = std::max(1, std::min(n, static_cast<int>(area.width())));
    for (int c = 0; c < columnas; ++c) {
        const int i = columnas == 1 ? n - 1 : static_cast<int>(std::lround(double(c) * (n - 1) / (columnas - 1)));
        const double v = p[static_cast<std::size_t>(i)].*campo;
        if (!std::isfinite(v)) continue;
        const double x = n == 1 ? area.center().x() : area.left() + area.width() * i / (n - 1);
        const double y = hi > lo ? area.bottom() - area.height() * (v - lo) / rango : area.center().y();
        linea << QPointF(x, y);
    }
    return linea;
}

}  // namespace

GraficoConvergencia::GraficoConvergencia(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 48);
    setToolTip(QStringLiteral("Costo (azul) y Tiempo (rojo) de la mejor solución por generación"));
}

void GraficoConvergencia::Limpiar() { puntos_.clear(); }

void GraficoConvergencia::Agregar(double costo, double tiempo) { puntos_.push_back({costo, tiempo}); }

void GraficoConvergencia::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kColorCosto, 1.5));
    p.drawPolyline(Linea(puntos_, &Punto::costo, area));
    p.setPen(QPen(kColorTiempo, 1.5));
    p.drawPolyline(Linea(puntos_, &Punto::tiempo, area));
}

}  // namespace vortena
