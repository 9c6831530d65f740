#include "cli/PasoOptimizar.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <variant>

#include "cli/Consola.h"
#include "cli/Medidas.h"
#include "optimise/MensajesOptimizacion.h"
#include "optimise/Optimizacion.h"

namespace vortena::calc {

bool Optimizar(EntornoCalc& e, const std::string& opciones) {
    auto leido = LeerOpciones("optimizar", kOpcionesOptimizar, opciones, e.regional);
    const auto* o = std::get_if<OpcionesLeidas>(&leido);
    if (!o) return true;  // the command line was checked before any step ran

    Optimizacion opt(e.red, e.mensajes, e.azar);
    o->Tomar("--habitantes", opt.ajustes.habitantes);
    o->Tomar("--delta", opt.ajustes.delta);
    o->Tomar("--diversidad", opt.ajustes.diversidad);
    if (!opt.Abrir()) return true;
    // The desired time goes through the same text the dialog would show.
    const std::string deseado =
        o->Texto("--deseado").value_or(TextoGeneral(opt.TiempoActual, e.regional));
    const std::string iteraciones =
        o->Texto("--iteraciones").value_or(AjustesOptimizacion::kIteracionesPorDefecto);
    const auto peticion = opt.ComprobarInicio(deseado, iteraciones, e.regional);
    if (!peticion) {
        opt.Cerrar();
        return true;
    }
    {
        Trabajo trabajo;
        ProgresoTerminal progreso(trabajo, "optimizar");
        opt.Correr(*peticion, e.doc, [&](const AvanceOptimizacion& a) {
            trabajo.Informar(std::min(1.0, (a.generacion + 1) / (peticion->iteraciones + 1)));
        });
    }
    opt.Cerrar();

    const GenCadena& mejor = opt.MejorCadena;
    e.salida << TextoResultado(mejor.rOptimo, mejor.rTiempo, e.regional) << '\n';
    const auto& centros = opt.centrosGen();
    for (std::size_t k = 0; k < centros.size() && static_cast<int>(k) < mejor.EL.Count(); ++k) {
        const CentroProductivo& c = e.red.Centros(centros[k]);
        e.salida << TextoGeneral(c.posicion, e.regional) << '\t' << Celda(c.Nombre) << '\t'
                 << TextoGeneral(mejor.EL(static_cast<int>(k) + 1), e.regional) << '\n';
    }
    return true;
}

}  // namespace vortena::calc
