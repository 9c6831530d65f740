// The batch tool's machine-readable table ("medidas") for the 10,000-centre
// layered network, computed once, then written again and again.

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

#include "RedEnCapas.h"
#include "Silenciosos.h"
#include "cli/Medidas.h"
#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"

namespace {

using namespace vortena;

// Standard output sent to /dev/null, without the system calls: counts the
// bytes and keeps none.
class Sumidero : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override {
        ++bytes;
        return traits_type::not_eof(c);
    }
};

void BM_MedidasEnCapas(benchmark::State& state) {
    Red red = RedEnCapas();
    MensajesContados msj;
    DocumentoMudo doc;
    PropagarFlujo(red, doc);
    CalcularRed(red, msj, doc);
    std::size_t bytes = 0;
    for (auto _ : state) {
        Sumidero sumidero;
        std::ostream out(&sumidero);
        calc::EscribirMedidas(red, out);
        bytes = sumidero.bytes;
        benchmark::DoNotOptimize(bytes);
    }
    if (msj.vistos != 0) state.SkipWithError("the layered network did not compute cleanly");
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_MedidasEnCapas)->Unit(benchmark::kMillisecond);

}  // namespace
