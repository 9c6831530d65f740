#include "dialogs/GraficoEstados.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vortena {

namespace {

const QColor kBarra(0x2E, 0x6D, 0xB4);
const QColor kEje(0x40, 0x40, 0x40);

QString Texto(double v, const char* patron, const Regional& reg) {
    return QString::fromStdString(Formato(v, patron, reg));
}

}  // namespace

GraficoEstados::GraficoEstados(const Regional& reg, QWidget* padre) : QWidget(padre), reg_(reg) {
    setObjectName(QStringLiteral("GraficoEstados"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraficoEstados::PonerProbabilidades(std::vector<double> p) {
    p_ = std::move(p);
    update();
}

QSize GraficoEstados::sizeHint() const {
    return {320, 240};
}
QSize GraficoEstados::minimumSizeHint() const {
    return {220, 160};
}

void GraficoEstados::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    pintor.fillRect(rect(), Qt::white);
    pintor.setRenderHint(QPainter::Antialiasing, false);

    const QFontMetrics fm = fontMetrics();
    double maximo = 0;
    for (double v : p_)
        if (std::isfinite(v)) maximo = std::max(maximo, v);
    const QString textoMaximo = Texto(maximo, "0.000", reg_);

    // Plot area: room on the left for the top value, below for the n labels.
    const int izquierda = fm.horizontalAdvance(textoMaximo) + 10;
    const int arriba = fm.height();
    const int derecha = width() - fm.horizontalAdvance(QStringLiteral("n")) - 12;
    const int abajo = height() - fm.height() - 8;
    const QRect area(QPoint(izquierda, arriba), QPoint(derecha, abajo));
    if (area.width() < 10 || area.height() < 10) return;

    pintor.setPen(kEje);
    pintor.drawLine(area.bottomLeft(), area.bottomRight());
    pintor.drawLine(area.bottomLeft(), area.topLeft());
    pintor.drawText(QRect(0, arriba - fm.height() / 2, izquierda - 5, fm.height()),
                    Qt::AlignRight | Qt::AlignVCenter, textoMaximo);
    pintor.drawText(QRect(0, abajo - fm.height() / 2, izquierda - 5, fm.height()),
                    Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    pintor.drawText(QRect(izquierda, 0, area.width(), arriba), Qt::AlignLeft | Qt::AlignTop,
                    QStringLiteral(" P(n)"));
    pintor.drawText(QRect(derecha + 4, abajo - fm.height() / 2, width() - derecha - 4, fm.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("n"));
    if (p_.empty() || maximo <= 0) return;

    const int n = static_cast<int>(p_.size());
    const double paso = static_cast<double>(area.width() - 1) / n;
    const double hueco = paso >= 4 ? paso * 0.2 : 0;
    for (int i = 0; i < n; ++i) {
        const double v =
            std::isfinite(p_[static_cast<std::size_t>(i)]) ? p_[static_cast<std::size_t>(i)] : 0.0;
        const int alto = static_cast<int>(std::lround(v / maximo * (area.height() - 1)));
        const int x0 = area.left() + 1 + static_cast<int>(std::floor(i * paso + hueco / 2));
        const int x1 = area.left() + 1 + static_cast<int>(std::floor((i + 1) * paso - hueco / 2));
        if (alto > 0)
            pintor.fillRect(QRect(x0, area.bottom() - alto, std::max(1, x1 - x0), alto), kBarra);
    }

    // The first and the last state under the axis.
    pintor.setPen(kEje);
    auto etiqueta = [&](int i, const QString& t) {
        const int centro = area.left() + 1 + static_cast<int>(std::lround((i + 0.5) * paso));
        const int ancho = fm.horizontalAdvance(t);
        pintor.drawText(QRect(centro - ancho / 2, abajo + 4, ancho + 1, fm.height()),
                        Qt::AlignCenter, t);
    };
    etiqueta(0, QStringLiteral("0"));
    if (n > 1) etiqueta(n - 1, QString::fromStdString(TextoGeneral(n - 1, reg_)));
}

}  // namespace vortena
