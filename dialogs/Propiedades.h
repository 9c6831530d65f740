#pragma once
// Opening the property dialogs from the main window, modally, for the node
// at CentroActual or the connection at ConexionActual. Each does nothing
// when that position names no record.

#include "dialogs/ContextoPropiedades.h"

class QWidget;

namespace vortena {

void AbrirNodoCentro(const ContextoPropiedades& ctx, QWidget* padre);
void AbrirNodoFinal(const ContextoPropiedades& ctx, QWidget* padre);
void AbrirArco(const ContextoPropiedades& ctx, QWidget* padre);

}  // namespace vortena
