#pragma once
// Free times of a centre's servers as a binary min-heap: the earliest free
// server takes the next customer, which is FCFS with identical servers.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vortena::sim {

class Servidores {
public:
    explicit Servidores(int s) : libre_(static_cast<std::size_t>(s < 1 ? 1 : s), 0.0) {}
    double Primero() const { return libre_[0]; }
    void Ocupar(double salida) {
        const std::size_t n = libre_.size();
        std::size_t i = 0;
        for (;;) {
            std::size_t h = 2 * i + 1;
            if (h >= n) break;
            if (h + 1 < n && libre_[h + 1] < libre_[h]) ++h;
            if (libre_[h] >= salida) break;
            libre_[i] = libre_[h];
            i = h;
        }
        libre_[i] = salida;
    }
    void Vaciar() { std::fill(libre_.begin(), libre_.end(), 0.0); }

private:
    std::vector<double> libre_;
};

}  // namespace vortena::sim
