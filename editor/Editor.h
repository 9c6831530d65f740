#pragma once
// Drawing of the network on the canvas surface and the editing operations
// behind the canvas tools. Both work on the store and paint their results at
// once on the persistent canvas image.

#include <cstdint>
#include <string>

#include "editor/Sombreado.h"
#include "editor/Superficie.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"
#include "model/Red.h"

namespace vortena {

// Node kinds for drawing: 1 productive centre, 2 start node, 3 end node.
std::uint8_t TipoNodo(const CentroProductivo& c);

class Editor {
public:
    Editor(Red& red, Superficie& superficie, Mensajes& mensajes, Regional regional);

    Red& red() { return red_; }
    Superficie& superficie() { return sup_; }
    const Regional& regional() const { return reg_; }
    void PonerRegional(Regional r) { reg_ = r; }

    // Drawing.
    void DibujarCaja(std::int16_t nodo, Color color);
    void DibujarTextoCentro(std::int16_t posicion, std::uint8_t tipo);
    void DibujarConexion(std::int16_t conexion, Color color);
    void RedibujarTodo();
    void RedibujarCentro(std::int16_t posicion, int modo);
    void RedibujarNodoFin();
    // Outline colour of a node in a full redraw (green, red or black).
    Color ColorContorno(const CentroProductivo& c) const;

    // Overlays of the results windows; the caller redraws after changing them.
    CapasSombreado& capas() { return capas_; }
    const CapasSombreado& capas() const { return capas_; }

    // Editing.
    void ColocarCentro(float x, float y, std::uint8_t tipo);
    void ConectarCentros(float xa, float ya, float xb, float yb, std::uint8_t modo);
    bool ExisteConexion(std::int16_t desde, std::int16_t hasta);
    bool ProduceCiclo(std::int16_t origen, std::int16_t nodo);
    // A positive `tolerancia` also picks a connection that close to the point.
    void SeleccionarEnPunto(float x, float y, float tolerancia = 0);
    void QuitarSeleccion();
    void MoverCentro(float x, float y);
    void EliminarSeleccion(int tipo);
    void QuitarCentro();
    void EliminarConexion();
    void RenumerarConexiones();
    void DiagramaInicial();

private:
    Red& red_;
    Superficie& sup_;
    Mensajes& msj_;
    Regional reg_;
    CapasSombreado capas_;

    // Erases a box to its overlay fill (white without one) and paints its mark.
    void FondoCaja(const CentroProductivo& c);
    void MarcasCaja(const CentroProductivo& c);
};

}  // namespace vortena
