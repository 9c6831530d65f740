#pragma once
// What the lead-time draws tell: the distribution of one unit's time from the
// start node to the end node, and which centres decide it.

#include <cstdint>
#include <string>
#include <vector>

namespace vortena {

struct CentroPlazo {
    std::int16_t posicion = 0;
    std::string Nombre;
    // Fraction of draws in which the centre lay on a longest path.
    double criticidad = 0;
    // Correlation of the centre's time with the lead time (0 when either
    // does not vary).
    double crucialidad = 0;
};

struct PuntoCdf {
    double tiempo = 0;
    double probabilidad = 0;
};

struct BarraHistograma {
    double desde = 0, hasta = 0;
    // Fraction of the draws in [desde, hasta) (the last bar includes hasta).
    double fraccion = 0;
};

struct ResultadoPlazo {
    double pert = 0;  // the PERT's time with every centre lasting its W
    // The same longest path with every centre lasting the mean of its
    // sample: what the PERT would say with the simulated times.
    double pertSimulado = 0;
    double media = 0, desviacion = 0;
    double P50 = 0, P80 = 0, P90 = 0, P95 = 0;
    double Ppert = 0;  // probability of finishing within `pert`
    double deseado = 0, Pdeseado = 0;
    std::int64_t visitas = 0;  // centre durations drawn
    std::uint64_t semilla = 0;
    // Productive centres that take part in the PERT, by position.
    std::vector<CentroPlazo> centros;
    // Every draw's lead time, sorted.
    std::vector<double> tiempos;

    // The merge gap: how much later the mean unit arrives than the PERT says.
    double SesgoFusion() const { return media - pert; }
    // Its two parts: paths joining (the longest of random paths outlasts the
    // longest of their means; never negative but for the draws' noise) and
    // the simulated times differing from the formula's W.
    double SesgoCaminos() const { return media - pertSimulado; }
    double SesgoFormula() const { return pertSimulado - pert; }
    // Smallest drawn time with at least a fraction p of the draws at or
    // below it.
    double Cuantil(double p) const;
    // Fraction of the draws at or below t.
    double Probabilidad(double t) const;
    // At most `puntos` points evenly spaced in probability, ending at 1.
    std::vector<PuntoCdf> Cdf(int puntos = 1000) const;
    // `barras` equal bars over the drawn range (one when all draws agree).
    std::vector<BarraHistograma> Histograma(int barras) const;
};

}  // namespace vortena
