#pragma once
// The document commands shared by the menus and the toolbar.

#include <functional>
#include <string>

#include "files/Dialogos.h"
#include "model/Documento.h"
#include "model/Numeros.h"
#include "model/Red.h"

namespace vortena {

struct ContextoDocumento {
    Red& red;
    // Clears the canvas and builds the network of a new document in the
    // emptied store, painted (the window does it through its editor).
    std::function<void()> diagramaInicial;
    Dialogos& dialogos;
    Documento& doc;
    Regional regional;
};

void NuevoArchivo(ContextoDocumento& ctx, bool modificado);
// True when a network was opened.
bool AbrirArchivo(ContextoDocumento& ctx, bool modificado);
// Opens the file at `ruta` without the open dialog (the command line, the
// recent files, the examples), after the same save prompt. A file that cannot
// be read shows the reader's own message and leaves the network as it was.
bool AbrirArchivoEn(ContextoDocumento& ctx, bool modificado, const std::string& ruta);
// True when the network was written.
bool GuardarArchivo(ContextoDocumento& ctx);
// Save as: forgets the file name, then saves asking for one.
bool GuardarComo(ContextoDocumento& ctx);
void ConfigurarImpresora(ContextoDocumento& ctx);
// Exit with the save prompt; ends the program through doc.Terminar() unless
// the user's Yes led to a save that failed or was cancelled.
void SALIRP(ContextoDocumento& ctx, bool estado);
// "Exportar resumen como Archivo de Texto": asks where (proposing
// "Resumen.txt" beside the network's file), then network computation, the
// report, full redraw, and a message telling where it went or why not.
void ExportarResumen(ContextoDocumento& ctx);

}  // namespace vortena
