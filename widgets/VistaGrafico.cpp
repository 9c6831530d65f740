#include "widgets/VistaGrafico.h"

#include <QAction>
#include <QChart>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "widgets/CajaMensaje.h"
#include "widgets/GuardarSalida.h"

namespace vortena {

namespace {

const QString kGuardarImagen = QStringLiteral("Guardar imagen…");

QString PedirNombrePng(QWidget* padre) {
    return QFileDialog::getSaveFileName(padre, kGuardarImagen, QString(),
                                        QStringLiteral("Imagen PNG (*.png)"));
}

}  // namespace

VistaGrafico::VistaGrafico(const Regional& reg, QWidget* padre)
    : QChartView(padre), pedirNombre(PedirNombrePng), reg_(reg) {
    setRenderHint(QPainter::Antialiasing);
    auto* grafico = new QChart;
    grafico->legend()->hide();
    grafico->setMargins(QMargins(4, 4, 4, 4));
    grafico->setBackgroundRoundness(0);
    // Axis labels follow the decimal separator of the numbers elsewhere.
    QLocale idioma = reg.decimal == ',' ? QLocale(QLocale::Spanish, QLocale::Spain)
                                        : QLocale(QLocale::English, QLocale::UnitedStates);
    idioma.setNumberOptions(QLocale::OmitGroupSeparator);
    grafico->setLocale(idioma);
    grafico->setLocalizeNumbers(true);
    setChart(grafico);

    guardar_ = new QAction(kGuardarImagen, this);
    guardar_->setObjectName(QStringLiteral("guardarImagen"));
    connect(guardar_, &QAction::triggered, this, &VistaGrafico::Guardar);
}

QPushButton* VistaGrafico::CrearBotonGuardar(QWidget* padre) {
    auto* b = new QPushButton(kGuardarImagen, padre);
    b->setObjectName(QStringLiteral("botonGuardarImagen"));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, guardar_, &QAction::trigger);
    return b;
}

double VistaGrafico::PasoMarcas(double rango, int marcas) {
    const double crudo = std::max(1.0, rango / std::max(1, marcas));
    const double potencia = std::pow(10.0, std::floor(std::log10(crudo)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * potencia >= crudo) return m * potencia;
    return 10 * potencia;
}

QString VistaGrafico::Numero(double v, const char* patron) const {
    return QString::fromStdString(Formato(v, patron, reg_));
}

void VistaGrafico::MostrarValor(const QString& texto) {
    valor_ = texto;
    if (texto.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), texto, this);
}

void VistaGrafico::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    menu.addAction(guardar_);
    menu.exec(e->globalPos());
}

QString VistaGrafico::GuardarImagen(const QString& rutaPedida) {
    QString ruta = rutaPedida;
    if (QFileInfo(ruta).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) != 0)
        ruta += QStringLiteral(".png");
    return GuardarDesde(this, ruta, BytesPng(grab()));
}

void VistaGrafico::Guardar() {
    const QString ruta = pedirNombre(this);
    if (ruta.isEmpty()) return;
    if (const QString motivo = GuardarImagen(ruta); !motivo.isEmpty())
        MostrarCaja(this, "No se pudo escribir la imagen: " + motivo.toStdString() + ".",
                    kTituloVentana, Botones::Aceptar, Icono::Critico);
}

}  // namespace vortena
