#pragma once
// The optimisation's own message texts and the texts of its labels.

#include <string>

#include "model/Numeros.h"

namespace vortena {

inline constexpr const char* kTituloErrorCarga = "Error de Carga";
inline constexpr const char* kTextoValorPequeno = "El valor es demasiado pequeño";
// A carriage return alone separates the two lines.
inline constexpr const char* kTextoIteracionesCero =
    "El valor de iteracioes debe ser mayor que cero\r"
    "por lo tanto se cargará el valor por defecto (100)";
inline constexpr const char* kTextoCentrosInvalidos = "Centros de inicio y/o Fin inválidos";

// " Costo: 12,5 Tiempo: 1,25"
std::string TextoResultado(double costo, double tiempo, const Regional& reg);
// " 100 %"
std::string TextoPorcentaje(double porcentaje, const Regional& reg);
// "El valor debe ser mayor a 0,75"
std::string TextoTiempoMinimo(double tiempo, const Regional& reg);

}  // namespace vortena
