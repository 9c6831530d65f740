#pragma once
// Builds test networks straight into a Red, the way the editor does: nodes
// appended with their kind's defaults, connections appended to the
// collection and to both nodes' lists.

#include <cstdint>
#include <string>

#include "model/Red.h"

namespace vortena::prueba {

class ConstructorRed {
public:
    explicit ConstructorRed(Red& red) : red_(red) {}

    // A node whose kind follows from its name: "INICIO" and "FIN" get no
    // defaults (FIN gets its required output), any other name is a
    // productive centre with the defaults of a new centre.
    std::int16_t Nodo(const std::string& nombre) {
        CentroProductivo& c = red_.Centros.Agregar();
        if (nombre != "INICIO" && nombre != "FIN") c.predeterminado();
        c.Nombre = nombre;
        if (nombre == "FIN") c.Salida = 20.0;
        c.posicion = static_cast<std::int16_t>(red_.Centros.Count());
        const float alto = c.EsCentro() ? 1000.0f : 700.0f;
        c.x1 = 1500.0f * static_cast<float>(c.posicion);
        c.x2 = c.x1 + 1000.0f;
        c.y1 = 500.0f;
        c.y2 = c.y1 + alto;
        c.tamEE = -1;
        c.tamSE = -1;
        return c.posicion;
    }
    std::int16_t Inicio() { return Nodo("INICIO"); }
    std::int16_t Fin(double salida = 20.0) {
        std::int16_t p = Nodo("FIN");
        red_.Centros(p).Salida = salida;
        return p;
    }
    // A productive centre with the given rates (measures not recomputed).
    std::int16_t Centro(const std::string& nombre, double lamda = 1.0, double mu = 2.0) {
        std::int16_t p = Nodo(nombre);
        red_.Centros(p).Lamda = lamda;
        red_.Centros(p).Mu = mu;
        return p;
    }

    std::int16_t Conectar(std::int16_t desde, std::int16_t hasta, double multiplicador = 1.0) {
        CentroProductivo& a = red_.Centros(desde);
        CentroProductivo& b = red_.Centros(hasta);
        linea& l = red_.Conexiones.Agregar();
        l.posicion = static_cast<std::int16_t>(red_.Conexiones.Count());
        l.CentroInicio = desde;
        l.CentroFin = hasta;
        l.multiplicador = multiplicador;
        l.x1 = a.x2;
        l.y1 = a.y1 + (a.y2 - a.y1) / 2;
        l.x2 = b.x1 - 160;
        l.y2 = b.y1 + (b.y2 - b.y1) / 2;
        a.AgregarSalida(l.posicion);
        b.AgregarEntrada(l.posicion);
        return l.posicion;
    }

    CentroProductivo& operator[](std::int16_t p) { return red_.Centros(p); }

    // The network of a new document: INICIO -> "Sin nombre" -> FIN.
    void RedNueva() {
        Inicio();
        std::int16_t c = Nodo("Sin nombre");
        Fin();
        Conectar(1, c);
        Conectar(c, 3);
        red_.NodoInicio = 1;
        red_.NodoFin = 3;
    }

private:
    Red& red_;
};

}  // namespace vortena::prueba
