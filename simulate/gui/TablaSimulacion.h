#pragma once
// The centres table of the simulation window as text: column titles and, per
// centre, each cell's text, its sort key and whether it shows a figure the
// formula misses. The window, the clipboard and the CSV export share it.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "model/Numeros.h"
#include "simulate/SimulacionCentros.h"

namespace vortena {

struct CeldaSimulacion {
    QString texto;
    std::optional<double> clave;  // numeric sort key; text order without one
    bool fuera = false;           // flagged: the formula misses this figure
    QString nota;                 // why it is not judged, or may be too narrow
};

// A column and the group the user shows or hides it with (empty: always
// shown).
struct ColumnaSimulacion {
    QString titulo;
    QString grupo;
    bool visible = true;  // shown before the user chooses
};

struct FilaSimulacion {
    std::vector<CeldaSimulacion> celdas;
    bool inestable = false;
    bool fuera = false;  // some analytic figure lies outside its interval
};

std::vector<ColumnaSimulacion> ColumnasSimulacion();
std::vector<QString> TitulosSimulacion();
// The groups in column order, once each.
std::vector<QString> GruposSimulacion();
std::vector<FilaSimulacion> FilasSimulacion(const ResultadoSimulacion& r, const Regional& reg);

// A figure with about four significant digits; "valor ± semiancho" with the
// value rounded where the half-width's second digit falls.
QString CifraCorta(double x, const Regional& reg);
QString ConIntervalo(const Estimacion& e, const Regional& reg);

// Rows of cells as tab-separated text, and as CSV (";" between fields when
// the decimal separator is ",", else ","; quoted when needed).
QString TextoTabulado(const std::vector<std::vector<QString>>& filas);
QString TextoCSV(const std::vector<std::vector<QString>>& filas, const Regional& reg);

}  // namespace vortena
