#include "cli/PasoRiesgo.h"

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>
#include <variant>

#include "cli/Consola.h"
#include "cli/Medidas.h"
#include "files/ErrorArchivo.h"
#include "files/EscrituraAtomica.h"
#include "simulate/SimulacionPlazo.h"

namespace vortena::calc {
namespace {

struct OpcionesRiesgo {
    OpcionesSimulacion sim;
    AjustesPlazo plazo;
    std::optional<std::string> cdf;
};

std::optional<double> Entero(const std::string& texto, double min, double max,
                             const Regional& reg) {
    const auto v = LeerNumero(texto, reg);
    if (!v || *v != std::floor(*v) || *v < min || *v > max) return std::nullopt;
    return *v;
}

std::variant<OpcionesRiesgo, std::string> Leer(const std::string& opciones, const Regional& reg) {
    OpcionesRiesgo o;
    std::istringstream lineas(opciones);
    std::string linea, vistas;
    while (std::getline(lineas, linea)) {
        const std::size_t igual = linea.find('=');
        const std::string nombre = linea.substr(0, igual);
        const std::string valor =
            igual == std::string::npos ? std::string() : linea.substr(igual + 1);
        if (vistas.find(" " + nombre + " ") != std::string::npos) return nombre + " repetida";
        vistas += " " + nombre + " ";
        const auto entero = [&](double min, double max) -> std::optional<double> {
            return Entero(valor, min, max, reg);
        };
        const auto errorEntero = [&](double min, double max) {
            return nombre + " espera un entero de " + TextoGeneral(min, reg) + " a " +
                   TextoGeneral(max, reg);
        };
        std::optional<std::string> error;
        if (nombre == "--muestras") {
            const auto v = entero(AjustesPlazo::kMuestrasMin, AjustesPlazo::kMuestrasMax);
            if (v)
                o.plazo.muestras = static_cast<std::int64_t>(*v);
            else
                error = errorEntero(AjustesPlazo::kMuestrasMin, AjustesPlazo::kMuestrasMax);
        } else if (nombre == "--deseado") {
            const auto v = LeerNumero(valor, reg);
            if (v && std::isfinite(*v))
                o.plazo.deseado = *v;
            else
                error = "--deseado espera un número";
        } else if (nombre == "--cdf") {
            if (valor.empty()) error = "--cdf espera un nombre de archivo";
            o.cdf = valor;
        } else if (nombre == "--replicas") {
            const auto v =
                entero(OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax);
            if (v)
                o.sim.replicas = static_cast<int>(*v);
            else
                error =
                    errorEntero(OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax);
        } else if (nombre == "--precision") {
            const auto v = LeerNumero(valor, reg);
            if (v && *v > 0 && *v < 1)
                o.sim.precision = *v;
            else
                error = "--precision espera un número mayor que 0 y menor que 1";
        } else if (nombre == "--clientes") {
            const auto v = entero(1, static_cast<double>(OpcionesSimulacion::kClientesMax));
            if (v)
                o.sim.clientes = static_cast<std::int64_t>(*v);
            else
                error = errorEntero(1, static_cast<double>(OpcionesSimulacion::kClientesMax));
        } else if (nombre == "--calentamiento") {
            const auto v = entero(0, static_cast<double>(OpcionesSimulacion::kClientesMax));
            if (valor == "auto")
                o.sim.calentamientoAuto = true;
            else if (v)
                o.sim.calentamiento = static_cast<std::int64_t>(*v);
            else
                error = "--calentamiento espera auto o un entero de 0 a " +
                        TextoGeneral(static_cast<double>(OpcionesSimulacion::kClientesMax), reg);
        } else if (nombre == "--semilla") {
            const auto v = entero(0, 9007199254740992.0);
            if (v)
                o.sim.semilla = o.plazo.semilla = static_cast<std::uint64_t>(*v);
            else
                error = errorEntero(0, 9007199254740992.0);
        } else if (nombre == "--hilos") {
            const auto v = entero(1, 1024);
            if (v)
                o.sim.hilos = o.plazo.hilos = static_cast<int>(*v);
            else
                error = errorEntero(1, 1024);
        } else if (nombre == "--distribucion") {
            if (valor == "gamma")
                o.sim.distribucion = Distribucion::Gamma;
            else if (valor == "lognormal")
                o.sim.distribucion = Distribucion::Lognormal;
            else
                error = "--distribucion espera gamma o lognormal";
        } else {
            error = "opción desconocida " + nombre + " de riesgo";
        }
        if (error) return *error;
    }
    if (vistas.find(" --replicas ") != std::string::npos &&
        vistas.find(" --precision ") != std::string::npos)
        return "--replicas y --precision no van juntas";
    return o;
}

void EscribirResultado(const ResultadoPlazo& r, std::ostream& out) {
    const std::pair<const char*, double> claves[] = {
        {"pert", r.pert},        {"media", r.media}, {"desviacion", r.desviacion},
        {"P50", r.P50},          {"P80", r.P80},     {"P90", r.P90},
        {"P95", r.P95},          {"Ppert", r.Ppert}, {"deseado", r.deseado},
        {"Pdeseado", r.Pdeseado}};
    for (const auto& [clave, valor] : claves) out << clave << '\t' << TextoExacto(valor) << '\n';
    out << "posicion\tNombre\tcriticidad\tcrucialidad\n";
    for (const CentroPlazo& c : r.centros)
        out << TextoGeneral(c.posicion, Regional::Ingles()) << '\t' << Celda(c.Nombre) << '\t'
            << TextoExacto(c.criticidad) << '\t' << TextoExacto(c.crucialidad) << '\n';
}

}  // namespace

std::optional<std::string> ComprobarRiesgo(const std::string& opciones, const Regional& reg) {
    auto r = Leer(opciones, reg);
    if (auto* error = std::get_if<std::string>(&r)) return *error;
    return std::nullopt;
}

bool Riesgo(EntornoCalc& e, const std::string& opciones) {
    auto leido = Leer(opciones, e.regional);
    const auto* o = std::get_if<OpcionesRiesgo>(&leido);
    if (!o) return true;  // the command line was checked before any step ran

    OpcionesSimulacion sim = o->sim;
    sim.hilos = HilosPermitidos(sim.hilos, e.mensajes, "riesgo");
    Trabajo trabajo;
    ResultadoPlazo r;
    try {
        ProgresoTerminal progreso(trabajo, "riesgo");
        r = SimularPlazo(e.red, sim, o->plazo, trabajo);
    } catch (const ErrorPlazo& error) {
        e.mensajes.Mostrar(error.what(), kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return true;
    }

    EscribirResultado(r, e.salida);
    if (o->cdf) {
        // Whole or not at all: an interrupted or failed write never leaves
        // half a distribution under the name asked for.
        std::string texto;
        for (const PuntoCdf& p : r.Cdf(1000))
            texto += TextoExacto(p.tiempo) + '\t' + TextoExacto(p.probabilidad) + '\n';
        try {
            EscribirAtomico(*o->cdf, texto);
        } catch (const ErrorArchivo&) {
            e.mensajes.Mostrar("No se pudo escribir la distribución en " + *o->cdf + ".",
                               kTituloVentana, Botones::Aceptar, Icono::Critico);
            return false;
        }
    }
    return true;
}

}  // namespace vortena::calc
