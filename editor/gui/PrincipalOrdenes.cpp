// What the menu entries and toolbar buttons do.

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "dialogs/AcercaDe.h"
#include "dialogs/Ayuda.h"
#include "editor/gui/DialogosQt.h"
#include "editor/gui/ExportarDiagrama.h"
#include "editor/gui/Fondo.h"
#include "editor/gui/Principal.h"
#include "files/Comandos.h"
#include "model/ErrorAritmetico.h"
#include "optimise/gui/IniciarOptimizacion.h"

namespace vortena {

void Principal::OrdenNuevo() {
    ContextoDocumento ctx = Contexto();
    NuevoArchivo(ctx, Modificado);
}

void Principal::OrdenAbrir() {
    ContextoDocumento ctx = Contexto();
    if (AbrirArchivo(ctx, Modificado)) RecordarArchivo();
}

void Principal::OrdenAbrirDesdeBarra() {
    // Only the toolbar's Open switches the critical outline off.
    red_.MostrarCriticos = false;
    OrdenAbrir();
}

void Principal::OrdenGuardar() {
    ContextoDocumento ctx = Contexto();
    if (GuardarArchivo(ctx)) RecordarArchivo();
}

void Principal::OrdenGuardarComo() {
    ContextoDocumento ctx = Contexto();
    if (GuardarComo(ctx)) RecordarArchivo();
}

void Principal::OrdenImprimir() {
    ContextoDocumento ctx = Contexto();
    ConfigurarImpresora(ctx);
    // The set-up is the printer dialog; once accepted, the diagram goes to
    // the chosen printer fitted to one page.
    if (dialogosPropios_)
        if (QPrinter* impresora = dialogosPropios_->TomarImpresora())
            ImprimirDiagrama(*impresora, red_, regional_, editor_->capas());
}

void Principal::OrdenSalir() {
    ContextoDocumento ctx = Contexto();
    SALIRP(ctx, Modificado);
}

void Principal::OrdenCopiarGrafico() {
    QClipboard* portapapeles = QGuiApplication::clipboard();
    portapapeles->clear();
    portapapeles->setImage(fondo_->Imagen());
}

void Principal::OrdenExportarResumen() {
    ContextoDocumento ctx = Contexto();
    ExportarResumen(ctx);
}

void Principal::OrdenServidoresMinimos() {
    ServidoresMinimosRed(red_, *dialogos_, *this);
    RedibujarTodo();
}

void Principal::OrdenPropagar() {
    try {
        PropagarFlujo(red_, *this);
    } catch (const ErrorAritmetico&) {
        dialogos_->Mostrar(kTextoDesbordamiento, kTituloPrograma, Botones::Aceptar,
                           Icono::Exclamacion);
    }
    RedibujarTodo();
}

void Principal::OrdenServidoresOptimos() {
    ServidoresOptimosRed(red_, *dialogos_, *this);
    RedibujarTodo();
}

void Principal::OrdenPert() {
    CalcularRed(red_, *dialogos_, *this);
    RedibujarTodo();
}

void Principal::OrdenOptimizacionTiempos() {
    IniciarOptimizacion(red_, *dialogos_, *this, regional_, this);
    RedibujarTodo();
}

void Principal::OrdenContenido() {
    // One help viewer at a time, not modal: a second F1 brings it forward.
    if (ayuda_.isNull()) {
        ayuda_ = new Ayuda(carpeta_);
        ayuda_->setAttribute(Qt::WA_DeleteOnClose);
    }
    ayuda_->show();
    ayuda_->raise();
    ayuda_->activateWindow();
}

void Principal::OrdenAcercaDe() {
    AcercaDe acerca(this);
    acerca.exec();
}

}  // namespace vortena
