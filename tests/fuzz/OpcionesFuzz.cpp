// Any command line given to the batch tool, the simulation steps' options
// among them: it is refused as a usage error (exit 2) or accepted; with no
// network to open nothing runs, so every input is checked in microseconds.
// Arguments are the input's lines; the first byte picks the locale.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Calc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
    if (tam == 0) return 0;
    const char* locales[] = {"C", "es_ES.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"};
    const std::string locale = locales[datos[0] % 4];
    const std::string_view resto(reinterpret_cast<const char*>(datos) + 1, tam - 1);
    std::vector<std::string> args{"/no/existe/red.vtq"};
    std::size_t desde = 0;
    while (desde <= resto.size()) {
        const std::size_t fin = std::min(resto.find('\n', desde), resto.size());
        args.emplace_back(resto.substr(desde, fin - desde));
        desde = fin + 1;
    }
    // A leading "--decimal" pair may come before the network.
    if (args.size() > 2 && args[1] == "--decimal")
        std::rotate(args.begin(), args.begin() + 1, args.begin() + 3);
    std::ostringstream out, err;
    const int estado = vortena::calc::EjecutarCalc(args, locale, out, err);
    // Help, a usage error, or the missing network: never a step's output.
    const bool ayuda = !out.str().empty();
    if (estado == vortena::calc::kSalidaBien && !ayuda) std::abort();
    if (estado != vortena::calc::kSalidaUso && estado != vortena::calc::kSalidaArchivo &&
        estado != vortena::calc::kSalidaBien)
        std::abort();
    if (ayuda && estado != vortena::calc::kSalidaBien) std::abort();
    return 0;
}
