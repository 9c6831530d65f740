#include "cli/PasoRiesgo.h"

#include <unistd.h>

#include <fstream>
#include <iostream>
#include <mutex>

#include "cli/Medidas.h"
#include "simulate/SimulacionPlazo.h"

namespace vortena::calc {
namespace {

std::string Celda(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
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

bool Riesgo(EntornoCalc& e, const std::string& opciones) {
    auto leido = LeerOpciones("riesgo", kOpcionesRiesgo, opciones, e.regional);
    const auto* leidas = std::get_if<OpcionesLeidas>(&leido);
    if (!leidas) return true;  // the command line was checked before any step ran
    const OpcionesSimulacion sim = AjustesSimulacion(*leidas);
    AjustesPlazo plazo;
    leidas->Tomar("--muestras", plazo.muestras);
    leidas->Tomar("--deseado", plazo.deseado);
    plazo.semilla = sim.semilla;
    plazo.hilos = sim.hilos;
    const std::optional<std::string> cdf = leidas->Texto("--cdf");

    Trabajo trabajo;
    std::mutex cerrojo;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    if (terminal)
        trabajo.progreso = [&](double f) {
            std::lock_guard l(cerrojo);
            std::cerr << "\rriesgo: " << static_cast<int>(f * 100) << " %" << std::flush;
        };
    ResultadoPlazo r;
    try {
        r = SimularPlazo(e.red, sim, plazo, trabajo);
    } catch (const ErrorPlazo& error) {
        if (terminal) std::cerr << '\n';
        e.mensajes.Mostrar(error.what(), kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return true;
    }
    if (terminal) std::cerr << '\n';

    EscribirResultado(r, e.salida);
    if (cdf) {
        std::ofstream f(*cdf, std::ios::binary);
        for (const PuntoCdf& p : r.Cdf(1000))
            f << TextoExacto(p.tiempo) << '\t' << TextoExacto(p.probabilidad) << '\n';
        f.close();
        if (!f) {
            e.mensajes.Mostrar("No se pudo escribir la distribución en " + *cdf + ".",
                               kTituloVentana, Botones::Aceptar, Icono::Critico);
            return false;
        }
    }
    return true;
}

}  // namespace vortena::calc
