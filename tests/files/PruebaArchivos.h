#pragma once
// Shared by the file and batch-tool tests: a scratch folder, whole-file
// reads and writes, and the networks the tests start from.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "editor/Editor.h"
#include "support/MensajesGrabados.h"
#include "support/SuperficieGrabada.h"

namespace vortena::prueba {

// A fresh folder under the system's temporary folder, removed afterwards.
class CarpetaTemporal {
public:
    CarpetaTemporal() {
        static std::atomic<int> n{0};
        ruta_ = std::filesystem::temp_directory_path() /
                (std::string("vortena-prueba-").append(std::to_string(::getpid())) +
                 std::string("-").append(std::to_string(n++)));
        std::filesystem::remove_all(ruta_);
        std::filesystem::create_directories(ruta_);
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        std::filesystem::remove_all(ruta_, ec);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    std::string operator/(std::string_view nombre) const { return (ruta_ / nombre).string(); }
    // The folder followed by a separator, as the window's `path`.
    std::string ConSeparador() const { return ruta_.string() + "/"; }
    // Names of the files in the folder.
    std::vector<std::string> Archivos() const {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(ruta_))
            r.push_back(e.path().filename().string());
        return r;
    }

private:
    std::filesystem::path ruta_;
};

inline std::string LeerArchivo(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline void EscribirArchivo(const std::string& ruta, std::string_view bytes) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Lines of a text joined with CR LF after each one.
inline std::string ConCrLf(const std::vector<std::string>& lineas) {
    std::string r;
    for (const auto& l : lineas) r += l + "\r\n";
    return r;
}

inline std::vector<std::string> PartirLineas(std::string_view texto,
                                             std::string_view fin = "\r\n") {
    std::vector<std::string> r;
    while (!texto.empty()) {
        const std::size_t p = texto.find(fin);
        r.emplace_back(texto.substr(0, p));
        if (p == std::string_view::npos) break;
        texto.remove_prefix(p + fin.size());
    }
    return r;
}

// The network of a new document, exactly as the editor draws it.
inline void RedNueva(Red& red) {
    SuperficieGrabada sup;
    MensajesGrabados msj;
    Editor ed(red, sup, msj, Regional::Espanol());
    ed.DiagramaInicial();
}

}  // namespace vortena::prueba
