// The program's start, timed from outside: from the process's start to the
// main window's first paint (the splash skipped), on the platform the
// environment gives. Target: within 0.5 s.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

void BM_VentanaPrincipalMostrada(benchmark::State& state) {
    const auto fijada = [](const char* variable) {
        const char* v = std::getenv(variable);
        return v != nullptr && *v != '\0';
    };
    // The platform the environment names, else offscreen when no display.
    const std::string plataforma =
        fijada("QT_QPA_PLATFORM") || fijada("DISPLAY") ? "" : "QT_QPA_PLATFORM=offscreen ";
    const std::string cmd =
        plataforma + "'" + VORTENA_PROGRAMA + "' --medir-arranque >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("vortena failed");
    }
}
BENCHMARK(BM_VentanaPrincipalMostrada)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
