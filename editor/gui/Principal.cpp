#include "editor/gui/Principal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "editor/gui/BarraDeEstado.h"
#include "editor/gui/DialogosQt.h"
#include "editor/gui/Escala.h"
#include "editor/gui/Fondo.h"
#include "editor/gui/ManejoLienzo.h"
#include "editor/gui/PaletaHerramientas.h"
#include "editor/gui/RegionalSistema.h"

namespace vortena {

namespace {

// Layout of the central area, in twips as the window was designed.
constexpr int kMargen = 120;         // around the tools and the viewport
constexpr int kIzquierdaCaja = 840;  // the viewport starts right of the tools
constexpr float kAnchoMinimo = 5000, kAnchoForzado = 6000;
constexpr float kAltoMinimo = 5000, kAltoForzado = 5000;

BotonRaton BotonDe(Qt::MouseButton b) {
    if (b == Qt::LeftButton) return BotonRaton::Izquierdo;
    if (b == Qt::RightButton) return BotonRaton::Derecho;
    return BotonRaton::Otro;
}

}  // namespace

Principal::Principal(Red& red, const QString& carpetaPrograma, QWidget* parent)
    : Principal(red, nullptr, carpetaPrograma, parent) {}

Principal::Principal(Red& red, Dialogos& dialogos, const QString& carpetaPrograma, QWidget* parent)
    : Principal(red, &dialogos, carpetaPrograma, parent) {}

Principal::Principal(Red& red, Dialogos* dialogos, const QString& carpetaPrograma, QWidget* parent)
    : QMainWindow(parent),
      red_(red),
      dialogos_(dialogos),
      carpeta_(carpetaPrograma),
      regional_(RegionalDelSistema()) {
    if (dialogos_ == nullptr) {
        dialogosPropios_ = std::make_unique<DialogosQt>(this);
        dialogos_ = dialogosPropios_.get();
    }
    setObjectName(QStringLiteral("Principal"));
    QPalette gris = palette();
    gris.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(gris);

    createCanvas();
    editor_ = std::make_unique<Editor>(red_, fondo_->superficie(), *dialogos_, regional_);
    lienzo_ = std::make_unique<ManejoLienzo>(red_, *editor_, *dialogos_, *this);
    createActions();
    createMenus();
    CrearMenusEscritorio();
    createToolBars();
    barra_ = new BarraDeEstado(this);
    setStatusBar(barra_);
    ConectarLienzo();
    CrearVista();
    ConectarHistorial();
    resize(APixelesEnteros(15000), APixelesEnteros(10500));
    RestaurarVentana();
    Arrancar();
}

Principal::~Principal() = default;

void Principal::Arrancar() {
    red_.MostrarCriticos = false;
    QString carpeta = carpeta_;
    if (!carpeta.endsWith(QLatin1Char('/'))) carpeta += QLatin1Char('/');
    path = carpeta.toStdString();
    NombreArchivo = "Anónimo.vtq";
    Guardado = false;
    PonerTitulo(NombreArchivo + " - " + kTituloVentana);
    lienzo_->HerramientaActual = Herramienta::Seleccion;
    paleta_->Elegir(Herramienta::Seleccion);
    // The store handed in is empty at program start; a fresh one is built
    // in it whatever it held.
    red_.Vaciar();
    red_.LimpiarSeleccion();
    RedReemplazada();
    editor_->DiagramaInicial();
    ACTBarraEstado(true);
}

void Principal::PonerRegional(Regional r) {
    regional_ = r;
    editor_->PonerRegional(r);
}

ContextoDocumento Principal::Contexto() {
    return ContextoDocumento{red_, [this] { NuevoDiagrama(); }, *dialogos_, *this, regional_};
}

void Principal::createCanvas() {
    central_ = new QWidget(this);
    central_->setObjectName(QStringLiteral("Central"));
    central_->setAutoFillBackground(true);
    setCentralWidget(central_);
    central_->installEventFilter(this);

    paleta_ = new PaletaHerramientas(central_);
    paleta_->move(APixelesEnteros(kMargen), APixelesEnteros(kMargen));

    caja_ = new QWidget(central_);
    caja_->setObjectName(QStringLiteral("Caja"));
    fondo_ = new Fondo(caja_);
    fondo_->move(0, 0);

    hBarra_ = new QScrollBar(Qt::Horizontal, central_);
    vBarra_ = new QScrollBar(Qt::Vertical, central_);
    hBarra_->setObjectName(QStringLiteral("HBarra"));
    vBarra_->setObjectName(QStringLiteral("VBarra"));
    for (QScrollBar* b : {hBarra_, vBarra_}) {
        b->setSingleStep(100);
        b->setPageStep(1000);
        b->setMinimum(0);
        b->setFocusPolicy(Qt::NoFocus);
    }
    // Scrolling moves the canvas inside the viewport: canvas coordinates
    // never change and nothing is drawn again. The bars count twips.
    connect(hBarra_, &QScrollBar::valueChanged, this, [this] { ColocarLienzo(); });
    connect(vBarra_, &QScrollBar::valueChanged, this, [this] { ColocarLienzo(); });
}

void Principal::ConectarLienzo() {
    connect(paleta_, &PaletaHerramientas::elegida, this, [this](Herramienta h) {
        lienzo_->HerramientaActual = h;
        barra_->PonerHerramienta(QStringLiteral("Herramienta: ") + PaletaHerramientas::Nombre(h));
    });
    barra_->PonerHerramienta(QStringLiteral("Herramienta: ") +
                             PaletaHerramientas::Nombre(lienzo_->HerramientaActual));
    connect(fondo_, &Fondo::presionado, this,
            [this](Qt::MouseButton b, float x, float y) { lienzo_->Presionar(BotonDe(b), x, y); });
    connect(fondo_, &Fondo::soltado, this,
            [this](Qt::MouseButton b, float x, float y) { lienzo_->Soltar(BotonDe(b), x, y); });
    connect(fondo_, &Fondo::suprimir, this, [this] {
        if (lienzo_->Suprimir()) fondo_->setFocus(Qt::OtherFocusReason);
    });
}

void Principal::NuevoDiagrama() {
    VistaInicial();
    editor_->superficie().Limpiar();
    editor_->DiagramaInicial();
}

void Principal::ACTBarraEstado(bool tipo) {
    // The mark goes off when the store was written to or read from its file;
    // otherwise the history says whether it differs from the file (a
    // computation that changed no saved field leaves it clear). Inside a
    // step this is the state before it; Paso sets it again at the end.
    if (!tipo) historial_.MarcarGuardado();
    Modificado = tipo && !historial_.EnGuardado();
    barra_->PonerModificado(Modificado);
    const double centros = red_.Centros.Count() - 2;
    const double conexiones = red_.Conexiones.Count();
    barra_->PonerCuentas(QString::fromStdString(TextoGeneral(centros, regional_) + " Centros - " +
                                                TextoGeneral(conexiones, regional_) +
                                                " Conexiones"));
    if (ActualizarVista()) RedibujarConSeleccion();
    emit documentoCambiado();
}

void Principal::PonerTitulo(const std::string& titulo) {
    setWindowTitle(QString::fromStdString(titulo));
}

void Principal::RedibujarTodo() {
    // Every computation ends here: the panel and the colouring follow it.
    ActualizarVista();
    editor_->RedibujarTodo();
}

void Principal::Terminar() {
    terminando_ = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    if (!cerrando_) close();
}

void Principal::closeEvent(QCloseEvent* e) {
    if (!terminando_) {
        // The close box is the exit command: it asks to save and ends the
        // program, unless a Yes led to a save that failed or was cancelled.
        cerrando_ = true;
        ContextoDocumento ctx = Contexto();
        SALIRP(ctx, Modificado);
        cerrando_ = false;
    }
    if (terminando_) {
        RecordarVentana();
        e->accept();
    } else {
        e->ignore();
    }
}

void Principal::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (isMinimized()) return;
    QSize s = size();
    if (ATwips(static_cast<float>(s.width())) < kAnchoMinimo)
        s.setWidth(APixelesEnteros(kAnchoForzado));
    if (ATwips(static_cast<float>(s.height())) < kAltoMinimo)
        s.setHeight(APixelesEnteros(kAltoForzado));
    if (s != size()) resize(s);
}

bool Principal::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == central_ && e->type() == QEvent::Resize) Acomodar();
    // The wheel over the canvas, or over the viewport around a small one.
    if ((objeto == fondo_ || objeto == caja_) && e->type() == QEvent::Wheel) {
        auto* rueda = static_cast<QWheelEvent*>(e);
        Rueda(rueda, static_cast<QWidget*>(objeto)->mapTo(caja_, rueda->position()));
        return true;
    }
    return QMainWindow::eventFilter(objeto, e);
}

void Principal::Acomodar() {
    const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, hBarra_);
    const int izquierda = APixelesEnteros(kIzquierdaCaja);
    const int arriba = APixelesEnteros(kMargen);
    const int ancho = std::max(0, central_->width() - izquierda - barra - APixelesEnteros(kMargen));
    const int alto = std::max(0, central_->height() - arriba - barra - APixelesEnteros(kMargen));
    caja_->setGeometry(izquierda, arriba, ancho, alto);
    vBarra_->setGeometry(izquierda + ancho, arriba, barra, alto);
    hBarra_->setGeometry(izquierda, arriba + alto, ancho, barra);

    // The bars count canvas twips; a page is what the viewport shows at
    // the zoom.
    const double twipsPorPixel = kTwipsPorPixel / Zoom();
    const auto maximo = [twipsPorPixel](int vistaPx) {
        const double twips = kLadoLienzoTwips - vistaPx * twipsPorPixel;
        return static_cast<int>(std::clamp(std::nearbyint(twips), 0.0, 32767.0));
    };
    // Only "Ajustar a la ventana" moves the canvas past its corner, until
    // the next change of size or zoom.
    hBarra_->setMinimum(0);
    vBarra_->setMinimum(0);
    hBarra_->setMaximum(maximo(ancho));
    vBarra_->setMaximum(maximo(alto));
    hBarra_->setPageStep(std::max(1, static_cast<int>(std::lround(ancho * twipsPorPixel))));
    vBarra_->setPageStep(std::max(1, static_cast<int>(std::lround(alto * twipsPorPixel))));
}

}  // namespace vortena
