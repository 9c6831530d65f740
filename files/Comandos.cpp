#include "files/Comandos.h"

#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

#include "compute/Dimensionamiento.h"
#include "files/ArchivoRed.h"
#include "files/Codificacion.h"
#include "files/ErrorArchivo.h"
#include "files/Resumen.h"
#include "model/Invariantes.h"

namespace vortena {
namespace {

constexpr const char* kTituloError = "Error de sistema";

void ErrorSistema(ContextoDocumento& ctx, const std::string& texto) {
    ctx.dialogos.Mostrar(texto, kTituloError, Botones::Aceptar, Icono::Critico);
}

// The save prompt of New, Open and Exit. False when the command must stop:
// the user cancelled, or said Yes but the save failed or was cancelled, and
// going on would discard the network that was to be saved.
bool PreguntarGuardar(ContextoDocumento& ctx, bool modificado) {
    if (!modificado) return true;
    const Respuesta r =
        ctx.dialogos.Mostrar("¿El Archivo cambio, desea guardar los cambios?", "Guardar Archivo",
                             Botones::SiNoCancelar, Icono::Ninguno);
    if (r == Respuesta::Cancelar) return false;
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

// A name typed without an extension gets the one of its kind, so the file
// shows up in the dialog's list next time.
std::string ConExtension(const std::string& nombre, const char* extension) {
    if (std::filesystem::path(nombre).has_extension()) return nombre;
    return nombre + extension;
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

namespace {
void AvisarExtremosRepetidos(ContextoDocumento& ctx) {
    if (const auto aviso = AvisoExtremosRepetidos(ctx.red))
        ctx.dialogos.Mostrar(*aviso, kTituloVentana, Botones::Aceptar, Icono::Exclamacion);
}
}  // namespace

bool AbrirArchivo(ContextoDocumento& ctx, bool modificado) {
    if (!PreguntarGuardar(ctx, modificado)) return false;
    const std::optional<std::string> nombre = Elegido(ctx.dialogos.NombreAbrir(kFiltroAbrir));
    if (!nombre) return false;
    try {
        AbrirRed(ctx.red, *nombre, ctx.doc);
    } catch (const std::exception& e) {
        ErrorSistema(ctx, "Error al abrir el archivo!!!\n" + std::string(e.what()));
        return false;
    }
    ctx.doc.NombreArchivo = *nombre;
    ctx.doc.Guardado = true;
    AvisarExtremosRepetidos(ctx);
    return true;
}

bool AbrirArchivoEn(ContextoDocumento& ctx, bool modificado, const std::string& ruta) {
    if (!PreguntarGuardar(ctx, modificado)) return false;
    try {
        AbrirRed(ctx.red, ruta, ctx.doc);
    } catch (const std::exception& e) {
        ctx.dialogos.Mostrar("No se pudo abrir " + ruta + ":\n" + e.what(), kTituloError,
                             Botones::Aceptar, Icono::Critico);
        return false;
    }
    ctx.doc.NombreArchivo = ruta;
    ctx.doc.Guardado = true;
    AvisarExtremosRepetidos(ctx);
    return true;
}

namespace {

enum class Resultado { Hecho, Cancelado, NoSobrescrito, Fallido };

// Names and descriptions the file cannot hold as typed: the user sees how
// they will be stored and says whether to save so.
bool AceptaCambiosDeNombres(ContextoDocumento& ctx) {
    const std::vector<std::string> cambios = TextosQueCambiaran(ctx.red);
    if (cambios.empty()) return true;
    std::string texto =
        "El archivo no puede guardar algunos caracteres; al guardar, estos textos cambiarán:";
    for (const std::string& c : cambios) texto += "\n" + c;
    texto += "\n¿Desea guardar de todos modos?";
    return ctx.dialogos.Mostrar(texto, "Guardar Archivo", Botones::SiNo, Icono::Exclamacion) ==
           Respuesta::Si;
}

Resultado Guardar(ContextoDocumento& ctx) {
    try {
        if (ctx.doc.Guardado) {
            if (!AceptaCambiosDeNombres(ctx)) return Resultado::Cancelado;
            GuardarRed(ctx.red, ctx.doc.NombreArchivo, ctx.regional, ctx.doc);
        } else {
            std::optional<std::string> nombre = Elegido(ctx.dialogos.NombreGuardar(kFiltroVtq, ""));
            if (!nombre) return Resultado::Cancelado;
            *nombre = ConExtension(*nombre, ".vtq");
            if (Existe(*nombre) &&
                ctx.dialogos.Mostrar("El archivo ya existe esta seguro que lo quiere sobreescribir",
                                     "Archivo Existente", Botones::SiNo,
                                     Icono::Ninguno) != Respuesta::Si)
                return Resultado::NoSobrescrito;
            if (!AceptaCambiosDeNombres(ctx)) return Resultado::Cancelado;
            GuardarRed(ctx.red, *nombre, ctx.regional, ctx.doc);
            ctx.doc.NombreArchivo = *nombre;
        }
        ctx.doc.Guardado = true;
        return Resultado::Hecho;
    } catch (const std::exception& e) {
        ErrorSistema(ctx, "Error Guardando!!!\n" + std::string(e.what()));
        return Resultado::Fallido;
    }
}

}  // namespace

bool GuardarArchivo(ContextoDocumento& ctx) {
    return Guardar(ctx) == Resultado::Hecho;
}

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
    // Beside the network's file, or (a bare name) in the user's documents;
    // never the program's folder, which is read-only once installed.
    const std::string propuesto =
        ctx.doc.Guardado
            ? (std::filesystem::path(ctx.doc.NombreArchivo).parent_path() / kNombreResumen).string()
            : std::string(kNombreResumen);
    const std::optional<std::string> elegido =
        Elegido(ctx.dialogos.NombreGuardar(kFiltroTexto, propuesto));
    if (!elegido) return;
    const std::string ruta = ConExtension(*elegido, ".txt");
    CalcularRed(ctx.red, ctx.dialogos, ctx.doc);
    std::string motivo;
    try {
        EscribirResumen(ctx.red, ruta, ctx.regional, ArchivoAbierto(ctx.doc));
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
