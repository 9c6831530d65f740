// NSGA-II on the server counts, every fitness going through the run's
// cache. The algorithm itself lives in a module loaded on first use
// (ModuloNsga.h); this side keeps the cache, the front and the bounds.

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <map>
#include <mutex>

#include "optimise/BusquedaFrente.h"
#include "optimise/CacheFrente.h"
#include "optimise/ModuloNsga.h"

namespace vortena {

namespace {

// A combination that fails to compute: beaten by every one that does.
constexpr double kPeor = 1e300;

std::filesystem::path CarpetaDelPrograma() {
    std::array<char, 4096> ruta{};
    const ssize_t n = ::readlink("/proc/self/exe", ruta.data(), ruta.size() - 1);
    if (n <= 0) return {};
    return std::filesystem::path(std::string(ruta.data(), static_cast<std::size_t>(n)))
        .parent_path();
}

struct EstadoNsga {
    const ModeloFrente& modelo;
    CacheFrente cache;
    Trabajo& trabajo;
    std::exception_ptr error;
    // The front of everything evaluated, with the keys of its members only:
    // ids are handed out in evaluation order, which the thread count never
    // changes.
    FrenteIncremental frente;
    std::map<std::uint64_t, CacheFrente::Clave> claves;
    std::uint64_t siguiente = 0;
    double peorCosto = 0, peorTiempo = 0;
    bool alguno = false;

    EstadoNsga(const ModeloFrente& m, const AjustesFrente& a, Trabajo& t)
        : modelo(m), cache(m, a.hilos, a.minimoParalelo, a.memoriaCache), trabajo(t) {}

    void Evaluar(const double* xs, std::size_t filas, double* f) {
        const std::size_t n = modelo.genes().size();
        const double tope = static_cast<double>(modelo.extra());
        std::vector<CacheFrente::Clave> lote(filas, CacheFrente::Clave(n, '\0'));
        for (std::size_t i = 0; i < filas; ++i)
            for (std::size_t k = 0; k < n; ++k)
                lote[i][k] = static_cast<char>(
                    static_cast<std::uint8_t>(std::clamp(std::round(xs[i * n + k]), 0.0, tope)));
        const auto evaluaciones = cache.EvaluarLote(lote, &trabajo);
        for (std::size_t i = 0; i < filas; ++i) {
            const EvaluacionFrente& e = evaluaciones[i];
            f[2 * i] = e.valida ? e.costo : kPeor;
            f[2 * i + 1] = e.valida ? e.tiempo : kPeor;
            if (!e.valida) continue;
            frente.Agregar(e.costo, e.tiempo, siguiente);
            claves.emplace(siguiente++, std::move(lote[i]));
            peorCosto = alguno ? std::max(peorCosto, e.costo) : e.costo;
            peorTiempo = alguno ? std::max(peorTiempo, e.tiempo) : e.tiempo;
            alguno = true;
        }
        // Only the front's members keep their keys.
        std::map<std::uint64_t, CacheFrente::Clave> quedan;
        for (const ElementoFrente& p : frente.Elementos())
            quedan.emplace(p.id, std::move(claves.at(p.id)));
        claves = std::move(quedan);
    }
};

int EvaluarDesdeModulo(void* contexto, const double* xs, std::size_t filas, double* f) {
    auto& estado = *static_cast<EstadoNsga*>(contexto);
    try {
        estado.Evaluar(xs, filas, f);
        return 0;
    } catch (...) {
        estado.error = std::current_exception();
        return 1;
    }
}

int GeneracionDesdeModulo(void* contexto, double fraccion) {
    auto& estado = *static_cast<EstadoNsga*>(contexto);
    if (estado.trabajo.Cancelado()) {
        estado.error = std::make_exception_ptr(Cancelado{});
        return 1;
    }
    estado.trabajo.Informar(fraccion);
    return 0;
}

}  // namespace

std::vector<std::filesystem::path> CarpetasModulos() {
    std::vector<std::filesystem::path> c;
    if (auto p = CarpetaDelPrograma(); !p.empty()) c.push_back(p);
#ifdef VORTENA_CARPETA_MODULOS
    c.emplace_back(VORTENA_CARPETA_MODULOS);
#endif
    return c;
}

FuncionNsga CargarModuloNsga(const std::vector<std::filesystem::path>& carpetas) {
    // dlopen counts its own references: loading twice is harmless, and
    // the module stays loaded for the life of the process.
    for (const std::filesystem::path& carpeta : carpetas) {
        const std::filesystem::path ruta = carpeta / kArchivoModuloNsga;
        std::error_code ec;
        if (!std::filesystem::exists(ruta, ec)) continue;
        void* biblioteca = ::dlopen(ruta.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (biblioteca == nullptr) {
            const char* motivo = ::dlerror();
            throw ErrorFrente("No se pudo cargar el módulo del frente aproximado " + ruta.string() +
                              (motivo ? ": " + std::string(motivo) : std::string()) +
                              ". Reinstale Vortena.");
        }
        if (void* f = ::dlsym(biblioteca, kSimboloNsga)) return reinterpret_cast<FuncionNsga>(f);
        throw ErrorFrente("El módulo del frente aproximado " + ruta.string() +
                          " no es de esta versión de Vortena. Reinstale Vortena.");
    }
    std::string donde;
    for (const std::filesystem::path& carpeta : carpetas)
        donde += (donde.empty() ? "" : ", ") + carpeta.string();
    throw ErrorFrente(std::string("Falta el módulo del frente aproximado (") + kArchivoModuloNsga +
                      "); se busca en: " + (donde.empty() ? "ninguna carpeta" : donde) +
                      ". Sin él solo se calcula el frente exacto. Reinstale Vortena.");
}

ResultadoFrente FrenteNsga2(const ModeloFrente& modelo, const AjustesFrente& ajustes,
                            Trabajo& trabajo) {
    const std::uint32_t P =
        static_cast<std::uint32_t>(std::max(8, (ajustes.poblacion + 3) / 4 * 4));
    const std::size_t n = modelo.genes().size();
    if (static_cast<std::uint64_t>(P) * n > AjustesFrente::kMaximoGenesPoblacion)
        throw ErrorFrente("La población de " + std::to_string(P) + " con " + std::to_string(n) +
                          " centros a dimensionar pasa del límite de " +
                          std::to_string(AjustesFrente::kMaximoGenesPoblacion) +
                          " genes por generación. Reduzca la población a " +
                          std::to_string(AjustesFrente::kMaximoGenesPoblacion / n / 4 * 4) +
                          " o menos.");
    if (trabajo.Cancelado()) throw Cancelado{};
    const FuncionNsga nsga2 = CargarModuloNsga(CarpetasModulos());

    EstadoNsga estado(modelo, ajustes, trabajo);
    const PeticionNsga peticion{n, static_cast<double>(modelo.extra()), P,
                                static_cast<std::uint32_t>(std::max(0, ajustes.generaciones)),
                                ajustes.semilla};
    const LlamadasNsga llamadas{&estado, &EvaluarDesdeModulo, &GeneracionDesdeModulo};
    std::array<char, 512> error{};
    const int r = nsga2(&peticion, &llamadas, error.data(), error.size());
    if (estado.error) std::rethrow_exception(estado.error);
    if (r != 0) throw ErrorFrente(std::string("El frente aproximado falló: ") + error.data());
    if (trabajo.Cancelado()) throw Cancelado{};

    ResultadoFrente res;
    res.exacto = false;
    res.evaluaciones = estado.cache.Calculadas();
    CompletarResultado(res, estado.frente.Elementos(), estado.peorCosto, estado.peorTiempo,
                       [&](std::uint64_t id) {
                           const CacheFrente::Clave& c = estado.claves.at(id);
                           const auto* d = reinterpret_cast<const std::uint8_t*>(c.data());
                           return modelo.Servidores(std::span<const std::uint8_t>(d, c.size()));
                       });
    return res;
}

}  // namespace vortena
