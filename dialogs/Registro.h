#pragma once
// The operating system's registry as the about box sees it: open a key, query
// one value into a byte buffer, close the key. The calls mirror the Win32 ANSI
// API (a result of 0 is success) so that a port to a platform with a registry
// only has to forward them. Here there is none: RegistroAusente fails every
// open, and tests drive GetKeyValue with a fake.

#include <cstdint>
#include <string>

namespace vortena {

using ClaveRegistro = std::uint32_t;

inline constexpr ClaveRegistro kHKeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kAccesoClave = 0x2003Fu;
inline constexpr long kRegistroCorrecto = 0;
inline constexpr long kRegistroNoEncontrado = 2;
inline constexpr std::uint32_t kTipoTexto = 1;   // REG_SZ
inline constexpr std::uint32_t kTipoNumero = 4;  // REG_DWORD
inline constexpr std::uint32_t kTamanoBufferRegistro = 1024;

class Registro {
public:
    virtual ~Registro() = default;
    virtual long AbrirClave(ClaveRegistro raiz, const std::string& nombre, std::uint32_t acceso,
                            ClaveRegistro& clave) = 0;
    // `datos` arrives holding `tamano` zero bytes; on success the value's bytes
    // are at its start, `tamano` is the number of bytes used and `tipo` the
    // value's type.
    virtual long ConsultarValor(ClaveRegistro clave, const std::string& valor, std::uint32_t& tipo,
                                std::string& datos, std::uint32_t& tamano) = 0;
    virtual long CerrarClave(ClaveRegistro clave) = 0;
};

// The registry of a platform that has none.
class RegistroAusente : public Registro {
public:
    long AbrirClave(ClaveRegistro, const std::string&, std::uint32_t, ClaveRegistro&) override {
        return kRegistroNoEncontrado;
    }
    long ConsultarValor(ClaveRegistro, const std::string&, std::uint32_t&, std::string&,
                        std::uint32_t&) override {
        return kRegistroNoEncontrado;
    }
    long CerrarClave(ClaveRegistro) override { return kRegistroCorrecto; }
};

// Reads value `SubKeyRef` of key `KeyName` under `KeyRoot`. A string value
// comes back as its text, a 32-bit number as its decimal text; other types
// leave `KeyVal` untouched. False, with `KeyVal` emptied, on any failure.
bool GetKeyValue(Registro& registro, ClaveRegistro KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

}  // namespace vortena
