#include "simulate/gui/GraficosPlazo.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <tuple>

namespace vortena {

QString TextoPorcentaje(double p, const Regional& reg) {
    return QString::fromStdString(Formato(100 * p, "0.0", reg)) + QStringLiteral(" %");
}

QString TextoTiempo(double t, const Regional& reg) {
    return QString::fromStdString(Formato(t, "0.####", reg));
}

namespace {

QChart* NuevoGrafico(const QString& titulo) {
    auto* c = new QChart;
    c->setTitle(titulo);
    c->legend()->setVisible(true);
    c->legend()->setAlignment(Qt::AlignBottom);
    c->setMargins(QMargins(4, 4, 4, 4));
    return c;
}

void Ejes(QChart* c, const QString& x, const QString& y, double xmin, double xmax, double ymax) {
    auto* ex = new QValueAxis;
    ex->setTitleText(x);
    ex->setRange(xmin, xmax);
    ex->setLabelFormat(QStringLiteral("%.3g"));
    auto* ey = new QValueAxis;
    ey->setTitleText(y);
    ey->setRange(0, ymax);
    ey->setLabelFormat(QStringLiteral("%.3g"));
    ex->applyNiceNumbers();
    c->addAxis(ex, Qt::AlignBottom);
    c->addAxis(ey, Qt::AlignLeft);
    for (QAbstractSeries* s : c->series()) {
        s->attachAxis(ex);
        s->attachAxis(ey);
    }
}

// The range shown: the draws, widened to the desired time and the PERT's.
std::pair<double, double> Rango(const ResultadoPlazo& r) {
    double a = std::min({r.tiempos.front(), r.deseado, r.pert});
    double b = std::max({r.tiempos.back(), r.deseado, r.pert});
    if (!(b > a)) {
        a -= 1;
        b += 1;
    }
    const double margen = (b - a) * 0.03;
    // Times are never negative: the axis starts at 0 at the lowest.
    return {a >= 0 ? std::max(0.0, a - margen) : a - margen, b + margen};
}

QLineSeries* Vertical(const QString& nombre, double x, double alto, const QColor& color,
                      Qt::PenStyle estilo) {
    auto* s = new QLineSeries;
    s->setName(nombre);
    s->append(x, 0);
    s->append(x, alto);
    QPen pen(color);
    pen.setWidth(2);
    pen.setStyle(estilo);
    s->setPen(pen);
    return s;
}

}  // namespace

CurvaS::CurvaS(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("curvaS"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(360, 260);
    Limpiar();
}

// The view lets go of its previous chart without deleting it.
static void Poner(QChartView* v, QChart* c) {
    QChart* viejo = v->chart();
    v->setChart(c);
    delete viejo;
}

void CurvaS::Limpiar() {
    Poner(this, NuevoGrafico(QStringLiteral("Distribución acumulada del plazo (curva S)")));
    r_.reset();
    senalado_.clear();
}

void CurvaS::Senalar(const QString& texto) {
    senalado_ = texto;
    emit senalado(texto);
}

void CurvaS::Mostrar(std::shared_ptr<const ResultadoPlazo> resultado, const Regional& reg) {
    r_ = std::move(resultado);
    const ResultadoPlazo& r = *r_;
    QChart* c = NuevoGrafico(QStringLiteral("Distribución acumulada del plazo (curva S)"));
    if (r.tiempos.empty()) {
        Poner(this, c);
        return;
    }
    const auto [xmin, xmax] = Rango(r);
    // A step curve: the probability holds until the next drawn time.
    auto* curva = new QLineSeries;
    curva->setName(QStringLiteral("P(plazo ≤ t)"));
    curva->append(xmin, 0);
    double antes = 0;
    for (const PuntoCdf& p : r.Cdf(1000)) {
        curva->append(p.tiempo, antes);
        curva->append(p.tiempo, p.probabilidad);
        antes = p.probabilidad;
    }
    curva->append(xmax, 1);
    QPen pen(QColor(0, 90, 170));
    pen.setWidth(2);
    curva->setPen(pen);
    c->addSeries(curva);
    connect(curva, &QLineSeries::hovered, this, [this, reg](const QPointF& p, bool dentro) {
        if (!dentro) return;
        const QString t = QStringLiteral("tiempo ") + TextoTiempo(p.x(), reg) +
                          QStringLiteral(" — probabilidad ") +
                          TextoPorcentaje(r_->Probabilidad(p.x()), reg);
        QToolTip::showText(QCursor::pos(), t, this);
        Senalar(t);
    });

    for (const auto& [nombre, x, y] : {std::tuple{QStringLiteral("P50"), r.P50, 0.5},
                                       std::tuple{QStringLiteral("P90"), r.P90, 0.9}}) {
        auto* marca = new QScatterSeries;
        marca->setName(nombre);
        marca->setMarkerSize(10);
        marca->setColor(QColor(230, 120, 0));
        marca->append(x, y);
        marca->setPointLabelsVisible(true);
        marca->setPointLabelsClipping(false);
        marca->setPointLabelsFormat(nombre + QStringLiteral(" = ") + TextoTiempo(x, reg));
        c->addSeries(marca);
        connect(marca, &QScatterSeries::hovered, this,
                [this, reg, nombre](const QPointF& p, bool dentro) {
                    if (!dentro) return;
                    const QString t = nombre + QStringLiteral(": ") + TextoTiempo(p.x(), reg);
                    QToolTip::showText(QCursor::pos(), t, this);
                    Senalar(t);
                });
    }

    c->addSeries(
        Vertical(QStringLiteral("Deseado"), r.deseado, 1, QColor(200, 0, 0), Qt::SolidLine));
    c->addSeries(Vertical(QStringLiteral("PERT"), r.pert, 1, QColor(90, 90, 90), Qt::DashLine));
    Ejes(c, QStringLiteral("Plazo (tiempo de la línea)"), QStringLiteral("Probabilidad acumulada"),
         xmin, xmax, 1.0);
    Poner(this, c);
}

HistogramaPlazo::HistogramaPlazo(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("histograma"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(360, 220);
    Limpiar();
}

void HistogramaPlazo::Limpiar() {
    Poner(this, NuevoGrafico(QStringLiteral("Histograma del plazo")));
    senalado_.clear();
}

void HistogramaPlazo::Mostrar(std::shared_ptr<const ResultadoPlazo> resultado,
                              const Regional& reg) {
    const ResultadoPlazo& r = *resultado;
    QChart* c = NuevoGrafico(QStringLiteral("Histograma del plazo"));
    if (r.tiempos.empty()) {
        Poner(this, c);
        return;
    }
    const auto [xmin, xmax] = Rango(r);
    const auto barras = r.Histograma(kBarras);
    double alto = 0;
    for (const auto& b : barras) alto = std::max(alto, b.fraccion);
    alto = alto > 0 ? alto * 1.1 : 1;

    // Each bar an area between its edges, so the time axis stays a value axis.
    auto* borde = new QLineSeries;
    auto* base = new QLineSeries;
    for (const auto& b : barras) {
        borde->append(b.desde, 0);
        borde->append(b.desde, b.fraccion);
        borde->append(b.hasta, b.fraccion);
        borde->append(b.hasta, 0);
        base->append(b.desde, 0);
        base->append(b.hasta, 0);
    }
    auto* area = new QAreaSeries(borde, base);
    area->setName(QStringLiteral("Unidades"));
    area->setBrush(QColor(110, 160, 210));
    area->setPen(QPen(QColor(40, 80, 130)));
    c->addSeries(area);
    connect(area, &QAreaSeries::hovered, this, [this, reg, barras](const QPointF& p, bool dentro) {
        if (!dentro) return;
        for (const auto& b : barras)
            if (p.x() >= b.desde && p.x() <= b.hasta) {
                const QString t = TextoTiempo(b.desde, reg) + QStringLiteral(" a ") +
                                  TextoTiempo(b.hasta, reg) + QStringLiteral(": ") +
                                  TextoPorcentaje(b.fraccion, reg);
                QToolTip::showText(QCursor::pos(), t, this);
                senalado_ = t;
                emit senalado(t);
                return;
            }
    });
    c->addSeries(
        Vertical(QStringLiteral("Deseado"), r.deseado, alto, QColor(200, 0, 0), Qt::SolidLine));
    c->addSeries(Vertical(QStringLiteral("Media"), r.media, alto, QColor(0, 120, 0), Qt::DotLine));
    Ejes(c, QStringLiteral("Plazo (tiempo de la línea)"), QStringLiteral("Fracción"), xmin, xmax,
         alto);
    Poner(this, c);
}

}  // namespace vortena
