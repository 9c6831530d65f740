// The main window's actions, menus and toolbar.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <optional>

#include "editor/gui/Pictogramas.h"
#include "editor/gui/Principal.h"

namespace vortena {

namespace {

using Orden = void (Principal::*)();

struct DefAccion {
    const char* nombre;  // object name, so tests and hooks can find it
    const char* texto;   // menu caption, or the tooltip of a toolbar button
    QKeyCombination atajo;
    std::optional<Pictograma> icono;
    Orden orden;
};

constexpr QKeyCombination kSinAtajo{};

const DefAccion kAcciones[] = {
    // Menu entries.
    {"mnNuevo", "Nuevo", Qt::CTRL | Qt::Key_N, Pictograma::Nuevo, &Principal::OrdenNuevo},
    {"mnAbrir", "Abrir", Qt::CTRL | Qt::Key_O, Pictograma::Abrir, &Principal::OrdenAbrir},
    {"mnGuardar", "Guardar", Qt::CTRL | Qt::Key_G, Pictograma::Guardar, &Principal::OrdenGuardar},
    {"mnGComo", "Guardar como...", kSinAtajo, std::nullopt, &Principal::OrdenGuardarComo},
    {"mnImprimir", "Imprimir...", Qt::CTRL | Qt::Key_P, Pictograma::Imprimir,
     &Principal::OrdenImprimir},
    {"mnExportarGrafico", "Exportar gráfico...", kSinAtajo, std::nullopt,
     &Principal::OrdenExportarGrafico},
    {"mnSalir", "Salir", Qt::CTRL | Qt::Key_S, Pictograma::Salir, &Principal::OrdenSalir},
    {"mnDeshacer", "Deshacer", Qt::CTRL | Qt::Key_Z, Pictograma::Deshacer,
     &Principal::OrdenDeshacer},
    {"mnRehacer", "Rehacer", Qt::CTRL | Qt::Key_Y, Pictograma::Rehacer, &Principal::OrdenRehacer},
    {"mnGrafico", "Copiar gráfico", kSinAtajo, std::nullopt, &Principal::OrdenCopiarGrafico},
    {"mnTexto", "Exportar resumen como Archivo de Texto", kSinAtajo, std::nullopt,
     &Principal::OrdenExportarResumen},
    {"mnSM", "Cálculo de Servidores Mínimos", Qt::CTRL | Qt::Key_M, Pictograma::ServidoresMinimos,
     &Principal::OrdenServidoresMinimos},
    {"mnPropagar", "Propagar Lamda", Qt::CTRL | Qt::Key_K, Pictograma::Propagar,
     &Principal::OrdenPropagar},
    {"mnVariabilidad", "Propagar variabilidad", kSinAtajo, std::nullopt,
     &Principal::OrdenPropagarVariabilidad},
    {"mnSO", "Optimización Económica", Qt::CTRL | Qt::Key_L, Pictograma::ServidoresOptimos,
     &Principal::OrdenServidoresOptimos},
    {"mnPert", "Cálculo de PERT", Qt::CTRL | Qt::Key_E, Pictograma::Pert, &Principal::OrdenPert},
    {"mnTiempos", "Optimización de Tiempos", Qt::CTRL | Qt::Key_B, Pictograma::OptimizacionTiempos,
     &Principal::OrdenOptimizacionTiempos},
    {"mnFrente", "Frente costo–tiempo…", kSinAtajo, std::nullopt,
     &Principal::OrdenFrenteCostoTiempo},
    {"mnSimCentros", "Simular centros…", kSinAtajo, std::nullopt, &Principal::OrdenSimularCentros},
    {"mnContenido", "Contenido", QKeyCombination(Qt::Key_F1), std::nullopt,
     &Principal::OrdenContenido},
    {"mnAcerca", "Acerca de Vortena...", kSinAtajo, std::nullopt, &Principal::OrdenAcercaDe},
    {"mnPlazo", "Plazo de la línea…", kSinAtajo, std::nullopt, &Principal::OrdenPlazoLinea},
    // Toolbar buttons.
    {"btNuevo", "Nueva línea de producción", kSinAtajo, Pictograma::Nuevo, &Principal::OrdenNuevo},
    {"btAbrir", "Abrir línea de producción", kSinAtajo, Pictograma::Abrir,
     &Principal::OrdenAbrirDesdeBarra},
    {"btGuardar", "Guardar línea de producción", kSinAtajo, Pictograma::Guardar,
     &Principal::OrdenGuardar},
    {"btImprimir", "Imprimir línea de producción", kSinAtajo, Pictograma::Imprimir,
     &Principal::OrdenImprimir},
    {"btPropagar", "Propagar lamda desde el nodo final", kSinAtajo, Pictograma::Propagar,
     &Principal::OrdenPropagar},
    {"btMinimos", "Cálculo de Servidores Mínimos", kSinAtajo, Pictograma::ServidoresMinimos,
     &Principal::OrdenServidoresMinimos},
    {"btOptimos", "Cálculo de Srvidores Optimos (Optimización económica)", kSinAtajo,
     Pictograma::ServidoresOptimos, &Principal::OrdenServidoresOptimos},
    {"btPert", "PERT", kSinAtajo, Pictograma::Pert, &Principal::OrdenPert},
    {"btTiempos", "Optimización de Tiempos", kSinAtajo, Pictograma::OptimizacionTiempos,
     &Principal::OrdenOptimizacionTiempos},
    {"btSalir", "Salida del Programa", kSinAtajo, Pictograma::Salir, &Principal::OrdenSalir},
};

// A menu: its object name, caption and entries; entries named
// "mnseparador..." are separators.
struct DefMenu {
    const char* nombre;
    const char* titulo;
    std::vector<const char*> entradas;
};

bool EsSeparador(const char* nombre) {
    const QString n = QString::fromLatin1(nombre);
    return n.startsWith(QStringLiteral("mnseparador"), Qt::CaseInsensitive);
}

const std::vector<DefMenu>& Menus() {
    static const std::vector<DefMenu> menus{
        {"mnArchivo",
         "&Archivo",
         {"mnNuevo", "mnAbrir", "mnGuardar", "mnGComo", "mnseparador", "mnImprimir",
          "mnExportarGrafico", "mnseparador1", "mnSalir"}},
        {"mnEdicion",
         "&Edición",
         {"mnDeshacer", "mnRehacer", "mnseparadorEdicion", "mnGrafico", "mnTexto"}},
        {"mnLinea",
         "&Línea de Producción",
         {"mnSM", "mnPropagar", "mnVariabilidad", "mnSO", "mnPert", "mnTiempos", "mnFrente"}},
        {"mnSimulacion", "&Simulación", {"mnSimCentros", "mnPlazo"}},
        {"mnAyuda", "&Ayuda", {"mnContenido", "mnSeparador2", "mnAcerca"}},
    };
    return menus;
}

// The toolbar: nullptr a separator, "" the spacer. Undo and redo share the
// menu's actions, so their captions name the step on both.
const char* const kBarra[] = {nullptr,      "btNuevo",    "btAbrir",    "btGuardar",
                              "btImprimir", nullptr,      "mnDeshacer", "mnRehacer",
                              nullptr,      "btPropagar", "btMinimos",  "btOptimos",
                              "btPert",     "btTiempos",  "",           "btSalir"};

}  // namespace

QAction* Principal::NuevaAccion(const char* nombre, const QString& texto) {
    auto* a = new QAction(texto, this);
    a->setObjectName(QString::fromLatin1(nombre));
    return a;
}

void Principal::createActions() {
    for (const DefAccion& d : kAcciones) {
        QAction* a = NuevaAccion(d.nombre, QString::fromUtf8(d.texto));
        a->setToolTip(QString::fromUtf8(d.texto));
        if (d.atajo != kSinAtajo) a->setShortcut(QKeySequence(d.atajo));
        if (d.icono) a->setIcon(IconoDe(*d.icono));
        const Orden orden = d.orden;
        connect(a, &QAction::triggered, this, [this, orden] { (this->*orden)(); });
    }
}

void Principal::createMenus() {
    for (const DefMenu& m : Menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.titulo));
        menu->setObjectName(QString::fromLatin1(m.nombre));
        for (const char* entrada : m.entradas) {
            if (EsSeparador(entrada))
                menu->addSeparator()->setObjectName(QString::fromLatin1(entrada));
            else
                menu->addAction(findChild<QAction*>(QString::fromLatin1(entrada)));
        }
    }
}

void Principal::createToolBars() {
    bHerramientas_ = addToolBar(QStringLiteral("Herramientas"));
    bHerramientas_->setObjectName(QStringLiteral("BHerramientas"));
    bHerramientas_->setMovable(false);
    bHerramientas_->setFloatable(false);
    bHerramientas_->setIconSize(QSize(24, 24));
    bHerramientas_->setContextMenuPolicy(Qt::PreventContextMenu);
    setContextMenuPolicy(Qt::NoContextMenu);

    for (const char* nombre : kBarra) {
        if (nombre == nullptr) {
            bHerramientas_->addSeparator();
        } else if (*nombre == '\0') {
            // Pushes the exit button to the far end of the bar.
            auto* espacio = new QWidget(bHerramientas_);
            espacio->setObjectName(QStringLiteral("espaciador"));
            espacio->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            bHerramientas_->addWidget(espacio);
        } else {
            bHerramientas_->addAction(findChild<QAction*>(QString::fromLatin1(nombre)));
        }
    }
}

}  // namespace vortena
