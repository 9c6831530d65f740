#pragma once
// The network store: the one network the program holds, owned by the
// application and passed by reference.

#include <cstdint>

#include "model/CentroProductivo.h"
#include "model/Coleccion.h"
#include "model/linea.h"

namespace vortena {

struct Red {
    Coleccion<CentroProductivo> Centros;
    Coleccion<linea> Conexiones;
    std::int16_t NodoInicio = 1;
    std::int16_t NodoFin = 3;
    bool ErrorCalculo = false;

    // Editor and display state that the dialogs and computations read.
    std::int16_t CentroActual = 0;
    std::int16_t ConexionActual = 0;
    bool HaySeleccion = false;
    bool MostrarCriticos = false;

    // Empties both collections (last to first, as every replacement does).
    void Vaciar();
    // Forgets any selection; called whenever the whole network is replaced.
    void LimpiarSeleccion();
};

// The one criticality predicate used by canvas, dialog and report. A node in
// the PERT is critical when its float is zero up to rounding of summed
// times; a node outside it never is.
bool EsCritico(const CentroProductivo& c);

}  // namespace vortena
