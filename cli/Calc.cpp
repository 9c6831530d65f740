#include "cli/Calc.h"

#include <cstdlib>
#include <exception>
#include <new>
#include <system_error>

#include "cli/Consola.h"
#include "cli/Pasos.h"
#include "files/ArchivoRed.h"
#include "model/Invariantes.h"
#include "model/Red.h"

namespace vortena::calc {
namespace {

struct PasoPedido {
    const Paso* paso;
    std::string argumento;
};

struct Pedido {
    Regional regional;
    std::string red;
    std::vector<PasoPedido> pasos;
};

// A usage error: its text goes before the usage.
struct ErrorUso {
    std::string motivo;
};

std::optional<PasoPedido> BuscarPaso(const std::string& texto) {
    const std::size_t igual = texto.find('=');
    const std::string nombre = texto.substr(0, igual);
    for (const Paso& p : Pasos()) {
        if (p.nombre != nombre) continue;
        const bool tieneArg = igual != std::string::npos;
        const std::string arg = tieneArg ? texto.substr(igual + 1) : std::string();
        if ((p.argumento == Argumento::Ninguno || p.argumento == Argumento::Opciones) && tieneArg)
            throw ErrorUso{"el paso " + nombre + " no lleva argumento"};
        if (p.argumento != Argumento::Ninguno && tieneArg && arg.empty())
            throw ErrorUso{"falta el nombre de archivo en " + texto};
        if (p.argumento == Argumento::Obligatorio && !tieneArg)
            throw ErrorUso{"el paso " + nombre + " necesita =FILE"};
        return PasoPedido{&p, arg};
    }
    return std::nullopt;
}

// The "--name value" (or "--name=value") pairs from args[i] on, as lines;
// returns the index of the first argument that is not one.
std::size_t ReunirOpciones(const std::vector<std::string>& args, std::size_t i,
                           std::span<const Opcion> tabla, std::string& opciones) {
    const auto interruptor = [&](const std::string& nombre) {
        for (const Opcion& o : tabla)
            if (o.nombre == nombre) return o.clase == Clase::Interruptor;
        return false;
    };
    while (i < args.size() && args[i].size() > 2 && args[i].rfind("--", 0) == 0) {
        std::string opcion = args[i++];
        // A switch takes no value.
        if (opcion.find('=') == std::string::npos && !interruptor(opcion)) {
            if (i >= args.size()) throw ErrorUso{"falta el valor de " + opcion};
            opcion += "=" + args[i++];
        }
        opciones += (opciones.empty() ? "" : "\n") + opcion;
    }
    return i;
}

Regional Decimal(const std::string& s) {
    if (s == ",") return Regional::Espanol();
    if (s == ".") return Regional::Ingles();
    throw ErrorUso{"--decimal espera \",\" o \".\""};
}

Pedido Interpretar(const std::vector<std::string>& args, const std::string& locale) {
    Pedido p{Regional::DesdeNombreLocale(locale), {}, {}};
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--decimal") {
            if (i + 1 >= args.size()) throw ErrorUso{"--decimal espera \",\" o \".\""};
            p.regional = Decimal(args[++i]);
        } else if (a.rfind("--decimal=", 0) == 0) {
            p.regional = Decimal(a.substr(10));
        } else if (a == "--") {
            ++i;
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            throw ErrorUso{"opción desconocida " + a};
        } else {
            break;
        }
    }
    if (i >= args.size()) throw ErrorUso{"falta el archivo de red"};
    p.red = args[i++];
    if (i >= args.size()) throw ErrorUso{"falta al menos un paso"};
    for (; i < args.size(); ++i) {
        std::optional<PasoPedido> paso = BuscarPaso(args[i]);
        if (!paso) throw ErrorUso{"paso desconocido " + args[i]};
        if (paso->paso->argumento == Argumento::Opciones)
            i = ReunirOpciones(args, i + 1, paso->paso->opciones, paso->argumento) - 1;
        p.pasos.push_back(*paso);
    }
    for (const PasoPedido& pp : p.pasos)
        if (pp.paso->argumento == Argumento::Opciones) {
            auto leidas =
                LeerOpciones(pp.paso->nombre, pp.paso->opciones, pp.argumento, p.regional);
            if (auto* error = std::get_if<std::string>(&leidas)) throw ErrorUso{*error};
            if (pp.paso->comprobar != nullptr)
                if (auto error = pp.paso->comprobar(std::get<OpcionesLeidas>(leidas), p.regional))
                    throw ErrorUso{*error};
        }
    return p;
}

}  // namespace

std::string LocaleDelEntorno() {
    for (const char* nombre : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* v = std::getenv(nombre);
        if (v != nullptr && *v != '\0') return v;
    }
    return {};
}

int EjecutarCalc(const std::vector<std::string>& args, const std::string& locale, std::ostream& out,
                 std::ostream& err) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            out << TextoUso();
            return kSalidaBien;
        }
        if (a == "--") break;
    }
    Pedido pedido;
    try {
        pedido = Interpretar(args, locale);
    } catch (const ErrorUso& e) {
        err << "vortena-calc: " << e.motivo << "\n" << TextoUso();
        return kSalidaUso;
    }

    MensajesConsola mensajes(err);
    DocumentoCalc doc;
    Red red;
    try {
        AbrirRed(red, pedido.red, doc);
    } catch (const std::exception& e) {
        mensajes.Mostrar("Error al abrir el archivo!!!", "Error de sistema", Botones::Aceptar,
                         Icono::Critico);
        err << "vortena-calc: " << pedido.red << ": " << e.what() << '\n';
        return kSalidaArchivo;
    }
    doc.NombreArchivo = pedido.red;
    doc.Guardado = true;
    if (const auto aviso = AvisoExtremosRepetidos(red))
        mensajes.Mostrar(*aviso, kTituloVentana, Botones::Aceptar, Icono::Exclamacion);

    FuenteAleatoria azar;
    EntornoCalc entorno{red, mensajes, doc, pedido.regional, out, azar};
    for (const PasoPedido& p : pedido.pasos) {
        // A step the system could not give threads or memory stops the run
        // with a message before it writes anything.
        try {
            if (!p.paso->ejecutar(entorno, p.argumento)) return kSalidaArchivo;
        } catch (const std::system_error& e) {
            mensajes.Mostrar("El paso " + std::string(p.paso->nombre) +
                                 " no pudo iniciar sus hilos de cálculo (" + e.what() +
                                 "). Pida menos con --hilos o cierre otros programas.",
                             kTituloPrograma, Botones::Aceptar, Icono::Critico);
            return kSalidaError;
        } catch (const std::bad_alloc&) {
            mensajes.Mostrar("No hay memoria suficiente para el paso " +
                                 std::string(p.paso->nombre) +
                                 ". Reduzca el trabajo pedido o cierre otros programas.",
                             kTituloPrograma, Botones::Aceptar, Icono::Critico);
            return kSalidaError;
        }
    }
    out.flush();
    if (!out) return kSalidaArchivo;
    return mensajes.HuboError() ? kSalidaError : kSalidaBien;
}

}  // namespace vortena::calc
