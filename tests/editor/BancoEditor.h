#pragma once
// An editor over a fresh store, a recording surface and recorded messages,
// with short-hands to build networks through the editing operations.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "editor/Editor.h"
#include "editor/Geometria.h"
#include "model/Invariantes.h"
#include "support/MensajesGrabados.h"
#include "support/SuperficieGrabada.h"

namespace vortena::prueba {

class BancoEditor : public ::testing::Test {
protected:
    Red red;
    SuperficieGrabada sup;
    MensajesGrabados msj;
    Editor ed{red, sup, msj, Regional::Ingles()};

    // Places a productive centre with its top-left corner at (x, y).
    std::int16_t Centro(float x, float y) {
        ed.ColocarCentro(x, y, 1);
        return red.CentroActual;
    }
    static float MedioX(const CentroProductivo& c) { return (c.x1 + c.x2) / 2; }
    static float MedioY(const CentroProductivo& c) { return (c.y1 + c.y2) / 2; }
    // Drags with the connect tool from the middle of one box to the other's.
    void Unir(std::int16_t a, std::int16_t b) {
        const CentroProductivo& x = red.Centros(a);
        const CentroProductivo& y = red.Centros(b);
        ed.ConectarCentros(MedioX(x), MedioY(x), MedioX(y), MedioY(y), 1);
    }
    // Clicks in the middle of a node with the select tool.
    void Seleccionar(std::int16_t p) {
        ed.SeleccionarEnPunto(MedioX(red.Centros(p)), MedioY(red.Centros(p)));
    }

    std::vector<int> Entradas(std::int16_t p) const {
        const CentroProductivo& c = red.Centros(p);
        std::vector<int> r;
        for (int i = 0; i <= c.tamEE; ++i) r.push_back(c.Entrada(i));
        return r;
    }
    std::vector<int> Salidas(std::int16_t p) const {
        const CentroProductivo& c = red.Centros(p);
        std::vector<int> r;
        for (int i = 0; i <= c.tamSE; ++i) r.push_back(c.SalidaLista(i));
        return r;
    }
    // (CentroInicio, CentroFin) of every connection, in order.
    std::vector<std::pair<int, int>> Pares() const {
        std::vector<std::pair<int, int>> r;
        for (const linea& l : red.Conexiones) r.emplace_back(l.CentroInicio, l.CentroFin);
        return r;
    }
    void ExpectSana() const {
        EXPECT_EQ(ComprobarInvariantes(red), std::nullopt);
        EXPECT_EQ(ComprobarNodosExtremos(red), std::nullopt);
    }
};

}  // namespace vortena::prueba
