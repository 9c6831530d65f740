#include "cli/PasoPareto.h"

#include <variant>

#include "cli/Consola.h"
#include "cli/Medidas.h"
#include "model/Trabajo.h"
#include "optimise/BusquedaFrente.h"
#include "optimise/ModeloFrente.h"

namespace vortena::calc {

bool Pareto(EntornoCalc& e, const std::string& opciones) {
    auto leido = LeerOpciones("pareto", kOpcionesPareto, opciones, e.regional);
    const auto* leidas = std::get_if<OpcionesLeidas>(&leido);
    if (!leidas) return true;  // the command line was checked before any step ran
    AjustesFrente ajustes;
    leidas->Tomar("--extra", ajustes.extra);
    leidas->Tomar("--poblacion", ajustes.poblacion);
    leidas->Tomar("--generaciones", ajustes.generaciones);
    leidas->Tomar("--semilla", ajustes.semilla);
    leidas->Tomar("--hilos", ajustes.hilos);

    const auto modelo = PrepararFrente(e.red, ajustes.extra, e.mensajes);
    if (!modelo) return true;
    ajustes.hilos = HilosPermitidos(ajustes.hilos, e.mensajes, "pareto");
    Trabajo trabajo;
    ResultadoFrente r;
    try {
        ProgresoTerminal progreso(trabajo, "pareto");
        r = BuscarFrente(*modelo, ajustes, trabajo);
    } catch (const ErrorFrente& error) {
        e.mensajes.Mostrar(error.what(), kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return true;
    }

    e.salida << "metodo\t" << (r.exacto ? "exacto" : "aproximado") << '\n';
    e.salida << "hipervolumen\t" << TextoExacto(r.hipervolumen) << '\n';
    e.salida << "costo\ttiempo";
    for (const ModeloFrente::Gen& g : modelo->genes()) e.salida << '\t' << Celda(g.nombre);
    e.salida << '\n';
    for (const PuntoFrente& p : r.puntos) {
        e.salida << TextoExacto(p.costo) << '\t' << TextoExacto(p.tiempo);
        for (std::int16_t s : p.servidores) e.salida << '\t' << s;
        e.salida << '\n';
    }
    return true;
}

}  // namespace vortena::calc
