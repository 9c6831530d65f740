#include "files/Comandos.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "compute/Dimensionamiento.h"
#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/Resumen.h"

namespace vortena {
namespace {

constexpr const char* kTituloError = "Error de sistema";

void ErrorSistema(ContextoDocumento& ctx, const char* texto) {
    ctx.dialogos.Mostrar(texto, kTituloError, Botones::Aceptar, Icono::Critico);
}

// The save prompt of New, Open and Exit. False when the command must stop:
// the user said Yes but the save failed or was cancelled, and going on
// would discard the network that was to be saved.
bool PreguntarGuardar(ContextoDocumento& ctx, bool modificado) {
    if (!modificado) return true;
    const Respuesta r = ctx.dialogos.Mostrar("¿El Archivo cambio, desea guardar los cambios?",
                                             "Guardar Archivo", Botones::SiNo, Icono::Ninguno);
    if (r != Respuesta::Si) return true;
    return GuardarArchivo(ctx);
}

// A dialog that was cancelled, or closed without a name, ends the command.
std::optional<std::string> Elegido(std::optional<std::string> nombre) {
    if (nombre && nombre->empty()) return std::nullopt;
    return nombre;
}

bool Existe(const std::string& ruta) {
    std::error_code ec;
    return std::filesystem::exists(ruta, ec);
}

}  // namespace

void NuevoArchivo(ContextoDocumento& ctx, bool modificado) {
    if (!PreguntarGuardar(ctx, modificado)) return;
    ctx.red.Vaciar();
    ctx.red.LimpiarSeleccion();
    ctx.doc.RedReemplazada();
    ctx.doc.PonerTitulo("Anónimo.vtq" + std::string(kSufijoTituloAbierto));
    ctx.diagramaInicial();
    ctx.doc.ACTBarraEstado(true);
    ctx.doc.Guardado = false;
}

bool AbrirArchivo(ContextoDocumento& ctx, bool modificado) {
    if (!PreguntarGuardar(ctx, modificado)) return false;
    const std::optional<std::string> nombre = Elegido(ctx.dialogos.NombreAbrir(kFiltroVtq));
    if (!nombre) return false;
    try {
        AbrirRed(ctx.red, *nombre, ctx.doc);
    } catch (const std::exception&) {
        ErrorSistema(ctx, "Error al abrir el archivo!!!");
        return false;
    }
    ctx.doc.NombreArchivo = *nombre;
    ctx.doc.Guardado = true;
    return true;
}

namespace {

enum class Resultado { Hecho, Cancelado, NoSobrescrito, Fallido };

Resultado Guardar(ContextoDocumento& ctx) {
    try {
        if (ctx.doc.Guardado) {
            GuardarRed(ctx.red, ctx.doc.NombreArchivo, ctx.regional, ctx.doc);
        } else {
            const std::optional<std::string> nombre =
                Elegido(ctx.dialogos.NombreGuardar(kFiltroVtq));
            if (!nombre) return Resultado::Cancelado;
            if (Existe(*nombre) &&
                ctx.dialogos.Mostrar("El archivo ya existe esta seguro que lo quiere sobreescribir",
                                     "Archivo Existente", Botones::SiNo,
                                     Icono::Ninguno) != Respuesta::Si)
                return Resultado::NoSobrescrito;
            GuardarRed(ctx.red, *nombre, ctx.regional, ctx.doc);
            ctx.doc.NombreArchivo = *nombre;
        }
        ctx.doc.Guardado = true;
        return Resultado::Hecho;
    } catch (const std::exception&) {
        ErrorSistema(ctx, "Error Guardando!!!");
        return Resultado::Fallido;
    }
}

}  // namespace

bool GuardarArchivo(ContextoDocumento& ctx) { return Guardar(ctx) == Resultado::Hecho; }

bool GuardarComo(ContextoDocumento& ctx) {
    // Only a cancelled dialog undoes the forgotten file name; after a refused
    // overwrite or a failed write the next save asks for a name again.
    const bool teniaArchivo = ctx.doc.Guardado;
    ctx.doc.Guardado = false;
    const Resultado r = Guardar(ctx);
    if (r == Resultado::Cancelado) ctx.doc.Guardado = teniaArchivo;
    return r == Resultado::Hecho;
}

void ConfigurarImpresora(ContextoDocumento& ctx) {
    try {
        ctx.dialogos.ConfigurarImpresora();
    } catch (const std::exception&) {
        // Printing is not offered; a failing set-up dialog changes nothing.
    }
}

void SALIRP(ContextoDocumento& ctx, bool estado) {
    if (!PreguntarGuardar(ctx, estado)) return;
    ctx.doc.Terminar();
}

void ExportarResumen(ContextoDocumento& ctx) {
    CalcularRed(ctx.red, ctx.dialogos, ctx.doc);
    const std::string ruta = ctx.doc.path + kNombreResumen;
    std::string motivo;
    try {
        GenerarResumen(ctx.red, ctx.doc.path, ctx.regional);
    } catch (const std::exception& e) {
        motivo = e.what();
    }
    ctx.doc.RedibujarTodo();
    if (motivo.empty())
        ctx.dialogos.Mostrar("Resumen guardado en " + ruta, kTituloVentana, Botones::Aceptar,
                             Icono::Informacion);
    else
        ctx.dialogos.Mostrar("No se pudo guardar el resumen en " + ruta + ": " + motivo + ".",
                             kTituloVentana, Botones::Aceptar, Icono::Critico);
}

}  // namespace vortena
