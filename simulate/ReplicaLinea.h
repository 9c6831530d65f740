#pragma once
// One replication of the whole line: units enter from the start node, visit
// centres as the routing sends them and leave at the end node.
//
// The line is acyclic, so it is simulated in rounds over a time horizon
// instead of with a global event list: each round the start node's streams
// produce their units up to the horizon, then every centre, upstream first,
// serves the units that reached it (FCFS, a small heap of server free
// times) and hands on the departures that fall before the horizon; the later
// ones wait for the next round. A departure is never earlier than its
// arrival, so everything before the horizon is final when it is handed on.

#include <array>
#include <cstdint>
#include <vector>

#include "simulate/AnalisisSalida.h"
#include "simulate/Cuantiles.h"
#include "simulate/Flujo.h"
#include "simulate/Linea.h"
#include "simulate/Mser.h"
#include "simulate/Replica.h"

namespace vortena::sim {

// The probabilities of the S-curve's points.
inline constexpr int kPuntosCurva = 99;
inline double ProbCurva(int i) {
    return (i + 1) / 100.0;
}

// A route: the stream a unit entered by and the choices it made at each
// split, packed into 128 bits.
struct ClaveRuta {
    std::uint64_t a = 0, b = 0;
    std::uint16_t bits = 0, fuente = 0;
    bool operator==(const ClaveRuta&) const = default;
    bool operator<(const ClaveRuta& o) const {
        if (fuente != o.fuente) return fuente < o.fuente;
        if (bits != o.bits) return bits < o.bits;
        if (a != o.a) return a < o.a;
        return b < o.b;
    }
};

struct MedidasRuta {
    ClaveRuta clave;
    double paso = 0, media = 0, P50 = 0, P90 = 0, P95 = 0;
};

enum MedidaLinea : int {
    kMedia,
    kDesviacion,
    kP50,
    kP80,
    kP90,
    kP95,
    kPpert,
    kPdeseado,
    kProduccion,
    kWip
};
inline constexpr int kNumMedidasLinea = 10;

// Per centre of the line: the seven measures, then these.
enum MedidaNodo : int { kCvLlegadas = kNumMedidas, kPaso, kAporte, kCrucialidad };
inline constexpr int kNumMedidasNodo = kNumMedidas + 4;

struct ResultadoReplicaLinea {
    std::array<double, kNumMedidasLinea> linea{};
    std::array<double, kPuntosCurva> curva{};  // lead time at ProbCurva(i)
    std::vector<std::array<double, kNumMedidasNodo>> nodos;
    std::vector<MedidasRuta> rutas;
    std::int64_t visitas = 0;
    // Units that entered, left, and were still inside when the run stopped.
    std::int64_t entradas = 0, salidas = 0, dentro = 0;
    // Per centre: measured units that waited, idle periods they ended (the
    // events that inform Pn, Lq, Wq and P0).
    std::vector<std::array<std::int64_t, 2>> eventos;
    TramosSerie tramos;  // the measured lead times in exit order
};

struct ParametrosReplicaLinea {
    std::uint64_t semilla = 1;
    std::uint64_t replica = 0;
    std::int64_t calentamiento = 0;  // units entering before the measured ones
    std::int64_t unidades = 1;       // measured units
    double pert = 0, deseado = 0;
    bool lognormal = false;
    Uso uso = Uso::Cola;          // Uso::Piloto for the warm-up pilots
    LotesMSER* piloto = nullptr;  // receives the lead times in exit order
};

// A typical lead time (the mean service time along the routes), the scale of
// the lead-time histograms.
double EscalaLinea(const Linea& linea);

class ReplicaLinea {
public:
    explicit ReplicaLinea(const Linea& linea);
    ~ReplicaLinea();
    ReplicaLinea(const ReplicaLinea&) = delete;
    ReplicaLinea& operator=(const ReplicaLinea&) = delete;

    // Throws Cancelado when the work is cancelled (checked every round).
    ResultadoReplicaLinea Ejecutar(const ParametrosReplicaLinea& p, Control& control);

    // The measured lead times of the last replication.
    const Cuantiles& Tiempos() const;

private:
    struct Estado;
    const Linea& linea_;
    double escala_;
    Estado* e_;
};

}  // namespace vortena::sim
