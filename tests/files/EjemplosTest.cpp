// The networks shipped in examples/: they are made here with the editor's
// own operations and the program's writer, and every one must open, write
// back to the same bytes, propagate and compute without a message.
//
// To rewrite them: test_files --gtest_also_run_disabled_tests
//                  --gtest_filter='*DISABLED_EscribirEjemplos'

#include <gtest/gtest.h>

#include <functional>

#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "files/ArchivoRed.h"
#include "files/PruebaArchivos.h"
#include "support/DocumentoFalso.h"

namespace vortena {
namespace {

const std::string kCarpeta = std::string(VORTENA_SOURCE_DIR) + "/examples/";

// Places nodes and draws connections as the user would with the tools.
class Dibujante {
public:
    explicit Dibujante(Red& red) : red_(red) {}

    std::int16_t Inicio(float x, float y) { return Colocar(x, y, 2); }
    std::int16_t Fin(float x, float y, double salida) {
        const auto p = Colocar(x, y, 3);
        red_.Centros(p).Salida = salida;
        return p;
    }
    // A centre already fed at rate λ with exponential times, servers and costs set.
    std::int16_t Centro(float x, float y, const std::string& nombre, double lamda, double mu,
                        int servidores, double costoEspera, double costoCentro) {
        const auto p = Colocar(x, y, 1);
        CentroProductivo& c = red_.Centros(p);
        c.Nombre = nombre;
        c.Lamda = lamda;
        c.Mu = mu;
        c.Servidores = static_cast<std::int16_t>(servidores);
        c.ActDesvLamda();
        c.ActDesvMu();
        c.CostoEspera = costoEspera;
        c.CostoCentro = costoCentro;
        return p;
    }
    void Unir(std::int16_t a, std::int16_t b, double multiplicador = 1.0) {
        const CentroProductivo& x = red_.Centros(a);
        const CentroProductivo& y = red_.Centros(b);
        const int antes = red_.Conexiones.Count();
        ed_.ConectarCentros((x.x1 + x.x2) / 2, (x.y1 + x.y2) / 2, (y.x1 + y.x2) / 2,
                            (y.y1 + y.y2) / 2, 1);
        if (red_.Conexiones.Count() != antes + 1) throw std::logic_error("conexión rechazada");
        red_.Conexiones(antes + 1).multiplicador = multiplicador;
    }
    void Extremos(std::int16_t inicio, std::int16_t fin) {
        red_.NodoInicio = inicio;
        red_.NodoFin = fin;
    }

private:
    std::int16_t Colocar(float x, float y, std::uint8_t tipo) {
        ed_.ColocarCentro(x, y, tipo);
        return static_cast<std::int16_t>(red_.Centros.Count());
    }
    Red& red_;
    prueba::SuperficieGrabada sup_;
    prueba::MensajesGrabados msj_;
    Editor ed_{red_, sup_, msj_, Regional::Espanol()};
};

void Cadena(Red& red) {
    // Every centre of a chain carries the line's output.
    Dibujante d(red);
    const auto i = d.Inicio(500, 1150);
    const auto a = d.Centro(2500, 1000, "Corte", 8, 3, 3, 4, 25);
    const auto b = d.Centro(4500, 1000, "Soldadura", 8, 5, 2, 4, 40);
    const auto c = d.Centro(6500, 1000, "Pintura", 8, 2.5, 4, 6, 30);
    const auto e = d.Centro(8500, 1000, "Embalaje", 8, 10, 1, 2, 15);
    const auto f = d.Fin(10500, 1150, 8);
    d.Unir(i, a);
    d.Unir(a, b);
    d.Unir(b, c, 0.95);
    d.Unir(c, e);
    d.Unir(e, f);
    d.Extremos(i, f);
}

void DivisionYUnion(Red& red) {
    // Reception splits the flow 60/40 over two machining routes that meet
    // again at assembly.
    Dibujante d(red);
    const auto i = d.Inicio(500, 2650);
    const auto r = d.Centro(2500, 2500, "Recepción", 10, 12, 1, 2, 20);
    const auto t = d.Centro(4500, 1000, "Torneado", 6, 2, 4, 5, 45);
    const auto m = d.Centro(4500, 4000, "Fresado", 4, 1.5, 3, 5, 50);
    const auto a = d.Centro(6500, 2500, "Montaje", 10, 4, 3, 3, 30);
    const auto c = d.Centro(8500, 2500, "Control", 10, 6, 2, 3, 35);
    const auto f = d.Fin(10500, 2650, 10);
    d.Unir(i, r);
    d.Unir(r, t, 0.6);
    d.Unir(r, m, 0.4);
    d.Unir(t, a);
    d.Unir(m, a);
    d.Unir(a, c);
    d.Unir(c, f);
    d.Extremos(i, f);
}

void Planta20(Red& red) {
    // A plant of 20 centres making 30 units an hour: receiving and incoming
    // inspection, three part routes (sheet metal 50 %, machining 30 %,
    // moulding 20 %), then assembly, painting, testing and dispatch.
    // Rates per hour, costs in money per hour.
    Dibujante d(red);
    const auto ini = d.Inicio(500, 4150);
    const auto rec = d.Centro(2000, 4000, "Recepción", 30, 40, 1, 1.5, 18);
    const auto ins = d.Centro(3500, 4000, "Inspección", 30, 12, 3, 2, 22);
    const auto cor = d.Centro(5000, 1000, "Corte", 15, 6, 3, 3, 35);
    const auto ple = d.Centro(6500, 1000, "Plegado", 15, 8, 2, 3, 30);
    const auto sol = d.Centro(8000, 1000, "Soldadura", 15, 4, 4, 4, 42);
    const auto tor = d.Centro(5000, 4000, "Torneado", 9, 3.5, 3, 4, 48);
    const auto fre = d.Centro(6500, 4000, "Fresado", 9, 2.5, 4, 4, 55);
    const auto rct = d.Centro(8000, 4000, "Rectificado", 9, 5, 2, 4, 60);
    const auto iny = d.Centro(5000, 7000, "Inyección", 6, 4, 2, 3, 50);
    const auto reb = d.Centro(6500, 7000, "Rebabado", 6, 9, 1, 2, 18);
    const auto mon = d.Centro(9500, 4000, "Montaje", 30, 5, 7, 5, 28);
    const auto lav = d.Centro(11000, 4000, "Lavado", 30, 35, 1, 2, 20);
    const auto pin = d.Centro(12500, 4000, "Pintura", 30, 16, 2, 6, 45);
    const auto sec = d.Centro(14000, 4000, "Secado", 30, 12, 3, 3, 25);
    const auto cal = d.Centro(15500, 4000, "Control", 30, 20, 2, 6, 32);
    const auto ens = d.Centro(17000, 4000, "Ensamble", 30, 7, 5, 5, 30);
    const auto pru = d.Centro(18500, 4000, "Prueba", 30, 11, 3, 6, 38);
    const auto emb = d.Centro(20000, 4000, "Embalaje", 30, 18, 2, 2, 16);
    const auto eti = d.Centro(21500, 4000, "Etiquetado", 30, 45, 1, 2, 12);
    const auto exp = d.Centro(23000, 4000, "Expedición", 30, 25, 2, 3, 20);
    const auto fin = d.Fin(24500, 4150, 30);
    d.Unir(ini, rec);
    d.Unir(rec, ins);
    d.Unir(ins, cor, 0.5);
    d.Unir(ins, tor, 0.3);
    d.Unir(ins, iny, 0.2);
    d.Unir(cor, ple);
    d.Unir(ple, sol);
    d.Unir(tor, fre);
    d.Unir(fre, rct);
    d.Unir(iny, reb);
    d.Unir(sol, mon);
    d.Unir(rct, mon);
    d.Unir(reb, mon);
    for (auto [a, b] : {std::pair{mon, lav}, {lav, pin}, {pin, sec}, {sec, cal}, {cal, ens},
                        {ens, pru}, {pru, emb}, {emb, eti}, {eti, exp}, {exp, fin}})
        d.Unir(a, b);
    d.Extremos(ini, fin);
}

void Desviaciones(Red& red) {
    // Arrivals in batches (more variable than exponential), a press with an
    // almost constant cycle, an oven with a fixed cycle, manual inspection
    // with a widely spread time.
    Dibujante d(red);
    const auto i = d.Inicio(500, 1150);
    const auto p = d.Centro(2500, 1000, "Prensa", 5, 6, 1, 3, 30);
    const auto h = d.Centro(4500, 1000, "Horno", 5, 2, 3, 2, 20);
    const auto c = d.Centro(6500, 1000, "Inspección", 5, 4, 2, 4, 25);
    const auto f = d.Fin(8500, 1150, 5);
    red.Centros(p).Desvlamda = 0.4;   // coefficient of variation 2
    red.Centros(p).DesvMu = 0.02;     // 0.12
    red.Centros(h).Desvlamda = 0.15;  // 0.75
    red.Centros(h).DesvMu = 0;        // deterministic
    red.Centros(c).Desvlamda = 0.2;   // 1.0
    red.Centros(c).DesvMu = 0.375;    // 1.5
    d.Unir(i, p);
    d.Unir(p, h);
    d.Unir(h, c);
    d.Unir(c, f);
    d.Extremos(i, f);
}

struct Ejemplo {
    const char* archivo;
    std::function<void(Red&)> construir;
    bool tasasPropagadas;  // the stored rates are those the propagation gives
};

void PrintTo(const Ejemplo& e, std::ostream* os) { *os << e.archivo; }

const std::vector<Ejemplo> kEjemplos = {
    {"nuevo.vtq", prueba::RedNueva, false},
    {"cadena.vtq", Cadena, true},
    {"division-y-union.vtq", DivisionYUnion, true},
    {"planta-20-centros.vtq", Planta20, true},
    {"desviaciones.vtq", Desviaciones, true},
};

TEST(Ejemplos, DISABLED_EscribirEjemplos) {
    for (const Ejemplo& e : kEjemplos) {
        Red red;
        e.construir(red);
        prueba::DocumentoFalso doc;
        GuardarRed(red, kCarpeta + e.archivo, Regional::Espanol(), doc);
    }
}

class Ejemplos : public ::testing::TestWithParam<Ejemplo> {
protected:
    Red red;
    prueba::DocumentoFalso doc;
    prueba::MensajesGrabados msj;
    std::string Ruta() const { return kCarpeta + GetParam().archivo; }
};

TEST_P(Ejemplos, IsTheNetworkItsBuilderMakes) {
    GetParam().construir(red);
    EXPECT_EQ(prueba::LeerArchivo(Ruta()), EscribirRed(red, Regional::Espanol()));
}

TEST_P(Ejemplos, OpensComputesAndPropagatesWithoutMessages) {
    AbrirRed(red, Ruta(), doc);
    CalcularRed(red, msj, doc);
    EXPECT_TRUE(msj.vistos.empty()) << msj.vistos.front().texto;
    const std::vector<double> antes = [&] {
        std::vector<double> l;
        for (const auto& c : red.Centros) l.push_back(c.Lamda);
        return l;
    }();
    PropagarFlujo(red, doc);
    CalcularRed(red, msj, doc);
    ServidoresOptimosRed(red, msj, doc);
    CalcularRed(red, msj, doc);
    EXPECT_TRUE(msj.vistos.empty()) << msj.vistos.front().texto;
    if (!GetParam().tasasPropagadas) return;
    for (int k = 1; k <= red.Centros.Count(); ++k)
        EXPECT_NEAR(red.Centros(k).Lamda, antes[static_cast<std::size_t>(k - 1)], 1e-9)
            << red.Centros(k).Nombre;
}

INSTANTIATE_TEST_SUITE_P(Archivos, Ejemplos, ::testing::ValuesIn(kEjemplos), [](const auto& i) {
    std::string n = i.param.archivo;
    n = n.substr(0, n.find('.'));
    for (char& c : n)
        if (c == '-') c = '_';
    return n;
});

}  // namespace
}  // namespace vortena
