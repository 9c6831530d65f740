// NSGA-II from pagmo on the server counts, every fitness going through the
// run's cache. pagmo evaluates through the problem's batch_fitness
// (member_bfe), which fans out on our own threads and merges in batch order,
// so its threading never decides anything.

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <pagmo/algorithms/nsga2.hpp>
#include <pagmo/batch_evaluators/member_bfe.hpp>
#include <pagmo/bfe.hpp>
#include <pagmo/population.hpp>
#include <pagmo/problem.hpp>

#include "optimise/BusquedaFrente.h"
#include "optimise/CacheFrente.h"

namespace vortena {

namespace {

// A combination that fails to compute: beaten by every one that does.
constexpr double kPeor = 1e300;

struct EstadoNsga {
    const ModeloFrente* modelo = nullptr;
    CacheFrente cache;
    const Trabajo* trabajo = nullptr;
    EstadoNsga(const ModeloFrente& m, const AjustesFrente& a, const Trabajo& t)
        : modelo(&m), cache(m, a.hilos, a.minimoParalelo), trabajo(&t) {}
};

class ProblemaFrente {
public:
    ProblemaFrente() = default;
    explicit ProblemaFrente(std::shared_ptr<EstadoNsga> estado) : estado_(std::move(estado)) {}

    pagmo::vector_double fitness(const pagmo::vector_double& x) const { return batch_fitness(x); }

    pagmo::vector_double batch_fitness(const pagmo::vector_double& xs) const {
        const std::size_t n = Genes();
        const std::size_t filas = n == 0 ? 0 : xs.size() / n;
        const double tope = static_cast<double>(estado_->modelo->extra());
        std::vector<CacheFrente::Clave> lote(filas, CacheFrente::Clave(n, '\0'));
        for (std::size_t i = 0; i < filas; ++i)
            for (std::size_t k = 0; k < n; ++k)
                lote[i][k] = static_cast<char>(
                    static_cast<std::uint8_t>(std::clamp(std::round(xs[i * n + k]), 0.0, tope)));
        const auto evaluaciones = estado_->cache.EvaluarLote(lote, estado_->trabajo);
        pagmo::vector_double f;
        f.reserve(2 * filas);
        for (const EvaluacionFrente& e : evaluaciones) {
            f.push_back(e.valida ? e.costo : kPeor);
            f.push_back(e.valida ? e.tiempo : kPeor);
        }
        return f;
    }

    std::pair<pagmo::vector_double, pagmo::vector_double> get_bounds() const {
        return {pagmo::vector_double(Genes(), 0.0),
                pagmo::vector_double(Genes(), static_cast<double>(estado_->modelo->extra()))};
    }
    pagmo::vector_double::size_type get_nobj() const { return 2; }
    pagmo::vector_double::size_type get_nix() const { return Genes(); }

private:
    std::size_t Genes() const { return estado_ ? estado_->modelo->genes().size() : 0; }
    std::shared_ptr<EstadoNsga> estado_;
};

}  // namespace

ResultadoFrente FrenteNsga2(const ModeloFrente& modelo, const AjustesFrente& ajustes,
                            Trabajo& trabajo) {
    auto estado = std::make_shared<EstadoNsga>(modelo, ajustes, trabajo);
    const pagmo::problem problema{ProblemaFrente(estado)};
    const pagmo::bfe evaluador{pagmo::member_bfe{}};
    const int P = std::max(8, (ajustes.poblacion + 3) / 4 * 4);
    const int G = std::max(0, ajustes.generaciones);
    const double n = static_cast<double>(modelo.genes().size());

    pagmo::population poblacion(problema, evaluador, static_cast<pagmo::population::size_type>(P),
                                ajustes.semilla);
    // One generation per call: the algorithm keeps its random engine between
    // calls, so the run is the same as one call of G generations, and the
    // cancellation is seen between generations.
    pagmo::nsga2 algoritmo(1u, 0.95, 10., 1.0 / n, 50., ajustes.semilla);
    algoritmo.set_bfe(evaluador);
    for (int g = 0; g < G; ++g) {
        if (trabajo.Cancelado()) throw Cancelado{};
        poblacion = algoritmo.evolve(poblacion);
        trabajo.Informar(static_cast<double>(g + 1) / static_cast<double>(G));
    }
    if (trabajo.Cancelado()) throw Cancelado{};

    // The front of everything evaluated, not only of the last population.
    const auto& entradas = estado->cache.Entradas();
    std::vector<const CacheFrente::Clave*> claves;
    FrenteIncremental frente;
    double peorCosto = 0, peorTiempo = 0;
    bool alguno = false;
    for (const auto& [clave, e] : entradas) {
        claves.push_back(&clave);
        if (!e.valida) continue;
        frente.Agregar(e.costo, e.tiempo, claves.size() - 1);
        peorCosto = alguno ? std::max(peorCosto, e.costo) : e.costo;
        peorTiempo = alguno ? std::max(peorTiempo, e.tiempo) : e.tiempo;
        alguno = true;
    }
    ResultadoFrente r;
    r.exacto = false;
    r.evaluaciones = estado->cache.Calculadas();
    CompletarResultado(r, frente.Elementos(), peorCosto, peorTiempo, [&](std::uint64_t id) {
        const CacheFrente::Clave& c = *claves[static_cast<std::size_t>(id)];
        const auto* d = reinterpret_cast<const std::uint8_t*>(c.data());
        return modelo.Servidores(std::span<const std::uint8_t>(d, c.size()));
    });
    return r;
}

}  // namespace vortena
