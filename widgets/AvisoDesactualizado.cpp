#include "widgets/AvisoDesactualizado.h"

namespace vortena {

AvisoDesactualizado::AvisoDesactualizado(const QString& texto, QWidget* parent)
    : QLabel(texto, parent) {
    setObjectName(QStringLiteral("avisoDesactualizado"));
    setWordWrap(true);
    setStyleSheet(
        QStringLiteral("QLabel { background: #fff0c0; color: #8a0000; font-weight: bold;"
                       " border: 1px solid #d8a000; padding: 4px; }"));
    setVisible(false);
}

void AvisoDesactualizado::Poner(bool desactualizado) {
    activo_ = desactualizado;
    setVisible(desactualizado);
}

}  // namespace vortena
