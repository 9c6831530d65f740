#pragma once
// Output analysis for any simulation that measures quantities as means over
// independent replications: what the centre simulation and the line
// simulation both need to say how far their figures can be trusted.
//
// How an engine uses it:
//   * warm-up: run a few pilots on streams that the measured replications
//     never use (Uso::Piloto), feed each pilot's observations to a LotesMSER
//     and take CortePilotos(pilotos). Choosing the cut on the measured stream
//     would cut away exactly its high excursions (selection bias);
//   * per replication: one Serie per observed sequence (each customer's time
//     in a centre, each unit's lead time) alongside the measures;
//   * per measure: Resumir(the replication means) -> Intervalo() for the
//     printed 95 % half-width, Juzgar() against an exact figure,
//     PocoFiable() for the warning;
//   * precision mode: DecidirPrecision() after every round says whether to
//     stop, add replications, lengthen them (and restart) or give up.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "simulate/Mser.h"
#include "simulate/SimulacionCentros.h"

namespace vortena::sim {

// One measure over n independent replication means.
struct Resumen {
    int n = 0;
    double media = 0;
    double desviacion = 0;  // sample standard deviation of the means
    double asimetria = 0;   // adjusted sample skewness; 0 below 3 means or with no spread
};
Resumen Resumir(std::span<const double> medias);

// Student's t half-width at two-sided confidence `confianza`; 0 below 2 means.
double SemiAncho(const Resumen& r, double confianza = 0.95);
Estimacion Intervalo(const Resumen& r, double confianza = 0.95);

// Fewer events than this (customers who waited, idle periods, ...) over all
// replications: the estimate is printed but not judged.
inline constexpr std::int64_t kEventosMin = 10;
inline bool PocosEventos(std::int64_t eventos) {
    return eventos < kEventosMin;
}

// One replication's sequence of observations in order, summarised by the
// means of its first tenth, quarter and half and of its second half (a
// start-up transient shows as a difference between them) and its variance.
struct TramosSerie {
    std::int64_t n = 0;
    double media = 0, varianza = 0;
    std::array<double, 3> inicio{};  // means of the first 1/10, 1/4, 1/2
    double segundaMitad = 0;
};
inline constexpr std::array<std::int64_t, 3> kFraccionesInicio = {10, 4, 2};

class Serie {
public:
    explicit Serie(std::int64_t n);
    void Agregar(double x) {
        suma_ += x;
        cuadrados_ += x * x;
        if (++vistos_ == proximo_) Marcar();
    }
    TramosSerie Tramos() const;

private:
    void Marcar();
    std::int64_t n_, vistos_ = 0, proximo_ = -1;
    std::size_t marca_ = 0;
    std::array<std::int64_t, 3> limites_{};
    std::array<double, 3> sumas_{};
    double suma_ = 0, cuadrados_ = 0;
};

// What the replications of one series say about their own length.
struct Diagnostico {
    // The start of the replications still differs from their second half by
    // more than chance and by enough to matter against `referencia`.
    bool tendencia = false;
    // The same difference at 20 % over the sections: too weak to warn about,
    // enough to lengthen the replications in precision mode, where a missed
    // transient costs the interval its coverage and a false alarm only time.
    bool tendenciaPosible = false;
    // Variance inflation of a replication mean against independent
    // observations (1 + 2 x the integrated autocorrelation time).
    double inflacion = 1;
    // Fewer than kIndependientesMin effective observations per replication.
    bool corta = false;
};
inline constexpr double kIndependientesMin = 10;
// `referencia`: the half-width that matters (the precision asked, or the
// interval printed); a transient far below it is no reason for concern.
Diagnostico Diagnosticar(std::span<const TramosSerie> replicas, double referencia);

// Replication means skewed beyond what normal means would show at this n.
bool Asimetrica(const Resumen& r);
// "intervalo poco fiable": the t interval may be narrower than it claims.
inline bool PocoFiable(const Resumen& r, const Diagnostico& d) {
    return Asimetrica(r) || d.tendencia || d.corta;
}

// Flags against exact figures. Each of `pruebas` comparisons is tested at
// family-wise confidence `confianza` (Bonferroni), and a gap counts only when
// it is also larger than `tolerancia` relative to the figures.
struct ReglaBanderas {
    double tolerancia = 0.02;
    double confianza = 0.95;
    int pruebas = 1;
};
enum class Juicio { Coincide, Difiere, PocosEventos };
Juicio Juzgar(double exacto, const Resumen& simulado, std::int64_t eventos,
              const ReglaBanderas& regla);
// The flags chance alone would raise on exact formulas, on average: at most
// the family-wise error rate.
inline double BanderasPorAzar(const ReglaBanderas& regla) {
    return 1.0 - regla.confianza;
}

// Warm-up from pilot runs of equal length: their batch means are averaged
// position by position and MSER chooses the cut on the average, in
// observations.
std::int64_t CortePilotos(std::span<const LotesMSER> pilotos);
inline constexpr int kPilotos = 5;

// Precision mode.
struct PlanPrecision {
    double precision = 0.01;  // relative half-width wanted
    int ronda = 10;           // replications per round, and in the first one
    int replicasMax = 1000;
    std::int64_t longitudMax = 0;  // observations per replication
    double trabajoMax = 0;         // replications x observations
};
enum class Accion { Parar, MasReplicas, Alargar, Agotado };
struct Decision {
    Accion accion = Accion::Parar;
    int replicas = 0;           // total wanted after MasReplicas / first round after Alargar
    std::int64_t longitud = 0;  // after Alargar
};
// `medidas` are the measures that must reach the precision; `diagnostico`
// comes from Diagnosticar with referencia = precision x the series' mean.
Decision DecidirPrecision(const PlanPrecision& plan, std::span<const Resumen> medidas,
                          const Diagnostico& diagnostico, std::int64_t longitud);
bool Precisa(const Resumen& r, double precision);

}  // namespace vortena::sim
