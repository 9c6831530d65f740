#include "dialogs/Registro.h"

#include "model/Numeros.h"

namespace vortena {

namespace {

// The value of "&h" followed by the hexadecimal digits of every character,
// last character first, each written without leading zeros. Empty when there
// are no digits or more than 32 bits of them.
std::string TextoDecimalDeBytes(const std::string& bytes) {
    if (bytes.empty()) return {};
    std::uint64_t valor = 0;
    int digitos = 0;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        const auto c = static_cast<unsigned char>(*it);
        const int ancho = c < 0x10 ? 1 : 2;
        digitos += ancho;
        if (digitos > 8) return {};
        valor = valor * (ancho == 1 ? 0x10u : 0x100u) + c;
    }
    return TextoGeneral(static_cast<double>(valor), Regional{});
}

}  // namespace

bool GetKeyValue(Registro& registro, ClaveRegistro KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    ClaveRegistro clave = 0;
    bool abierta = false;
    auto fallar = [&] {
        KeyVal.clear();
        if (abierta) registro.CerrarClave(clave);
        return false;
    };

    if (registro.AbrirClave(KeyRoot, KeyName, kAccesoClave, clave) != kRegistroCorrecto) {
        return fallar();
    }
    abierta = true;

    std::string datos(kTamanoBufferRegistro, '\0');
    std::uint32_t tamano = kTamanoBufferRegistro;
    std::uint32_t tipo = 0;
    if (registro.ConsultarValor(clave, SubKeyRef, tipo, datos, tamano) != kRegistroCorrecto ||
        tamano > datos.size()) {
        return fallar();
    }

    // A string value carries its terminating zero in the used size.
    std::string guardado;
    if (tamano > 0) {
        const bool terminaEnCero = datos[tamano - 1] == '\0';
        guardado = datos.substr(0, terminaEnCero ? tamano - 1 : tamano);
    }

    if (tipo == kTipoTexto) {
        KeyVal = guardado;
    } else if (tipo == kTipoNumero) {
        std::string decimal = TextoDecimalDeBytes(guardado);
        if (decimal.empty()) return fallar();
        KeyVal = decimal;
    }
    registro.CerrarClave(clave);
    return true;
}

}  // namespace vortena
