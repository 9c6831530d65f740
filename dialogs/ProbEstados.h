#pragma once
// The probability of finding n units in the current centre, n = 0, 1, 2, ...
// until it becomes negligible: a two-column grid beside a bar chart of the
// same values. It reads the centre's last computation and never writes.

#include <QDialog>

#include "model/EstadosProbabilidad.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"
#include "model/Red.h"

class QPushButton;
class QTableWidget;

namespace vortena {

class GraficoEstados;

class ProbEstados : public QDialog {
    Q_OBJECT
public:
    // Computes the table for the node at red.CentroActual while loading; a
    // table without rows is reported through `mensajes` and leaves the grid
    // empty.
    ProbEstados(const Red& red, Mensajes& mensajes, const Regional& reg, QWidget* parent = nullptr);

    const TablaEstados& tabla() const { return tabla_; }

private:
    void Llenar();

    Regional reg_;
    TablaEstados tabla_;
    QTableWidget* Pestados = nullptr;
    GraficoEstados* grafico_ = nullptr;
    QPushButton* aceptar = nullptr;
};

}  // namespace vortena
