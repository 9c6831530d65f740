#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "RedesAleatorias.h"
#include "compute/Pert.h"
#include "model/ErrorAritmetico.h"
#include "support/ConstructorRed.h"

namespace vortena {
namespace {

using prueba::ConstructorRed;

const CentroProductivo& PorNombre(const Red& red, const std::string& nombre) {
    for (const CentroProductivo& c : red.Centros)
        if (c.Nombre == nombre) return c;
    throw std::logic_error("no hay nodo " + nombre);
}

constexpr double kNoMirar = std::numeric_limits<double>::quiet_NaN();

struct NodoEsperado {
    std::string nombre;
    double temprano = kNoMirar, tardio = kNoMirar, flotamiento = kNoMirar;
    bool participa = true;
    bool critico = false;  // checked for nodes that take part
};

struct CasoPert {
    const char* nombre;
    // Draws the network and returns (inicio, fin) for the run.
    std::function<std::pair<std::int16_t, std::int16_t>(ConstructorRed&)> dibujar;
    double resultado;
    std::vector<NodoEsperado> nodos;
};
void PrintTo(const CasoPert& c, std::ostream* os) {
    *os << c.nombre;
}

class Pert : public testing::TestWithParam<CasoPert> {};

TEST_P(Pert, TimesFloatsAndParticipation) {
    Red red;
    ConstructorRed b(red);
    const auto [inicio, fin] = GetParam().dibujar(b);
    EXPECT_DOUBLE_EQ(CalcularPERT(red, inicio, fin), GetParam().resultado);
    EXPECT_EQ(red.NodoInicio, inicio);
    EXPECT_EQ(red.NodoFin, fin);
    for (const NodoEsperado& e : GetParam().nodos) {
        SCOPED_TRACE(e.nombre);
        const CentroProductivo& c = PorNombre(red, e.nombre);
        if (!std::isnan(e.temprano)) {
            EXPECT_DOUBLE_EQ(c.tmpoTemprano, e.temprano);
        }
        if (!std::isnan(e.tardio)) {
            EXPECT_DOUBLE_EQ(c.tmpoTardio, e.tardio);
        }
        if (!std::isnan(e.flotamiento)) {
            EXPECT_DOUBLE_EQ(c.indFlotamiento, e.flotamiento);
        }
        EXPECT_EQ(c.ParticipaPERT(), e.participa);
        if (e.participa) {
            EXPECT_EQ(EsCritico(c), e.critico);
        }
    }
}

std::int16_t ConW(ConstructorRed& b, const std::string& nombre, double w) {
    const std::int16_t p = b.Centro(nombre);
    b[p].W = w;
    return p;
}

auto Paralelos(bool aPrimero) {
    return [aPrimero](ConstructorRed& b) {
        auto i = b.Inicio(), a = ConW(b, "A", 2), bb = ConW(b, "B", 5), f = b.Fin();
        if (aPrimero) {
            b.Conectar(i, a);
            b.Conectar(i, bb);
            b.Conectar(a, f);
            b.Conectar(bb, f);
        } else {
            b.Conectar(bb, f);
            b.Conectar(i, bb);
            b.Conectar(a, f);
            b.Conectar(i, a);
        }
        return std::pair{i, f};
    };
}

// C followed by a long branch (X) and a short one (Y).
auto Ramas(bool largaPrimero) {
    return [largaPrimero](ConstructorRed& b) {
        auto i = b.Inicio(), c = ConW(b, "C", 1), x = ConW(b, "X", 4), y = ConW(b, "Y", 1),
             f = b.Fin();
        b.Conectar(i, c);
        if (largaPrimero) b.Conectar(c, x);
        b.Conectar(c, y);
        if (!largaPrimero) b.Conectar(c, x);
        b.Conectar(x, f);
        b.Conectar(y, f);
        return std::pair{i, f};
    };
}

const std::vector<NodoEsperado> kParalelos = {{"INICIO", 0, 0, 0, true, true},
                                              {"A", 0, 5, 3, true, false},
                                              {"B", 0, 5, 0, true, true},
                                              {"FIN", 5, 5, 0, true, true}};
const std::vector<NodoEsperado> kRamas = {
    {"C", 0, 1, 0, true, true}, {"X", 1, 5, 0, true, true}, {"Y", 1, 5, 3, true, false}};

INSTANTIATE_TEST_SUITE_P(
    Casos, Pert,
    testing::Values(CasoPert{"RedNueva",
                             [](ConstructorRed& b) {
                                 b.RedNueva();
                                 return std::pair<std::int16_t, std::int16_t>{1, 3};
                             },
                             1.0,
                             {{"INICIO", 0, 0, 0, true, true},
                              {"Sin nombre", 0, 1, 0, true, true},
                              {"FIN", 1, 1, 0, true, true}}},
                    CasoPert{"ParalelosAPrimero", Paralelos(true), 5.0, kParalelos},
                    CasoPert{"ParalelosBPrimero", Paralelos(false), 5.0, kParalelos},
                    CasoPert{"RamaLargaPrimero", Ramas(true), 5.0, kRamas},
                    CasoPert{"RamaLargaDespues", Ramas(false), 5.0, kRamas},
                    CasoPert{"FinInalcanzable",
                             [](ConstructorRed& b) {
                                 auto i = b.Inicio(), a = ConW(b, "A", 1), z = ConW(b, "Z", 1),
                                      f = b.Fin();
                                 b.Conectar(i, a);
                                 b.Conectar(z, f);
                                 return std::pair{i, f};
                             },
                             0.0,
                             {{"A", 0, kNoMirar, kNoMirar, false, false}}},
                    CasoPert{"InicioIgualFinSinEntradas",
                             [](ConstructorRed& b) {
                                 b.RedNueva();
                                 return std::pair<std::int16_t, std::int16_t>{1, 1};
                             },
                             0.0,
                             {{"INICIO", 0, 0, 0, true, true},
                              {"Sin nombre", kNoMirar, kNoMirar, kNoMirar, false, false}}},
                    CasoPert{"InicioIgualFinConPredecesor",
                             [](ConstructorRed& b) {
                                 auto i = b.Inicio(), p = ConW(b, "P", 1.5), a = ConW(b, "A", 1),
                                      f = b.Fin();
                                 b.Conectar(i, p);
                                 b.Conectar(p, a);
                                 b.Conectar(a, f);
                                 return std::pair{a, a};
                             },
                             1.5,
                             {{"A", 1.5, 1.5, -1, true, false},
                              {"P", kNoMirar, kNoMirar, kNoMirar, false, false}}},
                    // S is the chosen start: its early time is the longest duration of its
                    // direct predecessors, which only the backward pass reaches.
                    CasoPert{"InicioConPredecesores",
                             [](ConstructorRed& b) {
                                 auto i = b.Inicio(), p = ConW(b, "P", 2.5), q = ConW(b, "Q", 0.5),
                                      s = ConW(b, "S", 1), t = ConW(b, "T", 2), f = b.Fin();
                                 b.Conectar(i, p);
                                 b.Conectar(i, q);
                                 b.Conectar(p, s);
                                 b.Conectar(q, s);
                                 b.Conectar(s, t);
                                 b.Conectar(t, f);
                                 return std::pair{s, f};
                             },
                             2.0,
                             {{"S", 2.5, 0, -3.5, true, false},
                              {"T", 0, 2, 0, true, true},
                              {"P", 0, -1, -3.5, false, false},
                              {"INICIO", 0, -3.5, -3.5, false, false}}},
                    // The end marker on a centre: its own duration counts against it, and
                    // the node after it is reached forward only.
                    CasoPert{"FinEsUnCentro",
                             [](ConstructorRed& b) {
                                 auto i = b.Inicio(), a = ConW(b, "A", 1), bb = ConW(b, "B", 2),
                                      f = b.Fin();
                                 b.Conectar(i, a);
                                 b.Conectar(a, bb);
                                 b.Conectar(bb, f);
                                 return std::pair{i, bb};
                             },
                             1.0,
                             {{"A", 0, 1, 0, true, true},
                              {"B", 1, 1, -2, true, false},
                              {"FIN", 3, kNoMirar, kNoMirar, false, false}}}),
    [](const testing::TestParamInfo<CasoPert>& i) { return std::string(i.param.nombre); });

TEST(Pert, BeyondTheEndNodeIsReachedForwardOnly) {
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = ConW(b, "A", 1), bb = ConW(b, "B", 2), f = b.Fin();
    b.Conectar(i, a);
    b.Conectar(a, bb);
    b.Conectar(bb, f);
    CalcularPERT(red, i, a);
    EXPECT_TRUE(b[bb].TempranoWH);
    EXPECT_FALSE(b[bb].tardioWH);
    EXPECT_DOUBLE_EQ(b[f].tmpoTemprano, 3);
}

TEST(Pert, RunDoesNotDependOnAnEarlierOne) {
    Red red;
    ConstructorRed b(red);
    Paralelos(true)(b);
    CalcularPERT(red, 2, 4);  // A as start, FIN as end
    EXPECT_DOUBLE_EQ(CalcularPERT(red, 1, 4), 5.0);
    EXPECT_DOUBLE_EQ(b[2].indFlotamiento, 3);
    EXPECT_TRUE(b[3].ParticipaPERT());
}

TEST(PertServicio, ForwardUsesServiceTimeBackwardUsesW) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();  // centre: W = 1, Mu = 2
    EXPECT_DOUBLE_EQ(CalcularPERTServicio(red, 1, 3), 0.5);
    EXPECT_DOUBLE_EQ(b[2].tmpoTardio, 0.5);
    EXPECT_DOUBLE_EQ(b[2].indFlotamiento, -0.5);
}

TEST(PertServicio, ZeroServiceRateOfADurationFails) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();
    // With the centre as start, INICIO (Mu 0) becomes a node with a duration.
    EXPECT_THROW(CalcularPERTServicio(red, 2, 3), ErrorAritmetico);
    EXPECT_EQ(red.NodoInicio, 2);
    EXPECT_NO_THROW(CalcularPERT(red, 2, 3));
}

// A float that is zero only up to the rounding of times summed along
// different paths is still critical; a real float of 1e-6 is not.
TEST(Criticidad, NonIntegerTimesOnTheCriticalPath) {
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = ConW(b, "A", 0.1), bb = ConW(b, "B", 0.2), c = ConW(b, "C", 0.7),
         d = ConW(b, "D", 0.3), e = ConW(b, "E", 0.7), f = b.Fin();
    b.Conectar(i, a);
    b.Conectar(a, bb);
    b.Conectar(bb, c);
    b.Conectar(c, f);
    b.Conectar(i, d);
    b.Conectar(d, e);
    b.Conectar(e, f);
    EXPECT_DOUBLE_EQ(CalcularPERT(red, i, f), 1.0);
    bool algunoNoNulo = false;
    for (std::int16_t p : {a, bb, c, d, e}) {
        EXPECT_TRUE(EsCritico(b[p])) << b[p].Nombre << " flotamiento " << b[p].indFlotamiento;
        algunoNoNulo = algunoNoNulo || b[p].indFlotamiento != 0.0;
    }
    EXPECT_TRUE(algunoNoNulo) << "the network no longer exercises rounding";
}

TEST(Criticidad, SmallRealFloatIsNotCritical) {
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = ConW(b, "A", 1.0), bb = ConW(b, "B", 0.999999), f = b.Fin();
    b.Conectar(i, a);
    b.Conectar(i, bb);
    b.Conectar(a, f);
    b.Conectar(bb, f);
    CalcularPERT(red, i, f);
    EXPECT_NEAR(b[bb].indFlotamiento, 1e-6, 1e-12);
    EXPECT_FALSE(EsCritico(b[bb]));
    EXPECT_TRUE(EsCritico(b[a]));
}

// A centre the PERT never reached keeps a float of 0 from before, but is not
// on any path: it must not be drawn or reported as critical.
TEST(Criticidad, OnlyNodesInThePertAreCritical) {
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = ConW(b, "A", 1.0), suelto = ConW(b, "Suelto", 1.0), f = b.Fin();
    b.Conectar(i, a);
    b.Conectar(a, f);
    CalcularPERT(red, i, f);
    EXPECT_TRUE(EsCritico(b[a]));
    EXPECT_EQ(b[suelto].indFlotamiento, 0.0);
    EXPECT_FALSE(EsCritico(b[suelto]));
}

TEST(Pert, LongChainDoesNotExhaustTheStack) {
    constexpr int kCentros = 30000;
    Red red;
    ConstructorRed b(red);
    red.Centros.Reservar(kCentros + 2);
    std::int16_t anterior = b.Inicio();
    for (int k = 0; k < kCentros; ++k) {
        const std::int16_t c = b.Nodo("C");  // W = 1
        b.Conectar(anterior, c);
        anterior = c;
    }
    const std::int16_t f = b.Fin();
    b.Conectar(anterior, f);
    EXPECT_DOUBLE_EQ(CalcularPERT(red, 1, f), kCentros);
    for (int p = 2; p <= kCentros + 1; ++p) {
        ASSERT_DOUBLE_EQ(red.Centros(p).tmpoTemprano, p - 2) << p;
        ASSERT_EQ(red.Centros(p).indFlotamiento, 0.0) << p;
    }
}

// The passes exactly as defined, recursive, as the reference.
struct PertRecursivo {
    Red& red;

    void Temprano(std::int16_t pos) {
        CentroProductivo& c = red.Centros(pos);
        c.TempranoWH = true;
        c.tmpoTemprano = 0;
        for (int i = 0; i <= c.tamEE; ++i) {
            const double t = red.Conexiones(c.Entrada(i)).TiempoTotal;
            if (t > c.tmpoTemprano) c.tmpoTemprano = t;
        }
        for (int i = 0; i <= c.tamSE; ++i) {
            linea& l = red.Conexiones(c.SalidaLista(i));
            CentroProductivo& t = red.Centros(l.CentroFin);
            t.g_E--;
            if (c.posicion != red.NodoInicio)
                l.TiempoTotal = l.TiempoTotal + c.tmpoTemprano;
            else
                l.TiempoTotal = 0;
            if (t.g_E == 0) Temprano(t.posicion);
        }
    }

    void Tardio(std::int16_t pos) {
        CentroProductivo& c = red.Centros(pos);
        c.tardioWH = true;
        if (c.posicion != red.NodoFin) {
            for (int i = 0; i <= c.tamSE; ++i) {
                const CentroProductivo& t = red.Centros(red.Conexiones(c.SalidaLista(i)).CentroFin);
                const double ls = t.posicion == red.NodoFin ? t.tmpoTardio : t.tmpoTardio - t.W;
                if (i == 0 || ls < c.tmpoTardio) c.tmpoTardio = ls;
            }
        }
        for (int i = 0; i <= c.tamEE; ++i) {
            CentroProductivo& s = red.Centros(red.Conexiones(c.Entrada(i)).CentroInicio);
            s.g_S--;
            if (s.g_S == 0) Tardio(s.posicion);
        }
        c.indFlotamiento = c.tmpoTardio - (c.W + c.tmpoTemprano);
    }

    double Calcular(std::int16_t inicio, std::int16_t fin, bool usarW) {
        red.NodoInicio = inicio;
        red.NodoFin = fin;
        IniciarPERT(red, usarW);
        Temprano(inicio);
        CentroProductivo& e = red.Centros(fin);
        e.tmpoTardio = e.tmpoTemprano;
        e.indFlotamiento = 0;
        const double r = e.tmpoTardio;
        Tardio(fin);
        return r;
    }
};

void MismosCampos(const Red& esperado, const Red& obtenido) {
    for (int p = 1; p <= esperado.Centros.Count(); ++p) {
        SCOPED_TRACE(p);
        const CentroProductivo& e = esperado.Centros(p);
        const CentroProductivo& o = obtenido.Centros(p);
        EXPECT_EQ(o.tmpoTemprano, e.tmpoTemprano);
        EXPECT_EQ(o.tmpoTardio, e.tmpoTardio);
        EXPECT_EQ(o.indFlotamiento, e.indFlotamiento);
        EXPECT_EQ(o.g_E, e.g_E);
        EXPECT_EQ(o.g_S, e.g_S);
        EXPECT_EQ(o.TempranoWH, e.TempranoWH);
        EXPECT_EQ(o.tardioWH, e.tardioWH);
    }
    for (int k = 1; k <= esperado.Conexiones.Count(); ++k)
        EXPECT_EQ(obtenido.Conexiones(k).TiempoTotal, esperado.Conexiones(k).TiempoTotal)
            << "conexión " << k;
}

TEST(PertReferencia, EqualsRecursivePassesOnRandomNetworks) {
    for (unsigned semilla = 1; semilla <= 400; ++semilla) {
        SCOPED_TRACE(semilla);
        for (bool usarW : {true, false}) {
            Red lineal, referencia;
            prueba::RedAleatoria(lineal, semilla);
            prueba::RedAleatoria(referencia, semilla);
            // Any pair of nodes, including a start with predecessors, an end
            // before the start, or both the same.
            std::mt19937 gen(semilla * 7919u);
            std::uniform_int_distribution<int> nodo(1, lineal.Centros.Count());
            const auto inicio = static_cast<std::int16_t>(semilla % 3 == 0 ? nodo(gen) : 1);
            const auto fin =
                static_cast<std::int16_t>(semilla % 3 == 0 ? nodo(gen) : lineal.NodoFin);
            double esperado = 0, obtenido = 0;
            bool fallaEsperada = false, fallaObtenida = false;
            try {
                esperado = PertRecursivo{referencia}.Calcular(inicio, fin, usarW);
            } catch (const ErrorAritmetico&) {
                fallaEsperada = true;
            }
            try {
                obtenido = usarW ? CalcularPERT(lineal, inicio, fin)
                                 : CalcularPERTServicio(lineal, inicio, fin);
            } catch (const ErrorAritmetico&) {
                fallaObtenida = true;
            }
            ASSERT_EQ(fallaObtenida, fallaEsperada);
            if (fallaEsperada) continue;
            EXPECT_EQ(obtenido, esperado);
            MismosCampos(referencia, lineal);
        }
    }
}

}  // namespace
}  // namespace vortena
