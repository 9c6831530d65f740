#pragma once
// Runs independent tasks on a few threads. Each task writes only its own
// slot of the caller's results, so the thread count never changes them.

#include <cstddef>
#include <functional>

namespace vortena {

// 0 asks for one per processor.
int HilosEfectivos(int pedidos);

// tarea(i) for every i in [0, n), taken in index order by `hilos` threads.
// The first exception a task throws (Cancelado, for instance) stops the
// rest from starting and is rethrown here once every thread has ended.
void ParaCada(std::size_t n, int hilos, const std::function<void(std::size_t)>& tarea);

}  // namespace vortena
