#pragma once
// Painting a node's box: erasing it and outlining it.

#include "editor/Superficie.h"
#include "model/CentroProductivo.h"

namespace vortena {

inline constexpr int kGrosorCaja = 3;  // boxes and the separator inside a centre
inline constexpr int kGrosorConexion = 1;

// Erasing is a rectangle filled white over the box.
inline void BorrarCaja(Superficie& sup, const CentroProductivo& c) {
    sup.Rectangulo(c.x1, c.y1, c.x2, c.y2, kBlanco, kGrosorCaja, true);
}

inline void ContornoCaja(Superficie& sup, const CentroProductivo& c, Color color) {
    sup.Rectangulo(c.x1, c.y1, c.x2, c.y2, color, kGrosorCaja, false);
}

}  // namespace vortena
