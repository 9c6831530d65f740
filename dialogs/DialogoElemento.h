#pragma once
// The frame shared by the end-node and connection dialogs: one tab
// "Propiedades" over the page `cuadro`, one entry box, Aceptar and Cancelar.
// Enter and Aceptar check the text and close when it passes, writing the
// value back; Cancelar, Escape and the close box leave the record as it was.

#include <QDialog>

#include "dialogs/ContextoPropiedades.h"

class QPushButton;
class QTabWidget;

namespace vortena {

class CajaEntrada;

class DialogoElemento : public QDialog {
    Q_OBJECT
protected:
    DialogoElemento(const ContextoPropiedades& ctx, const char* nombre, const char* titulo,
                    const char* nombreCaja, QWidget* parent);

    // The closing steps: store the box's value if the dialog was accepted
    // and the value qualifies, then redraw.
    virtual void AlCerrar() = 0;
    bool Aceptado() const { return result() == QDialog::Accepted; }

    // Fills the box and selects its text, as on opening.
    void MostrarValor(const QString& texto);
    // Marks the document modified when `nuevo` differs from `antes`.
    void Registrar(double antes, double nuevo);

    void done(int resultado) override;
    void showEvent(QShowEvent* e) override;

    ContextoPropiedades ctx_;
    QTabWidget* opciones = nullptr;
    QWidget* cuadro = nullptr;
    CajaEntrada* caja_ = nullptr;
    QPushButton* aceptar = nullptr;
    QPushButton* cancelar = nullptr;

private:
    void Enter();
    bool cerrado_ = false;
};

}  // namespace vortena
