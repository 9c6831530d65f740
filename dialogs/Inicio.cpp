#include "dialogs/Inicio.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "dialogs/Ilustraciones.h"

namespace vortena {

namespace {

constexpr int kAncho = 560;
constexpr int kAlto = 340;
constexpr int kAltoEncabezado = 128;
constexpr int kAltoFranja = 6;
const QColor kTinta(0x16, 0x32, 0x50);
const QColor kAcento(0x2E, 0x8B, 0x9A);
const QColor kFranja(0xF0, 0x9A, 0x3E);

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

}  // namespace

Inicio::Inicio(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("inicio"));
    setFixedSize(kAncho, kAlto);
    setAttribute(Qt::WA_QuitOnClose, false);  // the main window, shown on close, is the program
    setCursor(Qt::PointingHandCursor);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    Tiempo.setObjectName(QStringLiteral("Tiempo"));
    Tiempo.setSingleShot(true);
    Tiempo.setInterval(kIntervalo);
    connect(&Tiempo, &QTimer::timeout, this, &QWidget::close);

    frmEncabezado = new QFrame(this);
    frmEncabezado->setObjectName(QStringLiteral("frmEncabezado"));
    frmEncabezado->setFixedHeight(kAltoEncabezado);
    imgEncabezado = new QLabel(frmEncabezado);
    imgEncabezado->setObjectName(QStringLiteral("imgEncabezado"));
    imgEncabezado->setPixmap(ilustraciones::Encabezado(QSize(kAncho, kAltoEncabezado)));
    imgEncabezado->setGeometry(0, 0, kAncho, kAltoEncabezado);

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(ilustraciones::Logo(76));
    imgLogo->setFixedSize(76, 76);

    lblPreTitulo =
        Etiqueta(QStringLiteral("Teoría de Colas"), "lblPreTítulo", 15, false, kAcento, this);
    QFont cursiva = lblPreTitulo->font();
    cursiva.setItalic(true);
    lblPreTitulo->setFont(cursiva);
    lblTitulo = Etiqueta(QStringLiteral("VORTENA DE LINEAS PRODUCCION"), "lblTítulo", 19, true,
                         kTinta, this);
    lblVersion = Etiqueta(QStringLiteral("Versión 1.1.0"), "lblVersión", 12, false,
                          QColor(0x55, 0x5F, 0x6A), this);

    const QColor gris(0x4A, 0x55, 0x60);
    auto* credito1 = Etiqueta(QStringLiteral("Diseño y dimensionamiento de líneas de producción"),
                              "lblCredito1", 12, false, gris, this);
    auto* credito2 = Etiqueta(QStringLiteral("Colas M/M/s  ·  PERT  ·  Optimización genética"),
                              "lblCredito2", 12, false, gris, this);
    auto* aviso = Etiqueta(QStringLiteral("Haga clic para continuar"), "lblAviso", 11, false,
                           QColor(0x8A, 0x94, 0x9E), this);

    auto* textos = new QVBoxLayout;
    textos->setSpacing(2);
    textos->addWidget(lblPreTitulo);
    textos->addWidget(lblTitulo);
    textos->addWidget(lblVersion);

    auto* cabecera = new QHBoxLayout;
    cabecera->setContentsMargins(28, 18, 28, 0);
    cabecera->setSpacing(18);
    cabecera->addWidget(imgLogo, 0, Qt::AlignTop);
    cabecera->addLayout(textos, 1);

    auto* pie = new QHBoxLayout;
    pie->setContentsMargins(28, 0, 28, 0);
    auto* creditos = new QVBoxLayout;
    creditos->setSpacing(1);
    creditos->addWidget(credito1);
    creditos->addWidget(credito2);
    pie->addLayout(creditos, 1);
    pie->addWidget(aviso, 0, Qt::AlignBottom);

    auto* adorno = new QFrame(this);
    adorno->setObjectName(QStringLiteral("shpAdorno"));
    adorno->setFixedHeight(1);
    adorno->setAutoFillBackground(true);
    QPalette acento = adorno->palette();
    acento.setColor(QPalette::Window, QColor(0xD5, 0xDC, 0xE3));
    adorno->setPalette(acento);
    auto* separador = new QHBoxLayout;
    separador->setContentsMargins(28, 0, 28, 0);
    separador->addWidget(adorno);

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(0, 0, 0, kAltoFranja + 14);
    principal->setSpacing(0);
    principal->addWidget(frmEncabezado);
    principal->addLayout(cabecera);
    principal->addStretch(1);
    principal->addLayout(separador);
    principal->addSpacing(12);
    principal->addLayout(pie);

    if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
        move(pantalla->availableGeometry().center() - rect().center());
    }
}

void Inicio::PonerIntervalo(int milisegundos) {
    Tiempo.setInterval(milisegundos);
}

void Inicio::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!avisado_) Tiempo.start();
}

void Inicio::mousePressEvent(QMouseEvent* evento) {
    evento->accept();
    close();
}

void Inicio::closeEvent(QCloseEvent* evento) {
    Tiempo.stop();
    evento->accept();
    // Emitted while the splash is still visible, so the main window is shown
    // before the application looks for a remaining window.
    if (!avisado_) {
        avisado_ = true;
        emit cerrado();
    }
}

void Inicio::paintEvent(QPaintEvent* evento) {
    QWidget::paintEvent(evento);
    QPainter p(this);
    p.fillRect(QRect(0, height() - kAltoFranja, width() * 2 / 3, kAltoFranja), kTinta);
    p.fillRect(
        QRect(width() * 2 / 3, height() - kAltoFranja, width() - width() * 2 / 3, kAltoFranja),
        kFranja);
    p.setPen(QPen(kTinta, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace vortena
