#pragma once
// Taking a point of the cost–time front into the network, and the front as
// CSV text.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"
#include "model/Red.h"
#include "optimise/BusquedaFrente.h"
#include "optimise/ModeloFrente.h"

namespace vortena {

inline constexpr const char* kTextoRedCambiada =
    "La red cambió desde que se calculó el frente: vuelva a calcularlo antes de aplicar un punto.";

// The gene centres take the point's counts and are computed, then the PERT;
// the document is marked modified, as at the end of the genetic search.
// When a gene centre is no longer where the search found it (the network
// was edited meanwhile) it says so and changes nothing: false.
bool AplicarServidores(Red& red, Mensajes& mensajes, Documento& doc, const ModeloFrente& modelo,
                       std::span<const std::int16_t> servidores);

// The front point that beats (costo, tiempo): no worse on both and better on
// one; the cheapest such point, nullptr when none does.
const PuntoFrente* PuntoDominante(const ResultadoFrente& frente, double costo, double tiempo);

// What the front says of a result of the genetic search, for its dialog.
std::string JuicioFrente(const ResultadoFrente& frente, double costo, double tiempo,
                         const Regional& reg);

// "costo,tiempo,aporte," then the gene centres' names; one line per point.
// Numbers with "." whatever the regional settings.
std::string TextoCsvFrente(const ModeloFrente& modelo, const ResultadoFrente& resultado);

}  // namespace vortena
