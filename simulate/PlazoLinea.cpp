#include "simulate/PlazoLinea.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "model/ErrorAritmetico.h"
#include "simulate/IndiceAleatorio.h"
#include "simulate/LotePlazo.h"

namespace vortena {

std::size_t TamMuestraCentro(int centros) {
    constexpr std::size_t kTope = 65536;
    constexpr std::size_t kValores = 256'000'000 / sizeof(double);
    if (centros < 1) return kTope;
    return std::min(kTope, kValores / static_cast<std::size_t>(centros));
}

namespace {

// Runs the blocks of draws on the threads and adds their sums in block
// order, whichever thread finishes first.
class Sorteo {
public:
    Sorteo(const GrafoPlazo& g, const AjustesPlazo& a, Trabajo& t, std::vector<double>& tiempos)
        : g_(g),
          a_(a),
          trabajo_(t),
          tiempos_(tiempos),
          bloques_((a.muestras + kSorteosPorBloque - 1) / kSorteosPorBloque) {
        total_.Reiniciar(g.Nodos());
    }

    void Ejecutar(int hilos) {
        std::vector<std::thread> th;
        for (int i = 1; i < hilos; ++i) th.emplace_back([this] { Trabajar(); });
        Trabajar();
        for (std::thread& t : th) t.join();
        if (error_) std::rethrow_exception(error_);
        if (trabajo_.Cancelado()) throw Cancelado{};
    }

    const AcumuladoPlazo& Total() const { return total_; }
    std::int64_t Bloques() const { return bloques_; }

private:
    const GrafoPlazo& g_;
    const AjustesPlazo& a_;
    Trabajo& trabajo_;
    std::vector<double>& tiempos_;
    const std::int64_t bloques_;
    std::atomic<std::int64_t> siguiente_{0};
    std::atomic<std::int64_t> hechos_{0};
    std::atomic<int> porcentaje_{0};

    std::mutex mutex_;
    std::map<std::int64_t, AcumuladoPlazo> pendientes_;
    std::int64_t proximo_ = 0;
    AcumuladoPlazo total_;
    std::exception_ptr error_;
    std::atomic<bool> detener_{false};

    bool Parar() const { return detener_.load(std::memory_order_relaxed) || trabajo_.Cancelado(); }

    void Trabajar() {
        try {
            LotePlazo lote(g_);
            AcumuladoPlazo acum;
            for (;;) {
                const std::int64_t b = siguiente_.fetch_add(1);
                if (b >= bloques_ || Parar()) return;
                acum.Reiniciar(g_.Nodos());
                if (!Bloque(lote, b, acum)) return;
                Entregar(b, std::move(acum));
            }
        } catch (...) {
            std::lock_guard<std::mutex> l(mutex_);
            if (!error_) error_ = std::current_exception();
            detener_ = true;
        }
    }

    bool Bloque(LotePlazo& lote, std::int64_t b, AcumuladoPlazo& acum) {
        pcg64 flujo = FlujoDeBloque(a_.semilla, static_cast<std::uint64_t>(b));
        const std::int64_t desde = b * kSorteosPorBloque;
        const std::int64_t hasta = std::min(a_.muestras, desde + kSorteosPorBloque);
        for (std::int64_t i = desde; i < hasta; i += LotePlazo::kLote) {
            if (Parar()) return false;
            const int n = static_cast<int>(std::min<std::int64_t>(LotePlazo::kLote, hasta - i));
            lote.Sortear(flujo, n, &tiempos_[static_cast<std::size_t>(i)], acum);
            Avanzar(n);
        }
        return true;
    }

    // Progress in whole percents, so the window hears at most 100 reports.
    void Avanzar(int n) {
        const std::int64_t h = hechos_.fetch_add(n) + n;
        const int p = static_cast<int>(h * 100 / a_.muestras);
        int antes = porcentaje_.load();
        while (p > antes)
            if (porcentaje_.compare_exchange_weak(antes, p)) {
                trabajo_.Informar(static_cast<double>(h) / static_cast<double>(a_.muestras));
                break;
            }
    }

    void Entregar(std::int64_t b, AcumuladoPlazo&& acum) {
        std::lock_guard<std::mutex> l(mutex_);
        pendientes_.emplace(b, std::move(acum));
        for (auto it = pendientes_.find(proximo_); it != pendientes_.end();
             it = pendientes_.find(proximo_)) {
            total_.Sumar(it->second);
            pendientes_.erase(it);
            ++proximo_;
        }
    }
};

int Hilos(const AjustesPlazo& a, std::int64_t bloques) {
    int h = a.hilos > 0 ? a.hilos : static_cast<int>(std::thread::hardware_concurrency());
    return static_cast<int>(std::clamp<std::int64_t>(h, 1, bloques));
}

// The longest path with each node lasting the mean of its sample.
double PertDeMedias(const GrafoPlazo& g) {
    std::vector<double> fin(static_cast<std::size_t>(g.Nodos()), 0.0);
    double inicio = 0;
    for (int v = 1; v < g.Nodos(); ++v) {
        const auto i = static_cast<std::size_t>(v);
        inicio = 0;
        for (std::int32_t e = g.inicioPred[i]; e < g.inicioPred[i + 1]; ++e)
            inicio = std::max(inicio,
                              fin[static_cast<std::size_t>(g.pred[static_cast<std::size_t>(e)])]);
        double d = g.w[i];
        if (g.muestra[i]) {
            double s = 0;
            for (std::uint32_t k = 0; k < g.tamMuestra[i]; ++k) s += g.muestra[i][k];
            d = s / g.tamMuestra[i];
        }
        fin[i] = d + inicio;
    }
    return inicio;  // the end node's start
}

// Correlation from sums over m draws of x (a duration minus a shift), x^2
// and x * t, with t's mean and population variance already known.
double Correlacion(double sx, double sxx, double sxt, double m, double mediaT, double varT) {
    const double mx = sx / m;
    const double varX = sxx / m - mx * mx;
    if (!(varX > 0) || !(varT > 0)) return 0;
    const double r = (sxt / m - mx * mediaT) / std::sqrt(varX * varT);
    if (!std::isfinite(r)) return 0;
    return std::clamp(r, -1.0, 1.0);
}

}  // namespace

ResultadoPlazo CalcularPlazo(const Red& red, const MuestrasCentros& muestras,
                             const AjustesPlazo& ajustes, Trabajo& trabajo) {
    if (ajustes.muestras < AjustesPlazo::kMuestrasMin ||
        ajustes.muestras > AjustesPlazo::kMuestrasMax)
        throw std::invalid_argument("muestras");
    if (ajustes.deseado && !std::isfinite(*ajustes.deseado)) throw std::invalid_argument("deseado");
    const GrafoPlazo g = ConstruirGrafoPlazo(red, muestras);

    ResultadoPlazo r;
    r.semilla = ajustes.semilla;
    r.pert = Finito(g.pert);
    r.pertSimulado = Finito(PertDeMedias(g));
    r.tiempos.resize(static_cast<std::size_t>(ajustes.muestras));
    Sorteo sorteo(g, ajustes, trabajo, r.tiempos);
    sorteo.Ejecutar(Hilos(ajustes, sorteo.Bloques()));

    const double m = static_cast<double>(ajustes.muestras);
    r.visitas = ajustes.muestras * std::max(0, g.Nodos() - 2);
    // Shifted by the PERT's time, as the duration sums are.
    double s = 0;
    for (double t : r.tiempos) s += t - r.pert;
    const double mediaT = s / m;
    double ss = 0;
    for (double t : r.tiempos) ss += (t - r.pert - mediaT) * (t - r.pert - mediaT);
    const double varT = ss / m;
    r.media = Finito(r.pert + mediaT);
    r.desviacion = ajustes.muestras > 1 ? Finito(std::sqrt(ss / (m - 1))) : 0.0;

    std::sort(r.tiempos.begin(), r.tiempos.end());
    Finito(r.tiempos.back());
    r.P50 = r.Cuantil(0.50);
    r.P80 = r.Cuantil(0.80);
    r.P90 = r.Cuantil(0.90);
    r.P95 = r.Cuantil(0.95);
    r.Ppert = r.Probabilidad(r.pert);
    r.deseado = ajustes.deseado.value_or(r.pert);
    r.Pdeseado = r.Probabilidad(r.deseado);

    const AcumuladoPlazo& tot = sorteo.Total();
    std::vector<std::int32_t> nodo(static_cast<std::size_t>(red.Centros.Count()) + 1, -1);
    for (int v = 0; v < g.Nodos(); ++v)
        nodo[static_cast<std::size_t>(g.posicion[static_cast<std::size_t>(v)])] = v;
    for (const CentroProductivo& c : red.Centros) {
        if (!c.EsCentro() || !c.ParticipaPERT()) continue;
        CentroPlazo cp{c.posicion, c.Nombre, 0, 0};
        const std::int32_t v = nodo[static_cast<std::size_t>(c.posicion)];
        if (v > 0 && v < g.Fin()) {
            const auto i = static_cast<std::size_t>(v);
            cp.criticidad = static_cast<double>(tot.enCamino[i]) / m;
            cp.crucialidad = Correlacion(tot.sd[i], tot.sdd[i], tot.sdt[i], m, mediaT, varT);
        }
        r.centros.push_back(std::move(cp));
    }
    return r;
}

}  // namespace vortena
