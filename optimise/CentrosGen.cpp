#include "optimise/CentrosGen.h"

namespace vortena {

std::vector<std::int16_t> CentrosGen(const Red& red) {
    std::vector<std::int16_t> posiciones;
    for (const CentroProductivo& c : red.Centros)
        if (c.EsCentro() && c.ParticipaPERT()) posiciones.push_back(c.posicion);
    return posiciones;
}

}  // namespace vortena
