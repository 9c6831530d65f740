#pragma once
// "Simular centros…": a non-modal window that simulates every productive
// centre off the interface thread, each alone or inside the line (fed by
// what the centres before it send), and shows the simulated figures beside
// the formula's, with a mark on each centre of the canvas while it is open.

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
class QTableView;
class QTableWidget;
class QToolButton;

namespace vortena {

class CampoNumerico;
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
    bool eventFilter(QObject* objeto, QEvent* evento) override;

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
    void ConstruirColumnas();
    void MostrarGrupo(const QString& grupo, bool visible);
    void AjustarFija();

    Principal& principal_;
    std::thread hebra_;
    std::shared_ptr<Trabajo> trabajo_;
    std::optional<ResultadoSimulacion> resultado_;
    std::string huella_;  // of the network the results belong to
    std::string huellaCorrida_;
    bool desactualizada_ = false;
    std::string avisoCorrida_;  // of the run that ended: rates that differ from the line's

    CampoNumerico* replicas_ = nullptr;
    QCheckBox* porPrecision_ = nullptr;
    CampoNumerico* precision_ = nullptr;
    CampoNumerico* clientes_ = nullptr;
    CampoNumerico* calentamiento_ = nullptr;
    QCheckBox* calentamientoAuto_ = nullptr;
    CampoNumerico* semilla_ = nullptr;
    CampoNumerico* tolerancia_ = nullptr;  // percent
    QToolButton* columnas_ = nullptr;
    QComboBox* distribucion_ = nullptr;
    QComboBox* modo_ = nullptr;  // each centre alone, or inside the line
    QPushButton* simular_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    QPushButton* copiar_ = nullptr;
    QPushButton* exportar_ = nullptr;
    QProgressBar* progreso_ = nullptr;
    QLabel* estado_ = nullptr;
    AvisoDesactualizado* aviso_ = nullptr;
    QTableWidget* tabla_ = nullptr;
    QTableView* fija_ = nullptr;  // the centre column, kept in view over the table
};

}  // namespace vortena
