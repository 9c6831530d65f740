#include "files/NombreExportar.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vortena {

namespace {

bool TerminaEn(const std::string& nombre, const std::string& ext) {
    if (ext.empty() || nombre.size() <= ext.size()) return false;
    return std::equal(ext.rbegin(), ext.rend(), nombre.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

std::string ConExtensionDe(const std::string& nombre, const std::vector<std::string>& extensiones) {
    for (const std::string& e : extensiones)
        if (TerminaEn(nombre, e)) return nombre;
    return extensiones.empty() ? nombre : nombre + extensiones.front();
}

std::string TextoReemplazar(const std::string& ruta) {
    const std::string archivo = std::filesystem::path(ruta).filename().string();
    return "El archivo «" + archivo + "» ya existe.\n¿Desea reemplazarlo?";
}

std::optional<std::string> NombreExportar(Dialogos& dialogos, const std::string& filtro,
                                          const std::vector<std::string>& extensiones,
                                          const std::string& propuesto) {
    const std::optional<std::string> elegido = dialogos.NombreGuardar(filtro, propuesto);
    if (!elegido || elegido->empty()) return std::nullopt;
    std::string ruta = ConExtensionDe(*elegido, extensiones);
    std::error_code ec;
    if (std::filesystem::exists(ruta, ec) &&
        dialogos.Mostrar(TextoReemplazar(ruta), "Archivo Existente", Botones::SiNo,
                         Icono::Exclamacion) != Respuesta::Si)
        return std::nullopt;
    return ruta;
}

}  // namespace vortena
