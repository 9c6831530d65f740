#include "editor/gui/BarraDeEstado.h"

#include <QFontMetrics>

namespace vortena {

BarraDeEstado::BarraDeEstado(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("BarradeEstado"));
    setSizeGripEnabled(true);
    // Room for the usual texts without forcing a wide window: a longer
    // count still shows in full when there is space.
    const QFontMetrics fm(font());
    const int anchos[3] = {fm.horizontalAdvance(QStringLiteral("Modificado")) + 16,
                           fm.horizontalAdvance(QStringLiteral("99 Centros - 99 Conexiones")) + 16,
                           0};
    for (int i = 0; i < 3; ++i) {
        auto* p = new QLabel(this);
        p->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        p->setFrameShape(QFrame::StyledPanel);
        p->setFrameShadow(QFrame::Sunken);
        p->setContentsMargins(6, 0, 6, 0);
        if (anchos[i] > 0)
            p->setMinimumWidth(anchos[i]);
        else
            p->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        addWidget(p, i == 2 ? 1 : 0);
        paneles_[static_cast<std::size_t>(i)] = p;
    }
    zoom_ = new QLabel(this);
    zoom_->setObjectName(QStringLiteral("PanelZoom"));
    zoom_->setFrameShape(QFrame::StyledPanel);
    zoom_->setFrameShadow(QFrame::Sunken);
    zoom_->setContentsMargins(6, 0, 6, 0);
    // Shown in full when there is room, but it never makes the window's
    // minimum width larger.
    zoom_->setMinimumWidth(1);
    addPermanentWidget(zoom_);
}

void BarraDeEstado::PonerZoom(int porcentaje) {
    zoom_->setText(QStringLiteral("Zoom: %1 %").arg(porcentaje));
}

QString BarraDeEstado::Zoom() const {
    return zoom_->text();
}

void BarraDeEstado::PonerModificado(bool modificado) {
    paneles_[0]->setText(modificado ? QStringLiteral("Modificado") : QString());
}

void BarraDeEstado::PonerCuentas(const QString& texto) {
    paneles_[1]->setText(texto);
}

void BarraDeEstado::PonerHerramienta(const QString& texto) {
    paneles_[2]->setText(texto);
}

QString BarraDeEstado::Panel(int n) const {
    return paneles_[static_cast<std::size_t>(n - 1)]->text();
}

}  // namespace vortena
