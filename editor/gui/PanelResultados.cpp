#include "editor/gui/PanelResultados.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/gui/ModeloResultados.h"
#include "widgets/AvisoDesactualizado.h"

namespace vortena {

PanelResultados::PanelResultados(QWidget* parent)
    : QDockWidget(QStringLiteral("Resultados"), parent) {
    setObjectName(QStringLiteral("dockResultados"));
    auto* cuerpo = new QWidget(this);
    auto* capa = new QVBoxLayout(cuerpo);
    capa->setContentsMargins(2, 2, 2, 2);

    busqueda_ = new QLineEdit(cuerpo);
    busqueda_->setObjectName(QStringLiteral("buscarCentro"));
    busqueda_->setPlaceholderText(QStringLiteral("Buscar centro por nombre (Ctrl+F)"));
    busqueda_->setClearButtonEnabled(true);
    capa->addWidget(busqueda_);
    aviso_ = new AvisoDesactualizado(
        QString::fromUtf8("Resultados sin calcular: las cifras no corresponden a la red tal "
                          "como está. Pulse Ctrl+E (Cálculo de PERT) para calcularlas."),
        cuerpo);
    capa->addWidget(aviso_);

    modelo_ = new ModeloResultados(this);
    orden_ = new QSortFilterProxyModel(this);
    orden_->setSourceModel(modelo_);
    orden_->setSortRole(Qt::UserRole);
    tabla_ = new QTableView(cuerpo);
    tabla_->setObjectName(QStringLiteral("tablaResultados"));
    tabla_->setModel(orden_);
    tabla_->setSortingEnabled(true);
    tabla_->sortByColumn(-1, Qt::AscendingOrder);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setAlternatingRowColors(true);
    tabla_->verticalHeader()->setVisible(false);
    tabla_->verticalHeader()->setDefaultSectionSize(tabla_->fontMetrics().height() + 6);
    capa->addWidget(tabla_);

    // The line's totals stay under the centres whatever the order and the
    // scrolling: a one-row table of its own, its columns kept as wide as
    // the table's.
    totales_ = new ModeloResultados(this);
    pie_ = new QTableView(cuerpo);
    pie_->setObjectName(QStringLiteral("totalesResultados"));
    pie_->setModel(totales_);
    pie_->horizontalHeader()->setVisible(false);
    pie_->verticalHeader()->setVisible(false);
    pie_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pie_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pie_->setSelectionMode(QAbstractItemView::NoSelection);
    pie_->setFocusPolicy(Qt::NoFocus);
    pie_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pie_->verticalHeader()->setDefaultSectionSize(tabla_->verticalHeader()->defaultSectionSize());
    pie_->setFixedHeight(pie_->verticalHeader()->defaultSectionSize() + 2 * pie_->frameWidth());
    QFont negrita = pie_->font();
    negrita.setBold(true);
    pie_->setFont(negrita);
    capa->addWidget(pie_);
    connect(tabla_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int columna, int, int ancho) { pie_->setColumnWidth(columna, ancho); });
    connect(tabla_->horizontalScrollBar(), &QScrollBar::valueChanged, pie_->horizontalScrollBar(),
            &QScrollBar::setValue);
    linea_ = new QLabel(cuerpo);
    linea_->setObjectName(QStringLiteral("resumenLinea"));
    linea_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    capa->addWidget(linea_);
    setWidget(cuerpo);

    auto* copiar = new QAction(QStringLiteral("Copiar"), tabla_);
    copiar->setObjectName(QStringLiteral("copiarResultados"));
    copiar->setShortcut(QKeySequence::Copy);
    copiar->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copiar, &QAction::triggered, this, &PanelResultados::Copiar);
    tabla_->addAction(copiar);
    tabla_->setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(tabla_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PanelResultados::AlCambiarSeleccion);
    connect(busqueda_, &QLineEdit::textEdited, this, [this] { BuscarDesde(0); });
    connect(busqueda_, &QLineEdit::returnPressed, this, [this] {
        // Enter goes on to the next match.
        const QModelIndex actual = tabla_->currentIndex();
        BuscarDesde(actual.isValid() ? actual.row() + 1 : 0);
    });
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && pendiente_) emit pideFilas();
    });
}

void PanelResultados::Refrescar(const Red& red, const Regional& reg) {
    if (!isVisible()) {
        pendiente_ = true;
        return;
    }
    pendiente_ = false;
    aviso_->Poner(!red.ResultadosAlDia);
    callando_ = true;
    modelo_->Poner(FilasResultados(red), reg);
    callando_ = false;
    const FilaResultados totales = FilaTotales(red);
    totales_->Poner({totales}, reg);
    // Every refresh may bring wider numbers: the columns follow their
    // contents, the totals included.
    AjustarColumnas();
    const auto texto = [&reg](double v, const char* patron) {
        return QString::fromStdString(Formato(v, patron, reg));
    };
    const std::optional<double> t = TiempoLinea(totales);
    const QString tiempo = t ? texto(*t, "#0.0000") : QStringLiteral("sin calcular (PERT)");
    linea_->setText(QString::fromUtf8("Costo de la línea: %1   Tiempo de la línea: %2   "
                                      "Salida: %3")
                        .arg(texto(CostoLinea(totales), "$ #0.00"), tiempo,
                             texto(SalidaLinea(totales), "#0.####")));
    SeleccionarCentro(red.HaySeleccion ? red.CentroActual : 0);
}

void PanelResultados::AjustarColumnas() {
    auto* cabecera = tabla_->horizontalHeader();
    // The width hints are public on the base class only.
    const QAbstractItemView* tabla = tabla_;
    const QAbstractItemView* pie = pie_;
    for (int c = 0; c < modelo_->columnCount(); ++c) {
        // The widest of the header, the visible rows and the totals.
        const int ancho = std::max(
            {cabecera->sectionSizeHint(c), tabla->sizeHintForColumn(c), pie->sizeHintForColumn(c)});
        tabla_->setColumnWidth(c, ancho);
        pie_->setColumnWidth(c, ancho);
    }
}

void PanelResultados::SeleccionarCentro(std::int16_t posicion) {
    callando_ = true;
    const int fila = posicion != 0 ? modelo_->FilaDe(posicion) : -1;
    if (fila < 0) {
        tabla_->clearSelection();
    } else {
        const QModelIndex i = orden_->mapFromSource(modelo_->index(fila, 0));
        tabla_->selectionModel()->setCurrentIndex(
            i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tabla_->scrollTo(i);
    }
    callando_ = false;
}

std::vector<const FilaResultados*> PanelResultados::FilasElegidas() const {
    std::vector<int> vista;
    for (const QModelIndex& i : tabla_->selectionModel()->selectedRows()) vista.push_back(i.row());
    if (vista.empty())
        for (int r = 0; r < orden_->rowCount(); ++r) vista.push_back(r);
    std::sort(vista.begin(), vista.end());
    std::vector<const FilaResultados*> filas;
    for (int r : vista) {
        const int fuente = orden_->mapToSource(orden_->index(r, 0)).row();
        filas.push_back(&modelo_->filas()[static_cast<std::size_t>(fuente)]);
    }
    return filas;
}

void PanelResultados::Copiar() {
    const std::string texto = TablaComoTexto(FilasElegidas(), '\t', false, modelo_->regional());
    QGuiApplication::clipboard()->setText(QString::fromStdString(texto));
}

void PanelResultados::Buscar() {
    show();
    raise();
    busqueda_->setFocus(Qt::ShortcutFocusReason);
    busqueda_->selectAll();
}

void PanelResultados::BuscarDesde(int inicio) {
    const QString buscado = busqueda_->text().trimmed();
    QPalette pal = busqueda_->palette();
    pal.setColor(QPalette::Base, palette().color(QPalette::Base));
    if (buscado.isEmpty()) {
        busqueda_->setPalette(pal);
        return;
    }
    const int n = orden_->rowCount();
    for (int k = 0; k < n; ++k) {
        const int r = (inicio + k) % n;
        const QString nombre = orden_->index(r, 0).data().toString();
        if (!nombre.contains(buscado, Qt::CaseInsensitive)) continue;
        busqueda_->setPalette(pal);
        tabla_->selectionModel()->setCurrentIndex(
            orden_->index(r, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tabla_->scrollTo(orden_->index(r, 0));
        return;
    }
    // No match: the field says so, the selection stays.
    pal.setColor(QPalette::Base, QColor(255, 210, 210));
    busqueda_->setPalette(pal);
}

void PanelResultados::AlCambiarSeleccion() {
    if (callando_) return;
    const QModelIndexList filas = tabla_->selectionModel()->selectedRows();
    if (filas.size() != 1) return;
    const int fuente = orden_->mapToSource(filas.front()).row();
    emit centroElegido(modelo_->filas()[static_cast<std::size_t>(fuente)].posicion);
}

}  // namespace vortena
