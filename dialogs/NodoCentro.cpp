#include "dialogs/NodoCentro.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "dialogs/CajaEntrada.h"
#include "dialogs/HuellaCentro.h"
#include "dialogs/ProbEstados.h"
#include "dialogs/ValorEntrada.h"
#include "model/ErrorAritmetico.h"

namespace vortena {

namespace {

constexpr const char* kSinNombre = "Sin nombre";
constexpr int kLargoNombre = 12;
constexpr const char* kTituloError = "Error";
constexpr const char* kTextoNombre = "El Formato del nombre es erróneo";

constexpr const char* kMedida = "#0.00##";
constexpr const char* kTiempoPert = "#0.0000";

}  // namespace

NodoCentro::NodoCentro(const ContextoPropiedades& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("NodoCentro"));
    Construir();
    Conectar();
    Registrando([this] { Centro().Calculos(ctx_.red.ErrorCalculo, ctx_.mensajes); });
    MostrarDatos();
    Nombre->setFocus(Qt::OtherFocusReason);
    Nombre->selectAll();
}

NodoCentro::~NodoCentro() {
    Descripcion->removeEventFilter(this);
}

CentroProductivo& NodoCentro::Centro() {
    return ctx_.red.Centros(ctx_.red.CentroActual);
}

QString NodoCentro::Texto(double valor, const char* patron) const {
    return QString::fromStdString(Formato(valor, patron, ctx_.regional));
}

template <class Accion>
void NodoCentro::Registrando(Accion&& accion) {
    const HuellaCentro antes(Centro());
    accion();
    if (!(HuellaCentro(Centro()) == antes)) ctx_.doc.ACTBarraEstado(true);
}

void NodoCentro::Conectar() {
    for (const ReglaCampo& r : ReglasCentro()) {
        const CampoCentro campo = r.campo;
        connect(cajas_[static_cast<std::size_t>(campo)], &CajaEntrada::enter, this,
                [this, campo] { EntradaNumerica(campo); });
    }
    connect(Nombre, &CajaEntrada::enter, this, &NodoCentro::EntradaNombre);
    Descripcion->installEventFilter(this);
    connect(Aplicar, &QPushButton::clicked, this, &NodoCentro::Calcular);
    connect(minimos, &QPushButton::clicked, this, &NodoCentro::Minimos);
    connect(optimo, &QPushButton::clicked, this,
            [this] { Optimo(cajas_[static_cast<std::size_t>(CampoCentro::Lamda)]); });
    connect(optimo1, &QPushButton::clicked, this,
            [this] { Optimo(cajas_[static_cast<std::size_t>(CampoCentro::CostoEspera)]); });
    connect(calcProbabilidad, &QPushButton::clicked, this, &NodoCentro::CalcularProbabilidad);
    connect(maxCola, &QPushButton::clicked, this, &NodoCentro::MostrarEstados);
    connect(aceptar, &QPushButton::clicked, this, &NodoCentro::Aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void NodoCentro::MostrarDatos() {
    const CentroProductivo& c = Centro();
    auto caja = [this](CampoCentro campo) { return cajas_[static_cast<std::size_t>(campo)]; };
    Nombre->setText(QString::fromStdString(c.Nombre));
    caja(CampoCentro::Lamda)->setText(Texto(c.Lamda, "#0.0###"));
    caja(CampoCentro::Mu)->setText(Texto(c.Mu, "#0.0###"));
    caja(CampoCentro::S)->setText(Texto(c.Servidores, "#0"));
    Descripcion->setPlainText(QString::fromStdString(c.Descripción));
    Rho->setText(Texto(c.Rho, kMedida));
    Trafico->setText(Texto(c.Trafico, kMedida));
    P0->setText(Texto(c.P0, kMedida));
    Pn->setText(Texto(c.Pn, kMedida));
    Lq->setText(Texto(c.Lq, kMedida));
    L->setText(Texto(c.L, kMedida));
    Wq->setText(Texto(c.Wq, kMedida));
    W->setText(Texto(c.W, kMedida));
    caja(CampoCentro::Probabilidad)->setText(Texto(c.Probabilidad, kMedida));
    MaximaCola->setText(Texto(c.MaximaCola, "#0"));
    caja(CampoCentro::CostoEspera)->setText(Texto(c.CostoEspera, kMedida));
    caja(CampoCentro::CostoServidor)->setText(Texto(c.CostoCentro, kMedida));
    CesperaCentro->setText(Texto(c.CtoEsperaCentro, kMedida));
    CtotalServidores->setText(Texto(c.CtoTotalServidores, kMedida));
    CentroTotal->setText(Texto(c.CtoEsperaCentro + c.CtoTotalServidores, kMedida));
    CImpServ->setText(Texto(c.CtoImproductividad, kMedida));
    CEsperaCola->setText(Texto(c.CtoEsperaCola, kMedida));
    ImpTotal->setText(Texto(c.CtoImproductividad + c.CtoEsperaCola, kMedida));
    if (c.ParticipaPERT()) {
        TTardio->setText(Texto(c.tmpoTardio, kTiempoPert));
        TTemprano->setText(Texto(c.tmpoTemprano + c.W, kTiempoPert));
        Flotamiento->setText(Texto(c.indFlotamiento, kTiempoPert));
        lblPert->setText(EsCritico(c) ? QStringLiteral("CRITICO") : QStringLiteral("NO CRITICO"));
    } else {
        for (QLineEdit* b : {TTemprano, TTardio, Flotamiento}) b->setText(QStringLiteral("N/A"));
        lblPert->setText(QStringLiteral("NO PARTICIPA DEL PERT"));
    }
    caja(CampoCentro::Desvlamda)->setText(Texto(c.Desvlamda, "#0.0##"));
    caja(CampoCentro::DesvMu)->setText(Texto(c.DesvMu, "#0.0##"));
}

void NodoCentro::Enfocar(QWidget* w) {
    // A box on another page can only take the focus once its page shows.
    for (QWidget* pagina : Cuadro)
        if (pagina->isAncestorOf(w)) Propiedades->setCurrentWidget(pagina);
    w->setFocus(Qt::OtherFocusReason);
}

void NodoCentro::Rechazar(QLineEdit* caja, const char* texto, const char* titulo, bool critico) {
    ctx_.mensajes.Mostrar(texto, titulo, Botones::Aceptar,
                          critico ? Icono::Critico : Icono::Exclamacion);
    Enfocar(caja);
    caja->selectAll();
}

void NodoCentro::EntradaNumerica(CampoCentro campo) {
    CentroProductivo& c = Centro();
    const ReglaCampo& r = Regla(campo);
    CajaEntrada* caja = cajas_[static_cast<std::size_t>(campo)];

    const std::optional<double> valor =
        ValorDeEntrada(caja->text().toStdString(), ctx_.regional, campo == CampoCentro::S);
    if (!valor) {
        ctx_.mensajes.Mostrar(kTextoCaracter, kTituloCaracter, Botones::Aceptar,
                              Icono::Exclamacion);
        caja->setText(Texto(ValorCampo(c, campo), r.patronCaracter));
        caja->selectAll();
        return;
    }
    if (FueraDeRango(campo, *valor, c)) {
        ctx_.mensajes.Mostrar(r.mensajeRango, kTituloError, Botones::Aceptar, Icono::Critico);
        caja->setText(Texto(ValorCampo(c, campo), r.patronRechazo));
        Enfocar(r.avanzaTrasRechazo ? findChild<QWidget*>(QString::fromUtf8(r.siguiente)) : caja);
        return;
    }
    GuardarCampo(c, campo, *valor, ctx_.regional);
    caja->setText(Texto(ValorCampo(c, campo), r.patronExito));
    ctx_.doc.ACTBarraEstado(true);
    Enfocar(findChild<QWidget*>(QString::fromUtf8(r.siguiente)));
}

void NodoCentro::EntradaNombre() {
    CentroProductivo& c = Centro();
    const QString texto = Nombre->text();
    if (texto.toStdU32String().size() > static_cast<std::size_t>(kLargoNombre)) {
        ctx_.mensajes.Mostrar(kTextoNombre, kTituloVentana, Botones::Aceptar, Icono::Exclamacion);
        Nombre->setText(QString::fromStdString(c.Nombre));
        Enfocar(Nombre);
        return;
    }
    if (texto == QLatin1String(kSinNombre)) return;
    c.Nombre = texto.toStdString();
    ctx_.doc.ACTBarraEstado(true);
    Enfocar(cajas_[static_cast<std::size_t>(CampoCentro::Lamda)]);
}

void NodoCentro::GuardarDescripcion() {
    Registrando([this] { Centro().Descripción = Descripcion->toPlainText().toStdString(); });
}

bool NodoCentro::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == Descripcion && e->type() == QEvent::FocusOut) GuardarDescripcion();
    return QDialog::eventFilter(objeto, e);
}

void NodoCentro::Calcular() {
    Registrando([this] { Centro().Calculos(ctx_.red.ErrorCalculo, ctx_.mensajes); });
    MostrarDatos();
}

void NodoCentro::Minimos() {
    Registrando([this] {
        CentroProductivo& c = Centro();
        c.ServidoresMinimos(ctx_.red.ErrorCalculo);
        c.Calculos(ctx_.red.ErrorCalculo, ctx_.mensajes);
    });
    MostrarDatos();
    Enfocar(cajas_[static_cast<std::size_t>(CampoCentro::Lamda)]);
}

void NodoCentro::Optimo(QWidget* foco) {
    Registrando([this] {
        CentroProductivo& c = Centro();
        bool& error = ctx_.red.ErrorCalculo;
        error = false;
        try {
            c.ServidoresOptimos(error);
            c.Calculos(error, ctx_.mensajes);
            // The second search starts from the Rho of the count just computed.
            if (!error) c.ServidoresOptimos(error);
        } catch (const ErrorAritmetico&) {
            error = true;
            ctx_.mensajes.Mostrar(kTextoDesbordamiento, kTituloPrograma, Botones::Aceptar,
                                  Icono::Exclamacion);
        }
    });
    MostrarDatos();
    Enfocar(foco);
}

void NodoCentro::CalcularProbabilidad() {
    Registrando([this] { Centro().Calculos(ctx_.red.ErrorCalculo, ctx_.mensajes); });
    MaximaCola->setText(QString::fromStdString(TextoGeneral(Centro().MaximaCola, ctx_.regional)));
    Enfocar(maxCola);
}

void NodoCentro::MostrarEstados() {
    ProbEstados tabla(ctx_.red, ctx_.mensajes, ctx_.regional, this);
    tabla.exec();
    Enfocar(cajas_[static_cast<std::size_t>(CampoCentro::Probabilidad)]);
}

bool NodoCentro::GuardarDatos() {
    CentroProductivo& c = Centro();
    const CampoCentro leidos[] = {CampoCentro::Lamda,       CampoCentro::Mu,
                                  CampoCentro::S,           CampoCentro::Probabilidad,
                                  CampoCentro::CostoEspera, CampoCentro::CostoServidor};
    // Every box is read before anything is written, so a refused box leaves
    // the record as it was.
    std::array<double, std::size(leidos)> valores{};
    for (std::size_t i = 0; i < std::size(leidos); ++i) {
        CajaEntrada* caja = cajas_[static_cast<std::size_t>(leidos[i])];
        const std::optional<double> v =
            ValorDeEntrada(caja->text().toStdString(), ctx_.regional, leidos[i] == CampoCentro::S);
        if (!v) {
            Rechazar(caja, kTextoCaracter, kTituloCaracter, false);
            return false;
        }
        valores[i] = *v;
    }
    std::int16_t servidores = 0;
    try {
        servidores = AEntero16(valores[2]);
    } catch (const ErrorAritmetico&) {
        Rechazar(cajas_[static_cast<std::size_t>(CampoCentro::S)],
                 Regla(CampoCentro::S).mensajeRango, kTituloError, true);
        return false;
    }

    Registrando([&] {
        c.Nombre = Nombre->text().toStdString();
        c.Lamda = valores[0];
        c.Mu = valores[1];
        c.Servidores = servidores;
        c.Descripción = Descripcion->toPlainText().toStdString();
        c.Probabilidad = valores[3];
        c.CostoEspera = valores[4];
        c.CostoCentro = valores[5];
        if (c.ParticipaPERT()) {
            // The boxes show the record's own times, so a box that cannot be
            // read (a NaN left by a failed computation) keeps its field.
            auto leer = [this](QLineEdit* caja, double actual) {
                return LeerNumero(caja->text().toStdString(), ctx_.regional).value_or(actual);
            };
            c.tmpoTardio = leer(TTardio, c.tmpoTardio);
            c.tmpoTemprano = leer(TTemprano, c.tmpoTemprano + c.W) - c.W;
            c.indFlotamiento = leer(Flotamiento, c.indFlotamiento);
        } else {
            c.tmpoTardio = -1;
            c.tmpoTemprano = -2;
            c.indFlotamiento = -1;
        }
    });
    return true;
}

void NodoCentro::Aceptar() {
    if (GuardarDatos()) accept();
}

void NodoCentro::showEvent(QShowEvent* e) {
    cerrado_ = false;
    QDialog::showEvent(e);
}

void NodoCentro::done(int resultado) {
    QDialog::done(resultado);
    if (cerrado_) return;
    cerrado_ = true;
    if (ctx_.red.Centros.Existe(ctx_.red.CentroActual))
        ctx_.editor.RedibujarCentro(ctx_.red.CentroActual, 2);
}

}  // namespace vortena
