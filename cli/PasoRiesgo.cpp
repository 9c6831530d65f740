#include "cli/PasoRiesgo.h"

#include <unistd.h>

#include <cmath>
#include <iostream>
#include <mutex>
#include <sstream>
#include <variant>

#include "cli/Medidas.h"
#include "cli/PasoSimular.h"
#include "files/ErrorArchivo.h"
#include "files/EscrituraAtomica.h"
#include "simulate/SimulacionLinea.h"

namespace vortena::calc {
namespace {

struct OpcionesRiesgo {
    OpcionesSimulacion sim;
    std::optional<double> deseado;
    std::optional<std::string> cdf;
};

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
        if (nombre == "--muestras")
            return "--muestras ya no existe: el plazo sale de simular la línea entera (use "
                   "--clientes y --replicas)";
        if (nombre == "--deseado") {
            const auto v = LeerNumero(valor, reg);
            if (!v || !std::isfinite(*v)) return "--deseado espera un número";
            o.deseado = *v;
        } else if (nombre == "--cdf") {
            if (valor.empty()) return "--cdf espera un nombre de archivo";
            o.cdf = valor;
        } else {
            bool conocida = false;
            if (auto error = LeerOpcionSimulacion(nombre, valor, reg, o.sim, conocida))
                return *error;
            if (!conocida) return "opción desconocida " + nombre + " de riesgo";
        }
    }
    if (auto error = ComprobarJuntas(vistas)) return *error;
    return o;
}

std::string Celda(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

std::string Con(const Estimacion& e) {
    return TextoExacto(e.valor) + '\t' + TextoExacto(e.semiancho);
}

void EscribirResultado(const ResultadoLinea& r, std::ostream& out) {
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

std::optional<std::string> ComprobarRiesgo(const std::string& opciones, const Regional& reg) {
    auto r = Leer(opciones, reg);
    if (auto* error = std::get_if<std::string>(&r)) return *error;
    return std::nullopt;
}

bool Riesgo(EntornoCalc& e, const std::string& opciones) {
    auto leido = Leer(opciones, e.regional);
    const auto* o = std::get_if<OpcionesRiesgo>(&leido);
    if (!o) return true;  // the command line was checked before any step ran

    Trabajo trabajo;
    std::mutex cerrojo;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    if (terminal)
        trabajo.progreso = [&](double f) {
            std::lock_guard l(cerrojo);
            std::cerr << "\rriesgo: " << static_cast<int>(f * 100) << " %" << std::flush;
        };
    ResultadoLinea r;
    try {
        r = SimularLinea(e.red, o->sim, o->deseado, trabajo);
    } catch (const ErrorLinea& error) {
        if (terminal) std::cerr << '\n';
        e.mensajes.Mostrar(error.what(), kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return true;
    }
    if (terminal) std::cerr << '\n';
    if (!r.tasasDistintas.empty())
        e.mensajes.Mostrar(AvisoTasas(r.tasasDistintas), kTituloPrograma, Botones::Aceptar,
                           Icono::Informacion);

    EscribirResultado(r, e.salida);
    if (o->cdf) {
        std::string texto;
        for (const auto& [tiempo, probabilidad] : r.distribucion)
            texto += TextoExacto(tiempo) + '\t' + TextoExacto(probabilidad) + '\n';
        try {
            EscribirAtomico(*o->cdf, texto);
        } catch (const ErrorArchivo& error) {
            e.mensajes.Mostrar(std::string("No se pudo escribir la distribución: ") + error.what(),
                               kTituloVentana, Botones::Aceptar, Icono::Critico);
            return false;
        }
    }
    return true;
}

}  // namespace vortena::calc
