#include "simulate/Intervalo.h"

#include "simulate/AnalisisSalida.h"

namespace vortena::sim {

Estimacion Estimar(std::span<const double> valores) {
    return Intervalo(Resumir(valores));
}

}  // namespace vortena::sim
