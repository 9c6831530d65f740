#include "simulate/SimulacionLinea.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "compute/CopiaRed.h"
#include "compute/Dimensionamiento.h"
#include "compute/Pert.h"
#include "model/Documento.h"
#include "simulate/AnalisisSalida.h"
#include "simulate/Mser.h"

namespace vortena {

const char* NombreMedidaLinea(int medida) {
    static constexpr const char* kNombres[kNumMedidasLinea] = {
        "media", "desviacion", "P50",      "P80",        "P90",
        "P95",   "Ppert",      "Pdeseado", "produccion", "wip"};
    return medida >= 0 && medida < kNumMedidasLinea ? kNombres[medida] : "";
}

namespace {

using namespace sim;

constexpr int kRondaPrecision = 10;
constexpr std::size_t kRutasSeguidas = 1024;

// Running mean and sum of squared deviations (Welford), fed in replication
// order so the figures do not depend on which thread finished first.
struct Media {
    std::int64_t n = 0;
    double media = 0, m2 = 0;
    void Agregar(double x) {
        ++n;
        const double d = x - media;
        media += d / static_cast<double>(n);
        m2 += d * (x - media);
    }
};

class Student {
public:
    double Semiancho(const Media& m) {
        if (m.n < 2) return 0;
        if (m.n != n_) {
            n_ = m.n;
            const boost::math::students_t t(static_cast<double>(n_ - 1));
            t_ = boost::math::quantile(t, 0.975);
        }
        const double n = static_cast<double>(m.n);
        return t_ * std::sqrt(std::max(0.0, m.m2) / (n - 1)) / std::sqrt(n);
    }
    Estimacion Estimar(const Media& m) { return {m.media, Semiancho(m)}; }

private:
    std::int64_t n_ = -1;
    double t_ = 0;
};

struct AcumRuta {
    double paso = 0, paso2 = 0;
    Media media, P50, P90, P95;
};

struct Acumulado {
    std::array<std::vector<double>, kNumMedidasLinea> linea{};  // per replication
    std::vector<TramosSerie> tramos;
    std::array<Media, kPuntosCurva> curva{};
    std::vector<std::array<Media, kNumMedidasNodo>> nodos;
    std::vector<std::array<std::int64_t, 2>> eventos;
    std::map<ClaveRuta, AcumRuta> rutas;
    int replicas = 0;
    std::int64_t visitas = 0;

    void Sumar(const ResultadoReplicaLinea& r) {
        for (int m = 0; m < kNumMedidasLinea; ++m) linea[m].push_back(r.linea[m]);
        tramos.push_back(r.tramos);
        for (std::size_t i = 0; i < eventos.size(); ++i) {
            eventos[i][0] += r.eventos[i][0];
            eventos[i][1] += r.eventos[i][1];
        }
        for (int i = 0; i < kPuntosCurva; ++i) curva[i].Agregar(r.curva[i]);
        for (std::size_t i = 0; i < nodos.size(); ++i)
            for (int m = 0; m < kNumMedidasNodo; ++m) nodos[i][m].Agregar(r.nodos[i][m]);
        for (const MedidasRuta& mr : r.rutas) {
            auto it = rutas.find(mr.clave);
            if (it == rutas.end()) {
                if (rutas.size() >= kRutasSeguidas) continue;
                it = rutas.emplace(mr.clave, AcumRuta{}).first;
            }
            AcumRuta& a = it->second;
            a.paso += mr.paso;
            a.paso2 += mr.paso * mr.paso;
            a.media.Agregar(mr.media);
            a.P50.Agregar(mr.P50);
            a.P90.Agregar(mr.P90);
            a.P95.Agregar(mr.P95);
        }
        ++replicas;
        visitas += r.visitas;
    }
};

// Runs replications [desde, hasta) on `hilos` threads and adds them to
// `acum` strictly in replication order; the first failure is rethrown once
// every thread has stopped.
class Tanda {
public:
    Tanda(const Linea& l, const ParametrosReplicaLinea& base, Control& control, Acumulado& acum,
          std::vector<std::unique_ptr<Cuantiles>>& pozos)
        : linea_(l), base_(base), control_(control), acum_(acum), pozos_(pozos) {}

    void Ejecutar(int desde, int hasta, int hilos) {
        siguiente_ = desde;
        proxima_ = desde;
        hasta_ = hasta;
        error_ = nullptr;
        parar_ = false;
        const int n = std::max(1, std::min(hilos, hasta - desde));
        std::vector<std::thread> hebras;
        for (int h = 1; h < n; ++h) hebras.emplace_back([this, h] { Trabajar(h); });
        Trabajar(0);
        for (auto& h : hebras) h.join();
        if (error_) std::rethrow_exception(error_);
    }

private:
    void Trabajar(int hilo) {
        try {
            auto& propia = replicas_[static_cast<std::size_t>(hilo)];
            if (!propia) propia = std::make_unique<ReplicaLinea>(linea_);
            ReplicaLinea& replica = *propia;
            if (!pozos_[static_cast<std::size_t>(hilo)])
                pozos_[static_cast<std::size_t>(hilo)] =
                    std::make_unique<Cuantiles>(EscalaLinea(linea_));
            for (;;) {
                int r;
                {
                    std::unique_lock l(cerrojo_);
                    // Stay a few replications ahead of the one being added,
                    // so finished results never pile up.
                    espera_.wait(l, [&] {
                        return parar_ || proxima_ >= hasta_ || proxima_ < siguiente_ + adelanto_;
                    });
                    if (parar_ || proxima_ >= hasta_) return;
                    r = proxima_++;
                }
                ParametrosReplicaLinea p = base_;
                p.replica = static_cast<std::uint64_t>(r);
                ResultadoReplicaLinea res = replica.Ejecutar(p, control_);
                pozos_[static_cast<std::size_t>(hilo)]->Sumar(replica.Tiempos());
                std::lock_guard l(cerrojo_);
                hechas_.emplace(r, std::move(res));
                for (auto it = hechas_.find(siguiente_); it != hechas_.end();
                     it = hechas_.find(siguiente_)) {
                    acum_.Sumar(it->second);
                    hechas_.erase(it);
                    ++siguiente_;
                }
                espera_.notify_all();
            }
        } catch (...) {
            std::lock_guard l(cerrojo_);
            if (!error_) error_ = std::current_exception();
            parar_ = true;
            espera_.notify_all();
        }
    }

    int adelanto_ = 2;
    const Linea& linea_;
    const ParametrosReplicaLinea& base_;
    Control& control_;
    Acumulado& acum_;
    std::vector<std::unique_ptr<Cuantiles>>& pozos_;
    std::vector<std::unique_ptr<ReplicaLinea>> replicas_;
    std::mutex cerrojo_;
    std::condition_variable espera_;
    std::map<int, ResultadoReplicaLinea> hechas_;
    int siguiente_ = 0, proxima_ = 0, hasta_ = 0;
    std::exception_ptr error_;
    bool parar_ = false;

public:
    // The per-thread engines are made lazily; make them before the threads
    // start so the map is never written concurrently.
    void Preparar(int hilos) {
        replicas_.resize(static_cast<std::size_t>(hilos));
        adelanto_ = 2 * hilos;
        pozos_.resize(static_cast<std::size_t>(hilos));
    }
};

std::vector<std::int16_t> Recorrido(const Linea& l, const ClaveRuta& clave) {
    std::vector<std::int16_t> r;
    int nodo = clave.fuente < l.fuentes.size() ? l.fuentes[clave.fuente].destino : kFin;
    int pos = 0;
    while (nodo != kFin) {
        const NodoLinea& n = l.nodos[static_cast<std::size_t>(nodo)];
        r.push_back(n.posicion);
        std::uint64_t k = 0;
        if (n.bitsRuta > 0) {
            for (int b = 0; b < n.bitsRuta; ++b, ++pos) {
                const std::uint64_t palabra = pos < 64 ? clave.a : clave.b;
                k |= ((palabra >> (pos % 64)) & 1u) << b;
            }
        }
        nodo = k < n.destinos.size() ? n.destinos[k] : kFin;
    }
    return r;
}

}  // namespace

std::string HechosCorrida(const ResultadoLinea& r) {
    std::string t = "# replicas " + std::to_string(r.replicas) + "\n# clientes " +
                    std::to_string(r.clientes) + "\n# calentamiento " +
                    std::to_string(r.calentamiento) +
                    (r.opciones.calentamientoAuto ? " (auto)" : "") + "\n";
    for (const std::string& m : r.sinPrecision) t += "# precision no alcanzada: " + m + "\n";
    for (const std::string& m : r.pocoFiables) t += "# intervalo poco fiable: " + m + "\n";
    return t;
}

ResultadoLinea SimularLinea(const Red& red, const OpcionesSimulacion& pedidas,
                            std::optional<double> deseado, Trabajo& trabajo) {
    OpcionesSimulacion o = pedidas;
    o.clientes = std::clamp<std::int64_t>(o.clientes, 1, OpcionesSimulacion::kClientesMax);
    o.calentamiento =
        std::clamp<std::int64_t>(o.calentamiento, 0, OpcionesSimulacion::kClientesMax);
    const Linea linea = ConstruirLinea(red);

    ResultadoLinea res;
    res.opciones = o;
    res.tasasDistintas = linea.tasasDistintas;

    // The formula's side, as `simular` computes it, and the PERT.
    MensajesCallados silencio;
    Red copia = CopiaCalculada(red, silencio);
    {
        const std::vector<bool> fallo = FallosPorCentro(copia, silencio);
        if (!copia.ErrorCalculo) res.pert = CalcularPERT(copia, copia.NodoInicio, copia.NodoFin);
        for (int i = 1; i <= copia.Centros.Count(); ++i) {
            const CentroProductivo& c = copia.Centros(i);
            if (!c.EsCentro()) continue;
            CentroLinea cl;
            cl.indice = i;
            cl.posicion = c.posicion;
            cl.Nombre = c.Nombre;
            cl.servidores = red.Centros(i).Servidores;
            cl.formula = !fallo[static_cast<std::size_t>(i)];
            if (cl.formula) {
                cl.analitico = {c.Rho, c.P0, c.Pn, c.Lq, c.L, c.Wq, c.W};
                cl.cvAnalitico = c.cArribo();
            }
            const int nodo = linea.nodoDeCentro[static_cast<std::size_t>(i) - 1];
            cl.recibe = nodo >= 0;
            if (cl.recibe) cl.flujo = linea.nodos[static_cast<std::size_t>(nodo)].flujo;
            res.centros.push_back(std::move(cl));
        }
    }
    if (!std::isfinite(res.pert)) res.pert = 0;
    res.deseado = deseado && std::isfinite(*deseado) ? *deseado : res.pert;

    const int hilos =
        o.hilos > 0 ? o.hilos : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    double visitasPorUnidad = 0;
    for (const NodoLinea& n : linea.nodos) visitasPorUnidad += n.flujo / linea.flujoTotal;
    const bool porPrecision = o.precision > 0;
    const int primera = porPrecision ? kRondaPrecision
                                     : std::clamp(o.replicas, OpcionesSimulacion::kReplicasMin,
                                                  OpcionesSimulacion::kReplicasMax);
    const double porReplica =
        visitasPorUnidad *
        static_cast<double>(o.clientes + (o.calentamientoAuto ? o.clientes : o.calentamiento));
    double planeados = porReplica * primera + (o.calentamientoAuto ? kPilotos * porReplica : 0.0);
    Control control(trabajo, planeados);

    ParametrosReplicaLinea base;
    base.semilla = o.semilla;
    base.unidades = o.clientes;
    base.calentamiento = o.calentamiento;
    base.pert = res.pert;
    base.deseado = res.deseado;
    base.lognormal = o.distribucion == Distribucion::Lognormal;
    if (o.calentamientoAuto) {
        // The cut is chosen on pilots of their own streams: choosing it on
        // the measured units would cut away their high excursions.
        std::vector<LotesMSER> lotes(kPilotos);
        ReplicaLinea piloto(linea);
        for (int k = 0; k < kPilotos; ++k) {
            ParametrosReplicaLinea p = base;
            p.replica = static_cast<std::uint64_t>(k);
            p.uso = Uso::Piloto;
            p.calentamiento = 0;
            p.piloto = &lotes[static_cast<std::size_t>(k)];
            piloto.Ejecutar(p, control);
        }
        base.calentamiento = CortePilotos(lotes);
    }
    res.calentamiento = base.calentamiento;

    Acumulado acum;
    std::vector<std::unique_ptr<Cuantiles>> pozos;
    const auto empezar = [&] {
        acum = Acumulado{};
        acum.nodos.resize(linea.nodos.size());
        acum.eventos.resize(linea.nodos.size());
        for (auto& p : pozos)
            if (p) p->Limpiar();
    };
    empezar();
    Tanda tanda(linea, base, control, acum, pozos);
    tanda.Preparar(hilos);
    Student t;
    // The measures the precision mode must reach.
    constexpr std::array kPrecisas = {kMedia, kP90, kProduccion, kWip};
    PlanPrecision plan;
    plan.precision = o.precision;
    plan.ronda = kRondaPrecision;
    plan.replicasMax = OpcionesSimulacion::kReplicasMax;
    plan.longitudMax = OpcionesSimulacion::kClientesMax;
    plan.trabajoMax = 4e9;
    for (int hasta = primera;;) {
        tanda.Ejecutar(acum.replicas, hasta, hilos);
        if (!porPrecision) break;
        std::vector<Resumen> medidas;
        for (int m : kPrecisas) medidas.push_back(Resumir(acum.linea[m]));
        const Diagnostico d =
            Diagnosticar(acum.tramos, o.precision * std::fabs(medidas.front().media));
        const Decision decision = DecidirPrecision(plan, medidas, d, base.unidades);
        if (decision.accion == Accion::Parar) break;
        if (decision.accion == Accion::Agotado) {
            for (std::size_t i = 0; i < medidas.size(); ++i)
                if (!Precisa(medidas[i], o.precision))
                    res.sinPrecision.push_back(NombreMedidaLinea(kPrecisas[i]));
            if (res.sinPrecision.empty()) res.sinPrecision.push_back("media");
            break;
        }
        if (decision.accion == Accion::Alargar) {
            // Longer replications from the start: the short ones were
            // dominated by the start-up.
            base.unidades = decision.longitud;
            empezar();
        }
        planeados += visitasPorUnidad * static_cast<double>(base.unidades + base.calentamiento) *
                     (decision.replicas - acum.replicas);
        control.Planear(planeados);
        hasta = decision.replicas;
    }
    trabajo.Informar(1.0);
    res.clientes = base.unidades;
    {
        const double hw = Intervalo(Resumir(acum.linea[kMedia])).semiancho;
        const Diagnostico d = Diagnosticar(acum.tramos, hw);
        for (int m = 0; m < kNumMedidasLinea; ++m) {
            const Resumen r = Resumir(acum.linea[m]);
            const bool deTiempos = m <= kPdeseado;  // the lead-time figures share its diagnosis
            if (Asimetrica(r) || (deTiempos && (d.tendencia || d.corta)))
                res.pocoFiables.push_back(NombreMedidaLinea(m));
        }
    }

    res.replicas = acum.replicas;
    res.visitas = acum.visitas;
    for (int m = 0; m < kNumMedidasLinea; ++m) res.linea[m] = Intervalo(Resumir(acum.linea[m]));
    for (int i = 0; i < kPuntosCurva; ++i)
        res.curva.push_back({ProbCurva(i), t.Estimar(acum.curva[i])});
    for (CentroLinea& c : res.centros) {
        if (!c.recibe) continue;
        const auto& m = acum.nodos[static_cast<std::size_t>(
            linea.nodoDeCentro[static_cast<std::size_t>(c.indice) - 1])];
        for (int k = 0; k < kNumMedidas; ++k) c.simulado[k] = t.Estimar(m[k]);
        c.cvLlegadas = t.Estimar(m[kCvLlegadas]);
        c.paso = t.Estimar(m[kPaso]);
        c.aporte = t.Estimar(m[kAporte]);
        c.crucialidad = t.Estimar(m[kCrucialidad]);
        const auto& ev = acum.eventos[static_cast<std::size_t>(
            linea.nodoDeCentro[static_cast<std::size_t>(c.indice) - 1])];
        c.esperaron = ev[0];
        c.vacios = ev[1];
    }

    // Routes by share; a route missing from a replication had share 0 there.
    const double R = static_cast<double>(acum.replicas);
    std::vector<std::pair<const ClaveRuta*, const AcumRuta*>> rutas;
    for (const auto& [k, a] : acum.rutas) rutas.emplace_back(&k, &a);
    std::stable_sort(rutas.begin(), rutas.end(),
                     [](const auto& x, const auto& y) { return x.second->paso > y.second->paso; });
    if (rutas.size() > kRutasMostradas) rutas.resize(kRutasMostradas);
    for (const auto& [k, a] : rutas) {
        RutaLinea r;
        r.centros = Recorrido(linea, *k);
        r.paso.valor = a->paso / R;
        if (R > 1) {
            const double var = std::max(0.0, (a->paso2 - a->paso * r.paso.valor) / (R - 1));
            const boost::math::students_t st(R - 1);
            r.paso.semiancho = boost::math::quantile(st, 0.975) * std::sqrt(var / R);
        }
        r.media = t.Estimar(a->media);
        r.P50 = t.Estimar(a->P50);
        r.P90 = t.Estimar(a->P90);
        r.P95 = t.Estimar(a->P95);
        res.rutas.push_back(std::move(r));
    }

    Cuantiles total(EscalaLinea(linea));
    for (const auto& p : pozos)
        if (p) total.Sumar(*p);
    res.distribucion = total.Distribucion(1000);
    return res;
}

}  // namespace vortena
