#pragma once
// The document commands over a real store and editor, with the dialogs, the
// window's document state and the canvas replaced by recording fakes.

#include <gtest/gtest.h>

#include "editor/Editor.h"
#include "files/ArchivoRed.h"
#include "files/Comandos.h"
#include "files/PruebaArchivos.h"
#include "support/DialogosGrabados.h"
#include "support/DocumentoFalso.h"

namespace vortena::prueba {

class BancoComandos : public ::testing::Test {
protected:
    CarpetaTemporal dir;
    Red red;
    SuperficieGrabada sup;
    DialogosGrabados dlg;
    DocumentoFalso doc;
    Editor ed{red, sup, dlg, Regional::Espanol()};
    ContextoDocumento ctx{red, [this] { Nuevo(); }, dlg, doc, Regional::Espanol()};

    void SetUp() override {
        ed.DiagramaInicial();
        doc.path = dir.ConSeparador();
        doc.ACTBarraEstado(true);
        Olvidar();
    }
    // What the window does for a new document: a clean canvas, the new network.
    void Nuevo() {
        ed.superficie().Limpiar();
        ed.DiagramaInicial();
    }
    // Forgets what the fakes recorded so far.
    void Olvidar() {
        doc.llamadasBarra.clear();
        doc.titulos.clear();
        doc.redibujos = 0;
        sup.Olvidar();
        dlg.mensajes.vistos.clear();
    }
    // The network as it would be saved: a fingerprint of the whole store.
    std::string Huella() const { return EscribirRed(red, Regional::Ingles()); }
    std::vector<std::string> Textos() const { return dlg.mensajes.Textos(); }

    // A file holding a network different from the new one.
    std::string ArchivoOtraRed(const std::string& nombre) {
        Red otra;
        RedNueva(otra);
        otra.Centros(2).Nombre = "Otra";
        otra.Centros(3).Salida = 40;
        const std::string ruta = dir / nombre;
        EscribirArchivo(ruta, EscribirRed(otra, Regional::Espanol()));
        return ruta;
    }
};

}  // namespace vortena::prueba
