#include "optimise/CacheFrente.h"

#include <span>

#include "optimise/ParaleloFijo.h"

namespace vortena {

namespace {
// A map node with its key's own block: the estimate the bound counts.
constexpr std::size_t kBytesPorEntrada = 96;
}  // namespace

std::vector<EvaluacionFrente> CacheFrente::EvaluarLote(const std::vector<Clave>& lote,
                                                       const Trabajo* trabajo) {
    // The new combinations, each once even when the batch repeats one.
    std::map<Clave, std::size_t> nuevas;
    std::vector<const Clave*> porCalcular;
    for (const Clave& c : lote)
        if (!entradas_.contains(c) && nuevas.emplace(c, porCalcular.size()).second)
            porCalcular.push_back(&c);

    std::vector<EvaluacionFrente> calculo(porCalcular.size());
    const bool grande = porCalcular.size() * modelo_.Tamano() >= minimoParalelo_;
    const int hilos = grande ? HilosEfectivos(hilos_) : 1;
    const std::size_t bloques =
        std::min<std::size_t>(porCalcular.size(), static_cast<std::size_t>(hilos));
    ParaCada(bloques, hilos, [&](std::size_t b) {
        std::vector<double> valores;
        for (std::size_t i = b; i < porCalcular.size(); i += bloques) {
            if (trabajo && trabajo->Cancelado()) throw Cancelado{};
            const Clave& c = *porCalcular[i];
            const auto* d = reinterpret_cast<const std::uint8_t*>(c.data());
            calculo[i] = modelo_.Evaluar(std::span<const std::uint8_t>(d, c.size()), valores);
        }
    });
    // In key order, so what a full cache keeps does not depend on the threads.
    for (const auto& [clave, i] : nuevas) {
        const std::size_t bytes = kBytesPorEntrada + clave.capacity();
        if (bytes_ + bytes > memoria_) break;
        entradas_.emplace(clave, calculo[i]);
        bytes_ += bytes;
    }
    calculadas_ += porCalcular.size();

    std::vector<EvaluacionFrente> r;
    r.reserve(lote.size());
    for (const Clave& c : lote) {
        const auto guardada = entradas_.find(c);
        r.push_back(guardada != entradas_.end() ? guardada->second : calculo[nuevas.at(c)]);
    }
    return r;
}

}  // namespace vortena
