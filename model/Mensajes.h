#pragma once
// The one way the core talks to the user: a modal message box. The window
// implements it with QMessageBox, tests with a recording fake, the batch tool
// by printing to standard error.

#include <string>

namespace vortena {

// SiNoCancelar: Cancelar (also Escape and the box's close button) abandons
// the command that asked.
enum class Botones { Aceptar, SiNo, SiNoCancelar };
enum class Icono { Ninguno, Critico, Exclamacion, Informacion };
enum class Respuesta { Aceptar, Si, No, Cancelar };

class Mensajes {
public:
    virtual ~Mensajes() = default;
    virtual Respuesta Mostrar(const std::string& texto, const std::string& titulo,
                              Botones botones, Icono icono) = 0;
};

// Titles used by several subsystems.
inline constexpr const char* kTituloPrograma = "Vortena de líneas de Producción";
inline constexpr const char* kTituloVentana = "Vortena de Líneas de Producción";

}  // namespace vortena
