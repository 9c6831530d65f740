#include "dialogs/HuellaCentro.h"

#include <cmath>

namespace vortena {

namespace {

bool Igual(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

HuellaCentro::HuellaCentro(const CentroProductivo& c)
    : Nombre(c.Nombre),
      Descripcion(c.Descripción),
      Lamda(c.Lamda),
      Mu(c.Mu),
      Probabilidad(c.Probabilidad),
      CostoEspera(c.CostoEspera),
      CostoCentro(c.CostoCentro),
      Desvlamda(c.Desvlamda),
      DesvMu(c.DesvMu),
      Salida(c.Salida),
      Servidores(c.Servidores) {}

bool HuellaCentro::operator==(const HuellaCentro& o) const {
    return Nombre == o.Nombre && Descripcion == o.Descripcion && Igual(Lamda, o.Lamda) &&
           Igual(Mu, o.Mu) && Igual(Probabilidad, o.Probabilidad) &&
           Igual(CostoEspera, o.CostoEspera) && Igual(CostoCentro, o.CostoCentro) &&
           Igual(Desvlamda, o.Desvlamda) && Igual(DesvMu, o.DesvMu) && Igual(Salida, o.Salida) &&
           Servidores == o.Servidores;
}

}  // namespace vortena
