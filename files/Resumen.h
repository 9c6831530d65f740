#pragma once
// The text report "Resumen.txt": one block per productive centre with its
// inputs, measures, costs and PERT times, then the totals of the line.

#include <string>
#include <string_view>

#include "model/Numeros.h"
#include "model/Red.h"

namespace vortena {

inline constexpr const char* kNombreResumen = "Resumen.txt";

// The report as UTF-8 text, `finDeLinea` after every line. Sizes every
// centre's minimum and optimum servers on the centre and restores its count.
// A count whose sizing fails is written as "no calculable" (and ErrorCalculo
// is set); the report is complete all the same.
std::string TextoResumen(Red& red, const Regional& reg, std::string_view finDeLinea = "\n");

// The report written to `ruta` (Windows-1252, CR LF); throws ErrorArchivo
// when it cannot be written, the old file intact, and refuses to replace
// `archivoRed` (the open network's file) under any name.
void EscribirResumen(Red& red, const std::string& ruta, const Regional& reg,
                     const std::string& archivoRed = {});

// Writes carpeta + "Resumen.txt" as EscribirResumen does.
void GenerarResumen(Red& red, const std::string& carpeta, const Regional& reg);

}  // namespace vortena
