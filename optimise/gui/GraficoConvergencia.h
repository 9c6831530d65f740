#pragma once
// A small line chart beside the progress bar: the best candidate's cost and
// its time, one point per generation, each line scaled to its own range so
// the user sees the search settle.

#include <QWidget>
#include <vector>

namespace vortena {

class GraficoConvergencia : public QWidget {
public:
    struct Punto {
        double costo;
        double tiempo;
    };

    explicit GraficoConvergencia(QWidget* parent = nullptr);

    void Limpiar();
    // Adds one generation's point; the caller repaints.
    void Agregar(double costo, double tiempo);
    const std::vector<Punto>& puntos() const { return puntos_; }

    QSize sizeHint() const override { return {180, 64}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::vector<Punto> puntos_;
};

}  // namespace vortena
