// The main window's "Plazo de la línea…" command, kept beside the window it
// opens.

#include "editor/gui/Principal.h"
#include "simulate/gui/VentanaPlazo.h"

namespace vortena {

void Principal::OrdenPlazoLinea() {
    auto* v = findChild<VentanaPlazo*>(QStringLiteral("VentanaPlazo"), Qt::FindDirectChildrenOnly);
    if (v == nullptr) v = new VentanaPlazo(*this);
    v->show();
    v->raise();
    v->activateWindow();
}

}  // namespace vortena
