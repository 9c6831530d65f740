#include "optimise/BusquedaFrente.h"

#include <algorithm>
#include <atomic>

#include "optimise/ParaleloFijo.h"

namespace vortena {

namespace {

// Combinations per task: large enough to keep the threads busy, small
// enough that a cancellation is seen within a few milliseconds.
constexpr std::uint64_t kPorBloque = 1u << 14;

struct Bloque {
    FrenteIncremental frente;
    double peorCosto = 0, peorTiempo = 0;
    bool alguno = false;
};

std::vector<std::uint8_t> Digitos(std::uint64_t indice, std::size_t n, int base) {
    // The first gene is the most significant digit, so index order is the
    // lexicographic order of the counts.
    std::vector<std::uint8_t> d(n);
    for (std::size_t k = n; k-- > 0;) {
        d[k] = static_cast<std::uint8_t>(indice % static_cast<std::uint64_t>(base));
        indice /= static_cast<std::uint64_t>(base);
    }
    return d;
}

}  // namespace

void CompletarResultado(
    ResultadoFrente& r, const std::vector<ElementoFrente>& frente, double peorCosto,
    double peorTiempo,
    const std::function<std::vector<std::int16_t>(std::uint64_t)>& servidoresDe) {
    r.refCosto = Referencia(peorCosto);
    r.refTiempo = Referencia(peorTiempo);
    const Hipervolumen h = CalcularHipervolumen(frente, r.refCosto, r.refTiempo);
    r.hipervolumen = h.total;
    r.puntos.clear();
    for (std::size_t i = 0; i < frente.size(); ++i)
        r.puntos.push_back(
            {frente[i].costo, frente[i].tiempo, servidoresDe(frente[i].id), h.aportes[i]});
}

ResultadoFrente FrenteExacto(const ModeloFrente& modelo, int hilos, Trabajo& trabajo) {
    const std::uint64_t total = modelo.Combinaciones().value_or(0);
    const std::size_t n = modelo.genes().size();
    const int base = modelo.extra() + 1;
    const std::uint64_t nBloques = (total + kPorBloque - 1) / kPorBloque;
    std::vector<Bloque> bloques(static_cast<std::size_t>(nBloques));
    std::atomic<std::uint64_t> hechos{0};

    ParaCada(bloques.size(), hilos, [&](std::size_t b) {
        if (trabajo.Cancelado()) throw Cancelado{};
        Bloque& r = bloques[b];
        const std::uint64_t desde = b * kPorBloque;
        const std::uint64_t hasta = std::min(total, desde + kPorBloque);
        std::vector<std::uint8_t> d = Digitos(desde, n, base);
        std::vector<double> valores;
        for (std::uint64_t i = desde; i < hasta; ++i) {
            const EvaluacionFrente e = modelo.Evaluar(d, valores);
            if (e.valida) {
                r.frente.Agregar(e.costo, e.tiempo, i);
                r.peorCosto = r.alguno ? std::max(r.peorCosto, e.costo) : e.costo;
                r.peorTiempo = r.alguno ? std::max(r.peorTiempo, e.tiempo) : e.tiempo;
                r.alguno = true;
            }
            // Odometer: the last gene turns fastest.
            for (std::size_t k = n; k-- > 0;) {
                if (++d[k] < base) break;
                d[k] = 0;
            }
        }
        trabajo.Informar(static_cast<double>(++hechos) / static_cast<double>(nBloques));
    });

    FrenteIncremental frente;
    double peorCosto = 0, peorTiempo = 0;
    bool alguno = false;
    for (const Bloque& b : bloques) {
        frente.Agregar(b.frente);
        if (!b.alguno) continue;
        peorCosto = alguno ? std::max(peorCosto, b.peorCosto) : b.peorCosto;
        peorTiempo = alguno ? std::max(peorTiempo, b.peorTiempo) : b.peorTiempo;
        alguno = true;
    }
    ResultadoFrente r;
    r.exacto = true;
    r.evaluaciones = total;
    CompletarResultado(r, frente.Elementos(), peorCosto, peorTiempo,
                       [&](std::uint64_t id) { return modelo.Servidores(Digitos(id, n, base)); });
    return r;
}

ResultadoFrente BuscarFrente(const ModeloFrente& modelo, const AjustesFrente& ajustes,
                             Trabajo& trabajo) {
    const auto total = modelo.Combinaciones();
    if (total && *total <= AjustesFrente::kLimiteExacto)
        return FrenteExacto(modelo, ajustes.hilos, trabajo);
    return FrenteNsga2(modelo, ajustes, trabajo);
}

}  // namespace vortena
