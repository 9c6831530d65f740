#pragma once
// The undo history of the document: a bounded list of named steps, each the
// change one action made to the store, and which of them the saved file
// matches. Every change of the document runs as one step through EnUnPaso
// (the main window offers it as Documento::Paso).
//
// It is also where the figures go stale: a step that changes what a
// computation reads, without a whole-line computation of its own, and the undo or
// redo of such a step, leave Red::ResultadosAlDia false. Nothing changes the
// document but through here, so nothing shows old figures as current.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "model/CambioRed.h"
#include "model/Red.h"

namespace vortena {

class Historial {
public:
    static constexpr std::size_t kPasosMaximos = 100;

    explicit Historial(std::size_t maximo = kPasosMaximos);
    ~Historial();

    // An action begins: the store is pictured. Nested calls belong to the
    // outermost one.
    void Antes(const Red& red);
    // The action ended: when the document changed, a step named `accion`
    // is added, the steps that could be redone are dropped and so is the
    // oldest one beyond the bound. True when a step was added.
    bool Despues(Red& red, const std::string& accion);

    bool PuedeDeshacer() const { return hechos_ > 0 && abiertos_ == 0; }
    bool PuedeRehacer() const { return hechos_ < pasos_.size() && abiertos_ == 0; }
    // Names of the step an undo or a redo would take back or do again,
    // empty when there is none.
    std::string AccionDeshacer() const;
    std::string AccionRehacer() const;
    // False when there was nothing to do. A store that no longer matches the
    // history (changed outside it) is left alone and the history forgotten.
    bool Deshacer(Red& red);
    bool Rehacer(Red& red);

    std::size_t Pasos() const { return pasos_.size(); }
    std::size_t Bytes() const;

    // A new or opened network: nothing before it can be undone, and no
    // saved state is known until MarcarGuardado.
    void Reiniciar();
    // The store now matches its file.
    void MarcarGuardado() { guardado_ = hechos_; }
    bool EnGuardado() const { return guardado_ == hechos_; }

private:
    struct Paso {
        std::string accion;
        CambioRed cambio;
    };

    std::size_t maximo_;
    std::deque<Paso> pasos_;
    std::size_t hechos_ = 0;               // steps applied: pasos_[hechos_] is the next redo
    std::optional<std::size_t> guardado_;  // hechos_ when the store matched its file
    std::unique_ptr<FotoRed> foto_;
    std::uint32_t calculosAntes_ = 0;
    int abiertos_ = 0;
};

// Runs `accion` as one step named `nombre`. An action that throws still
// leaves its step, so whatever it changed before failing can be undone.
template <class F>
bool EnUnPaso(Historial& h, Red& red, const std::string& nombre, F&& accion) {
    h.Antes(red);
    try {
        accion();
    } catch (...) {
        h.Despues(red, nombre);
        throw;
    }
    return h.Despues(red, nombre);
}

}  // namespace vortena
