#include "optimise/gui/VentanaFrente.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "model/HuellaRed.h"
#include "optimise/AplicarFrente.h"
#include "widgets/CampoNumerico.h"
#include "widgets/GuardarSalida.h"
#include "widgets/AvisoDesactualizado.h"
#include "widgets/VentanaHerramienta.h"
#include "files/NombreExportar.h"
#include "widgets/VistaGrafico.h"

namespace vortena {

namespace {

constexpr int kPasosProgreso = 1000;
const QColor kColorCambio(255, 232, 160);

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QScatterSeries* Serie(const QString& nombre, QScatterSeries::MarkerShape forma, qreal tamano,
                      const QColor& color) {
    auto* s = new QScatterSeries;
    s->setName(nombre);
    s->setMarkerShape(forma);
    s->setMarkerSize(tamano);
    s->setColor(color);
    s->setBorderColor(color.darker(140));
    return s;
}

CampoNumerico* Caja(const Regional& reg, const Admisible& admite, int valor, const char* nombre) {
    auto* c = new CampoNumerico(nombre, reg, admite);
    c->setValue(valor);
    return c;
}

}  // namespace

VentanaFrente::VentanaFrente(ContextoFrente contexto, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(std::move(contexto)) {
    setObjectName(QStringLiteral("VentanaFrente"));
    setWindowTitle(QString::fromUtf8("Frente costo–tiempo"));
    Construir();
    CargarAjustes();
}

VentanaFrente::~VentanaFrente() {
    if (trabajo_) trabajo_->Cancelar();
    if (hilo_.joinable()) hilo_.join();
}

void VentanaFrente::Construir() {
    AjustesFrente def;
    const Regional& reg = ctx_.regional;
    extra_ = Caja(reg, Admisible::Entero(0, kExtraFrenteMax), def.extra, "extra");
    poblacion_ = Caja(reg, Admisible{8, 10000, false, false, true, 4}, def.poblacion, "poblacion");
    generaciones_ = Caja(reg, Admisible::Entero(1, 100000), def.generaciones, "generaciones");
    semilla_ = Caja(reg, Admisible::Entero(0, 1 << 30), static_cast<int>(def.semilla), "semilla");
    // Empty: no desired time yet (the line's own is put there on Calcular).
    deseado_ = new CampoNumerico("deseado", reg, Admisible::Positivo());
    if (ctx_.deseado) deseado_->setValue(*ctx_.deseado);
    connect(deseado_, &QLineEdit::textChanged, this, [this] { EjesYDeseado(); });

    auto* ajustes = new QFormLayout;
    ajustes->addRow(QString::fromUtf8("Servidores extra por centro:"), extra_);
    ajustes->addRow(QString::fromUtf8("Población (NSGA-II):"), poblacion_);
    ajustes->addRow(QString::fromUtf8("Generaciones (NSGA-II):"), generaciones_);
    ajustes->addRow(QString::fromUtf8("Semilla:"), semilla_);
    ajustes->addRow(QString::fromUtf8("Tiempo deseado:"), deseado_);

    calcular_ = new QPushButton(QStringLiteral("Calcular"));
    calcular_->setObjectName(QStringLiteral("calcular"));
    cancelar_ = new QPushButton(QStringLiteral("Cancelar"));
    cancelar_->setObjectName(QStringLiteral("cancelar"));
    cancelar_->setEnabled(false);
    progreso_ = new QProgressBar;
    progreso_->setObjectName(QStringLiteral("progreso"));
    progreso_->setRange(0, kPasosProgreso);
    progreso_->setValue(0);
    estado_ = new QLabel;
    estado_->setObjectName(QStringLiteral("estado"));
    estado_->setWordWrap(true);
    estado_->setMinimumHeight(3 * estado_->fontMetrics().lineSpacing());
    estado_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* iniciales = new QPushButton(QStringLiteral("Valores iniciales"));
    iniciales->setObjectName(QStringLiteral("valoresIniciales"));
    connect(iniciales, &QPushButton::clicked, this, [this] { ValoresIniciales(); });
    connect(calcular_, &QPushButton::clicked, this, [this] { Calcular(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { Cancelar(); });

    tabla_ = new QTableWidget(0, 3);
    tabla_->setObjectName(QStringLiteral("tabla"));
    tabla_->setHorizontalHeaderLabels(
        {QStringLiteral("Centro"), QStringLiteral("Actual"), QStringLiteral("Propuesto")});
    tabla_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tabla_->verticalHeader()->hide();
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setSelectionMode(QAbstractItemView::NoSelection);
    diferencias_ = new QLabel(QString::fromUtf8("Elija un punto del frente."));
    diferencias_->setObjectName(QStringLiteral("diferencias"));
    diferencias_->setWordWrap(true);
    diferencias_->setMinimumHeight(2 * diferencias_->fontMetrics().lineSpacing());

    aplicar_ = new QPushButton(QStringLiteral("Aplicar"));
    aplicar_->setObjectName(QStringLiteral("aplicar"));
    aplicar_->setEnabled(false);
    csv_ = new QPushButton(QString::fromUtf8("Exportar CSV…"));
    csv_->setObjectName(QStringLiteral("exportarCsv"));
    csv_->setEnabled(false);
    imagen_ = new QPushButton(QString::fromUtf8("Guardar imagen…"));
    imagen_->setObjectName(QStringLiteral("guardarImagen"));
    auto* cerrar = new QPushButton(QStringLiteral("Cerrar"));
    cerrar->setObjectName(QStringLiteral("cerrar"));
    connect(aplicar_, &QPushButton::clicked, this, [this] { AlAplicar(); });
    connect(csv_, &QPushButton::clicked, this, [this] { ExportarCsv(); });
    connect(imagen_, &QPushButton::clicked, this, [this] { GuardarImagen(); });
    connect(cerrar, &QPushButton::clicked, this, &QWidget::close);

    vista_ = new VistaGrafico(ctx_.regional, this);
    vista_->setObjectName(QStringLiteral("grafico"));
    vista_->setMinimumSize(520, 380);
    grafico_ = vista_->chart();
    grafico_->legend()->show();
    grafico_->setTitle(QString::fromUtf8("Frente costo–tiempo"));
    frente_ =
        Serie(QStringLiteral("Frente"), QScatterSeries::MarkerShapeCircle, 9, QColor(0, 90, 170));
    actual_ = Serie(QStringLiteral("Red actual"), QScatterSeries::MarkerShapeRectangle, 12,
                    QColor(200, 40, 40));
    geneticaSerie_ = Serie(QString::fromUtf8("Búsqueda genética"),
                           QScatterSeries::MarkerShapeTriangle, 14, QColor(30, 150, 60));
    elegido_ = Serie(QStringLiteral("Elegido"), QScatterSeries::MarkerShapeCircle, 16,
                     QColor(250, 170, 0));
    lineaDeseado_ = new QLineSeries;
    lineaDeseado_->setName(QStringLiteral("Tiempo deseado"));
    lineaDeseado_->setPen(QPen(QColor(120, 120, 120), 1.5, Qt::DashLine));
    for (QXYSeries* s : std::initializer_list<QXYSeries*>{lineaDeseado_, frente_, elegido_, actual_,
                                                          geneticaSerie_})
        grafico_->addSeries(s);
    auto* ejeX = new QValueAxis;
    ejeX->setTitleText(QStringLiteral("Costo"));
    auto* ejeY = new QValueAxis;
    ejeY->setTitleText(QStringLiteral("Tiempo"));
    grafico_->addAxis(ejeX, Qt::AlignBottom);
    grafico_->addAxis(ejeY, Qt::AlignLeft);
    for (QAbstractSeries* s : grafico_->series()) {
        s->attachAxis(ejeX);
        s->attachAxis(ejeY);
    }
    // The frente_ series holds the result's points in their order.
    vista_->ValoresAlPasar(frente_, [this](int i) { return TextoPunto(i); });
    const auto costoTiempo = [this](const QString& nombre, QScatterSeries* s) {
        vista_->ValoresAlPasar(s, [this, nombre, s](int i) {
            return QStringLiteral("%1\nCosto: %2\nTiempo: %3")
                .arg(nombre, Texto(s->at(i).x(), "#0.##"), Texto(s->at(i).y()));
        });
    };
    costoTiempo(QStringLiteral("Red actual"), actual_);
    costoTiempo(QString::fromUtf8("Búsqueda genética"), geneticaSerie_);
    connect(frente_, &QScatterSeries::clicked, this,
            [this](const QPointF& p) { Seleccionar(Cercano(p)); });

    auto* izquierda = new QVBoxLayout;
    izquierda->addLayout(ajustes);
    auto* botonesCalculo = new QHBoxLayout;
    botonesCalculo->addWidget(calcular_);
    botonesCalculo->addWidget(cancelar_);
    botonesCalculo->addWidget(iniciales);
    izquierda->addLayout(botonesCalculo);
    izquierda->addWidget(progreso_);
    izquierda->addWidget(estado_);
    izquierda->addWidget(tabla_, 1);
    izquierda->addWidget(diferencias_);
    // Two rows: five buttons side by side would cut their texts in 420 px.
    auto* botones = new QHBoxLayout;
    botones->addWidget(aplicar_);
    botones->addWidget(csv_);
    botones->addWidget(imagen_);
    izquierda->addLayout(botones);
    auto* botones2 = new QHBoxLayout;
    botones2->addStretch(1);
    if (ctx_.ayuda) botones2->addWidget(BotonAyuda(*this, ctx_.ayuda));
    botones2->addWidget(cerrar);
    izquierda->addLayout(botones2);

    auto* panel = new QWidget;
    panel->setLayout(izquierda);
    panel->setMaximumWidth(420);
    aviso_ = new AvisoDesactualizado(
        QString::fromUtf8("Resultados desactualizados: la red cambió después del cálculo. "
                          "Pulse Calcular para el frente de la red actual."));
    auto* marco = new QVBoxLayout(this);
    marco->addWidget(aviso_);
    auto* todo = new QHBoxLayout;
    marco->addLayout(todo, 1);
    todo->addWidget(panel);
    todo->addWidget(vista_, 1);
    resize(1100, 620);
}

QString VentanaFrente::Texto(double v, const char* patron) const {
    return Q(Formato(v, patron, ctx_.regional));
}

QString VentanaFrente::TextoPunto(int i) const {
    if (!resultado_ || i < 0 || i >= static_cast<int>(resultado_->puntos.size())) return {};
    const PuntoFrente& q = resultado_->puntos[static_cast<std::size_t>(i)];
    return QString::fromUtf8("Costo: %1\nTiempo: %2\nAporte al hipervolumen: %3 %\n%4")
        .arg(Texto(q.costo, "#0.##"), Texto(q.tiempo), Texto(100 * q.aporte, "#0.#"),
             Conteos(q.servidores));
}

QString VentanaFrente::Conteos(const std::vector<std::int16_t>& s) const {
    QStringList partes;
    if (!modelo_) return {};
    for (std::size_t k = 0; k < s.size() && k < modelo_->genes().size(); ++k)
        partes << QStringLiteral("%1: %2").arg(Q(modelo_->genes()[k].nombre)).arg(s[k]);
    return partes.join(QStringLiteral("\n"));
}

// The front point nearest to a chart position, measured on the axes'
// scales, so a click anywhere on a marker finds its point.
int VentanaFrente::Cercano(QPointF p) const {
    if (!resultado_ || resultado_->puntos.empty()) return -1;
    auto* ejeX = qobject_cast<QValueAxis*>(grafico_->axes(Qt::Horizontal).value(0));
    auto* ejeY = qobject_cast<QValueAxis*>(grafico_->axes(Qt::Vertical).value(0));
    const double ex = std::max(ejeX->max() - ejeX->min(), 1e-300);
    const double ey = std::max(ejeY->max() - ejeY->min(), 1e-300);
    int mejor = -1;
    double dMejor = INFINITY;
    for (std::size_t i = 0; i < resultado_->puntos.size(); ++i) {
        const PuntoFrente& q = resultado_->puntos[i];
        const double dx = (q.costo - p.x()) / ex, dy = (q.tiempo - p.y()) / ey;
        if (dx * dx + dy * dy < dMejor) {
            dMejor = dx * dx + dy * dy;
            mejor = static_cast<int>(i);
        }
    }
    return mejor;
}

bool VentanaFrente::Calcular() {
    if (Ocupada()) return false;
    // A refused field keeps its text and the focus; the status line says why.
    const std::pair<CampoNumerico*, const char*> campos[] = {
        {extra_, "Servidores extra por centro"},
        {poblacion_, "Población"},
        {generaciones_, "Generaciones"},
        {semilla_, "Semilla"},
        {deseado_, "Tiempo deseado"}};
    for (const auto& [campo, nombre] : campos) {
        if (campo == deseado_ && deseado_->text().trimmed().isEmpty()) continue;
        const Lectura l = campo->Tomar();
        if (!l.valor) {
            estado_->setText(QString::fromUtf8(nombre) + QStringLiteral(": ") +
                             QString::fromStdString(l.motivo));
            return false;
        }
    }
    auto modelo = PrepararFrente(ctx_.red, static_cast<int>(extra_->value()), ctx_.dialogos);
    if (!modelo) {
        estado_->setText(QString::fromUtf8("La red no se puede calcular: nada cambió."));
        return false;
    }
    modelo_ = std::make_shared<const ModeloFrente>(std::move(*modelo));
    huella_ = HuellaRed(ctx_.red);
    huellaFrente_ = HuellaRed(ctx_.red, false);
    desactualizado_ = false;
    aviso_->Poner(false);
    actuales_.clear();
    for (const ModeloFrente::Gen& g : modelo_->genes()) actuales_.push_back(g.actual);
    puntoActual_ = modelo_->actual();
    // Without the genetic search's desired time, the line's own.
    if (!ctx_.deseado && deseado_->text().trimmed().isEmpty() && puntoActual_.valida)
        // Four decimals, rounded up so the line still meets its own time.
        deseado_->setValue(std::ceil(puntoActual_.tiempo * 1e4) / 1e4);

    AjustesFrente a;
    a.extra = static_cast<int>(extra_->value());
    a.poblacion = static_cast<int>(poblacion_->value());
    a.generaciones = static_cast<int>(generaciones_->value());
    a.semilla = static_cast<std::uint32_t>(semilla_->value());
    trabajo_ = std::make_shared<Trabajo>();
    trabajo_->progreso = [this](double f) {
        QMetaObject::invokeMethod(
            this,
            [this, f] { progreso_->setValue(static_cast<int>(std::lround(f * kPasosProgreso))); },
            Qt::QueuedConnection);
    };
    calcular_->setEnabled(false);
    cancelar_->setEnabled(true);
    aplicar_->setEnabled(false);
    progreso_->setValue(0);
    estado_->setText(QString::fromUtf8("Calculando el frente…"));
    hilo_ = std::thread([this, modelo = modelo_, trabajo = trabajo_, a] {
        std::optional<ResultadoFrente> r;
        std::string error;
        try {
            r = BuscarFrente(*modelo, a, *trabajo);
        } catch (const Cancelado&) {
        } catch (const ErrorFrente& e) {
            error = e.what();
        }
        QMetaObject::invokeMethod(
            this, [this, r = std::move(r), error]() mutable { Terminar(std::move(r), error); },
            Qt::QueuedConnection);
    });
    return true;
}

void VentanaFrente::Cancelar() {
    if (trabajo_) trabajo_->Cancelar();
}

void VentanaFrente::Terminar(std::optional<ResultadoFrente> r, const std::string& error) {
    if (hilo_.joinable()) hilo_.join();
    calcular_->setEnabled(true);
    cancelar_->setEnabled(false);
    if (!error.empty()) {
        estado_->setText(QString::fromUtf8("No se calculó el frente."));
        ctx_.dialogos.Mostrar(error, kTituloVentana, Botones::Aceptar, Icono::Critico);
        emit Terminada();
        return;
    }
    if (r) {
        resultado_ = std::move(r);
        seleccionado_ = -1;
        progreso_->setValue(kPasosProgreso);
        const QString metodo =
            resultado_->exacto ? QStringLiteral("exacto") : QStringLiteral("aproximado (NSGA-II)");
        estado_->setText(
            QString::fromUtf8("Frente %1: %2 puntos de %3 combinaciones evaluadas. "
                              "Hipervolumen: %4.")
                .arg(metodo)
                .arg(resultado_->puntos.size())
                .arg(Q(TextoGeneral(static_cast<double>(resultado_->evaluaciones), ctx_.regional)))
                .arg(Texto(resultado_->hipervolumen)));
        csv_->setEnabled(true);
        GuardarAjustes();
        Dibujar();
        MostrarSeleccion();
        // The network may have changed while the search ran.
        RevisarRed();
    } else {
        estado_->setText(QString::fromUtf8("Cálculo cancelado."));
    }
    emit Terminada();
}

void VentanaFrente::Dibujar() {
    QList<QPointF> puntos;
    if (resultado_)
        for (const PuntoFrente& p : resultado_->puntos) puntos.append({p.costo, p.tiempo});
    frente_->replace(puntos);
    actual_->clear();
    // A changed network is no longer where the point says.
    const bool hayActual = puntoActual_.valida && !desactualizado_;
    if (hayActual) actual_->append(puntoActual_.costo, puntoActual_.tiempo);
    actual_->setVisible(hayActual);
    geneticaSerie_->clear();
    const bool hayGenetica = ctx_.genetica && ctx_.genetica->valida;
    if (hayGenetica) geneticaSerie_->append(ctx_.genetica->costo, ctx_.genetica->tiempo);
    geneticaSerie_->setVisible(hayGenetica);
    elegido_->clear();
    if (resultado_ && seleccionado_ >= 0) {
        const PuntoFrente& p = resultado_->puntos[static_cast<std::size_t>(seleccionado_)];
        elegido_->append(p.costo, p.tiempo);
    }
    EjesYDeseado();
}

// The axes cover every point shown and the desired time, with a margin.
void VentanaFrente::EjesYDeseado() {
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (QScatterSeries* s : {frente_, actual_, geneticaSerie_})
        for (const QPointF& p : s->points()) {
            x0 = std::min(x0, p.x());
            x1 = std::max(x1, p.x());
            y0 = std::min(y0, p.y());
            y1 = std::max(y1, p.y());
        }
    if (x0 > x1) return;
    const double deseado = deseado_->value();
    if (deseado > 0) {
        y0 = std::min(y0, deseado);
        y1 = std::max(y1, deseado);
    }
    const double mx = std::max((x1 - x0) * 0.05, std::abs(x1) * 0.01 + 1e-9);
    const double my = std::max((y1 - y0) * 0.05, std::abs(y1) * 0.01 + 1e-9);
    auto* ejeX = qobject_cast<QValueAxis*>(grafico_->axes(Qt::Horizontal).value(0));
    auto* ejeY = qobject_cast<QValueAxis*>(grafico_->axes(Qt::Vertical).value(0));
    VistaGrafico::EjeRedondo(ejeX, x0 - mx, x1 + mx, 6);
    VistaGrafico::EjeRedondo(ejeY, y0 - my, y1 + my, 6);
    lineaDeseado_->clear();
    vista_->QuitarEtiquetas();
    if (deseado > 0) {
        lineaDeseado_->append(ejeX->min(), deseado);
        lineaDeseado_->append(ejeX->max(), deseado);
        vista_->Etiquetar(lineaDeseado_, 1, QStringLiteral("Deseado: ") + Texto(deseado));
    }
}

void VentanaFrente::Seleccionar(int punto) {
    if (!resultado_ || punto < 0 || punto >= static_cast<int>(resultado_->puntos.size())) return;
    seleccionado_ = punto;
    Dibujar();
    MostrarSeleccion();
}

void VentanaFrente::MostrarSeleccion() {
    const bool hay = resultado_ && seleccionado_ >= 0 && modelo_;
    aplicar_->setEnabled(hay && !Ocupada() && !desactualizado_);
    tabla_->setRowCount(0);
    if (desactualizado_) {
        diferencias_->setText(
            QString::fromUtf8("La red ya no es la del frente: pulse Calcular antes de aplicar."));
        return;
    }
    if (!hay) {
        diferencias_->setText(QString::fromUtf8("Elija un punto del frente."));
        return;
    }
    const PuntoFrente& p = resultado_->puntos[static_cast<std::size_t>(seleccionado_)];
    const auto& genes = modelo_->genes();
    tabla_->setRowCount(static_cast<int>(genes.size()));
    for (std::size_t k = 0; k < genes.size(); ++k) {
        const int fila = static_cast<int>(k);
        const bool cambia = actuales_[k] != p.servidores[k];
        const QString celdas[3] = {Q(genes[k].nombre), QString::number(actuales_[k]),
                                   QString::number(p.servidores[k])};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(celdas[c]);
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (cambia) item->setBackground(kColorCambio);
            tabla_->setItem(fila, c, item);
        }
    }
    auto conSigno = [this](double d, const char* patron) {
        return (d > 0 ? QStringLiteral("+") : QString()) + Texto(d, patron);
    };
    diferencias_->setText(QStringLiteral("Costo: %1 (%2)   Tiempo: %3 (%4)")
                              .arg(Texto(p.costo, "#0.##"),
                                   conSigno(p.costo - puntoActual_.costo, "#0.##"), Texto(p.tiempo),
                                   conSigno(p.tiempo - puntoActual_.tiempo, "#0.####")));
}

void VentanaFrente::AlAplicar() {
    if (!resultado_ || seleccionado_ < 0 || !modelo_ || !ctx_.aplicar || Ocupada()) return;
    const PuntoFrente& p = resultado_->puntos[static_cast<std::size_t>(seleccionado_)];
    // The step tells every window of the change; this one knows what it is.
    aplicando_ = true;
    ctx_.aplicar(*modelo_, p.servidores);
    aplicando_ = false;
    // The network now stands at the applied point only when it took it.
    bool tomado = true;
    for (std::size_t k = 0; k < modelo_->genes().size(); ++k) {
        const std::int16_t pos = modelo_->genes()[k].posicion;
        tomado = tomado && ctx_.red.Centros.Existe(pos) &&
                 ctx_.red.Centros(pos).Servidores == p.servidores[k];
    }
    if (!tomado) {
        RevisarRed();
        return;
    }
    actuales_ = p.servidores;
    puntoActual_ = {p.costo, p.tiempo, true};
    huella_ = HuellaRed(ctx_.red);
    Dibujar();
    MostrarSeleccion();
}

void VentanaFrente::RevisarRed() {
    if (!modelo_ || aplicando_) return;
    const bool cambio = HuellaRed(ctx_.red) != huella_;
    if (cambio == desactualizado_) return;
    desactualizado_ = cambio;
    aviso_->Poner(cambio);
    Dibujar();
    MostrarSeleccion();
}

std::optional<std::string> VentanaFrente::Juicio(double costo, double tiempo) const {
    if (!resultado_ || HuellaRed(ctx_.red, false) != huellaFrente_) return std::nullopt;
    return JuicioFrente(*resultado_, costo, tiempo, ctx_.regional);
}

namespace {

QSettings Ajustes() {
    return QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena"));
}

}  // namespace

void VentanaFrente::CargarAjustes() {
    const QSettings s = Ajustes();
    for (CampoNumerico* c : {extra_, poblacion_, generaciones_, semilla_})
        c->setValue(s.value(QStringLiteral("frente/") + c->objectName(), c->value()).toDouble());
}

// Only from a search that completed: a setting that never ran is no choice.
void VentanaFrente::GuardarAjustes() const {
    QSettings s = Ajustes();
    for (const CampoNumerico* c : {extra_, poblacion_, generaciones_, semilla_})
        s.setValue(QStringLiteral("frente/") + c->objectName(), c->value());
}

void VentanaFrente::ValoresIniciales() {
    const AjustesFrente def;
    extra_->setValue(def.extra);
    poblacion_->setValue(def.poblacion);
    generaciones_->setValue(def.generaciones);
    semilla_->setValue(static_cast<int>(def.semilla));
}

void VentanaFrente::ExportarCsv() {
    if (!resultado_ || !modelo_) return;
    const auto nombre = NombreExportar(ctx_.dialogos, "Archivos CSV (*.csv)|*.csv|", {".csv"});
    if (!nombre) return;
    const std::string texto = TextoCsvFrente(*modelo_, *resultado_);
    const QString motivo = GuardarDesde(
        this, Q(*nombre), QByteArray(texto.data(), static_cast<qsizetype>(texto.size())));
    if (!motivo.isEmpty())
        ctx_.dialogos.Mostrar("No se pudo escribir el CSV: " + motivo.toStdString() + ".",
                              kTituloVentana, Botones::Aceptar, Icono::Critico);
}

void VentanaFrente::GuardarImagen() {
    const auto nombre = NombreExportar(ctx_.dialogos, "Imágenes PNG (*.png)|*.png|", {".png"});
    if (!nombre) return;
    const QString motivo = GuardarDesde(this, Q(*nombre), BytesPng(vista_->grab()));
    if (!motivo.isEmpty())
        ctx_.dialogos.Mostrar("No se pudo escribir la imagen: " + motivo.toStdString() + ".",
                              kTituloVentana, Botones::Aceptar, Icono::Critico);
}

}  // namespace vortena
