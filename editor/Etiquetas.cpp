#include "editor/Etiquetas.h"

#include <cmath>

namespace vortena {

namespace {

// Number of characters as the user sees them (the text is UTF-8).
int Caracteres(std::string_view s) {
    int n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

}  // namespace

std::string TextoCompacto(std::string_view prefijo, double valor, double parteEntera,
                          const Regional& reg) {
    const int e = Caracteres(TextoGeneral(parteEntera, reg)) - 1;
    const double mantisa = valor / std::pow(10.0, e);
    std::string t(prefijo);
    t += Formato(mantisa, "0.0", reg);
    t += "E";
    t += TextoGeneral(e, reg);
    return t;
}

std::string TextoFilaTasa(Superficie& sup, std::string_view prefijo, double valor,
                          const Regional& reg) {
    // The width test looks at the general text, not at the text drawn.
    if (sup.AnchoTexto(TextoGeneral(valor, reg)) > kLimiteFilaCentro)
        return TextoCompacto(prefijo, valor, std::floor(valor), reg);
    return std::string(prefijo) + Formato(valor, "#0.00##", reg);
}

std::string TextoFilaServidores(Superficie& sup, std::int16_t servidores, const Regional& reg) {
    const std::string g = TextoGeneral(servidores, reg);
    if (sup.AnchoTexto(g) > kLimiteFilaCentro)
        return TextoCompacto(kPrefijoServidores, servidores, servidores, reg);
    return kPrefijoServidores + g;
}

std::string TextoSalida(Superficie& sup, double salida, const Regional& reg) {
    const std::string g = TextoGeneral(salida, reg);
    if (sup.AnchoTexto(g) > kLimiteSalida)
        return TextoCompacto("", salida, std::floor(salida), reg) + kUnidadSalida;
    return g + kUnidadSalida;
}

}  // namespace vortena
