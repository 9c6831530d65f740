#include "editor/gui/ModeloResultados.h"

namespace vortena {

void ModeloResultados::Poner(std::vector<FilaResultados> filas, Regional reg) {
    beginResetModel();
    filas_ = std::move(filas);
    reg_ = reg;
    endResetModel();
}

int ModeloResultados::FilaDe(std::int16_t posicion) const {
    for (std::size_t i = 0; i < filas_.size(); ++i)
        if (filas_[i].posicion == posicion) return static_cast<int>(i);
    return -1;
}

int ModeloResultados::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(filas_.size());
}

int ModeloResultados::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : ColumnasResultados();
}

QVariant ModeloResultados::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid()) return {};
    const FilaResultados& f = filas_[static_cast<std::size_t>(indice.row())];
    const int c = indice.column();
    switch (rol) {
        case Qt::DisplayRole:
            return QString::fromStdString(TextoCelda(f, c, reg_));
        case Qt::UserRole:
            if (c == 0) return QString::fromStdString(f.nombre).toLower();
            // Blank cells sort before every number.
            return f.vacio[static_cast<std::size_t>(c)] ? -1e300
                                                        : f.valores[static_cast<std::size_t>(c)];
        case Qt::TextAlignmentRole:
            return c == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                          : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant ModeloResultados::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal) return {};
    const QString titulo = QString::fromStdString(TituloColumnaResultados(seccion));
    // The network keeps no unit names: "t" stands for its unit of time and
    // "$" for its currency.
    const Unidad u = UnidadColumnaResultados(seccion);
    if (rol == Qt::DisplayRole) {
        switch (u) {
            case Unidad::Tiempo:
                return titulo + QStringLiteral(" (t)");
            case Unidad::Tasa:
                return titulo + QStringLiteral(" (1/t)");
            case Unidad::CostoPorTiempo:
                return titulo + QStringLiteral(" ($/t)");
            case Unidad::Ninguna:
                return titulo;
        }
    }
    if (rol == Qt::ToolTipRole && u != Unidad::Ninguna)
        return titulo +
               QString::fromUtf8("\nt: la unidad de tiempo de la red (la de λ y μ); $: su moneda.");
    return {};
}

}  // namespace vortena
