#pragma once
// A uniform random sample of fixed size from a stream of values (reservoir
// sampling, Li's algorithm L: a few random draws per kept value, none per
// skipped one), and the union of two such samples.

#include <cstdint>
#include <vector>

#include "simulate/Flujo.h"

namespace vortena::sim {

class Reservorio {
public:
    // k = 0 keeps nothing and costs nothing.
    Reservorio(std::size_t k, Flujo flujo) : k_(k), flujo_(flujo) {
        datos_.reserve(k);
        if (k == 0) proximo_ = -1;
    }
    void Agregar(double x) {
        if (vistos_ == proximo_) Tomar(x);
        ++vistos_;
    }
    std::int64_t Vistos() const { return vistos_; }
    // The sample in random order (so that any prefix is a uniform sample too).
    std::vector<double> Extraer();

private:
    void Tomar(double x);
    void Saltar();
    std::size_t k_;
    Flujo flujo_;
    std::vector<double> datos_;
    std::int64_t vistos_ = 0, proximo_ = 0;
    double w_ = 1;
};

// A uniform sample, in random order, of at most k of the na + nb values that
// `a` (a uniform sample in random order of na values) and `b` (likewise, of
// nb) stand for.
std::vector<double> UnirMuestras(const std::vector<double>& a, std::uint64_t na,
                                 const std::vector<double>& b, std::uint64_t nb, std::size_t k,
                                 Flujo& flujo);

}  // namespace vortena::sim
