#pragma once
// Message boxes, file names and the printer set-up through Qt's dialogs.

#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "files/Dialogos.h"

namespace vortena {

class DialogosQt : public Dialogos {
public:
    explicit DialogosQt(QWidget* padre) : padre_(padre) {}

    Respuesta Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono icono) override;
    std::optional<std::string> NombreAbrir(const std::string& filtro) override;
    std::optional<std::string> NombreGuardar(const std::string& filtro,
                                             const std::string& propuesto) override;
    void ConfigurarImpresora() override;

private:
    QWidget* padre_;
};

// A filter in the "Description|pattern|Description|pattern|" form as a Qt
// file-dialog filter ("Description (pattern);;...").
QString FiltroQt(const std::string& filtro);
// Message text with every line break (CR LF, CR or LF) as a newline.
QString TextoMensaje(const std::string& texto);

}  // namespace vortena
