#include "cli/Pasos.h"

#include <array>
#include <string>
#include <vector>

#include "cli/Medidas.h"
#include "cli/PasoOptimizar.h"
#include "cli/PasoPareto.h"
#include "cli/PasoRiesgo.h"
#include "cli/PasoSimular.h"
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

// The window asks before storing names the file's code page cannot hold;
// without anyone to ask, the run says which texts were stored otherwise.
void AvisarTextosQueCambiaran(EntornoCalc& e) {
    const std::vector<std::string> cambios = TextosQueCambiaran(e.red);
    if (cambios.empty()) return;
    std::string texto =
        "El archivo no puede guardar algunos caracteres; estos textos se guardaron así:";
    for (const std::string& c : cambios) texto += "\n" + c;
    e.mensajes.Mostrar(texto, "Guardar Archivo", Botones::Aceptar, Icono::Informacion);
}

// As the menu's export: the computation, then the report even when the
// computation stopped with a message.
bool Informe(EntornoCalc& e, const std::string& archivo) {
    CalcularRed(e.red, e.mensajes, e.doc);
    try {
        if (!archivo.empty()) {
            EscribirResumen(e.red, archivo, e.regional, ArchivoAbierto(e.doc));
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
    } catch (const ErrorArchivo& error) {
        e.mensajes.Mostrar("Error Guardando!!!\n" + std::string(error.what()), "Error de sistema",
                           Botones::Aceptar, Icono::Critico);
        return false;
    }
    AvisarTextosQueCambiaran(e);
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
         "genetic search of server counts. Prints \" Costo: … Tiempo: …\" and one\n"
         "tab-separated line per gene centre: posicion, Nombre, servers; the network keeps\n"
         "the best counts",
         Optimizar, kOpcionesOptimizar},
    Paso{"pareto", Argumento::Opciones, "pareto [OPTS]",
         "cost-time front of the gene centres' server counts (minimum to minimum + E).\n"
         "Exact up to 1,000,000 combinations, NSGA-II beyond. Prints\n"
         "metodo<TAB>exacto|aproximado, hipervolumen<TAB>H, a header costo<TAB>tiempo<TAB> and\n"
         "the gene centres' names, then one line per point by cost ascending",
         Pareto, kOpcionesPareto},
    Paso{"simular", Argumento::Opciones, "simular [OPTS]",
         "simulates every productive centre beside its formula; R x (N + K) at most 1e9.\n"
         "Prints \"# \" lines with the run's facts, a header and per centre one tab-separated\n"
         "line per measure: posicion, Nombre, medida (Rho, P0, Pn, Lq, L, Wq, W, W50, W90,\n"
         "W95), analitico, simulado, semiancho (95 %), dentro (1/0/nd); reals as medidas.\n"
         "--linea simulates the centres inside the line, adding CVllegadas rows",
         Simular, kOpcionesSimularPaso, ComprobarTrabajo},
    Paso{"riesgo", Argumento::Opciones, "riesgo [OPTS]",
         "the line's lead time from units flowing through the whole line (N units per\n"
         "replication, K units of warm-up). Prints pert and deseado, then media,\n"
         "desviacion, P50, P80, P90, P95, Ppert, Pdeseado, produccion, wip each with its\n"
         "95 % half-width, replicas; a table posicion Nombre paso aporte crucialidad; an\n"
         "empty line and a table ruta paso media P50 P90 P95 centros (20 routes at most)",
         Riesgo, kOpcionesRiesgo, ComprobarTrabajo},
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
        t += UsoOpciones(p.opciones, kColumna + 2);
    }
    t += "OPTS follow their step as \"--name value\" or \"--name=value\"; numbers take the\n"
         "decimal separator of --decimal (or of the locale) and no group separator.\n";
    return t;
}

}  // namespace vortena::calc
