#include <cmath>

#include "compute/Pert.h"
#include "model/ErrorAritmetico.h"
#include "optimise/MensajesOptimizacion.h"
#include "optimise/Optimizacion.h"

namespace vortena {

bool ComprobarRedOptimizacion(Red& red, Mensajes& mensajes) {
    red.MostrarCriticos = true;
    red.ErrorCalculo = false;
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        c.Calculos(red.ErrorCalculo, mensajes);
        if (red.ErrorCalculo) return false;  // the centre has told the user
    }
    if (CalcularPERT(red, red.NodoInicio, red.NodoFin) == 0) {
        mensajes.Mostrar(kTextoCentrosInvalidos, kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return false;
    }
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
        msj_.Mostrar(kTextoIteracionesCero, kTituloErrorCarga, Botones::Aceptar, Icono::Exclamacion);
        return rechazar(RechazoCorrida::Iteraciones);
    }
    if (rechazo) *rechazo = RechazoCorrida::Ninguno;
    return PeticionCorrida{*d, Val(iteraciones), *n};
}

void Optimizacion::Correr(const PeticionCorrida& p, Documento& doc,
                          const std::function<void(const AvanceOptimizacion&)>& alAvanzar) {
    TiempoDeseado = p.deseado;
    for (long long g = 0; static_cast<double>(g) <= p.iteraciones; ++g) {
        Reproducir();
        EvaluarPoblacion();
        ClasificarPoblacion();
        if (alAvanzar)
            alAvanzar({static_cast<int>(g), std::floor(static_cast<double>(g) * 100.0 / p.divisor),
                       MejorCadena.rOptimo, MejorCadena.rTiempo});
    }
    huboCorrida_ = true;
    // The network shows the reported result, not the last candidate tried.
    PonerServidores(MejorCadena.EL.valores(), true);
    CalcularPERT(red_, red_.NodoInicio, red_.NodoFin);
    doc.ACTBarraEstado(true);
}

}  // namespace vortena
