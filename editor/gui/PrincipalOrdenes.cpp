// What the menu entries and toolbar buttons do.

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "editor/gui/Fondo.h"
#include "editor/gui/Principal.h"
#include "files/Comandos.h"
#include "optimise/gui/IniciarOptimizacion.h"

namespace vortena {

void Principal::OrdenNuevo() {
    ContextoDocumento ctx = Contexto();
    NuevoArchivo(ctx, Modificado);
}

void Principal::OrdenAbrir() {
    ContextoDocumento ctx = Contexto();
    AbrirArchivo(ctx, Modificado);
}

void Principal::OrdenAbrirDesdeBarra() {
    // Only the toolbar's Open switches the critical outline off.
    red_.MostrarCriticos = false;
    OrdenAbrir();
}

void Principal::OrdenGuardar() {
    ContextoDocumento ctx = Contexto();
    GuardarArchivo(ctx);
}

void Principal::OrdenGuardarComo() {
    ContextoDocumento ctx = Contexto();
    GuardarComo(ctx);
}

void Principal::OrdenImprimir() {
    ContextoDocumento ctx = Contexto();
    ConfigurarImpresora(ctx);
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
    Paso("Servidores mínimos", [this] { ServidoresMinimosRed(red_, *dialogos_, *this); });
    RedibujarTodo();
}

void Principal::OrdenPropagar() {
    Paso("Propagar Lamda", [this] { PropagarFlujo(red_, *this); });
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

void Principal::OrdenAcercaDe() {
    if (ventanas_.acercaDe) ventanas_.acercaDe();
}

}  // namespace vortena
