#include "model/HuellaRed.h"

#include <cstring>

namespace vortena {
namespace {

template <class T>
void Anadir(std::string& h, const T& v) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T));
    h.append(bytes, sizeof(T));
}

}  // namespace

std::string HuellaRed(const Red& red, bool servidores) {
    std::string h;
    Anadir(h, red.NodoInicio);
    Anadir(h, red.NodoFin);
    for (const CentroProductivo& c : red.Centros) {
        Anadir(h, c.posicion);
        Anadir(h, c.Nombre.size());
        h += c.Nombre;
        for (double v : {c.Lamda, c.Mu, c.Desvlamda, c.DesvMu, c.Probabilidad, c.CostoEspera,
                         c.CostoCentro, c.Salida})
            Anadir(h, v);
        if (servidores) Anadir(h, c.Servidores);
    }
    for (const linea& l : red.Conexiones) {
        Anadir(h, l.CentroInicio);
        Anadir(h, l.CentroFin);
        Anadir(h, l.multiplicador);
    }
    return h;
}

}  // namespace vortena
