#pragma once
// The main window: the canvas in its scrolled viewport, the tool palette,
// menus, toolbar and status bar. It holds the document state the commands
// share (it is the program's Documento) and turns canvas events into edits.

#include <QMainWindow>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/Editor.h"
#include "files/Comandos.h"
#include "files/Dialogos.h"
#include "model/Documento.h"
#include "model/Historial.h"
#include "model/Numeros.h"
#include "model/Red.h"

class QAction;
class QMenu;
class QScrollBar;
class QToolBar;
class QWheelEvent;

namespace vortena {

class ModeloFrente;
class BarraDeEstado;
class DialogosQt;
class Fondo;
class Leyendas;
class ManejoLienzo;
class PanelResultados;
class PaletaHerramientas;

class Principal : public QMainWindow, public Documento {
    Q_OBJECT
public:
    // With Qt's message boxes and file and printer dialogs.
    Principal(Red& red, const QString& carpetaPrograma, QWidget* parent = nullptr);
    // With the given dialogs (tests pass a recording fake). `dialogos` must
    // outlive the window.
    Principal(Red& red, Dialogos& dialogos, const QString& carpetaPrograma,
              QWidget* parent = nullptr);
    ~Principal() override;

    // Documento.
    void ACTBarraEstado(bool tipo) override;
    void PonerTitulo(const std::string& titulo) override;
    void RedibujarTodo() override;
    void Terminar() override;
    // Every change of the document goes through here (the canvas tools, the
    // property dialogs, the computations, an applied optimisation): one
    // undoable step, and the undo and redo entries follow.
    void Paso(const std::string& accion, const std::function<void()>& cambio) override;
    void RedReemplazada() override;

    // The windows this one opens without knowing them, supplied by the
    // program at start-up: the property dialogs of the
    // node or connection selected, the help viewer and the About box.
    struct Ventanas {
        std::function<void()> nodoCentro, nodoFinal, arco, contenido, acercaDe;
        // The help viewer on one page of the help ("frente.htm").
        std::function<void(const QString&)> pagina;
    };
    void PonerVentanas(Ventanas ventanas);

    Red& red() { return red_; }
    Editor& editor() { return *editor_; }
    Dialogos& dialogos() { return *dialogos_; }
    const Regional& regional() const { return regional_; }
    void PonerRegional(Regional r);
    ContextoDocumento Contexto();
    const Historial& historial() const { return historial_; }
    const QString& carpeta() const { return carpeta_; }

    // The canvas handler: tool state and the property-dialog hooks.
    ManejoLienzo& lienzo() { return *lienzo_; }
    Fondo* fondo() const { return fondo_; }
    BarraDeEstado* barraDeEstado() const { return barra_; }
    PaletaHerramientas* herramientas() const { return paleta_; }
    QScrollBar* hBarra() const { return hBarra_; }
    QScrollBar* vBarra() const { return vBarra_; }
    QWidget* caja() const { return caja_; }
    // True once the program was told to end.
    bool Terminado() const { return terminando_; }

    // Commands of the menus and the toolbar (the actions mnNuevo, btNuevo, ...
    // run these).
    void OrdenNuevo();
    void OrdenAbrir();
    void OrdenAbrirDesdeBarra();
    void OrdenGuardar();
    void OrdenGuardarComo();
    void OrdenImprimir();
    void OrdenSalir();
    void OrdenDeshacer();
    void OrdenRehacer();
    void OrdenCopiarGrafico();
    void OrdenExportarResumen();
    void OrdenServidoresMinimos();
    void OrdenPropagar();
    void OrdenPropagarVariabilidad();
    void OrdenServidoresOptimos();
    void OrdenPert();
    void OrdenOptimizacionTiempos();
    // Opens (or brings forward) the non-modal cost–time front window.
    void OrdenFrenteCostoTiempo();
    void OrdenSimularCentros();
    void OrdenContenido();
    void OrdenAcercaDe();
    // Opens the help viewer on `pagina` (the results windows' F1 and "Ayuda").
    void MostrarAyuda(const QString& pagina);
    void OrdenPlazoLinea();

    // The one way a front point reaches the network: the gene centres take
    // the counts, are computed, the document is marked modified and the
    // canvas redrawn. One document step.
    void AplicarServidoresFrente(const ModeloFrente& modelo,
                                 const std::vector<std::int16_t>& servidores);
    // The view (PrincipalVista.cpp): zoom, scrolling, the results panel and
    // the utilisation colouring.
    double Zoom() const;
    // Keeps the canvas point under `ancla` (viewport pixels; the middle of
    // the viewport by default) where it is.
    void PonerZoom(double zoom, std::optional<QPointF> ancla = std::nullopt);
    void OrdenAcercar();
    void OrdenAlejar();
    void OrdenAjustar();
    // "Tamaño real (100 %)".
    void OrdenTamanoReal();
    void OrdenBuscarCentro();
    void OrdenExportarCsv();
    void OrdenColorearUtilizacion(bool activo);
    // Scrolls the canvas so the centre's box is in view.
    void MostrarCentro(std::int16_t posicion);
    PanelResultados* resultados() const { return resultados_; }
    Leyendas* leyendas() const { return leyendas_; }
    // The program on the desktop (PrincipalEscritorio.cpp). Opens a file
    // named by the command line or a recent-files entry; a file that cannot
    // be read shows the reader's message and leaves the network as it was.
    bool AbrirRuta(const QString& ruta);
    // The file the program was started with: nothing was drawn by hand yet,
    // so there is nothing to ask about saving first.
    bool AbrirAlArrancar(const QString& ruta);
    // Opens an installed example as an untitled network (saving asks for a
    // name, so the example itself is never overwritten).
    bool AbrirEjemplo(const QString& ruta);
    void OrdenExportarGrafico();
    // The installed example networks, by name.
    QStringList Ejemplos() const;

signals:
    // After every ACTBarraEstado: results windows check whether the network
    // they reflect has changed.
    void documentoCambiado();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    Principal(Red& red, Dialogos* dialogos, const QString& carpetaPrograma, QWidget* parent);

    void createCanvas();
    void createActions();
    void createMenus();
    void createToolBars();
    void Acomodar();
    void Arrancar();
    void ConectarLienzo();
    void CrearMenusEscritorio();
    void LlenarRecientes();
    void LlenarEjemplos();
    // Puts the document's file first in the recent files.
    void RecordarArchivo();
    void ConectarHistorial();
    void ActualizarDeshacer();
    // After a step: the undo entries, the modified mark and, when the step
    // made the figures stale or current, the panel, colouring and canvas.
    void TrasCambio(bool alDia, bool enGuardado);
    void NuevoDiagrama();

    QAction* NuevaAccion(const char* nombre, const QString& texto);

    void CrearVista();
    void ColocarLienzo();
    void Rueda(QWheelEvent* e, QPointF enVista);
    // The colouring layer and the results panel follow the store; true when
    // the layer changed and the canvas must be drawn again.
    bool ActualizarVista();
    void RedibujarConSeleccion();
    // A new line is shown at 100 %, from the canvas's top-left corner.
    void VistaInicial();
    // The window's size and the results panel's place, between sessions.
    void RestaurarVentana();
    void RecordarVentana();
    void ElegirCentro(std::int16_t posicion);

    Red& red_;
    std::unique_ptr<DialogosQt> dialogosPropios_;
    Dialogos* dialogos_;
    QString carpeta_;
    Regional regional_;

    QWidget* central_ = nullptr;
    PaletaHerramientas* paleta_ = nullptr;
    QWidget* caja_ = nullptr;
    Fondo* fondo_ = nullptr;
    QScrollBar* hBarra_ = nullptr;
    QScrollBar* vBarra_ = nullptr;
    BarraDeEstado* barra_ = nullptr;
    QToolBar* bHerramientas_ = nullptr;
    QMenu* menuEjemplos_ = nullptr;

    std::unique_ptr<Editor> editor_;
    std::unique_ptr<ManejoLienzo> lienzo_;
    PanelResultados* resultados_ = nullptr;
    Leyendas* leyendas_ = nullptr;
    QAction* colorear_ = nullptr;
    QPointF inicioArrastre_;
    Historial historial_;
    Ventanas ventanas_;

    bool terminando_ = false;
    bool cerrando_ = false;
};

}  // namespace vortena
