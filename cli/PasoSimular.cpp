#include "cli/PasoSimular.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <variant>

#include "cli/Medidas.h"
#include "model/CentroProductivo.h"
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
        } else if (nombre == "--tolerancia") {
            const auto v = LeerNumero(valor, reg);
            if (!v || !(*v >= 0 && *v <= OpcionesSimulacion::kToleranciaMax))
                return "--tolerancia espera un número de 0 a " +
                       TextoGeneral(OpcionesSimulacion::kToleranciaMax, reg);
            o.tolerancia = *v;
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
    if (TrabajoPorCentro(o) > OpcionesSimulacion::kTrabajoMax)
        return "--replicas × (--clientes + --calentamiento) pasa del máximo de " +
               TextoGeneral(OpcionesSimulacion::kTrabajoMax, reg) + " clientes por centro";
    return o;
}

std::string Celda(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
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

    Trabajo trabajo;
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    if (terminal) {
        trabajo.progreso = [](double f) {
            std::fprintf(stderr, "\rsimular: %3d %%", static_cast<int>(f * 100));
            std::fflush(stderr);
        };
    }
    const ResultadoSimulacion r = SimularCentros(e.red, *o, trabajo);
    if (terminal) std::fputs("\n", stderr);

    // What the run decided, before the header, as comment lines.
    const auto hecho = [&](const char* que, auto campo, bool siempreCadaUno) {
        std::vector<const ResultadoCentro*> simulados;
        for (const ResultadoCentro& c : r.centros)
            if (!c.inestable) simulados.push_back(&c);
        if (simulados.empty()) return;
        bool mismo = !siempreCadaUno;
        for (const ResultadoCentro* c : simulados) mismo &= campo(*c) == campo(*simulados[0]);
        if (mismo) {
            e.salida << "# " << que << ' ' << campo(*simulados[0]) << '\n';
            return;
        }
        for (const ResultadoCentro* c : simulados)
            e.salida << "# " << que << ' ' << Celda(c->Nombre) << ' ' << campo(*c) << '\n';
    };
    hecho(
        "replicas", [](const ResultadoCentro& c) { return std::int64_t{c.replicas}; }, false);
    hecho(
        "clientes", [](const ResultadoCentro& c) { return c.clientes; }, false);
    hecho(
        "calentamiento", [](const ResultadoCentro& c) { return c.calentamiento; },
        o->calentamientoAuto);
    for (const ResultadoCentro& c : r.centros) {
        if (c.servidores == c.servidoresPedidos) continue;
        // As the network computation says it, and which centre it was.
        e.mensajes.Mostrar(kTextoServidoresMinimos + TextoConSigno(c.servidores, Regional{}) +
                               "\nCentro: " + c.Nombre,
                           kTituloServidoresMinimos, Botones::Aceptar, Icono::Critico);
        e.salida << "# servidores " << Celda(c.Nombre) << ' ' << c.servidores << '\n';
    }
    for (const ResultadoCentro& c : r.centros)
        for (int f : c.sinPrecision)
            e.salida << "# precision no alcanzada: " << Celda(c.Nombre) << ' ' << NombreFila(f)
                     << '\n';
    for (const ResultadoCentro& c : r.centros)
        for (int f = 0; f < kNumFilas; ++f)
            if (!c.inestable && c.pocoFiable[f])
                e.salida << "# intervalo poco fiable: " << Celda(c.Nombre) << ' ' << NombreFila(f)
                         << '\n';
    e.salida << "# tolerancia " << TextoExacto(o->tolerancia) << '\n';
    e.salida << "# comparaciones " << r.pruebas << '\n';

    e.salida << "posicion\tNombre\tmedida\tanalitico\tsimulado\tsemiancho\tdentro\n";
    for (const ResultadoCentro& c : r.centros) {
        const std::string inicio =
            TextoGeneral(c.posicion, Regional::Ingles()) + '\t' + Celda(c.Nombre) + '\t';
        if (c.inestable) {
            e.salida << inicio
                     << (c.variabilidadExtrema ? "variabilidad fuera de rango" : "inestable")
                     << "\t\t\t\t\n";
            continue;
        }
        for (int f = 0; f < kNumFilas; ++f) {
            const bool medida = f < kNumMedidas;
            const Estimacion& sim = medida ? c.simulado[f] : c.cuantiles[f - kNumMedidas];
            const std::optional<double> exacto = medida ? std::optional<double>(c.analitico[f])
                                                        : c.cuantilesExactos[f - kNumMedidas];
            const Veredicto v = c.veredicto[f];
            e.salida << inicio << NombreFila(f) << '\t'
                     << (exacto ? TextoExacto(*exacto) : std::string("nd")) << '\t'
                     << TextoExacto(sim.valor) << '\t' << TextoExacto(sim.semiancho) << '\t'
                     << (v == Veredicto::Coincide  ? "1"
                         : v == Veredicto::Difiere ? "0"
                                                   : "nd")
                     << '\n';
        }
    }
    return true;
}

}  // namespace vortena::calc
