#pragma once
// The network file (.vtq): a header with the start and end nodes, one record
// per node, one per connection, each value on its own line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Documento.h"
#include "model/Numeros.h"
#include "model/Red.h"

namespace vortena {

inline constexpr std::string_view kSufijoTituloGuardado = "- Vortena de Líneas de Producción";
inline constexpr std::string_view kSufijoTituloAbierto = " - Vortena de Líneas de Producción";

// The bytes of the file for the network: Windows-1252, CR LF, reals with the
// locale's decimal separator. Line breaks inside texts become blanks. Throws
// ErrorArchivo, naming the node and field, when a value is NaN or infinite.
std::string EscribirRed(const Red& red, const Regional& reg);

// Reads the bytes of a file into `nueva`, a store without records whose
// NodoInicio/NodoFin are kept when the file has no header, then checks every
// invariant the computations rely on. Throws ErrorArchivo on any fault, after
// which `nueva` is to be discarded.
void LeerRed(std::string_view bytes, Red& nueva);

// The names and descriptions that the file's code page cannot hold, each as
// "<text>" → "<text as it will be stored>"; empty when everything fits.
std::vector<std::string> TextosQueCambiaran(const Red& red);

// The open network's file, which no report, table or picture may replace;
// empty when the network has none yet.
inline std::string ArchivoAbierto(const Documento& doc) {
    return doc.Guardado ? doc.NombreArchivo : std::string();
}

// Writes the file (atomically), then the caption and the modified mark.
// Throws ErrorArchivo; the previous file is then intact.
void GuardarRed(const Red& red, const std::string& ruta, const Regional& reg, Documento& doc);

// Larger files are refused unread: no network the program can hold is near.
inline constexpr std::uintmax_t kTamanoMaximoArchivo = 256u * 1024u * 1024u;

// Replaces the network with the file's only when the whole file was read and
// checked; then clears the selection, redraws, sets the caption and clears
// the modified mark. Throws ErrorArchivo and leaves everything as it was.
void AbrirRed(Red& red, const std::string& ruta, Documento& doc);

// Next entry of a list line. `cursor` is 1-based, on the entry's first
// character; it is left on the "|" after the entry or one past the end.
std::int16_t LeerCampo(std::string_view texto, std::size_t& cursor);

// A new record with the defaults of a newly created one, appended at the end.
CentroProductivo& AgregarCentro(Red& red);
linea& AgregarLinea(Red& red);

}  // namespace vortena
