// The undo history over real edits: random sequences of editing operations,
// each one step, undone and redone back to the same saved content at every
// point; the bound, the saved-state mark and what counts as a change.

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "BancoEditor.h"
#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "files/ArchivoRed.h"
#include "model/Historial.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"

namespace vortena::prueba {
namespace {

class BancoHistorial : public BancoEditor {
protected:
    Historial h;
    DocumentoFalso doc;

    void SetUp() override { ed.DiagramaInicial(); }

    // The store's rules (the random dialogs may rename INICIO or FIN, so
    // the node kinds are not checked).
    void Sana() const { EXPECT_EQ(ComprobarInvariantes(red), std::nullopt); }
    // The saved content of the whole store.
    std::string Huella() const { return EscribirRed(red, Regional::Ingles()); }

    template <class F>
    bool Paso(const std::string& nombre, F&& f) {
        return EnUnPaso(h, red, nombre, f);
    }
    std::int16_t ColocarPaso(float x, float y) {
        Paso("Colocar centro", [&] { ed.ColocarCentro(x, y, 1); });
        return static_cast<std::int16_t>(red.Centros.Count());
    }
};

class HistorialAleatorio : public BancoHistorial, public ::testing::WithParamInterface<unsigned> {
protected:
    std::mt19937 azar{GetParam()};

    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); }
    float Coord() { return static_cast<float>(Entre(0, 200)) * 75.0f; }
    std::int16_t Nodo() { return static_cast<std::int16_t>(Entre(1, red.Centros.Count())); }

    // One random edit as one step, the way the canvas and the dialogs edit.
    void Editar() {
        switch (Entre(0, 8)) {
            case 0:
            case 1:
                Paso("Colocar centro", [&] { ed.ColocarCentro(Coord(), Coord(), 1); });
                break;
            case 2:
            case 3: {
                const std::int16_t a = Nodo(), b = Nodo();
                Paso("Conectar", [&] { Unir(a, b); });
                break;
            }
            case 4: {
                const std::int16_t p = Nodo();
                Paso("Mover", [&] {
                    red.CentroActual = p;
                    ed.MoverCentro(Coord(), Coord());
                });
                break;
            }
            case 5: {
                const std::int16_t p = Nodo();
                Paso("Eliminar", [&] {
                    red.CentroActual = p;
                    ed.EliminarSeleccion(1);
                });
                break;
            }
            case 6:
                if (red.Conexiones.Count() > 0) {
                    const auto q = static_cast<std::int16_t>(Entre(1, red.Conexiones.Count()));
                    Paso("Eliminar", [&] {
                        red.ConexionActual = q;
                        ed.EliminarSeleccion(2);
                    });
                }
                break;
            case 7: {
                // A property dialog: several fields of one record at once.
                const std::int16_t p = Nodo();
                Paso("Propiedades", [&] {
                    CentroProductivo& c = red.Centros(p);
                    c.Servidores = static_cast<std::int16_t>(Entre(1, 9));
                    c.Mu = Entre(1, 40) / 4.0;
                    c.Nombre = "C" + std::to_string(Entre(0, 99));
                    if (red.Conexiones.Count() > 0)
                        red.Conexiones(Entre(1, red.Conexiones.Count())).multiplicador =
                            Entre(1, 8) / 2.0;
                });
                break;
            }
            case 8:
                Paso("Marcas", [&] {
                    red.NodoInicio = Nodo();
                    red.NodoFin = Nodo();
                });
                break;
        }
    }
};

TEST_P(HistorialAleatorio, DeshacerYRehacerDevuelvenCadaEstado) {
    std::vector<std::string> estados{Huella()};
    for (int i = 0; i < 80; ++i) {
        const std::size_t pasos = h.Pasos();
        Editar();
        // A step exactly when the saved content changed.
        if (Huella() != estados.back()) {
            ASSERT_EQ(h.Pasos(), pasos + 1) << "edición " << i;
            estados.push_back(Huella());
        } else {
            ASSERT_EQ(h.Pasos(), pasos) << "edición " << i;
        }
    }
    ASSERT_EQ(h.Pasos() + 1, estados.size());
    for (std::size_t k = estados.size() - 1; k-- > 0;) {
        ASSERT_TRUE(h.Deshacer(red));
        ASSERT_EQ(Huella(), estados[k]) << "deshecho hasta " << k;
        Sana();
    }
    EXPECT_FALSE(h.Deshacer(red));
    for (std::size_t k = 1; k < estados.size(); ++k) {
        ASSERT_TRUE(h.Rehacer(red));
        ASSERT_EQ(Huella(), estados[k]) << "rehecho hasta " << k;
        Sana();
    }
    EXPECT_FALSE(h.Rehacer(red));
}

TEST_P(HistorialAleatorio, EditarTrasDeshacerContinuaDesdeAhi) {
    std::vector<std::string> estados{Huella()};
    for (int ronda = 0; ronda < 6; ++ronda) {
        for (int i = 0; i < 12; ++i) {
            Editar();
            if (Huella() != estados.back()) estados.push_back(Huella());
        }
        for (int k = Entre(0, static_cast<int>(estados.size()) - 1); k > 0; --k) {
            ASSERT_TRUE(h.Deshacer(red));
            estados.pop_back();
            ASSERT_EQ(Huella(), estados.back());
        }
    }
    while (h.Deshacer(red)) estados.pop_back();
    ASSERT_EQ(estados.size(), 1u);
    EXPECT_EQ(Huella(), estados[0]);
    Sana();
}

INSTANTIATE_TEST_SUITE_P(Semillas, HistorialAleatorio, ::testing::Values(1u, 7u, 42u, 2024u));

TEST_F(BancoHistorial, NombresDeLasAcciones) {
    EXPECT_FALSE(h.PuedeDeshacer());
    EXPECT_EQ(h.AccionDeshacer(), "");
    ColocarPaso(6000, 4500);
    Paso("Mover", [&] { ed.MoverCentro(7500, 4500); });
    EXPECT_EQ(h.AccionDeshacer(), "Mover");
    EXPECT_EQ(h.AccionRehacer(), "");
    h.Deshacer(red);
    EXPECT_EQ(h.AccionDeshacer(), "Colocar centro");
    EXPECT_EQ(h.AccionRehacer(), "Mover");
}

TEST_F(BancoHistorial, AlMaximoCienPasosSeOlvidaElMasViejo) {
    std::vector<std::string> estados{Huella()};
    for (int i = 0; i < 110; ++i) {
        Paso("Propiedades", [&] { red.Centros(2).Servidores = static_cast<std::int16_t>(i + 2); });
        estados.push_back(Huella());
    }
    EXPECT_EQ(h.Pasos(), 100u);
    int deshechos = 0;
    while (h.Deshacer(red)) ++deshechos;
    EXPECT_EQ(deshechos, 100);
    EXPECT_EQ(Huella(), estados[10]);
}

TEST_F(BancoHistorial, MarcaDeGuardado) {
    // A new network has no saved state to come back to.
    EXPECT_FALSE(h.EnGuardado());
    ColocarPaso(6000, 4500);
    h.MarcarGuardado();
    EXPECT_TRUE(h.EnGuardado());
    ColocarPaso(9000, 4500);
    EXPECT_FALSE(h.EnGuardado());
    h.Deshacer(red);
    EXPECT_TRUE(h.EnGuardado());
    h.Deshacer(red);
    EXPECT_FALSE(h.EnGuardado());
    h.Rehacer(red);
    EXPECT_TRUE(h.EnGuardado());
    // Saved, then undone and edited elsewhere: the saved state is gone.
    ColocarPaso(9000, 4500);
    h.MarcarGuardado();
    h.Deshacer(red);
    ColocarPaso(3000, 4500);
    h.Deshacer(red);
    EXPECT_FALSE(h.EnGuardado());
    while (h.Rehacer(red)) EXPECT_FALSE(h.EnGuardado());

    h.Reiniciar();
    EXPECT_EQ(h.Pasos(), 0u);
    EXPECT_FALSE(h.EnGuardado());
}

TEST_F(BancoHistorial, ElGuardadoQueSaleDelLimiteSePierde) {
    Historial corto(3);
    corto.MarcarGuardado();
    EnUnPaso(corto, red, "a", [&] { red.Centros(2).Servidores = 2; });
    for (std::int16_t s = 3; s < 6; ++s)
        EnUnPaso(corto, red, "b", [&] { red.Centros(2).Servidores = s; });
    while (corto.Deshacer(red)) EXPECT_FALSE(corto.EnGuardado());
    EXPECT_EQ(red.Centros(2).Servidores, 2);
}

TEST_F(BancoHistorial, SoloResultadosOSeleccionNoEsUnPaso) {
    // A computation that only refreshes results, a selection, a dialog
    // closed without changes: no step.
    bool error = false;
    EXPECT_FALSE(Paso("Cálculo", [&] { red.Centros(2).Calculos(error, msj); }));
    EXPECT_FALSE(Paso("Seleccionar", [&] { Seleccionar(2); }));
    EXPECT_FALSE(Paso("Propiedades de Sin nombre", [] {}));
    EXPECT_EQ(h.Pasos(), 0u);
    // Propagation changes the saved rates: one step, undone as a whole.
    red.Centros(3).Salida = 35;
    const std::string antes = Huella();
    EXPECT_TRUE(Paso("Propagar Lamda", [&] { PropagarFlujo(red, doc); }));
    EXPECT_NE(Huella(), antes);
    h.Deshacer(red);
    EXPECT_EQ(Huella(), antes);
}

TEST_F(BancoHistorial, PasosAnidadosSonUnoSolo) {
    h.Antes(red);
    ColocarPaso(6000, 4500);
    ColocarPaso(9000, 4500);
    EXPECT_FALSE(h.PuedeDeshacer());
    EXPECT_TRUE(h.Despues(red, "Optimización de Tiempos"));
    EXPECT_EQ(h.Pasos(), 1u);
    h.Deshacer(red);
    EXPECT_EQ(red.Centros.Count(), 3);
}

TEST_F(BancoHistorial, UnaAccionQueFallaDejaSuPaso) {
    EXPECT_THROW(Paso("Cálculo",
                      [&] {
                          red.Centros(2).Servidores = 7;
                          throw std::runtime_error("falla");
                      }),
                 std::runtime_error);
    EXPECT_EQ(h.AccionDeshacer(), "Cálculo");
    h.Deshacer(red);
    EXPECT_EQ(red.Centros(2).Servidores, 1);
}

TEST_F(BancoHistorial, BorrarYDeshacerRenumeraLoDemas) {
    // A middle centre with connections on both sides: its removal shifts
    // every later position, list entry and connection end.
    const std::int16_t a = ColocarPaso(3000, 4500);
    const std::int16_t b = ColocarPaso(6000, 4500);
    Paso("Conectar", [&] { Unir(2, a); });
    Paso("Conectar", [&] { Unir(a, b); });
    Paso("Conectar", [&] { Unir(b, 3); });
    const std::string antes = Huella();
    Paso("Eliminar", [&] {
        red.CentroActual = a;
        ed.EliminarSeleccion(1);
    });
    ExpectSana();
    const std::string despues = Huella();
    ASSERT_TRUE(h.Deshacer(red));
    EXPECT_EQ(Huella(), antes);
    EXPECT_EQ(Entradas(b), (std::vector<int>{4}));
    ExpectSana();
    ASSERT_TRUE(h.Rehacer(red));
    EXPECT_EQ(Huella(), despues);
    ExpectSana();
}

TEST_F(BancoHistorial, UnaRedCambiadaFueraDelHistorialNoSeToca) {
    ColocarPaso(6000, 4500);
    // Changed behind the history's back: its sizes no longer match.
    ed.ColocarCentro(9000, 4500, 1);
    EXPECT_FALSE(h.Deshacer(red));
    EXPECT_EQ(red.Centros.Count(), 5);
    EXPECT_EQ(h.Pasos(), 0u);
}

// The figures go stale where the history learns of a change: after a step
// that changes what a computation reads without computing the line, and
// after the undo or redo of such a step; never after a mere move, and a
// step that computes the whole line leaves them current.
TEST_F(BancoHistorial, LasCifrasQuedanSinCalcularTrasCadaCambioQueLasAfecta) {
    MensajesGrabados msj;
    auto calcular = [&] { Paso("Cálculo", [&] { CalcularRed(red, msj, doc); }); };
    calcular();
    ASSERT_TRUE(red.ResultadosAlDia);

    Paso("Mover", [&] {
        red.Centros(2).x1 += 300;
        red.Centros(2).x2 += 300;
    });
    EXPECT_TRUE(red.ResultadosAlDia);
    h.Deshacer(red);
    EXPECT_TRUE(red.ResultadosAlDia);
    Paso("Descripción", [&] { red.Centros(2).Descripción = "torno nuevo"; });
    EXPECT_TRUE(red.ResultadosAlDia);

    Paso("Propagar Lamda", [&] { PropagarFlujo(red, doc); });
    EXPECT_FALSE(red.ResultadosAlDia);
    calcular();
    EXPECT_TRUE(red.ResultadosAlDia);
    h.Deshacer(red);  // the propagation
    EXPECT_FALSE(red.ResultadosAlDia);
    calcular();
    h.Rehacer(red);
    EXPECT_FALSE(red.ResultadosAlDia);

    // A computation that raises a server count is a step and leaves the
    // figures current; its undo does not.
    red.Centros(2).Servidores = 1;
    red.Centros(2).Lamda = 5;
    red.Centros(2).Mu = 1;
    calcular();
    EXPECT_GT(red.Centros(2).Servidores, 1);
    EXPECT_TRUE(red.ResultadosAlDia);
    EXPECT_EQ(h.AccionDeshacer(), "Cálculo");
    h.Deshacer(red);
    EXPECT_FALSE(red.ResultadosAlDia);
}

}  // namespace
}  // namespace vortena::prueba
