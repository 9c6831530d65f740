#pragma once
// A small bar chart of the state probabilities, P(n) against n, so the
// shape of the distribution shows at a glance beside the table.

#include <QWidget>
#include <vector>

#include "model/Numeros.h"

namespace vortena {

class GraficoEstados : public QWidget {
    Q_OBJECT
public:
    GraficoEstados(const Regional& reg, QWidget* padre);

    // P(0) .. P(N-1); an empty list draws the axes only.
    void PonerProbabilidades(std::vector<double> p);
    const std::vector<double>& probabilidades() const { return p_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Regional reg_;
    std::vector<double> p_;
};

}  // namespace vortena
