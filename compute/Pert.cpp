#include "compute/Pert.h"

#include <vector>

#include "model/ErrorAritmetico.h"

namespace vortena {

void IniciarPERT(Red& red, bool usarW) {
    for (CentroProductivo& c : red.Centros) {
        c.tmpoTemprano = 0;
        c.tmpoTardio = kTardioInicial;
        c.g_E = static_cast<std::int16_t>(c.tamEE + 1);
        c.g_S = static_cast<std::int16_t>(c.tamSE + 1);
        c.TempranoWH = false;
        c.tardioWH = false;
    }
    for (linea& l : red.Conexiones) {
        const CentroProductivo& s = red.Centros(l.CentroInicio);
        if (s.posicion == red.NodoInicio)
            l.TiempoTotal = 0;
        else
            l.TiempoTotal = usarW ? s.W : Dividir(1.0, s.Mu);
    }
}

// A worklist instead of recursion: the stack depth of a recursive pass
// would grow with the longest path. Entering a node only when its counter
// reaches 0 means every value it reads is final, so the order in which
// ready nodes are taken does not change any result; first in, first out
// walks a drawn network roughly in the order its nodes were created, which
// keeps the memory accesses close together.
void CalcularTemprano(Red& red, std::int16_t pos) {
    std::vector<std::int16_t> listos{pos};
    for (std::size_t k = 0; k < listos.size(); ++k) {
        CentroProductivo& c = red.Centros(listos[k]);
        c.TempranoWH = true;
        double temprano = 0;
        for (int i = 0; i <= c.tamEE; ++i) {
            const double t = red.Conexiones(c.Entrada(i)).TiempoTotal;
            if (t > temprano) temprano = t;
        }
        c.tmpoTemprano = temprano;
        const int n = c.tamSE;
        for (int i = 0; i <= n; ++i) {
            linea& l = red.Conexiones(c.SalidaLista(i));
            CentroProductivo& t = red.Centros(l.CentroFin);
            --t.g_E;
            if (c.posicion != red.NodoInicio)
                l.TiempoTotal += c.tmpoTemprano;
            else
                l.TiempoTotal = 0;
            if (t.g_E == 0) listos.push_back(t.posicion);
        }
    }
}

void CalcularTardio(Red& red, std::int16_t pos) {
    std::vector<std::int16_t> listos{pos};
    for (std::size_t k = 0; k < listos.size(); ++k) {
        CentroProductivo& c = red.Centros(listos[k]);
        c.tardioWH = true;
        if (c.posicion != red.NodoFin && c.tamSE >= 0) {
            double tardio = 0;
            for (int i = 0; i <= c.tamSE; ++i) {
                const CentroProductivo& t = red.Centros(red.Conexiones(c.SalidaLista(i)).CentroFin);
                // The end node is a milestone: its own duration is not waited for.
                const double inicioTardio =
                    t.posicion == red.NodoFin ? t.tmpoTardio : t.tmpoTardio - t.W;
                if (i == 0 || inicioTardio < tardio) tardio = inicioTardio;
            }
            c.tmpoTardio = tardio;
        }
        const int n = c.tamEE;
        for (int i = 0; i <= n; ++i) {
            CentroProductivo& s = red.Centros(red.Conexiones(c.Entrada(i)).CentroInicio);
            if (--s.g_S == 0) listos.push_back(s.posicion);
        }
        c.indFlotamiento = c.tmpoTardio - (c.W + c.tmpoTemprano);
    }
}

namespace {

double Pert(Red& red, std::int16_t inicio, std::int16_t fin, bool usarW) {
    red.NodoInicio = inicio;
    red.NodoFin = fin;
    IniciarPERT(red, usarW);
    if (!red.Centros.Existe(inicio) || !red.Centros.Existe(fin)) return 0;
    CalcularTemprano(red, inicio);
    CentroProductivo& e = red.Centros(fin);
    e.tmpoTardio = e.tmpoTemprano;
    e.indFlotamiento = e.tmpoTardio - e.tmpoTemprano;
    const double resultado = e.tmpoTardio;
    CalcularTardio(red, fin);
    return resultado;
}

}  // namespace

double CalcularPERT(Red& red, std::int16_t inicio, std::int16_t fin) {
    return Pert(red, inicio, fin, true);
}

double CalcularPERTServicio(Red& red, std::int16_t inicio, std::int16_t fin) {
    return Pert(red, inicio, fin, false);
}

}  // namespace vortena
