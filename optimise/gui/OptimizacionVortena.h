#pragma once
// The dialog "Optimización Genética": the search settings, the run with its
// progress and convergence chart, and the result. It works on a pool that
// the caller has already opened (Optimizacion::Abrir) and closes nothing
// itself: the caller restores the network when no run happened.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "model/Documento.h"
#include "model/Numeros.h"
#include "optimise/Optimizacion.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;

namespace vortena {

class CampoNumerico;
class GraficoConvergencia;

class OptimizacionVortena : public QDialog {
    Q_OBJECT
public:
    OptimizacionVortena(Optimizacion& opt, Documento& doc, Regional reg, QWidget* parent = nullptr);

    // The handlers, also reachable from tests.
    void iniciar_Click();
    void habitantes_Scroll();
    void delta_Scroll();
    void DivVSOpt_Scroll();
    void deseado_KeyUp(int tecla);
    void Iteraciones_KeyPress(int tecla);

    QSlider* habitantes;
    QLabel* lblhabitantes;
    QSlider* delta;
    QLabel* lbldelta;
    QSlider* DivVSOpt;
    QLabel* lbldiversidad;
    QLabel* lbloptimidad;
    CampoNumerico* Iteraciones;
    QLabel* lbliteraciones;
    CampoNumerico* deseado;
    QLabel* lbltmpodeseado;
    QLabel* lblminimotiempo;
    QPushButton* iniciar;
    QPushButton* salir;
    QGroupBox* contenedor;
    QProgressBar* Progreso;
    GraficoConvergencia* grafico;
    QLabel* lblvalor;

    // What the cost–time front says of a result (cost, time), when a front
    // of this network is at hand; set by whoever opens the dialog.
    std::function<std::optional<std::string>(double, double)> juicioFrente;

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    Optimizacion& opt_;
    Documento& doc_;
    Regional reg_;

    void Construir();
    void Cargar();
};

}  // namespace vortena
