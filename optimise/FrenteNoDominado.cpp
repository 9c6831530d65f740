#include "optimise/FrenteNoDominado.h"

#include <cmath>
#include <iterator>

namespace vortena {

void FrenteIncremental::Agregar(double costo, double tiempo, std::uint64_t id) {
    auto siguiente = puntos_.upper_bound(costo);
    if (siguiente != puntos_.begin()) {
        // The cheapest-or-equal neighbour is the fastest of all points that
        // cost no more: if it is as fast, the new point is beaten or equal.
        auto previo = std::prev(siguiente);
        if (previo->second.tiempo <= tiempo) return;
        if (previo->first == costo) puntos_.erase(previo);
    }
    while (siguiente != puntos_.end() && siguiente->second.tiempo >= tiempo)
        siguiente = puntos_.erase(siguiente);
    puntos_.emplace_hint(siguiente, costo, Valor{tiempo, id});
}

void FrenteIncremental::Agregar(const FrenteIncremental& otro) {
    for (const auto& [costo, v] : otro.puntos_) Agregar(costo, v.tiempo, v.id);
}

std::vector<ElementoFrente> FrenteIncremental::Elementos() const {
    std::vector<ElementoFrente> r;
    r.reserve(puntos_.size());
    for (const auto& [costo, v] : puntos_) r.push_back({costo, v.tiempo, v.id});
    return r;
}

double Referencia(double peor) {
    return peor + 0.01 * std::abs(peor);
}

Hipervolumen CalcularHipervolumen(std::span<const ElementoFrente> frente, double refCosto,
                                  double refTiempo) {
    Hipervolumen h;
    h.aportes.assign(frente.size(), 0);
    for (std::size_t i = 0; i < frente.size(); ++i) {
        const double derecha = i + 1 < frente.size() ? frente[i + 1].costo : refCosto;
        const double arriba = i > 0 ? frente[i - 1].tiempo : refTiempo;
        const double ancho = derecha - frente[i].costo;
        h.total += ancho * (refTiempo - frente[i].tiempo);
        h.aportes[i] = ancho * (arriba - frente[i].tiempo);
    }
    if (h.total > 0)
        for (double& a : h.aportes) a /= h.total;
    else
        h.aportes.assign(frente.size(), 0);
    return h;
}

}  // namespace vortena
