#pragma once
// The inner loop of the lead-time draws. A batch of draws is laid out node
// by node, so the sample lookups of one node are independent loads the
// processor overlaps, and the longest-path maxima run across the batch.

#include <array>
#include <cstdint>
#include <pcg_random.hpp>
#include <vector>

#include "simulate/GrafoPlazo.h"

namespace vortena {

// Sums over draws, per node of the graph: how often it lay on a longest
// path, and the moments of its duration (shifted by `centro`) with the lead
// time (shifted by the graph's pert time) for its correlation.
struct AcumuladoPlazo {
    std::vector<std::int64_t> enCamino;
    std::vector<double> sd, sdd, sdt;

    void Reiniciar(int nodos);
    // Adds another block's sums, node by node.
    void Sumar(const AcumuladoPlazo& otro);
};

class LotePlazo {
public:
    static constexpr int kLote = 64;

    explicit LotePlazo(const GrafoPlazo& grafo);

    // Draws n <= kLote lead times from `flujo` into `tiempos` and adds their
    // sums to `acum`. The stream advances by a fixed amount for a given n
    // (bar the rare rejections of the index draw), whatever else runs.
    void Sortear(pcg64& flujo, int n, double* tiempos, AcumuladoPlazo& acum);

    // Shift of each node's duration in the sums: its first sample value, so
    // a constant sample adds exact zeros.
    const std::vector<double>& Centro() const { return centro_; }

private:
    const GrafoPlazo& g_;
    std::vector<double> centro_;
    std::vector<double> dur_, inicio_, fin_;
    std::vector<std::uint8_t> enCamino_;
    std::array<std::uint32_t, kLote> indices_{};

    void Duraciones(pcg64& flujo, int v, int n);
};

}  // namespace vortena
