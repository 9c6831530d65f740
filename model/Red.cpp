#include "model/Red.h"

#include <algorithm>
#include <cmath>

namespace vortena {

void Red::Vaciar() {
    Centros.Limpiar();
    Conexiones.Limpiar();
    ResultadosAlDia = false;
}

void Red::LimpiarSeleccion() {
    CentroActual = 0;
    ConexionActual = 0;
    HaySeleccion = false;
}

bool EsCritico(const CentroProductivo& c) {
    // A node the PERT never reached has no float to speak of.
    if (!c.ParticipaPERT()) return false;
    return std::fabs(c.indFlotamiento) <= 1e-9 * std::max(1.0, std::fabs(c.tmpoTardio));
}

}  // namespace vortena
