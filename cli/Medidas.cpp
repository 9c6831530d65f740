#include "cli/Medidas.h"

#include <charconv>
#include <string_view>

#include "model/Numeros.h"

namespace vortena::calc {

std::string TextoExacto(double v) {
    // The general number texts of the program stop at 15 digits; a machine
    // reader needs the round-trip form, which only to_chars gives exactly.
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
    return std::string(buf, r.ptr);
}

namespace {

std::string Entero(int v) { return TextoGeneral(v, Regional::Ingles()); }

// A name must not break the columns or the lines.
std::string Celda(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return r;
}

}  // namespace

void EscribirMedidas(const Red& red, std::ostream& out) {
    out << "posicion\tNombre\tLamda\tMu\tServidores\tRho\tTrafico\tP0\tPn\tLq\tL\tW\tWq\t"
           "MaximaCola\tCtoEsperaCentro\tCtoTotalServidores\tCtoImproductividad\t"
           "CtoEsperaCola\tDesvlamda\tDesvMu\tSalida\ttmpoTemprano\ttmpoTardio\t"
           "indFlotamiento\tTempranoWH\ttardioWH\n";
    for (const CentroProductivo& c : red.Centros) {
        const auto r = [&](double v) { out << '\t' << TextoExacto(v); };
        out << Entero(c.posicion) << '\t' << Celda(c.Nombre);
        r(c.Lamda);
        r(c.Mu);
        out << '\t' << Entero(c.Servidores);
        r(c.Rho);
        r(c.Trafico);
        r(c.P0);
        r(c.Pn);
        r(c.Lq);
        r(c.L);
        r(c.W);
        r(c.Wq);
        out << '\t' << Entero(c.MaximaCola);
        r(c.CtoEsperaCentro);
        r(c.CtoTotalServidores);
        r(c.CtoImproductividad);
        r(c.CtoEsperaCola);
        r(c.Desvlamda);
        r(c.DesvMu);
        r(c.Salida);
        r(c.tmpoTemprano);
        r(c.tmpoTardio);
        r(c.indFlotamiento);
        out << '\t' << (c.TempranoWH ? '1' : '0') << '\t' << (c.tardioWH ? '1' : '0') << '\n';
    }
}

}  // namespace vortena::calc
