#include "editor/Editor.h"

namespace vortena {

Editor::Editor(Red& red, Superficie& superficie, Mensajes& mensajes, Regional regional)
    : red_(red), sup_(superficie), msj_(mensajes), reg_(regional) {}

}  // namespace vortena
