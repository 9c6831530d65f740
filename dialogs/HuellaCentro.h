#pragma once
// The fields of a centre that the network file keeps. A dialog compares them
// before and after an action to tell whether the document changed: computed
// measures and PERT times are derived, so recomputing them is no edit.

#include <cstdint>
#include <string>

#include "model/CentroProductivo.h"

namespace vortena {

struct HuellaCentro {
    std::string Nombre;
    std::string Descripcion;
    double Lamda = 0, Mu = 0, Probabilidad = 0, CostoEspera = 0, CostoCentro = 0;
    double Desvlamda = 0, DesvMu = 0, Salida = 0;
    std::int16_t Servidores = 0;

    explicit HuellaCentro(const CentroProductivo& c);
    // A NaN left by a failed computation equals itself here.
    bool operator==(const HuellaCentro& o) const;
};

}  // namespace vortena
