#pragma once
// The optimisation command of the main window: computes every centre,
// checks the PERT start and end nodes, builds the pool and shows the dialog
// modally. When it returns the network holds either the reported result of
// the last run or, without a run, the counts it had; the caller redraws.

#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"
#include "model/Red.h"

class QWidget;

namespace vortena {

class Optimizacion;

// The search state (pool, best candidate, random source) lives in an object
// owned by `padre`, created on the first call, so it outlives the dialog as
// long as the window lives. Without a parent each call starts afresh.
void IniciarOptimizacion(Red& red, Mensajes& mensajes, Documento& doc, Regional reg, QWidget* padre);

// The search state `padre` keeps for this network and these messages, or
// nullptr before the first call.
const Optimizacion* OptimizacionGuardada(const QWidget* padre, const Red& red,
                                         const Mensajes& mensajes);

// The same on a search state the caller keeps.
void IniciarOptimizacion(Optimizacion& opt, Documento& doc, Regional reg, QWidget* padre);

}  // namespace vortena
