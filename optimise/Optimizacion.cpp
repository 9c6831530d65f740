#include "optimise/Optimizacion.h"

#include <algorithm>

#include "compute/Pert.h"
#include "optimise/CentrosGen.h"

namespace vortena {

Optimizacion::Optimizacion(Red& red, Mensajes& mensajes, FuenteAleatoria& azar)
    : red_(red), msj_(mensajes), azar_(azar) {}

int Optimizacion::Habitantes() const {
    return std::clamp<int>(ajustes.habitantes, AjustesOptimizacion::kHabitantesMin,
                           AjustesOptimizacion::kHabitantesMax);
}

int Optimizacion::Activos() const {
    return std::min(3 * Habitantes(), Poblacion.Count());
}

void Optimizacion::AgregarCadena() {
    Poblacion.Agregar();
}

void Optimizacion::PrepararOptimizacion() {
    Poblacion.Limpiar();
    centros_ = CentrosGen(red_);
    servidoresAlAbrir_.clear();
    for (std::int16_t pos : centros_) servidoresAlAbrir_.push_back(red_.Centros(pos).Servidores);
    partida_ = servidoresAlAbrir_;
    huboCorrida_ = false;
    aplicada_ = false;

    Poblacion.Reservar(kTamanoPoblacion);
    for (int i = 0; i < kTamanoPoblacion; ++i) {
        AgregarCadena();
        Poblacion(Poblacion.Count()).Crear(red_, centros_);
    }
    TiempoMinimo = CalcularPERTServicio(red_, red_.NodoInicio, red_.NodoFin);
    // On the W of the last centre computation: the counts the user had.
    TiempoActual = CalcularPERT(red_, red_.NodoInicio, red_.NodoFin);
}

void Optimizacion::Reproducir() {
    const int H = Habitantes();
    if (3 * H > Poblacion.Count()) return;
    const std::int16_t delta = std::clamp<std::int16_t>(
        ajustes.delta, AjustesOptimizacion::kDeltaMin, AjustesOptimizacion::kDeltaMax);
    for (int i = 1; i <= H; ++i) Poblacion(H + i).mutar(Poblacion(i), delta, azar_);
    for (int i = 1; i <= H; ++i)
        Poblacion(2 * H + i).Mix(Poblacion(i), Poblacion(H / 2 + i), azar_);
}

void Optimizacion::EvaluarPoblacion() {
    const int M = Activos();
    for (int i = 1; i <= M; ++i) {
        GenCadena& p = Poblacion(i);
        p.CalculaFitness(red_, msj_, centros_, TiempoDeseado);
        p.Variancia = 0;
    }
    for (int i = 1; i <= M; ++i) {
        GenCadena& pi = Poblacion(i);
        for (int j = 1; j < i; ++j) {
            GenCadena& pj = Poblacion(j);
            const double d = pj.CalculaDistancia(pi);
            pi.Variancia += d;
            pj.Variancia += d;
        }
    }
}

void Optimizacion::ClasificarPoblacion() {
    const int M = Activos();
    if (M == 0) return;
    const int w = std::clamp<int>(ajustes.diversidad, AjustesOptimizacion::kDiversidadMin,
                                  AjustesOptimizacion::kDiversidadMax);
    Ordenar(1);
    CopiarCadena(MejorCadena, Poblacion(1));
    for (int i = 1; i <= M; ++i) Poblacion(i).NOptimidad = static_cast<std::int16_t>(w * (M - i));
    Ordenar(2);
    for (int i = 1; i <= M; ++i)
        Poblacion(i).NVariancia =
            static_cast<std::int16_t>((AjustesOptimizacion::kDiversidadMax - w) * i);
    Ordenar(3);
}

}  // namespace vortena
