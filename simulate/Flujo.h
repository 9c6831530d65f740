#pragma once
// Random streams and the variates the simulator draws from them. The variates
// are computed here, not by <random>'s distributions, so that a seed gives
// the same figures with every standard library.

#include <cmath>
#include <cstdint>
#include <pcg_random.hpp>

namespace vortena::sim {

__extension__ typedef unsigned __int128 Entero128;

// SplitMix64 finaliser: spreads nearby seeds over the whole 64-bit range.
constexpr std::uint64_t Mezclar(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// Purposes of a stream, so that drawing a sample never shifts the queue's
// variates and a warm-up pilot never sees the measured customers.
enum class Uso : std::uint64_t { Cola = 0, Muestra = 1, Union = 2, Piloto = 3 };

// One independent stream per (seed, centre, replication, use).
class Flujo {
public:
    Flujo(std::uint64_t semilla, std::uint64_t centro, std::uint64_t replica, Uso uso = Uso::Cola)
        : motor_(Estado(semilla, centro, replica, uso),
                 Mezclar(Estado(semilla, centro, replica, uso))) {}

    std::uint64_t Bits() { return motor_(); }
    // Uniform on [0, 1) with 53 random bits.
    double Uniforme() { return static_cast<double>(motor_() >> 11) * 0x1.0p-53; }
    // Uniform on (0, 1].
    double UniformeAbierta() { return static_cast<double>((motor_() >> 11) + 1) * 0x1.0p-53; }
    // Uniform integer on [0, n), n > 0 (Lemire's multiply; the bias of at most
    // n / 2^64 is far below anything a sample of 65,536 can show).
    std::uint64_t Entero(std::uint64_t n) {
        return static_cast<std::uint64_t>((static_cast<Entero128>(motor_()) * n) >> 64);
    }
    // Standard normal, Marsaglia's polar method (the second value is kept).
    double Normal();

private:
    static std::uint64_t Estado(std::uint64_t s, std::uint64_t c, std::uint64_t r, Uso u) {
        return Mezclar(Mezclar(Mezclar(s) ^ c) ^ (r * 4 + static_cast<std::uint64_t>(u)));
    }
    pcg64 motor_;
    double guardada_ = 0;
    bool hayGuardada_ = false;
};

enum class Forma { Constante, Exponencial, Gamma, Lognormal };

// Coefficients of variation the variates honour: below the minimum the time
// is constant; above the maximum a gamma's scale overflows and its draws
// underflow to 0, so such a centre is not simulated.
inline constexpr double kCVMin = 1e-9;
inline constexpr double kCVMax = 1000;

// A positive random time with a given mean and standard deviation:
// deviation 0 (or a coefficient of variation below kCVMin) gives the constant, a coefficient of
// variation of 1 (within 1e-9) the exponential, any other the gamma or, on request, the lognormal.
class Variable {
public:
    Variable(double media, double desviacion, bool lognormal);
    Forma forma() const { return forma_; }
    double Generar(Flujo& f) {
        switch (forma_) {
            case Forma::Constante:
                return media_;
            case Forma::Exponencial:
                return -media_ * std::log(f.UniformeAbierta());
            case Forma::Gamma:
                return Gamma(f);
            case Forma::Lognormal:
                return std::exp(a_ + b_ * f.Normal());
        }
        return media_;
    }

private:
    double Gamma(Flujo& f);
    Forma forma_;
    double media_;
    // Gamma: shape k >= 1 after boosting, d = k - 1/3, c = 1/sqrt(9d), scale;
    // lognormal: a = log-mean, b = log-deviation.
    double a_ = 0, b_ = 0, d_ = 0, c_ = 0, escala_ = 0, invForma_ = 0;
    bool aumentada_ = false;  // shape < 1: Gamma(k+1) * U^(1/k)
};

}  // namespace vortena::sim
