#include "files/Resumen.h"

#include <cstdint>
#include <optional>

#include "files/Codificacion.h"
#include "files/EscrituraAtomica.h"
#include "model/ErrorAritmetico.h"

namespace vortena {
namespace {

const std::string kRegla(74, '=');
const std::string kRayita(74, '_');

// A count that could not be sized stays empty and the report says so: the
// rest of the centre's block and of the line is still worth having.
struct Dimensiones {
    std::optional<std::int16_t> minimo;
    std::optional<std::int16_t> optimo;
};

// The sizing is done on the centre itself, which must come out as it went in.
Dimensiones Dimensionar(Red& red, CentroProductivo& c) {
    const std::int16_t antes = c.Servidores;
    Dimensiones d{};
    try {
        c.ServidoresMinimos(red.ErrorCalculo);
        if (!red.ErrorCalculo) {
            d.minimo = c.Servidores;
            c.ServidoresOptimos(red.ErrorCalculo);
            if (!red.ErrorCalculo) d.optimo = c.Servidores;
        }
    } catch (const ErrorAritmetico&) {
        red.ErrorCalculo = true;
    }
    c.Servidores = antes;
    return d;
}

struct Totales {
    double servidores = 0, esperaCentro = 0, improductividad = 0, esperaCola = 0, salida = 0;
};

class Informe {
public:
    Informe(const Regional& reg, std::string_view fin) : reg_(reg), fin_(fin) {}

    std::string F(double v, const char* patron) const { return Formato(v, patron, reg_); }
    std::string Dinero(double v) const { return Formato(v, "$ #0.00", reg_); }
    std::string Cuenta(std::optional<std::int16_t> n) const {
        return n ? TextoConSigno(*n, reg_) : std::string(" no calculable");
    }
    void Linea(std::string_view s) {
        texto_ += s;
        texto_ += fin_;
    }
    void Reservar(std::size_t n) { texto_.reserve(n); }

    void Centro(const CentroProductivo& c, Dimensiones d) {
        Linea(kRegla);
        Linea("Centro Productivo:" + c.Nombre);
        Linea("------ ----------");
        Linea("  Velocidad de Arribo = " + F(c.Lamda, "0.0#") +
              " (Desviación Típica =" + F(c.Desvlamda, "0.0#") + ")");
        Linea("  Velocidad de Despacho = " + F(c.Mu, "0.0#") +
              " (Desviación Típica =" + F(c.DesvMu, "0.0#") + ")");
        Linea("  Servidores = " + F(c.Servidores, "0#") + " (Mínimos =" + Cuenta(d.minimo) +
              " Óptimos =" + Cuenta(d.optimo) + ")");
        Linea("  Costo por Esperar = " + Dinero(c.CostoEspera));
        Linea("  Costo de un Servidor = " + Dinero(c.CostoCentro));
        Linea(kRayita);
        Linea("  Rho = " + F(c.Rho, "#0.00"));
        Linea("  Utilización = " + F(c.Trafico, "#0.00"));
        Linea("  Probabilidad de hallar vacío el Sistema = " + F(c.P0, "#0.0000"));
        Linea("  Probabilidad de tener que esperar = " + F(c.Pn, "#0.0000"));
        Linea("  Largo esperado de la Cola = " + F(c.Lq, "#0.0000"));
        Linea("  Número de Clientes esperado en el Sistema = " + F(c.L, "#0.0000"));
        Linea("  Tiempo de espera en cola = " + F(c.Wq, "#0.0000"));
        Linea("  Tiempo de espera en el Sistema = " + F(c.W, "#0.0000"));
        Linea(kRayita);
        Linea("  Costo Total de Servidores = " + Dinero(c.CtoTotalServidores));
        Linea("  Costo Total por tiempo en el Sistema = " + Dinero(c.CtoEsperaCentro));
        Linea("  Costo Total = " + Dinero(c.CtoTotalServidores + c.CtoEsperaCentro));
        Linea(kRayita);
        Linea("  Costo de Improductividad del Servidor = " + Dinero(c.CtoImproductividad));
        Linea("  Costo por espera en cola = " + Dinero(c.CtoEsperaCola));
        Linea("  Costo por Improductividad = " + Dinero(c.CtoImproductividad + c.CtoEsperaCola));
        Linea(kRayita);
        Linea("  Tiempo Temprano = " + F(c.tmpoTemprano + c.W, "#0.0000"));
        Linea("  Tiempo Tardío = " + F(c.tmpoTardio, "#0.0000"));
        Linea("  Índice de Flotamiento = " + F(c.indFlotamiento, "#0.0000") +
              (EsCritico(c) ? " (CRITICO)" : " (NO CRITICO)"));
    }

    void Resumen(const Totales& t) {
        Linea(kRegla);
        Linea("RESUMEN");
        Linea("-------");
        Linea("  Salida del Sistema = " + F(t.salida, "#0.00"));
        Linea("  Costo de Servidores = " + Dinero(t.servidores));
        Linea("  Costo por Tiempo en el Sistema = " + Dinero(t.esperaCentro));
        Linea("  Costo Total = " + Dinero(t.servidores + t.esperaCentro));
        Linea("  Costo de Improductividad de Servidores = " + Dinero(t.improductividad));
        Linea("  Costo por espera en Cola = " + Dinero(t.esperaCola));
        Linea("  Costo Improductividad = " + Dinero(t.improductividad + t.esperaCola));
    }

    std::string Texto() && { return std::move(texto_); }

private:
    const Regional& reg_;
    std::string_view fin_;
    std::string texto_;
};

}  // namespace

std::string TextoResumen(Red& red, const Regional& reg, std::string_view finDeLinea) {
    Informe inf(reg, finDeLinea);
    inf.Reservar(static_cast<std::size_t>(red.Centros.Count()) * 1400 + 600);
    inf.Linea("Vortena de Líneas de Producción: ");
    inf.Linea("");
    Totales t;
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) {
            t.salida = c.Salida;
            continue;
        }
        inf.Centro(c, Dimensionar(red, c));
        t.servidores += c.CtoTotalServidores;
        t.esperaCentro += c.CtoEsperaCentro;
        t.improductividad += c.CtoImproductividad;
        t.esperaCola += c.CtoEsperaCola;
    }
    inf.Resumen(t);
    return std::move(inf).Texto();
}

void EscribirResumen(Red& red, const std::string& ruta, const Regional& reg,
                     const std::string& archivoRed) {
    EscribirAtomico(ruta, Utf8A1252(TextoResumen(red, reg, "\r\n")), archivoRed);
}

void GenerarResumen(Red& red, const std::string& carpeta, const Regional& reg) {
    EscribirResumen(red, carpeta + kNombreResumen, reg);
}

}  // namespace vortena
