#pragma once
// The two charts of the lead-time window: the cumulative distribution
// (S-curve) with its P50/P90 marks and the desired time, and the histogram.
// Both tell the value under the mouse.

#include <QChartView>
#include <QString>
#include <memory>

#include "model/Numeros.h"
#include "simulate/ResultadoPlazo.h"

namespace vortena {

class CurvaS : public QChartView {
    Q_OBJECT
public:
    explicit CurvaS(QWidget* parent = nullptr);
    void Mostrar(std::shared_ptr<const ResultadoPlazo> r, const Regional& reg);
    void Limpiar();
    // What the mouse pointed at last ("tiempo 12,3 — probabilidad 80 %").
    const QString& Senalado() const { return senalado_; }

signals:
    void senalado(const QString& texto);

private:
    QString senalado_;
    std::shared_ptr<const ResultadoPlazo> r_;
    void Senalar(const QString& texto);
};

class HistogramaPlazo : public QChartView {
    Q_OBJECT
public:
    static constexpr int kBarras = 40;

    explicit HistogramaPlazo(QWidget* parent = nullptr);
    void Mostrar(std::shared_ptr<const ResultadoPlazo> r, const Regional& reg);
    void Limpiar();
    const QString& Senalado() const { return senalado_; }

signals:
    void senalado(const QString& texto);

private:
    QString senalado_;
};

// Probabilities as the window writes them: "87,3 %".
QString TextoPorcentaje(double p, const Regional& reg);
// Times with the program's general text, at most 4 decimals.
QString TextoTiempo(double t, const Regional& reg);

}  // namespace vortena
