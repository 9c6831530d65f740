#include "dialogs/AcercaDe.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/Arrancador.h"
#include "dialogs/Ilustraciones.h"
#include "editor/gui/DialogosQt.h"
#include "model/Mensajes.h"

namespace vortena {

namespace {

const char* const kClaveMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kClaveUbicacion = "SOFTWARE\\Microsoft\\Shared Tools Location";

QLabel* Texto(const QString& texto, const char* nombre, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QString::fromUtf8(nombre));
    return l;
}

QFrame* Separador(const char* nombre, QWidget* padre) {
    auto* linea = new QFrame(padre);
    linea->setObjectName(QString::fromUtf8(nombre));
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);
    return linea;
}

}  // namespace

struct AcercaDe::Propios {
    explicit Propios(QWidget* padre) : mensajes(padre) {}
    RegistroAusente registro;
    ArrancadorSistema arrancador;
    DialogosQt mensajes;
};

AcercaDe::AcercaDe(QWidget* parent) : QDialog(parent), propios_(std::make_unique<Propios>(this)) {
    registro_ = &propios_->registro;
    arrancador_ = &propios_->arrancador;
    mensajes_ = &propios_->mensajes;
    Construir();
}

AcercaDe::AcercaDe(Registro& registro, ArrancadorProgramas& arrancador, Mensajes& mensajes,
                   QWidget* parent)
    : QDialog(parent), registro_(&registro), arrancador_(&arrancador), mensajes_(&mensajes) {
    Construir();
}

AcercaDe::~AcercaDe() = default;

void AcercaDe::Construir() {
    setObjectName(QStringLiteral("AcercaDe"));
    setWindowTitle(QStringLiteral("Acerca de Vortena de Líneas de Producción"));
    setWindowIcon(QIcon(ilustraciones::Logo(32)));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ilustraciones::Logo(72));
    Image1->setFixedSize(72, 72);

    lblTitle = Texto(QStringLiteral("VORTENA DE LÍNEAS DE PRODUCCIÓN"), "lblTitle", this);
    QFont titulo = lblTitle->font();
    titulo.setPixelSize(17);
    titulo.setBold(true);
    lblTitle->setFont(titulo);
    QPalette tinta = lblTitle->palette();
    tinta.setColor(QPalette::WindowText, QColor(0x16, 0x32, 0x50));
    lblTitle->setPalette(tinta);
    lblVersion = Texto(QStringLiteral("Versión 1.1.0"), "lblVersion", this);

    auto* lblDescription =
        Texto(QStringLiteral("Diseño y dimensionamiento de líneas de producción modeladas como "
                             "redes de colas: propagación del flujo requerido, medidas de cola "
                             "M/M/s con factor de variabilidad, costos, análisis PERT con centros "
                             "críticos, servidores mínimos y óptimos, y búsqueda genética de "
                             "servidores frente a un tiempo deseado."),
              "lblDescription", this);
    lblDescription->setWordWrap(true);
    auto* lblDisclaimer = Texto(
        QStringLiteral("Herramienta de estudio de Teoría de Colas. Los resultados dependen de "
                       "los supuestos del modelo: revíselos antes de decidir sobre una línea "
                       "real."),
        "lblDisclaimer", this);
    lblDisclaimer->setWordWrap(true);
    QPalette gris = lblDisclaimer->palette();
    gris.setColor(QPalette::WindowText, QColor(0x5A, 0x64, 0x6E));
    lblDisclaimer->setPalette(gris);

    cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&Info. del sistema..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AcercaDe::StartSysInfo);

    auto* cabecera = new QVBoxLayout;
    cabecera->setSpacing(4);
    cabecera->addWidget(lblTitle);
    cabecera->addWidget(lblVersion);

    auto* rejilla = new QGridLayout;
    rejilla->setHorizontalSpacing(18);
    rejilla->setVerticalSpacing(10);
    rejilla->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    rejilla->addLayout(cabecera, 0, 1);
    rejilla->addWidget(Separador("Line1", this), 1, 1);
    rejilla->addWidget(lblDescription, 2, 1);

    auto* botones = new QVBoxLayout;
    botones->setSpacing(8);
    botones->addWidget(cmdOK);
    botones->addWidget(cmdSysInfo);

    auto* pie = new QHBoxLayout;
    pie->setSpacing(18);
    pie->addWidget(lblDisclaimer, 1);
    pie->addLayout(botones);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(18, 18, 18, 14);
    todo->setSpacing(12);
    todo->addLayout(rejilla);
    todo->addWidget(Separador("Line2", this));
    todo->addLayout(pie);

    constexpr int kAncho = 500;
    setFixedWidth(kAncho);
    setFixedHeight(hasHeightForWidth() ? heightForWidth(kAncho) : sizeHint().height());
}

bool AcercaDe::GetKeyValue(ClaveRegistro KeyRoot, const std::string& KeyName,
                           const std::string& SubKeyRef, std::string& KeyVal) {
    return vortena::GetKeyValue(*registro_, KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void AcercaDe::StartSysInfo() {
    std::string valor;
    if (GetKeyValue(kHKeyLocalMachine, kClaveMsinfo, "PATH", valor)) {
        if (arrancador_->Arrancar(QString::fromLocal8Bit(valor))) return;
    } else if (GetKeyValue(kHKeyLocalMachine, kClaveUbicacion, "MSINFO", valor)) {
        const QString archivo = QString::fromLocal8Bit(valor) + QStringLiteral("\\MSINFO32.EXE");
        if (arrancador_->Existe(archivo) && arrancador_->Arrancar(archivo)) return;
    }
    mensajes_->Mostrar(kSinInfoSistema, kTituloVentana, Botones::Aceptar, Icono::Ninguno);
}

}  // namespace vortena
