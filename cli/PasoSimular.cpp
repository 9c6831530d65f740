#include "cli/PasoSimular.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <variant>

#include "cli/Consola.h"
#include "cli/Medidas.h"
#include "model/CentroProductivo.h"
#include "simulate/AnalisisSalida.h"
#include "simulate/SimulacionCentros.h"
#include "simulate/SimulacionLinea.h"

namespace vortena::calc {

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
    leidas.Tomar("--tolerancia", o.tolerancia);
    if (leidas.Texto("--distribucion") == "lognormal") o.distribucion = Distribucion::Lognormal;
    return o;
}

std::optional<std::string> ComprobarTrabajo(const OpcionesLeidas& leidas, const Regional& reg) {
    if (TrabajoPorCentro(AjustesSimulacion(leidas)) <= OpcionesSimulacion::kTrabajoMax)
        return std::nullopt;
    return "--replicas × (--clientes + --calentamiento) pasa del máximo de " +
           TextoGeneral(OpcionesSimulacion::kTrabajoMax, reg) + " clientes por centro";
}

namespace {

// `juzgable`: the formula could be computed and enough events inform the
// measure; otherwise `dentro` is "nd" (no judgement).
void Fila(std::ostream& out, const std::string& inicio, const char* medida, double analitico,
          const Estimacion& e, bool formula, bool juzgable) {
    out << inicio << medida << '\t' << (formula ? TextoExacto(analitico) : "nd") << '\t'
        << TextoExacto(e.valor) << '\t' << TextoExacto(e.semiancho) << '\t'
        << (formula && juzgable ? (e.Contiene(analitico) ? "1" : "0") : "nd") << '\n';
}

// The centres as they behave inside the line, beside the formula for each
// centre as typed, plus the arrival variability each one really saw.
void SimularEnLinea(EntornoCalc& e, const OpcionesSimulacion& o) {
    Trabajo trabajo;
    ResultadoLinea r;
    try {
        ProgresoTerminal progreso(trabajo, "simular");
        r = SimularLinea(e.red, o, std::nullopt, trabajo);
    } catch (const ErrorLinea& error) {
        e.mensajes.Mostrar(error.what(), kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return;
    }
    if (!r.tasasDistintas.empty())
        e.mensajes.Mostrar(AvisoTasas(r.tasasDistintas), kTituloPrograma, Botones::Aceptar,
                           Icono::Informacion);
    e.salida << HechosCorrida(r);
    e.salida << "posicion\tNombre\tmedida\tanalitico\tsimulado\tsemiancho\tdentro\n";
    for (const CentroLinea& c : r.centros) {
        const std::string inicio =
            TextoGeneral(c.posicion, Regional::Ingles()) + '\t' + Celda(c.Nombre) + '\t';
        if (!c.recibe) {
            e.salida << inicio << "sinflujo\t\t\t\t\n";
            continue;
        }
        for (int m = 0; m < kNumMedidas; ++m) {
            // Pn, Lq and Wq rest on the units that waited, P0 on the idle periods.
            const std::int64_t eventos =
                m == kP0 ? c.vacios
                         : (m == kPn || m == kLq || m == kWq ? c.esperaron : sim::kEventosMin);
            Fila(e.salida, inicio, NombreMedida(m), c.analitico[m], c.simulado[m], c.formula,
                 !sim::PocosEventos(eventos));
        }
        Fila(e.salida, inicio, "CVllegadas", c.cvAnalitico, c.cvLlegadas, c.formula, true);
    }
}

}  // namespace

bool Simular(EntornoCalc& e, const std::string& opciones) {
    auto leido = LeerOpciones("simular", kOpcionesSimularPaso, opciones, e.regional);
    const auto* leidas = std::get_if<OpcionesLeidas>(&leido);
    if (!leidas) return true;  // the command line was checked before any step ran
    OpcionesSimulacion o = AjustesSimulacion(*leidas);
    o.hilos = HilosPermitidos(o.hilos, e.mensajes, "simular");
    if (leidas->Tiene("--linea")) {
        SimularEnLinea(e, o);
        return true;
    }

    Trabajo trabajo;
    ResultadoSimulacion r;
    {
        ProgresoTerminal progreso(trabajo, "simular");
        r = SimularCentros(e.red, o, trabajo);
    }

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
        o.calentamientoAuto);
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
    e.salida << "# tolerancia " << TextoGeneral(o.tolerancia, Regional::Ingles()) << '\n';
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
