#include "simulate/AnalisisSalida.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <limits>

namespace vortena::sim {

Resumen Resumir(std::span<const double> medias) {
    Resumen r;
    r.n = static_cast<int>(medias.size());
    if (r.n == 0) return r;
    double suma = 0;
    for (double v : medias) suma += v;
    r.media = suma / r.n;
    if (r.n < 2) return r;
    double m2 = 0, m3 = 0;
    for (double v : medias) {
        const double d = v - r.media;
        m2 += d * d;
        m3 += d * d * d;
    }
    r.desviacion = std::sqrt(m2 / (r.n - 1));
    // A spread at rounding level (a deterministic centre) has no shape.
    if (r.n >= 3 && r.desviacion > 1e-12 * std::fabs(r.media)) {
        const double n = r.n;
        const double g1 = (m3 / n) / std::pow(m2 / n, 1.5);
        r.asimetria = g1 * std::sqrt(n * (n - 1)) / (n - 2);
    }
    return r;
}

double SemiAncho(const Resumen& r, double confianza) {
    if (r.n < 2 || r.desviacion == 0) return 0;
    const boost::math::students_t t(static_cast<double>(r.n - 1));
    return boost::math::quantile(t, 0.5 + 0.5 * confianza) * r.desviacion /
           std::sqrt(static_cast<double>(r.n));
}

Estimacion Intervalo(const Resumen& r, double confianza) {
    return {r.media, SemiAncho(r, confianza)};
}

Serie::Serie(std::int64_t n) : n_(n) {
    for (std::size_t i = 0; i < limites_.size(); ++i)
        limites_[i] = std::max<std::int64_t>(1, n / kFraccionesInicio[i]);
    proximo_ = n >= 2 ? limites_[0] : -1;
}

void Serie::Marcar() {
    // Several fractions share a boundary when n is tiny.
    while (marca_ < limites_.size() && limites_[marca_] == vistos_) sumas_[marca_++] = suma_;
    proximo_ = marca_ < limites_.size() ? limites_[marca_] : -1;
}

TramosSerie Serie::Tramos() const {
    TramosSerie t;
    t.n = vistos_;
    if (vistos_ == 0) return t;
    const double n = static_cast<double>(vistos_);
    t.media = suma_ / n;
    t.varianza = std::max(0.0, cuadrados_ / n - t.media * t.media);
    for (std::size_t i = 0; i < limites_.size(); ++i)
        t.inicio[i] = marca_ > i ? sumas_[i] / static_cast<double>(limites_[i]) : t.media;
    const std::int64_t mitad = limites_.back();
    t.segundaMitad = marca_ == limites_.size() && vistos_ > mitad
                         ? (suma_ - sumas_.back()) / static_cast<double>(vistos_ - mitad)
                         : t.media;
    return t;
}

namespace {

// The start-versus-end difference must be clear at 1 % over the three
// sections tested together (Bonferroni): a looser test warns on a third of
// clean runs once every measure of every centre is checked.
constexpr double kTendenciaRiesgo = 0.01;
constexpr double kTendenciaPosibleRiesgo = 0.20;
// A transient whose bias on the whole mean is below this share of the
// half-width that matters changes no conclusion.
constexpr double kSesgoRelevante = 0.25;

}  // namespace

Diagnostico Diagnosticar(std::span<const TramosSerie> replicas, double referencia) {
    Diagnostico d;
    const std::size_t r = replicas.size();
    if (r < 3) return d;
    std::vector<double> v(r);
    for (std::size_t i = 0; i < r; ++i) v[i] = replicas[i].media;
    const Resumen medias = Resumir(v);
    double varianza = 0;
    for (const TramosSerie& t : replicas) varianza += t.varianza;
    varianza /= static_cast<double>(r);
    const double n = static_cast<double>(replicas[0].n);
    if (varianza > 0)
        d.inflacion = std::max(1.0, n * medias.desviacion * medias.desviacion / varianza);
    d.corta = n < kIndependientesMin * d.inflacion;

    const boost::math::students_t t(static_cast<double>(r - 1));
    const auto critico = [&](double riesgo) {
        return boost::math::quantile(
            t, 1 - riesgo / (2.0 * static_cast<double>(kFraccionesInicio.size())));
    };
    const double tCritico = critico(kTendenciaRiesgo);
    const double tPosible = critico(kTendenciaPosibleRiesgo);
    for (std::size_t f = 0; f < kFraccionesInicio.size(); ++f) {
        for (std::size_t i = 0; i < r; ++i) v[i] = replicas[i].inicio[f] - replicas[i].segundaMitad;
        const Resumen dif = Resumir(v);
        const double se = dif.desviacion / std::sqrt(static_cast<double>(r));
        const auto supera = [&](double critico) {
            return se > 0 ? std::fabs(dif.media) > critico * se : dif.media != 0;
        };
        // The section's excess diluted over the whole run.
        const double sesgo = std::fabs(dif.media) / static_cast<double>(kFraccionesInicio[f]);
        if (sesgo <= kSesgoRelevante * referencia) continue;
        d.tendencia = d.tendencia || supera(tCritico);
        d.tendenciaPosible = d.tendenciaPosible || supera(tPosible);
    }
    return d;
}

bool Asimetrica(const Resumen& r) {
    if (r.n < 3) return false;
    const double n = r.n;
    // Standard error of the sample skewness of n normal values.
    const double se = std::sqrt(6.0 * n * (n - 1) / ((n - 2) * (n + 1) * (n + 3)));
    return std::fabs(r.asimetria) > std::max(1.0, 3.0 * se);
}

Juicio Juzgar(double exacto, const Resumen& simulado, std::int64_t eventos,
              const ReglaBanderas& regla) {
    if (PocosEventos(eventos)) return Juicio::PocosEventos;
    const double familia = 1.0 - (1.0 - regla.confianza) / std::max(1, regla.pruebas);
    const double brecha = std::fabs(exacto - simulado.media);
    const double escala = std::max(std::fabs(exacto), std::fabs(simulado.media));
    // The rounding allowance keeps a deterministic centre's zero-width
    // interval from missing an exact figure by its last bit.
    const bool clara = brecha > SemiAncho(simulado, familia) + 1e-9 * escala;
    const bool material = brecha > regla.tolerancia * escala;
    return clara && material ? Juicio::Difiere : Juicio::Coincide;
}

std::int64_t CortePilotos(std::span<const LotesMSER> pilotos) {
    if (pilotos.empty()) return 0;
    const LotesMSER& primero = pilotos.front();
    std::vector<double> media(primero.Medias().size(), 0.0);
    int usados = 0;
    for (const LotesMSER& p : pilotos) {
        if (p.Medias().size() != media.size() || p.TamLote() != primero.TamLote()) continue;
        for (std::size_t j = 0; j < media.size(); ++j) media[j] += p.Medias()[j];
        ++usados;
    }
    for (double& m : media) m /= usados;
    return static_cast<std::int64_t>(CorteMSER(media)) * primero.TamLote();
}

bool Precisa(const Resumen& r, double precision) {
    return SemiAncho(r) <= precision * std::fabs(r.media);
}

Decision DecidirPrecision(const PlanPrecision& plan, std::span<const Resumen> medidas,
                          const Diagnostico& diagnostico, std::int64_t longitud) {
    const int r = medidas.empty() ? 0 : medidas.front().n;
    const auto cabe = [&](int replicas, std::int64_t largo) {
        return largo <= plan.longitudMax &&
               static_cast<double>(replicas) * static_cast<double>(largo) <= plan.trabajoMax;
    };
    const auto alargar = [&](int replicas) -> Decision {
        const int nuevas = std::clamp(replicas, plan.ronda, plan.replicasMax);
        if (cabe(nuevas, 2 * longitud)) return {Accion::Alargar, nuevas, 2 * longitud};
        return {Accion::Agotado, r, longitud};
    };
    // Means still dominated by the start-up: more of them would only narrow
    // the interval around the wrong value.
    if (diagnostico.tendenciaPosible || diagnostico.corta) return alargar(plan.ronda);

    double necesarias = r;
    for (const Resumen& m : medidas) {
        if (Precisa(m, plan.precision)) continue;
        const double objetivo = plan.precision * std::fabs(m.media);
        const double razon =
            objetivo > 0 ? SemiAncho(m) / objetivo : std::numeric_limits<double>::infinity();
        necesarias = std::max(necesarias, r * razon * razon);
    }
    if (necesarias <= r) return {Accion::Parar, r, longitud};
    if (r >= plan.replicasMax) {
        // Twice as long, each mean's variance about halves.
        return alargar(static_cast<int>(std::min<double>(plan.replicasMax, necesarias / 2)));
    }
    // Grow at most twofold per round, so the trend is looked at again
    // before a large commitment.
    int quiero = static_cast<int>(std::min<double>(std::ceil(necesarias), 2.0 * r));
    quiero = std::clamp(quiero, r + 1, plan.replicasMax);
    while (quiero > r && !cabe(quiero, longitud)) --quiero;
    if (quiero <= r) return {Accion::Agotado, r, longitud};
    return {Accion::MasReplicas, quiero, longitud};
}

}  // namespace vortena::sim
