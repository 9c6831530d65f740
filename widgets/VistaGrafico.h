#pragma once
// The common frame of the program's charts: a Qt Charts view with numbers
// written with the user's decimal separator, axes with round ticks, the
// value under the mouse shown beside it, labels placed where no line of the
// chart crosses them, and "Guardar imagen…" (PNG) in its context menu and on
// a button its window can place.

#include <QChartView>
#include <QString>
#include <functional>
#include <vector>

#include "model/Numeros.h"

class QAction;
class QPushButton;
class QValueAxis;
class QXYSeries;

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
    // Asked before an existing file is replaced (the name with its ".png");
    // tests replace it.
    std::function<bool(QWidget*, const QString&)> confirmarReemplazo;
    // The text shown beside the mouse, last set (empty when hidden).
    const QString& valorMostrado() const { return valor_; }

    // A tick interval of 1, 2 or 5 times a power of ten, whole, giving at
    // most `marcas` ticks over `rango`.
    static double PasoMarcas(double rango, int marcas);
    // The same without the floor at 1 (0,05 for a range of 0,3).
    static double PasoRedondo(double rango, int marcas);
    // Ticks at whole multiples of a round step inside the axis's range, the
    // labels with as many decimals as the step has.
    static void MarcasRedondas(QValueAxis* eje, int marcas = 6);
    // The axis from `lo` to `hi` widened to the round step's multiples, with
    // MarcasRedondas. A flat or empty range is opened around its value.
    static void EjeRedondo(QValueAxis* eje, double lo, double hi, int marcas = 6);

    // The mouse near a point of `serie` (within a few pixels, the nearest
    // point of every series given here) shows `texto(indice)`.
    void ValoresAlPasar(QXYSeries* serie, std::function<QString(int)> texto);
    // Writes `texto` beside point `indice` of `serie` in a box that none of
    // the chart's lines cross and that stays inside the plot area.
    void Etiquetar(QXYSeries* serie, int indice, const QString& texto);
    void QuitarEtiquetas();
    // Where label k is drawn, in scene coordinates (empty when its point is
    // outside the plot).
    QRectF RectanguloEtiqueta(int k) const;
    // Chart value to view pixel and back, along `serie`'s axes.
    QPoint PixelDe(QPointF valor, QXYSeries* serie) const;

protected:
    const Regional& regional() const { return reg_; }
    QString Numero(double v, const char* patron) const;
    // Shows (or, with an empty text, hides) a value next to the mouse.
    void MostrarValor(const QString& texto);
    // The text for the mouse at `pos` (view pixels); by default the nearest
    // point of the series given to ValoresAlPasar.
    virtual QString TextoEn(QPointF pos) const;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void drawForeground(QPainter* pintor, const QRectF& rect) override;

private:
    struct ConTexto {
        QXYSeries* serie;
        std::function<QString(int)> texto;
    };
    struct Etiqueta {
        QXYSeries* serie;
        int indice;
        QString texto;
    };
    void Guardar();

    Regional reg_;
    QAction* guardar_;
    QString valor_;
    QPoint ultimoRaton_;
    std::vector<ConTexto> conTexto_;
    std::vector<Etiqueta> etiquetas_;
};

}  // namespace vortena
