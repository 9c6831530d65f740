#pragma once
// One node of the line: start node ("INICIO"), end node ("FIN") or a
// productive centre, a multi-server queue with a variability correction.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Mensajes.h"

namespace vortena {

class ErlangEscalado;

class CentroProductivo {
public:
    std::int16_t posicion = 0;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    std::string Nombre;
    std::string Descripción;
    double Lamda = 0;
    double aux = 0;
    double Mu = 0;
    std::int16_t Servidores = 0;
    double Rho = 0;
    double Trafico = 0;
    double P0 = 0;
    double Pn = 0;
    double Lq = 0;
    double L = 0;
    double W = 0;
    double Wq = 0;
    std::int16_t MaximaCola = 0;
    double Probabilidad = 0;
    double CostoEspera = 0;
    double CostoCentro = 0;
    double CtoEsperaCentro = 0;
    double CtoTotalServidores = 0;
    double CtoImproductividad = 0;
    double CtoEsperaCola = 0;
    double Desvlamda = 0;
    double DesvMu = 0;
    double Salida = 0;
    double valor = 0;
    std::int16_t indice = 0;
    std::int16_t tamEE = -1;
    std::int16_t tamSE = -1;
    double tmpoTardio = 0;
    double tmpoTemprano = 0;
    double indFlotamiento = 0;
    std::int16_t g_E = 0;
    std::int16_t g_S = 0;
    bool TempranoWH = false;
    bool tardioWH = false;

    // Defaults of a productive centre, then the queue measures for them.
    void predeterminado();

    // List protocol: registers indice/valor, explicit resize, insert, extract.
    void dimNInicio(std::int16_t valor);
    void dimNFin(std::int16_t valor);
    void IInsertar();  // listaEntradas[indice] = valor (round half to even)
    void FInsertar();  // listaSalidas[indice] = valor
    void IExtraer();   // valor = listaEntradas[indice]
    void FExtraer();   // valor = listaSalidas[indice]

    // Direct read access for the network walks (same data as the protocol).
    // Both lists may hold more slots than tamEE/tamSE + 1 when a caller
    // resized them by hand; the tam fields say how many are in use.
    std::int16_t Entrada(int i) const { return listaEntradas[static_cast<std::size_t>(i)]; }
    std::int16_t SalidaLista(int i) const { return listaSalidas[static_cast<std::size_t>(i)]; }
    // Append a connection to a list, exactly as the protocol does.
    void AgregarEntrada(std::int16_t conexion);
    void AgregarSalida(std::int16_t conexion);
    const std::vector<std::int16_t>& ListaEntradas() const { return listaEntradas; }
    const std::vector<std::int16_t>& ListaSalidas() const { return listaSalidas; }

    // Checked: each throws ErrorAritmetico instead of storing inf or NaN.
    void GetRho();
    void GetTrafico();
    void GetCostoTotalServidores();

    // Sets errorCalculo instead of failing; shows nothing.
    void ServidoresMinimos(bool& errorCalculo);
    // Marginal analysis from the minimum count, with the Rho of the last
    // Calculos. When the starting minimum fails it returns at once with
    // errorCalculo set and Servidores unchanged; a failure of its own search
    // (CostoEspera = 0, factorial overflow) throws ErrorAritmetico and leaves
    // Servidores as it was.
    void ServidoresOptimos(bool& errorCalculo);
    // Queue measures and costs; shows its messages through `mensajes`,
    // catches its own arithmetic failures and reports them in errorCalculo.
    void Calculos(bool& errorCalculo, Mensajes& mensajes);

    // Reset a deviation to the exponential one, 1/rate. A rate whose
    // reciprocal is not finite leaves the deviation as it was.
    void ActDesvLamda();
    void ActDesvMu();

    bool EsInicio() const { return Nombre == "INICIO"; }
    bool EsFin() const { return Nombre == "FIN"; }
    bool EsCentro() const { return !EsInicio() && !EsFin(); }
    // Took part in the last PERT run (both passes reached it).
    bool ParticipaPERT() const { return TempranoWH && tardioWH; }

    double cArribo() const { return cArribo_; }
    double cDespacho() const { return cDespacho_; }
    double factorK() const { return factorK_; }

private:
    std::vector<std::int16_t> listaEntradas;
    std::vector<std::int16_t> listaSalidas;
    double cArribo_ = 0, cDespacho_ = 0, factorK_ = 0;

    void CoefArribo();
    void CoefDespacho();
    void FactorVariabilidad();
    void ClientesEnSistema(int s, double& L) const;
    void CalculosSinGuardia(bool& errorCalculo, Mensajes& mensajes);
    void MaximoEstado(Mensajes& mensajes, const ErlangEscalado& estados);
};

// A deviation is the exponential one for a rate when it equals 1/rate up to
// the 15 digits a file keeps (relative tolerance 1e-12).
bool EsDesviacionExponencial(double desviacion, double tasa);

// Texts of the centre's message boxes, also used by the windows.
inline constexpr const char* kTextoServidoresMinimos = "El número de Servidores mínimos es:";
inline constexpr const char* kTituloServidoresMinimos = "Número de Servidores mínimos";
inline constexpr const char* kTextoProbabilidadElevada = "La probabilidad es muy elevada";
inline constexpr const char* kTextoDesbordamiento = "Error por Desbordamiento";

// The state searches (maximum state, the states grid) stop at state 1000;
// a centre with that many servers or more gets 1000 states past its servers
// instead, or its queue could never be looked at. Never past what 16 bits hold.
constexpr int LimiteEstados(int servidores) {
    constexpr int kLimite = 1000, kTope = 32768;
    if (servidores < kLimite) return kLimite;
    return servidores > kTope - kLimite ? kTope : servidores + kLimite;
}

}  // namespace vortena
