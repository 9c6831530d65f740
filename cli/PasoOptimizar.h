#pragma once
// The step "optimizar": the genetic search of server counts as the dialog
// runs it, with the dialog's settings given as options after the step.

#include <array>
#include <string>

#include "cli/Opciones.h"
#include "cli/Pasos.h"
#include "optimise/AjustesOptimizacion.h"

namespace vortena::calc {

inline constexpr std::array kOpcionesOptimizar = {
    Opcion{
        "--habitantes", Clase::Numero, "H",
        Admisible::Entero(AjustesOptimizacion::kHabitantesMin, AjustesOptimizacion::kHabitantesMax),
        "default 5"},
    Opcion{"--delta", Clase::Numero, "D",
           Admisible::Entero(AjustesOptimizacion::kDeltaMin, AjustesOptimizacion::kDeltaMax),
           "default 2"},
    Opcion{
        "--diversidad", Clase::Numero, "W",
        Admisible::Entero(AjustesOptimizacion::kDiversidadMin, AjustesOptimizacion::kDiversidadMax),
        "default 74"},
    Opcion{"--iteraciones", Clase::Numero, "N",
           Admisible{0, AjustesOptimizacion::kIteracionesMax, true, false, false, 1},
           "default 100, at most 1000000"},
    Opcion{"--deseado", Clase::Numero, "T", Admisible::Positivo(),
           "desired time, default the line's current time"},
};

// Prints " Costo: … Tiempo: …" and one line per gene centre: posicion, Nombre
// and the best candidate's server count, tab-separated. The network keeps
// the best candidate's counts. A network the search cannot open, or a desired
// time at or below the minimum, is told through the messages and prints
// nothing.
bool Optimizar(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
