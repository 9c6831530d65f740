// Adding a connection to a large network: hit tests of both points, the
// duplicate scan and the cycle search, on a surface that paints nothing.

#include <benchmark/benchmark.h>

#include "RedEnCapas.h"
#include "editor/Editor.h"

namespace {

using namespace vortena;

class SinDibujo : public Superficie {
public:
    void Limpiar() override {}
    void Linea(float, float, float, float, Color, int) override {}
    void Rectangulo(float, float, float, float, Color, int, bool) override {}
    void Texto(float, float, const std::string&) override {}
    float AnchoTexto(const std::string& t) override { return 90.0f * static_cast<float>(t.size()); }
    float AltoTexto(const std::string&) override { return 195; }
    void Imagen(Dibujo, float, float, float, float) override {}
};

class SinMensajes : public Mensajes {
public:
    int vistos = 0;
    Respuesta Mostrar(const std::string&, const std::string&, Botones, Icono) override {
        ++vistos;
        return Respuesta::Aceptar;
    }
};

constexpr int kCapas = 100, kAncho = 100;

// Middle of the box of centre j in layer k, as RedEnCapas lays them out.
float X(int k) {
    return 500.0f + 1500.0f * static_cast<float>(k + 1) + 500.0f;
}
float Y(int j) {
    return 500.0f + 1200.0f * static_cast<float>(j) + 500.0f;
}

// Allowed: from layer 1 back to a centre of layer 0 that does not reach it.
// The cycle search walks everything downstream of layer 0.
void BM_ConectarAceptada(benchmark::State& state) {
    Red red = RedEnCapas(kCapas, kAncho, 3);
    SinDibujo sup;
    SinMensajes msj;
    Editor ed(red, sup, msj, Regional::Ingles());
    const int n = red.Conexiones.Count();
    for (auto _ : state) {
        ed.ConectarCentros(X(1), Y(0), X(0), Y(50), 1);
        state.PauseTiming();
        if (red.Conexiones.Count() != n + 1 || msj.vistos != 0) {
            state.SkipWithError("the connection was not added");
            break;
        }
        red.ConexionActual = static_cast<std::int16_t>(n + 1);
        ed.EliminarConexion();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConectarAceptada)->Unit(benchmark::kMicrosecond);

// Refused: from the last layer to the first closes a cycle through
// 3^99 paths; the search answers once.
void BM_ConectarCiclo(benchmark::State& state) {
    Red red = RedEnCapas(kCapas, kAncho, 3);
    SinDibujo sup;
    SinMensajes msj;
    Editor ed(red, sup, msj, Regional::Ingles());
    for (auto _ : state) ed.ConectarCentros(X(kCapas - 1), Y(0), X(0), Y(0), 1);
    if (msj.vistos != static_cast<int>(state.iterations()))
        state.SkipWithError("the cycle was not reported once per attempt");
}
BENCHMARK(BM_ConectarCiclo)->Unit(benchmark::kMicrosecond);

}  // namespace
