#include "files/EscrituraAtomica.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/ErrorArchivo.h"

namespace vortena {
namespace fs = std::filesystem;

namespace {

// A name beside the target that no other writer of this process or another
// one picks at the same time.
fs::path NombreTemporal(const fs::path& destino) {
    static std::atomic<unsigned> contador{0};
    const auto marca = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path t = destino;
    t += ".tmp" + std::to_string(marca) + "-" + std::to_string(contador++);
    return t;
}

}  // namespace

void EscribirAtomico(const std::string& ruta, std::string_view bytes) {
    if (ruta.empty()) throw ErrorArchivo("no se indicó el nombre del archivo");
    const fs::path destino(ruta);
    std::error_code ec;
    if (fs::is_directory(destino, ec)) throw ErrorArchivo(ruta + " es una carpeta");

    const fs::path temporal = NombreTemporal(destino);
    {
        std::ofstream f(temporal, std::ios::binary | std::ios::trunc);
        if (!f) throw ErrorArchivo("no se puede crear " + temporal.string());
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        f.flush();
        f.close();
        if (!f) {
            fs::remove(temporal, ec);
            throw ErrorArchivo("no se puede escribir " + temporal.string());
        }
    }
    fs::rename(temporal, destino, ec);
    if (ec) {
        std::error_code ignorado;
        fs::remove(temporal, ignorado);
        throw ErrorArchivo("no se puede reemplazar " + ruta + ": " + ec.message());
    }
}

}  // namespace vortena
