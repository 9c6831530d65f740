#pragma once
// Message boxes, file names and the printer set-up through Qt's dialogs.

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "files/Dialogos.h"
#include "widgets/CajaMensaje.h"

class QPrinter;

namespace vortena {

class DialogosQt : public Dialogos {
public:
    explicit DialogosQt(QWidget* padre);
    ~DialogosQt() override;

    Respuesta Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono icono) override;
    std::optional<std::string> NombreAbrir(const std::string& filtro) override;
    std::optional<std::string> NombreGuardar(const std::string& filtro,
                                             const std::string& propuesto) override;
    void ConfigurarImpresora() override;
    // The printer the last set-up was accepted for, once; nullptr when the
    // user cancelled it. The same printer (and its settings) is offered again.
    QPrinter* TomarImpresora();

private:
    QWidget* padre_;
    std::unique_ptr<QPrinter> impresora_;
    bool aceptada_ = false;
};

// A filter in the "Description|pattern|Description|pattern|" form as a Qt
// file-dialog filter ("Description (pattern);;...").
QString FiltroQt(const std::string& filtro);

}  // namespace vortena
