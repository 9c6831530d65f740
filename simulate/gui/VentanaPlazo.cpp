#include "simulate/gui/VentanaPlazo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>

#include "compute/CopiaRed.h"
#include "editor/gui/Principal.h"
#include "compute/CopiaRed.h"
#include "simulate/gui/GraficosPlazo.h"
#include "simulate/gui/SombreadoAporte.h"
#include "widgets/CampoNumerico.h"
#include "widgets/GuardarSalida.h"
#include "widgets/AvisoDesactualizado.h"
#include "widgets/VentanaHerramienta.h"

namespace vortena {

std::string HuellaPlazo(const Red& red) {
    std::string h;
    const auto bytes = [&h](const auto& v) {
        char b[sizeof v];
        std::memcpy(b, &v, sizeof v);
        h.append(b, sizeof v);
    };
    bytes(red.NodoInicio);
    bytes(red.NodoFin);
    for (const CentroProductivo& c : red.Centros) {
        h += c.Nombre;
        h += '\0';
        for (double v : {c.Lamda, c.Mu, c.Desvlamda, c.DesvMu, c.Salida}) bytes(v);
        bytes(c.Servidores);
    }
    for (const linea& l : red.Conexiones) {
        bytes(l.CentroInicio);
        bytes(l.CentroFin);
        bytes(l.multiplicador);
    }
    return h;
}

namespace {

QSettings Ajustes() {
    return QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena"));
}

CampoNumerico* Entero(const Regional& reg, double min, double max) {
    return new CampoNumerico("", reg, Admisible::Entero(min, max));
}

QTableWidgetItem* Celda(const QString& texto, double orden) {
    auto* i = new QTableWidgetItem;
    i->setData(Qt::DisplayRole, texto);
    i->setData(Qt::UserRole, orden);
    i->setFlags(i->flags() & ~Qt::ItemIsEditable);
    return i;
}

// Sorts by the value, not by the text ("9,5 %" after "10 %").
class CeldaNumero : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& o) const override {
        return data(Qt::UserRole).toDouble() < o.data(Qt::UserRole).toDouble();
    }
};

QTableWidgetItem* CeldaValor(const QString& texto, double valor) {
    auto* i = new CeldaNumero;
    i->setData(Qt::DisplayRole, texto);
    i->setData(Qt::UserRole, valor);
    i->setFlags(i->flags() & ~Qt::ItemIsEditable);
    i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return i;
}

}  // namespace

VentanaPlazo::VentanaPlazo(Principal& principal)
    : QWidget(&principal, Qt::Window), principal_(principal) {
    setObjectName(QStringLiteral("VentanaPlazo"));
    setWindowTitle(QStringLiteral("Plazo de la línea"));
    setAttribute(Qt::WA_DeleteOnClose);
    Construir();
    CargarAjustes();
    Habilitar();
    ComoVentanaDeHerramienta(*this, principal_);
    // The results reflect the network at the moment they ran; any edit
    // afterwards marks them out of date. The main window tells when its
    // document changes if it can; a light periodic check covers the rest.
    if (principal_.metaObject()->indexOfSignal("documentoCambiado()") >= 0)
        connect(&principal_, SIGNAL(documentoCambiado()), this, SLOT(RevisarRed()));
    auto* reloj = new QTimer(this);
    connect(reloj, &QTimer::timeout, this, &VentanaPlazo::RevisarRed);
    reloj->start(1000);
    resize(1200, 820);
}

VentanaPlazo::~VentanaPlazo() {
    if (trabajo_) trabajo_->Cancelar();
    if (hebra_.joinable()) hebra_.join();
}

void VentanaPlazo::Construir() {
    auto* ajustes = new QGroupBox(QStringLiteral("Ajustes"));
    auto* form = new QFormLayout(ajustes);
    const Regional& reg = principal_.regional();
    replicas_ = Entero(reg, OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax);
    replicas_->setObjectName(QStringLiteral("replicas"));
    clientes_ = Entero(reg, 1, 1'000'000'000);
    clientes_->setObjectName(QStringLiteral("clientes"));
    calentamiento_ = Entero(reg, 0, 1'000'000'000);
    calentamiento_->setObjectName(QStringLiteral("calentamiento"));
    calentamientoAuto_ = new QCheckBox(QStringLiteral("automático (MSER-5)"));
    calentamientoAuto_->setObjectName(QStringLiteral("calentamientoAuto"));
    semilla_ = Entero(reg, 0, 2'000'000'000);
    semilla_->setObjectName(QStringLiteral("semilla"));
    distribucion_ = new QComboBox;
    distribucion_->setObjectName(QStringLiteral("distribucion"));
    distribucion_->addItems({QStringLiteral("gamma"), QStringLiteral("lognormal")});
    deseado_ = new CampoNumerico("deseado", reg, Admisible::Positivo());
    deseado_->setPlaceholderText(QStringLiteral("el tiempo del PERT"));
    auto* cal = new QHBoxLayout;
    cal->addWidget(calentamiento_);
    cal->addWidget(calentamientoAuto_);
    form->addRow(QStringLiteral("Réplicas:"), replicas_);
    form->addRow(QStringLiteral("Unidades por réplica:"), clientes_);
    form->addRow(QStringLiteral("Calentamiento (unidades):"), cal);
    form->addRow(QStringLiteral("Semilla:"), semilla_);
    form->addRow(QStringLiteral("Distribución:"), distribucion_);
    form->addRow(QStringLiteral("Tiempo deseado:"), deseado_);
    connect(calentamientoAuto_, &QCheckBox::toggled, this, [this] { Habilitar(); });

    simular_ = new QPushButton(QStringLiteral("Simular"));
    simular_->setObjectName(QStringLiteral("simular"));
    simular_->setDefault(true);
    cancelar_ = new QPushButton(QStringLiteral("Cancelar"));
    cancelar_->setObjectName(QStringLiteral("cancelar"));
    imagen_ = new QPushButton(QStringLiteral("Guardar imagen…"));
    imagen_->setObjectName(QStringLiteral("guardarImagen"));
    connect(simular_, &QPushButton::clicked, this, [this] { Simular(); });
    connect(cancelar_, &QPushButton::clicked, this, &VentanaPlazo::Cancelar);
    connect(imagen_, &QPushButton::clicked, this, [this] { GuardarImagen(); });
    progreso_ = new QProgressBar;
    progreso_->setObjectName(QStringLiteral("progreso"));
    progreso_->setRange(0, 1000);
    progreso_->setTextVisible(false);
    estado_ = new QLabel;
    estado_->setObjectName(QStringLiteral("estado"));
    estado_->setWordWrap(true);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(ajustes);
    auto* botones = new QHBoxLayout;
    botones->addWidget(simular_);
    botones->addWidget(cancelar_);
    auto* iniciales = new QPushButton(QStringLiteral("Valores iniciales"));
    iniciales->setObjectName(QStringLiteral("valoresIniciales"));
    connect(iniciales, &QPushButton::clicked, this, &VentanaPlazo::ValoresIniciales);
    botones->addWidget(iniciales);
    botones->addWidget(
        BotonAyuda(*this, [this] { principal_.MostrarAyuda(QStringLiteral("plazo.htm")); }));
    izquierda->addLayout(botones);
    izquierda->addWidget(progreso_);
    izquierda->addWidget(estado_);
    // The canvas shading's key: the editor paints the fills, the key is here.
    auto* leyenda = new QGroupBox(QStringLiteral("Sombreado en la hoja"));
    auto* claves = new QVBoxLayout(leyenda);
    const Sombreado muestra = SombreadoAporte(ResultadoLinea{});
    claves->addWidget(
        new QLabel(QString::fromStdString(muestra.tituloLeyenda) + QStringLiteral(":")));
    for (const auto& [color, texto] : muestra.leyenda) {
        auto* l = new QLabel(QStringLiteral("<span style=\"background-color: rgb(%1,%2,%3);\">"
                                            "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</span>&nbsp; %4")
                                 .arg(color.r)
                                 .arg(color.g)
                                 .arg(color.b)
                                 .arg(QString::fromStdString(texto)));
        claves->addWidget(l);
    }
    izquierda->addWidget(leyenda);
    izquierda->addStretch(1);
    izquierda->addWidget(imagen_);

    // The figures and charts, grabbed together by "Guardar imagen…".
    graficos_ = new QWidget;
    graficos_->setObjectName(QStringLiteral("graficos"));
    graficos_->setAutoFillBackground(true);
    auto* derecha = new QVBoxLayout(graficos_);
    aviso_ = new AvisoDesactualizado(QString::fromUtf8(kDesactualizada));
    aviso_->setObjectName(QStringLiteral("desactualizada"));
    probabilidad_ = new QLabel;
    probabilidad_->setWordWrap(true);
    probabilidad_->setObjectName(QStringLiteral("probabilidad"));
    QFont grande = probabilidad_->font();
    grande.setPointSizeF(grande.pointSizeF() * 2.2);
    grande.setBold(true);
    probabilidad_->setFont(grande);
    cifras_ = new QLabel;
    cifras_->setObjectName(QStringLiteral("cifras"));
    cifras_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    tasas_ = new QLabel;
    tasas_->setObjectName(QStringLiteral("tasas"));
    tasas_->setWordWrap(true);
    tasas_->setStyleSheet(
        QStringLiteral("background: #fff4d6; border: 1px solid #e0b040; padding: 4px;"));
    tasas_->hide();
    curva_ = new CurvaS;
    rutas_ = new QTableWidget(0, 6);
    rutas_->setObjectName(QStringLiteral("rutas"));
    rutas_->setHorizontalHeaderLabels({QStringLiteral("Ruta"), QStringLiteral("Parte"),
                                       QStringLiteral("Media"), QStringLiteral("P50"),
                                       QStringLiteral("P90"), QStringLiteral("P95")});
    rutas_->setToolTip(
        QStringLiteral("Ruta: los centros por los que pasó una unidad, en orden.\n"
                       "Parte: de cada 100 unidades, cuántas siguieron esa ruta."));
    tabla_ = new QTableWidget(0, 4);
    tabla_->setObjectName(QStringLiteral("tabla"));
    tabla_->setHorizontalHeaderLabels({QStringLiteral("Centro"), QStringLiteral("Paso"),
                                       QStringLiteral("Aporte"), QStringLiteral("Crucialidad")});
    tabla_->setToolTip(QStringLiteral(
        "Paso: parte de las unidades que pasan por el centro.\n"
        "Aporte: parte del plazo medio que las unidades pasan en el centro.\n"
        "Crucialidad: correlación entre el tiempo en el centro y el plazo de la unidad."));
    for (QTableWidget* t : {rutas_, tabla_}) {
        t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        t->verticalHeader()->hide();
        t->setSortingEnabled(true);
        t->setSelectionBehavior(QAbstractItemView::SelectRows);
    }
    auto* tablas = new QHBoxLayout;
    tablas->addWidget(rutas_, 3);
    tablas->addWidget(tabla_, 2);
    derecha->addWidget(aviso_);
    derecha->addWidget(probabilidad_);
    derecha->addWidget(cifras_);
    derecha->addWidget(tasas_);
    derecha->addWidget(curva_, 3);
    derecha->addLayout(tablas, 2);

    auto* todo = new QHBoxLayout(this);
    todo->addLayout(izquierda, 0);
    todo->addWidget(graficos_, 1);
}

void VentanaPlazo::CargarAjustes() {
    QSettings s = Ajustes();
    s.beginGroup(QStringLiteral("plazo"));
    const OpcionesSimulacion o;
    replicas_->setValue(s.value(QStringLiteral("replicas"), o.replicas).toInt());
    clientes_->setValue(s.value(QStringLiteral("clientes"), static_cast<int>(o.clientes)).toInt());
    calentamiento_->setValue(
        s.value(QStringLiteral("calentamiento"), static_cast<int>(o.calentamiento)).toInt());
    calentamientoAuto_->setChecked(s.value(QStringLiteral("calentamientoAuto"), false).toBool());
    semilla_->setValue(s.value(QStringLiteral("semilla"), static_cast<int>(o.semilla)).toInt());
    distribucion_->setCurrentIndex(s.value(QStringLiteral("distribucion"), 0).toInt() == 1 ? 1 : 0);
    deseado_->setText(s.value(QStringLiteral("deseado"), QString()).toString());
}

void VentanaPlazo::GuardarAjustes() const {
    QSettings s = Ajustes();
    s.beginGroup(QStringLiteral("plazo"));
    s.setValue(QStringLiteral("replicas"), replicas_->value());
    s.setValue(QStringLiteral("clientes"), clientes_->value());
    s.setValue(QStringLiteral("calentamiento"), calentamiento_->value());
    s.setValue(QStringLiteral("calentamientoAuto"), calentamientoAuto_->isChecked());
    s.setValue(QStringLiteral("semilla"), semilla_->value());
    s.setValue(QStringLiteral("distribucion"), distribucion_->currentIndex());
    s.setValue(QStringLiteral("deseado"), deseado_->text());
}

bool VentanaPlazo::Simular() {
    if (Corriendo()) return false;
    // A refused field keeps its text and the focus; the status line says why.
    const std::pair<CampoNumerico*, const char*> campos[] = {{replicas_, "Réplicas"},
                                                             {clientes_, "Unidades por réplica"},
                                                             {calentamiento_, "Calentamiento"},
                                                             {semilla_, "Semilla"},
                                                             {deseado_, "Tiempo deseado"}};
    for (const auto& [campo, nombre] : campos) {
        if ((campo == calentamiento_ && calentamientoAuto_->isChecked()) ||
            (campo == deseado_ && deseado_->text().trimmed().isEmpty()))
            continue;
        const Lectura l = campo->Tomar();
        if (!l.valor) {
            Estado(
                QString::fromUtf8(nombre) + QStringLiteral(": ") + QString::fromStdString(l.motivo),
                true);
            return false;
        }
    }
    OpcionesSimulacion o;
    o.replicas = static_cast<int>(replicas_->value());
    o.clientes = static_cast<std::int64_t>(clientes_->value());
    o.calentamiento = static_cast<std::int64_t>(calentamiento_->value());
    o.calentamientoAuto = calentamientoAuto_->isChecked();
    o.semilla = static_cast<std::uint64_t>(semilla_->value());
    o.distribucion =
        distribucion_->currentIndex() == 1 ? Distribucion::Lognormal : Distribucion::Gamma;
    std::optional<double> deseadoPedido;
    if (!deseado_->text().trimmed().isEmpty()) deseadoPedido = deseado_->value();
    GuardarAjustes();

    // The simulation works on a copy taken here, so edits made meanwhile reach
    // neither the run nor, until the next one, the results.
    auto copia = std::make_shared<Red>(CopiarRed(principal_.red()));
    huellaCorrida_ = HuellaPlazo(*copia);
    trabajo_ = std::make_shared<Trabajo>();
    trabajo_->progreso = [this](double f) {
        QMetaObject::invokeMethod(
            progreso_, [p = progreso_, f] { p->setValue(static_cast<int>(f * 1000)); },
            Qt::QueuedConnection);
    };
    progreso_->setValue(0);
    Estado(QStringLiteral("Simulando…"), false);
    hebra_ = std::thread([this, copia, o, deseadoPedido, t = trabajo_] {
        std::shared_ptr<const ResultadoLinea> r;
        QString motivo;
        try {
            r = std::make_shared<const ResultadoLinea>(SimularLinea(*copia, o, deseadoPedido, *t));
        } catch (const Cancelado&) {
            motivo = QStringLiteral(
                "Simulación cancelada: los resultados anteriores siguen como estaban.");
        } catch (const std::exception& e) {
            motivo = QString::fromUtf8(e.what());
        }
        QMetaObject::invokeMethod(
            this, [this, r, motivo] { Terminar(r, motivo); }, Qt::QueuedConnection);
    });
    Habilitar();
    return true;
}

void VentanaPlazo::Cancelar() {
    if (trabajo_) trabajo_->Cancelar();
}

void VentanaPlazo::Terminar(std::shared_ptr<const ResultadoLinea> r, const QString& motivo) {
    if (hebra_.joinable()) hebra_.join();
    trabajo_.reset();
    if (r) {
        resultado_ = std::move(r);
        huella_ = huellaCorrida_;
        desactualizada_ = false;
        // Only a run that completed sets what the window remembers.
        GuardarAjustes();
        progreso_->setValue(progreso_->maximum());
        Estado(QStringLiteral("Simulación terminada (semilla ") +
                   QString::number(resultado_->opciones.semilla) + QStringLiteral(", ") +
                   QString::number(resultado_->replicas) + QStringLiteral(" réplicas)."),
               false);
        Mostrar();
        // A run that ended as the window closed leaves no shading behind.
        if (isVisible()) {
            principal_.editor().capas().Poner(kCapaAporte, SombreadoAporte(*resultado_));
            principal_.RedibujarTodo();
        }
        RevisarRed();
    } else {
        progreso_->setValue(0);
        Estado(motivo, true);
    }
    Habilitar();
    emit terminada();
}

void VentanaPlazo::Mostrar() {
    const ResultadoLinea& r = *resultado_;
    const Regional& reg = principal_.regional();
    const auto t = [&](double v) { return TextoTiempo(v, reg); };
    const auto conIntervalo = [&](const Estimacion& e) {
        return t(e.valor) + QStringLiteral(" ± ") + t(e.semiancho);
    };
    const Estimacion& p = r.linea[sim::kPdeseado];
    probabilidad_->setText(
        QStringLiteral("Probabilidad de cumplir ") + t(r.deseado) + QStringLiteral(": ") +
        TextoPorcentaje(p.valor, reg) + QStringLiteral(" ± ") +
        QString::fromStdString(Formato(100 * p.semiancho, "0.0", reg)) + QStringLiteral(" puntos"));
    cifras_->setText(QStringLiteral("PERT: ") + t(r.pert) + QStringLiteral("   Media: ") +
                     conIntervalo(r.linea[sim::kMedia]) + QStringLiteral("   Desviación: ") +
                     t(r.linea[sim::kDesviacion].valor) + QStringLiteral("\nP50: ") +
                     conIntervalo(r.linea[sim::kP50]) + QStringLiteral("   P80: ") +
                     conIntervalo(r.linea[sim::kP80]) + QStringLiteral("   P90: ") +
                     conIntervalo(r.linea[sim::kP90]) + QStringLiteral("   P95: ") +
                     conIntervalo(r.linea[sim::kP95]) +
                     QStringLiteral("\nProbabilidad de cumplir el PERT: ") +
                     TextoPorcentaje(r.linea[sim::kPpert].valor, reg) +
                     QStringLiteral("\nProducción: ") + conIntervalo(r.linea[sim::kProduccion]) +
                     QStringLiteral(" unidades por unidad de tiempo   Unidades en la línea: ") +
                     conIntervalo(r.linea[sim::kWip]));
    // The whole of the figures, however tall the chart wants to be.
    cifras_->setMinimumHeight(cifras_->sizeHint().height());
    tasas_->setText(QString::fromStdString(AvisoTasas(r.tasasDistintas)) +
                    QStringLiteral(". La simulación usa el flujo de la línea."));
    tasas_->setVisible(!r.tasasDistintas.empty());
    curva_->Mostrar(resultado_, reg);

    std::map<std::int16_t, QString> nombres;
    for (const CentroLinea& c : r.centros) nombres[c.posicion] = QString::fromStdString(c.Nombre);
    rutas_->setSortingEnabled(false);
    rutas_->setRowCount(static_cast<int>(r.rutas.size()));
    for (int i = 0; i < static_cast<int>(r.rutas.size()); ++i) {
        const RutaLinea& ruta = r.rutas[static_cast<std::size_t>(i)];
        QString texto;
        for (std::int16_t c : ruta.centros)
            texto += (texto.isEmpty() ? QString() : QStringLiteral(" → ")) + nombres[c];
        rutas_->setItem(i, 0, Celda(texto, i));
        rutas_->setItem(i, 1, CeldaValor(TextoPorcentaje(ruta.paso.valor, reg), ruta.paso.valor));
        int col = 2;
        for (const Estimacion* e : {&ruta.media, &ruta.P50, &ruta.P90, &ruta.P95})
            rutas_->setItem(i, col++, CeldaValor(t(e->valor), e->valor));
    }
    rutas_->setSortingEnabled(true);
    rutas_->sortItems(1, Qt::DescendingOrder);

    tabla_->setSortingEnabled(false);
    tabla_->setRowCount(static_cast<int>(r.centros.size()));
    for (int i = 0; i < static_cast<int>(r.centros.size()); ++i) {
        const CentroLinea& c = r.centros[static_cast<std::size_t>(i)];
        tabla_->setItem(i, 0, Celda(QString::fromStdString(c.Nombre), c.posicion));
        tabla_->setItem(i, 1, CeldaValor(TextoPorcentaje(c.paso.valor, reg), c.paso.valor));
        tabla_->setItem(i, 2, CeldaValor(TextoPorcentaje(c.aporte.valor, reg), c.aporte.valor));
        tabla_->setItem(
            i, 3,
            CeldaValor(QString::fromStdString(Formato(c.crucialidad.valor, "0.000", reg)),
                       c.crucialidad.valor));
    }
    tabla_->setSortingEnabled(true);
    tabla_->sortItems(2, Qt::DescendingOrder);
}

void VentanaPlazo::RevisarRed() {
    if (!resultado_) return;
    const bool antes = desactualizada_;
    desactualizada_ = HuellaPlazo(principal_.red()) != huella_;
    aviso_->Poner(desactualizada_);
    // Stale criticality leaves the canvas, once the edit that told us is over.
    if (desactualizada_ && !antes) QTimer::singleShot(0, this, [this] { QuitarSombreado(); });
}

void VentanaPlazo::ValoresIniciales() {
    Ajustes().remove(QStringLiteral("plazo"));
    CargarAjustes();
    Habilitar();
}

bool VentanaPlazo::GuardarImagen() {
    const auto nombre = principal_.dialogos().NombreGuardar("Imágenes PNG (*.png)|*.png|", {});
    if (!nombre) return false;
    QString ruta = QString::fromStdString(*nombre);
    if (!ruta.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) ruta += QStringLiteral(".png");
    if (const QString motivo = GuardarDesde(this, ruta, BytesPng(graficos_->grab()));
        !motivo.isEmpty()) {
        Estado(QStringLiteral("No se pudo guardar la imagen: ") + motivo + QStringLiteral("."),
               true);
        return false;
    }
    Estado(QStringLiteral("Imagen guardada en ") + ruta + QStringLiteral("."), false);
    return true;
}

void VentanaPlazo::Estado(const QString& texto, bool aviso) {
    estado_->setText(texto);
    estado_->setStyleSheet(aviso ? QStringLiteral("color: #b00000;") : QString());
}

void VentanaPlazo::Habilitar() {
    const bool corre = Corriendo();
    simular_->setEnabled(!corre);
    cancelar_->setEnabled(corre);
    imagen_->setEnabled(!corre && resultado_ != nullptr);
    calentamiento_->setEnabled(!calentamientoAuto_->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{replicas_, clientes_, calentamientoAuto_,
                                                      semilla_, distribucion_, deseado_})
        w->setEnabled(!corre);
    if (corre) calentamiento_->setEnabled(false);
}

void VentanaPlazo::QuitarSombreado() {
    principal_.editor().capas().Quitar(kCapaAporte);
    principal_.RedibujarTodo();
}

void VentanaPlazo::closeEvent(QCloseEvent* e) {
    // Cancelling is seen within one round of units, so this wait is short.
    if (trabajo_) trabajo_->Cancelar();
    if (hebra_.joinable()) hebra_.join();
    QuitarSombreado();
    QWidget::closeEvent(e);
}

}  // namespace vortena
