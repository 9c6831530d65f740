#include "editor/gui/PaletaHerramientas.h"

#include "editor/gui/Escala.h"
#include "editor/gui/Pictogramas.h"

namespace vortena {

namespace {

struct DatosHerramienta {
    Pictograma icono;
    const char* consejo;
    const char* nombre;
};

constexpr std::array<DatosHerramienta, 5> kHerramientas{{
    {Pictograma::Seleccionar, "Seleccionar, mover y ver propiedades", "Selección"},
    {Pictograma::ColocarCentro, "Colocar un Centro Productivo", "Colocar centro"},
    {Pictograma::Conectar, "Conectar dos nodos", "Conectar"},
    {Pictograma::MarcaInicio, "Elegir el nodo de inicio del PERT", "Inicio del PERT"},
    {Pictograma::MarcaFin, "Elegir el nodo de fin del PERT", "Fin del PERT"},
}};

// 615-twip buttons every 600 twips: neighbours share their border line.
constexpr int kLado = 41;
constexpr int kPaso = 40;

}  // namespace

PaletaHerramientas::PaletaHerramientas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Herramientas"));
    grupo_.setExclusive(true);
    for (int i = 0; i < 5; ++i) {
        const auto& d = kHerramientas[static_cast<std::size_t>(i)];
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("Herramienta%1").arg(i));
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setIcon(IconoDe(d.icono));
        b->setIconSize(QSize(28, 28));
        b->setToolTip(QString::fromUtf8(d.consejo));
        b->setGeometry(0, i * kPaso, kLado, kLado);
        b->setFocusPolicy(Qt::NoFocus);
        grupo_.addButton(b, i);
        botones_[static_cast<std::size_t>(i)] = b;
    }
    botones_[0]->setChecked(true);
    setFixedSize(kLado, 4 * kPaso + kLado);
    connect(&grupo_, &QButtonGroup::idClicked, this,
            [this](int id) { emit elegida(static_cast<Herramienta>(id + 1)); });
}

void PaletaHerramientas::Elegir(Herramienta h) {
    botones_[static_cast<std::size_t>(h) - 1]->setChecked(true);
    emit elegida(h);
}

QString PaletaHerramientas::Nombre(Herramienta h) {
    return QString::fromUtf8(kHerramientas[static_cast<std::size_t>(h) - 1].nombre);
}

}  // namespace vortena
