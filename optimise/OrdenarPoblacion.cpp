#include <utility>

#include "optimise/Optimizacion.h"

namespace vortena {

namespace {

double Clave(const GenCadena& g, std::int16_t criterio) {
    switch (criterio) {
        case 1: return g.Optimidad;
        case 2: return g.Variancia;
        default: return g.Optimidad + g.Variancia;
    }
}

}  // namespace

// Bubble sort, largest key first. Only a strictly larger key moves up, so
// equal keys keep their order. Members exchange contents, not places: each
// position keeps its object.
void Optimizacion::Ordenar(std::int16_t criterio) {
    if (criterio < 1 || criterio > 3) return;
    const int M = Activos();
    bool cambio = true;
    while (cambio) {
        cambio = false;
        for (int i = 1; i < M; ++i) {
            GenCadena& a = Poblacion(i);
            GenCadena& b = Poblacion(i + 1);
            if (Clave(b, criterio) > Clave(a, criterio)) {
                std::swap(a, b);
                cambio = true;
            }
        }
    }
}

// The copy takes the genes whole, so a destination of another length (the
// best candidate kept from a network with more or fewer gene centres) ends
// up with exactly nEl genes instead of stale or missing ones.
void Optimizacion::CopiarCadena(GenCadena& destino, const GenCadena& origen) {
    destino.NOptimidad = origen.NOptimidad;
    destino.NVariancia = origen.NVariancia;
    destino.Optimidad = origen.Optimidad;
    destino.rOptimo = origen.rOptimo;
    destino.rTiempo = origen.rTiempo;
    destino.Variancia = origen.Variancia;
    destino.EL = origen.EL;
    destino.FServidoresMinimos = origen.FServidoresMinimos;
    destino.nEl = origen.nEl;
}

}  // namespace vortena
