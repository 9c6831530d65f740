#pragma once
// The results of every productive centre as a table: the rows of the
// "Resultados" panel, its copy as tab-separated text and its CSV export.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Numeros.h"
#include "model/Red.h"

namespace vortena {

// Column 0 is the centre's name; the rest are numbers, the last is the
// critical mark ("Sí"/"No").
int ColumnasResultados();
const std::string& TituloColumnaResultados(int columna);

struct FilaResultados {
    std::int16_t posicion = 0;
    std::string nombre;
    // By column; values[0] is unused. Times of a centre the last PERT run
    // did not reach are left blank.
    std::vector<double> valores;
    std::vector<bool> vacio;
    // The network changed since its last computation: the measures (every
    // column after S) read "sin calcular".
    bool sinCalcular = false;
};

inline constexpr const char* kTextoSinCalcular = "sin calcular";
// The first column the computation fills (the utilisation).
inline constexpr int kPrimeraMedida = 4;

// One row per productive centre, in network order.
std::vector<FilaResultados> FilasResultados(const Red& red);

// The line as a whole, under the centres' rows: the cost columns summed,
// the output of the line (end node) under λ and the line's time (the end
// node's early time, blank when the last PERT run did not reach it) under
// "Tiempo Temprano".
FilaResultados FilaTotales(const Red& red);
// Cost of the line: servers and time in the system of every centre.
double CostoLinea(const FilaResultados& totales);
// The line's time, or std::nullopt when the PERT did not reach its end.
std::optional<double> TiempoLinea(const FilaResultados& totales);
// What leaves the line per unit of time.
double SalidaLinea(const FilaResultados& totales);
// The columns that hold a time, a rate or a cost per unit of time.
enum class Unidad { Ninguna, Tiempo, Tasa, CostoPorTiempo };
Unidad UnidadColumnaResultados(int columna);

// A cell as shown: numbers with the regional settings and the column's
// pattern (or, `completo`, every significant digit), blank when the row has
// no value there.
std::string TextoCelda(const FilaResultados& fila, int columna, const Regional& reg,
                       bool completo = false);

// Header and rows, cells separated by `separador`, one line each ending in
// "\n". Cells holding the separator, a quote or a line break are quoted
// CSV-fashion when `comillas`; otherwise those characters become blanks.
// Numbers as shown, or with every significant digit when `completo`.
std::string TablaComoTexto(const std::vector<const FilaResultados*>& filas, char separador,
                           bool comillas, const Regional& reg, bool completo = false);

// The CSV field separator that does not clash with the decimal separator.
char SeparadorCsv(const Regional& reg);

// Writes the table as UTF-8 CSV (with a byte-order mark, so spreadsheets
// read the accents), numbers at full precision; throws ErrorArchivo when it
// cannot be written or `ruta` is `archivoRed`, the open network's file.
void EscribirCsvResultados(const std::vector<const FilaResultados*>& filas, const std::string& ruta,
                           const Regional& reg, const std::string& archivoRed = {});

}  // namespace vortena
