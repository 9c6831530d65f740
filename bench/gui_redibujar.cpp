// A full redraw of a large network on the real canvas surface (QPainter on
// the 32000-twip image), offscreen. Target: 2,000 centres and 4,000
// connections within 30 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdint>

#include "editor/Editor.h"
#include "editor/gui/Escala.h"
#include "editor/gui/SuperficieQt.h"
#include "model/Red.h"

namespace {

using namespace vortena;

class Silencio : public Mensajes {
public:
    Respuesta Mostrar(const std::string&, const std::string&, Botones, Icono) override {
        return Respuesta::Aceptar;
    }
};

void AsegurarAplicacion() {
    // Kept to the end of the process on purpose: destroying it among the
    // other statics at exit is not safe.
    static QApplication* app = nullptr;
    if (app != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nombre[] = "vortena_bench_gui";
    static char* argv[] = {nombre, nullptr};
    app = new QApplication(argc, argv);
}

// INICIO, 40 columns of 50 centres spread over the whole canvas, FIN; each
// centre feeds two of the next column: 50 + 39 * 50 * 2 + 50 = 4,000
// connections.
void RedGrande(Red& red) {
    constexpr int kColumnas = 40, kFilas = 50;
    auto nodo = [&](const char* nombre, float x, float y, bool centro) -> std::int16_t {
        CentroProductivo& c = red.Centros.Agregar();
        if (centro) c.predeterminado();
        c.Nombre = nombre;
        c.posicion = static_cast<std::int16_t>(red.Centros.Count());
        c.x1 = x;
        c.y1 = y;
        c.x2 = x + 1000;
        c.y2 = y + (centro ? 1000.f : 700.f);
        c.tamEE = -1;
        c.tamSE = -1;
        return c.posicion;
    };
    auto conectar = [&](std::int16_t a, std::int16_t b) {
        CentroProductivo& s = red.Centros(a);
        CentroProductivo& e = red.Centros(b);
        linea& l = red.Conexiones.Agregar();
        l.posicion = static_cast<std::int16_t>(red.Conexiones.Count());
        l.CentroInicio = a;
        l.CentroFin = b;
        l.x1 = s.x2;
        l.y1 = s.y1 + 500;
        l.x2 = e.x1 - 160;
        l.y2 = e.y1 + 500;
        s.AgregarSalida(l.posicion);
        e.AgregarEntrada(l.posicion);
    };
    const std::int16_t inicio = nodo("INICIO", 100, 15000, false);
    auto centro = [](int col, int fila) {
        return static_cast<std::int16_t>(2 + col * kFilas + fila);
    };
    for (int col = 0; col < kColumnas; ++col)
        for (int fila = 0; fila < kFilas; ++fila)
            nodo("Sin nombre", 800.f + 765.f * col, 200.f + 620.f * fila, true);
    const std::int16_t fin = nodo("FIN", 31000, 15000, false);
    red.Centros(fin).Salida = 20;
    for (int fila = 0; fila < kFilas; ++fila) conectar(inicio, centro(0, fila));
    for (int col = 0; col + 1 < kColumnas; ++col)
        for (int fila = 0; fila < kFilas; ++fila) {
            conectar(centro(col, fila), centro(col + 1, fila));
            conectar(centro(col, fila), centro(col + 1, (fila + 1) % kFilas));
        }
    for (int fila = 0; fila < kFilas; ++fila) conectar(centro(kColumnas - 1, fila), fin);
    red.NodoInicio = inicio;
    red.NodoFin = fin;
    red.MostrarCriticos = true;
}

void BM_RedibujarTodo(benchmark::State& state) {
    AsegurarAplicacion();
    Red red;
    RedGrande(red);
    QImage imagen(kLadoLienzoPixeles, kLadoLienzoPixeles, QImage::Format_RGB32);
    SuperficieQt sup(imagen, FuenteLienzo(QApplication::font()));
    Silencio silencio;
    Editor editor(red, sup, silencio, Regional::Espanol());
    for (auto _ : state) {
        editor.RedibujarTodo();
        sup.Terminar();
        benchmark::DoNotOptimize(imagen.constBits());
    }
    state.counters["centros"] = red.Centros.Count() - 2;
    state.counters["conexiones"] = red.Conexiones.Count();
}
BENCHMARK(BM_RedibujarTodo)->Unit(benchmark::kMillisecond);

}  // namespace
