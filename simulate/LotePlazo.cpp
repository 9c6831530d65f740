#include "simulate/LotePlazo.h"

#include <algorithm>

#include "simulate/IndiceAleatorio.h"

namespace vortena {

void AcumuladoPlazo::Reiniciar(int nodos) {
    const auto n = static_cast<std::size_t>(nodos);
    enCamino.assign(n, 0);
    sd.assign(n, 0.0);
    sdd.assign(n, 0.0);
    sdt.assign(n, 0.0);
}

void AcumuladoPlazo::Sumar(const AcumuladoPlazo& o) {
    for (std::size_t v = 0; v < enCamino.size(); ++v) {
        enCamino[v] += o.enCamino[v];
        sd[v] += o.sd[v];
        sdd[v] += o.sdd[v];
        sdt[v] += o.sdt[v];
    }
}

namespace {
constexpr std::size_t K = LotePlazo::kLote;
}

LotePlazo::LotePlazo(const GrafoPlazo& grafo) : g_(grafo) {
    const auto n = static_cast<std::size_t>(g_.Nodos());
    centro_.resize(n);
    for (std::size_t v = 0; v < n; ++v) centro_[v] = g_.muestra[v] ? g_.muestra[v][0] : g_.w[v];
    dur_.assign(n * K, 0.0);
    inicio_.assign(n * K, 0.0);
    fin_.assign(n * K, 0.0);
    enCamino_.assign(n * K, 0);
}

void LotePlazo::Duraciones(pcg64& flujo, int v, int n) {
    double* d = &dur_[static_cast<std::size_t>(v) * K];
    const double* m = g_.muestra[static_cast<std::size_t>(v)];
    if (!m) {
        std::fill(d, d + n, g_.w[static_cast<std::size_t>(v)]);
        return;
    }
    const std::uint32_t tam = g_.tamMuestra[static_cast<std::size_t>(v)];
    auto otro = [&flujo] { return static_cast<std::uint32_t>(flujo()); };
    // All the indices first, two from each 64-bit output, then the lookups:
    // a loop of independent loads lets the cache misses overlap.
    for (int k = 0; k < n; k += 2) {
        const std::uint64_t x = flujo();
        indices_[static_cast<std::size_t>(k)] =
            IndiceUniforme(static_cast<std::uint32_t>(x), tam, otro);
        indices_[static_cast<std::size_t>(k) + 1] =
            IndiceUniforme(static_cast<std::uint32_t>(x >> 32), tam, otro);
    }
    for (int k = 0; k < n; ++k) d[k] = m[indices_[static_cast<std::size_t>(k)]];
}

void LotePlazo::Sortear(pcg64& flujo, int n, double* tiempos, AcumuladoPlazo& acum) {
    const int nodos = g_.Nodos();
    const int ultimo = g_.Fin();
    const std::int32_t* ip = g_.inicioPred.data();
    const std::int32_t* pred = g_.pred.data();

    // Forward: start time = latest finish of the predecessors.
    std::fill(fin_.begin(), fin_.begin() + K, 0.0);
    for (int v = 1; v < nodos; ++v) {
        double* ini = &inicio_[static_cast<std::size_t>(v) * K];
        const std::int32_t a = ip[v], b = ip[v + 1];
        if (a == b) {
            std::fill(ini, ini + n, 0.0);
        } else {
            const double* f0 = &fin_[static_cast<std::size_t>(pred[a]) * K];
            std::copy(f0, f0 + n, ini);
            for (std::int32_t e = a + 1; e < b; ++e) {
                const double* fu = &fin_[static_cast<std::size_t>(pred[e]) * K];
                for (int k = 0; k < n; ++k) ini[k] = std::max(ini[k], fu[k]);
            }
        }
        if (v == ultimo) break;
        Duraciones(flujo, v, n);
        const double* d = &dur_[static_cast<std::size_t>(v) * K];
        double* f = &fin_[static_cast<std::size_t>(v) * K];
        // Same sum as the PERT's: duration + start.
        for (int k = 0; k < n; ++k) f[k] = d[k] + ini[k];
    }
    const double* T = &inicio_[static_cast<std::size_t>(ultimo) * K];
    std::copy(T, T + n, tiempos);

    // Backward: a predecessor whose finish equals a node's start lies on a
    // longest path through it (ties mark every such path).
    std::fill(enCamino_.begin(), enCamino_.end(), std::uint8_t{0});
    std::fill(
        enCamino_.begin() + static_cast<std::ptrdiff_t>(ultimo) * static_cast<std::ptrdiff_t>(K),
        enCamino_.begin() + static_cast<std::ptrdiff_t>(ultimo) * static_cast<std::ptrdiff_t>(K) +
            n,
        std::uint8_t{1});
    for (int v = ultimo; v >= 1; --v) {
        const std::uint8_t* sv = &enCamino_[static_cast<std::size_t>(v) * K];
        const double* ini = &inicio_[static_cast<std::size_t>(v) * K];
        int cuenta = 0;
        for (int k = 0; k < n; ++k) cuenta += sv[k];
        acum.enCamino[static_cast<std::size_t>(v)] += cuenta;
        if (cuenta == 0) continue;
        for (std::int32_t e = ip[v]; e < ip[v + 1]; ++e) {
            const auto u = static_cast<std::size_t>(pred[e]);
            std::uint8_t* su = &enCamino_[u * K];
            const double* fu = &fin_[u * K];
            for (int k = 0; k < n; ++k)
                su[k] = static_cast<std::uint8_t>(su[k] | (sv[k] & (fu[k] == ini[k] ? 1 : 0)));
        }
    }
    acum.enCamino[0] += n;

    // Moments for the correlation of each duration with the lead time.
    const double pert = g_.pert;
    for (int v = 1; v < ultimo; ++v) {
        if (!g_.muestra[static_cast<std::size_t>(v)]) continue;
        const double* d = &dur_[static_cast<std::size_t>(v) * K];
        const double c = centro_[static_cast<std::size_t>(v)];
        double s1 = 0, s2 = 0, s12 = 0;
        for (int k = 0; k < n; ++k) {
            const double x = d[k] - c;
            const double t = T[k] - pert;
            s1 += x;
            s2 += x * x;
            s12 += x * t;
        }
        acum.sd[static_cast<std::size_t>(v)] += s1;
        acum.sdd[static_cast<std::size_t>(v)] += s2;
        acum.sdt[static_cast<std::size_t>(v)] += s12;
    }
}

}  // namespace vortena
