#pragma once
// The dialogs of the document commands without windows: message boxes are
// recorded and answered from a script (as MensajesGrabados), the file
// dialogs return scripted names, the printer set-up is counted.

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/Dialogos.h"
#include "support/MensajesGrabados.h"

namespace vortena::prueba {

class DialogosGrabados : public Dialogos {
public:
    MensajesGrabados mensajes;
    // Names returned by the open and save dialogs in order; std::nullopt is a
    // cancel, and so is running out of names.
    std::deque<std::optional<std::string>> nombresAbrir;
    std::deque<std::optional<std::string>> nombresGuardar;
    std::vector<std::string> filtrosVistos;
    std::vector<std::string> propuestosVistos;  // names offered to the save dialog
    int dialogosAbrir = 0;
    int dialogosGuardar = 0;
    int impresoras = 0;
    bool impresoraFalla = false;

    Respuesta Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono icono) override {
        return mensajes.Mostrar(texto, titulo, botones, icono);
    }
    std::optional<std::string> NombreAbrir(const std::string& filtro) override {
        ++dialogosAbrir;
        return Tomar(nombresAbrir, filtro);
    }
    std::optional<std::string> NombreGuardar(const std::string& filtro,
                                             const std::string& propuesto) override {
        ++dialogosGuardar;
        propuestosVistos.push_back(propuesto);
        return Tomar(nombresGuardar, filtro);
    }
    void ConfigurarImpresora() override {
        ++impresoras;
        if (impresoraFalla) throw std::runtime_error("sin impresora");
    }

    const std::vector<MensajeVisto>& vistos() const { return mensajes.vistos; }
    std::deque<Respuesta>& respuestas() { return mensajes.respuestas; }

private:
    std::optional<std::string> Tomar(std::deque<std::optional<std::string>>& cola,
                                     const std::string& filtro) {
        filtrosVistos.push_back(filtro);
        if (cola.empty()) return std::nullopt;
        std::optional<std::string> n = cola.front();
        cola.pop_front();
        return n;
    }
};

}  // namespace vortena::prueba
