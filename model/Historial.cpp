#include "model/Historial.h"

namespace vortena {

Historial::Historial(std::size_t maximo) : maximo_(maximo < 1 ? 1 : maximo) {}

Historial::~Historial() = default;

void Historial::Antes(const Red& red) {
    if (abiertos_++ > 0) return;
    foto_ = std::make_unique<FotoRed>(red);
    calculosAntes_ = red.Calculos;
}

bool Historial::Despues(Red& red, const std::string& accion) {
    if (abiertos_ == 0 || --abiertos_ > 0) return false;
    std::optional<CambioRed> cambio = CambioRed::Medir(*foto_, red);
    foto_.reset();
    if (!cambio) return false;
    if (cambio->CambiaCalculo() && red.Calculos == calculosAntes_) red.ResultadosAlDia = false;

    // A saved state among the dropped redo steps can no longer be reached.
    if (guardado_ && *guardado_ > hechos_) guardado_.reset();
    pasos_.erase(pasos_.begin() + static_cast<std::ptrdiff_t>(hechos_), pasos_.end());
    pasos_.push_back(Paso{accion, std::move(*cambio)});
    ++hechos_;
    if (pasos_.size() > maximo_) {
        pasos_.pop_front();
        --hechos_;
        if (guardado_) {
            if (*guardado_ == 0)
                guardado_.reset();
            else
                --*guardado_;
        }
    }
    return true;
}

std::string Historial::AccionDeshacer() const {
    return PuedeDeshacer() ? pasos_[hechos_ - 1].accion : std::string();
}

std::string Historial::AccionRehacer() const {
    return PuedeRehacer() ? pasos_[hechos_].accion : std::string();
}

bool Historial::Deshacer(Red& red) {
    if (!PuedeDeshacer()) return false;
    if (!pasos_[hechos_ - 1].cambio.Deshacer(red)) {
        Reiniciar();
        return false;
    }
    // The records keep the figures of the state undone.
    if (pasos_[hechos_ - 1].cambio.CambiaCalculo()) red.ResultadosAlDia = false;
    --hechos_;
    return true;
}

bool Historial::Rehacer(Red& red) {
    if (!PuedeRehacer()) return false;
    if (!pasos_[hechos_].cambio.Rehacer(red)) {
        Reiniciar();
        return false;
    }
    if (pasos_[hechos_].cambio.CambiaCalculo()) red.ResultadosAlDia = false;
    ++hechos_;
    return true;
}

std::size_t Historial::Bytes() const {
    std::size_t b = sizeof *this;
    for (const Paso& p : pasos_) b += p.cambio.Bytes() + p.accion.capacity();
    return b;
}

void Historial::Reiniciar() {
    pasos_.clear();
    hechos_ = 0;
    guardado_.reset();
}

}  // namespace vortena
