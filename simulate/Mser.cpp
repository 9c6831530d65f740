#include "simulate/Mser.h"

namespace vortena::sim {

std::size_t CorteMSER(std::span<const double> medias) {
    const std::size_t m = medias.size();
    if (m < 4) return 0;
    // Suffix sums give each candidate's variance in O(1); centring on the
    // overall mean keeps the subtraction well conditioned.
    double centro = 0;
    for (double z : medias) centro += z;
    centro /= static_cast<double>(m);
    std::vector<double> s1(m + 1, 0.0), s2(m + 1, 0.0);
    for (std::size_t j = m; j-- > 0;) {
        const double z = medias[j] - centro;
        s1[j] = s1[j + 1] + z;
        s2[j] = s2[j + 1] + z * z;
    }
    std::size_t mejor = 0;
    double mejorValor = 0;
    for (std::size_t d = 0; d <= m / 2; ++d) {
        const double n = static_cast<double>(m - d);
        const double desvios = s2[d] - s1[d] * s1[d] / n;
        const double valor = (desvios > 0 ? desvios : 0.0) / (n * n);
        if (d == 0 || valor < mejorValor) {
            mejor = d;
            mejorValor = valor;
        }
    }
    return mejor;
}

void LotesMSER::Cerrar() {
    medias_.push_back(suma_ / static_cast<double>(tam_));
    suma_ = 0;
    enLote_ = 0;
    if (medias_.size() < max_) return;
    for (std::size_t j = 0; j < medias_.size() / 2; ++j)
        medias_[j] = 0.5 * (medias_[2 * j] + medias_[2 * j + 1]);
    medias_.resize(medias_.size() / 2);
    tam_ *= 2;
}

std::int64_t LotesMSER::Corte() const {
    return static_cast<std::int64_t>(CorteMSER(medias_)) * tam_;
}

}  // namespace vortena::sim
