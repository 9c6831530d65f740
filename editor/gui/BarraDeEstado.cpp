#include "editor/gui/BarraDeEstado.h"

#include <QFontMetrics>

namespace vortena {

BarraDeEstado::BarraDeEstado(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("BarradeEstado"));
    setSizeGripEnabled(true);
    const QFontMetrics fm(font());
    const int anchos[3] = {fm.horizontalAdvance(QStringLiteral("Modificado")) + 24,
                           fm.horizontalAdvance(QStringLiteral("9999 Centros - 9999 Conexiones")) + 24,
                           0};
    for (int i = 0; i < 3; ++i) {
        auto* p = new QLabel(this);
        p->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        p->setFrameShape(QFrame::StyledPanel);
        p->setFrameShadow(QFrame::Sunken);
        p->setContentsMargins(6, 0, 6, 0);
        if (anchos[i] > 0) p->setMinimumWidth(anchos[i]);
        addWidget(p, i == 2 ? 1 : 0);
        paneles_[static_cast<std::size_t>(i)] = p;
    }
}

void BarraDeEstado::PonerModificado(bool modificado) {
    paneles_[0]->setText(modificado ? QStringLiteral("Modificado") : QString());
}

void BarraDeEstado::PonerCuentas(const QString& texto) { paneles_[1]->setText(texto); }

void BarraDeEstado::PonerHerramienta(const QString& texto) { paneles_[2]->setText(texto); }

QString BarraDeEstado::Panel(int n) const {
    return paneles_[static_cast<std::size_t>(n - 1)]->text();
}

}  // namespace vortena
