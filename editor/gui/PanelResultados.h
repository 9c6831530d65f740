#pragma once
// The dockable "Resultados" panel: one sortable row per productive centre,
// a name search, copy as tab-separated text and CSV export. It shows the
// store through rows refreshed by the main window; choosing a row asks the
// window to select that centre.

#include <QDockWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "files/TablaResultados.h"
#include "model/Numeros.h"
#include "model/Red.h"

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace vortena {

class AvisoDesactualizado;
class ModeloResultados;

class PanelResultados : public QDockWidget {
    Q_OBJECT
public:
    explicit PanelResultados(QWidget* parent = nullptr);

    // Reads the rows again (only while the panel is shown; a hidden panel
    // reads them when it is shown next).
    void Refrescar(const Red& red, const Regional& reg);
    // Selects the centre's row without telling anyone; 0 clears.
    void SeleccionarCentro(std::int16_t posicion);
    // The selected rows in view order, or all of them when none is.
    std::vector<const FilaResultados*> FilasElegidas() const;
    // Puts the selected rows (or all) on the clipboard with a header.
    void Copiar();
    // Focuses the name search.
    void Buscar();

    QTableView* tabla() const { return tabla_; }
    // The line's totals row under the table, and its summary line.
    QTableView* totales() const { return pie_; }
    QLabel* resumenLinea() const { return linea_; }
    QLineEdit* busqueda() const { return busqueda_; }
    AvisoDesactualizado* aviso() const { return aviso_; }

signals:
    // The user chose a centre's row (click, keys or search).
    void centroElegido(std::int16_t posicion);
    // The panel was shown and needs its rows.
    void pideFilas();

private:
    void BuscarDesde(int inicio);
    void AlCambiarSeleccion();
    void AjustarColumnas();

    ModeloResultados* modelo_ = nullptr;
    QSortFilterProxyModel* orden_ = nullptr;
    QTableView* tabla_ = nullptr;
    QLineEdit* busqueda_ = nullptr;
    AvisoDesactualizado* aviso_ = nullptr;
    ModeloResultados* totales_ = nullptr;
    QTableView* pie_ = nullptr;
    QLabel* linea_ = nullptr;
    bool pendiente_ = true;
    bool callando_ = false;
};

}  // namespace vortena
