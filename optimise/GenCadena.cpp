#include "optimise/GenCadena.h"

#include <algorithm>
#include <cmath>

#include "compute/Pert.h"

namespace vortena {

void GenCadena::Crear(Red& red, std::span<const std::int16_t> centros) {
    nEl = static_cast<std::int16_t>(centros.size());
    for (std::int16_t pos : centros) {
        CentroProductivo& c = red.Centros(pos);
        EL.Agregar(c.Servidores);
        c.ServidoresMinimos(red.ErrorCalculo);
        FServidoresMinimos.Agregar(c.Servidores);
    }
}

void GenCadena::mutar(const GenCadena& gs, std::int16_t delta, FuenteAleatoria& azar) {
    for (int k = 1; k <= nEl; ++k) {
        const int padre = gs.EL(k);
        const int minimo = FServidoresMinimos(k);
        // No draw can reach the minimum when the parent lies more than delta
        // below it; redrawing would never end, so the gene takes the minimum.
        if (padre + delta < minimo) {
            EL.Reemplazar(k, static_cast<std::int16_t>(minimo));
            continue;
        }
        int r;
        do {
            r = std::min<int>(delta, static_cast<int>(std::floor(delta * azar.Uniforme() + 1.0)));
        } while (padre + r < minimo);
        EL.Reemplazar(k, static_cast<std::int16_t>(padre + r));
    }
}

void GenCadena::Mix(const GenCadena& gs1, const GenCadena& gs2, FuenteAleatoria& azar) {
    for (int k = 1; k <= nEl; ++k) {
        const double u = azar.Uniforme();
        EL.Reemplazar(k, u <= 0.5 ? gs1.EL(k) : gs2.EL(k));
    }
}

void GenCadena::CalculaFitness(Red& red, Mensajes& mensajes, std::span<const std::int16_t> centros,
                               double TiempoDeseado) {
    rOptimo = 0;
    int k = 1;
    for (std::int16_t pos : centros) {
        CentroProductivo& c = red.Centros(pos);
        c.Servidores = EL(k++);
        c.Calculos(red.ErrorCalculo, mensajes);
        rOptimo = rOptimo + c.CtoEsperaCentro + c.CtoTotalServidores;
    }
    rTiempo = CalcularPERT(red, red.NodoInicio, red.NodoFin);
    Optimidad = Fitness(rTiempo, TiempoDeseado, rOptimo);
}

double GenCadena::CalculaDistancia(const GenCadena& gs) const {
    double suma = 0;
    for (int k = 1; k <= nEl; ++k) {
        const double d = static_cast<double>(EL(k) - gs.EL(k));
        suma += d * d;
    }
    return suma;
}

double Fitness(double t, double T, double costo) {
    if (t < T) return (t + T) * 1e20;
    return -costo;
}

}  // namespace vortena
