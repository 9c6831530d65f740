#include "dialogs/NodoCentro.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "dialogs/CajaEntrada.h"
#include "dialogs/HuellaCentro.h"
#include "dialogs/ProbEstados.h"
#include "files/Codificacion.h"
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
    Nombre->removeEventFilter(this);
    for (CajaEntrada* caja : cajas_) caja->removeEventFilter(this);
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
        // The number rule only; each field's range keeps its own message.
        Admisible admite;
        admite.entero = campo == CampoCentro::S;
        cajas_[static_cast<std::size_t>(campo)]->Configurar(ctx_.regional, admite);
        connect(cajas_[static_cast<std::size_t>(campo)], &CajaEntrada::enter, this,
                [this, campo] { EntradaNumerica(campo); });
    }
    connect(Nombre, &CajaEntrada::enter, this, [this] { EntradaNombre(); });
    Descripcion->installEventFilter(this);
    Nombre->installEventFilter(this);
    for (CajaEntrada* caja : cajas_) caja->installEventFilter(this);
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
    Nombre->setText(QString::fromStdString(c.Nombre));
    PonerTexto(CampoCentro::Lamda, Texto(c.Lamda, "#0.0###"));
    PonerTexto(CampoCentro::Mu, Texto(c.Mu, "#0.0###"));
    PonerTexto(CampoCentro::S, Texto(c.Servidores, "#0"));
    Descripcion->setPlainText(QString::fromStdString(c.Descripción));
    Rho->setText(Texto(c.Rho, kMedida));
    Trafico->setText(Texto(c.Trafico, kMedida));
    P0->setText(Texto(c.P0, kMedida));
    Pn->setText(Texto(c.Pn, kMedida));
    Lq->setText(Texto(c.Lq, kMedida));
    L->setText(Texto(c.L, kMedida));
    Wq->setText(Texto(c.Wq, kMedida));
    W->setText(Texto(c.W, kMedida));
    PonerTexto(CampoCentro::Probabilidad, Texto(c.Probabilidad, kMedida));
    MaximaCola->setText(Texto(c.MaximaCola, "#0"));
    PonerTexto(CampoCentro::CostoEspera, Texto(c.CostoEspera, kMedida));
    PonerTexto(CampoCentro::CostoServidor, Texto(c.CostoCentro, kMedida));
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
    PonerTexto(CampoCentro::Desvlamda, Texto(c.Desvlamda, "#0.0##"));
    PonerTexto(CampoCentro::DesvMu, Texto(c.DesvMu, "#0.0##"));
}

void NodoCentro::PonerTexto(CampoCentro campo, const QString& texto) {
    const auto i = static_cast<std::size_t>(campo);
    cajas_[i]->setText(texto);
    mostrado_[i] = texto;
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

bool NodoCentro::EntradaNumerica(CampoCentro campo, bool porEnter) {
    CentroProductivo& c = Centro();
    const ReglaCampo& r = Regla(campo);
    CajaEntrada* caja = cajas_[static_cast<std::size_t>(campo)];

    const Lectura l = caja->Leer();
    const std::optional<double> valor = l.valor;
    if (!valor) {
        ctx_.mensajes.Mostrar(TextoCaracter(l.motivo), kTituloCaracter, Botones::Aceptar,
                              Icono::Exclamacion);
        // The typed text stays to be mended, with the focus.
        Enfocar(caja);
        caja->Tomar();
        return false;
    }
    if (FueraDeRango(campo, *valor, c)) {
        ctx_.mensajes.Mostrar(r.mensajeRango, kTituloError, Botones::Aceptar, Icono::Critico);
        PonerTexto(campo, Texto(ValorCampo(c, campo), r.patronRechazo));
        // Only Enter moves on past a refusal; otherwise the box is to be fixed.
        Enfocar(porEnter && r.avanzaTrasRechazo
                    ? findChild<QWidget*>(QString::fromUtf8(r.siguiente))
                    : caja);
        return false;
    }
    GuardarCampo(c, campo, *valor, ctx_.regional);
    PonerTexto(campo, Texto(ValorCampo(c, campo), r.patronExito));
    ctx_.doc.ACTBarraEstado(true);
    if (porEnter) Enfocar(findChild<QWidget*>(QString::fromUtf8(r.siguiente)));
    return true;
}

bool NodoCentro::TextoGuardable(QWidget* caja, const QString& texto) {
    const std::optional<char32_t> c = PrimerCaracterNo1252(texto.toStdString());
    if (!c) return true;
    ctx_.mensajes.Mostrar(
        "El carácter \"" + CaracterUtf8(*c) + "\" no se puede guardar en el archivo de la red",
        kTituloVentana, Botones::Aceptar, Icono::Exclamacion);
    Enfocar(caja);
    return false;
}

bool NodoCentro::EntradaNombre(bool porEnter) {
    CentroProductivo& c = Centro();
    const QString texto = Nombre->text();
    if (texto.toStdU32String().size() > static_cast<std::size_t>(kLargoNombre)) {
        ctx_.mensajes.Mostrar(kTextoNombre, kTituloVentana, Botones::Aceptar, Icono::Exclamacion);
        Nombre->setText(QString::fromStdString(c.Nombre));
        Enfocar(Nombre);
        return false;
    }
    if (!TextoGuardable(Nombre, texto)) return false;
    if (texto == QLatin1String(kSinNombre)) return true;
    c.Nombre = texto.toStdString();
    ctx_.doc.ACTBarraEstado(true);
    if (porEnter) Enfocar(cajas_[static_cast<std::size_t>(CampoCentro::Lamda)]);
    return true;
}

bool NodoCentro::GuardarDescripcion() {
    if (!TextoGuardable(Descripcion, Descripcion->toPlainText())) return false;
    Registrando([this] { Centro().Descripción = Descripcion->toPlainText().toStdString(); });
    return true;
}

bool NodoCentro::ConfirmarPendientes() {
    if (confirmando_) return false;
    confirmando_ = true;
    bool bien = true;
    if (Nombre->text() != QString::fromStdString(Centro().Nombre)) bien = EntradaNombre(false);
    for (const ReglaCampo& r : ReglasCentro()) {
        if (!bien) break;
        const auto i = static_cast<std::size_t>(r.campo);
        if (cajas_[i]->text() != mostrado_[i]) bien = EntradaNumerica(r.campo, false);
    }
    if (bien) bien = GuardarDescripcion();
    confirmando_ = false;
    return bien;
}

bool NodoCentro::eventFilter(QObject* objeto, QEvent* e) {
    // The description is taken whenever it loses the focus, as it always was.
    if (objeto == Descripcion && e->type() == QEvent::FocusOut && !confirmando_) {
        confirmando_ = true;
        GuardarDescripcion();
        confirmando_ = false;
    } else if (e->type() == QEvent::FocusOut && !confirmando_) {
        const auto razon = static_cast<QFocusEvent*>(e)->reason();
        // The focus is already on its new holder. Leaving for another window
        // or a menu takes nothing; the dialog's own buttons take (or, for
        // Cancelar, drop) the entries themselves.
        QWidget* nuevo = QApplication::focusWidget();
        const bool saliendo = razon == Qt::ActiveWindowFocusReason ||
                              razon == Qt::PopupFocusReason || nuevo == aceptar ||
                              nuevo == cancelar || nuevo == Aplicar || !isAncestorOf(nuevo);
        if (!saliendo) {
            confirmando_ = true;
            if (objeto == Nombre) {
                if (Nombre->text() != QString::fromStdString(Centro().Nombre)) EntradaNombre(false);
            } else {
                for (const ReglaCampo& r : ReglasCentro()) {
                    const auto i = static_cast<std::size_t>(r.campo);
                    if (objeto == cajas_[i] && cajas_[i]->text() != mostrado_[i])
                        EntradaNumerica(r.campo, false);
                }
            }
            confirmando_ = false;
        }
    }
    return QDialog::eventFilter(objeto, e);
}

void NodoCentro::Calcular() {
    if (!ConfirmarPendientes()) return;
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
        const auto campo = static_cast<std::size_t>(leidos[i]);
        CajaEntrada* caja = cajas_[campo];
        // The text the dialog showed stands for the stored value, which its
        // rounding would change (1/3 shown as 0,3333).
        if (caja->text() == mostrado_[campo]) {
            valores[i] = ValorCampo(c, leidos[i]);
            continue;
        }
        const Lectura l = caja->Leer();
        const std::optional<double> v = l.valor;
        if (!v) {
            Rechazar(caja, TextoCaracter(l.motivo).c_str(), kTituloCaracter, false);
            return false;
        }
        if (FueraDeRango(leidos[i], *v, c)) {
            Rechazar(caja, Regla(leidos[i]).mensajeRango, kTituloError, true);
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
    if (Nombre->text().toStdU32String().size() > static_cast<std::size_t>(kLargoNombre)) {
        Rechazar(Nombre, kTextoNombre, kTituloVentana, false);
        return false;
    }
    if (!TextoGuardable(Nombre, Nombre->text()) ||
        !TextoGuardable(Descripcion, Descripcion->toPlainText()))
        return false;

    Registrando([&] {
        c.Nombre = Nombre->text().toStdString();
        // A rate drags its exponential deviation along, as its Enter does.
        const auto tasa = [&](CampoCentro campo, double& destino, double v) {
            if (destino == 0.0 || destino == v)
                destino = v;
            else
                GuardarCampo(c, campo, v, ctx_.regional);
        };
        tasa(CampoCentro::Lamda, c.Lamda, valores[0]);
        tasa(CampoCentro::Mu, c.Mu, valores[1]);
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
    if (ConfirmarPendientes() && GuardarDatos()) accept();
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
