#pragma once
// "Plazo de la línea…": a non-modal window that simulates units flowing
// through the whole line, off the interface thread, and shows the lead
// time's S-curve with its interval band, the odds of meeting the desired
// time, the output rate and units in the line, the routes the units took and
// each centre's share of them. While it is open the canvas shades each
// centre by its share of the mean lead time.

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "model/Trabajo.h"
#include "simulate/SimulacionLinea.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace vortena {

class CampoNumerico;
class AvisoDesactualizado;
class CurvaS;
class Principal;

class VentanaPlazo : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kDesactualizada = "Resultados desactualizados: vuelva a simular";

    explicit VentanaPlazo(Principal& principal);
    ~VentanaPlazo() override;

    // Starts a run with the settings shown; false (and the reason in the
    // status line) when a setting is not valid or a run is going on.
    bool Simular();
    void Cancelar();
    bool Corriendo() const { return hebra_.joinable(); }
    bool Desactualizada() const { return desactualizada_; }
    const std::shared_ptr<const ResultadoLinea>& Resultado() const { return resultado_; }
    // Asks for a PNG file name and saves the charts and figures there.
    bool GuardarImagen();
    // The settings back to their defaults, forgetting the remembered ones.
    void ValoresIniciales();

public slots:
    // Compares the network with the one the results reflect.
    void RevisarRed();

signals:
    // A run ended: with results, cancelled or failed.
    void terminada();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Construir();
    void CargarAjustes();
    void GuardarAjustes() const;
    void Terminar(std::shared_ptr<const ResultadoLinea> r, const QString& motivo);
    void Mostrar();
    void QuitarSombreado();
    void Estado(const QString& texto, bool aviso);
    void Habilitar();

    Principal& principal_;
    std::thread hebra_;
    std::shared_ptr<Trabajo> trabajo_;
    std::shared_ptr<const ResultadoLinea> resultado_;
    std::string huella_;         // of the network the results belong to
    std::string huellaCorrida_;  // of the network the running simulation uses
    bool desactualizada_ = false;

    CampoNumerico* replicas_ = nullptr;
    CampoNumerico* clientes_ = nullptr;
    CampoNumerico* calentamiento_ = nullptr;
    QCheckBox* calentamientoAuto_ = nullptr;
    CampoNumerico* semilla_ = nullptr;
    QComboBox* distribucion_ = nullptr;
    CampoNumerico* deseado_ = nullptr;
    QPushButton* simular_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    QPushButton* imagen_ = nullptr;
    QProgressBar* progreso_ = nullptr;
    QLabel* estado_ = nullptr;
    AvisoDesactualizado* aviso_ = nullptr;
    QLabel* probabilidad_ = nullptr;
    QLabel* cifras_ = nullptr;
    QLabel* tasas_ = nullptr;
    QWidget* graficos_ = nullptr;
    CurvaS* curva_ = nullptr;
    QTableWidget* rutas_ = nullptr;
    QTableWidget* tabla_ = nullptr;
};

// What the lead time depends on, as an opaque value: any edit of a centre's
// inputs or of the connections changes it, moving a box does not.
std::string HuellaPlazo(const Red& red);

}  // namespace vortena
