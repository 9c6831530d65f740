// The main window's view: zoom, wheel scrolling, the dragged-connection
// guide, the "Resultados" panel and the utilisation colouring.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

#include "editor/Caja.h"
#include "editor/Utilizacion.h"
#include "editor/gui/BarraDeEstado.h"
#include "editor/gui/Escala.h"
#include "editor/gui/ExportarDiagrama.h"
#include "editor/gui/Fondo.h"
#include "editor/gui/Leyendas.h"
#include "editor/gui/ManejoLienzo.h"
#include "editor/gui/PanelResultados.h"
#include "editor/gui/Principal.h"
#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/NombreExportar.h"
#include "files/TablaResultados.h"

namespace vortena {

namespace {

constexpr double kZoomMinimo = 0.1;
// The canvas image grows with the square of the zoom (73 MB at 200 %).
constexpr double kZoomMaximo = 2.0;
constexpr std::array<double, 15> kNiveles{0.1, 0.15, 0.2, 0.25, 1.0 / 3, 0.5,  2.0 / 3, 0.75,
                                          0.9, 1.0,  1.1, 1.25, 1.5,     1.75, 2.0};
// A connection is picked this close to its line, in screen pixels.
constexpr double kToleranciaPixeles = 4.0;
// A wheel notch scrolls three lines of 20 screen pixels.
constexpr double kPixelesPorMuesca = 60.0;

double NivelSiguiente(double zoom, int sentido) {
    constexpr double eps = 1e-6;
    if (sentido > 0) {
        for (double n : kNiveles)
            if (n > zoom + eps) return n;
        return kZoomMaximo;
    }
    for (auto it = kNiveles.rbegin(); it != kNiveles.rend(); ++it)
        if (*it < zoom - eps) return *it;
    return kZoomMinimo;
}

}  // namespace

void Principal::CrearVista() {
    resultados_ = new PanelResultados(this);
    addDockWidget(Qt::BottomDockWidgetArea, resultados_);
    resultados_->hide();
    connect(resultados_, &PanelResultados::pideFilas, this,
            [this] { resultados_->Refrescar(red_, regional_); });
    connect(resultados_, &PanelResultados::centroElegido, this, &Principal::ElegirCentro);

    leyendas_ = new Leyendas(editor_->capas(), caja_);
    connect(fondo_, &Fondo::dibujando, leyendas_, &Leyendas::Actualizar);

    fondo_->installEventFilter(this);
    caja_->installEventFilter(this);
    lienzo_->ToleranciaConexion = static_cast<float>(kToleranciaPixeles * kTwipsPorPixel);
    barra_->PonerZoom(100);

    // The canvas tells the panel what was picked, and a dragged connection
    // shows a line from where it started to the pointer.
    connect(fondo_, &Fondo::presionado, this, [this](Qt::MouseButton b, float x, float y) {
        resultados_->SeleccionarCentro(red_.HaySeleccion ? red_.CentroActual : 0);
        if (b == Qt::LeftButton) inicioArrastre_ = QPointF(x, y);
    });
    connect(fondo_, &Fondo::arrastrado, this, [this](Qt::MouseButtons b, float x, float y) {
        if (lienzo_->HerramientaActual == Herramienta::Conexion && (b & Qt::LeftButton))
            fondo_->PonerGuia(QLineF(inicioArrastre_, QPointF(x, y)));
    });
    connect(fondo_, &Fondo::soltado, this, [this] { fondo_->PonerGuia(std::nullopt); });

    struct DefVista {
        const char* nombre;
        const char* texto;
        QList<QKeySequence> atajos;
        void (Principal::*orden)();
    };
    const DefVista acciones[] = {
        {"mnAcercar",
         "Acercar",
         {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal),
          QKeySequence(Qt::CTRL | Qt::Key_Plus)},
         &Principal::OrdenAcercar},
        {"mnAlejar",
         "Alejar",
         {QKeySequence::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_Minus)},
         &Principal::OrdenAlejar},
        {"mnTamanoReal",
         "Tamaño real (100 %)",
         {QKeySequence(Qt::CTRL | Qt::Key_1)},
         &Principal::OrdenTamanoReal},
        {"mnAjustar",
         "Ajustar a la ventana",
         {QKeySequence(Qt::CTRL | Qt::Key_0)},
         &Principal::OrdenAjustar},
        {"mnBuscarCentro",
         "Buscar centro...",
         {QKeySequence(Qt::CTRL | Qt::Key_F)},
         &Principal::OrdenBuscarCentro},
        {"mnExportarCsv", "Exportar CSV…", {}, &Principal::OrdenExportarCsv},
    };
    QMenu* ver = new QMenu(QStringLiteral("&Ver"), menuBar());
    ver->setObjectName(QStringLiteral("mnVer"));
    for (const DefVista& d : acciones) {
        QAction* a = NuevaAccion(d.nombre, QString::fromUtf8(d.texto));
        QList<QKeySequence> atajos;
        for (const QKeySequence& k : d.atajos)
            if (!k.isEmpty() && !atajos.contains(k)) atajos.append(k);
        a->setShortcuts(atajos);
        const auto orden = d.orden;
        connect(a, &QAction::triggered, this, [this, orden] { (this->*orden)(); });
        ver->addAction(a);
        if (QString::fromLatin1(d.nombre) == QLatin1String("mnAjustar")) ver->addSeparator();
    }
    ver->addSeparator();
    QAction* panel = resultados_->toggleViewAction();
    panel->setObjectName(QStringLiteral("mnResultados"));
    panel->setText(QStringLiteral("Resultados"));
    ver->addAction(panel);
    colorear_ = NuevaAccion("mnColorear", QString::fromUtf8("Colorear por utilización"));
    colorear_->setCheckable(true);
    connect(colorear_, &QAction::toggled, this, &Principal::OrdenColorearUtilizacion);
    ver->addAction(colorear_);

    // Between "Edición" and "Línea de Producción".
    auto* linea = menuBar()->findChild<QMenu*>(QStringLiteral("mnLinea"));
    if (linea != nullptr)
        menuBar()->insertMenu(linea->menuAction(), ver);
    else
        menuBar()->addMenu(ver);
}

double Principal::Zoom() const {
    return fondo_->escala();
}

void Principal::ColocarLienzo() {
    const double f = Zoom() / kTwipsPorPixel;
    fondo_->move(-static_cast<int>(std::lround(hBarra_->value() * f)),
                 -static_cast<int>(std::lround(vBarra_->value() * f)));
}

void Principal::PonerZoom(double zoom, std::optional<QPointF> ancla) {
    zoom = std::clamp(zoom, kZoomMinimo, kZoomMaximo);
    const double antes = Zoom();
    const QPointF a = ancla.value_or(QPointF(caja_->width() / 2.0, caja_->height() / 2.0));
    // The canvas point under the anchor, in twips, stays under it.
    const double tx = hBarra_->value() + a.x() * kTwipsPorPixel / antes;
    const double ty = vBarra_->value() + a.y() * kTwipsPorPixel / antes;
    fondo_->PonerEscala(zoom);
    lienzo_->ToleranciaConexion = static_cast<float>(kToleranciaPixeles * kTwipsPorPixel / zoom);
    Acomodar();
    hBarra_->setValue(static_cast<int>(std::lround(tx - a.x() * kTwipsPorPixel / zoom)));
    vBarra_->setValue(static_cast<int>(std::lround(ty - a.y() * kTwipsPorPixel / zoom)));
    ColocarLienzo();
    RedibujarConSeleccion();
    barra_->PonerZoom(static_cast<int>(std::lround(zoom * 100)));
}

void Principal::OrdenAcercar() {
    PonerZoom(NivelSiguiente(Zoom(), +1));
}

void Principal::OrdenAlejar() {
    PonerZoom(NivelSiguiente(Zoom(), -1));
}

void Principal::OrdenAjustar() {
    if (red_.Centros.Count() == 0) {
        PonerZoom(1.0);
        return;
    }
    // The part of the sheet "Exportar gráfico" crops to.
    const QRectF limites = LimitesDiagrama(red_);
    const double izq = limites.left(), der = limites.right();
    const double arr = limites.top(), aba = limites.bottom();
    const double zoom = std::min(caja_->width() * kTwipsPorPixel / (der - izq),
                                 caja_->height() * kTwipsPorPixel / (aba - arr));
    PonerZoom(zoom);
    // The line in the middle of the viewport. A line near the canvas's
    // top-left corner needs the canvas moved past it: the bars then start
    // below 0 until the next change of size or zoom.
    const double visibleX = caja_->width() * kTwipsPorPixel / Zoom();
    const double visibleY = caja_->height() * kTwipsPorPixel / Zoom();
    const int x = static_cast<int>(std::lround((izq + der - visibleX) / 2));
    const int y = static_cast<int>(std::lround((arr + aba - visibleY) / 2));
    hBarra_->setMinimum(std::min(0, x));
    vBarra_->setMinimum(std::min(0, y));
    hBarra_->setValue(x);
    vBarra_->setValue(y);
    ColocarLienzo();
}

void Principal::OrdenTamanoReal() {
    PonerZoom(1.0);
}

void Principal::VistaInicial() {
    PonerZoom(1.0);
    hBarra_->setValue(0);
    vBarra_->setValue(0);
}

namespace {

QSettings Ajustes() {
    return QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena"));
}

}  // namespace

void Principal::RestaurarVentana() {
    QSettings s = Ajustes();
    const bool oculto = resultados_->isHidden();
    const QSize tam = s.value(QStringLiteral("ventana/tamano")).toSize();
    if (tam.isValid()) resize(tam);
    const auto area = static_cast<Qt::DockWidgetArea>(
        s.value(QStringLiteral("resultados/area"), int{Qt::BottomDockWidgetArea}).toInt());
    if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea ||
        area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea)
        addDockWidget(area, resultados_);
    const QSize panel = s.value(QStringLiteral("resultados/tamano")).toSize();
    if (panel.isValid()) resultados_->resize(panel);
    if (s.value(QStringLiteral("resultados/flotante"), false).toBool()) {
        resultados_->setFloating(true);
        const QRect g = s.value(QStringLiteral("resultados/geometria")).toRect();
        if (g.isValid()) resultados_->setGeometry(g);
    }
    // The panel's visibility is left to the user's command; restoring it
    // would show a panel nobody asked for in this session.
    if (oculto) resultados_->hide();
    if (s.value(QStringLiteral("ventana/maximizada"), false).toBool())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Principal::RecordarVentana() {
    QSettings s = Ajustes();
    s.setValue(QStringLiteral("ventana/maximizada"), isMaximized());
    s.setValue(QStringLiteral("ventana/tamano"), isMaximized() ? normalGeometry().size() : size());
    s.setValue(QStringLiteral("resultados/area"), int{dockWidgetArea(resultados_)});
    s.setValue(QStringLiteral("resultados/flotante"), resultados_->isFloating());
    s.setValue(QStringLiteral("resultados/geometria"), resultados_->geometry());
    s.setValue(QStringLiteral("resultados/tamano"), resultados_->size());
}

void Principal::Rueda(QWheelEvent* e, QPointF enVista) {
    const QPoint d = e->angleDelta();
    if (e->modifiers() & Qt::ControlModifier) {
        if (d.y() != 0) PonerZoom(NivelSiguiente(Zoom(), d.y() > 0 ? +1 : -1), enVista);
        return;
    }
    const bool horizontal = (e->modifiers() & Qt::ShiftModifier) || d.y() == 0;
    const int delta = d.y() != 0 ? d.y() : d.x();
    const double pixeles = -delta / 120.0 * kPixelesPorMuesca;
    QScrollBar* b = horizontal ? hBarra_ : vBarra_;
    b->setValue(b->value() + static_cast<int>(std::lround(pixeles * kTwipsPorPixel / Zoom())));
}

void Principal::MostrarCentro(std::int16_t posicion) {
    if (!red_.Centros.Existe(posicion)) return;
    const CentroProductivo& c = red_.Centros(posicion);
    const double f = kTwipsPorPixel / Zoom();
    const double x = hBarra_->value(), y = vBarra_->value();
    const double ancho = caja_->width() * f, alto = caja_->height() * f;
    const bool visible = c.x1 >= x && c.x2 <= x + ancho && c.y1 >= y && c.y2 <= y + alto;
    if (visible) return;
    hBarra_->setValue(static_cast<int>(std::lround((c.x1 + c.x2 - ancho) / 2)));
    vBarra_->setValue(static_cast<int>(std::lround((c.y1 + c.y2 - alto) / 2)));
}

void Principal::ElegirCentro(std::int16_t posicion) {
    if (!red_.Centros.Existe(posicion)) return;
    if (red_.HaySeleccion) editor_->QuitarSeleccion();
    red_.CentroActual = posicion;
    red_.ConexionActual = 0;
    red_.HaySeleccion = true;
    editor_->DibujarCaja(posicion, kAzul);
    editor_->DibujarTextoCentro(posicion, TipoNodo(red_.Centros(posicion)));
    MostrarCentro(posicion);
}

void Principal::RedibujarConSeleccion() {
    editor_->RedibujarTodo();
    // A full redraw outlines every box by its kind; the selection keeps
    // its blue.
    if (red_.HaySeleccion && red_.CentroActual != 0 && red_.Centros.Existe(red_.CentroActual)) {
        editor_->DibujarCaja(red_.CentroActual, kAzul);
        editor_->DibujarTextoCentro(red_.CentroActual, TipoNodo(red_.Centros(red_.CentroActual)));
    }
}

bool Principal::ActualizarVista() {
    if (resultados_ == nullptr) return false;
    resultados_->Refrescar(red_, regional_);
    if (colorear_ == nullptr || !colorear_->isChecked()) return false;
    Sombreado s = SombreadoUtilizacion(red_, regional_);
    for (const auto& [clave, capa] : editor_->capas().Todas())
        if (clave == kCapaUtilizacion && capa.relleno == s.relleno && capa.leyenda == s.leyenda)
            return false;
    editor_->capas().Poner(kCapaUtilizacion, std::move(s));
    return true;
}

void Principal::OrdenColorearUtilizacion(bool activo) {
    if (activo)
        editor_->capas().Poner(kCapaUtilizacion, SombreadoUtilizacion(red_, regional_));
    else
        editor_->capas().Quitar(kCapaUtilizacion);
    RedibujarConSeleccion();
}

void Principal::OrdenBuscarCentro() {
    resultados_->Buscar();
}

void Principal::OrdenExportarCsv() {
    const std::optional<std::string> ruta =
        NombreExportar(*dialogos_, "Archivos CSV (*.csv)|*.csv|", {".csv"});
    if (!ruta) return;
    const std::vector<FilaResultados> filas = FilasResultados(red_);
    std::vector<const FilaResultados*> punteros;
    for (const FilaResultados& f : filas) punteros.push_back(&f);
    try {
        EscribirCsvResultados(punteros, *ruta, regional_, ArchivoAbierto(*this));
    } catch (const ErrorArchivo& e) {
        dialogos_->Mostrar(e.what(), "Exportar CSV", Botones::Aceptar, Icono::Critico);
    }
}

}  // namespace vortena
