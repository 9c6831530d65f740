// Every network the program can hold survives a save and a reopen: random
// networks, random edits of every field the file keeps (extreme magnitudes
// included), before and after the network computation, in both locales.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "compute/RedesAleatorias.h"
#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

class Azar {
public:
    explicit Azar(unsigned semilla) : gen_(semilla) {}
    int Entero(int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen_); }
    // Ordinary values most of the time, the extremes a real file may hold
    // the rest: huge, tiny, subnormal, negative, thirds.
    double Real(bool extremos) {
        if (!extremos || Entero(0, 2) > 0)
            return std::uniform_real_distribution<double>(0.01, 50.0)(gen_);
        // The largest value whose 15 digits do not round beyond the range.
        constexpr double kMax = 1.79769313486231e308;
        switch (Entero(0, 6)) {
            case 0:
                return std::pow(10.0, Entero(-300, 300));
            case 1:
                return -std::pow(10.0, Entero(-300, 300)) / 3;
            case 2:
                return std::numeric_limits<double>::denorm_min() * Entero(1, 1000);
            case 3:
                return Entero(0, 1) ? kMax : -kMax;
            case 4:
                return 0.0;
            case 5:
                return 1.0 / 3.0;
            default:
                return std::ldexp(1.0, Entero(-1070, 1020));
        }
    }
    float Coordenada(bool extremos) {
        if (extremos && Entero(0, 9) == 0)
            return Entero(0, 1) ? std::numeric_limits<float>::max() : -1e-30f;
        return std::uniform_real_distribution<float>(0, 30000)(gen_);
    }
    std::string Texto() {
        static const char* const kTextos[] = {
            "",  "Prensa", "Año ñandú", "€ Œ š Ÿ",     "a|b%c",
            "@", "$",      "%",         "  blancos  ", "¿Qué? ¡Sí!"};
        return kTextos[Entero(0, static_cast<int>(std::size(kTextos)) - 1)];
    }

private:
    std::mt19937 gen_;
};

void EditarAlAzar(Red& red, Azar& az, bool extremos) {
    for (int n = az.Entero(0, 40); n > 0; --n) {
        if (az.Entero(0, 4) == 0 && red.Conexiones.Count() > 0) {
            linea& l =
                red.Conexiones(static_cast<std::int16_t>(az.Entero(1, red.Conexiones.Count())));
            l.multiplicador = extremos ? az.Real(true) : az.Real(false) / 25;
            l.x1 = az.Coordenada(extremos);
            l.y2 = az.Coordenada(extremos);
            continue;
        }
        CentroProductivo& c =
            red.Centros(static_cast<std::int16_t>(az.Entero(1, red.Centros.Count())));
        switch (az.Entero(0, 9)) {
            case 0:
                c.Lamda = az.Real(extremos);
                break;
            case 1:
                c.Mu = az.Real(extremos);
                break;
            case 2:
                c.Desvlamda = az.Real(extremos);
                break;
            case 3:
                c.DesvMu = az.Real(extremos);
                break;
            case 4:
                c.CostoEspera = az.Real(extremos), c.CostoCentro = az.Real(extremos);
                break;
            case 5:
                c.Probabilidad = az.Real(extremos);
                break;
            case 6:
                if (extremos) c.Servidores = static_cast<std::int16_t>(az.Entero(-32768, 32767));
                break;
            case 7:
                c.x1 = az.Coordenada(extremos), c.y1 = az.Coordenada(extremos);
                c.x2 = az.Coordenada(extremos), c.y2 = az.Coordenada(extremos);
                break;
            case 8:
                // Names take part in the computations (INICIO, FIN): only
                // the centres' own ones change.
                if (c.EsCentro()) c.Nombre = az.Texto();
                break;
            default:
                c.Descripción = az.Texto();
                break;
        }
    }
}

bool Cerca(double a, double b) {
    return a == b || std::fabs(a - b) <= 1e-14 * std::fabs(a);
}
bool Cerca(float a, float b) {
    return a == b || std::fabs(a - b) <= 1e-6f * std::fabs(a);
}

// Saves, reopens, and checks every kept field against the original.
void IdaYVuelta(const Red& red, const Regional& reg) {
    std::string escrito;
    try {
        escrito = EscribirRed(red, reg);
    } catch (const ErrorArchivo& e) {
        FAIL() << "no se pudo guardar: " << e.what();
    }
    Red leida;
    try {
        LeerRed(escrito, leida);
    } catch (const ErrorArchivo& e) {
        FAIL() << "el archivo guardado no abre: " << e.what() << "\n" << escrito;
    }
    EXPECT_EQ(EscribirRed(leida, reg), escrito);
    ASSERT_EQ(leida.Centros.Count(), red.Centros.Count());
    ASSERT_EQ(leida.Conexiones.Count(), red.Conexiones.Count());
    EXPECT_EQ(leida.NodoInicio, red.NodoInicio);
    EXPECT_EQ(leida.NodoFin, red.NodoFin);
    for (std::int16_t i = 1; i <= red.Centros.Count(); ++i) {
        const CentroProductivo& a = red.Centros(i);
        const CentroProductivo& b = leida.Centros(i);
        for (auto [x, y] : {std::pair{a.Lamda, b.Lamda},
                            {a.Mu, b.Mu},
                            {a.Desvlamda, b.Desvlamda},
                            {a.DesvMu, b.DesvMu},
                            {a.Probabilidad, b.Probabilidad},
                            {a.CostoEspera, b.CostoEspera},
                            {a.CostoCentro, b.CostoCentro},
                            {a.Salida, b.Salida}})
            EXPECT_TRUE(Cerca(x, y)) << "nodo " << i << ": " << x << " -> " << y;
        for (auto [x, y] : {std::pair{a.x1, b.x1}, {a.x2, b.x2}, {a.y1, b.y1}, {a.y2, b.y2}})
            EXPECT_TRUE(Cerca(x, y)) << "nodo " << i << ": " << x << " -> " << y;
        EXPECT_EQ(b.Servidores, a.Servidores);
        EXPECT_EQ(b.Nombre, a.Nombre);
        EXPECT_EQ(b.Descripción, a.Descripción);
        ASSERT_EQ(b.tamEE, a.tamEE);
        ASSERT_EQ(b.tamSE, a.tamSE);
        for (int e = 0; e <= a.tamEE; ++e) EXPECT_EQ(b.Entrada(e), a.Entrada(e));
        for (int e = 0; e <= a.tamSE; ++e) EXPECT_EQ(b.SalidaLista(e), a.SalidaLista(e));
    }
    for (std::int16_t j = 1; j <= red.Conexiones.Count(); ++j) {
        EXPECT_TRUE(Cerca(red.Conexiones(j).multiplicador, leida.Conexiones(j).multiplicador));
        EXPECT_EQ(leida.Conexiones(j).CentroInicio, red.Conexiones(j).CentroInicio);
        EXPECT_EQ(leida.Conexiones(j).CentroFin, red.Conexiones(j).CentroFin);
    }
}

class IdaYVueltaAlAzar : public ::testing::TestWithParam<unsigned> {};

TEST_P(IdaYVueltaAlAzar, EditedNetworksReopenAsTheyWere) {
    for (unsigned k = 0; k < 25; ++k) {
        const unsigned semilla = GetParam() * 1000 + k;
        SCOPED_TRACE(semilla);
        Red red;
        prueba::RedAleatoria(red, semilla);
        Azar az(semilla);
        EditarAlAzar(red, az, true);
        IdaYVuelta(red, Regional::Espanol());
        IdaYVuelta(red, Regional::Ingles());
    }
}

// The computation fills rates, deviations and times; what it leaves must be
// saved and open again.
TEST_P(IdaYVueltaAlAzar, ComputedNetworksReopenAsTheyWere) {
    for (unsigned k = 0; k < 25; ++k) {
        const unsigned semilla = GetParam() * 1000 + k;
        SCOPED_TRACE(semilla);
        Red red;
        prueba::RedAleatoria(red, semilla);
        Azar az(semilla);
        EditarAlAzar(red, az, false);
        prueba::MensajesGrabados mensajes;
        prueba::DocumentoFalso doc;
        PropagarFlujo(red, doc);
        CalcularRed(red, mensajes, doc);
        IdaYVuelta(red, Regional::Espanol());
    }
}

INSTANTIATE_TEST_SUITE_P(Semillas, IdaYVueltaAlAzar, ::testing::Values(1u, 2u, 3u, 4u));

TEST(Escritor, RefusesNaNAndInfinityNamingTheNodeAndField) {
    for (double malo :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        Red r;
        prueba::RedAleatoria(r, 7);
        r.Centros(2).DesvMu = malo;
        try {
            EscribirRed(r, Regional::Espanol());
            ADD_FAILURE() << "escrito con " << malo;
        } catch (const ErrorArchivo& e) {
            EXPECT_EQ(std::string(e.what()),
                      "el nodo 2 (" + r.Centros(2).Nombre +
                          ") tiene DesvMu no numérico (NaN o infinito); la red no se puede "
                          "guardar así");
        }
    }
    Red red;
    prueba::RedAleatoria(red, 7);
    // 15 digits of the largest double round beyond the range: "Inf" on reading.
    red.Centros(2).Mu = std::numeric_limits<double>::max();
    try {
        EscribirRed(red, Regional::Espanol());
        ADD_FAILURE() << "escrito con el mayor double";
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(std::string(e.what()), "el nodo 2 (" + red.Centros(2).Nombre +
                                             ") tiene Mu demasiado grande para el archivo; la "
                                             "red no se puede guardar así");
    }
    red.Centros(2).Mu = 1.79769313486231e308;
    EXPECT_NO_THROW(EscribirRed(red, Regional::Espanol()));
    red.Conexiones(1).multiplicador = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(EscribirRed(red, Regional::Ingles()), ErrorArchivo);
    red.Conexiones(1).multiplicador = 1;
    red.Centros(1).x2 = std::numeric_limits<float>::infinity();
    EXPECT_THROW(EscribirRed(red, Regional::Ingles()), ErrorArchivo);
}

}  // namespace
}  // namespace vortena
