#include "dialogs/GraficoEstados.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace vortena {

namespace {

const QColor kBarra(0x2E, 0x6D, 0xB4);

}  // namespace

GraficoEstados::GraficoEstados(const Regional& reg, QWidget* padre) : VistaGrafico(reg, padre) {
    setObjectName(QStringLiteral("GraficoEstados"));
    QChart* g = chart();

    barras_ = new QBarSet(QStringLiteral("P(n)"));
    barras_->setColor(kBarra);
    barras_->setBorderColor(kBarra);
    auto* serie = new QBarSeries;
    serie->append(barras_);
    serie->setBarWidth(0.8);
    g->addSeries(serie);

    ejeX_ = new QValueAxis;
    ejeX_->setTitleText(QStringLiteral("n (estado)"));
    // Localised labels need the precision spelled out ("%d" would show none).
    ejeX_->setLabelFormat(QStringLiteral("%.0f"));
    ejeX_->setTickType(QValueAxis::TicksDynamic);
    ejeX_->setTickAnchor(0);
    ejeX_->setMinorTickCount(0);
    ejeY_ = new QValueAxis;
    ejeY_->setTitleText(QStringLiteral("P(n)"));
    g->addAxis(ejeX_, Qt::AlignBottom);
    g->addAxis(ejeY_, Qt::AlignLeft);
    serie->attachAxis(ejeX_);
    serie->attachAxis(ejeY_);

    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    PonerProbabilidades({});
}

void GraficoEstados::PonerProbabilidades(std::vector<double> p) {
    p_ = std::move(p);
    QList<qreal> valores;
    valores.reserve(static_cast<qsizetype>(p_.size()));
    double maximo = 0;
    for (double v : p_) {
        const double f = std::isfinite(v) ? v : 0.0;
        valores << f;
        maximo = std::max(maximo, f);
    }
    barras_->remove(0, barras_->count());
    barras_->append(valores);

    const int n = static_cast<int>(p_.size());
    ejeX_->setRange(-0.5, std::max(1, n) - 0.5);
    ejeX_->setTickInterval(PasoMarcas(n, 8));
    EjeRedondo(ejeY_, 0, maximo > 0 ? maximo : 1.0, 5);
}

QString GraficoEstados::TextoEstado(int n) const {
    if (n < 0 || n >= static_cast<int>(p_.size())) return {};
    return QStringLiteral("n = %1\nP(n) = %2")
        .arg(QString::fromStdString(TextoGeneral(n, regional())),
             Numero(p_[static_cast<std::size_t>(n)], "0.00000"));
}

// The bar's column under the mouse, its whole height, tells P(n).
QString GraficoEstados::TextoEn(QPointF pos) const {
    QAbstractSeries* serie = chart()->series().value(0);
    if (serie == nullptr) return {};
    const QPointF escena = mapToScene(pos.toPoint());
    if (!chart()->plotArea().contains(chart()->mapFromScene(escena))) return {};
    const QPointF valor = chart()->mapToValue(chart()->mapFromScene(escena), serie);
    const int n = static_cast<int>(std::lround(valor.x()));
    if (std::fabs(valor.x() - n) > 0.4) return {};
    return TextoEstado(n);
}

QSize GraficoEstados::sizeHint() const {
    return {360, 260};
}
QSize GraficoEstados::minimumSizeHint() const {
    return {240, 180};
}

}  // namespace vortena
