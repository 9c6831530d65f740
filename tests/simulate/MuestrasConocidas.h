#pragma once
// Samples of times drawn from known distributions, standing in for the
// simulator's samples, and the networks the lead-time tests run on.

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "compute/Pert.h"
#include "model/Red.h"
#include "simulate/GrafoPlazo.h"
#include "support/ConstructorRed.h"

namespace vortena::prueba {

// Uniform in (0, 1) from the engine's bits, so the samples do not depend on
// the standard library's distributions.
inline double Abierto01(std::mt19937_64& gen) {
    return (static_cast<double>(gen() >> 11) + 0.5) * 0x1.0p-53;
}

inline std::vector<double> MuestraExponencial(double media, std::size_t n, std::uint64_t semilla) {
    std::mt19937_64 gen(semilla);
    std::vector<double> m(n);
    for (double& x : m) x = -media * std::log(Abierto01(gen));
    return m;
}

inline std::vector<double> MuestraUniforme(double a, double b, std::size_t n,
                                           std::uint64_t semilla) {
    std::mt19937_64 gen(semilla);
    std::vector<double> m(n);
    for (double& x : m) x = a + (b - a) * Abierto01(gen);
    return m;
}

// Population mean and variance of a sample: the exact mean and variance of
// one draw from it.
struct Momentos {
    double media = 0, varianza = 0;
};
inline Momentos MomentosDe(const std::vector<double>& m) {
    double s = 0;
    for (double x : m) s += x;
    const double media = s / static_cast<double>(m.size());
    double ss = 0;
    for (double x : m) ss += (x - media) * (x - media);
    return {media, ss / static_cast<double>(m.size())};
}

// Fraction of a sample at or below t.
inline double FraccionHasta(const std::vector<double>& m, double t) {
    std::size_t k = 0;
    for (double x : m) k += x <= t ? 1 : 0;
    return static_cast<double>(k) / static_cast<double>(m.size());
}

// A network of centres with given W, drawn by connections between names;
// ends with the PERT run, as CalcularPlazo requires.
class RedPlazo {
public:
    Red red;
    MuestrasCentros muestras;

    RedPlazo() : b_(red) {
        b_.Inicio();
        b_.Fin();
        red.NodoInicio = 1;
        red.NodoFin = 2;
        // Milestones take no time, whatever W they hold.
        red.Centros(1).W = 50;
        red.Centros(2).W = 70;
    }
    std::int16_t Centro(const std::string& nombre, double w) {
        const std::int16_t p = b_.Centro(nombre);
        red.Centros(p).W = w;
        return p;
    }
    void Conectar(std::int16_t a, std::int16_t z) { b_.Conectar(a, z); }
    void Muestra(std::int16_t p, std::vector<double> m) {
        muestras.resize(static_cast<std::size_t>(red.Centros.Count()));
        muestras[static_cast<std::size_t>(p) - 1] = std::move(m);
    }
    // Runs the PERT and returns its time.
    double Pert() { return CalcularPERT(red, red.NodoInicio, red.NodoFin); }

    static constexpr std::int16_t kInicio = 1, kFin = 2;

private:
    ConstructorRed b_;
};

}  // namespace vortena::prueba
