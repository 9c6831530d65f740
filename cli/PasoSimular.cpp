#include "cli/PasoSimular.h"

#include <unistd.h>

#include <cstdio>
#include <variant>

#include "cli/Medidas.h"
#include "simulate/SimulacionCentros.h"

namespace vortena::calc {
namespace {

std::string Celda(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace

OpcionesSimulacion AjustesSimulacion(const OpcionesLeidas& leidas) {
    OpcionesSimulacion o;
    leidas.Tomar("--replicas", o.replicas);
    leidas.Tomar("--precision", o.precision);
    leidas.Tomar("--clientes", o.clientes);
    if (leidas.Texto("--calentamiento") == "auto")
        o.calentamientoAuto = true;
    else
        leidas.Tomar("--calentamiento", o.calentamiento);
    leidas.Tomar("--semilla", o.semilla);
    leidas.Tomar("--hilos", o.hilos);
    if (leidas.Texto("--distribucion") == "lognormal") o.distribucion = Distribucion::Lognormal;
    return o;
}

bool Simular(EntornoCalc& e, const std::string& opciones) {
    auto leido = LeerOpciones("simular", kOpcionesSimular, opciones, e.regional);
    const auto* leidas = std::get_if<OpcionesLeidas>(&leido);
    if (!leidas) return true;  // the command line was checked before any step ran
    const OpcionesSimulacion ajustes = AjustesSimulacion(*leidas);
    const OpcionesSimulacion* o = &ajustes;

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
