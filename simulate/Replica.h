#pragma once
// One replication of one centre: a FCFS queue with s identical servers that
// starts empty, discards a warm-up of K customers and measures N.

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "model/Trabajo.h"
#include "simulate/AnalisisSalida.h"
#include "simulate/SimulacionCentros.h"

namespace vortena::sim {

struct ParametrosCentro {
    double lamda = 1, desvLamda = 1, mu = 2, desvMu = 0.5;
    int servidores = 1;
    bool lognormal = false;
};

struct ResultadoReplica {
    std::array<double, kNumMedidas> medidas{};
    std::array<double, 3> cuantiles{};
    // Events behind each row (customers who waited, idle periods, ...).
    std::array<std::int64_t, kNumFilas> eventos{};
    TramosSerie serie;            // the times in the centre, in order
    std::vector<double> muestra;  // in random order
};

// Where the replications report the customers they have gone through and
// learn that they must stop; shared by the worker threads of one run.
class Control {
public:
    Control(const Trabajo& trabajo, double planeados) : trabajo_(trabajo), planeados_(planeados) {}
    bool Cancelado() const { return trabajo_.Cancelado(); }
    // Tells the work's progress at most once per thousandth, never backwards.
    void Avanzar(std::int64_t clientes);
    // More work was planned (the precision mode adds rounds).
    void Planear(double planeados) { planeados_.store(planeados, std::memory_order_relaxed); }

private:
    const Trabajo& trabajo_;
    std::atomic<double> planeados_;
    std::atomic<std::int64_t> hechos_{0};
    std::atomic<int> milesimas_{0};
};

struct Identidad {
    std::uint64_t semilla = 1;
    std::uint64_t centro = 0;
    std::uint64_t replica = 0;
};

// The batch means of the times in the centre over a pilot run of n
// customers, on a stream no measured replication uses (id.replica numbers
// the pilot).
LotesMSER Piloto(const ParametrosCentro& p, const Identidad& id, std::int64_t n, Control& control);

// Throws Cancelado when the work is cancelled.
ResultadoReplica SimularReplica(const ParametrosCentro& p, const Identidad& id,
                                std::int64_t calentamiento, std::int64_t clientes,
                                std::size_t tamMuestra, Control& control);

}  // namespace vortena::sim
