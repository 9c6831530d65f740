#include "cli/PasoSimular.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>
#include <variant>

#include "cli/Medidas.h"
#include "simulate/SimulacionCentros.h"
#include "simulate/SimulacionLinea.h"

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

}  // namespace

std::optional<std::string> LeerOpcionSimulacion(const std::string& nombre, const std::string& valor,
                                                const Regional& reg, OpcionesSimulacion& o,
                                                bool& conocida) {
    conocida = true;
    const auto entero = [&](double min, double max) { return Entero(valor, min, max, reg); };
    const auto fuera = [&](double min, double max) {
        return nombre + " espera un entero de " + TextoGeneral(min, reg) + " a " +
               TextoGeneral(max, reg);
    };
    if (nombre == "--replicas") {
        const auto v = entero(OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax);
        if (!v) return fuera(OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax);
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
        conocida = false;
    }
    return std::nullopt;
}

std::optional<std::string> ComprobarJuntas(const std::string& vistas) {
    if (vistas.find(" --replicas ") != std::string::npos &&
        vistas.find(" --precision ") != std::string::npos)
        return "--replicas y --precision no van juntas";
    return std::nullopt;
}

namespace {

struct OpcionesSimular {
    OpcionesSimulacion sim;
    bool linea = false;
};

std::variant<OpcionesSimular, std::string> Leer(const std::string& opciones, const Regional& reg) {
    OpcionesSimular o;
    std::istringstream lineas(opciones);
    std::string linea, vistas;
    while (std::getline(lineas, linea)) {
        const std::size_t igual = linea.find('=');
        const std::string nombre = linea.substr(0, igual);
        const std::string valor =
            igual == std::string::npos ? std::string() : linea.substr(igual + 1);
        if (vistas.find(" " + nombre + " ") != std::string::npos) return nombre + " repetida";
        vistas += " " + nombre + " ";
        if (nombre == "--linea") {
            if (igual != std::string::npos) return "--linea no lleva valor";
            o.linea = true;
            continue;
        }
        bool conocida = false;
        if (auto error = LeerOpcionSimulacion(nombre, valor, reg, o.sim, conocida)) return *error;
        if (!conocida) return "opción desconocida " + nombre + " de simular";
    }
    if (auto error = ComprobarJuntas(vistas)) return *error;
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

namespace {

std::function<void(double)> Progreso(const char* paso) {
    if (::isatty(STDERR_FILENO) != 1) return {};
    return [paso](double f) {
        std::fprintf(stderr, "\r%s: %3d %%", paso, static_cast<int>(f * 100));
        std::fflush(stderr);
    };
}

void Fila(std::ostream& out, const std::string& inicio, const char* medida, double analitico,
          const Estimacion& e, bool formula) {
    out << inicio << medida << '\t' << (formula ? TextoExacto(analitico) : "nd") << '\t'
        << TextoExacto(e.valor) << '\t' << TextoExacto(e.semiancho) << '\t'
        << (formula ? (e.Contiene(analitico) ? "1" : "0") : "nd") << '\n';
}

// The centres as they behave inside the line, beside the formula for each
// centre as typed, plus the arrival variability each one really saw.
void SimularEnLinea(EntornoCalc& e, const OpcionesSimulacion& o) {
    Trabajo trabajo;
    trabajo.progreso = Progreso("simular");
    ResultadoLinea r;
    try {
        r = SimularLinea(e.red, o, std::nullopt, trabajo);
    } catch (const ErrorLinea& error) {
        if (trabajo.progreso) std::fputs("\n", stderr);
        e.mensajes.Mostrar(error.what(), kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return;
    }
    if (trabajo.progreso) std::fputs("\n", stderr);
    if (!r.tasasDistintas.empty())
        e.mensajes.Mostrar(AvisoTasas(r.tasasDistintas), kTituloPrograma, Botones::Aceptar,
                           Icono::Informacion);
    e.salida << "posicion\tNombre\tmedida\tanalitico\tsimulado\tsemiancho\tdentro\n";
    for (const CentroLinea& c : r.centros) {
        const std::string inicio =
            TextoGeneral(c.posicion, Regional::Ingles()) + '\t' + Celda(c.Nombre) + '\t';
        if (!c.recibe) {
            e.salida << inicio << "sinflujo\t\t\t\t\n";
            continue;
        }
        for (int m = 0; m < kNumMedidas; ++m)
            Fila(e.salida, inicio, NombreMedida(m), c.analitico[m], c.simulado[m], c.formula);
        Fila(e.salida, inicio, "CVllegadas", c.cvAnalitico, c.cvLlegadas, c.formula);
    }
}

}  // namespace

bool Simular(EntornoCalc& e, const std::string& opciones) {
    auto leido = Leer(opciones, e.regional);
    const auto* o = std::get_if<OpcionesSimular>(&leido);
    if (!o) return true;  // the command line was checked before any step ran
    if (o->linea) {
        SimularEnLinea(e, o->sim);
        return true;
    }

    Trabajo trabajo;
    trabajo.progreso = Progreso("simular");
    const ResultadoSimulacion r = SimularCentros(e.red, o->sim, trabajo);
    if (trabajo.progreso) std::fputs("\n", stderr);

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
