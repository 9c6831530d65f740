#include "dialogs/ProbEstados.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/GraficoEstados.h"

namespace vortena {

namespace {

constexpr int kAnchoColumna = 80;  // 1200 twips
constexpr int kFilasVisibles = 15;

}  // namespace

ProbEstados::ProbEstados(const Red& red, Mensajes& mensajes, const Regional& reg, QWidget* parent)
    : QDialog(parent), reg_(reg) {
    setObjectName(QStringLiteral("ProbEstados"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    QString titulo = QStringLiteral("Probabilidades de Estados");
    if (red.Centros.Existe(red.CentroActual)) {
        const CentroProductivo& c = red.Centros(red.CentroActual);
        titulo += QStringLiteral(" - ") + QString::fromStdString(c.Nombre);
        tabla_ = CalcularTablaEstados(c, reg);
    } else {
        tabla_.resultado = ResultadoEstados::Desbordamiento;
    }
    setWindowTitle(titulo);

    Pestados = new QTableWidget(0, 2, this);
    Pestados->setObjectName(QStringLiteral("Pestados"));
    Pestados->horizontalHeader()->hide();
    Pestados->verticalHeader()->hide();
    Pestados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Pestados->setSelectionBehavior(QAbstractItemView::SelectRows);
    Pestados->setColumnWidth(0, kAnchoColumna);
    Pestados->setColumnWidth(1, kAnchoColumna);
    Pestados->verticalHeader()->setDefaultSectionSize(Pestados->fontMetrics().height() + 6);
    Pestados->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Pestados->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int marco = 2 * Pestados->frameWidth();
    Pestados->setFixedSize(
        2 * kAnchoColumna + Pestados->verticalScrollBar()->sizeHint().width() + marco,
        kFilasVisibles * Pestados->verticalHeader()->defaultSectionSize() + marco);

    grafico_ = new GraficoEstados(reg, this);
    grafico_->setFixedHeight(Pestados->height());
    grafico_->setMinimumWidth(grafico_->sizeHint().width());

    aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("aceptar"));
    aceptar->setDefault(true);
    connect(aceptar, &QPushButton::clicked, this, &QDialog::accept);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(Pestados);
    arriba->addWidget(grafico_);
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(grafico_->CrearBotonGuardar(this));
    abajo->addStretch(1);
    abajo->addWidget(aceptar);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba);
    todo->addLayout(abajo);
    todo->setSizeConstraint(QLayout::SetFixedSize);

    AvisarTablaEstados(tabla_, mensajes);
    Llenar();
}

void ProbEstados::Llenar() {
    if (tabla_.resultado != ResultadoEstados::Tabla) return;
    Pestados->setRowCount(tabla_.FilasGrid());
    for (int i = 0; i < static_cast<int>(tabla_.filas.size()); ++i) {
        const FilaEstado& f = tabla_.filas[static_cast<std::size_t>(i)];
        auto* estado = new QTableWidgetItem(QString::fromStdString(f.estado));
        auto* valor = new QTableWidgetItem(QString::fromStdString(f.valor));
        valor->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Pestados->setItem(i, 0, estado);
        Pestados->setItem(i, 1, valor);
    }
    grafico_->PonerProbabilidades(tabla_.probabilidades);
}

}  // namespace vortena
