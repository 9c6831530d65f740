#include "dialogs/CamposCentro.h"

#include "model/ErrorAritmetico.h"

namespace vortena {

namespace {

constexpr const char* kPatronDesviacion = "#0.0000";

// Sets a rate, resetting its deviation when the user never changed it.
void GuardarTasa(double& tasa, const double& desviacion, void (CentroProductivo::*reiniciar)(),
                 CentroProductivo& c, double valor, const Regional& reg) {
    const double anterior = tasa;
    if (anterior == 0.0) return;
    const bool predeterminada = Formato(desviacion, kPatronDesviacion, reg) ==
                                Formato(1.0 / anterior, kPatronDesviacion, reg);
    tasa = valor;
    if (predeterminada) (c.*reiniciar)();
}

}  // namespace

const std::array<ReglaCampo, kCamposCentro>& ReglasCentro() {
    static const std::array<ReglaCampo, kCamposCentro> reglas{{
        {CampoCentro::Lamda, "Lamda", "#0.0###", "#0.0###", "Velocidad de Arribo inválida", "Mu",
         false},
        {CampoCentro::Mu, "Mu", "#0.0####", "#0.0###", "Velocidad de Despacho inválida", "S",
         false},
        {CampoCentro::S, "S", "#0", "#0", "Número de Servidores inválido", "minimos", true},
        {CampoCentro::Probabilidad, "Probabilidad", "#0.00##", "#0.00##", "Probabilidad inválida",
         "calcProbabilidad", false},
        {CampoCentro::CostoEspera, "CostoEspera", "#0.00##", "#0.00##", "Costo de espera inválido",
         "CostoServidor", false},
        {CampoCentro::CostoServidor, "CostoServidor", "#0.00##", "#0.00##",
         "Costo de Servidor inválido", "optimo1", false},
        {CampoCentro::Desvlamda, "Desvlamda", "#0.00##", "#0.0##", "Desviación de Lambda inválida",
         "DesvMu", false},
        {CampoCentro::DesvMu, "DesvMu", "0.0##", "#0.0##", "Desviación de Mu inválida", "aceptar",
         false},
    }};
    return reglas;
}

double ValorCampo(const CentroProductivo& c, CampoCentro campo) {
    switch (campo) {
        case CampoCentro::Lamda:
            return c.Lamda;
        case CampoCentro::Mu:
            return c.Mu;
        case CampoCentro::S:
            return c.Servidores;
        case CampoCentro::Probabilidad:
            return c.Probabilidad;
        case CampoCentro::CostoEspera:
            return c.CostoEspera;
        case CampoCentro::CostoServidor:
            return c.CostoCentro;
        case CampoCentro::Desvlamda:
            return c.Desvlamda;
        case CampoCentro::DesvMu:
            return c.DesvMu;
    }
    return 0;
}

bool FueraDeRango(CampoCentro campo, double valor, const CentroProductivo& c) {
    switch (campo) {
        case CampoCentro::Lamda:
        case CampoCentro::Mu:
        case CampoCentro::CostoEspera:
            return valor <= 0;
        case CampoCentro::S: {
            if (valor <= 0) return true;
            const double s = RedondearPar(valor);
            return !(s >= 1 && s <= 32767);
        }
        case CampoCentro::Probabilidad:
            return valor <= 0 || valor > 1;
        case CampoCentro::CostoServidor:
            return valor < 0;
        case CampoCentro::Desvlamda:
            return valor < 0 || valor > c.Lamda;
        case CampoCentro::DesvMu:
            return valor < 0 || valor > c.Mu;
    }
    return true;
}

void GuardarCampo(CentroProductivo& c, CampoCentro campo, double valor, const Regional& reg) {
    switch (campo) {
        case CampoCentro::Lamda:
            GuardarTasa(c.Lamda, c.Desvlamda, &CentroProductivo::ActDesvLamda, c, valor, reg);
            break;
        case CampoCentro::Mu:
            GuardarTasa(c.Mu, c.DesvMu, &CentroProductivo::ActDesvMu, c, valor, reg);
            break;
        case CampoCentro::S:
            c.Servidores = AEntero16(valor);
            break;
        case CampoCentro::Probabilidad:
            c.Probabilidad = valor;
            break;
        case CampoCentro::CostoEspera:
            c.CostoEspera = valor;
            break;
        case CampoCentro::CostoServidor:
            c.CostoCentro = valor;
            break;
        case CampoCentro::Desvlamda:
            c.Desvlamda = valor;
            break;
        case CampoCentro::DesvMu:
            c.DesvMu = valor;
            break;
    }
}

}  // namespace vortena
