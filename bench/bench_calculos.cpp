// Queue measures of one centre: the default centre and a 40-server one.

#include <benchmark/benchmark.h>

#include <string>

#include "model/CentroProductivo.h"

namespace {

class Silencio : public vortena::Mensajes {
public:
    vortena::Respuesta Mostrar(const std::string&, const std::string&, vortena::Botones,
                               vortena::Icono) override {
        return vortena::Respuesta::Aceptar;
    }
};

void Medir(benchmark::State& state, double lamda, double mu, int servidores) {
    vortena::CentroProductivo c;
    c.predeterminado();
    c.Lamda = lamda;
    c.Mu = mu;
    c.Servidores = static_cast<std::int16_t>(servidores);
    c.Desvlamda = 1 / lamda;
    c.DesvMu = 1 / mu;
    Silencio silencio;
    bool error = false;
    for (auto _ : state) {
        c.Calculos(error, silencio);
        benchmark::DoNotOptimize(c.L);
        benchmark::DoNotOptimize(c.MaximaCola);
    }
    if (error) state.SkipWithError("Calculos failed");
}

void BM_CalculosPredeterminado(benchmark::State& state) {
    Medir(state, 1, 2, 1);
}
void BM_Calculos40Servidores(benchmark::State& state) {
    Medir(state, 70, 2, 40);
}

}  // namespace

BENCHMARK(BM_CalculosPredeterminado);
BENCHMARK(BM_Calculos40Servidores);
