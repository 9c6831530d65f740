// The NSGA-II module: pagmo's algorithm on integer genes, every fitness
// asked of the program through the calls it was given. Evaluation goes
// through the problem's batch_fitness (member_bfe), so the program fans it
// out on its own threads and pagmo's threading never decides anything.

#include <cstdio>
#include <exception>
#include <pagmo/algorithms/nsga2.hpp>
#include <pagmo/batch_evaluators/member_bfe.hpp>
#include <pagmo/bfe.hpp>
#include <pagmo/population.hpp>
#include <pagmo/problem.hpp>

#include "optimise/ModuloNsga.h"

namespace {

// A call from the program asked to stop.
struct Parada {};

class Problema {
public:
    Problema() = default;
    Problema(const PeticionNsga* p, const LlamadasNsga* l) : peticion_(p), llamadas_(l) {}

    pagmo::vector_double fitness(const pagmo::vector_double& x) const { return batch_fitness(x); }

    pagmo::vector_double batch_fitness(const pagmo::vector_double& xs) const {
        const std::size_t n = peticion_->genes;
        const std::size_t filas = n == 0 ? 0 : xs.size() / n;
        pagmo::vector_double f(2 * filas);
        if (llamadas_->evaluar(llamadas_->contexto, xs.data(), filas, f.data()) != 0)
            throw Parada{};
        return f;
    }

    std::pair<pagmo::vector_double, pagmo::vector_double> get_bounds() const {
        return {pagmo::vector_double(peticion_->genes, 0.0),
                pagmo::vector_double(peticion_->genes, peticion_->tope)};
    }
    pagmo::vector_double::size_type get_nobj() const { return 2; }
    pagmo::vector_double::size_type get_nix() const { return peticion_->genes; }

private:
    const PeticionNsga* peticion_ = nullptr;
    const LlamadasNsga* llamadas_ = nullptr;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int vortena_nsga2_v1(const PeticionNsga* peticion,
                                                                       const LlamadasNsga* llamadas,
                                                                       char* error,
                                                                       std::size_t largoError) {
    try {
        const pagmo::problem problema{Problema(peticion, llamadas)};
        const pagmo::bfe evaluador{pagmo::member_bfe{}};
        pagmo::population poblacion(problema, evaluador, peticion->poblacion, peticion->semilla);
        // One generation per call: the algorithm keeps its random engine
        // between calls, so the run is that of one call of G generations
        // and the program hears of every generation.
        pagmo::nsga2 algoritmo(1u, 0.95, 10., 1.0 / static_cast<double>(peticion->genes), 50.,
                               peticion->semilla);
        algoritmo.set_bfe(evaluador);
        const std::uint32_t G = peticion->generaciones;
        for (std::uint32_t g = 0; g < G; ++g) {
            poblacion = algoritmo.evolve(poblacion);
            if (llamadas->generacion(llamadas->contexto,
                                     static_cast<double>(g + 1) / static_cast<double>(G)) != 0)
                return 1;
        }
        return 0;
    } catch (const Parada&) {
        return 1;
    } catch (const std::exception& e) {
        std::snprintf(error, largoError, "%s", e.what());
    } catch (...) {
        std::snprintf(error, largoError, "error desconocido");
    }
    return 2;
}
