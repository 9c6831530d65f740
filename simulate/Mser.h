#pragma once
// The MSER-5 warm-up rule: the truncation point that minimises the marginal
// standard error of the remaining batch means of 5 observations, searched
// over the first half of the run.

#include <cstdint>
#include <span>
#include <vector>

namespace vortena::sim {

// Index (in batches) of the best truncation of `medias`, at most size/2.
std::size_t CorteMSER(std::span<const double> medias);

// Batch means of 5 observations kept in bounded memory: once the table is
// full, neighbouring batches are merged and the batch size doubles, so a very
// long run is judged on batches of 10, 20, ... observations.
class LotesMSER {
public:
    explicit LotesMSER(std::size_t maxLotes = 1u << 15) : max_(maxLotes) { medias_.reserve(max_); }
    void Agregar(double x) {
        suma_ += x;
        if (++enLote_ == tam_) Cerrar();
    }
    // Truncation point in observations (a whole number of batches).
    std::int64_t Corte() const;
    std::int64_t TamLote() const { return tam_; }
    const std::vector<double>& Medias() const { return medias_; }

private:
    void Cerrar();
    std::size_t max_;
    std::vector<double> medias_;
    std::int64_t tam_ = 5, enLote_ = 0;
    double suma_ = 0;
};

}  // namespace vortena::sim
