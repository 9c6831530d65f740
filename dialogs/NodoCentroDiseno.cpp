// The layout of the centre dialog: five pages in a tab widget, framed groups
// of labelled boxes, and the three command buttons below.

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/CajaEntrada.h"
#include "dialogs/NodoCentro.h"
#include "editor/gui/Pictogramas.h"

namespace vortena {

const char* const kExplicacionDesviaciones =
    "Los valores por defecto corresponden a \r\n"
    "un sistema de cola de tipo M/M/1). La \r\n"
    "modificación de estos valores permite la \r\n"
    "especificación de distintos tipos de \r\n"
    "Distribuciones de Probabilidad para las \r\n"
    "velocidades de Arribo y Despacho.\r\n";

namespace {

constexpr int kAnchoCaja = 110;  // pixels: room for "#0.0####" of a large rate
constexpr int kLadoIcono = 24;

QLabel* Rotulo(const char* texto, QWidget* padre) {
    return new QLabel(QString::fromUtf8(texto), padre);
}

QGroupBox* Marco(const char* nombre, const char* titulo, QWidget* padre) {
    auto* g = new QGroupBox(QString::fromUtf8(titulo), padre);
    g->setObjectName(QString::fromUtf8(nombre));
    return g;
}

QFormLayout* Formulario(QWidget* padre) {
    auto* f = new QFormLayout(padre);
    f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    f->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return f;
}

QPushButton* Boton(const char* nombre, const char* texto, QWidget* padre) {
    auto* b = new QPushButton(QString::fromUtf8(texto), padre);
    b->setObjectName(QString::fromUtf8(nombre));
    return b;
}

QPushButton* BotonIcono(const char* nombre, Pictograma p, const char* ayuda, QWidget* padre) {
    auto* b = new QPushButton(padre);
    b->setObjectName(QString::fromUtf8(nombre));
    b->setIcon(IconoDe(p));
    b->setIconSize(QSize(kLadoIcono, kLadoIcono));
    b->setToolTip(QString::fromUtf8(ayuda));
    b->setAccessibleName(QString::fromUtf8(ayuda));
    return b;
}

QWidget* Pagina(const char* nombre, QWidget* padre) {
    auto* w = new QWidget(padre);
    w->setObjectName(QString::fromUtf8(nombre));
    return w;
}

template <class Caja>
Caja* Ancho(Caja* c) {
    c->setFixedWidth(kAnchoCaja);
    return c;
}

}  // namespace

void NodoCentro::Construir() {
    setWindowTitle(QStringLiteral("Propiedades del Centro Productivo"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    Propiedades = new QTabWidget(this);
    Propiedades->setObjectName(QStringLiteral("Propiedades"));
    Cuadro[0] = PaginaGenerales();
    Cuadro[1] = PaginaCola();
    Cuadro[2] = PaginaEconomicas();
    Cuadro[3] = PaginaPert();
    Cuadro[4] = PaginaDistribuciones();
    const char* const pestanas[kPaginasCentro] = {"Generales", "Cola", "Económicas", "Pert",
                                                  "Distribuciones de Probabilidad"};
    for (int i = 0; i < kPaginasCentro; ++i)
        Propiedades->addTab(Cuadro[static_cast<std::size_t>(i)], QString::fromUtf8(pestanas[i]));
    Propiedades->setCurrentIndex(0);

    Aplicar = Boton("Aplicar", "Calcular", this);
    aceptar = Boton("aceptar", "Aceptar", this);
    cancelar = Boton("cancelar", "Cancelar", this);
    aceptar->setDefault(true);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(Aplicar);
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Propiedades);
    todo->addLayout(botones);
    todo->setSizeConstraint(QLayout::SetFixedSize);

    OrdenTabulacion();
}

QWidget* NodoCentro::PaginaGenerales() {
    QWidget* p = Pagina("Cuadro(0)", this);
    Nombre = new CajaEntrada("Nombre", p);
    Nombre->setMinimumWidth(2 * kAnchoCaja);
    auto nueva = [&](CampoCentro c) {
        auto* caja = new CajaEntrada(Regla(c).caja, p);
        cajas_[static_cast<std::size_t>(c)] = caja;
        return Ancho(caja);
    };
    CajaEntrada* lamda = nueva(CampoCentro::Lamda);
    CajaEntrada* mu = nueva(CampoCentro::Mu);
    CajaEntrada* s = nueva(CampoCentro::S);
    Descripcion = new QPlainTextEdit(p);
    Descripcion->setObjectName(QStringLiteral("Descripcion"));
    Descripcion->setTabChangesFocus(true);
    Descripcion->setFixedHeight(Descripcion->fontMetrics().lineSpacing() * 4 + 12);
    Rho = Ancho(CajaLectura("Rho", p));
    Trafico = Ancho(CajaLectura("Trafico", p));
    minimos = BotonIcono("minimos", Pictograma::ServidoresMinimos, "Servidores mínimos", p);
    optimo = BotonIcono("optimo", Pictograma::ServidoresOptimos,
                        "Servidores óptimos (optimización económica)", p);

    auto* g = new QGridLayout(p);
    g->setColumnStretch(2, 1);
    int fila = 0;
    auto linea = [&](const char* rotulo, QWidget* caja) {
        g->addWidget(Rotulo(rotulo, p), fila, 0);
        g->addWidget(caja, fila, 1);
        ++fila;
    };
    g->addWidget(Rotulo("Nombre", p), fila, 0);
    g->addWidget(Nombre, fila++, 1, 1, 2);
    linea("Velocidad de Arribo", lamda);
    linea("Velocidad de Despacho", mu);
    auto* dimensionar = new QHBoxLayout;
    dimensionar->addWidget(minimos);
    dimensionar->addWidget(optimo);
    dimensionar->addStretch(1);
    g->addLayout(dimensionar, fila, 2);
    linea("Numero de Servidores (S)", s);
    g->addWidget(Rotulo("Descripción", p), fila, 0, Qt::AlignTop);
    g->addWidget(Descripcion, fila++, 1, 1, 2);
    linea("Relacion: V. de Arribo/V. de Despacho", Rho);
    linea("Tasa de Utilización", Trafico);
    g->setRowStretch(fila, 1);
    return p;
}

QWidget* NodoCentro::PaginaCola() {
    QWidget* p = Pagina("Cuadro(1)", this);

    QGroupBox* estados = Marco("Estados", "Estados", p);
    auto* prob = Ancho(new CajaEntrada(Regla(CampoCentro::Probabilidad).caja, estados));
    cajas_[static_cast<std::size_t>(CampoCentro::Probabilidad)] = prob;
    MaximaCola = Ancho(CajaLectura("MaximaCola", estados));
    calcProbabilidad = Boton("calcProbabilidad", "cal.", estados);
    maxCola = Boton("maxCola", "...", estados);
    calcProbabilidad->setToolTip(QStringLiteral("Calcular el estado máximo"));
    maxCola->setToolTip(QStringLiteral("Probabilidades de los estados"));
    for (QPushButton* b : {calcProbabilidad, maxCola})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("cal.")) + 24);
    auto* fe = new QGridLayout(estados);
    fe->addWidget(Rotulo("Probabilidad:", estados), 0, 0);
    fe->addWidget(prob, 0, 1);
    fe->addWidget(Rotulo("Max. Estado:", estados), 1, 0);
    fe->addWidget(MaximaCola, 1, 1);
    fe->addWidget(calcProbabilidad, 1, 2);
    fe->addWidget(maxCola, 1, 3);
    fe->setColumnStretch(4, 1);

    auto par = [&](const char* nombre, const char* titulo, const char* r1, QLineEdit*& c1,
                   const char* n1, const char* r2, QLineEdit*& c2, const char* n2) {
        QGroupBox* marco = Marco(nombre, titulo, p);
        c1 = Ancho(CajaLectura(n1, marco));
        c2 = Ancho(CajaLectura(n2, marco));
        QFormLayout* f = Formulario(marco);
        f->addRow(Rotulo(r1, marco), c1);
        f->addRow(Rotulo(r2, marco), c2);
        return marco;
    };
    QGroupBox* cantidades = par("Cantidades", "Cantidades", "Nº esperado Centro:", L, "L",
                                "Nº esperado Cola:", Lq, "Lq");
    QGroupBox* probabilidades =
        par("Probabilidades", "Probabilidades", "Hallar vacío el Centro:", P0, "P0",
            "Tener que esperar:", Pn, "Pn");
    QGroupBox* tiempos =
        par("Tiempos", "Tiempos", "Total Centro:", W, "W", "Espera Cola:", Wq, "Wq");

    auto* g = new QGridLayout(p);
    g->addWidget(estados, 0, 0);
    g->addWidget(cantidades, 0, 1);
    g->addWidget(probabilidades, 1, 0);
    g->addWidget(tiempos, 1, 1);
    g->setRowStretch(2, 1);
    return p;
}

QWidget* NodoCentro::PaginaEconomicas() {
    QWidget* p = Pagina("Cuadro(2)", this);

    QGroupBox* costos = Marco("Costos", "Costo Espera", p);
    auto* espera = Ancho(new CajaEntrada(Regla(CampoCentro::CostoEspera).caja, costos));
    auto* servidor = Ancho(new CajaEntrada(Regla(CampoCentro::CostoServidor).caja, costos));
    cajas_[static_cast<std::size_t>(CampoCentro::CostoEspera)] = espera;
    cajas_[static_cast<std::size_t>(CampoCentro::CostoServidor)] = servidor;
    optimo1 = BotonIcono("optimo1", Pictograma::ServidoresOptimos,
                         "Servidores óptimos (optimización económica)", costos);
    auto* fc = new QGridLayout(costos);
    fc->addWidget(Rotulo("Costo Espera:", costos), 0, 0);
    fc->addWidget(espera, 0, 1);
    fc->addWidget(Rotulo("Costo Servidor:", costos), 1, 0);
    fc->addWidget(servidor, 1, 1);
    fc->addWidget(optimo1, 0, 2, 2, 1, Qt::AlignCenter);
    fc->setColumnStretch(3, 1);

    auto trio = [&](const char* nombre, const char* titulo,
                    std::array<std::pair<const char*, const char*>, 3> filas,
                    std::array<QLineEdit**, 3> cajas) {
        QGroupBox* marco = Marco(nombre, titulo, p);
        QFormLayout* f = Formulario(marco);
        for (std::size_t i = 0; i < 3; ++i) {
            *cajas[i] = Ancho(CajaLectura(filas[i].second, marco));
            f->addRow(Rotulo(filas[i].first, marco), *cajas[i]);
        }
        return marco;
    };
    QGroupBox* centro = trio("FCentro", "Centro",
                             {{{"Costo espera Centro:", "CesperaCentro"},
                               {"Costo Total Servidores:", "CtotalServidores"},
                               {"Total:", "CentroTotal"}}},
                             {&CesperaCentro, &CtotalServidores, &CentroTotal});
    QGroupBox* improductividad = trio("Improductividad", "Improductividad",
                                      {{{"Costo Improductividad Serv.:", "CImpServ"},
                                        {"Costo espera Cola:", "CEsperaCola"},
                                        {"Total:", "ImpTotal"}}},
                                      {&CImpServ, &CEsperaCola, &ImpTotal});

    auto* g = new QGridLayout(p);
    g->addWidget(costos, 0, 0, 1, 2);
    g->addWidget(centro, 1, 0);
    g->addWidget(improductividad, 1, 1);
    g->setRowStretch(2, 1);
    return p;
}

QWidget* NodoCentro::PaginaPert() {
    QWidget* p = Pagina("Cuadro(3)", this);
    QGroupBox* pert = Marco("Pert", "Información Relativa a Pert", p);
    TTemprano = Ancho(CajaLectura("TTemprano", pert));
    TTardio = Ancho(CajaLectura("TTardio", pert));
    Flotamiento = Ancho(CajaLectura("Flotamiento", pert));
    QFormLayout* f = Formulario(pert);
    f->addRow(Rotulo("Tiempo Temprano", pert), TTemprano);
    f->addRow(Rotulo("Tiempo Tardío", pert), TTardio);
    f->addRow(Rotulo("Margen de Flotamiento", pert), Flotamiento);

    lblPert = new QLabel(p);
    lblPert->setObjectName(QStringLiteral("lblPert"));
    QFont negrita = lblPert->font();
    negrita.setBold(true);
    lblPert->setFont(negrita);
    lblPert->setAlignment(Qt::AlignCenter);

    auto* v = new QVBoxLayout(p);
    v->addWidget(pert);
    v->addSpacing(12);
    v->addWidget(lblPert);
    v->addStretch(1);
    return p;
}

QWidget* NodoCentro::PaginaDistribuciones() {
    QWidget* p = Pagina("Cuadro(4)", this);
    QGroupBox* desv = Marco("Desviaciones", "Desviaciones Típicas", p);
    auto* dl = Ancho(new CajaEntrada(Regla(CampoCentro::Desvlamda).caja, desv));
    auto* dm = Ancho(new CajaEntrada(Regla(CampoCentro::DesvMu).caja, desv));
    cajas_[static_cast<std::size_t>(CampoCentro::Desvlamda)] = dl;
    cajas_[static_cast<std::size_t>(CampoCentro::DesvMu)] = dm;
    QFormLayout* f = Formulario(desv);
    f->addRow(Rotulo("Desviación de Velocidad de Arribo", desv), dl);
    f->addRow(Rotulo("Desviación de Velocidad de Despacho", desv), dm);

    // The note's lines end in CR LF; a label breaks on the LF alone.
    QString nota = QString::fromUtf8(kExplicacionDesviaciones);
    ExpDesviaciones = new QLabel(nota.remove(QLatin1Char('\r')).trimmed(), p);
    ExpDesviaciones->setObjectName(QStringLiteral("ExpDesviaciones"));
    ExpDesviaciones->setFrameShape(QFrame::StyledPanel);
    ExpDesviaciones->setMargin(6);
    ExpDesviaciones->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* v = new QVBoxLayout(p);
    v->addWidget(desv);
    v->addWidget(ExpDesviaciones);
    v->addStretch(1);
    return p;
}

void NodoCentro::OrdenTabulacion() {
    auto caja = [this](CampoCentro c) -> QWidget* { return cajas_[static_cast<std::size_t>(c)]; };
    QWidget* orden[] = {
        Nombre,
        caja(CampoCentro::Lamda),
        caja(CampoCentro::Mu),
        caja(CampoCentro::S),
        minimos,
        optimo,
        Descripcion,
        caja(CampoCentro::Probabilidad),
        calcProbabilidad,
        maxCola,
        caja(CampoCentro::CostoEspera),
        caja(CampoCentro::CostoServidor),
        optimo1,
        caja(CampoCentro::Desvlamda),
        caja(CampoCentro::DesvMu),
        Aplicar,
        aceptar,
        cancelar,
    };
    for (std::size_t i = 1; i < std::size(orden); ++i) setTabOrder(orden[i - 1], orden[i]);
}

}  // namespace vortena
