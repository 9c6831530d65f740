#include "optimise/CacheFrente.h"

#include <span>

#include "optimise/ParaleloFijo.h"

namespace vortena {

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
    for (const auto& [clave, i] : nuevas) entradas_.emplace(clave, calculo[i]);
    calculadas_ += porCalcular.size();

    std::vector<EvaluacionFrente> r;
    r.reserve(lote.size());
    for (const Clave& c : lote) r.push_back(entradas_.at(c));
    return r;
}

}  // namespace vortena
