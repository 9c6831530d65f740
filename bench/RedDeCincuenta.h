#pragma once
// The 50-centre benchmark network: the layered network of 10 layers of 5,
// each centre joined to 2 of the next, with varied rates and counts.

#include "RedEnCapas.h"

namespace vortena {

inline Red RedDeCincuentaCentros() {
    Red red = RedEnCapas(10, 5, 2);
    int i = 0;
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        c.Lamda = 1.0 + 0.25 * (i % 9);
        c.Mu = c.Lamda * (0.45 + 0.2 * (i % 7));
        c.Servidores = static_cast<std::int16_t>(c.Lamda / c.Mu) + 1 + i % 3;
        c.ActDesvLamda();
        c.ActDesvMu();
        ++i;
    }
    return red;
}

}  // namespace vortena
