#pragma once
// The legends of the active overlay layers, drawn over the top-left corner
// of the canvas viewport: they stay put while the canvas scrolls and zooms,
// and let every click through.

#include <QWidget>

#include "editor/Sombreado.h"

namespace vortena {

class Leyendas : public QWidget {
    Q_OBJECT
public:
    // `capas` must outlive the widget.
    Leyendas(const CapasSombreado& capas, QWidget* parent);

    // Follows the layers: resized to their legends, hidden when none has one.
    void Actualizar();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    const CapasSombreado& capas_;
};

}  // namespace vortena
