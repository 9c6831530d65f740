#pragma once
// The eight numeric entries of a centre: which field each box stores into,
// when a value is out of range, and the patterns that refill the box after a
// success, a range refusal and a refused character.

#include <array>
#include <cstddef>

#include "model/CentroProductivo.h"
#include "model/Numeros.h"

namespace vortena {

enum class CampoCentro : std::size_t {
    Lamda,
    Mu,
    S,
    Probabilidad,
    CostoEspera,
    CostoServidor,
    Desvlamda,
    DesvMu,
};

inline constexpr std::size_t kCamposCentro = 8;

struct ReglaCampo {
    CampoCentro campo;
    const char* caja;  // object name of the entry box
    const char* patronExito;
    const char* patronRechazo;
    const char* mensajeRango;
    const char* siguiente;   // object name of the control that takes the focus
    bool avanzaTrasRechazo;  // the focus moves on after a range refusal too
};

const std::array<ReglaCampo, kCamposCentro>& ReglasCentro();
inline const ReglaCampo& Regla(CampoCentro c) {
    return ReglasCentro()[static_cast<std::size_t>(c)];
}

// The stored value a box shows.
double ValorCampo(const CentroProductivo& c, CampoCentro campo);

// The range test of an entry; the deviations are bounded by the stored rate.
// A server count must round to 1..32767 to fit the 16-bit field.
bool FueraDeRango(CampoCentro campo, double valor, const CentroProductivo& c);

// Stores an accepted value. A new rate drags its deviation along while the
// deviation still has its exponential default (compared as displayed, to
// four decimals); a deviation set by hand stays. Nothing is stored into a
// rate whose old value is 0.
void GuardarCampo(CentroProductivo& c, CampoCentro campo, double valor, const Regional& reg);

}  // namespace vortena
