#pragma once
// The rows of the "Resultados" panel as a Qt table model. Sorting goes by the
// numbers (Qt::UserRole), not by their text.

#include <QAbstractTableModel>
#include <vector>

#include "files/TablaResultados.h"
#include "model/Numeros.h"

namespace vortena {

class ModeloResultados : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Poner(std::vector<FilaResultados> filas, Regional reg);
    const std::vector<FilaResultados>& filas() const { return filas_; }
    // Source row of a centre, -1 when it has none.
    int FilaDe(std::int16_t posicion) const;
    const Regional& regional() const { return reg_; }

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

private:
    std::vector<FilaResultados> filas_;
    Regional reg_;
};

}  // namespace vortena
