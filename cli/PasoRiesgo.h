#pragma once
// The step "riesgo": the line's lead time as a distribution, from units
// simulated flowing through the whole line with the options of "simular".

#include <string>

#include "cli/PasoSimular.h"
#include "cli/Pasos.h"

namespace vortena::calc {

// Its own options, then those of "simular".
inline constexpr std::array kOpcionesRiesgo = UnirOpciones(
    std::array{
        Opcion{"--muestras",
               Clase::Retirada,
               "",
               {},
               "--muestras ya no existe: el plazo sale de simular la línea entera (use "
               "--clientes y --replicas)"},
        Opcion{"--deseado", Clase::Numero, "T", Admisible::Positivo(),
               "desired time, default the PERT's time"},
        Opcion{"--cdf", Clase::Texto, "FILE", {}, "gets tiempo<TAB>probabilidad lines"},
    },
    kOpcionesSimular);

// Simulates the whole line and prints pert and deseado, then media,
// desviacion, P50, P80, P90, P95, Ppert, Pdeseado, produccion and wip each
// with its 95 % half-width, replicas; the table "posicion Nombre paso aporte
// crucialidad" with every productive centre; an empty line and the table
// "ruta paso media P50 P90 P95 centros". With --cdf FILE also writes the
// distribution there (safely: a failed write leaves the old file). Progress
// goes to standard error only when it is a terminal. False when FILE cannot
// be written.
bool Riesgo(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
