#pragma once
// The program's message box, for every window: the texts, buttons and icons
// of the message interface (model/Mensajes.h) in a QMessageBox with Spanish
// buttons. DialogosQt shows its messages through it.

#include <QString>
#include <QWidget>
#include <string>

#include "model/Mensajes.h"

namespace vortena {

Respuesta MostrarCaja(QWidget* padre, const std::string& texto, const std::string& titulo,
                      Botones botones, Icono icono);

// Message text with every line break (CR LF, CR or LF) as a newline.
QString TextoMensaje(const std::string& texto);

}  // namespace vortena
