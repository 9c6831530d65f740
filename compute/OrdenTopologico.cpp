#include "compute/OrdenTopologico.h"

namespace vortena {

std::vector<std::int16_t> OrdenTopologico(const Red& red) {
    const int n = red.Centros.Count();
    std::vector<int> pendientes(static_cast<std::size_t>(n) + 1, 0);
    std::vector<std::int16_t> orden;
    orden.reserve(static_cast<std::size_t>(n));
    for (const CentroProductivo& c : red.Centros) {
        pendientes[static_cast<std::size_t>(c.posicion)] = c.tamEE + 1;
        if (c.tamEE < 0) orden.push_back(c.posicion);
    }
    // `orden` doubles as the queue: everything before `i` is placed.
    for (std::size_t i = 0; i < orden.size(); ++i) {
        const CentroProductivo& c = red.Centros(orden[i]);
        for (int k = 0; k <= c.tamSE; ++k) {
            const std::int16_t fin = red.Conexiones(c.SalidaLista(k)).CentroFin;
            if (--pendientes[static_cast<std::size_t>(fin)] == 0) orden.push_back(fin);
        }
    }
    return orden;
}

}  // namespace vortena
