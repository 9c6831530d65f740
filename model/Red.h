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

    // The measures, floats and critical marks held in the records describe
    // the network as it stands. A computation of the whole line sets it
    // (Calculada); the undo history clears it after every change the
    // figures depend on that came without one, and after every undo and
    // redo. What shows results shows "sin calcular" while it is false.
    bool ResultadosAlDia = false;
    // Whole-line computations so far: tells the history that a step brought
    // the figures up to date.
    std::uint32_t Calculos = 0;
    void Calculada() {
        ResultadosAlDia = true;
        ++Calculos;
    }

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
