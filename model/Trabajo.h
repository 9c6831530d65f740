#pragma once
// Control of a long computation run off the interface thread: the caller may
// cancel it at any time and hears its progress. Workers poll Cancelado()
// often enough to stop within 100 ms.

#include <atomic>
#include <functional>

namespace vortena {

class Trabajo {
public:
    // Called from worker threads with the fraction done, 0..1; must be cheap
    // and thread-safe (the window posts it to its own thread).
    std::function<void(double)> progreso;

    void Cancelar() { cancelado_.store(true, std::memory_order_relaxed); }
    bool Cancelado() const { return cancelado_.load(std::memory_order_relaxed); }
    void Informar(double fraccion) const {
        if (progreso) progreso(fraccion);
    }

private:
    std::atomic<bool> cancelado_{false};
};

// Thrown by a computation that stopped because it was cancelled; it leaves
// nothing half-done behind.
struct Cancelado {};

}  // namespace vortena
