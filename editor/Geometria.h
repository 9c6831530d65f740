#pragma once
// Node box sizes, connection anchors and the hit tests of the canvas tools.

#include "model/CentroProductivo.h"
#include "model/linea.h"

namespace vortena {

inline constexpr float kAnchoNodo = 1000;
inline constexpr float kAltoCentro = 1000;
inline constexpr float kAltoExtremo = 700;  // start and end nodes
// The end anchor stops short of the node so the 150-unit arrowhead ends
// 10 units before the box.
inline constexpr float kRetrocesoFlecha = 160;

// Box height of a node, told by its name as everywhere else.
float AltoNodo(const CentroProductivo& c);

// Half the box height as the anchors use it: the height rounded to an
// integer (half to even), then halved with the remainder dropped.
int MitadAlto(const CentroProductivo& c);

// Strictly inside the box; the border is outside.
bool PuntoEnNodo(const CentroProductivo& c, float x, float y);

// Within 50 units measured vertically around the line, from the start anchor
// to 75 units past the end anchor. Vertical connections are never hit.
bool PuntoEnConexion(const linea& l, float x, float y);

// Within `tolerancia` units of the drawn line or its arrowhead, measured
// square to it, so a steep line is as easy to pick as a level one. Vertical
// connections are never hit, as above.
bool PuntoCercaDeConexion(const linea& l, float x, float y, float tolerancia);

// Anchors of a connection: start at the middle of the start node's right
// edge, end left of the end node's box at its middle height.
void AnclarInicio(linea& l, const CentroProductivo& desde);
void AnclarFin(linea& l, const CentroProductivo& hasta);

}  // namespace vortena
