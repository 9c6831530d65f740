#include "dialogs/Ayuda.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <algorithm>

#include "dialogs/Ilustraciones.h"

namespace vortena {

namespace {

constexpr int kTwipsPorPixel = 15;
constexpr int Pixeles(int twips) {
    return (twips + kTwipsPorPixel / 2) / kTwipsPorPixel;
}

constexpr int kMinimo = 5000;  // twips, both directions
constexpr int kAnchoAjustado = 6000;
constexpr int kAltoAjustado = 5000;
constexpr int kMargenIzquierdo = 120;
constexpr int kMargenSuperior = 600;
constexpr int kReduccionAncho = 240;
constexpr int kReduccionAlto = 1200;

QString Unir(const QString& carpeta, const QString& relativa) {
    if (carpeta.isEmpty()) return relativa;
    const bool conSeparador = carpeta.endsWith(u'/') || carpeta.endsWith(u'\\');
    return carpeta + (conSeparador ? QString() : QStringLiteral("/")) + relativa;
}

QAction* Boton(QToolBar* barra, const QIcon& icono, const QString& texto, const QString& clave) {
    QAction* a = barra->addAction(icono, texto);
    a->setData(clave);
    a->setObjectName(clave);
    return a;
}

}  // namespace

Ayuda::Ayuda(const QString& carpetaPrograma, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Ayuda"));
    setWindowTitle(QStringLiteral("Ayuda de Vortena de Líneas de Producción"));
    setWindowIcon(QIcon(ilustraciones::Logo(32)));

    mnArchivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    mnArchivo->setObjectName(QStringLiteral("mnArchivo"));
    mnInicio = mnArchivo->addAction(QStringLiteral("&Inicio"));
    mnInicio->setObjectName(QStringLiteral("mnInicio"));
    mnAnterior = mnArchivo->addAction(QStringLiteral("&Regreso al Anterior"));
    mnAnterior->setObjectName(QStringLiteral("mnAnterior"));
    mnSiguiente = mnArchivo->addAction(QStringLiteral("A&vanza al siguiente"));
    mnSiguiente->setObjectName(QStringLiteral("mnSiguiente"));
    mnArchivo->addSeparator();
    mnSalir = mnArchivo->addAction(QStringLiteral("&Salir"));
    mnSalir->setObjectName(QStringLiteral("mnSalir"));

    tbToolBar = addToolBar(QStringLiteral("Navegación"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setIconSize(QSize(20, 20));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    Boton(tbToolBar, ilustraciones::IconoAtras(), QStringLiteral("Atrás"), QStringLiteral("Back"));
    Boton(tbToolBar, ilustraciones::IconoAdelante(), QStringLiteral("Adelante"),
          QStringLiteral("Forward"));
    Boton(tbToolBar, ilustraciones::IconoInicio(), QStringLiteral("Inicio"),
          QStringLiteral("Home"));

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("area"));
    area->installEventFilter(this);
    setCentralWidget(area);
    brwWebBrowser = new QTextBrowser(area);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    brwWebBrowser->setOpenExternalLinks(true);

    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction* a) { PulsarBoton(a->data().toString()); });
    connect(mnInicio, &QAction::triggered, this, [this] { Navegar(); });
    connect(mnAnterior, &QAction::triggered, brwWebBrowser, &QTextBrowser::backward);
    connect(mnSiguiente, &QAction::triggered, brwWebBrowser, &QTextBrowser::forward);
    connect(mnSalir, &QAction::triggered, this, &QWidget::close);

    resize(760, 560);
    show();
    StartingAddress = Unir(carpetaPrograma, QStringLiteral("documentacion/ayuda.htm"));
    tbToolBar->update();
    Ajustar();
    Navegar();
}

void Ayuda::PulsarBoton(const QString& clave) {
    if (clave == QLatin1String("Back")) {
        brwWebBrowser->backward();
    } else if (clave == QLatin1String("Forward")) {
        brwWebBrowser->forward();
    } else if (clave == QLatin1String("Home")) {
        Navegar();
    }
}

QSize Ayuda::TamanoAjustado(QSize tamano) {
    if (tamano.width() * kTwipsPorPixel < kMinimo) tamano.setWidth(Pixeles(kAnchoAjustado));
    if (tamano.height() * kTwipsPorPixel < kMinimo) tamano.setHeight(Pixeles(kAltoAjustado));
    return tamano;
}

void Ayuda::AbrirPagina(const QString& pagina) {
    const QString carpeta = QFileInfo(StartingAddress).absolutePath();
    brwWebBrowser->setSource(QUrl::fromLocalFile(carpeta + QLatin1Char('/') + pagina));
}

QUrl Ayuda::Pagina() const {
    return brwWebBrowser->source();
}

void Ayuda::Navegar() {
    brwWebBrowser->setSource(QUrl::fromLocalFile(StartingAddress));
}

void Ayuda::resizeEvent(QResizeEvent* evento) {
    QMainWindow::resizeEvent(evento);
    Ajustar();
}

bool Ayuda::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == centralWidget() && evento->type() == QEvent::Resize) ColocarNavegador();
    return QMainWindow::eventFilter(objeto, evento);
}

void Ayuda::Ajustar() {
    if (isMinimized()) return;
    const QSize ajustado = TamanoAjustado(size());
    if (ajustado != size()) {
        resize(ajustado);  // comes back through resizeEvent
        return;
    }
    ColocarNavegador();
}

// The browser's place is measured from the top of the client area, below the
// menu bar, as the toolbar is part of that area.
void Ayuda::ColocarNavegador() {
    QWidget* area = centralWidget();
    if (!area || isMinimized()) return;
    const int arriba = menuBar()->isVisible() ? menuBar()->height() : 0;
    const QRect enVentana(Pixeles(kMargenIzquierdo), arriba + Pixeles(kMargenSuperior),
                          std::max(0, width() - Pixeles(kReduccionAncho)),
                          std::max(0, height() - Pixeles(kReduccionAlto)));
    QRect enArea = enVentana.translated(-area->geometry().topLeft());
    enArea.setTop(std::max(0, enArea.top()));
    brwWebBrowser->setGeometry(enArea);
}

}  // namespace vortena
