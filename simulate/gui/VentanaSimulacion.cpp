#include "simulate/gui/VentanaSimulacion.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "editor/gui/Principal.h"
#include "files/NombreExportar.h"
#include "simulate/CopiaRed.h"
#include "simulate/HuellaRed.h"
#include "simulate/gui/TablaSimulacion.h"

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
    const auto campo = [this](const char* nombre) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(nombre));
        e->setMaximumWidth(140);
        return e;
    };
    replicas_ = campo("replicas");
    precision_ = campo("precision");
    clientes_ = campo("clientes");
    calentamiento_ = campo("calentamiento");
    semilla_ = campo("semilla");
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
    botones->addWidget(copiar_);
    botones->addWidget(exportar_);

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
    for (std::size_t i = 0; i < titulos.size(); ++i)
        tabla_->setHorizontalHeaderItem(static_cast<int>(i), new QTableWidgetItem(titulos[i]));
    tabla_->setSortingEnabled(true);

    auto* copia = new QAction(this);
    copia->setShortcut(QKeySequence::Copy);
    copia->setShortcutContext(Qt::WindowShortcut);
    connect(copia, &QAction::triggered, this, [this] { Copiar(); });
    addAction(copia);

    auto* v = new QVBoxLayout(this);
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
    porPrecision_->setChecked(s.value(QStringLiteral("simulacion/porPrecision"), false).toBool());
    calentamientoAuto_->setChecked(
        s.value(QStringLiteral("simulacion/calentamientoAuto"), false).toBool());
    distribucion_->setCurrentIndex(
        s.value(QStringLiteral("simulacion/lognormal"), false).toBool() ? 1 : 0);
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
    s.setValue(QStringLiteral("simulacion/porPrecision"), porPrecision_->isChecked());
    s.setValue(QStringLiteral("simulacion/calentamientoAuto"), calentamientoAuto_->isChecked());
    s.setValue(QStringLiteral("simulacion/lognormal"), distribucion_->currentIndex() == 1);
}

std::optional<OpcionesSimulacion> VentanaSimulacion::LeerAjustes() {
    const Regional& reg = principal_.regional();
    OpcionesSimulacion o;
    const auto entero = [&](QLineEdit* e, double min, double max,
                            const QString& que) -> std::optional<double> {
        const auto v = LeerNumero(e->text().toStdString(), reg);
        if (v && *v == std::floor(*v) && *v >= min && *v <= max) return *v;
        Estado(que + QStringLiteral(" debe ser un entero de ") +
                   QString::fromStdString(TextoGeneral(min, reg)) + QStringLiteral(" a ") +
                   QString::fromStdString(TextoGeneral(max, reg)) + QLatin1Char('.'),
               true);
        e->setFocus();
        return std::nullopt;
    };
    if (porPrecision_->isChecked()) {
        const auto p = LeerNumero(precision_->text().toStdString(), reg);
        if (!p || !(*p > 0 && *p < 1)) {
            Estado(QStringLiteral(
                       "La precisión relativa debe ser un número mayor que 0 y menor que 1."),
                   true);
            precision_->setFocus();
            return std::nullopt;
        }
        o.precision = *p;
    } else {
        const auto r = entero(replicas_, OpcionesSimulacion::kReplicasMin,
                              OpcionesSimulacion::kReplicasMax, QStringLiteral("Las réplicas"));
        if (!r) return std::nullopt;
        o.replicas = static_cast<int>(*r);
    }
    const auto n = entero(clientes_, 1, static_cast<double>(OpcionesSimulacion::kClientesMax),
                          QStringLiteral("Los clientes por réplica"));
    if (!n) return std::nullopt;
    o.clientes = static_cast<std::int64_t>(*n);
    o.calentamientoAuto = calentamientoAuto_->isChecked();
    if (!o.calentamientoAuto) {
        const auto k =
            entero(calentamiento_, 0, static_cast<double>(OpcionesSimulacion::kClientesMax),
                   QStringLiteral("El calentamiento"));
        if (!k) return std::nullopt;
        o.calentamiento = static_cast<std::int64_t>(*k);
    }
    const auto s = entero(semilla_, 0, kSemillaMax, QStringLiteral("La semilla"));
    if (!s) return std::nullopt;
    o.semilla = static_cast<std::uint64_t>(*s);
    o.distribucion =
        distribucion_->currentIndex() == 1 ? Distribucion::Lognormal : Distribucion::Gamma;
    return o;
}

bool VentanaSimulacion::Simular() {
    if (Corriendo()) return false;
    const auto o = LeerAjustes();
    if (!o) return false;
    GuardarAjustes();
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
    hebra_ = std::thread([this, copia, o = *o, trabajo = trabajo_] {
        std::shared_ptr<ResultadoSimulacion> r;
        QString motivo;
        try {
            r = std::make_shared<ResultadoSimulacion>(SimularCentros(*copia, o, *trabajo));
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

    const OpcionesSimulacion& o = resultado_->opciones;
    int fuera = 0;
    for (const FilaSimulacion& f : filas) fuera += f.fuera ? 1 : 0;
    QString t =
        QStringLiteral("Semilla ") +
        QString::fromStdString(TextoGeneral(static_cast<double>(o.semilla), reg)) +
        QStringLiteral(" · ") +
        (o.precision > 0
             ? QStringLiteral("precisión ") + QString::fromStdString(TextoGeneral(o.precision, reg))
             : QString::fromStdString(TextoGeneral(o.replicas, reg)) +
                   QStringLiteral(" réplicas")) +
        QStringLiteral(" · ") +
        QString::fromStdString(TextoGeneral(static_cast<double>(o.clientes), reg)) +
        QStringLiteral(" clientes · calentamiento ") +
        (o.calentamientoAuto
             ? QStringLiteral("automático")
             : QString::fromStdString(TextoGeneral(static_cast<double>(o.calentamiento), reg))) +
        QStringLiteral(" · ") + QString::number(fuera) +
        (fuera == 1
             ? QStringLiteral(" centro con cifras del modelo fuera del intervalo del 95 %")
             : QStringLiteral(" centros con cifras del modelo fuera del intervalo del 95 %"));
    for (const ResultadoCentro& c : resultado_->centros)
        if (!c.sinPrecision.empty()) {
            t += QStringLiteral(" · sin la precisión pedida tras ") +
                 QString::number(OpcionesSimulacion::kReplicasMax) + QStringLiteral(" réplicas: ");
            QStringList nombres;
            for (const ResultadoCentro& d : resultado_->centros) {
                if (d.sinPrecision.empty()) continue;
                QStringList medidas;
                for (int m : d.sinPrecision) medidas << QString::fromLatin1(NombreMedida(m));
                nombres << QString::fromStdString(d.Nombre) + QStringLiteral(" (") +
                               medidas.join(QStringLiteral(", ")) + QLatin1Char(')');
            }
            t += nombres.join(QStringLiteral("; "));
            break;
        }
    if (desactualizada_)
        Estado(QString::fromUtf8(kDesactualizada), true);
    else
        Estado(t, false);
}

void VentanaSimulacion::Marcar() {
    if (!resultado_ || desactualizada_) return;
    Sombreado s;
    s.tituloLeyenda = "Simulación";
    s.leyenda = {{kVerde, "Modelo dentro de los intervalos"},
                 {kRojo, "Alguna cifra fuera de su intervalo"},
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
    Estado(QString::fromUtf8(kDesactualizada), true);
    // Not while the edit that told us is still under way.
    QTimer::singleShot(0, this, [this] { QuitarMarcas(); });
}

void VentanaSimulacion::Estado(const QString& texto, bool aviso) {
    estado_->setText(texto);
    estado_->setStyleSheet(aviso ? QStringLiteral("color: #a00000; font-weight: bold;")
                                 : QString());
}

void VentanaSimulacion::Habilitar() {
    const bool corre = Corriendo();
    for (QWidget* w : std::initializer_list<QWidget*>{clientes_, semilla_, distribucion_,
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
    for (int j = 0; j < tabla_->columnCount(); ++j)
        titulos.push_back(tabla_->horizontalHeaderItem(j)->text());
    filas.push_back(titulos);
    for (int i = 0; i < tabla_->rowCount(); ++i) {
        std::vector<QString> fila;
        for (int j = 0; j < tabla_->columnCount(); ++j) {
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
    QFile f(QString::fromStdString(*nombre));
    const QByteArray datos = TextoCSV(Celdas(), principal_.regional()).toUtf8();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(datos) != datos.size()) {
        Estado(QStringLiteral("No se pudo escribir ") + QString::fromStdString(*nombre) +
                   QLatin1Char('.'),
               true);
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
