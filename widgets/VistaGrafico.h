#pragma once
// The common frame of the program's charts: a Qt Charts view with numbers
// written with the user's decimal separator, a value shown beside the mouse
// and "Guardar imagen…" (PNG) in its context menu and on a button its window
// can place.

#include <QChartView>
#include <QString>
#include <functional>

#include "model/Numeros.h"

class QAction;
class QPushButton;

namespace vortena {

class VistaGrafico : public QChartView {
    Q_OBJECT
public:
    VistaGrafico(const Regional& reg, QWidget* padre);

    // Asks for a file name and writes the chart there as PNG.
    QAction* accionGuardar() const { return guardar_; }
    // A push button running accionGuardar, for the window's button row.
    QPushButton* CrearBotonGuardar(QWidget* padre);
    // Writes the chart as it is shown (".png" added to a name without it)
    // through the safe writer. Empty when written, otherwise the reason.
    QString GuardarImagen(const QString& ruta);
    // The file dialog of "Guardar imagen…"; tests replace it. An empty name
    // is a cancel.
    std::function<QString(QWidget*)> pedirNombre;
    // The text shown beside the mouse, last set (empty when hidden).
    const QString& valorMostrado() const { return valor_; }

    // A tick interval of 1, 2 or 5 times a power of ten, whole, giving at
    // most `marcas` ticks over `rango`.
    static double PasoMarcas(double rango, int marcas);

protected:
    const Regional& regional() const { return reg_; }
    QString Numero(double v, const char* patron) const;
    // Shows (or, with an empty text, hides) a value next to the mouse.
    void MostrarValor(const QString& texto);
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void Guardar();

    Regional reg_;
    QAction* guardar_;
    QString valor_;
};

}  // namespace vortena
