#pragma once
// The program's one source of uniform numbers in [0, 1). It is seeded once
// with a fixed value and never reseeded, so every run of the program draws
// the same sequence. The application owns it and lends it out by reference.

#include <cstdint>
#include <random>

namespace vortena {

class FuenteAleatoria {
public:
    static constexpr std::uint64_t kSemilla = 0x5675A7E3A2024ULL;

    FuenteAleatoria() : gen_(kSemilla) {}
    FuenteAleatoria(const FuenteAleatoria&) = delete;
    FuenteAleatoria& operator=(const FuenteAleatoria&) = delete;

    // The top 53 bits scaled by 2^-53: every value is exact and below 1.
    double Uniforme() { return static_cast<double>(gen_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 gen_;
};

}  // namespace vortena
