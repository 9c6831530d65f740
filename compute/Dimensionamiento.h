#pragma once
// Network-wide commands over every productive centre, in collection order:
// server sizing and the full computation that validates the PERT markers.

#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Red.h"

namespace vortena {

// Minimum stable server count of every centre. A centre whose sizing fails
// keeps its count and is reported ("Error por desbordamiento", titled with
// its name); the others are still sized. Marks the document modified.
void ServidoresMinimosRed(Red& red, Mensajes& mensajes, Documento& doc);

// Cost-optimal server count of every centre, reported like the minimum; an
// arithmetic failure of the search itself (e.g. CostoEspera = 0) is
// reported the same way and leaves that centre's count as it was.
void ServidoresOptimosRed(Red& red, Mensajes& mensajes, Documento& doc);

// Queue measures of every centre, then the PERT between NodoInicio and
// NodoFin. Stops at the first centre whose computation fails (it has shown
// its own message); reports "Centros de inicio y/o Fin inválidos" when the
// PERT does not reach the end node; otherwise marks the document modified.
void CalcularRed(Red& red, Mensajes& mensajes, Documento& doc);

}  // namespace vortena
