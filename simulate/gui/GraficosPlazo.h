#pragma once
// The chart of the lead-time window: the lead time's distribution function
// (S-curve) with the band of its 95 % interval, the P50 and P90 marks, the
// PERT's time and the desired time. It tells the value under the mouse.

#include <QChartView>
#include <QString>
#include <memory>

#include "model/Numeros.h"
#include "simulate/SimulacionLinea.h"

namespace vortena {

class CurvaS : public QChartView {
    Q_OBJECT
public:
    explicit CurvaS(QWidget* parent = nullptr);
    void Mostrar(std::shared_ptr<const ResultadoLinea> r, const Regional& reg);
    void Limpiar();
    // What the mouse pointed at last ("tiempo 12,3 — probabilidad 80 %").
    const QString& Senalado() const { return senalado_; }

signals:
    void senalado(const QString& texto);

private:
    QString senalado_;
    std::shared_ptr<const ResultadoLinea> r_;
    void Senalar(const QString& texto);
};

// Probabilities as the window writes them: "87,3 %".
QString TextoPorcentaje(double p, const Regional& reg);
// Times with the program's general text, at most 4 decimals.
QString TextoTiempo(double t, const Regional& reg);
// The fraction of units at or below t in the pooled distribution.
double ProbabilidadHasta(const ResultadoLinea& r, double t);

}  // namespace vortena
