// Number text is produced for every centre label on each redraw, every line
// of the report and every real field of the network file.
#include <benchmark/benchmark.h>

#include <string>

#include "model/Numeros.h"

namespace {

using vortena::Regional;

const double kValores[] = {2.675, 0.125, 1.0 / 3, 123456.7, 20, 1e-16, 0.30000000000000004, 4.5e18};

void BM_Formato(benchmark::State& state) {
    const Regional reg = Regional::Espanol();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vortena::Formato(kValores[i++ & 7], "#0.00##", reg));
    }
}
BENCHMARK(BM_Formato);

void BM_TextoGeneral(benchmark::State& state) {
    const Regional reg = Regional::Espanol();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(vortena::TextoGeneral(kValores[i++ & 7], reg));
}
BENCHMARK(BM_TextoGeneral);

void BM_LeerNumero(benchmark::State& state) {
    const Regional reg = Regional::Espanol();
    const std::string textos[] = {"2,675", "1.234,5", "0,333333333333333", "1,5E-05"};
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(vortena::LeerNumero(textos[i++ & 3], reg));
}
BENCHMARK(BM_LeerNumero);

void BM_Val(benchmark::State& state) {
    const std::string textos[] = {"12", "3.7.1", "  -2", "1E3"};
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(vortena::Val(textos[i++ & 3]));
}
BENCHMARK(BM_Val);

}  // namespace
