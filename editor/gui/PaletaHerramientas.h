#pragma once
// The five canvas tools: exclusive, checkable buttons stacked in a column.

#include <QButtonGroup>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <array>

#include "editor/gui/ManejoLienzo.h"

namespace vortena {

class PaletaHerramientas : public QWidget {
    Q_OBJECT
public:
    explicit PaletaHerramientas(QWidget* parent = nullptr);

    // Button i (0..4) selects tool i + 1.
    QToolButton* Boton(int i) const { return botones_[static_cast<std::size_t>(i)]; }
    void Elegir(Herramienta h);
    static QString Nombre(Herramienta h);

signals:
    void elegida(Herramienta h);

private:
    QButtonGroup grupo_;
    std::array<QToolButton*, 5> botones_{};
};

}  // namespace vortena
