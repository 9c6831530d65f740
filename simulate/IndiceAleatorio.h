#pragma once
// Random streams for the lead-time draws and the uniform choice of one
// element of a sample. Both are written here, not taken from <random>'s
// distributions, so a seed gives the same draws with any standard library.

#include <cstdint>
#include <pcg_random.hpp>

namespace vortena {

// SplitMix64 finaliser: spreads nearby (seed, block) pairs over unrelated
// states, so neighbouring blocks do not get neighbouring pcg streams.
constexpr std::uint64_t Mezclar64(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// The stream of one block of draws, a function of (seed, block) only.
inline pcg64 FlujoDeBloque(std::uint64_t semilla, std::uint64_t bloque) {
    const std::uint64_t a = Mezclar64(semilla ^ Mezclar64(bloque));
    const std::uint64_t b = Mezclar64(a ^ 0x5851F42D4C957F2DULL);
    const std::uint64_t c = Mezclar64(b ^ bloque);
    const std::uint64_t d = Mezclar64(c ^ semilla);
    using pcg_extras::pcg128_t;
    return pcg64(PCG_128BIT_CONSTANT(a, b), PCG_128BIT_CONSTANT(c, d));
}

// Exactly uniform in [0, n) from 32 random bits (Lemire's multiply and
// reject), n >= 1. `otro` supplies fresh 32-bit words for the rare
// rejections.
template <class Otro>
inline std::uint32_t IndiceUniforme(std::uint32_t bits, std::uint32_t n, Otro&& otro) {
    std::uint64_t m = static_cast<std::uint64_t>(bits) * n;
    auto bajo = static_cast<std::uint32_t>(m);
    if (bajo < n) {
        const std::uint32_t umbral = (0u - n) % n;
        while (bajo < umbral) {
            m = static_cast<std::uint64_t>(otro()) * n;
            bajo = static_cast<std::uint32_t>(m);
        }
    }
    return static_cast<std::uint32_t>(m >> 32);
}

}  // namespace vortena
