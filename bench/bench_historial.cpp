// Undo and redo on the 10,000-centre layered network: the time of one undo
// and one redo for each kind of step, the cost of recording a step, and the
// memory a full history of 100 mixed steps holds.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <functional>
#include <string>

#include "RedEnCapas.h"
#include "Silenciosos.h"
#include "compute/Dimensionamiento.h"
#include "editor/Editor.h"
#include "model/Historial.h"

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

constexpr int kCapas = 100, kAncho = 100;

// A centre in the middle of the network: deleting it renumbers about half
// of the centres and connections.
constexpr std::int16_t kMedio = 2 + (kCapas / 2) * kAncho + kAncho / 2;

struct Banco {
    Red red = RedEnCapas(kCapas, kAncho, 3);
    SinDibujo sup;
    MensajesContados msj;
    DocumentoMudo doc;
    Editor ed{red, sup, msj, Regional::Ingles()};
    Historial h;
};

// The kinds of step measured, each one action on the network.
void Mover(Banco& b, int i) {
    b.red.CentroActual = static_cast<std::int16_t>(kMedio + i % 50);
    b.ed.MoverCentro(static_cast<float>(200 + 15 * (i % 40)), 600);
}
void Eliminar(Banco& b, int i) {
    b.red.CentroActual = static_cast<std::int16_t>(kMedio + i % 50);
    b.ed.EliminarSeleccion(1);
}
void Propiedades(Banco& b, int i) {
    CentroProductivo& c = b.red.Centros(kMedio + i % 50);
    c.Nombre = "Torno " + std::to_string(i);
    c.Mu += 0.5;
    c.Servidores = static_cast<std::int16_t>(c.Servidores + 1);
}
// Every centre's server count changes.
void ServidoresTodos(Banco& b, int i) {
    for (CentroProductivo& c : b.red.Centros)
        if (c.EsCentro()) c.Servidores = static_cast<std::int16_t>(1 + (i + c.posicion) % 3);
}

using Accion = void (*)(Banco&, int);

void DeshacerRehacer(benchmark::State& state, Accion accion) {
    Banco b;
    EnUnPaso(b.h, b.red, "paso", [&] { accion(b, 0); });
    if (b.h.Pasos() != 1) {
        state.SkipWithError("no step was recorded");
        return;
    }
    for (auto _ : state) {
        b.h.Deshacer(b.red);
        b.h.Rehacer(b.red);
    }
    state.counters["KB del paso"] = static_cast<double>(b.h.Bytes()) / 1024.0;
    // One undo and one redo per iteration.
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK_CAPTURE(DeshacerRehacer, Mover, Mover)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DeshacerRehacer, Eliminar, Eliminar)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DeshacerRehacer, Propiedades, Propiedades)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DeshacerRehacer, ServidoresTodos, ServidoresTodos)->Unit(benchmark::kMillisecond);

// Recording a step: the picture before the action and the comparison after
// it (the action itself is a one-centre move).
void BM_RegistrarPaso(benchmark::State& state) {
    Banco b;
    int i = 0;
    for (auto _ : state) EnUnPaso(b.h, b.red, "Mover", [&] { Mover(b, i++); });
}
BENCHMARK(BM_RegistrarPaso)->Unit(benchmark::kMillisecond);

std::size_t MemoriaEnUso() {
    return mallinfo2().uordblks;
}

// 100 mixed steps (moves, property dialogs, deletions, a change of every
// server count every tenth step), then all undone and all redone: heap
// growth held by the full history.
void BM_CienPasos(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Banco b;
        const std::size_t antes = MemoriaEnUso();
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i) {
            const Accion accion = i % 10 == 9  ? ServidoresTodos
                                  : i % 3 == 0 ? Eliminar
                                  : i % 3 == 1 ? Mover
                                               : Propiedades;
            EnUnPaso(b.h, b.red, "paso", [&] { accion(b, i); });
        }
        state.PauseTiming();
        const std::size_t lleno = MemoriaEnUso();
        while (b.h.Deshacer(b.red)) {
        }
        while (b.h.Rehacer(b.red)) {
        }
        state.counters["pasos"] = static_cast<double>(b.h.Pasos());
        state.counters["MB historial"] = static_cast<double>(b.h.Bytes()) / (1024.0 * 1024.0);
        state.counters["MB crecimiento"] =
            (static_cast<double>(lleno) - static_cast<double>(antes)) / (1024.0 * 1024.0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CienPasos)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
