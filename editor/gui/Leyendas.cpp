#include "editor/gui/Leyendas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace vortena {

namespace {

constexpr int kMargen = 6;
constexpr int kMuestra = 12;    // side of a colour swatch
constexpr int kSeparacion = 8;  // between two layers' legends

// Only a layer that shows on the canvas explains itself: one with marks, or
// with a fill that no later layer covers.
bool TieneLeyenda(const CapasSombreado& capas, const Sombreado& s) {
    if (s.leyenda.empty()) return false;
    if (!s.marca.empty()) return true;
    for (const auto& [posicion, color] : s.relleno)
        if (capas.Relleno(posicion) == &color) return true;
    return false;
}

}  // namespace

Leyendas::Leyendas(const CapasSombreado& capas, QWidget* parent) : QWidget(parent), capas_(capas) {
    setObjectName(QStringLiteral("Leyendas"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void Leyendas::Actualizar() {
    const QSize s = sizeHint();
    if (s.isEmpty()) {
        hide();
        return;
    }
    resize(s);
    move(kMargen, kMargen);
    raise();
    show();
    update();
}

QSize Leyendas::sizeHint() const {
    const QFontMetrics fm(font());
    const int fila = std::max(fm.height(), kMuestra) + 2;
    int ancho = 0, alto = 0;
    for (const auto& [clave, capa] : capas_.Todas()) {
        if (!TieneLeyenda(capas_, capa)) continue;
        if (alto > 0) alto += kSeparacion;
        QFont negrita = font();
        negrita.setBold(true);
        ancho = std::max(ancho, QFontMetrics(negrita).horizontalAdvance(
                                    QString::fromStdString(capa.tituloLeyenda)));
        alto += fila;
        for (const auto& [color, texto] : capa.leyenda) {
            ancho =
                std::max(ancho, kMuestra + 6 + fm.horizontalAdvance(QString::fromStdString(texto)));
            alto += fila;
        }
    }
    if (alto == 0) return {};
    return QSize(ancho + 2 * kMargen, alto + 2 * kMargen);
}

void Leyendas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QColor(128, 128, 128));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics fm(font());
    const int fila = std::max(fm.height(), kMuestra) + 2;
    int y = kMargen;
    for (const auto& [clave, capa] : capas_.Todas()) {
        if (!TieneLeyenda(capas_, capa)) continue;
        QFont negrita = font();
        negrita.setBold(true);
        p.setFont(negrita);
        p.setPen(Qt::black);
        p.drawText(QRect(kMargen, y, width() - 2 * kMargen, fila), Qt::AlignVCenter,
                   QString::fromStdString(capa.tituloLeyenda));
        p.setFont(font());
        y += fila;
        for (const auto& [color, texto] : capa.leyenda) {
            const QRect muestra(kMargen, y + (fila - kMuestra) / 2, kMuestra, kMuestra);
            p.setPen(Qt::black);
            p.setBrush(QColor(color.r, color.g, color.b));
            p.drawRect(muestra);
            p.drawText(QRect(muestra.right() + 6, y, width(), fila), Qt::AlignVCenter,
                       QString::fromStdString(texto));
            y += fila;
        }
        y += kSeparacion;
    }
}

}  // namespace vortena
