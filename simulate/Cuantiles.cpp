#include "simulate/Cuantiles.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace vortena::sim {

Cuantiles::Cuantiles(double escala)
    : escala_(escala), inversaEscala_(1.0 / escala), cuentas_(kBins, 0) {}

void Cuantiles::Limpiar() {
    std::fill(cuentas_.begin(), cuentas_.end(), std::uint64_t{0});
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
    double q = 0;
    CuantilesVarios(std::span<const double>(&p, 1), std::span<double>(&q, 1));
    return q;
}

void Cuantiles::CuantilesVarios(std::span<const double> p, std::span<double> salida) const {
    std::size_t i = 0;
    if (n_ == 0) {
        for (; i < p.size(); ++i) salida[i] = 0;
        return;
    }
    double acumulada = 0;
    for (std::size_t b = 0; b < cuentas_.size() && i < p.size(); ++b) {
        if (cuentas_[b] == 0) continue;
        const double c = static_cast<double>(cuentas_[b]);
        const double siguiente = acumulada + c;
        for (; i < p.size(); ++i) {
            const double objetivo = p[i] * static_cast<double>(n_);
            if (siguiente < objetivo) break;
            const double bajo = LimiteInferior(b);
            const double alto = b + 1 < cuentas_.size() ? LimiteInferior(b + 1) : bajo;
            salida[i] = bajo + (alto - bajo) * (objetivo - acumulada) / c;
        }
        acumulada = siguiente;
    }
    for (; i < p.size(); ++i) salida[i] = LimiteInferior(cuentas_.size() - 1);
}

void Cuantiles::Sumar(const Cuantiles& otro) {
    for (std::size_t b = 0; b < cuentas_.size(); ++b) cuentas_[b] += otro.cuentas_[b];
    n_ += otro.n_;
}

std::vector<std::pair<double, double>> Cuantiles::Distribucion(int puntos) const {
    std::vector<std::pair<double, double>> r;
    if (n_ == 0 || puntos < 1) return r;
    const double total = static_cast<double>(n_);
    const double paso = 1.0 / puntos;
    double acumulada = 0, siguiente = paso;
    for (std::size_t b = 0; b < cuentas_.size(); ++b) {
        if (cuentas_[b] == 0) continue;
        acumulada += static_cast<double>(cuentas_[b]);
        const double f = acumulada / total;
        if (f + 1e-12 < siguiente && acumulada < total) continue;
        const double alto = b + 1 < cuentas_.size() ? LimiteInferior(b + 1) : LimiteInferior(b);
        r.emplace_back(alto, acumulada < total ? f : 1.0);
        while (siguiente <= f + 1e-12) siguiente += paso;
    }
    return r;
}

}  // namespace vortena::sim
