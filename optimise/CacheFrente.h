#pragma once
// The evaluations of one search run, kept by combination so the same server
// counts are never computed twice. A batch is evaluated in parallel and
// merged in batch order, so its results and the cache's contents are the
// same for every thread count.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/Trabajo.h"
#include "optimise/ModeloFrente.h"

namespace vortena {

class CacheFrente {
public:
    // A batch smaller than `minimoParalelo` units of work (see
    // ModeloFrente::Tamano) is computed on the calling thread: handing a
    // few microseconds of work to other threads costs more than it saves,
    // and far more on a busy machine.
    static constexpr std::size_t kMinimoParalelo = 200'000;
    // Past `memoria` bytes no new combination is remembered: it is computed
    // again when asked again, to the same value, so the bound changes the
    // work done and never a result.
    CacheFrente(const ModeloFrente& modelo, int hilos, std::size_t minimoParalelo = kMinimoParalelo,
                std::size_t memoria = std::size_t{64} << 20)
        : modelo_(modelo), hilos_(hilos), minimoParalelo_(minimoParalelo), memoria_(memoria) {}

    // A combination as digits 0..E per gene, one byte each: the byte
    // order of the key is the lexicographic order of the digits.
    using Clave = std::string;

    // The evaluation of every combination of the batch, in batch order.
    // Throws Cancelado when `trabajo` is cancelled.
    std::vector<EvaluacionFrente> EvaluarLote(const std::vector<Clave>& lote,
                                              const Trabajo* trabajo);

    // Combinations actually computed so far (each once while the cache has
    // room).
    std::uint64_t Calculadas() const { return calculadas_; }
    // The combinations remembered, in key order, and an estimate of their bytes.
    const std::map<Clave, EvaluacionFrente>& Entradas() const { return entradas_; }
    std::size_t Bytes() const { return bytes_; }

private:
    const ModeloFrente& modelo_;
    int hilos_;
    std::size_t minimoParalelo_;
    std::size_t memoria_;
    std::size_t bytes_ = 0;
    std::map<Clave, EvaluacionFrente> entradas_;
    std::uint64_t calculadas_ = 0;
};

}  // namespace vortena
