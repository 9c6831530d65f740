#include "dialogs/ValorEntrada.h"

namespace vortena {

std::optional<double> ValorDeEntrada(std::string_view texto, const Regional& reg, bool entero) {
    if (texto.find(reg.grupo) != std::string_view::npos) return std::nullopt;
    if (entero && texto.find(reg.decimal) != std::string_view::npos) return std::nullopt;
    return LeerNumero(texto, reg);
}

}  // namespace vortena
