#include "simulate/SimulacionPlazo.h"

#include <algorithm>
#include <functional>

#include "compute/CopiaRed.h"
#include "compute/Dimensionamiento.h"
#include "model/Documento.h"
#include "model/Mensajes.h"

namespace vortena {
namespace {

// Maps a part's progress into its share of the whole run, and gives the
// caller's callback back however the part ends.
class Tramo {
public:
    Tramo(Trabajo& t, double desde, double hasta) : t_(t), original_(t.progreso) {
        if (original_)
            t_.progreso = [f = original_, desde, hasta](double x) {
                f(desde + (hasta - desde) * x);
            };
    }
    ~Tramo() { t_.progreso = original_; }
    Tramo(const Tramo&) = delete;
    Tramo& operator=(const Tramo&) = delete;

private:
    Trabajo& t_;
    std::function<void(double)> original_;
};

}  // namespace

ResultadoPlazo SimularPlazo(const Red& red, OpcionesSimulacion o, const AjustesPlazo& a,
                            Trabajo& trabajo) {
    MensajesCallados callado;
    const Red copia = CopiaCalculada(red, callado);
    if (copia.ErrorCalculo) throw ErrorPlazo("La red no se pudo calcular");

    int centros = 0;
    for (const CentroProductivo& c : copia.Centros) centros += c.EsCentro() ? 1 : 0;
    o.tamMuestra = static_cast<int>(TamMuestraCentro(centros));

    // Shares of the run by the work each part does per centre: simulated
    // customers run about five times slower than drawn durations.
    const double clientes =
        static_cast<double>(std::max(o.replicas, 10)) *
        static_cast<double>(o.clientes + (o.calentamientoAuto ? o.clientes : o.calentamiento));
    const double corte = clientes * 5 / (clientes * 5 + static_cast<double>(a.muestras));

    ResultadoSimulacion sim;
    {
        Tramo tramo(trabajo, 0, corte);
        sim = SimularCentros(copia, o, trabajo);
    }
    MuestrasCentros muestras(static_cast<std::size_t>(copia.Centros.Count()));
    for (ResultadoCentro& c : sim.centros) {
        const CentroProductivo& centro = copia.Centros(c.indice);
        if (c.inestable && centro.ParticipaPERT())
            throw ErrorPlazo("El centro " + c.Nombre + " es inestable: no se puede simular");
        muestras[static_cast<std::size_t>(c.indice) - 1] = std::move(c.muestra);
    }
    Tramo tramo(trabajo, corte, 1);
    return CalcularPlazo(copia, muestras, a, trabajo);
}

}  // namespace vortena
