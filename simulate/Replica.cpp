#include "simulate/Replica.h"

#include <algorithm>

#include "simulate/Cuantiles.h"
#include "simulate/Flujo.h"
#include "simulate/Mser.h"
#include "simulate/Muestra.h"
#include "simulate/Servidores.h"

namespace vortena::sim {
namespace {

constexpr std::int64_t kTramo = 1 << 15;  // customers between checks of the cancel flag

// The queue's state between customers, and the one step all runs share.
struct Cola {
    Cola(const ParametrosCentro& p, const Identidad& id, Uso uso = Uso::Cola)
        : llegada(1.0 / p.lamda, p.desvLamda, p.lognormal),
          servicio(1.0 / p.mu, p.desvMu, p.lognormal),
          flujo(id.semilla, id.centro, id.replica, uso),
          servidores(p.servidores) {}

    Variable llegada, servicio;
    Flujo flujo;
    Servidores servidores;
    double t = 0;             // arrival time of the last customer
    double ultimaSalida = 0;  // the centre is empty from here until the next arrival

    // `cliente(espera, servicio, sistema)` sees each of the n customers.
    template <class F>
    void Pasar(std::int64_t n, Control& control, F&& cliente) {
        while (n > 0) {
            if (control.Cancelado()) throw Cancelado{};
            const std::int64_t tramo = n < kTramo ? n : kTramo;
            for (std::int64_t i = 0; i < tramo; ++i) {
                t += llegada.Generar(flujo);
                const double libre = servidores.Primero();
                const double inicio = t > libre ? t : libre;
                const double s = servicio.Generar(flujo);
                const double salida = inicio + s;
                servidores.Ocupar(salida);
                cliente(inicio - t, s, salida - t);
                if (salida > ultimaSalida) ultimaSalida = salida;
            }
            n -= tramo;
            control.Avanzar(tramo);
        }
    }
};

}  // namespace

void Control::Avanzar(std::int64_t clientes) {
    const double hechos = static_cast<double>(hechos_.fetch_add(clientes) + clientes);
    const double plan = planeados_.load(std::memory_order_relaxed);
    const int milesimas = plan > 0 ? static_cast<int>(std::min(1.0, hechos / plan) * 1000) : 0;
    int antes = milesimas_.load(std::memory_order_relaxed);
    while (milesimas > antes) {
        if (milesimas_.compare_exchange_weak(antes, milesimas)) {
            trabajo_.Informar(milesimas / 1000.0);
            break;
        }
    }
}

LotesMSER Piloto(const ParametrosCentro& p, const Identidad& id, std::int64_t n, Control& control) {
    Cola cola(p, id, Uso::Piloto);
    LotesMSER lotes;
    cola.Pasar(n, control, [&](double, double, double sistema) { lotes.Agregar(sistema); });
    return lotes;
}

ResultadoReplica SimularReplica(const ParametrosCentro& p, const Identidad& id,
                                std::int64_t calentamiento, std::int64_t clientes,
                                std::size_t tamMuestra, Control& control) {
    Cola cola(p, id);
    cola.Pasar(calentamiento, control, [](double, double, double) {});

    Cuantiles cuantiles(1.0 / p.mu);
    Reservorio reservorio(tamMuestra, Flujo(id.semilla, id.centro, id.replica, Uso::Muestra));
    Serie serie(clientes);
    double sumaEspera = 0, sumaServicio = 0, sumaSistema = 0, vacio = 0;
    std::int64_t esperaron = 0, vacios = 0;
    // The window runs from the first measured arrival to the arrival after
    // the last one; the time averages are per-customer contributions over it
    // (Little's law for L, Lq and Rho, the idle gaps themselves for P0).
    double inicioVentana = -1;
    cola.Pasar(clientes, control, [&](double espera, double servicio, double sistema) {
        if (inicioVentana < 0) {
            inicioVentana = cola.t;
        } else if (cola.t > cola.ultimaSalida) {
            vacio += cola.t - cola.ultimaSalida;
            ++vacios;
        }
        sumaEspera += espera;
        sumaServicio += servicio;
        sumaSistema += sistema;
        esperaron += espera > 0 ? 1 : 0;
        cuantiles.Agregar(sistema);
        serie.Agregar(sistema);
        reservorio.Agregar(sistema);
    });
    const double fin = cola.t + cola.llegada.Generar(cola.flujo);
    if (fin > cola.ultimaSalida) {
        vacio += fin - cola.ultimaSalida;
        ++vacios;
    }
    const double duracion = fin - inicioVentana;
    const double n = static_cast<double>(clientes);

    ResultadoReplica r;
    r.medidas[kRho] = sumaServicio / duracion;
    r.medidas[kP0] = vacio / duracion;
    r.medidas[kPn] = static_cast<double>(esperaron) / n;
    r.medidas[kLq] = sumaEspera / duracion;
    r.medidas[kL] = sumaSistema / duracion;
    r.medidas[kWq] = sumaEspera / n;
    r.medidas[kW] = sumaSistema / n;
    for (std::size_t q = 0; q < kProbCuantiles.size(); ++q)
        r.cuantiles[q] = cuantiles.Cuantil(kProbCuantiles[q]);
    // A proportion is informed by its rarer side; the times of those who
    // waited by how many waited.
    const std::int64_t noEsperaron = clientes - esperaron;
    r.eventos.fill(clientes);
    r.eventos[kP0] = std::min(vacios, clientes - vacios + 1);
    r.eventos[kPn] = std::min(esperaron, noEsperaron);
    r.eventos[kLq] = esperaron;
    r.eventos[kWq] = esperaron;
    for (std::size_t q = 0; q < kProbCuantiles.size(); ++q)
        r.eventos[kNumMedidas + q] = static_cast<std::int64_t>(n * (1 - kProbCuantiles[q]));
    r.serie = serie.Tramos();
    r.muestra = reservorio.Extraer();
    return r;
}

}  // namespace vortena::sim
