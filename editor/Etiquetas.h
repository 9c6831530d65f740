#pragma once
// The value texts of the node labels. A value whose general text is too wide
// for the box is shown in the compact mantissa-exponent form ("l:1.2E5").

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/Superficie.h"
#include "model/Numeros.h"

namespace vortena {

inline constexpr float kLimiteFilaCentro = 800;
inline constexpr float kLimiteSalida = 600;
inline constexpr const char* kPrefijoLamda = "l:";
inline constexpr const char* kPrefijoMu = "µ:";
inline constexpr const char* kPrefijoServidores = "S:";
inline constexpr const char* kUnidadSalida = "[u/t]";

// prefix + mantissa "0.0" + "E" + exponent, the exponent being the digit
// count of the integer part's general text less one.
std::string TextoCompacto(std::string_view prefijo, double valor, double parteEntera,
                          const Regional& reg);

// Arrival and service rows: "#0.00##", or compact when too wide.
std::string TextoFilaTasa(Superficie& sup, std::string_view prefijo, double valor,
                          const Regional& reg);
// Servers row: the general text of the count, or compact when too wide.
std::string TextoFilaServidores(Superficie& sup, std::int16_t servidores, const Regional& reg);
// End node output line, "[u/t]" included.
std::string TextoSalida(Superficie& sup, double salida, const Regional& reg);

}  // namespace vortena
