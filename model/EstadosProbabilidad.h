#pragma once
// The probability of finding n units in one centre, n = 0, 1, 2, ... until
// it becomes negligible. It works from the centre's stored P0, Rho and
// Servidores (its last Calculos) with the plain multi-server formula, without
// the variability factor, and never writes to the centre.
//
// The outcome is returned as data; AvisarTablaEstados shows the message box
// of an outcome without rows, so the window only fills its grid.

#include <string>
#include <vector>

#include "model/CentroProductivo.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"

namespace vortena {

// States are listed until one falls below this probability.
inline constexpr double kUmbralEstados = 9e-5;
inline constexpr const char* kTituloEstados = "Calculo de Estados";

enum class ResultadoEstados {
    Tabla,                // rows to show
    ProbabilidadElevada,  // more than 999 states above the threshold
    Desbordamiento,       // an arithmetic failure (no servers, invalid measures)
};

struct FilaEstado {
    std::string estado;  // "P( 3)"
    std::string valor;   // the probability with the pattern "0.00000"
};

struct TablaEstados {
    ResultadoEstados resultado = ResultadoEstados::Tabla;
    std::vector<double> probabilidades;  // P(0) .. P(N-1), one per row
    std::vector<FilaEstado> filas;       // empty unless resultado is Tabla

    // The grid has one row more than the states listed; the last stays empty.
    int FilasGrid() const { return static_cast<int>(filas.size()) + 1; }
};

TablaEstados CalcularTablaEstados(const CentroProductivo& centro, const Regional& reg);

// "La probabilidad es muy elevada" (title "Calculo de Estados", OK, critical)
// or "Error por Desbordamiento" (program title, OK, exclamation); nothing for
// a table with rows.
void AvisarTablaEstados(const TablaEstados& tabla, Mensajes& mensajes);

}  // namespace vortena
