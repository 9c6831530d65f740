#include "cli/Pasos.h"

#include <array>

#include "cli/Medidas.h"
#include "cli/PasoOptimizar.h"
#include "cli/PasoPareto.h"
#include "cli/PasoSimular.h"
#include "cli/PasoRiesgo.h"
#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "compute/Variabilidad.h"
#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/Resumen.h"
#include "model/ErrorAritmetico.h"

namespace vortena::calc {
namespace {

bool Propagar(EntornoCalc& e, const std::string&) {
    try {
        PropagarFlujo(e.red, e.doc);
    } catch (const ErrorAritmetico&) {
        e.mensajes.Mostrar(kTextoDesbordamiento, kTituloPrograma, Botones::Aceptar,
                           Icono::Exclamacion);
    }
    return true;
}
// A saturated centre stops it with a warning, which gives the run's exit
// code 1; the later steps still run, as after any other failed computation.
bool PropagarCv(EntornoCalc& e, const std::string&) {
    PropagarVariabilidad(e.red, e.mensajes, e.doc, e.regional);
    return true;
}
bool Minimos(EntornoCalc& e, const std::string&) {
    ServidoresMinimosRed(e.red, e.mensajes, e.doc);
    return true;
}
bool Optimos(EntornoCalc& e, const std::string&) {
    ServidoresOptimosRed(e.red, e.mensajes, e.doc);
    return true;
}
bool Calcular(EntornoCalc& e, const std::string&) {
    CalcularRed(e.red, e.mensajes, e.doc);
    return true;
}

// As the menu's export: the computation, then the report even when the
// computation stopped with a message.
bool Informe(EntornoCalc& e, const std::string& archivo) {
    CalcularRed(e.red, e.mensajes, e.doc);
    try {
        if (!archivo.empty()) {
            EscribirResumen(e.red, archivo, e.regional);
        } else {
            e.salida << TextoResumen(e.red, e.regional);
        }
    } catch (const ErrorArchivo& error) {
        const std::string donde = archivo.empty() ? std::string("la salida estándar") : archivo;
        e.mensajes.Mostrar("No se pudo escribir el resumen en " + donde + ": " + error.what() + ".",
                           kTituloVentana, Botones::Aceptar, Icono::Critico);
        return false;
    }
    return true;
}

bool Medidas(EntornoCalc& e, const std::string&) {
    EscribirMedidas(e.red, e.salida);
    return true;
}

bool Guardar(EntornoCalc& e, const std::string& archivo) {
    try {
        GuardarRed(e.red, archivo, e.regional, e.doc);
    } catch (const ErrorArchivo&) {
        e.mensajes.Mostrar("Error Guardando!!!", "Error de sistema", Botones::Aceptar,
                           Icono::Critico);
        return false;
    }
    return true;
}

constexpr std::array kPasos = {
    Paso{"propagar", Argumento::Ninguno, "propagar", "PropagarFlujo", Propagar},
    Paso{"variabilidad", Argumento::Ninguno, "variabilidad",
         "PropagarVariabilidad: every centre not fed by INICIO gets the arrival deviation\n"
         "the centres before it send out; a saturated centre stops it, nothing changes",
         PropagarCv},
    Paso{"minimos", Argumento::Ninguno, "minimos", "ServidoresMinimosRed", Minimos},
    Paso{"optimos", Argumento::Ninguno, "optimos", "ServidoresOptimosRed", Optimos},
    Paso{"calcular", Argumento::Ninguno, "calcular", "CalcularRed", Calcular},
    Paso{"informe", Argumento::Opcional, "informe[=FILE]",
         "CalcularRed, then the report to FILE (standard output when omitted)", Informe},
    Paso{"medidas", Argumento::Ninguno, "medidas",
         "one tab-separated line per node, with a header line: posicion, Nombre, Lamda, Mu,\n"
         "Servidores, Rho, Trafico, P0, Pn, Lq, L, W, Wq, MaximaCola, CtoEsperaCentro,\n"
         "CtoTotalServidores, CtoImproductividad, CtoEsperaCola, Desvlamda, DesvMu, Salida,\n"
         "tmpoTemprano, tmpoTardio, indFlotamiento, TempranoWH, tardioWH (reals with 17\n"
         "significant digits and \".\" whatever the locale, Booleans 0/1)",
         Medidas},
    Paso{"guardar", Argumento::Obligatorio, "guardar=FILE", "GuardarRed", Guardar},
    Paso{"optimizar", Argumento::Opciones, "optimizar [OPTS]",
         "genetic search of server counts; OPTS follow the step: --habitantes H (5..50,\n"
         "default 5), --delta D (1..8, default 2), --diversidad W (1..100, default 74),\n"
         "--iteraciones N (default 100), --deseado T (default the line's current time).\n"
         "Prints \" Costo: … Tiempo: …\" and one tab-separated line per gene centre:\n"
         "posicion, Nombre, servers; the network keeps the best counts",
         Optimizar, ComprobarOptimizar},
    Paso{"pareto", Argumento::Opciones, "pareto [OPTS]",
         "cost-time front of the gene centres' server counts (minimum to minimum + E);\n"
         "OPTS: --extra E (0..100, default 10), --poblacion P (multiple of 4, default 100),\n"
         "--generaciones G (default 200), --semilla S (default 1), --hilos T (default one\n"
         "per processor). Exact up to 1,000,000 combinations, NSGA-II beyond. Prints\n"
         "metodo<TAB>exacto|aproximado, hipervolumen<TAB>H, a header costo<TAB>tiempo<TAB> and\n"
         "the gene centres' names, then one line per point by cost ascending",
         Pareto, ComprobarPareto},
    Paso{"simular", Argumento::Opciones, "simular [OPTS]",
         "simulates every productive centre beside its formula; OPTS follow the step:\n"
         "--replicas R (2..1000, default 10) or --precision P (relative half-width, 0..1),\n"
         "--clientes N (default 100000), --calentamiento K|auto (default 10000),\n"
         "--semilla S (default 1), --hilos T (default every core),\n"
         "--distribucion gamma|lognormal (default gamma). Prints a header and per centre\n"
         "one tab-separated line per measure: posicion, Nombre, medida (Rho, P0, Pn, Lq, L,\n"
         "Wq, W), analitico, simulado, semiancho (95 %), dentro (0/1); reals as medidas",
         Simular, ComprobarSimular},
    Paso{"riesgo", Argumento::Opciones, "riesgo [OPTS]",
         "the line's lead time as a distribution, each centre simulated; OPTS: --muestras M\n"
         "(default 100000), --deseado T (default the PERT's time), --cdf FILE, and the\n"
         "options of simular. Prints pert, media, desviacion, P50, P80, P90, P95, Ppert,\n"
         "deseado, Pdeseado as key<TAB>value, then posicion, Nombre, criticidad,\n"
         "crucialidad per centre in the PERT; FILE gets tiempo<TAB>probabilidad lines",
         Riesgo, ComprobarRiesgo},
};

}  // namespace

std::span<const Paso> Pasos() {
    return kPasos;
}

std::string TextoUso() {
    constexpr std::size_t kColumna = 20;
    std::string t = "vortena-calc [--decimal ,|.] RED.vtq PASO [PASO…]\n";
    for (const Paso& p : Pasos()) {
        std::string izquierda = "  " + std::string(p.uso);
        izquierda.resize(std::max(kColumna, izquierda.size() + 1), ' ');
        t += izquierda;
        for (char c : p.ayuda) {
            t += c;
            if (c == '\n') t += std::string(kColumna, ' ');
        }
        t += '\n';
    }
    return t;
}

}  // namespace vortena::calc
