#pragma once
// PERT over the network: every node an activity lasting its expected time in
// the centre, every connection a precedence. The start and end nodes are
// milestones.

#include <cstdint>

#include "model/Red.h"

namespace vortena {

// Late time every node starts from before the backward pass.
inline constexpr double kTardioInicial = 1.5209069486236225e45;

// Stores inicio/fin in NodoInicio/NodoFin and returns the early time of the
// end node; 0 means the forward pass never got there (an invalid choice).
double CalcularPERT(Red& red, std::int16_t inicio, std::int16_t fin);
// The same with 1/Mu as the forward duration (the backward pass still uses
// W). Throws ErrorAritmetico when a duration needs a Mu of 0.
double CalcularPERTServicio(Red& red, std::int16_t inicio, std::int16_t fin);

// The steps of a run, for callers that drive them one by one.
void IniciarPERT(Red& red, bool usarW);
// Forward pass from `pos`: a node is entered once all its incoming
// connections are done (g_E reaches 0).
void CalcularTemprano(Red& red, std::int16_t pos);
// Backward pass from `pos`: a node is entered once all its outgoing
// connections are done (g_S reaches 0).
void CalcularTardio(Red& red, std::int16_t pos);

}  // namespace vortena
