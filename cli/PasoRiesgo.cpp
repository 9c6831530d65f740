#include "cli/PasoRiesgo.h"

#include <cmath>
#include <variant>

#include "cli/Consola.h"
#include "cli/Medidas.h"
#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/EscrituraAtomica.h"
#include "simulate/SimulacionLinea.h"

namespace vortena::calc {
namespace {

std::string Con(const Estimacion& e) {
    return TextoExacto(e.valor) + '\t' + TextoExacto(e.semiancho);
}

void EscribirResultado(const ResultadoLinea& r, std::ostream& out) {
    out << HechosCorrida(r);
    out << "pert\t" << TextoExacto(r.pert) << '\n';
    out << "deseado\t" << TextoExacto(r.deseado) << '\n';
    for (int m = 0; m < kNumMedidasLinea; ++m)
        out << NombreMedidaLinea(m) << '\t' << Con(r.linea[m]) << '\n';
    out << "replicas\t" << r.replicas << '\n';
    out << "posicion\tNombre\tpaso\taporte\tcrucialidad\n";
    for (const CentroLinea& c : r.centros)
        out << TextoGeneral(c.posicion, Regional::Ingles()) << '\t' << Celda(c.Nombre) << '\t'
            << TextoExacto(c.paso.valor) << '\t' << TextoExacto(c.aporte.valor) << '\t'
            << TextoExacto(c.crucialidad.valor) << '\n';
    out << "\nruta\tpaso\tmedia\tP50\tP90\tP95\tcentros\n";
    int n = 0;
    for (const RutaLinea& ruta : r.rutas) {
        out << ++n << '\t' << TextoExacto(ruta.paso.valor) << '\t' << TextoExacto(ruta.media.valor)
            << '\t' << TextoExacto(ruta.P50.valor) << '\t' << TextoExacto(ruta.P90.valor) << '\t'
            << TextoExacto(ruta.P95.valor) << '\t';
        for (std::size_t i = 0; i < ruta.centros.size(); ++i)
            out << (i ? "-" : "") << ruta.centros[i];
        out << '\n';
    }
}

}  // namespace

bool Riesgo(EntornoCalc& e, const std::string& opciones) {
    auto leido = LeerOpciones("riesgo", kOpcionesRiesgo, opciones, e.regional);
    const auto* leidas = std::get_if<OpcionesLeidas>(&leido);
    if (!leidas) return true;  // the command line was checked before any step ran
    OpcionesSimulacion sim = AjustesSimulacion(*leidas);
    std::optional<double> deseado;
    leidas->Tomar("--deseado", deseado);
    const std::optional<std::string> cdf = leidas->Texto("--cdf");

    sim.hilos = HilosPermitidos(sim.hilos, e.mensajes, "riesgo");
    Trabajo trabajo;
    ResultadoLinea r;
    try {
        ProgresoTerminal progreso(trabajo, "riesgo");
        r = SimularLinea(e.red, sim, deseado, trabajo);
    } catch (const ErrorLinea& error) {
        e.mensajes.Mostrar(error.what(), kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return true;
    }
    if (!r.tasasDistintas.empty())
        e.mensajes.Mostrar(AvisoTasas(r.tasasDistintas), kTituloPrograma, Botones::Aceptar,
                           Icono::Informacion);

    EscribirResultado(r, e.salida);
    if (cdf) {
        std::string texto;
        for (const auto& [tiempo, probabilidad] : r.distribucion)
            texto += TextoExacto(tiempo) + '\t' + TextoExacto(probabilidad) + '\n';
        try {
            EscribirAtomico(*cdf, texto, ArchivoAbierto(e.doc));
        } catch (const ErrorArchivo& error) {
            e.mensajes.Mostrar(
                "No se pudo escribir la distribución en " + *cdf + ": " + error.what() + ".",
                kTituloVentana, Botones::Aceptar, Icono::Critico);
            return false;
        }
    }
    return true;
}

}  // namespace vortena::calc
