#include "simulate/Muestra.h"

#include <cmath>
#include <limits>
#include <utility>

namespace vortena::sim {

void Reservorio::Tomar(double x) {
    if (datos_.size() < k_) {
        datos_.push_back(x);
        if (datos_.size() < k_) {
            proximo_ = vistos_ + 1;
            return;
        }
    } else {
        datos_[flujo_.Entero(k_)] = x;
    }
    w_ *= std::exp(std::log(flujo_.UniformeAbierta()) / static_cast<double>(k_));
    Saltar();
}

void Reservorio::Saltar() {
    const double salto = std::floor(std::log(flujo_.UniformeAbierta()) / std::log1p(-w_));
    constexpr double kLejos = 4e18;
    proximo_ = vistos_ + 1 + static_cast<std::int64_t>(salto < kLejos ? salto : kLejos);
}

std::vector<double> Reservorio::Extraer() {
    for (std::size_t i = datos_.size(); i > 1; --i)
        std::swap(datos_[i - 1], datos_[flujo_.Entero(i)]);
    return std::move(datos_);
}

std::vector<double> UnirMuestras(const std::vector<double>& a, std::uint64_t na,
                                 const std::vector<double>& b, std::uint64_t nb, std::size_t k,
                                 Flujo& flujo) {
    std::vector<double> r;
    const std::uint64_t total = na + nb;
    const std::size_t m = total < k ? static_cast<std::size_t>(total) : k;
    r.reserve(m);
    // Draw without replacement from the union: each draw comes from a side
    // with the probability of its remaining population.
    std::uint64_t ra = na, rb = nb;
    std::size_t ia = 0, ib = 0;
    while (r.size() < m) {
        const bool deA = flujo.Entero(ra + rb) < ra;
        if (deA && ia < a.size()) {
            r.push_back(a[ia++]);
            --ra;
        } else if (!deA && ib < b.size()) {
            r.push_back(b[ib++]);
            --rb;
        } else {
            break;  // a side's sample was smaller than it claimed
        }
    }
    return r;
}

}  // namespace vortena::sim
