#pragma once
// Checks of the rules every edit and every load of the store must keep, for
// tests and for a reader that validates before swapping a network in.
// Each returns a description of the first rule broken, nothing when all hold.

#include <optional>
#include <string>

#include "model/Red.h"

namespace vortena {

// Structure: every posicion equals its index; every connection joins two
// existing nodes and is listed exactly once in the outgoing list of its start
// and the incoming list of its end, and every list entry names such a
// connection; no two connections join the same ordered pair; no directed
// cycle (a connection from a node to itself included); NodoInicio and NodoFin
// are existing nodes.
std::optional<std::string> ComprobarInvariantes(const Red& red);

// Node kinds as the editor keeps them: exactly one "INICIO", at position 1,
// exactly one "FIN", no connection leaving "FIN" or entering "INICIO". Names
// are not protected, so a renamed centre may break these on purpose.
std::optional<std::string> ComprobarNodosExtremos(const Red& red);

// A file may hold two nodes named "FIN" (or "INICIO"); every computation
// then takes the last one's required output, which is seldom what was meant.
// The warning to show after opening such a network, naming the positions.
std::optional<std::string> AvisoExtremosRepetidos(const Red& red);

}  // namespace vortena
