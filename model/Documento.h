#pragma once
// The main window's document state, as the core commands see it. The window
// implements it; tests use a fake.

#include <functional>
#include <string>

namespace vortena {

class Documento {
public:
    virtual ~Documento() = default;

    bool Modificado = false;
    std::string NombreArchivo = "Anónimo.vtq";
    bool Guardado = false;
    std::string path;  // the program's folder followed by a separator

    // Sets Modificado and refreshes the status bar (mark and counts).
    virtual void ACTBarraEstado(bool tipo) = 0;
    // Sets the window caption.
    virtual void PonerTitulo(const std::string& titulo) = 0;
    // Clears and repaints the whole canvas from the store.
    virtual void RedibujarTodo() = 0;
    // Ends the program (all windows close, no further prompt).
    virtual void Terminar() = 0;

    // Runs one change of the document as one undoable step named `accion`
    // ("Propagar Lamda", "Propiedades de Torno", ...): whatever `cambio` does
    // to the store is taken back by one undo. Without a history (batch runs,
    // tests) it only runs it.
    virtual void Paso(const std::string& accion, const std::function<void()>& cambio) {
        (void)accion;
        cambio();
    }
    // The whole network was replaced (a file was opened): nothing before it
    // can be undone.
    virtual void RedReemplazada() {}
};

}  // namespace vortena
