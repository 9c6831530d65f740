#pragma once
// Lets tests compare and print recorded message boxes as whole values.

#include <ostream>

#include "support/MensajesGrabados.h"

namespace vortena::prueba {

inline bool operator==(const MensajeVisto& a, const MensajeVisto& b) {
    return a.texto == b.texto && a.titulo == b.titulo && a.botones == b.botones &&
           a.icono == b.icono;
}

inline void PrintTo(const MensajeVisto& m, std::ostream* os) {
    *os << '"' << m.texto << "\" titled \"" << m.titulo << "\", buttons "
        << static_cast<int>(m.botones) << ", icon " << static_cast<int>(m.icono);
}

}  // namespace vortena::prueba
