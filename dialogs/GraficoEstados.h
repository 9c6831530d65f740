#pragma once
// A bar chart of the state probabilities, P(n) against n, so the shape of
// the distribution shows at a glance beside the table.

#include <vector>

#include "widgets/VistaGrafico.h"

class QBarSet;
class QValueAxis;

namespace vortena {

class GraficoEstados : public VistaGrafico {
    Q_OBJECT
public:
    GraficoEstados(const Regional& reg, QWidget* padre);

    // P(0) .. P(N-1); an empty list draws the axes only.
    void PonerProbabilidades(std::vector<double> p);
    const std::vector<double>& probabilidades() const { return p_; }
    // What the mouse over bar n shows.
    QString TextoEstado(int n) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    QString TextoEn(QPointF pos) const override;

private:
    std::vector<double> p_;
    QBarSet* barras_;
    QValueAxis* ejeX_;
    QValueAxis* ejeY_;
};

}  // namespace vortena
