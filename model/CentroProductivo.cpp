#include "model/CentroProductivo.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/Erlang.h"
#include "model/ErrorAritmetico.h"
#include "model/Numeros.h"

namespace vortena {

namespace {

// The default centre is stable, so predeterminado has nothing to say.
class SinMensajes : public Mensajes {
public:
    Respuesta Mostrar(const std::string&, const std::string&, Botones, Icono) override {
        return Respuesta::Aceptar;
    }
};

void Redimensionar(std::vector<std::int16_t>& lista, std::int16_t ultimo) {
    lista.resize(ultimo < 0 ? 0 : static_cast<std::size_t>(ultimo) + 1);
}

std::int16_t& Celda(std::vector<std::int16_t>& lista, std::int16_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= lista.size())
        throw std::out_of_range("índice fuera de la lista de conexiones");
    return lista[static_cast<std::size_t>(i)];
}

// A traffic this close to a whole number is that number: rates summed from
// shares carry rounding errors of a few ulps, which must not decide between
// a stable and an unstable centre.
constexpr double kToleranciaCarga = 1e-12;

double CargaRedondeada(double r) {
    const double entero = std::nearbyint(r);
    return std::fabs(r - entero) <= kToleranciaCarga * entero ? entero : r;
}

// The server count is an int16 in files; no search goes past it.
constexpr int kMaximoServidores = 32767;

}  // namespace

bool EsDesviacionExponencial(double desviacion, double tasa) {
    if (tasa == 0) return false;
    const double exponencial = 1.0 / tasa;
    if (!std::isfinite(exponencial)) return false;
    return std::fabs(desviacion - exponencial) <= 1e-12 * std::fabs(exponencial);
}

void CentroProductivo::predeterminado() {
    Nombre = "Sin nombre";
    Lamda = 1.0;
    Mu = 2.0;
    Servidores = 1;
    Probabilidad = 0.95;
    CostoEspera = 1.0;
    CostoCentro = 10.0;
    g_E = 0;
    g_S = 0;
    TempranoWH = false;
    tardioWH = false;
    Desvlamda = 1.0 / 1.0;
    DesvMu = 1.0 / 2.0;
    bool error = false;
    SinMensajes silencio;
    Calculos(error, silencio);
}

void CentroProductivo::dimNInicio(std::int16_t ultimo) {
    Redimensionar(listaEntradas, ultimo);
}
void CentroProductivo::dimNFin(std::int16_t ultimo) {
    Redimensionar(listaSalidas, ultimo);
}

// Convert before touching the list, so a bad value leaves it as it was.
void CentroProductivo::IInsertar() {
    const std::int16_t v = AEntero16(valor);
    Celda(listaEntradas, indice) = v;
}
void CentroProductivo::FInsertar() {
    const std::int16_t v = AEntero16(valor);
    Celda(listaSalidas, indice) = v;
}
void CentroProductivo::IExtraer() {
    valor = Celda(listaEntradas, indice);
}
void CentroProductivo::FExtraer() {
    valor = Celda(listaSalidas, indice);
}

void CentroProductivo::AgregarEntrada(std::int16_t conexion) {
    tamEE = static_cast<std::int16_t>(tamEE + 1);
    indice = tamEE;
    valor = conexion;
    dimNInicio(tamEE);
    IInsertar();
}

void CentroProductivo::AgregarSalida(std::int16_t conexion) {
    tamSE = static_cast<std::int16_t>(tamSE + 1);
    indice = tamSE;
    valor = conexion;
    dimNFin(tamSE);
    FInsertar();
}

void CentroProductivo::GetRho() {
    Rho = Dividir(Lamda, Mu);
}
void CentroProductivo::GetTrafico() {
    Trafico = Dividir(Rho, Servidores);
}
void CentroProductivo::GetCostoTotalServidores() {
    CtoTotalServidores = Multiplicar(Servidores, CostoCentro);
}

void CentroProductivo::CoefArribo() {
    cArribo_ = Dividir(Desvlamda, Dividir(1.0, Lamda));
}
void CentroProductivo::CoefDespacho() {
    cDespacho_ = Dividir(DesvMu, Dividir(1.0, Mu));
}

void CentroProductivo::FactorVariabilidad() {
    CoefArribo();
    CoefDespacho();
    const double a = cArribo_;
    const double d = cDespacho_;
    // An overflowing square stays infinite through the sum, so one check
    // at the end is enough.
    factorK_ = Finito(0.125 * (a * a + d * d) + 0.25 * a * d + 0.125 * (a + d) + 0.25);
}

void CentroProductivo::ActDesvLamda() {
    const double inversa = 1.0 / Lamda;
    if (std::isfinite(inversa)) Desvlamda = inversa;
}

void CentroProductivo::ActDesvMu() {
    const double inversa = 1.0 / Mu;
    if (std::isfinite(inversa)) DesvMu = inversa;
}

void CentroProductivo::Calculos(bool& errorCalculo, Mensajes& mensajes) {
    try {
        CalculosSinGuardia(errorCalculo, mensajes);
    } catch (const ErrorAritmetico&) {
        errorCalculo = true;
        mensajes.Mostrar(kTextoDesbordamiento, kTituloPrograma, Botones::Aceptar,
                         Icono::Exclamacion);
    }
}

// Every field is stored as soon as it is known: after a failure the fields
// computed before it keep their new values.
void CentroProductivo::CalculosSinGuardia(bool& errorCalculo, Mensajes& mensajes) {
    GetRho();
    // A negative count is as meaningless as none; both fail here, where a
    // zero count fails by its division.
    if (Servidores < 0) throw ErrorAritmetico("número de servidores negativo");
    if (Dividir(Rho, Servidores) >= 1.0 - kToleranciaCarga) {
        ServidoresMinimos(errorCalculo);
        // Going on with an unstable count would report nonsense as success.
        if (errorCalculo) throw ErrorAritmetico("sin número de servidores estable");
        mensajes.Mostrar(kTextoServidoresMinimos + TextoConSigno(Servidores, Regional{}),
                         kTituloServidoresMinimos, Botones::Aceptar, Icono::Critico);
    }
    GetTrafico();
    FactorVariabilidad();

    const double r = Dividir(Lamda, Mu);
    const int s = Servidores;
    const double sMu = Multiplicar(s, Mu);
    const double holgura = Restar(sMu, Lamda);
    const double q = Dividir(sMu, holgura);
    const ErlangEscalado estados(r, s, q);

    P0 = Finito(estados.P(0));
    // The correction can push the probability of waiting past 1; it is
    // still a probability.
    Pn = std::min(1.0, Multiplicar(estados.Espera(), factorK_));
    MaximoEstado(mensajes, estados);
    Wq = Dividir(Multiplicar(Multiplicar(Multiplicar(estados.P(s), s), Mu), factorK_),
                 Multiplicar(holgura, holgura));
    Lq = Multiplicar(Wq, Lamda);
    W = Sumar(Dividir(1.0, Mu), Wq);
    L = Multiplicar(W, Lamda);

    CtoTotalServidores = Multiplicar(s, CostoCentro);
    CtoEsperaCentro = Multiplicar(L, CostoEspera);
    CtoEsperaCola = Multiplicar(Lq, CostoEspera);
    CtoImproductividad = Multiplicar(Restar(s, Rho), CostoCentro);
    errorCalculo = false;
}

// The states up to s come from the scaled terms, the ones beyond from the
// previous one, so a heavily loaded but stable centre never overflows.
void CentroProductivo::MaximoEstado(Mensajes& mensajes, const ErlangEscalado& estados) {
    const int s = Servidores;
    double acumulada = P0;
    double termino = P0;
    int n = 1;
    for (; n <= s; ++n) {
        termino = estados.P(n);
        acumulada = Sumar(acumulada, termino);
        if (acumulada >= Probabilidad) break;
    }
    if (acumulada < Probabilidad) {
        n = s + 1;
        const int limite = LimiteEstados(s);
        while (acumulada < Probabilidad && n < limite) {
            termino = Dividir(Multiplicar(termino, Rho), s);
            acumulada = Sumar(acumulada, termino);
            ++n;
        }
        if (acumulada < Probabilidad)
            mensajes.Mostrar(kTextoProbabilidadElevada, "Error", Botones::Aceptar, Icono::Critico);
    }
    MaximaCola = AEntero16(n - 1);
}

void CentroProductivo::ServidoresMinimos(bool& errorCalculo) {
    errorCalculo = false;
    try {
        Servidores = AEntero16(Sumar(std::trunc(CargaRedondeada(Dividir(Lamda, Mu))), 1.0));
    } catch (const ErrorAritmetico&) {
        errorCalculo = true;
    }
}

namespace {

// Erlang's B for a growing number of servers at one load, by the stable
// recursion B(k) = r B(k-1) / (k + r B(k-1)): each further server costs one
// step, so a search over every count stays linear in the counts.
class ErlangB {
public:
    explicit ErlangB(double r) : r_(Finito(r)) {
        if (!(r_ >= 0)) throw ErrorAritmetico("carga fuera de rango");
    }
    double En(int s) {
        while (k_ < s) {
            ++k_;
            b_ = r_ * b_ / (k_ + r_ * b_);
        }
        return b_;
    }

private:
    double r_;
    int k_ = 0;
    double b_ = 1;
};

// Units in an M/M/s centre at load r: r + C r / (s - r), with Erlang's C
// from B.
double EnSistema(double r, int s, double b) {
    const double holgura = Restar(s, r);
    if (!(holgura > 0)) throw ErrorAritmetico("centro saturado");
    const double c = Dividir(Multiplicar(s, b), Restar(s, Multiplicar(r, 1 - b)));
    return Sumar(Dividir(Multiplicar(c, r), holgura), r);
}

}  // namespace

void CentroProductivo::ClientesEnSistema(int s, double& Lsistema) const {
    if (s < 1) throw ErrorAritmetico("servidores fuera de rango");
    ErlangB b(Rho);
    Lsistema = EnSistema(Rho, s, b.En(s));
}

// The search ends at the latest at the largest count a file can hold, so it
// always terminates, by a result or by ErrorAritmetico.
// A failed search leaves the count it found the centre with.
void CentroProductivo::ServidoresOptimos(bool& errorCalculo) {
    const double razon = Dividir(CostoCentro, CostoEspera);
    const std::int16_t original = Servidores;
    ServidoresMinimos(errorCalculo);
    if (errorCalculo) return;
    try {
        int s = Servidores;
        if (s < 1) throw ErrorAritmetico("servidores fuera de rango");
        ErlangB b(Rho);
        double anterior = 1e300;
        double actual = EnSistema(Rho, s, b.En(s));
        double siguiente = EnSistema(Rho, s + 1, b.En(s + 1));
        while (!(actual - siguiente <= razon && anterior - actual >= razon)) {
            if (s + 1 >= kMaximoServidores) throw ErrorAritmetico("sin óptimo de servidores");
            ++s;
            anterior = actual;
            actual = siguiente;
            siguiente = EnSistema(Rho, s + 1, b.En(s + 1));
        }
        Servidores = AEntero16(s);
    } catch (const ErrorAritmetico&) {
        Servidores = original;
        throw;
    }
}

}  // namespace vortena
