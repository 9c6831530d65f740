#include "files/TablaResultados.h"

#include <array>

#include "files/EscrituraAtomica.h"

namespace vortena {

namespace {

enum class Clase { Nombre, Numero, SiNo };

struct Columna {
    std::string titulo;
    const char* patron;
    Clase clase;
};

// Titles of the costs as the text summary names them.
const std::array<Columna, 20> kColumnas{{
    {"Centro", "", Clase::Nombre},
    {"λ", "#0.####", Clase::Numero},
    {"μ", "#0.####", Clase::Numero},
    {"S", "0", Clase::Numero},
    {"Utilización", "#0.0000", Clase::Numero},
    {"P0", "#0.0000", Clase::Numero},
    {"Pn", "#0.0000", Clase::Numero},
    {"Lq", "#0.0000", Clase::Numero},
    {"L", "#0.0000", Clase::Numero},
    {"Wq", "#0.0000", Clase::Numero},
    {"W", "#0.0000", Clase::Numero},
    {"Estado máximo", "0", Clase::Numero},
    {"Costo Total por tiempo en el Sistema", "#0.00", Clase::Numero},
    {"Costo Total de Servidores", "#0.00", Clase::Numero},
    {"Costo de Improductividad del Servidor", "#0.00", Clase::Numero},
    {"Costo por espera en cola", "#0.00", Clase::Numero},
    {"Tiempo Temprano", "#0.0000", Clase::Numero},
    {"Tiempo Tardío", "#0.0000", Clase::Numero},
    {"Índice de Flotamiento", "#0.0000", Clase::Numero},
    {"Crítico", "", Clase::SiNo},
}};

constexpr int kPrimerTiempo = 16;
constexpr int kLamda = 1, kPrimerCosto = 12, kUltimoCosto = 15;
constexpr int kCostoSistema = 12, kCostoServidores = 13;

std::string Celda(const std::string& t, char separador, bool comillas) {
    const bool especial = t.find_first_of(std::string{separador} + "\"\r\n") != std::string::npos;
    if (!especial) return t;
    if (!comillas) {
        std::string r = t;
        for (char& ch : r)
            if (ch == separador || ch == '"' || ch == '\r' || ch == '\n') ch = ' ';
        return r;
    }
    std::string r = "\"";
    for (char ch : t) {
        if (ch == '"') r += '"';
        r += ch;
    }
    return r + '"';
}

}  // namespace

int ColumnasResultados() {
    return static_cast<int>(kColumnas.size());
}

const std::string& TituloColumnaResultados(int columna) {
    return kColumnas.at(static_cast<std::size_t>(columna)).titulo;
}

std::vector<FilaResultados> FilasResultados(const Red& red) {
    std::vector<FilaResultados> filas;
    filas.reserve(static_cast<std::size_t>(red.Centros.Count()));
    for (const CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        FilaResultados f;
        f.posicion = c.posicion;
        f.nombre = c.Nombre;
        f.valores = {0,
                     c.Lamda,
                     c.Mu,
                     static_cast<double>(c.Servidores),
                     c.Trafico,
                     c.P0,
                     c.Pn,
                     c.Lq,
                     c.L,
                     c.Wq,
                     c.W,
                     static_cast<double>(c.MaximaCola),
                     c.CtoEsperaCentro,
                     c.CtoTotalServidores,
                     c.CtoImproductividad,
                     c.CtoEsperaCola,
                     c.tmpoTemprano + c.W,
                     c.tmpoTardio,
                     c.indFlotamiento,
                     EsCritico(c) ? 1.0 : 0.0};
        f.vacio.assign(kColumnas.size(), false);
        f.sinCalcular = !red.ResultadosAlDia;
        const int vacias = f.sinCalcular        ? kPrimeraMedida
                           : !c.ParticipaPERT() ? kPrimerTiempo
                                                : ColumnasResultados();
        for (int i = vacias; i < ColumnasResultados(); ++i)
            f.vacio[static_cast<std::size_t>(i)] = true;
        filas.push_back(std::move(f));
    }
    return filas;
}

FilaResultados FilaTotales(const Red& red) {
    FilaResultados t;
    t.nombre = "Total de la línea";
    t.valores.assign(kColumnas.size(), 0.0);
    t.vacio.assign(kColumnas.size(), true);
    for (int c = kPrimerCosto; c <= kUltimoCosto; ++c) t.vacio[static_cast<std::size_t>(c)] = false;
    for (const CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        t.valores[kCostoSistema] += c.CtoEsperaCentro;
        t.valores[kCostoServidores] += c.CtoTotalServidores;
        t.valores[14] += c.CtoImproductividad;
        t.valores[15] += c.CtoEsperaCola;
    }
    if (red.NodoFin != 0 && red.Centros.Existe(red.NodoFin)) {
        const CentroProductivo& fin = red.Centros(red.NodoFin);
        t.valores[kLamda] = fin.Salida;
        t.vacio[kLamda] = false;
        if (fin.ParticipaPERT()) {
            t.valores[kPrimerTiempo] = fin.tmpoTemprano;
            t.vacio[kPrimerTiempo] = false;
        }
    }
    return t;
}

double CostoLinea(const FilaResultados& totales) {
    return totales.valores.at(kCostoSistema) + totales.valores.at(kCostoServidores);
}

std::optional<double> TiempoLinea(const FilaResultados& totales) {
    if (totales.vacio.at(kPrimerTiempo)) return std::nullopt;
    return totales.valores.at(kPrimerTiempo);
}

double SalidaLinea(const FilaResultados& totales) {
    return totales.valores.at(kLamda);
}

Unidad UnidadColumnaResultados(int columna) {
    switch (columna) {
        case 1:
        case 2:
            return Unidad::Tasa;
        case 9:
        case 10:
        case 16:
        case 17:
        case 18:
            return Unidad::Tiempo;
        case 12:
        case 13:
        case 14:
        case 15:
            return Unidad::CostoPorTiempo;
        default:
            return Unidad::Ninguna;
    }
}

std::string TextoCelda(const FilaResultados& fila, int columna, const Regional& reg,
                       bool completo) {
    const auto i = static_cast<std::size_t>(columna);
    const Columna& col = kColumnas.at(i);
    if (col.clase == Clase::Nombre) return fila.nombre;
    if (fila.sinCalcular && columna >= kPrimeraMedida) return kTextoSinCalcular;
    if (fila.vacio.at(i)) return {};
    if (col.clase == Clase::SiNo) return fila.valores.at(i) != 0 ? "Sí" : "No";
    return completo ? TextoGeneral(fila.valores.at(i), reg)
                    : Formato(fila.valores.at(i), col.patron, reg);
}

std::string TablaComoTexto(const std::vector<const FilaResultados*>& filas, char separador,
                           bool comillas, const Regional& reg, bool completo) {
    std::string texto;
    for (int c = 0; c < ColumnasResultados(); ++c) {
        if (c > 0) texto += separador;
        texto += Celda(TituloColumnaResultados(c), separador, comillas);
    }
    texto += '\n';
    for (const FilaResultados* f : filas) {
        for (int c = 0; c < ColumnasResultados(); ++c) {
            if (c > 0) texto += separador;
            texto += Celda(TextoCelda(*f, c, reg, completo), separador, comillas);
        }
        texto += '\n';
    }
    return texto;
}

char SeparadorCsv(const Regional& reg) {
    return reg.decimal == ',' ? ';' : ',';
}

void EscribirCsvResultados(const std::vector<const FilaResultados*>& filas, const std::string& ruta,
                           const Regional& reg, const std::string& archivoRed) {
    EscribirAtomico(ruta,
                    "\xEF\xBB\xBF" + TablaComoTexto(filas, SeparadorCsv(reg), true, reg, true),
                    archivoRed);
}

}  // namespace vortena
