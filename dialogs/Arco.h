#pragma once
// A connection: the two centres it joins and its flow multiplier. The
// multiplier is written back when the dialog is accepted; the whole network
// is redrawn however it closes.

#include "dialogs/DialogoElemento.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace vortena {

class Arco : public DialogoElemento {
    Q_OBJECT
public:
    // Edits the connection at ctx.red.ConexionActual, which must exist.
    explicit Arco(const ContextoPropiedades& ctx, QWidget* parent = nullptr);

protected:
    void AlCerrar() override;

private:
    linea& Conexion();

    QGroupBox* nodos = nullptr;
    QLineEdit* inicio = nullptr;
    QLineEdit* fin = nullptr;
    QLabel* Titulo = nullptr;
};

}  // namespace vortena
