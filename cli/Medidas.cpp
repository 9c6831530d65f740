#include "cli/Medidas.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace vortena::calc {

namespace {

// The general number texts of the program stop at 15 digits; a machine
// reader needs the round-trip form, which only to_chars gives exactly.
constexpr std::size_t kLargoExacto = 40;
char* Exacto(char (&buf)[kLargoExacto], double v) {
    // Whole numbers print as their digits in that form too; they are a good
    // part of a table (counts, costs, zeros) and far cheaper this way.
    if (v == std::trunc(v) && std::fabs(v) < 1e15 && !(v == 0 && std::signbit(v)))
        return std::to_chars(buf, buf + kLargoExacto, static_cast<std::int64_t>(v)).ptr;
    return std::to_chars(buf, buf + kLargoExacto, v, std::chars_format::general, 17).ptr;
}

}  // namespace

std::string TextoExacto(double v) {
    char buf[kLargoExacto];
    return std::string(buf, Exacto(buf, v));
}

namespace {

// The table is built in a small buffer handed to the stream in large
// pieces: field by field through the stream costs several times more than
// the conversions, and one buffer for the whole table would be fresh memory
// the size of the output.
class Tabla {
public:
    explicit Tabla(std::ostream& out) : out_(out) { t_.reserve(kPieza + 1024); }

    // Called at the end of each line; the table ends with Terminar().
    void Terminar() { Vaciar(); }
    void FinDeLinea() {
        t_ += '\n';
        if (t_.size() >= kPieza) Vaciar();
    }

    void Real(double v) {
        char buf[kLargoExacto];
        t_ += '\t';
        t_.append(buf, Exacto(buf, v));
    }
    void Entero(int v) {
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        t_.append(buf, r.ptr);
    }
    // A name must not break the columns or the lines.
    void Celda(std::string_view s) {
        const std::size_t desde = t_.size();
        t_ += s;
        for (std::size_t i = desde; i < t_.size(); ++i)
            if (t_[i] == '\t' || t_[i] == '\n' || t_[i] == '\r') t_[i] = ' ';
    }
    void Caracter(char c) { t_ += c; }
    void Texto(std::string_view s) { t_ += s; }

private:
    static constexpr std::size_t kPieza = 64 * 1024;
    void Vaciar() {
        out_.write(t_.data(), static_cast<std::streamsize>(t_.size()));
        t_.clear();
    }
    std::ostream& out_;
    std::string t_;
};

}  // namespace

void EscribirMedidas(const Red& red, std::ostream& out) {
    Tabla t(out);
    t.Texto(
        "posicion\tNombre\tLamda\tMu\tServidores\tRho\tTrafico\tP0\tPn\tLq\tL\tW\tWq\t"
        "MaximaCola\tCtoEsperaCentro\tCtoTotalServidores\tCtoImproductividad\t"
        "CtoEsperaCola\tDesvlamda\tDesvMu\tSalida\ttmpoTemprano\ttmpoTardio\t"
        "indFlotamiento\tTempranoWH\ttardioWH");
    t.FinDeLinea();
    for (const CentroProductivo& c : red.Centros) {
        t.Entero(c.posicion);
        t.Caracter('\t');
        t.Celda(c.Nombre);
        t.Real(c.Lamda);
        t.Real(c.Mu);
        t.Caracter('\t');
        t.Entero(c.Servidores);
        for (double v : {c.Rho, c.Trafico, c.P0, c.Pn, c.Lq, c.L, c.W, c.Wq}) t.Real(v);
        t.Caracter('\t');
        t.Entero(c.MaximaCola);
        for (double v :
             {c.CtoEsperaCentro, c.CtoTotalServidores, c.CtoImproductividad, c.CtoEsperaCola,
              c.Desvlamda, c.DesvMu, c.Salida, c.tmpoTemprano, c.tmpoTardio, c.indFlotamiento})
            t.Real(v);
        t.Caracter('\t');
        t.Caracter(c.TempranoWH ? '1' : '0');
        t.Caracter('\t');
        t.Caracter(c.tardioWH ? '1' : '0');
        t.FinDeLinea();
    }
    t.Terminar();
}

std::string Celda(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace vortena::calc
