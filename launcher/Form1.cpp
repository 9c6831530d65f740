#include "launcher/Form1.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "launcher/Escritorio.h"
#include "launcher/LineaComandos.h"

namespace vortena::lanzador {

namespace {

const QColor kFondo(224, 224, 224);
const QColor kTinta(0x16, 0x32, 0x50);
const QColor kAcento(0xE0, 0x7B, 0x39);
const QColor kGris(0x4A, 0x52, 0x5A);

QLabel* Etiqueta(const QString& texto, const char* nombre, int pixeles, bool negrita,
                 const QColor& color, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QString::fromUtf8(nombre));
    QFont f = l->font();
    f.setPixelSize(pixeles);
    f.setBold(negrita);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    return l;
}

QWidget* Linea(const char* nombre, int grosor, const QColor& color, QWidget* padre) {
    auto* l = new QWidget(padre);
    l->setObjectName(QString::fromUtf8(nombre));
    l->setFixedHeight(grosor);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, color);
    l->setPalette(pal);
    return l;
}

QPushButton* Boton(const QString& texto, const char* nombre, QWidget* padre) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromUtf8(nombre));
    b->setMinimumSize(116, 34);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

}  // namespace

Form1::Form1(const QString& carpeta, Escritorio& escritorio, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      carpeta_(carpeta),
      escritorio_(escritorio) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vortena de Líneas de Producción"));
    setFixedSize(700, 420);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kFondo);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* catedra = Etiqueta(QStringLiteral("CÁTEDRA DE INVESTIGACIÓN OPERATIVA"), "lblCatedra", 12,
                             true, kTinta, this);
    auto* curso = Etiqueta(QStringLiteral("Teoría de Colas aplicada a la Producción"), "lblCurso",
                           12, false, kGris, this);
    auto* titulo = Etiqueta(QStringLiteral("Vortena de Líneas de Producción"), "lblTitulo", 26,
                            true, kTinta, this);
    auto* subtitulo =
        Etiqueta(QStringLiteral("Diseño y dimensionamiento de líneas de producción modeladas como "
                                "redes de colas"),
                 "lblSubtitulo", 14, false, kGris, this);
    subtitulo->setWordWrap(true);
    auto* temas = Etiqueta(
        QStringLiteral("Modelo M/M/s con factor de variabilidad  ·  Propagación del flujo\n"
                       "PERT y centros críticos  ·  Servidores mínimos y óptimos  ·  "
                       "Optimización genética"),
        "lblTemas", 12, false, kGris, this);
    auto* version =
        Etiqueta(QStringLiteral("Versión 1.1.0"), "lblVersion", 12, true, kAcento, this);
    auto* indicacion = Etiqueta(
        QStringLiteral("«Ingresar» abre la página de presentación y la ayuda en su navegador."),
        "lblIndicacion", 12, false, kGris, this);
    indicacion->setWordWrap(true);

    Command1 = Boton(QStringLiteral("Ingresar"), "Command1", this);
    Command1->setDefault(true);
    Command2 = Boton(QStringLiteral("Salir"), "Command2", this);
    connect(Command1, &QPushButton::clicked, this, &Form1::Ingresar);
    connect(Command2, &QPushButton::clicked, this, &Form1::Salir);

    auto* encabezado = new QHBoxLayout;
    encabezado->addWidget(catedra);
    encabezado->addStretch(1);
    encabezado->addWidget(curso);

    auto* centro = new QVBoxLayout;
    centro->setContentsMargins(104, 0, 0, 0);  // room for the painted mark
    centro->setSpacing(8);
    centro->addWidget(titulo);
    centro->addWidget(subtitulo);
    centro->addSpacing(6);
    centro->addWidget(temas);
    centro->addSpacing(4);
    centro->addWidget(version);

    auto* pie = new QHBoxLayout;
    pie->setSpacing(12);
    pie->addWidget(indicacion, 1);
    pie->addWidget(Command1);
    pie->addWidget(Command2);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(36, 26, 36, 26);
    todo->setSpacing(0);
    todo->addLayout(encabezado);
    todo->addSpacing(10);
    todo->addWidget(Linea("Line1", 3, kTinta, this));
    todo->addSpacing(3);
    todo->addWidget(Linea("Line2", 1, kAcento, this));
    todo->addStretch(1);
    todo->addLayout(centro);
    todo->addStretch(1);
    todo->addWidget(Linea("Line3", 1, kAcento, this));
    todo->addSpacing(3);
    todo->addWidget(Linea("Line4", 3, kTinta, this));
    todo->addSpacing(16);
    todo->addLayout(pie);

    if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
        move(pantalla->availableGeometry().center() - rect().center());
    }
}

void Form1::Ingresar() {
    // The launcher must end whatever happens to the browser.
    try {
        bool abierto = false;
        if (escritorio_.Existe(kNavegador.trimmed())) {
            abierto = escritorio_.Ejecutar(LineaComandos(carpeta_));
        }
        const QString indice = RutaIndice(carpeta_);
        if (!abierto) abierto = escritorio_.Abrir(indice);
        if (!abierto) {
            escritorio_.Avisar(
                QStringLiteral("No se pudo abrir «%1» en el navegador.").arg(indice));
        }
    } catch (...) {
    }
    close();
}

void Form1::Salir() {
    close();
}

void Form1::paintEvent(QPaintEvent* evento) {
    QWidget::paintEvent(evento);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xB8, 0xB8, 0xB8), 1));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));

    // A queue in front of a server, level with the title.
    const auto* titulo = findChild<QWidget*>(QStringLiteral("lblTitulo"));
    if (!titulo) return;
    const QPointF base(44, titulo->geometry().center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(kAcento);
    for (int i = 0; i < 3; ++i) p.drawEllipse(base + QPointF(i * 15, 0), 5.5, 5.5);
    p.setPen(QPen(kTinta, 2.5));
    p.setBrush(Qt::white);
    const QRectF servidor(base.x() + 44, base.y() - 17, 26, 34);
    p.drawRoundedRect(servidor, 3, 3);
    p.drawLine(QPointF(servidor.left(), servidor.top() + 10),
               QPointF(servidor.right(), servidor.top() + 10));
}

void Form1::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton) agarre_ = evento->globalPosition().toPoint() - pos();
    QWidget::mousePressEvent(evento);
}

void Form1::mouseMoveEvent(QMouseEvent* evento) {
    if (evento->buttons() & Qt::LeftButton) move(evento->globalPosition().toPoint() - agarre_);
    QWidget::mouseMoveEvent(evento);
}

}  // namespace vortena::lanzador
