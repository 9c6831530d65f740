#include "editor/Sombreado.h"

#include <algorithm>

namespace vortena {

void CapasSombreado::Poner(const std::string& clave, Sombreado s) {
    Quitar(clave);
    capas_.emplace_back(clave, std::move(s));
}

void CapasSombreado::Quitar(const std::string& clave) {
    std::erase_if(capas_, [&](const auto& c) { return c.first == clave; });
}

const Color* CapasSombreado::Relleno(std::int16_t posicion) const {
    for (auto it = capas_.rbegin(); it != capas_.rend(); ++it) {
        auto r = it->second.relleno.find(posicion);
        if (r != it->second.relleno.end()) return &r->second;
    }
    return nullptr;
}

}  // namespace vortena
