#pragma once
// The end node's required output of the line, in products per unit of time.
// The value is written back when the dialog is accepted; the end node is
// redrawn however it closes.

#include "dialogs/DialogoElemento.h"

class QLabel;

namespace vortena {

class NodoFinal : public DialogoElemento {
    Q_OBJECT
public:
    // Edits the node at ctx.red.CentroActual, which must exist.
    explicit NodoFinal(const ContextoPropiedades& ctx, QWidget* parent = nullptr);

protected:
    void AlCerrar() override;

private:
    CentroProductivo& Nodo();
    QLabel* Titulo = nullptr;
    QString mostrado_;
};

}  // namespace vortena
