#pragma once
// "Simular centros…": a non-modal window that simulates every productive
// centre off the interface thread and shows the simulated figures beside the
// formula's, with a mark on each centre of the canvas while it is open.

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "model/Trabajo.h"
#include "simulate/SimulacionCentros.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace vortena {

class AvisoDesactualizado;
class Principal;

class VentanaSimulacion : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kCapa = "simulacion";
    static constexpr const char* kDesactualizada = "Resultados desactualizados: vuelva a simular";

    explicit VentanaSimulacion(Principal& principal);
    ~VentanaSimulacion() override;

    // Starts a run with the settings shown; false (and the reason in the
    // status line) when a setting is not valid or a run is going on.
    bool Simular();
    void Cancelar();
    bool Corriendo() const { return hebra_.joinable(); }
    bool Desactualizada() const { return desactualizada_; }
    const std::optional<ResultadoSimulacion>& Resultado() const { return resultado_; }

    // The table as shown (sorted as shown), titles first.
    QString TextoTabla() const;
    void Copiar() const;
    // Asks for a file name and writes the table as CSV; false when cancelled
    // or the file could not be written (the status line says which).
    bool ExportarCSV();
    // The settings back to their defaults, forgetting the remembered ones.
    void ValoresIniciales();

signals:
    // A run ended: with results, cancelled or failed.
    void terminada();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Construir();
    void CargarAjustes();
    void GuardarAjustes() const;
    std::optional<OpcionesSimulacion> LeerAjustes();
    void Terminar(std::shared_ptr<ResultadoSimulacion> r, const QString& motivo);
    void Mostrar();
    void Marcar();
    void QuitarMarcas();
    void DocumentoCambiado();
    void Estado(const QString& texto, bool aviso);
    void Habilitar();
    std::vector<std::vector<QString>> Celdas() const;

    Principal& principal_;
    std::thread hebra_;
    std::shared_ptr<Trabajo> trabajo_;
    std::optional<ResultadoSimulacion> resultado_;
    std::string huella_;  // of the network the results belong to
    std::string huellaCorrida_;
    bool desactualizada_ = false;

    QLineEdit* replicas_ = nullptr;
    QCheckBox* porPrecision_ = nullptr;
    QLineEdit* precision_ = nullptr;
    QLineEdit* clientes_ = nullptr;
    QLineEdit* calentamiento_ = nullptr;
    QCheckBox* calentamientoAuto_ = nullptr;
    QLineEdit* semilla_ = nullptr;
    QComboBox* distribucion_ = nullptr;
    QPushButton* simular_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    QPushButton* copiar_ = nullptr;
    QPushButton* exportar_ = nullptr;
    QProgressBar* progreso_ = nullptr;
    QLabel* estado_ = nullptr;
    AvisoDesactualizado* aviso_ = nullptr;
    QTableWidget* tabla_ = nullptr;
};

}  // namespace vortena
