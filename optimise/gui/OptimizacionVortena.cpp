#include "optimise/gui/OptimizacionVortena.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

#include "optimise/MensajesOptimizacion.h"
#include "optimise/gui/GraficoConvergencia.h"
#include "widgets/CampoNumerico.h"

namespace vortena {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

QSlider* Deslizador(QWidget* padre, const char* nombre, int min, int max, int valor,
                    const char* ayuda) {
    auto* s = new QSlider(Qt::Horizontal, padre);
    s->setObjectName(QString::fromLatin1(nombre));
    s->setRange(min, max);
    s->setValue(valor);
    s->setPageStep(1);
    s->setTickPosition(QSlider::TicksBelow);
    s->setToolTip(QString::fromUtf8(ayuda));
    return s;
}

// A number typed with the other decimal separator is refused with the form
// expected, keeping the typed text and the focus.
bool SeparadorAjeno(CampoNumerico* campo, const Regional& reg, Mensajes& msj) {
    const std::string t = S(campo->text());
    if (t.find(reg.grupo) == std::string::npos || LeerNumero(t, reg)) return false;
    msj.Mostrar(MotivoNoNumero(t, reg), kTituloErrorCarga, Botones::Aceptar, Icono::Exclamacion);
    campo->Tomar();
    return true;
}

QLabel* Etiqueta(QWidget* padre, const char* nombre, const char* texto) {
    auto* l = new QLabel(QString::fromUtf8(texto), padre);
    l->setObjectName(QString::fromLatin1(nombre));
    return l;
}

bool EsEnter(int tecla) {
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

}  // namespace

OptimizacionVortena::OptimizacionVortena(Optimizacion& opt, Documento& doc, Regional reg,
                                         QWidget* parent)
    : QDialog(parent), opt_(opt), doc_(doc), reg_(reg) {
    Construir();
    Cargar();
}

void OptimizacionVortena::Construir() {
    setObjectName(QStringLiteral("OptimizacionVortena"));
    setWindowTitle(QStringLiteral("Optimización Genética"));

    habitantes = Deslizador(this, "habitantes", AjustesOptimizacion::kHabitantesMin,
                            AjustesOptimizacion::kHabitantesMax, 5,
                            "Número de soluciones que utilizará el algoritmo genético");
    lblhabitantes = Etiqueta(this, "lblhabitantes", "Numero de Habitantes: 5");
    delta =
        Deslizador(this, "delta", AjustesOptimizacion::kDeltaMin, AjustesOptimizacion::kDeltaMax, 2,
                   "La variancia  de la distribución uniforme de la Mutación");
    lbldelta = Etiqueta(this, "lbldelta", "Delta de Mutación: 2");
    DivVSOpt = Deslizador(this, "DivVSOpt", AjustesOptimizacion::kDiversidadMin,
                          AjustesOptimizacion::kDiversidadMax, 74,
                          "Determina si subsistirá el más Óptimo o el más Diverso");
    DivVSOpt->setTickInterval(10);
    lbldiversidad = Etiqueta(this, "lbldiversidad", "Diversidad");
    lbloptimidad = Etiqueta(this, "lbloptimidad", "Optimidad");

    // The ranges keep the search's own messages; the fields read the numbers.
    Iteraciones = new CampoNumerico("Iteraciones", reg_, Admisible{}, this);
    Iteraciones->setText(QString::fromLatin1(AjustesOptimizacion::kIteracionesPorDefecto));
    Iteraciones->setToolTip(QStringLiteral("Número de Iteraciones por Solución"));
    lbliteraciones = Etiqueta(this, "lbliteraciones", "Número de interacciones:");
    deseado = new CampoNumerico("deseado", reg_, Admisible{}, this);
    lbltmpodeseado = Etiqueta(this, "lbltmpodeseado", "Tiempo Deseado :");
    lblminimotiempo = Etiqueta(this, "lblminimotiempo", "");

    iniciar = new QPushButton(QStringLiteral("Iniciar"), this);
    iniciar->setObjectName(QStringLiteral("iniciar"));
    salir = new QPushButton(QStringLiteral("Cerrar"), this);
    salir->setObjectName(QStringLiteral("salir"));
    // Enter belongs to the text boxes, never to a default button.
    for (QPushButton* b : {iniciar, salir}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    contenedor = new QGroupBox(this);
    contenedor->setObjectName(QStringLiteral("contenedor"));
    Progreso = new QProgressBar(contenedor);
    Progreso->setObjectName(QStringLiteral("Progreso"));
    Progreso->setTextVisible(false);
    Progreso->setRange(0, 100);
    Progreso->setValue(0);
    grafico = new GraficoConvergencia(reg_, contenedor);
    grafico->setObjectName(QStringLiteral("grafico"));
    auto* filaProgreso = new QVBoxLayout(contenedor);
    filaProgreso->addWidget(Progreso);
    filaProgreso->addWidget(grafico, 1);

    lblvalor = Etiqueta(this, "lblvalor", "");
    lblvalor->setWordWrap(true);

    auto* g = new QGridLayout(this);
    g->addWidget(lblhabitantes, 0, 0);
    g->addWidget(habitantes, 0, 1, 1, 2);
    g->addWidget(lbldelta, 1, 0);
    g->addWidget(delta, 1, 1, 1, 2);
    g->addWidget(lbldiversidad, 2, 0, Qt::AlignRight);
    g->addWidget(DivVSOpt, 2, 1);
    g->addWidget(lbloptimidad, 2, 2);
    g->addWidget(lbliteraciones, 3, 0);
    g->addWidget(Iteraciones, 3, 1);
    g->addWidget(lbltmpodeseado, 4, 0);
    g->addWidget(deseado, 4, 1);
    g->addWidget(lblminimotiempo, 5, 1, 1, 2);
    g->addWidget(contenedor, 6, 0, 1, 3);
    g->addWidget(lblvalor, 7, 0, 1, 3);
    auto* botones = new QHBoxLayout;
    botones->addWidget(grafico->CrearBotonGuardar(this));
    botones->addStretch(1);
    botones->addWidget(iniciar);
    botones->addWidget(salir);
    g->addLayout(botones, 8, 0, 1, 3);

    connect(habitantes, &QSlider::valueChanged, this, [this] { habitantes_Scroll(); });
    connect(delta, &QSlider::valueChanged, this, [this] { delta_Scroll(); });
    connect(DivVSOpt, &QSlider::valueChanged, this, [this] { DivVSOpt_Scroll(); });
    connect(iniciar, &QPushButton::clicked, this, [this] { iniciar_Click(); });
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
    deseado->installEventFilter(this);
    Iteraciones->installEventFilter(this);
}

// The pool is already built; the dialog shows what building it found and
// hands its design-time settings to the search.
void OptimizacionVortena::Cargar() {
    opt_.ajustes.habitantes = static_cast<std::int16_t>(habitantes->value());
    opt_.ajustes.delta = static_cast<std::int16_t>(delta->value());
    opt_.ajustes.diversidad = static_cast<std::int16_t>(DivVSOpt->value());
    deseado->setText(Q(TextoGeneral(opt_.TiempoActual, reg_)));
    lblminimotiempo->setText(Q(TextoTiempoMinimo(opt_.TiempoMinimo, reg_)));
}

void OptimizacionVortena::habitantes_Scroll() {
    opt_.ajustes.habitantes = static_cast<std::int16_t>(habitantes->value());
    lblhabitantes->setText(Q("Numero de Habitantes: " + TextoConSigno(habitantes->value(), reg_)));
}

void OptimizacionVortena::delta_Scroll() {
    opt_.ajustes.delta = static_cast<std::int16_t>(delta->value());
    lbldelta->setText(Q("Delta de Mutación: " + TextoConSigno(delta->value(), reg_)));
}

void OptimizacionVortena::DivVSOpt_Scroll() {
    opt_.ajustes.diversidad = static_cast<std::int16_t>(DivVSOpt->value());
}

void OptimizacionVortena::deseado_KeyUp(int tecla) {
    if (!EsEnter(tecla)) return;
    if (const auto v = LeerNumero(S(deseado->text()), reg_)) opt_.TiempoDeseado = *v;
}

void OptimizacionVortena::Iteraciones_KeyPress(int tecla) {
    if (!EsEnter(tecla)) return;
    if (IteracionesValidas(S(Iteraciones->text()), reg_)) return;
    if (SeparadorAjeno(Iteraciones, reg_, opt_.mensajes())) return;
    Iteraciones->setText(QString::fromLatin1(AjustesOptimizacion::kIteracionesPorDefecto));
    opt_.mensajes().Mostrar(kTextoIteracionesCero, kTituloErrorCarga, Botones::Aceptar,
                            Icono::Exclamacion);
    Iteraciones->repaint();
}

bool OptimizacionVortena::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == deseado && e->type() == QEvent::KeyRelease) {
        deseado_KeyUp(static_cast<QKeyEvent*>(e)->key());
    } else if (objeto == Iteraciones && e->type() == QEvent::KeyPress) {
        Iteraciones_KeyPress(static_cast<QKeyEvent*>(e)->key());
    } else if (objeto == Iteraciones && e->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, Iteraciones, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(objeto, e);
}

// The run holds the thread; the only repaints are the progress frame's and
// the result's, painted at once without letting other events through.
void OptimizacionVortena::iniciar_Click() {
    for (CampoNumerico* campo : {deseado, Iteraciones})
        if (SeparadorAjeno(campo, reg_, opt_.mensajes())) return;
    RechazoCorrida rechazo = RechazoCorrida::Ninguno;
    const auto peticion =
        opt_.ComprobarInicio(S(deseado->text()), S(Iteraciones->text()), reg_, &rechazo);
    if (!peticion) {
        if (rechazo == RechazoCorrida::Iteraciones) {
            Iteraciones->setText(QString::fromLatin1(AjustesOptimizacion::kIteracionesPorDefecto));
            Iteraciones->repaint();
        }
        return;
    }
    lblvalor->setText(QStringLiteral(" "));
    const double n = std::floor(peticion->iteraciones);
    Progreso->setRange(0, static_cast<int>(std::clamp(n, 1.0, static_cast<double>(INT_MAX))));
    Progreso->setValue(0);
    grafico->Limpiar();
    opt_.Correr(*peticion, doc_, [this](const AvanceOptimizacion& a) {
        Progreso->setValue(std::min(a.generacion, Progreso->maximum()));
        contenedor->setTitle(Q(TextoPorcentaje(a.porcentaje, reg_)));
        grafico->Agregar(a.costo, a.tiempo);
        contenedor->repaint();
    });
    std::string texto = TextoResultado(opt_.MejorCadena.rOptimo, opt_.MejorCadena.rTiempo, reg_);
    if (!opt_.Aplicada())
        texto += "\nNo mejora la red de partida (" +
                 TextoResultado(opt_.Inicial().rOptimo, opt_.Inicial().rTiempo, reg_).substr(1) +
                 "): la red conserva sus servidores.";
    if (juicioFrente)
        if (const auto juicio = juicioFrente(opt_.MejorCadena.rOptimo, opt_.MejorCadena.rTiempo))
            texto += "\n" + *juicio;
    lblvalor->setText(Q(texto));
    lblvalor->repaint();
}

}  // namespace vortena
