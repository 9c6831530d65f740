#include "cli/PasoSimular.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <variant>

#include "cli/Consola.h"
#include "cli/Medidas.h"
#include "simulate/SimulacionCentros.h"

namespace vortena::calc {
namespace {

// Whole numbers up to 2^53 read exactly through the number module.
constexpr double kEnteroMax = 9007199254740992.0;

std::optional<double> Entero(const std::string& texto, double min, double max,
                             const Regional& reg) {
    const auto v = LeerNumero(texto, reg);
    if (!v || *v != std::floor(*v) || *v < min || *v > max) return std::nullopt;
    return *v;
}

std::variant<OpcionesSimulacion, std::string> Leer(const std::string& opciones,
                                                   const Regional& reg) {
    OpcionesSimulacion o;
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
        const auto fuera = [&](double min, double max) {
            return nombre + " espera un entero de " + TextoGeneral(min, reg) + " a " +
                   TextoGeneral(max, reg);
        };
        if (nombre == "--replicas") {
            const auto v =
                entero(OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax);
            if (!v)
                return fuera(OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax);
            o.replicas = static_cast<int>(*v);
        } else if (nombre == "--precision") {
            const auto v = LeerNumero(valor, reg);
            if (!v || !(*v > 0 && *v < 1))
                return "--precision espera un número mayor que 0 y menor que 1";
            o.precision = *v;
        } else if (nombre == "--clientes") {
            const auto v = entero(1, static_cast<double>(OpcionesSimulacion::kClientesMax));
            if (!v) return fuera(1, static_cast<double>(OpcionesSimulacion::kClientesMax));
            o.clientes = static_cast<std::int64_t>(*v);
        } else if (nombre == "--calentamiento") {
            if (valor == "auto") {
                o.calentamientoAuto = true;
            } else if (const auto v =
                           entero(0, static_cast<double>(OpcionesSimulacion::kClientesMax))) {
                o.calentamiento = static_cast<std::int64_t>(*v);
            } else {
                return "--calentamiento espera auto o un entero de 0 a " +
                       TextoGeneral(static_cast<double>(OpcionesSimulacion::kClientesMax), reg);
            }
        } else if (nombre == "--semilla") {
            const auto v = entero(0, kEnteroMax);
            if (!v) return fuera(0, kEnteroMax);
            o.semilla = static_cast<std::uint64_t>(*v);
        } else if (nombre == "--hilos") {
            const auto v = entero(1, 1024);
            if (!v) return fuera(1, 1024);
            o.hilos = static_cast<int>(*v);
        } else if (nombre == "--distribucion") {
            if (valor == "gamma") {
                o.distribucion = Distribucion::Gamma;
            } else if (valor == "lognormal") {
                o.distribucion = Distribucion::Lognormal;
            } else {
                return "--distribucion espera gamma o lognormal";
            }
        } else {
            return "opción desconocida " + nombre + " de simular";
        }
    }
    if (vistas.find(" --replicas ") != std::string::npos &&
        vistas.find(" --precision ") != std::string::npos)
        return "--replicas y --precision no van juntas";
    return o;
}

}  // namespace

std::optional<std::string> ComprobarSimular(const std::string& opciones, const Regional& reg) {
    auto r = Leer(opciones, reg);
    if (auto* error = std::get_if<std::string>(&r)) return *error;
    return std::nullopt;
}

bool Simular(EntornoCalc& e, const std::string& opciones) {
    auto leido = Leer(opciones, e.regional);
    const auto* o = std::get_if<OpcionesSimulacion>(&leido);
    if (!o) return true;  // the command line was checked before any step ran

    OpcionesSimulacion ajustes = *o;
    ajustes.hilos = HilosPermitidos(ajustes.hilos, e.mensajes, "simular");
    Trabajo trabajo;
    ResultadoSimulacion r;
    {
        ProgresoTerminal progreso(trabajo, "simular");
        r = SimularCentros(e.red, ajustes, trabajo);
    }

    e.salida << "posicion\tNombre\tmedida\tanalitico\tsimulado\tsemiancho\tdentro\n";
    for (const ResultadoCentro& c : r.centros) {
        const std::string inicio =
            TextoGeneral(c.posicion, Regional::Ingles()) + '\t' + Celda(c.Nombre) + '\t';
        if (c.inestable) {
            e.salida << inicio << "inestable\t\t\t\t\n";
            continue;
        }
        for (int m = 0; m < kNumMedidas; ++m) {
            e.salida << inicio << NombreMedida(m) << '\t' << TextoExacto(c.analitico[m]) << '\t'
                     << TextoExacto(c.simulado[m].valor) << '\t'
                     << TextoExacto(c.simulado[m].semiancho) << '\t' << (c.Dentro(m) ? '1' : '0')
                     << '\n';
        }
    }
    return true;
}

}  // namespace vortena::calc
