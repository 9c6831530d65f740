#pragma once
// Quantiles of a positive quantity from a fixed-size log-linear histogram:
// 256 bins per power of two over 2^-40..2^40 of a scale, so the memory does
// not grow with the number of customers and a bin is at most 0.4 % wide.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace vortena::sim {

class Cuantiles {
public:
    // `escala` is a typical value (the mean service time): the range is
    // centred on it.
    explicit Cuantiles(double escala);
    void Limpiar();
    void Agregar(double x) {
        ++cuentas_[Indice(x * inversaEscala_)];
        ++n_;
    }
    std::uint64_t Cuenta() const { return n_; }
    // The p-quantile, interpolated linearly inside its bin; 0 when empty.
    double Cuantil(double p) const;
    // The quantiles at increasing probabilities `p`, in one pass.
    void CuantilesVarios(std::span<const double> p, std::span<double> salida) const;
    // Adds the counts of a histogram of the same scale.
    void Sumar(const Cuantiles& otro);
    // The distribution function at the upper edges of the occupied bins,
    // thinned to at most `puntos` points evenly spaced in probability; the
    // last point has probability 1.
    std::vector<std::pair<double, double>> Distribucion(int puntos) const;

private:
    static constexpr int kSubdivisiones = 256;
    static constexpr int kExpMin = -40, kExpMax = 40;
    static constexpr int kBins = (kExpMax - kExpMin) * kSubdivisiones;
    static std::size_t Indice(double x);
    double LimiteInferior(std::size_t bin) const;

    double escala_, inversaEscala_;
    std::vector<std::uint64_t> cuentas_;
    std::uint64_t n_ = 0;
};

}  // namespace vortena::sim
