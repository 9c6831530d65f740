#pragma once
// The genetic search's convergence chart: the best candidate's cost (left
// axis) and its time (right axis), one point per generation, so the user
// sees the search settle.

#include <vector>

#include "widgets/VistaGrafico.h"

class QLineSeries;
class QValueAxis;

namespace vortena {

class GraficoConvergencia : public VistaGrafico {
    Q_OBJECT
public:
    struct Punto {
        double costo;
        double tiempo;
    };

    GraficoConvergencia(const Regional& reg, QWidget* parent = nullptr);

    void Limpiar();
    // Adds one generation's point (generation 0 is the starting population).
    void Agregar(double costo, double tiempo);
    const std::vector<Punto>& puntos() const { return puntos_; }
    // What the mouse over generation g shows.
    QString TextoGeneracion(int g) const;

    QSize sizeHint() const override { return {420, 220}; }
    QSize minimumSizeHint() const override { return {280, 160}; }

private:
    void Redibujar();

    std::vector<Punto> puntos_;
    QLineSeries* costo_;
    QLineSeries* tiempo_;
    QValueAxis* ejeX_;
    QValueAxis* ejeCosto_;
    QValueAxis* ejeTiempo_;
};

}  // namespace vortena
