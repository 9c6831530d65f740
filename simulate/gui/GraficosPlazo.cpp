#include "simulate/gui/GraficosPlazo.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QLocale>
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

double ProbabilidadHasta(const ResultadoLinea& r, double t) {
    const auto& d = r.distribucion;
    const auto it = std::upper_bound(d.begin(), d.end(), t,
                                     [](double x, const auto& p) { return x < p.first; });
    return it == d.begin() ? 0.0 : std::prev(it)->second;
}

namespace {

const QString kTitulo = QStringLiteral("Distribución acumulada del plazo (curva S)");

QChart* NuevoGrafico(const Regional& reg) {
    auto* c = new QChart;
    c->setTitle(kTitulo);
    c->legend()->setVisible(true);
    // On the right, one entry per row: each name is shown whole.
    c->legend()->setAlignment(Qt::AlignRight);
    c->setMargins(QMargins(4, 4, 4, 4));
    // Axis numbers with the user's decimal separator.
    c->setLocalizeNumbers(true);
    c->setLocale(TextoGeneral(0.5, reg).find(',') != std::string::npos
                     ? QLocale(QLocale::Spanish, QLocale::Spain)
                     : QLocale::c());
    return c;
}

void Ejes(QChart* c, double xmin, double xmax) {
    auto* ex = new QValueAxis;
    ex->setTitleText(QStringLiteral("Plazo (tiempo de la línea)"));
    ex->setRange(xmin, xmax);
    ex->setLabelFormat(QStringLiteral("%.3g"));
    ex->applyNiceNumbers();
    auto* ey = new QValueAxis;
    ey->setTitleText(QStringLiteral("Probabilidad acumulada"));
    ey->setRange(0, 1);
    ey->setLabelFormat(QStringLiteral("%.1f"));
    ey->setTickCount(6);
    c->addAxis(ex, Qt::AlignBottom);
    c->addAxis(ey, Qt::AlignLeft);
    for (QAbstractSeries* s : c->series()) {
        s->attachAxis(ex);
        s->attachAxis(ey);
    }
}

// The range shown: the distribution, widened to the desired time and the PERT's.
std::pair<double, double> Rango(const ResultadoLinea& r) {
    double a = std::min(
        {r.curva.front().tiempo.valor - r.curva.front().tiempo.semiancho, r.deseado, r.pert});
    double b = std::max({r.distribucion.back().first, r.deseado, r.pert});
    if (!(b > a)) {
        a -= 1;
        b += 1;
    }
    const double margen = (b - a) * 0.03;
    return {std::max(0.0, a - margen), b + margen};
}

QLineSeries* Vertical(const QString& nombre, double x, const QColor& color, int ancho,
                      Qt::PenStyle estilo) {
    auto* s = new QLineSeries;
    s->setName(nombre);
    s->append(x, 0);
    s->append(x, 1);
    QPen pen(color);
    pen.setWidth(ancho);
    pen.setStyle(estilo);
    s->setPen(pen);
    return s;
}

// The view lets go of its previous chart without deleting it.
void Poner(QChartView* v, QChart* c) {
    QChart* viejo = v->chart();
    v->setChart(c);
    delete viejo;
}

}  // namespace

CurvaS::CurvaS(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("curvaS"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(420, 300);
    Limpiar();
}

void CurvaS::Limpiar() {
    Poner(this, NuevoGrafico(Regional::Ingles()));
    r_.reset();
    senalado_.clear();
}

void CurvaS::Senalar(const QString& texto) {
    senalado_ = texto;
    emit senalado(texto);
}

void CurvaS::Mostrar(std::shared_ptr<const ResultadoLinea> resultado, const Regional& reg) {
    r_ = std::move(resultado);
    const ResultadoLinea& r = *r_;
    QChart* c = NuevoGrafico(reg);
    if (r.distribucion.empty() || r.curva.empty()) {
        Poner(this, c);
        return;
    }
    const auto [xmin, xmax] = Rango(r);
    // A step curve over the pooled units: the probability holds until the
    // next time.
    auto* curva = new QLineSeries;
    curva->setName(QStringLiteral("P(plazo ≤ t)"));
    curva->append(xmin, 0);
    double antes = 0;
    for (const auto& [t, p] : r.distribucion) {
        curva->append(t, antes);
        curva->append(t, p);
        antes = p;
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
                          TextoPorcentaje(ProbabilidadHasta(*r_, p.x()), reg);
        QToolTip::showText(QCursor::pos(), t, this);
        Senalar(t);
    });

    // The band: each probability's time ± its half-width over the replications.
    auto* bajo = new QLineSeries;
    auto* alto = new QLineSeries;
    for (const PuntoCurva& p : r.curva) {
        bajo->append(p.tiempo.valor - p.tiempo.semiancho, p.probabilidad);
        alto->append(p.tiempo.valor + p.tiempo.semiancho, p.probabilidad);
    }
    auto* banda = new QAreaSeries(alto, bajo);
    banda->setName(QStringLiteral("Intervalo 95 %"));
    banda->setBrush(QColor(0, 90, 170, 60));
    banda->setPen(Qt::NoPen);
    c->addSeries(banda);

    // The marks carry their values in the legend, so no label lies on a line.
    for (const auto& [nombre, x, y, color, forma] :
         {std::tuple{QStringLiteral("P50"), r.linea[sim::kP50].valor, 0.5, QColor(230, 120, 0),
                     QScatterSeries::MarkerShapeCircle},
          std::tuple{QStringLiteral("P90"), r.linea[sim::kP90].valor, 0.9, QColor(130, 0, 160),
                     QScatterSeries::MarkerShapeRectangle}}) {
        auto* marca = new QScatterSeries;
        marca->setName(nombre + QStringLiteral(" = ") + TextoTiempo(x, reg));
        marca->setMarkerSize(11);
        marca->setMarkerShape(forma);
        marca->setColor(color);
        marca->append(x, y);
        c->addSeries(marca);
        connect(marca, &QScatterSeries::hovered, this,
                [this, reg, nombre](const QPointF& p, bool dentro) {
                    if (!dentro) return;
                    const QString t = nombre + QStringLiteral(": ") + TextoTiempo(p.x(), reg);
                    QToolTip::showText(QCursor::pos(), t, this);
                    Senalar(t);
                });
    }
    // The desired line wide and pale under the PERT's dashed one, so both
    // show when they coincide.
    c->addSeries(Vertical(QStringLiteral("Deseado = ") + TextoTiempo(r.deseado, reg), r.deseado,
                          QColor(230, 60, 60, 170), 5, Qt::SolidLine));
    c->addSeries(Vertical(QStringLiteral("PERT = ") + TextoTiempo(r.pert, reg), r.pert,
                          QColor(40, 40, 40), 2, Qt::DashLine));
    Ejes(c, xmin, xmax);
    Poner(this, c);
}

}  // namespace vortena
