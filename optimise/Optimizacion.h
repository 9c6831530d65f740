#pragma once
// The state of the genetic search that outlives the dialog: the pool of
// candidates, the best one of the last generation, the desired and minimum
// times, the settings, and the operators that breed, evaluate and order the
// pool. It works on the one network and reports through the one Mensajes.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "model/Coleccion.h"
#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"
#include "model/Red.h"
#include "optimise/AjustesOptimizacion.h"
#include "optimise/FuenteAleatoria.h"
#include "optimise/GenCadena.h"

namespace vortena {

// What the loop reports after each generation.
struct AvanceOptimizacion {
    int generacion = 0;
    double porcentaje = 0;  // ⌊g·100/N′⌋
    double costo = 0;       // MejorCadena.rOptimo
    double tiempo = 0;      // MejorCadena.rTiempo
};

// A run that passed the checks of "Iniciar".
struct PeticionCorrida {
    double deseado = 0;
    double iteraciones = 0;  // N, the prefix value of the box: generations 0..N
    double divisor = 0;      // N′, the box's number, divides the percentage
};

enum class RechazoCorrida { Ninguno, Deseado, Iteraciones };

class Optimizacion {
public:
    static constexpr int kTamanoPoblacion = 150;

    Optimizacion(Red& red, Mensajes& mensajes, FuenteAleatoria& azar);

    Coleccion<GenCadena> Poblacion;
    GenCadena MejorCadena;
    double TiempoDeseado = 0;
    double TiempoMinimo = 0;
    // The line's time when the pool was built: the desired time offered.
    double TiempoActual = 0;
    AjustesOptimizacion ajustes;

    Red& red() { return red_; }
    Mensajes& mensajes() { return msj_; }

    // Opening: computes every centre and checks the PERT start and end nodes
    // (telling the user what failed), then builds the pool. False when the
    // dialog must not open; the network then keeps its server counts.
    bool Abrir();
    // Closing: when no run happened since Abrir, gives the gene centres back
    // the server counts they had before the pool was built.
    void Cerrar();
    bool HuboCorrida() const { return huboCorrida_; }

    // Builds the pool of 150 and the minimum and offered times. The service
    // PERT may throw ErrorAritmetico (a start node other than "INICIO" whose
    // predecessors have Mu = 0); Abrir catches it.
    void PrepararOptimizacion();

    // The checks of "Iniciar" on the two boxes' texts, with their messages.
    // Sets TiempoDeseado from a numeric desired time as the run does.
    std::optional<PeticionCorrida> ComprobarInicio(std::string_view deseado,
                                                   std::string_view iteraciones,
                                                   const Regional& reg,
                                                   RechazoCorrida* rechazo = nullptr);
    // Generations 0..N, reporting each. The network as it stood takes part
    // from the first generation and the best candidate of the whole run is
    // kept, so the result (MejorCadena) is never below the start by the
    // search's own fitness. The network takes the result's counts only when
    // it improves on the start (MejoraLaRed); otherwise it keeps its own.
    // Either way it is computed and the document is marked modified.
    void Correr(const PeticionCorrida& p, Documento& doc,
                const std::function<void(const AvanceOptimizacion&)>& alAvanzar = {});
    // The network as the last run found it, evaluated as a candidate.
    const GenCadena& Inicial() const { return inicial_; }
    // Whether the last run changed the network's counts.
    bool Aplicada() const { return aplicada_; }

    // One generation, in this order.
    void Reproducir();
    void EvaluarPoblacion();
    void ClasificarPoblacion();

    // 1: by Optimidad, 2: by Variancia, 3: by Optimidad + Variancia; largest
    // first, stable; other values do nothing.
    void Ordenar(std::int16_t criterio);
    static void CopiarCadena(GenCadena& destino, const GenCadena& origen);
    void AgregarCadena();

    // H and M = 3H as the loop uses them (M never beyond the pool).
    int Habitantes() const;
    int Activos() const;
    const std::vector<std::int16_t>& centrosGen() const { return centros_; }

private:
    Red& red_;
    Mensajes& msj_;
    FuenteAleatoria& azar_;
    std::vector<std::int16_t> centros_;
    std::vector<std::int16_t> servidoresAlAbrir_;
    // The gene centres' counts the network stands at between runs.
    std::vector<std::int16_t> partida_;
    GenCadena inicial_, mejorHallada_;
    bool huboCorrida_ = false;
    bool aplicada_ = false;

    void PonerServidores(const std::vector<std::int16_t>& servidores, bool calcular);
};

// The checks of the optimisation command before the dialog opens: every
// productive centre computed, then the PERT must reach its end node.
bool ComprobarRedOptimizacion(Red& red, Mensajes& mensajes);

// Whether a result is one the user would take over the network as it stood,
// against the desired time: meeting it when the start did not; when both
// meet it, cheaper (or as cheap and faster); when neither does, no worse
// on cost and time and better on one.
bool MejoraLaRed(const GenCadena& resultado, const GenCadena& inicial, double deseado);

// True when the iteration box holds a number above zero.
bool IteracionesValidas(std::string_view texto, const Regional& reg);

}  // namespace vortena
