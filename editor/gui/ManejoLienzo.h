#pragma once
// What the mouse and the Delete key do on the canvas, by tool. Plain C++ over
// the editor so the rules can be driven without a window; the window only
// forwards its canvas events here. Every edit runs as one undoable step
// (Documento::Paso).

#include <cstdint>
#include <functional>

#include "editor/Editor.h"
#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Red.h"

namespace vortena {

enum class Herramienta : std::uint8_t {
    Seleccion = 1,
    Centro = 2,
    Conexion = 3,
    InicioPert = 4,
    FinPert = 5,
};

enum class BotonRaton { Izquierdo, Derecho, Otro };

class ManejoLienzo {
public:
    ManejoLienzo(Red& red, Editor& editor, Mensajes& mensajes, Documento& doc);

    Herramienta HerramientaActual = Herramienta::Seleccion;
    // How close, in canvas units, a click picks a connection (a few screen
    // pixels at the current zoom); 0 keeps only the band of the line.
    float ToleranciaConexion = 0;

    void Presionar(BotonRaton boton, float x, float y);
    void Soltar(BotonRaton boton, float x, float y);
    // The Delete key released on the canvas. True when a deletion was asked
    // of the editor (the canvas then takes the focus back).
    bool Suprimir();

    // Property dialogs, opened by a right-button release with the select
    // tool on a selected centre, end node or connection (modal, they edit
    // the record named by CentroActual / ConexionActual).
    std::function<void()> AbrirNodoCentro;
    std::function<void()> AbrirNodoFinal;
    std::function<void()> AbrirArco;

private:
    void AbrirPropiedades();
    void ElegirExtremoPert(bool inicio, float x, float y);
    void MarcarExtremoPert(bool inicio, float x, float y);

    Red& red_;
    Editor& editor_;
    Mensajes& msj_;
    Documento& doc_;
    float xInicial_ = 0;
    float yInicial_ = 0;
};

}  // namespace vortena
