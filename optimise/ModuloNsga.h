#pragma once
// The boundary between the program and the NSGA-II module, a shared library
// loaded only when an approximate front is computed: pagmo's image and
// static start-up cost every process a fifth of a second and 35 MB, and only
// this search uses it. Plain C types, so neither side depends on the other's
// classes; a new layout gets a new symbol name.

#include <cstddef>
#include <cstdint>

extern "C" {

struct PeticionNsga {
    std::size_t genes;  // integer variables, each 0..tope
    double tope;
    std::uint32_t poblacion;  // a multiple of 4
    std::uint32_t generaciones;
    std::uint32_t semilla;
};

struct LlamadasNsga {
    void* contexto;
    // The (cost, time) of `filas` rows of `genes` values each, into
    // f[0..2·filas). Non-zero stops the search.
    int (*evaluar)(void* contexto, const double* x, std::size_t filas, double* f);
    // After each generation, with the fraction done. Non-zero stops it.
    int (*generacion)(void* contexto, double fraccion);
};

// 0: done; 1: stopped by a call above; 2: failed, `error` says why.
typedef int (*FuncionNsga)(const PeticionNsga* peticion, const LlamadasNsga* llamadas, char* error,
                           std::size_t largoError);
}

namespace vortena {

inline constexpr const char* kSimboloNsga = "vortena_nsga2_v1";
inline constexpr const char* kArchivoModuloNsga = "vortena-nsga2.so";

}  // namespace vortena
