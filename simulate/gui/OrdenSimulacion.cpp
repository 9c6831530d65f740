// The main window's "Simular centros…" command, kept beside the window it
// opens.

#include "editor/gui/Principal.h"
#include "simulate/gui/VentanaSimulacion.h"

namespace vortena {

void Principal::OrdenSimularCentros() {
    auto* v = findChild<VentanaSimulacion*>(QStringLiteral("VentanaSimulacion"),
                                            Qt::FindDirectChildrenOnly);
    if (v == nullptr) v = new VentanaSimulacion(*this);
    v->show();
    v->raise();
    v->activateWindow();
}

}  // namespace vortena
