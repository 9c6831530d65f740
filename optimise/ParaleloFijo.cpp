#include "optimise/ParaleloFijo.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace vortena {

int HilosEfectivos(int pedidos) {
    if (pedidos > 0) return pedidos;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void ParaCada(std::size_t n, int hilos, const std::function<void(std::size_t)>& tarea) {
    const std::size_t t = std::min<std::size_t>(static_cast<std::size_t>(HilosEfectivos(hilos)), n);
    if (t <= 1) {
        for (std::size_t i = 0; i < n; ++i) tarea(i);
        return;
    }
    std::atomic<std::size_t> siguiente{0};
    std::atomic<bool> parar{false};
    std::exception_ptr error;
    std::mutex m;
    auto trabajar = [&] {
        while (!parar.load(std::memory_order_relaxed)) {
            const std::size_t i = siguiente.fetch_add(1);
            if (i >= n) return;
            try {
                tarea(i);
            } catch (...) {
                std::lock_guard<std::mutex> l(m);
                if (!error) error = std::current_exception();
                parar = true;
            }
        }
    };
    std::vector<std::thread> hebras;
    hebras.reserve(t - 1);
    try {
        for (std::size_t k = 1; k < t; ++k) hebras.emplace_back(trabajar);
    } catch (...) {
        // A thread the system refused (std::system_error): the ones running
        // stop at their next task and the caller hears why.
        parar = true;
        for (std::thread& h : hebras) h.join();
        throw;
    }
    trabajar();
    for (std::thread& h : hebras) h.join();
    if (error) std::rethrow_exception(error);
}

}  // namespace vortena
