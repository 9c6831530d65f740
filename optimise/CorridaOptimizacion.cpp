#include <cmath>

#include "compute/Pert.h"
#include "model/ErrorAritmetico.h"
#include "optimise/MensajesOptimizacion.h"
#include "optimise/Optimizacion.h"

namespace vortena {

bool ComprobarRedOptimizacion(Red& red, Mensajes& mensajes) {
    red.MostrarCriticos = true;
    red.ErrorCalculo = false;
    red.ResultadosAlDia = false;
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        c.Calculos(red.ErrorCalculo, mensajes);
        if (red.ErrorCalculo) return false;  // the centre has told the user
    }
    if (CalcularPERT(red, red.NodoInicio, red.NodoFin) == 0) {
        mensajes.Mostrar(kTextoCentrosInvalidos, kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return false;
    }
    red.Calculada();
    return true;
}

bool IteracionesValidas(std::string_view texto, const Regional& reg) {
    const auto n = LeerNumero(texto, reg);
    return n && *n > 0;
}

bool Optimizacion::Abrir() {
    if (!ComprobarRedOptimizacion(red_, msj_)) return false;
    try {
        PrepararOptimizacion();
    } catch (const ErrorAritmetico&) {
        // Nothing was searched: the user keeps the counts and a sound PERT.
        Cerrar();
        msj_.Mostrar(kTextoDesbordamiento, kTituloPrograma, Botones::Aceptar, Icono::Exclamacion);
        return false;
    }
    return true;
}

void Optimizacion::Cerrar() {
    if (!huboCorrida_ && !servidoresAlAbrir_.empty()) {
        PonerServidores(servidoresAlAbrir_, false);
        CalcularPERT(red_, red_.NodoInicio, red_.NodoFin);
    }
    servidoresAlAbrir_.clear();
}

void Optimizacion::PonerServidores(const std::vector<std::int16_t>& servidores, bool calcular) {
    const std::size_t n = std::min(servidores.size(), centros_.size());
    for (std::size_t k = 0; k < n; ++k) {
        CentroProductivo& c = red_.Centros(centros_[k]);
        c.Servidores = servidores[k];
        if (calcular) c.Calculos(red_.ErrorCalculo, msj_);
    }
}

std::optional<PeticionCorrida> Optimizacion::ComprobarInicio(std::string_view deseado,
                                                             std::string_view iteraciones,
                                                             const Regional& reg,
                                                             RechazoCorrida* rechazo) {
    auto rechazar = [&](RechazoCorrida r) {
        if (rechazo) *rechazo = r;
        return std::optional<PeticionCorrida>{};
    };
    const auto d = LeerNumero(deseado, reg);
    if (d) TiempoDeseado = *d;
    if (!d || !(TiempoMinimo < *d)) {
        msj_.Mostrar(kTextoValorPequeno, kTituloErrorCarga, Botones::Aceptar, Icono::Critico);
        return rechazar(RechazoCorrida::Deseado);
    }
    const auto n = LeerNumero(iteraciones, reg);
    if (!n || !(*n > 0)) {
        msj_.Mostrar(kTextoIteracionesCero, kTituloErrorCarga, Botones::Aceptar,
                     Icono::Exclamacion);
        return rechazar(RechazoCorrida::Iteraciones);
    }
    if (rechazo) *rechazo = RechazoCorrida::Ninguno;
    return PeticionCorrida{*d, Val(iteraciones), *n};
}

bool MejoraLaRed(const GenCadena& resultado, const GenCadena& inicial, double deseado) {
    const bool cumple = resultado.rTiempo < deseado, cumplia = inicial.rTiempo < deseado;
    if (cumple != cumplia) return cumple;
    const double c = resultado.rOptimo, c0 = inicial.rOptimo;
    const double t = resultado.rTiempo, t0 = inicial.rTiempo;
    if (cumple) return c < c0 || (c == c0 && t < t0);
    return c <= c0 && t <= t0 && (c < c0 || t < t0);
}

void Optimizacion::Correr(const PeticionCorrida& p, Documento& doc,
                          const std::function<void(const AvanceOptimizacion&)>& alAvanzar) {
    TiempoDeseado = p.deseado;
    // The start, evaluated as any candidate. The pool was built from it (its
    // first member has the network's counts); later runs go on with the
    // pool and with the best found so far, judged by this run's desired time.
    inicial_ = GenCadena();
    GenCadena mejor;
    if (Poblacion.Count() > 0) {
        CopiarCadena(inicial_, Poblacion(1));
        for (int k = 1; k <= inicial_.nEl && k <= static_cast<int>(partida_.size()); ++k)
            inicial_.EL.Reemplazar(k, partida_[static_cast<std::size_t>(k - 1)]);
        inicial_.CalculaFitness(red_, msj_, centros_, TiempoDeseado);
        if (!huboCorrida_) CopiarCadena(Poblacion(1), inicial_);
        CopiarCadena(mejor, inicial_);
        if (huboCorrida_) {
            mejorHallada_.CalculaFitness(red_, msj_, centros_, TiempoDeseado);
            if (mejorHallada_.Optimidad > mejor.Optimidad) CopiarCadena(mejor, mejorHallada_);
        }
    }
    for (long long g = 0; static_cast<double>(g) <= p.iteraciones; ++g) {
        Reproducir();
        EvaluarPoblacion();
        ClasificarPoblacion();
        // Ties keep the earlier, the start first.
        if (MejorCadena.Optimidad > mejor.Optimidad) CopiarCadena(mejor, MejorCadena);
        if (alAvanzar)
            alAvanzar({static_cast<int>(g), std::floor(static_cast<double>(g) * 100.0 / p.divisor),
                       MejorCadena.rOptimo, MejorCadena.rTiempo});
    }
    // The best of the whole run, the start included, is the result.
    CopiarCadena(MejorCadena, mejor);
    CopiarCadena(mejorHallada_, mejor);
    huboCorrida_ = true;
    aplicada_ = Poblacion.Count() > 0 && MejoraLaRed(MejorCadena, inicial_, TiempoDeseado);
    if (aplicada_) partida_ = MejorCadena.EL.valores();
    // The network shows the result it took, or its own counts back.
    red_.ErrorCalculo = false;
    PonerServidores(partida_, true);
    CalcularPERT(red_, red_.NodoInicio, red_.NodoFin);
    if (!red_.ErrorCalculo) red_.Calculada();
    doc.ACTBarraEstado(true);
}

}  // namespace vortena
