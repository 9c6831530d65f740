#include "simulate/Cuantiles.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace vortena::sim {

Cuantiles::Cuantiles(double escala)
    : escala_(escala), inversaEscala_(1.0 / escala), cuentas_(kBins, 0) {}

void Cuantiles::Limpiar() {
    std::fill(cuentas_.begin(), cuentas_.end(), 0u);
    n_ = 0;
}

// The exponent and the top 8 bits of the mantissa of an IEEE double are a
// log-linear bin number already; no logarithm per customer.
std::size_t Cuantiles::Indice(double x) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    const std::int64_t exponente = static_cast<std::int64_t>((bits >> 52) & 0x7ff) - 1023;
    if (x <= 0.0 || exponente < kExpMin) return 0;
    if (exponente >= kExpMax) return kBins - 1;
    const auto mantisa = static_cast<std::int64_t>((bits >> 44) & 0xff);
    return static_cast<std::size_t>((exponente - kExpMin) * kSubdivisiones + mantisa);
}

double Cuantiles::LimiteInferior(std::size_t bin) const {
    const int octava = static_cast<int>(bin / kSubdivisiones) + kExpMin;
    const double fraccion = static_cast<double>(bin % kSubdivisiones) / kSubdivisiones;
    return std::ldexp(1.0 + fraccion, octava) * escala_;
}

double Cuantiles::Cuantil(double p) const {
    if (n_ == 0) return 0;
    const double objetivo = p * static_cast<double>(n_);
    double acumulada = 0;
    for (std::size_t b = 0; b < cuentas_.size(); ++b) {
        if (cuentas_[b] == 0) continue;
        const double siguiente = acumulada + cuentas_[b];
        if (siguiente >= objetivo) {
            const double bajo = LimiteInferior(b);
            const double alto = b + 1 < cuentas_.size() ? LimiteInferior(b + 1) : bajo;
            return bajo + (alto - bajo) * (objetivo - acumulada) / cuentas_[b];
        }
        acumulada = siguiente;
    }
    return LimiteInferior(cuentas_.size() - 1);
}

}  // namespace vortena::sim
