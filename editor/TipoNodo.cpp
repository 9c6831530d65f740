#include "editor/Editor.h"

namespace vortena {

std::uint8_t TipoNodo(const CentroProductivo& c) {
    if (c.EsInicio()) return 2;
    if (c.EsFin()) return 3;
    return 1;
}

}  // namespace vortena
