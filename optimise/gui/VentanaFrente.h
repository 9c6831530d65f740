#pragma once
// The window "Frente costo–tiempo": the front of server counts as a scatter
// chart (cost on x, time on y) with the network's current point, the genetic
// search's result when it has run and a line at the desired time. Picking a
// point lists the gene centres' current and proposed counts; "Aplicar" hands
// them to the main window. The search runs on a worker thread on its own
// copy of the network, with progress and "Cancelar". Once the network
// changes (an edit, an undo, a redo) the results say "desactualizado" and
// the network's point is no longer drawn as current.

#include <QPointF>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "files/Dialogos.h"
#include "model/Numeros.h"
#include "model/Red.h"
#include "model/Trabajo.h"
#include "optimise/BusquedaFrente.h"
#include "optimise/ModeloFrente.h"
#include "widgets/VistaGrafico.h"

class QChart;
class QChartView;
class QDoubleSpinBox;
class QLabel;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QScatterSeries;
class QTableWidget;

namespace vortena {

class CampoNumerico;
class AvisoDesactualizado;

struct ContextoFrente {
    Red& red;
    Dialogos& dialogos;  // messages and the export file names
    Regional regional;
    // The genetic search's result, when it has run.
    std::optional<EvaluacionFrente> genetica;
    // The desired time offered: the genetic search's, or the line's time.
    std::optional<double> deseado;
    // Takes the chosen counts into the network (one document step).
    std::function<void(const ModeloFrente&, const std::vector<std::int16_t>&)> aplicar;
    // Opens the window's help page.
    std::function<void()> ayuda;
};

class VentanaFrente : public QWidget {
    Q_OBJECT
public:
    VentanaFrente(ContextoFrente contexto, QWidget* parent = nullptr);
    ~VentanaFrente() override;

    // Starts a search with the settings of the boxes (the window does so
    // when it opens). False when the network does not compute.
    bool Calcular();
    void Cancelar();
    bool Ocupada() const { return hilo_.joinable(); }

    const ResultadoFrente* resultado() const { return resultado_ ? &*resultado_ : nullptr; }
    int seleccionado() const { return seleccionado_; }
    void Seleccionar(int punto);

    // Compares the network with the one the results belong to (the main
    // window calls it after every change of the document).
    void RevisarRed();
    bool Desactualizado() const { return desactualizado_; }
    // What the front says of the genetic search's result, when the front was
    // computed for this network (whatever its server counts); nullopt when
    // there is none or it belongs to another network.
    std::optional<std::string> Juicio(double costo, double tiempo) const;
    // The search settings back to their defaults.
    void ValoresIniciales();

    VistaGrafico* vista() const { return vista_; }
    // What the mouse over front point i shows.
    QString TextoPunto(int i) const;
    QScatterSeries* serieFrente() const { return frente_; }

signals:
    void Terminada();

private:
    void Construir();
    void Terminar(std::optional<ResultadoFrente> r, const std::string& error = {});
    void Dibujar();
    void MostrarSeleccion();
    void AlAplicar();
    void ExportarCsv();
    void GuardarImagen();
    QString Texto(double v, const char* patron = "#0.####") const;
    QString Conteos(const std::vector<std::int16_t>& s) const;
    void EjesYDeseado();
    void CargarAjustes();
    void GuardarAjustes() const;
    int Cercano(QPointF p) const;

    ContextoFrente ctx_;
    std::shared_ptr<const ModeloFrente> modelo_;
    std::optional<ResultadoFrente> resultado_;
    int seleccionado_ = -1;
    // The network's counts and point: the model's, then each applied one.
    std::vector<std::int16_t> actuales_;
    EvaluacionFrente puntoActual_;
    std::shared_ptr<Trabajo> trabajo_;
    std::thread hilo_;
    std::string huella_;        // of the network the figures shown belong to
    std::string huellaFrente_;  // the same without the server counts
    bool desactualizado_ = false;
    bool aplicando_ = false;
    AvisoDesactualizado* aviso_ = nullptr;

    CampoNumerico* extra_ = nullptr;
    CampoNumerico* poblacion_ = nullptr;
    CampoNumerico* generaciones_ = nullptr;
    CampoNumerico* semilla_ = nullptr;
    CampoNumerico* deseado_ = nullptr;
    QPushButton* calcular_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    QPushButton* aplicar_ = nullptr;
    QPushButton* csv_ = nullptr;
    QPushButton* imagen_ = nullptr;
    QProgressBar* progreso_ = nullptr;
    QLabel* estado_ = nullptr;
    QLabel* diferencias_ = nullptr;
    QTableWidget* tabla_ = nullptr;
    QChart* grafico_ = nullptr;
    VistaGrafico* vista_ = nullptr;
    QScatterSeries* frente_ = nullptr;
    QScatterSeries* actual_ = nullptr;
    QScatterSeries* geneticaSerie_ = nullptr;
    QScatterSeries* elegido_ = nullptr;
    QLineSeries* lineaDeseado_ = nullptr;
};

}  // namespace vortena
