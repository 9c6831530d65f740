#pragma once
// The main window: the canvas in its scrolled viewport, the tool palette,
// menus, toolbar and status bar. It holds the document state the commands
// share (it is the program's Documento) and turns canvas events into edits.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "editor/Editor.h"
#include "files/Comandos.h"
#include "files/Dialogos.h"
#include "model/Documento.h"
#include "model/Historial.h"
#include "model/Numeros.h"
#include "model/Red.h"

class QAction;
class QScrollBar;
class QToolBar;

namespace vortena {

class BarraDeEstado;
class DialogosQt;
class Fondo;
class ManejoLienzo;
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
    // program (dialogs/VentanasPrincipal.h): the property dialogs of the
    // node or connection selected, the help viewer and the About box.
    struct Ventanas {
        std::function<void()> nodoCentro, nodoFinal, arco, contenido, acercaDe;
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
    void OrdenServidoresOptimos();
    void OrdenPert();
    void OrdenOptimizacionTiempos();
    void OrdenContenido();
    void OrdenAcercaDe();

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
    void ConectarHistorial();
    void ActualizarDeshacer();
    void NuevoDiagrama();

    QAction* NuevaAccion(const char* nombre, const QString& texto);

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

    std::unique_ptr<Editor> editor_;
    std::unique_ptr<ManejoLienzo> lienzo_;
    Historial historial_;
    Ventanas ventanas_;

    bool terminando_ = false;
    bool cerrando_ = false;
};

}  // namespace vortena
