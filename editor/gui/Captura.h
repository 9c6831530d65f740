#pragma once
// A picture of the main window for the documentation, without a person at
// the screen: hidden command-line options of the program
//   --captura SALIDA.png [--abrir RED.vtq] [--pert] [--tamano ANCHOxALTO]
//   [--zoom PORCENTAJE | --ajustar] [--resultados] [--colorear]
// open the network, run the PERT computation, set the view and write the
// window as PNG.
// Messages go to standard error instead of modal boxes.
//   --medir-arranque
// starts as usual without the splash and exits as soon as the main window
// has painted itself once: the whole run, timed from outside, is the start.

#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "model/Red.h"

namespace vortena {

struct OpcionesCaptura {
    QString salida;
    QString archivo;
    bool pert = false;
    QSize tamano{1280, 800};
    int zoom = 0;  // percent; 0 leaves it
    bool ajustar = false;
    bool resultados = false;
    bool colorear = false;
};

// std::nullopt when the arguments ask for no picture.
std::optional<OpcionesCaptura> LeerOpcionesCaptura(const QStringList& argumentos);

// Runs the program for the picture; the exit code is 0 when the PNG was
// written and every step went through without a message.
int EjecutarCaptura(Red& red, const QString& carpetaPrograma, const OpcionesCaptura& opciones);

bool PideMedirArranque(const QStringList& argumentos);

// Shows `ventana` and returns from the event loop after its first paint.
int MostrarHastaPrimerPintado(QWidget& ventana);

}  // namespace vortena
