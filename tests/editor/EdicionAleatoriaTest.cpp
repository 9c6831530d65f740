// Thousands of random edits through the editing operations, checking the
// store's rules after every one and the connection rules against an
// independent reachability check.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "BancoEditor.h"

namespace vortena::prueba {
namespace {

// Whether `hasta` can be reached from `desde` along connections, computed
// from the connection records alone (not from the node lists).
bool Alcanza(const Red& red, int desde, int hasta) {
    std::vector<char> visto(static_cast<std::size_t>(red.Centros.Count()) + 1, 0);
    std::vector<int> pila{desde};
    while (!pila.empty()) {
        const int n = pila.back();
        pila.pop_back();
        if (n == hasta) return true;
        if (visto[static_cast<std::size_t>(n)]) continue;
        visto[static_cast<std::size_t>(n)] = 1;
        for (const linea& l : red.Conexiones)
            if (l.CentroInicio == n) pila.push_back(l.CentroFin);
    }
    return false;
}

bool Existe(const Red& red, int a, int b) {
    for (const linea& l : red.Conexiones)
        if (l.CentroInicio == a && l.CentroFin == b) return true;
    return false;
}

class EdicionAleatoria : public BancoEditor, public ::testing::WithParamInterface<unsigned> {
protected:
    std::mt19937 azar{GetParam()};

    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); }
    float Coord() { return static_cast<float>(Entre(0, 300)) * 50.0f; }
    // A point inside a random node, on its border, or anywhere.
    std::pair<float, float> Punto() {
        const int n = red.Centros.Count();
        const int tipo = Entre(0, 9);
        if (n == 0 || tipo == 0) return {Coord(), Coord()};
        const CentroProductivo& c = red.Centros(Entre(1, n));
        if (tipo == 1) return {c.x1, c.y1 + 100};
        return {c.x1 + static_cast<float>(Entre(1, 999)),
                c.y1 + static_cast<float>(Entre(1, static_cast<int>(c.y2 - c.y1) - 1))};
    }
    int NodoEn(float x, float y, bool desdeElFinal) const {
        int r = 0;
        for (int i = 1; i <= red.Centros.Count(); ++i)
            if (PuntoEnNodo(red.Centros(i), x, y) && (desdeElFinal || r == 0)) r = i;
        return r;
    }

    // Connects two points and checks the outcome against the oracle.
    void ConectarComprobando() {
        auto [xa, ya] = Punto();
        auto [xb, yb] = Punto();
        if (Entre(0, 1)) {
            const CentroProductivo& a = red.Centros(Entre(1, red.Centros.Count()));
            const CentroProductivo& b = red.Centros(Entre(1, red.Centros.Count()));
            xa = MedioX(a), ya = MedioY(a), xb = MedioX(b), yb = MedioY(b);
        }
        const int n0 = red.Conexiones.Count();
        msj.vistos.clear();
        ed.ConectarCentros(xa, ya, xb, yb, 1);
        if (red.Conexiones.Count() == n0) return;
        ASSERT_EQ(red.Conexiones.Count(), n0 + 1);
        // Where boxes overlap, a start or end node under the winning centre
        // may still have shown its message; the duplicate and cycle rules
        // never let a connection through after speaking.
        for (const MensajeVisto& m : msj.vistos)
            EXPECT_TRUE(m.texto == "El Nodo de Final no puede iniciar una conexión" ||
                        m.texto == "El Nodo de Inicio no puede Finalizar una conexión")
                << m.texto;
        const linea& l = red.Conexiones(n0 + 1);
        const int a = l.CentroInicio, b = l.CentroFin;
        // The new connection was allowed: it is the only one joining a to b
        // and nothing led back from b to a before it.
        EXPECT_EQ(a, NodoEn(xa, ya, true));
        EXPECT_FALSE(red.Centros(a).EsFin());
        EXPECT_FALSE(red.Centros(b).EsInicio());
        int iguales = 0;
        for (const linea& o : red.Conexiones) iguales += o.CentroInicio == a && o.CentroFin == b;
        EXPECT_EQ(iguales, 1);
    }

    // Tries a connection between two given nodes that the oracle says is
    // a duplicate or closes a cycle, and checks the messages.
    void ConectarProhibida() {
        const int n = red.Centros.Count();
        int a = Entre(1, n), b = Entre(1, n);
        // Mostly along or against an existing connection, where the
        // duplicate and cycle rules have something to find.
        if (const int m = red.Conexiones.Count(); m > 0 && Entre(0, 3) > 0) {
            const linea& l = red.Conexiones(Entre(1, m));
            a = l.CentroInicio;
            b = l.CentroFin;
            // Walk on along outgoing connections, then try to close the path.
            for (int paso = Entre(0, 6); paso > 0; --paso) {
                const CentroProductivo& c = red.Centros(b);
                if (c.tamSE < 0) break;
                b = red.Conexiones(c.SalidaLista(Entre(0, c.tamSE))).CentroFin;
            }
            if (Entre(0, 2) > 0) std::swap(a, b);
        }
        const CentroProductivo& x = red.Centros(a);
        const CentroProductivo& y = red.Centros(b);
        if (a == b || x.EsFin() || y.EsInicio()) return;
        // Only when the middles are clear of other boxes, so the oracle knows
        // which nodes the points reach.
        if (NodoEn(MedioX(x), MedioY(x), true) != a || NodoEn(MedioX(x), MedioY(x), false) != a)
            return;
        if (NodoEn(MedioX(y), MedioY(y), true) != b || NodoEn(MedioX(y), MedioY(y), false) != b)
            return;
        const bool duplicada = Existe(red, a, b);
        const bool ciclo = Alcanza(red, b, a);
        const int n0 = red.Conexiones.Count();
        msj.vistos.clear();
        Unir(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b));
        std::vector<std::string> esperado;
        if (duplicada) esperado.push_back("Intenta vincular nuevamente dos Centros Productivos");
        if (ciclo) esperado.push_back("La conexión que intenta realizar produce un ciclo");
        EXPECT_EQ(msj.Textos(), esperado);
        EXPECT_EQ(red.Conexiones.Count(), n0 + (duplicada || ciclo ? 0 : 1));
    }

    enum Accion { Colocar, Conectar, Prohibida, Seleccionar, Mover, Borrar, Marcar };

    void Paso() {
        // Weighted so that the network stays connected enough for the
        // duplicate and cycle rules to matter.
        static constexpr double kPesos[] = {3, 4, 3, 2, 1, 2, 1};
        std::discrete_distribution<int> accion(std::begin(kPesos), std::end(kPesos));
        const int n = red.Centros.Count();
        switch (accion(azar)) {
            case Colocar:
                ed.ColocarCentro(Coord(), Coord(), 1);
                break;
            case Conectar:
                ConectarComprobando();
                break;
            case Prohibida:
                ConectarProhibida();
                break;
            case Seleccionar: {
                if (red.HaySeleccion) ed.QuitarSeleccion();
                auto [x, y] = Punto();
                ed.SeleccionarEnPunto(x, y);
                EXPECT_TRUE(red.Centros.Existe(red.CentroActual) || red.CentroActual == 0);
                EXPECT_TRUE(red.Conexiones.Existe(red.ConexionActual) || red.ConexionActual == 0);
                break;
            }
            case Mover:
                if (red.HaySeleccion && red.CentroActual != 0) ed.MoverCentro(Coord(), Coord());
                break;
            case Borrar: {
                // Delete key: the selected connection first, else the node.
                auto [x, y] = Punto();
                ed.SeleccionarEnPunto(x, y);
                const int antes = red.Centros.Count();
                if (red.ConexionActual != 0) {
                    ed.EliminarSeleccion(2);
                } else if (red.CentroActual != 0) {
                    const bool extremo = !red.Centros(red.CentroActual).EsCentro();
                    msj.vistos.clear();
                    ed.EliminarSeleccion(1);
                    EXPECT_EQ(red.Centros.Count(), antes - (extremo ? 0 : 1));
                    EXPECT_EQ(msj.vistos.size(), extremo ? 1u : 0u);
                }
                break;
            }
            case Marcar:
                // The PERT tools point the markers at any node.
                if (Entre(0, 1))
                    red.NodoInicio = static_cast<std::int16_t>(Entre(1, n));
                else
                    red.NodoFin = static_cast<std::int16_t>(Entre(1, n));
                break;
        }
    }
};

TEST_P(EdicionAleatoria, LasReglasDelAlmacenSeMantienen) {
    ed.DiagramaInicial();
    for (int i = 0; i < 3000; ++i) {
        Paso();
        const auto error = ComprobarInvariantes(red);
        ASSERT_EQ(error, std::nullopt) << "paso " << i;
        ASSERT_EQ(ComprobarNodosExtremos(red), std::nullopt) << "paso " << i;
        if (HasFailure()) FAIL() << "paso " << i;
        // Keep the network small enough to stay dense.
        if (red.Centros.Count() > 25) {
            red.CentroActual = static_cast<std::int16_t>(Entre(2, red.Centros.Count()));
            ed.EliminarSeleccion(1);
        }
    }
    sup.Olvidar();
    ed.RedibujarTodo();
    EXPECT_EQ(sup.De(Op::Imagen).size(), static_cast<std::size_t>(red.Conexiones.Count()) + 2);
}

INSTANTIATE_TEST_SUITE_P(Semillas, EdicionAleatoria, ::testing::Values(1u, 2u, 3u, 20240611u));

}  // namespace
}  // namespace vortena::prueba
