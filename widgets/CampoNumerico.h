#pragma once
// The one numeric entry field of every window. It reads its text through the
// number module's rule (model/Numeros.h: the user's decimal separator only,
// never a group separator, the same exponents everywhere) and checks it
// against what the setting admits (a range, whole numbers, values above 0).
//
// While the user types, a text that would be refused is tinted and its
// tooltip says why; nothing is changed. When the window takes the value
// (Aceptar, Simular, Enter), a refusal keeps the typed text, gives the field
// the focus and returns the reason for the window to show in its own way
// (a message box, a status line):
//
//     auto* n = new CampoNumerico("clientes", reg, Admisible::Entero(1, 1e9), this);
//     n->MostrarValor(100000);
//     ...
//     const Lectura l = n->Tomar();
//     if (!l.valor) { Estado(n->objectName() + ": " + QString::fromStdString(l.motivo)); return; }
//
// A field built without an Admisible (a name box deriving from it) reads no
// number and is never tinted.

#include <QLineEdit>
#include <optional>

#include "model/Numeros.h"

namespace vortena {

class CampoNumerico : public QLineEdit {
    Q_OBJECT
public:
    CampoNumerico(const char* nombre, const Regional& reg, const Admisible& admite,
                  QWidget* padre = nullptr);
    // A plain text box: no number is read until Configurar.
    CampoNumerico(const char* nombre, QWidget* padre = nullptr);

    void Configurar(const Regional& reg, const Admisible& admite);
    const Admisible& admite() const { return *admite_; }

    // Shows a value as the number module writes it (TextoGeneral).
    void MostrarValor(double v);
    // As a spin box: setValue shows a value, value() is the text's value
    // when admitted, otherwise the last one that was (a refused text stands
    // for nothing).
    void setValue(double v);
    double value() const;
    // The value of the text, or why it is refused; changes nothing.
    Lectura Leer() const;
    // Leer, and on a refusal the field keeps the typed text and takes the
    // focus, with the reason as its tooltip.
    Lectura Tomar();

private:
    // Tints a refused text; `vacio`: an empty text counts as refused too.
    void Marcar(bool vacio);

    Regional reg_;
    std::optional<Admisible> admite_;
    bool marcado_ = false;
    double valor_ = 0;
};

}  // namespace vortena
