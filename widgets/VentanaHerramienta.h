#pragma once
// What every results window shares with the desktop: it is a tool window of
// the main window (kept above it, never lost behind it), the main window's
// undo and redo work from it with the same keys, and F1 and its "Ayuda"
// button open its own help page.

#include <QString>
#include <functional>

class QPushButton;
class QWidget;

namespace vortena {

// Sets the window flags and takes the main window's undo and redo actions
// (named mnDeshacer and mnRehacer there) into `ventana`.
void ComoVentanaDeHerramienta(QWidget& ventana, QWidget& principal);

// F1 anywhere in `ventana` calls `abrir`; the returned "Ayuda" button (named
// btAyuda) does too, for the window to place.
QPushButton* BotonAyuda(QWidget& ventana, std::function<void()> abrir);

}  // namespace vortena
