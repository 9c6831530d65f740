#include "cli/PasoPareto.h"

#include <cmath>
#include <sstream>
#include <variant>

#include "cli/Consola.h"
#include "cli/Medidas.h"
#include "model/Trabajo.h"
#include "optimise/BusquedaFrente.h"
#include "optimise/ModeloFrente.h"

namespace vortena::calc {
namespace {

struct Limite {
    const char* nombre;
    double min, max;
};

std::variant<AjustesFrente, std::string> Leer(const std::string& opciones, const Regional& reg) {
    AjustesFrente a;
    std::istringstream lineas(opciones);
    std::string linea, vistas;
    while (std::getline(lineas, linea)) {
        const std::size_t igual = linea.find('=');
        const std::string nombre = linea.substr(0, igual);
        const std::string valor =
            igual == std::string::npos ? std::string() : linea.substr(igual + 1);
        if (vistas.find(" " + nombre + " ") != std::string::npos) return nombre + " repetida";
        vistas += " " + nombre + " ";
        const auto v = LeerNumero(valor, reg);
        auto entero = [&](double min, double max) -> std::optional<double> {
            if (!v || *v != std::floor(*v) || *v < min || *v > max) return std::nullopt;
            return *v;
        };
        auto rango = [&](double min, double max) {
            std::ostringstream t;
            t.precision(12);
            t << nombre << " espera un entero de " << min << " a " << max;
            return t.str();
        };
        if (nombre == "--extra") {
            const auto e = entero(0, kExtraFrenteMax);
            if (!e) return rango(0, kExtraFrenteMax);
            a.extra = static_cast<int>(*e);
        } else if (nombre == "--poblacion") {
            const auto p = entero(8, 10000);
            if (!p || static_cast<int>(*p) % 4 != 0)
                return nombre + " espera un múltiplo de 4 de 8 a 10000";
            a.poblacion = static_cast<int>(*p);
        } else if (nombre == "--generaciones") {
            const auto g = entero(1, 100000);
            if (!g) return rango(1, 100000);
            a.generaciones = static_cast<int>(*g);
        } else if (nombre == "--semilla") {
            const auto s = entero(0, 4294967295.0);
            if (!s) return rango(0, 4294967295.0);
            a.semilla = static_cast<std::uint32_t>(*s);
        } else if (nombre == "--hilos") {
            const auto h = entero(1, 256);
            if (!h) return rango(1, 256);
            a.hilos = static_cast<int>(*h);
        } else {
            return "opción desconocida " + nombre + " de pareto";
        }
    }
    return a;
}

}  // namespace

std::optional<std::string> ComprobarPareto(const std::string& opciones, const Regional& reg) {
    auto r = Leer(opciones, reg);
    if (auto* error = std::get_if<std::string>(&r)) return *error;
    return std::nullopt;
}

bool Pareto(EntornoCalc& e, const std::string& opciones) {
    auto leido = Leer(opciones, e.regional);
    const auto* a = std::get_if<AjustesFrente>(&leido);
    if (!a) return true;  // the command line was checked before any step ran

    const auto modelo = PrepararFrente(e.red, a->extra, e.mensajes);
    if (!modelo) return true;
    AjustesFrente ajustes = *a;
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
