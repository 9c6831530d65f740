#include "simulate/SimulacionCentros.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "compute/CopiaRed.h"
#include "compute/Dimensionamiento.h"
#include "simulate/Flujo.h"
#include "simulate/Intervalo.h"
#include "simulate/Muestra.h"
#include "simulate/Replica.h"

namespace vortena {

const char* NombreMedida(int medida) {
    static constexpr const char* kNombres[kNumMedidas] = {"Rho", "P0", "Pn", "Lq", "L", "Wq", "W"};
    return medida >= 0 && medida < kNumMedidas ? kNombres[medida] : "";
}

// A rounding allowance keeps a zero-width interval (a deterministic centre)
// from missing an exact figure by its last bit.
bool Estimacion::Contiene(double x) const {
    return std::fabs(x - valor) <= semiancho + 1e-9 * std::max(std::fabs(x), std::fabs(valor));
}

bool ResultadoCentro::TodoDentro() const {
    for (int m = 0; m < kNumMedidas; ++m)
        if (!Dentro(m)) return false;
    return true;
}

std::optional<double> ResultadoCentro::ErrorRelativo(int medida) const {
    const double s = simulado[medida].valor, a = analitico[medida];
    if (s == 0) return a == 0 ? std::optional<double>(0.0) : std::nullopt;
    return (a - s) / s;
}

namespace {

using namespace sim;

// The computation runs on a private copy with nobody to show messages to.
constexpr int kRondaPrecision = 10;

bool Simulable(const CentroProductivo& c) {
    const auto positivo = [](double x) { return std::isfinite(x) && x > 0; };
    const auto desvio = [](double x) { return std::isfinite(x) && x >= 0; };
    return positivo(c.Lamda) && positivo(c.Mu) && c.Servidores >= 1 && desvio(c.Desvlamda) &&
           desvio(c.DesvMu) && c.Lamda / (c.Servidores * c.Mu) < 1.0;
}

struct Centro {
    ResultadoCentro resultado;
    ParametrosCentro parametros;
    std::vector<ResultadoReplica> replicas;  // in replication order; samples moved out
    bool terminado = false;
    // Samples are merged strictly in replication order as they arrive.
    std::mutex cerrojo;
    std::map<int, std::vector<double>> pendientes;
    int siguiente = 0;
};

struct Tarea {
    Centro* centro;
    int replica;
};

// Runs the tasks on `hilos` threads; the first failure (Cancelado) is
// rethrown once every thread has stopped.
template <class F>
void Repartir(const std::vector<Tarea>& tareas, int hilos, F&& hacer) {
    std::atomic<std::size_t> proxima{0};
    std::exception_ptr error;
    std::mutex cerrojoError;
    std::atomic<bool> parar{false};
    auto trabajar = [&] {
        for (;;) {
            const std::size_t i = proxima.fetch_add(1);
            if (i >= tareas.size() || parar.load()) return;
            try {
                hacer(tareas[i]);
            } catch (...) {
                std::lock_guard lock(cerrojoError);
                if (!error) error = std::current_exception();
                parar = true;
                return;
            }
        }
    };
    const int n = std::max(1, std::min<int>(hilos, static_cast<int>(tareas.size())));
    std::vector<std::thread> hebras;
    try {
        for (int h = 1; h < n; ++h) hebras.emplace_back(trabajar);
    } catch (...) {
        // A thread the system refused (std::system_error): the ones running
        // stop at their next task and the caller hears why.
        parar = true;
        for (auto& h : hebras) h.join();
        throw;
    }
    trabajar();
    for (auto& h : hebras) h.join();
    if (error) std::rethrow_exception(error);
}

void Resumir(Centro& c, const OpcionesSimulacion& o) {
    ResultadoCentro& r = c.resultado;
    const std::size_t n = c.replicas.size();
    std::vector<double> v(n);
    for (int m = 0; m < kNumMedidas; ++m) {
        for (std::size_t i = 0; i < n; ++i) v[i] = c.replicas[i].medidas[m];
        r.simulado[m] = Estimar(v);
    }
    for (std::size_t q = 0; q < r.cuantiles.size(); ++q) {
        for (std::size_t i = 0; i < n; ++i) v[i] = c.replicas[i].cuantiles[q];
        r.cuantiles[q] = Estimar(v);
    }
    r.replicas = static_cast<int>(n);
    r.calentamiento = 0;
    for (const ResultadoReplica& rep : c.replicas)
        r.calentamiento = std::max(r.calentamiento, rep.calentamiento);
    r.sinPrecision.clear();
    if (o.precision > 0)
        for (int m = 0; m < kNumMedidas; ++m)
            if (r.simulado[m].semiancho > o.precision * std::fabs(r.simulado[m].valor))
                r.sinPrecision.push_back(m);
}

bool Finita(const ResultadoCentro& r) {
    for (const Estimacion& e : r.simulado)
        if (!std::isfinite(e.valor) || !std::isfinite(e.semiancho)) return false;
    for (const Estimacion& e : r.cuantiles)
        if (!std::isfinite(e.valor) || !std::isfinite(e.semiancho)) return false;
    for (double x : r.muestra)
        if (!std::isfinite(x)) return false;
    return true;
}

}  // namespace

ResultadoSimulacion SimularCentros(const Red& red, const OpcionesSimulacion& pedidas,
                                   Trabajo& trabajo) {
    OpcionesSimulacion o = pedidas;
    o.clientes = std::clamp<std::int64_t>(o.clientes, 1, OpcionesSimulacion::kClientesMax);
    o.calentamiento =
        std::clamp<std::int64_t>(o.calentamiento, 0, OpcionesSimulacion::kClientesMax);
    MensajesCallados silencio;
    Red copia = CopiaCalculada(red, silencio);
    // The network computation stops at the first centre that fails; the
    // others are still worth simulating, so each gets its own verdict.
    std::vector<bool> fallo(static_cast<std::size_t>(copia.Centros.Count()) + 1, false);
    if (copia.ErrorCalculo) {
        for (int i = 1; i <= copia.Centros.Count(); ++i) {
            CentroProductivo& c = copia.Centros(i);
            if (!c.EsCentro()) continue;
            bool error = false;
            c.Calculos(error, silencio);
            fallo[static_cast<std::size_t>(i)] = error;
        }
    }

    std::vector<std::unique_ptr<Centro>> centros;
    for (int i = 1; i <= copia.Centros.Count(); ++i) {
        const CentroProductivo& c = copia.Centros(i);
        if (!c.EsCentro()) continue;
        auto centro = std::make_unique<Centro>();
        ResultadoCentro& r = centro->resultado;
        r.indice = i;
        r.posicion = c.posicion;
        r.Nombre = c.Nombre;
        r.servidores = c.Servidores;
        r.analitico = {c.Rho, c.P0, c.Pn, c.Lq, c.L, c.Wq, c.W};
        r.inestable = fallo[static_cast<std::size_t>(i)] || !Simulable(c);
        centro->parametros = {c.Lamda,  c.Desvlamda,  c.Mu,
                              c.DesvMu, c.Servidores, o.distribucion == Distribucion::Lognormal};
        centro->terminado = r.inestable;
        centros.push_back(std::move(centro));
    }

    const int hilos =
        o.hilos > 0 ? o.hilos : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const bool porPrecision = o.precision > 0;
    const int primeraRonda = porPrecision ? kRondaPrecision
                                          : std::clamp(o.replicas, OpcionesSimulacion::kReplicasMin,
                                                       OpcionesSimulacion::kReplicasMax);
    const std::size_t tamMuestra =
        static_cast<std::size_t>(std::clamp(o.tamMuestra, 0, OpcionesSimulacion::kMuestraMax));
    const double porReplica = static_cast<double>(o.clientes) +
                              (o.calentamientoAuto ? 1.5 * static_cast<double>(o.clientes)
                                                   : static_cast<double>(o.calentamiento));
    Control control(trabajo, 0);
    double planeados = 0;

    for (int ronda = primeraRonda;;) {
        std::vector<Tarea> tareas;
        for (auto& c : centros) {
            if (c->terminado) continue;
            const int desde = static_cast<int>(c->replicas.size());
            c->replicas.resize(static_cast<std::size_t>(desde + ronda));
            for (int k = desde; k < desde + ronda; ++k) tareas.push_back({c.get(), k});
        }
        if (tareas.empty()) break;
        planeados += porReplica * static_cast<double>(tareas.size());
        control.Planear(planeados);

        Repartir(tareas, hilos, [&](const Tarea& t) {
            Centro& c = *t.centro;
            const Identidad id{o.semilla, static_cast<std::uint64_t>(c.resultado.indice),
                               static_cast<std::uint64_t>(t.replica)};
            const std::int64_t corte = o.calentamientoAuto
                                           ? CorteAutomatico(c.parametros, id, o.clientes, control)
                                           : o.calentamiento;
            ResultadoReplica rep =
                SimularReplica(c.parametros, id, corte, o.clientes, tamMuestra, control);
            std::vector<double> muestra = std::move(rep.muestra);
            c.replicas[static_cast<std::size_t>(t.replica)] = std::move(rep);
            if (tamMuestra == 0) return;
            std::lock_guard lock(c.cerrojo);
            c.pendientes.emplace(t.replica, std::move(muestra));
            const auto porRep = static_cast<std::uint64_t>(o.clientes);
            for (auto it = c.pendientes.find(c.siguiente); it != c.pendientes.end();
                 it = c.pendientes.find(c.siguiente)) {
                Flujo mezcla(o.semilla, static_cast<std::uint64_t>(c.resultado.indice),
                             static_cast<std::uint64_t>(c.siguiente), Uso::Union);
                c.resultado.muestra = UnirMuestras(c.resultado.muestra,
                                                   porRep * static_cast<std::uint64_t>(c.siguiente),
                                                   it->second, porRep, tamMuestra, mezcla);
                c.pendientes.erase(it);
                ++c.siguiente;
            }
        });

        for (auto& c : centros) {
            if (c->terminado) continue;
            Resumir(*c, o);
            c->terminado = !porPrecision || c->resultado.sinPrecision.empty() ||
                           c->resultado.replicas >= OpcionesSimulacion::kReplicasMax;
            if (!Finita(c->resultado)) {
                // Deviations so extreme that the times overflow: nothing
                // trustworthy to show, and no infinity may reach a screen.
                c->resultado.inestable = true;
                c->resultado.simulado = {};
                c->resultado.cuantiles = {};
                c->resultado.muestra.clear();
                c->terminado = true;
            }
        }
        ronda = kRondaPrecision;
    }
    trabajo.Informar(1.0);

    ResultadoSimulacion resultado;
    resultado.opciones = o;
    for (auto& c : centros) resultado.centros.push_back(std::move(c->resultado));
    return resultado;
}

}  // namespace vortena
