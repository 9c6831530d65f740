#pragma once
// The status bar's three panels: modified mark, counts, active tool.

#include <QLabel>
#include <QStatusBar>
#include <array>

namespace vortena {

class BarraDeEstado : public QStatusBar {
    Q_OBJECT
public:
    explicit BarraDeEstado(QWidget* parent = nullptr);

    void PonerModificado(bool modificado);
    void PonerCuentas(const QString& texto);
    void PonerHerramienta(const QString& texto);
    // The zoom, in a panel at the right end.
    void PonerZoom(int porcentaje);
    QString Zoom() const;
    // Text of panel 1, 2 or 3.
    QString Panel(int n) const;

private:
    std::array<QLabel*, 3> paneles_{};
    QLabel* zoom_ = nullptr;
};

}  // namespace vortena
