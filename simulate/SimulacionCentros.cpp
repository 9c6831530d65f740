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
#include "simulate/AnalisisSalida.h"
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

const char* NombreFila(int fila) {
    static constexpr const char* kCuantiles[3] = {"W50", "W90", "W95"};
    return fila < kNumMedidas ? NombreMedida(fila)
           : fila < kNumFilas ? kCuantiles[fila - kNumMedidas]
                              : "";
}

bool ResultadoCentro::TodoDentro() const {
    for (int f = 0; f < kNumFilas; ++f)
        if (!Dentro(f)) return false;
    return true;
}

bool ResultadoCentro::AlgunPocoFiable() const {
    for (bool b : pocoFiable)
        if (b) return true;
    return false;
}

int ResultadoSimulacion::Banderas() const {
    int n = 0;
    for (const ResultadoCentro& c : centros) n += !c.inestable && !c.TodoDentro();
    return n;
}

std::optional<double> ResultadoCentro::ErrorRelativo(int medida) const {
    const double s = simulado[medida].valor, a = analitico[medida];
    if (s == 0) return a == 0 ? std::optional<double>(0.0) : std::nullopt;
    return (a - s) / s;
}

namespace {

using namespace sim;

// The computation runs on a private copy with nobody to show messages to.
constexpr int kRonda = 10;  // replications of a first round and of each precision round

// Coefficient of variation a typed deviation gives a time of mean 1/rate.
double CV(double desvio, double tasa) {
    return desvio * tasa;
}

bool Simulable(const CentroProductivo& c) {
    const auto positivo = [](double x) { return std::isfinite(x) && x > 0; };
    const auto desvio = [](double x) { return std::isfinite(x) && x >= 0; };
    return positivo(c.Lamda) && positivo(c.Mu) && c.Servidores >= 1 && desvio(c.Desvlamda) &&
           desvio(c.DesvMu) && c.Lamda / (c.Servidores * c.Mu) < 1.0;
}

bool VariabilidadSimulable(const CentroProductivo& c) {
    return CV(c.Desvlamda, c.Lamda) <= kCVMax && CV(c.DesvMu, c.Mu) <= kCVMax;
}

bool Exponencial(const CentroProductivo& c) {
    return std::fabs(CV(c.Desvlamda, c.Lamda) - 1) <= 1e-9 &&
           std::fabs(CV(c.DesvMu, c.Mu) - 1) <= 1e-9;
}

// The p-quantile of the time in an M/M/s centre: the wait is 0 with
// probability 1 - C (Erlang C) and else exponential at s mu - lamda; the
// service adds an exponential at mu.
double CuantilMMs(double lamda, double mu, int s, double p) {
    const double a = lamda / mu;
    double b = 1;  // Erlang B by its stable recursion
    for (int k = 1; k <= s; ++k) b = a * b / (k + a * b);
    const double erlangC = s * b / (s - a * (1 - b));
    const double theta = s * mu - lamda;
    const auto cola = [&](double t) {
        const double suma =
            std::fabs(theta - mu) <= 1e-12 * mu
                ? std::exp(-mu * t) * (1 + mu * t)
                : (theta * std::exp(-mu * t) - mu * std::exp(-theta * t)) / (theta - mu);
        return (1 - erlangC) * std::exp(-mu * t) + erlangC * suma;
    };
    double bajo = 0, alto = 1 / mu;
    while (cola(alto) > 1 - p) alto *= 2;
    for (int i = 0; i < 200 && alto - bajo > 1e-15 * alto; ++i) {
        const double medio = 0.5 * (bajo + alto);
        (cola(medio) > 1 - p ? bajo : alto) = medio;
    }
    return 0.5 * (bajo + alto);
}

struct Centro {
    ResultadoCentro resultado;
    ParametrosCentro parametros;
    std::vector<ResultadoReplica> replicas;  // in replication order; samples moved out
    std::int64_t longitud = 0;               // measured customers per replication
    std::uint64_t primera = 0;  // identity of replication 0 (fresh streams after lengthening)
    int objetivo = 0;           // replications wanted
    bool terminado = false;
    bool agotado = false;  // the precision mode gave up
    std::mutex cerrojo;
    // Warm-up pilots, kept until the last one arrives, then reduced in order.
    std::vector<LotesMSER> pilotos;
    int pilotosHechos = 0;
    // Samples are merged strictly in replication order as they arrive.
    std::map<int, std::vector<double>> pendientes;
    int siguiente = 0;
};

struct Tarea {
    Centro* centro;
    int replica;  // < 0: pilot -1 - replica
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

std::array<Resumen, kNumFilas> Resumenes(const Centro& c) {
    std::array<Resumen, kNumFilas> r;
    std::vector<double> v(c.replicas.size());
    for (int f = 0; f < kNumFilas; ++f) {
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = f < kNumMedidas
                       ? c.replicas[i].medidas[static_cast<std::size_t>(f)]
                       : c.replicas[i].cuantiles[static_cast<std::size_t>(f - kNumMedidas)];
        r[static_cast<std::size_t>(f)] = Resumir(v);
    }
    return r;
}

Diagnostico DiagnosticoDe(const Centro& c, double referencia) {
    std::vector<TramosSerie> series;
    series.reserve(c.replicas.size());
    for (const ResultadoReplica& rep : c.replicas) series.push_back(rep.serie);
    return Diagnosticar(series, referencia);
}

// The figures of a centre once its replications are final; judged later,
// when the number of comparisons is known.
void Resumir(Centro& c, const OpcionesSimulacion& o) {
    ResultadoCentro& r = c.resultado;
    const auto res = Resumenes(c);
    for (int m = 0; m < kNumMedidas; ++m) r.simulado[m] = Intervalo(res[m]);
    for (std::size_t q = 0; q < r.cuantiles.size(); ++q)
        r.cuantiles[q] = Intervalo(res[kNumMedidas + q]);
    r.replicas = static_cast<int>(c.replicas.size());
    r.clientes = c.longitud;
    const double referencia =
        o.precision > 0 ? o.precision * std::fabs(res[kW].media) : SemiAncho(res[kW]);
    const Diagnostico d = DiagnosticoDe(c, referencia);
    r.sinPrecision.clear();
    for (int f = 0; f < kNumFilas; ++f) {
        r.pocoFiable[f] = Asimetrica(res[f]) || d.tendencia || d.corta || c.agotado;
        if (o.precision > 0 && !Precisa(res[f], o.precision)) r.sinPrecision.push_back(f);
    }
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

// One verdict per row, with every comparison of the run counted.
void Juzgar(ResultadoSimulacion& resultado, std::vector<std::unique_ptr<Centro>>& centros) {
    // A figure is informed by the events seen and by those the formula
    // says should have been seen: no waiting among thousands of customers
    // refutes a formula that predicts a third of them wait.
    std::vector<std::array<std::int64_t, kNumFilas>> eventos;
    int pruebas = 0;
    for (auto& c : centros) {
        std::array<std::int64_t, kNumFilas> e{};
        double clientes = 0;
        for (const ResultadoReplica& rep : c->replicas) {
            for (int f = 0; f < kNumFilas; ++f) e[f] += rep.eventos[f];
            clientes += static_cast<double>(rep.eventos[kW]);
        }
        const auto& a = c->resultado.analitico;
        const auto esperados = [&](int f, double p) {
            if (std::isfinite(p) && p > 0)
                e[f] = std::max(e[f], static_cast<std::int64_t>(std::min(p, 1e18) * clientes));
        };
        esperados(kP0, std::min(a[kP0], 1 - a[kP0]));
        esperados(kPn, std::min(a[kPn], 1 - a[kPn]));
        esperados(kLq, a[kPn]);
        esperados(kWq, a[kPn]);
        eventos.push_back(e);
        if (c->resultado.inestable) continue;
        for (int f = 0; f < kNumFilas; ++f)
            if ((f < kNumMedidas || c->resultado.Exponencial()) && !PocosEventos(e[f])) ++pruebas;
    }
    const ReglaBanderas regla{resultado.opciones.tolerancia, 0.95, std::max(1, pruebas)};
    resultado.pruebas = pruebas;
    resultado.banderasPorAzar = BanderasPorAzar(regla);
    for (std::size_t i = 0; i < centros.size(); ++i) {
        Centro& c = *centros[i];
        ResultadoCentro& r = c.resultado;
        if (r.inestable) continue;
        const auto res = Resumenes(c);
        for (int f = 0; f < kNumFilas; ++f) {
            const std::optional<double> exacto =
                f < kNumMedidas ? std::optional<double>(r.analitico[f])
                                : r.cuantilesExactos[static_cast<std::size_t>(f - kNumMedidas)];
            if (PocosEventos(eventos[i][f])) {
                r.veredicto[f] = Veredicto::PocosEventos;
            } else if (!exacto) {
                r.veredicto[f] = Veredicto::SinFormula;
            } else {
                r.veredicto[f] =
                    sim::Juzgar(*exacto, res[f], eventos[i][f], regla) == Juicio::Difiere
                        ? Veredicto::Difiere
                        : Veredicto::Coincide;
            }
        }
    }
}

}  // namespace

double TrabajoPorCentro(const OpcionesSimulacion& o) {
    // An automatic cut is at most half the pilot's length.
    const double n = static_cast<double>(o.clientes);
    const double porReplica =
        n + (o.calentamientoAuto ? 0.5 * n : static_cast<double>(o.calentamiento));
    const double pilotos = o.calentamientoAuto ? kPilotos * n : 0.0;
    const double replicas = o.precision > 0 ? kRonda : o.replicas;
    return replicas * porReplica + pilotos;
}

ResultadoSimulacion SimularCentros(const Red& red, const OpcionesSimulacion& pedidas,
                                   Trabajo& trabajo) {
    OpcionesSimulacion o = pedidas;
    o.clientes = std::clamp<std::int64_t>(o.clientes, 1, OpcionesSimulacion::kClientesMax);
    o.calentamiento =
        std::clamp<std::int64_t>(o.calentamiento, 0, OpcionesSimulacion::kClientesMax);
    o.replicas =
        std::clamp(o.replicas, OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax);
    o.tolerancia = std::clamp(o.tolerancia, 0.0, OpcionesSimulacion::kToleranciaMax);
    MensajesCallados silencio;
    Red copia = CopiaCalculada(red, silencio);
    // A failing centre leaves the others worth simulating.
    const std::vector<bool> fallo = FallosPorCentro(copia, silencio);

    const bool porPrecision = o.precision > 0;
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
        r.servidoresPedidos = red.Centros(i).Servidores;
        r.analitico = {c.Rho, c.P0, c.Pn, c.Lq, c.L, c.Wq, c.W};
        r.inestable = fallo[static_cast<std::size_t>(i)] || !Simulable(c);
        r.variabilidadExtrema = !r.inestable && !VariabilidadSimulable(c);
        r.inestable |= r.variabilidadExtrema;
        if (!r.inestable && Exponencial(c))
            for (std::size_t q = 0; q < kProbCuantiles.size(); ++q)
                r.cuantilesExactos[q] = CuantilMMs(c.Lamda, c.Mu, c.Servidores, kProbCuantiles[q]);
        centro->parametros = {c.Lamda,  c.Desvlamda,  c.Mu,
                              c.DesvMu, c.Servidores, o.distribucion == Distribucion::Lognormal};
        centro->terminado = r.inestable;
        centro->longitud = o.clientes;
        centro->objetivo = porPrecision ? kRonda : o.replicas;
        r.calentamiento = o.calentamientoAuto ? 0 : o.calentamiento;
        centros.push_back(std::move(centro));
    }

    const int hilos =
        o.hilos > 0 ? o.hilos : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const std::size_t tamMuestra =
        static_cast<std::size_t>(std::clamp(o.tamMuestra, 0, OpcionesSimulacion::kMuestraMax));
    PlanPrecision plan;
    plan.precision = o.precision;
    plan.ronda = kRonda;
    plan.replicasMax = OpcionesSimulacion::kReplicasMax;
    // Lengthening stops at kAlargueMax times the customers asked, so a
    // setting that cannot reach its precision says so in bounded time.
    plan.longitudMax = std::min<std::int64_t>(OpcionesSimulacion::kClientesMax,
                                              OpcionesSimulacion::kAlargueMax * o.clientes);
    plan.trabajoMax = std::min(OpcionesSimulacion::kTrabajoMax,
                               static_cast<double>(OpcionesSimulacion::kReplicasMax) *
                                   static_cast<double>(plan.longitudMax));
    Control control(trabajo, 0);
    double planeados = 0;

    // The warm-up of every centre first, from pilots it never measures.
    if (o.calentamientoAuto) {
        std::vector<Tarea> tareas;
        for (auto& c : centros)
            if (!c->terminado)
                for (int p = 0; p < kPilotos; ++p) tareas.push_back({c.get(), -1 - p});
        planeados = static_cast<double>(tareas.size()) * static_cast<double>(o.clientes);
        control.Planear(planeados);
        Repartir(tareas, hilos, [&](const Tarea& t) {
            Centro& c = *t.centro;
            const Identidad id{o.semilla, static_cast<std::uint64_t>(c.resultado.indice),
                               static_cast<std::uint64_t>(-1 - t.replica)};
            LotesMSER lotes = Piloto(c.parametros, id, o.clientes, control);
            std::lock_guard lock(c.cerrojo);
            c.pilotos.resize(kPilotos);
            c.pilotos[static_cast<std::size_t>(-1 - t.replica)] = std::move(lotes);
            if (++c.pilotosHechos < kPilotos) return;
            c.resultado.calentamiento = CortePilotos(c.pilotos);
            c.pilotos = {};
        });
    }

    for (;;) {
        std::vector<Tarea> tareas;
        for (auto& c : centros) {
            if (c->terminado) continue;
            const int desde = static_cast<int>(c->replicas.size());
            c->replicas.resize(static_cast<std::size_t>(c->objetivo));
            for (int k = desde; k < c->objetivo; ++k) tareas.push_back({c.get(), k});
            planeados += static_cast<double>(c->objetivo - desde) *
                         static_cast<double>(c->longitud + c->resultado.calentamiento);
        }
        if (tareas.empty()) break;
        control.Planear(planeados);

        Repartir(tareas, hilos, [&](const Tarea& t) {
            Centro& c = *t.centro;
            const Identidad id{o.semilla, static_cast<std::uint64_t>(c.resultado.indice),
                               c.primera + static_cast<std::uint64_t>(t.replica)};
            ResultadoReplica rep = SimularReplica(c.parametros, id, c.resultado.calentamiento,
                                                  c.longitud, tamMuestra, control);
            std::vector<double> muestra = std::move(rep.muestra);
            c.replicas[static_cast<std::size_t>(t.replica)] = std::move(rep);
            if (tamMuestra == 0) return;
            std::lock_guard lock(c.cerrojo);
            c.pendientes.emplace(t.replica, std::move(muestra));
            const auto porRep = static_cast<std::uint64_t>(c.longitud);
            for (auto it = c.pendientes.find(c.siguiente); it != c.pendientes.end();
                 it = c.pendientes.find(c.siguiente)) {
                Flujo mezcla(o.semilla, static_cast<std::uint64_t>(c.resultado.indice),
                             c.primera + static_cast<std::uint64_t>(c.siguiente), Uso::Union);
                c.resultado.muestra = UnirMuestras(c.resultado.muestra,
                                                   porRep * static_cast<std::uint64_t>(c.siguiente),
                                                   it->second, porRep, tamMuestra, mezcla);
                c.pendientes.erase(it);
                ++c.siguiente;
            }
        });

        for (auto& c : centros) {
            if (c->terminado) continue;
            c->terminado = true;
            if (porPrecision) {
                const auto res = Resumenes(*c);
                const Decision d = DecidirPrecision(
                    plan, res, DiagnosticoDe(*c, o.precision * std::fabs(res[kW].media)),
                    c->longitud);
                if (d.accion == Accion::MasReplicas) {
                    c->objetivo = d.replicas;
                    c->terminado = false;
                } else if (d.accion == Accion::Alargar) {
                    c->primera += static_cast<std::uint64_t>(c->replicas.size());
                    c->replicas.clear();
                    c->resultado.muestra.clear();
                    c->pendientes.clear();
                    c->siguiente = 0;
                    c->longitud = d.longitud;
                    c->objetivo = d.replicas;
                    c->terminado = false;
                } else {
                    c->agotado = d.accion == Accion::Agotado;
                }
            }
            if (!c->terminado) continue;
            Resumir(*c, o);
            if (!Finita(c->resultado)) {
                // Deviations so extreme that the times overflow: nothing
                // trustworthy to show, and no infinity may reach a screen.
                c->resultado.inestable = true;
                c->resultado.simulado = {};
                c->resultado.cuantiles = {};
                c->resultado.muestra.clear();
            }
        }
    }
    trabajo.Informar(1.0);

    ResultadoSimulacion resultado;
    resultado.opciones = o;
    Juzgar(resultado, centros);
    for (auto& c : centros) resultado.centros.push_back(std::move(c->resultado));
    return resultado;
}

}  // namespace vortena
