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
namespace {

struct OpcionesOptimizar {
    AjustesOptimizacion ajustes;
    std::string iteraciones = AjustesOptimizacion::kIteracionesPorDefecto;
    std::optional<std::string> deseado;  // the line's current time when absent
};

std::optional<std::int16_t> Entero(const std::string& texto, int min, int max,
                                   const Regional& reg) {
    const auto v = LeerNumero(texto, reg);
    if (!v || *v != std::floor(*v) || *v < min || *v > max) return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

std::variant<OpcionesOptimizar, std::string> Leer(const std::string& opciones,
                                                  const Regional& reg) {
    OpcionesOptimizar o;
    std::istringstream lineas(opciones);
    std::string linea, vistas;
    while (std::getline(lineas, linea)) {
        const std::size_t igual = linea.find('=');
        const std::string nombre = linea.substr(0, igual);
        const std::string valor =
            igual == std::string::npos ? std::string() : linea.substr(igual + 1);
        if (vistas.find(" " + nombre + " ") != std::string::npos) return nombre + " repetida";
        vistas += " " + nombre + " ";
        auto rango = [&](std::int16_t& destino, int min, int max) -> std::optional<std::string> {
            if (const auto v = Entero(valor, min, max, reg)) {
                destino = *v;
                return std::nullopt;
            }
            return nombre + std::string(" espera un entero de ").append(std::to_string(min)) +
                   std::string(" a ").append(std::to_string(max));
        };
        std::optional<std::string> error;
        if (nombre == "--habitantes") {
            error = rango(o.ajustes.habitantes, AjustesOptimizacion::kHabitantesMin,
                          AjustesOptimizacion::kHabitantesMax);
        } else if (nombre == "--delta") {
            error = rango(o.ajustes.delta, AjustesOptimizacion::kDeltaMin,
                          AjustesOptimizacion::kDeltaMax);
        } else if (nombre == "--diversidad") {
            error = rango(o.ajustes.diversidad, AjustesOptimizacion::kDiversidadMin,
                          AjustesOptimizacion::kDiversidadMax);
        } else if (nombre == "--iteraciones") {
            if (!IteracionesValidas(valor, reg) ||
                *LeerNumero(valor, reg) > AjustesOptimizacion::kIteracionesMax)
                error = "--iteraciones espera un número mayor que cero y hasta " +
                        TextoGeneral(AjustesOptimizacion::kIteracionesMax, reg);
            o.iteraciones = valor;
        } else if (nombre == "--deseado") {
            if (!LeerNumero(valor, reg)) error = "--deseado espera un número";
            o.deseado = valor;
        } else {
            error = "opción desconocida " + nombre + " de optimizar";
        }
        if (error) return *error;
    }
    return o;
}

}  // namespace

std::optional<std::string> ComprobarOptimizar(const std::string& opciones, const Regional& reg) {
    auto r = Leer(opciones, reg);
    if (auto* error = std::get_if<std::string>(&r)) return *error;
    return std::nullopt;
}

bool Optimizar(EntornoCalc& e, const std::string& opciones) {
    auto leido = Leer(opciones, e.regional);
    const auto* o = std::get_if<OpcionesOptimizar>(&leido);
    if (!o) return true;  // the command line was checked before any step ran

    Optimizacion opt(e.red, e.mensajes, e.azar);
    opt.ajustes = o->ajustes;
    if (!opt.Abrir()) return true;
    // The desired time goes through the same text the dialog would show.
    const std::string deseado =
        o->deseado ? *o->deseado : TextoGeneral(opt.TiempoActual, e.regional);
    const auto peticion = opt.ComprobarInicio(deseado, o->iteraciones, e.regional);
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
