#include "simulate/gui/VentanaSimulacion.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "compute/CopiaRed.h"
#include "editor/gui/Principal.h"
#include "model/HuellaRed.h"
#include "simulate/SimulacionLinea.h"
#include "files/NombreExportar.h"
#include "simulate/gui/TablaSimulacion.h"
#include "widgets/AvisoDesactualizado.h"
#include "widgets/CampoNumerico.h"
#include "widgets/GuardarSalida.h"
#include "widgets/VentanaHerramienta.h"

namespace vortena {
namespace {

constexpr double kSemillaMax = 9007199254740991.0;  // whole numbers read exactly
constexpr Color kGris{128, 128, 128};
const QColor kFondoFuera(255, 224, 224);
const QColor kFondoInestable(232, 232, 232);

// Sorts by the numeric key when both cells have one.
class Item : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& otro) const override {
        const QVariant a = data(Qt::UserRole), b = otro.data(Qt::UserRole);
        if (a.isValid() && b.isValid()) return a.toDouble() < b.toDouble();
        if (a.isValid() != b.isValid()) return a.isValid();  // figures before blanks
        return text() < otro.text();
    }
};

QSettings Ajustes() {
    return QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena"));
}

// The line's run in the shape of the centres' one, so the table and the
// canvas marks show both alike.
ResultadoSimulacion ComoCentros(const ResultadoLinea& l) {
    ResultadoSimulacion r;
    r.opciones = l.opciones;
    for (const CentroLinea& c : l.centros) {
        ResultadoCentro rc;
        rc.indice = c.indice;
        rc.posicion = c.posicion;
        rc.Nombre = c.Nombre;
        rc.servidores = c.servidores;
        rc.inestable = !c.recibe || !c.formula;
        rc.analitico = c.analitico;
        rc.simulado = c.simulado;
        rc.replicas = l.replicas;
        rc.calentamiento = l.calentamiento;
        r.centros.push_back(std::move(rc));
    }
    return r;
}

}  // namespace

VentanaSimulacion::VentanaSimulacion(Principal& principal)
    : QWidget(&principal, Qt::Window), principal_(principal) {
    setObjectName(QStringLiteral("VentanaSimulacion"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Simulación de centros"));
    Construir();
    CargarAjustes();
    Habilitar();
    connect(&principal_, &Principal::documentoCambiado, this,
            &VentanaSimulacion::DocumentoCambiado);
    ComoVentanaDeHerramienta(*this, principal_);
    resize(1100, 520);
}

VentanaSimulacion::~VentanaSimulacion() {
    // The main window may be half destroyed already: only stop the worker.
    if (hebra_.joinable()) {
        trabajo_->Cancelar();
        hebra_.join();
    }
}

void VentanaSimulacion::Construir() {
    auto* ajustes = new QGroupBox(QStringLiteral("Ajustes"), this);
    auto* g = new QGridLayout(ajustes);
    const auto campo = [this](const char* nombre, const Admisible& admite) {
        auto* e = new CampoNumerico(nombre, principal_.regional(), admite, this);
        e->setMaximumWidth(140);
        return e;
    };
    const auto clientes = static_cast<double>(OpcionesSimulacion::kClientesMax);
    replicas_ = campo("replicas", Admisible::Entero(OpcionesSimulacion::kReplicasMin,
                                                    OpcionesSimulacion::kReplicasMax));
    precision_ = campo("precision", Admisible{0, 1, true, true, false, 1});
    clientes_ = campo("clientes", Admisible::Entero(1, clientes));
    calentamiento_ = campo("calentamiento", Admisible::Entero(0, clientes));
    semilla_ = campo("semilla", Admisible::Entero(0, kSemillaMax));
    tolerancia_ = campo("tolerancia", Admisible{0, 100 * OpcionesSimulacion::kToleranciaMax, false,
                                                false, false, 1});
    tolerancia_->setToolTip(
        QStringLiteral("Diferencia relativa entre modelo y simulación por debajo de la cual "
                       "ninguna cifra se marca"));
    porPrecision_ = new QCheckBox(QStringLiteral("Réplicas hasta la precisión relativa"), this);
    porPrecision_->setObjectName(QStringLiteral("porPrecision"));
    calentamientoAuto_ = new QCheckBox(QStringLiteral("Automático (MSER-5)"), this);
    calentamientoAuto_->setObjectName(QStringLiteral("calentamientoAuto"));
    distribucion_ = new QComboBox(this);
    distribucion_->setObjectName(QStringLiteral("distribucion"));
    distribucion_->addItems({QStringLiteral("Gamma"), QStringLiteral("Lognormal")});
    distribucion_->setToolTip(
        QStringLiteral("Forma de los tiempos cuyo coeficiente de variación no es 0 ni 1"));

    g->addWidget(new QLabel(QStringLiteral("Réplicas:"), this), 0, 0);
    g->addWidget(replicas_, 0, 1);
    g->addWidget(porPrecision_, 0, 2);
    g->addWidget(precision_, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("Clientes por réplica:"), this), 1, 0);
    g->addWidget(clientes_, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Distribución:"), this), 1, 2);
    g->addWidget(distribucion_, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Calentamiento (clientes):"), this), 2, 0);
    g->addWidget(calentamiento_, 2, 1);
    g->addWidget(calentamientoAuto_, 2, 2);
    g->addWidget(new QLabel(QStringLiteral("Semilla:"), this), 3, 0);
    g->addWidget(semilla_, 3, 1);
    modo_ = new QComboBox(this);
    modo_->setObjectName(QStringLiteral("modo"));
    modo_->addItems(
        {QStringLiteral("Cada centro por separado"), QStringLiteral("Dentro de la línea")});
    modo_->setToolTip(QStringLiteral(
        "Por separado: cada centro recibe llegadas con la variabilidad escrita en su cuadro.\n"
        "Dentro de la línea: las unidades recorren la línea y cada centro recibe lo que le\n"
        "envían los anteriores (así se ve si la fórmula acierta con las llegadas reales)."));
    g->addWidget(new QLabel(QStringLiteral("Centros:"), this), 3, 2);
    g->addWidget(modo_, 3, 3);
    g->addWidget(new QLabel(QStringLiteral("Tolerancia (%):"), this), 4, 0);
    g->addWidget(tolerancia_, 4, 1);
    g->setColumnStretch(4, 1);
    connect(porPrecision_, &QCheckBox::toggled, this, [this] { Habilitar(); });
    connect(calentamientoAuto_, &QCheckBox::toggled, this, [this] { Habilitar(); });

    const auto boton = [this](const char* nombre, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(nombre));
        return b;
    };
    simular_ = boton("btSimular", QStringLiteral("Simular"));
    cancelar_ = boton("btCancelar", QStringLiteral("Cancelar"));
    copiar_ = boton("btCopiar", QStringLiteral("Copiar"));
    exportar_ = boton("btExportar", QStringLiteral("Exportar CSV…"));
    simular_->setDefault(true);
    progreso_ = new QProgressBar(this);
    progreso_->setObjectName(QStringLiteral("progreso"));
    progreso_->setRange(0, 1000);
    progreso_->setTextVisible(false);
    connect(simular_, &QPushButton::clicked, this, [this] { Simular(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { Cancelar(); });
    connect(copiar_, &QPushButton::clicked, this, [this] { Copiar(); });
    connect(exportar_, &QPushButton::clicked, this, [this] { ExportarCSV(); });
    auto* botones = new QHBoxLayout;
    botones->addWidget(simular_);
    botones->addWidget(cancelar_);
    botones->addWidget(progreso_, 1);
    botones->addSpacing(20);
    columnas_ = new QToolButton(this);
    columnas_->setObjectName(QStringLiteral("btColumnas"));
    columnas_->setText(QStringLiteral("Columnas"));
    columnas_->setPopupMode(QToolButton::InstantPopup);
    columnas_->setMenu(new QMenu(columnas_));
    botones->addWidget(columnas_);
    botones->addWidget(copiar_);
    botones->addWidget(exportar_);
    auto* iniciales = boton("btValoresIniciales", QStringLiteral("Valores iniciales"));
    connect(iniciales, &QPushButton::clicked, this, [this] { ValoresIniciales(); });
    botones->addWidget(iniciales);
    botones->addWidget(
        BotonAyuda(*this, [this] { principal_.MostrarAyuda(QStringLiteral("simulacion.htm")); }));

    estado_ = new QLabel(this);
    estado_->setObjectName(QStringLiteral("estado"));
    estado_->setText(QStringLiteral("Elija los ajustes y pulse Simular."));

    tabla_ = new QTableWidget(this);
    tabla_->setObjectName(QStringLiteral("tabla"));
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->verticalHeader()->setVisible(false);
    const std::vector<QString> titulos = TitulosSimulacion();
    tabla_->setColumnCount(static_cast<int>(titulos.size()));
    for (std::size_t i = 0; i < titulos.size(); ++i) {
        // "W modelo" over two lines: the figures, not the titles, set the
        // widths, so the usual columns fit the window.
        QString dos = titulos[i];
        for (const QString& fin : {QStringLiteral(" modelo"), QStringLiteral(" simulad")}) {
            const qsizetype k = dos.lastIndexOf(fin);
            if (k > 0) dos[k] = QLatin1Char('\n');
        }
        auto* cabecera = new QTableWidgetItem(dos);
        cabecera->setData(Qt::UserRole, titulos[i]);
        tabla_->setHorizontalHeaderItem(static_cast<int>(i), cabecera);
    }
    tabla_->setSortingEnabled(true);
    tabla_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    tabla_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    tabla_->horizontalHeader()->setStretchLastSection(true);
    ConstruirColumnas();

    auto* copia = new QAction(this);
    copia->setShortcut(QKeySequence::Copy);
    copia->setShortcutContext(Qt::WindowShortcut);
    connect(copia, &QAction::triggered, this, [this] { Copiar(); });
    addAction(copia);

    aviso_ = new AvisoDesactualizado(QString::fromUtf8(kDesactualizada), this);
    auto* v = new QVBoxLayout(this);
    v->addWidget(aviso_);
    v->addWidget(ajustes);
    v->addLayout(botones);
    v->addWidget(estado_);
    v->addWidget(tabla_, 1);
}

void VentanaSimulacion::CargarAjustes() {
    QSettings s = Ajustes();
    const Regional& reg = principal_.regional();
    const OpcionesSimulacion d;
    const auto numero = [&](const char* clave, double pred) {
        return QString::fromStdString(TextoGeneral(
            s.value(QStringLiteral("simulacion/") + QLatin1String(clave), pred).toDouble(), reg));
    };
    replicas_->setText(numero("replicas", d.replicas));
    precision_->setText(numero("precision", 0.01));
    clientes_->setText(numero("clientes", static_cast<double>(d.clientes)));
    calentamiento_->setText(numero("calentamiento", static_cast<double>(d.calentamiento)));
    semilla_->setText(numero("semilla", static_cast<double>(d.semilla)));
    tolerancia_->setText(numero("tolerancia", 100 * d.tolerancia));
    const QStringList ocultos =
        s.value(QStringLiteral("simulacion/gruposOcultos"), QStringLiteral("?")).toStringList();
    if (ocultos != QStringList{QStringLiteral("?")})
        for (QAction* a : columnas_->menu()->actions()) a->setChecked(!ocultos.contains(a->text()));
    porPrecision_->setChecked(s.value(QStringLiteral("simulacion/porPrecision"), false).toBool());
    calentamientoAuto_->setChecked(
        s.value(QStringLiteral("simulacion/calentamientoAuto"), false).toBool());
    distribucion_->setCurrentIndex(
        s.value(QStringLiteral("simulacion/lognormal"), false).toBool() ? 1 : 0);
    modo_->setCurrentIndex(s.value(QStringLiteral("simulacion/enLinea"), false).toBool() ? 1 : 0);
}

void VentanaSimulacion::GuardarAjustes() const {
    QSettings s = Ajustes();
    const Regional& reg = principal_.regional();
    const auto guardar = [&](const char* clave, QLineEdit* e) {
        if (const auto v = LeerNumero(e->text().toStdString(), reg))
            s.setValue(QStringLiteral("simulacion/") + QLatin1String(clave), *v);
    };
    guardar("replicas", replicas_);
    guardar("precision", precision_);
    guardar("clientes", clientes_);
    guardar("calentamiento", calentamiento_);
    guardar("semilla", semilla_);
    guardar("tolerancia", tolerancia_);
    QStringList ocultos;
    for (QAction* a : columnas_->menu()->actions())
        if (!a->isChecked()) ocultos << a->text();
    s.setValue(QStringLiteral("simulacion/gruposOcultos"), ocultos);
    s.setValue(QStringLiteral("simulacion/porPrecision"), porPrecision_->isChecked());
    s.setValue(QStringLiteral("simulacion/calentamientoAuto"), calentamientoAuto_->isChecked());
    s.setValue(QStringLiteral("simulacion/lognormal"), distribucion_->currentIndex() == 1);
    s.setValue(QStringLiteral("simulacion/enLinea"), modo_->currentIndex() == 1);
}

std::optional<OpcionesSimulacion> VentanaSimulacion::LeerAjustes() {
    OpcionesSimulacion o;
    // A refused field keeps its text and the focus; the status line says why.
    const auto leer = [&](CampoNumerico* e, const QString& que) -> std::optional<double> {
        const Lectura l = e->Tomar();
        if (!l.valor) Estado(que + QStringLiteral(": ") + QString::fromStdString(l.motivo), true);
        return l.valor;
    };
    if (porPrecision_->isChecked()) {
        const auto p = leer(precision_, QStringLiteral("La precisión relativa"));
        if (!p) return std::nullopt;
        o.precision = *p;
    } else {
        const auto r = leer(replicas_, QStringLiteral("Las réplicas"));
        if (!r) return std::nullopt;
        o.replicas = static_cast<int>(*r);
    }
    const auto n = leer(clientes_, QStringLiteral("Los clientes por réplica"));
    if (!n) return std::nullopt;
    o.clientes = static_cast<std::int64_t>(*n);
    o.calentamientoAuto = calentamientoAuto_->isChecked();
    if (!o.calentamientoAuto) {
        const auto k = leer(calentamiento_, QStringLiteral("El calentamiento"));
        if (!k) return std::nullopt;
        o.calentamiento = static_cast<std::int64_t>(*k);
    }
    const auto s = leer(semilla_, QStringLiteral("La semilla"));
    if (!s) return std::nullopt;
    o.semilla = static_cast<std::uint64_t>(*s);
    o.distribucion =
        distribucion_->currentIndex() == 1 ? Distribucion::Lognormal : Distribucion::Gamma;
    const auto tol = leer(tolerancia_, QStringLiteral("La tolerancia (%)"));
    if (!tol) return std::nullopt;
    o.tolerancia = *tol / 100;
    if (TrabajoPorCentro(o) > OpcionesSimulacion::kTrabajoMax) {
        Estado(QStringLiteral("Réplicas × (clientes + calentamiento) pasa del máximo de ") +
                   QString::fromStdString(
                       TextoGeneral(OpcionesSimulacion::kTrabajoMax, principal_.regional())) +
                   QStringLiteral(" clientes por centro."),
               true);
        clientes_->setFocus();
        return std::nullopt;
    }
    return o;
}

bool VentanaSimulacion::Simular() {
    if (Corriendo()) return false;
    const auto o = LeerAjustes();
    if (!o) return false;
    // The copy is taken here, on the interface thread: the user may edit
    // the network while the worker runs.
    auto copia = std::make_shared<Red>(CopiarRed(principal_.red()));
    huellaCorrida_ = HuellaRed(principal_.red());
    trabajo_ = std::make_shared<Trabajo>();
    trabajo_->progreso = [this](double f) {
        QMetaObject::invokeMethod(
            this,
            [this, f] {
                progreso_->setValue(std::max(progreso_->value(), static_cast<int>(f * 1000)));
            },
            Qt::QueuedConnection);
    };
    progreso_->setValue(0);
    const bool enLinea = modo_->currentIndex() == 1;
    avisoCorrida_.clear();
    hebra_ = std::thread([this, copia, o = *o, trabajo = trabajo_, enLinea] {
        std::shared_ptr<ResultadoSimulacion> r;
        QString motivo;
        try {
            if (enLinea) {
                const ResultadoLinea l = SimularLinea(*copia, o, std::nullopt, *trabajo);
                avisoCorrida_ = AvisoTasas(l.tasasDistintas);  // read after the join
                r = std::make_shared<ResultadoSimulacion>(ComoCentros(l));
            } else {
                r = std::make_shared<ResultadoSimulacion>(SimularCentros(*copia, o, *trabajo));
            }
        } catch (const Cancelado&) {
            motivo = QStringLiteral("Simulación cancelada.");
        } catch (const std::exception& e) {
            motivo = QStringLiteral("La simulación no pudo completarse: ") +
                     QString::fromLocal8Bit(e.what());
        }
        QMetaObject::invokeMethod(
            this, [this, r, motivo] { Terminar(r, motivo); }, Qt::QueuedConnection);
    });
    Estado(QStringLiteral("Simulando…"), false);
    Habilitar();
    return true;
}

void VentanaSimulacion::Cancelar() {
    if (trabajo_ && Corriendo()) trabajo_->Cancelar();
}

void VentanaSimulacion::Terminar(std::shared_ptr<ResultadoSimulacion> r, const QString& motivo) {
    if (hebra_.joinable()) hebra_.join();
    progreso_->setValue(0);
    if (r) {
        resultado_ = std::move(*r);
        huella_ = huellaCorrida_;
        desactualizada_ = HuellaRed(principal_.red()) != huella_;
        aviso_->Poner(desactualizada_);
        // Only a run that completed sets what the window remembers.
        GuardarAjustes();
        Mostrar();
        Marcar();
    } else {
        // A cancelled or failed run leaves the previous results as they were.
        Estado(motivo + (resultado_ ? QStringLiteral(" Se muestran los resultados anteriores.")
                                    : QString()),
               true);
    }
    Habilitar();
    emit terminada();
}

void VentanaSimulacion::Mostrar() {
    const Regional& reg = principal_.regional();
    const std::vector<FilaSimulacion> filas = FilasSimulacion(*resultado_, reg);
    tabla_->setSortingEnabled(false);
    tabla_->clearContents();
    tabla_->setRowCount(static_cast<int>(filas.size()));
    for (std::size_t i = 0; i < filas.size(); ++i) {
        const FilaSimulacion& f = filas[i];
        for (std::size_t j = 0; j < f.celdas.size(); ++j) {
            const CeldaSimulacion& c = f.celdas[j];
            auto* item = new Item(c.texto);
            if (c.clave) item->setData(Qt::UserRole, *c.clave);
            if (!c.nota.isEmpty()) item->setToolTip(c.nota);
            if (j > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (f.fuera) item->setBackground(kFondoFuera);
            if (f.inestable) item->setBackground(kFondoInestable);
            if (c.fuera) {
                QFont negrita = item->font();
                negrita.setBold(true);
                item->setFont(negrita);
                item->setForeground(QColor(160, 0, 0));
            }
            tabla_->setItem(static_cast<int>(i), static_cast<int>(j), item);
        }
    }
    tabla_->setSortingEnabled(true);
    tabla_->resizeColumnsToContents();
    // Long warnings are read in full in their tooltip; the column stays narrow.
    const int avisos = tabla_->columnCount() - 1;
    tabla_->setColumnWidth(avisos, std::min(tabla_->columnWidth(avisos), 200));
    for (int i = 0; i < tabla_->rowCount(); ++i)
        if (QTableWidgetItem* item = tabla_->item(i, avisos)) item->setToolTip(item->text());
    AjustarFija();

    const OpcionesSimulacion& o = resultado_->opciones;
    const ResultadoSimulacion& r = *resultado_;
    const auto texto = [&](double x) { return QString::fromStdString(TextoGeneral(x, reg)); };
    int replicasMin = OpcionesSimulacion::kReplicasMax + 1, replicasMax = 0;
    for (const ResultadoCentro& c : r.centros)
        if (!c.inestable) {
            replicasMin = std::min(replicasMin, c.replicas);
            replicasMax = std::max(replicasMax, c.replicas);
        }
    const int marcados = r.Banderas();
    QString t =
        QStringLiteral("Semilla ") + texto(static_cast<double>(o.semilla)) + QStringLiteral(" · ");
    if (replicasMax == 0)
        t += QStringLiteral("ningún centro simulado");
    else if (replicasMin == replicasMax)
        t += texto(replicasMax) + QStringLiteral(" réplicas");
    else
        t += QStringLiteral("de ") + texto(replicasMin) + QStringLiteral(" a ") +
             texto(replicasMax) + QStringLiteral(" réplicas");
    if (o.precision > 0)
        t += QStringLiteral(" (precisión ") + texto(o.precision) + QLatin1Char(')');
    t += QStringLiteral(" · tolerancia ") + texto(100 * o.tolerancia) + QStringLiteral(" % · ") +
         texto(marcados) +
         (marcados == 1 ? QStringLiteral(" centro marcado") : QStringLiteral(" centros marcados")) +
         QStringLiteral(" de ") + texto(r.pruebas) +
         QStringLiteral(" comparaciones; si el modelo fuera exacto, el azar marcaría de media ") +
         QString::fromStdString(Formato(r.banderasPorAzar, "0.00", reg)) +
         QStringLiteral(" centros como mucho");
    QStringList sinPrecision;
    for (const ResultadoCentro& d : r.centros) {
        if (d.sinPrecision.empty()) continue;
        QStringList medidas;
        for (int m : d.sinPrecision) medidas << QString::fromLatin1(NombreFila(m));
        sinPrecision << QString::fromStdString(d.Nombre) + QStringLiteral(" (") +
                            medidas.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    if (!sinPrecision.isEmpty())
        t +=
            QStringLiteral(" · precisión no alcanzada: ") + sinPrecision.join(QStringLiteral("; "));
    if (!avisoCorrida_.empty())
        t += QStringLiteral(" · ") + QString::fromStdString(avisoCorrida_) +
             QStringLiteral(" (se simula con el flujo de la línea)");
    if (desactualizada_)
        Estado(QString::fromUtf8(kDesactualizada), true);
    else
        Estado(t, false);
}

// The measures shown are chosen by group; the centre column stays in view
// while the others scroll, as a second view of the same model laid over the
// table's left edge.
void VentanaSimulacion::ConstruirColumnas() {
    const std::vector<ColumnaSimulacion> columnas = ColumnasSimulacion();
    for (const QString& grupo : GruposSimulacion()) {
        QAction* a = columnas_->menu()->addAction(grupo);
        a->setCheckable(true);
        bool visible = false;
        for (const ColumnaSimulacion& c : columnas) visible |= c.grupo == grupo && c.visible;
        a->setChecked(visible);
        MostrarGrupo(grupo, visible);
        connect(a, &QAction::toggled, this, [this, grupo](bool v) {
            MostrarGrupo(grupo, v);
            AjustarFija();
        });
    }

    fija_ = new QTableView(tabla_);
    fija_->setObjectName(QStringLiteral("columnaFija"));
    fija_->setModel(tabla_->model());
    fija_->setSelectionModel(tabla_->selectionModel());
    fija_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fija_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fija_->setFocusPolicy(Qt::NoFocus);
    fija_->verticalHeader()->hide();
    fija_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fija_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    fija_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija_->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    for (int j = 1; j < tabla_->columnCount(); ++j) fija_->setColumnHidden(j, true);
    tabla_->viewport()->stackUnder(fija_);
    connect(fija_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] {
        QHeaderView* h = tabla_->horizontalHeader();
        const bool sube =
            h->sortIndicatorSection() != 0 || h->sortIndicatorOrder() != Qt::AscendingOrder;
        tabla_->sortByColumn(0, sube ? Qt::AscendingOrder : Qt::DescendingOrder);
    });
    connect(tabla_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { AjustarFija(); });
    connect(tabla_->verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int fila, int, int alto) { fija_->setRowHeight(fila, alto); });
    connect(fija_->verticalScrollBar(), &QAbstractSlider::valueChanged, tabla_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(tabla_->verticalScrollBar(), &QAbstractSlider::valueChanged, fija_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    tabla_->installEventFilter(this);
    AjustarFija();
}

void VentanaSimulacion::MostrarGrupo(const QString& grupo, bool visible) {
    const std::vector<ColumnaSimulacion> columnas = ColumnasSimulacion();
    for (std::size_t j = 0; j < columnas.size(); ++j)
        if (columnas[j].grupo == grupo) tabla_->setColumnHidden(static_cast<int>(j), !visible);
}

void VentanaSimulacion::AjustarFija() {
    if (!fija_) return;
    fija_->setColumnWidth(0, tabla_->columnWidth(0));
    // The table's titles take two lines, the centre's one: same height.
    fija_->horizontalHeader()->setFixedHeight(tabla_->horizontalHeader()->height());
    for (int i = 0; i < tabla_->rowCount(); ++i) fija_->setRowHeight(i, tabla_->rowHeight(i));
    const int marco = tabla_->frameWidth();
    fija_->setGeometry(tabla_->verticalHeader()->width() + marco, marco, tabla_->columnWidth(0),
                       tabla_->viewport()->height() + tabla_->horizontalHeader()->height());
}

bool VentanaSimulacion::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == tabla_ && evento->type() == QEvent::Resize) AjustarFija();
    return QWidget::eventFilter(objeto, evento);
}

void VentanaSimulacion::Marcar() {
    if (!resultado_ || desactualizada_) return;
    Sombreado s;
    s.tituloLeyenda = "Simulación";
    s.leyenda = {{kVerde, "Modelo confirmado por la simulación"},
                 {kRojo, "Alguna cifra del modelo se aparta"},
                 {kGris, "Inestable: no simulado"}};
    for (const ResultadoCentro& c : resultado_->centros)
        s.marca[c.posicion] = {c.inestable ? kGris : c.TodoDentro() ? kVerde : kRojo, ""};
    principal_.editor().capas().Poner(kCapa, std::move(s));
    principal_.RedibujarTodo();
}

void VentanaSimulacion::QuitarMarcas() {
    principal_.editor().capas().Quitar(kCapa);
    principal_.RedibujarTodo();
}

void VentanaSimulacion::DocumentoCambiado() {
    if (!resultado_ || desactualizada_) return;
    if (HuellaRed(principal_.red()) == huella_) return;  // saved or repainted, not edited
    desactualizada_ = true;
    aviso_->Poner(true);
    Estado(QString::fromUtf8(kDesactualizada), true);
    // Not while the edit that told us is still under way.
    QTimer::singleShot(0, this, [this] { QuitarMarcas(); });
}

void VentanaSimulacion::ValoresIniciales() {
    Ajustes().remove(QStringLiteral("simulacion"));
    CargarAjustes();
    Habilitar();
}

void VentanaSimulacion::Estado(const QString& texto, bool aviso) {
    estado_->setText(texto);
    estado_->setStyleSheet(aviso ? QStringLiteral("color: #a00000; font-weight: bold;")
                                 : QString());
}

void VentanaSimulacion::Habilitar() {
    const bool corre = Corriendo();
    for (QWidget* w :
         std::initializer_list<QWidget*>{clientes_, semilla_, tolerancia_, distribucion_, modo_,
                                         porPrecision_, calentamientoAuto_, simular_})
        w->setEnabled(!corre);
    replicas_->setEnabled(!corre && !porPrecision_->isChecked());
    precision_->setEnabled(!corre && porPrecision_->isChecked());
    calentamiento_->setEnabled(!corre && !calentamientoAuto_->isChecked());
    cancelar_->setEnabled(corre);
    copiar_->setEnabled(resultado_.has_value());
    exportar_->setEnabled(resultado_.has_value());
}

std::vector<std::vector<QString>> VentanaSimulacion::Celdas() const {
    std::vector<std::vector<QString>> filas;
    std::vector<QString> titulos;
    // What the user sees: the hidden columns stay out.
    for (int j = 0; j < tabla_->columnCount(); ++j)
        if (!tabla_->isColumnHidden(j))
            titulos.push_back(tabla_->horizontalHeaderItem(j)->data(Qt::UserRole).toString());
    filas.push_back(titulos);
    for (int i = 0; i < tabla_->rowCount(); ++i) {
        std::vector<QString> fila;
        for (int j = 0; j < tabla_->columnCount(); ++j) {
            if (tabla_->isColumnHidden(j)) continue;
            const QTableWidgetItem* item = tabla_->item(i, j);
            fila.push_back(item ? item->text() : QString());
        }
        filas.push_back(fila);
    }
    return filas;
}

QString VentanaSimulacion::TextoTabla() const {
    return TextoTabulado(Celdas());
}

void VentanaSimulacion::Copiar() const {
    if (resultado_) QApplication::clipboard()->setText(TextoTabla());
}

bool VentanaSimulacion::ExportarCSV() {
    if (!resultado_) return false;
    const auto nombre =
        NombreExportar(principal_.dialogos(), "Archivos CSV (*.csv)|*.csv|", {".csv"});
    if (!nombre) return false;
    const QString motivo = GuardarDesde(this, QString::fromStdString(*nombre),
                                        TextoCSV(Celdas(), principal_.regional()).toUtf8());
    if (!motivo.isEmpty()) {
        Estado(QStringLiteral("No se pudo escribir el CSV: ") + motivo + QLatin1Char('.'), true);
        return false;
    }
    return true;
}

void VentanaSimulacion::closeEvent(QCloseEvent* e) {
    if (hebra_.joinable()) {
        trabajo_->Cancelar();
        hebra_.join();
    }
    QuitarMarcas();
    setObjectName(QString());  // the menu opens a new window from now on
    e->accept();
}

}  // namespace vortena
