// What the menu entries and toolbar buttons do.

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "compute/Variabilidad.h"
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
    // The line as "Exportar gráfico" draws it: cropped to the nodes and
    // connections, without the selection, at the canvas resolution.
    portapapeles->setImage(ImagenDiagrama(red_, regional_, editor_->capas(), 1.0));
}

void Principal::OrdenExportarResumen() {
    // The report computes the line, which may raise a server count.
    Paso("Exportar resumen", [this] {
        ContextoDocumento ctx = Contexto();
        ExportarResumen(ctx);
    });
}

void Principal::OrdenServidoresMinimos() {
    Paso("Servidores mínimos", [this] { ServidoresMinimosRed(red_, *dialogos_, *this); });
    RedibujarTodo();
}

void Principal::OrdenPropagar() {
    Paso("Propagar Lamda", [this] {
        try {
            PropagarFlujo(red_, *this);
        } catch (const ErrorAritmetico&) {
            dialogos_->Mostrar(kTextoDesbordamiento, kTituloPrograma, Botones::Aceptar,
                               Icono::Exclamacion);
        }
    });
    RedibujarTodo();
}

void Principal::OrdenPropagarVariabilidad() {
    Paso(kAccionVariabilidad, [this] { PropagarVariabilidad(red_, *dialogos_, *this, regional_); });
    RedibujarTodo();
}

void Principal::OrdenServidoresOptimos() {
    Paso("Optimización económica", [this] { ServidoresOptimosRed(red_, *dialogos_, *this); });
    RedibujarTodo();
}

void Principal::OrdenPert() {
    // A step only when the computation raised a server count.
    Paso("Cálculo", [this] { CalcularRed(red_, *dialogos_, *this); });
    RedibujarTodo();
}

void Principal::OrdenOptimizacionTiempos() {
    Paso("Optimización de Tiempos",
         [this] { IniciarOptimizacion(red_, *dialogos_, *this, regional_, this); });
    RedibujarTodo();
}

void Principal::OrdenContenido() {
    if (ventanas_.contenido) ventanas_.contenido();
}

void Principal::MostrarAyuda(const QString& pagina) {
    if (ventanas_.pagina) ventanas_.pagina(pagina);
}

void Principal::OrdenAcercaDe() {
    if (ventanas_.acercaDe) ventanas_.acercaDe();
}

}  // namespace vortena
