#pragma once
// One directed connection between two nodes.

#include <cstdint>

namespace vortena {

class linea {
public:
    std::int16_t posicion = 0;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    std::int16_t CentroInicio = 0;
    std::int16_t CentroFin = 0;
    double multiplicador = 1.0;
    double multReal = 0;
    double TiempoTotal = 0;
};

}  // namespace vortena
