#pragma once
// Hands the main window the windows it opens: the property dialogs, the help
// viewer and the About box. The main window knows none of them; the program
// (and a test that wants them) connects them here.

namespace vortena {

class Principal;

void InstalarVentanas(Principal& ventana);

}  // namespace vortena
