#pragma once
// Colour codes the editing operations receive from their callers.

#include <optional>

#include "editor/Superficie.h"

namespace vortena {

// Outline of a centre by mode: 1 black, 2 blue, 3 red, anything else none.
inline std::optional<Color> ColorDeModo(int modo) {
    switch (modo) {
        case 1:
            return kNegro;
        case 2:
            return kAzul;
        case 3:
            return kRojo;
        default:
            return std::nullopt;
    }
}

// Colour of a new connection line; black when the code is unknown, so a
// connection is never invisible.
inline Color ColorDeTrazo(int modo) {
    return ColorDeModo(modo).value_or(kNegro);
}

}  // namespace vortena
