#pragma once
// The set of (cost, time) points no other point beats on both, and its
// hypervolume. Both objectives are minimised.

#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace vortena {

struct ElementoFrente {
    double costo = 0;
    double tiempo = 0;
    std::uint64_t id = 0;
};

// Built one point at a time, with ids added in increasing order: of points
// with equal cost and time only the first (lowest id) stays, so the result
// does not depend on how the candidates were split among threads as long as
// the pieces are merged in id order.
class FrenteIncremental {
public:
    void Agregar(double costo, double tiempo, std::uint64_t id);
    void Agregar(const FrenteIncremental& otro);
    // By cost ascending (and so by time descending).
    std::vector<ElementoFrente> Elementos() const;
    std::size_t Tamano() const { return puntos_.size(); }

private:
    struct Valor {
        double tiempo;
        std::uint64_t id;
    };
    std::map<double, Valor> puntos_;  // cost -> point; times strictly fall
};

// The reference point of a run: the worst value seen, plus 1 %.
double Referencia(double peor);

struct Hipervolumen {
    double total = 0;
    std::vector<double> aportes;  // each point's exclusive share of total
};

// The 2-D case by one sweep: `frente` sorted by cost ascending with time
// strictly falling, every point inside the reference box.
Hipervolumen CalcularHipervolumen(std::span<const ElementoFrente> frente, double refCosto,
                                  double refTiempo);

}  // namespace vortena
