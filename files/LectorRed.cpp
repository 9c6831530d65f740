#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <limits>
#include <memory>
#include <sstream>
#include <system_error>
#include <utility>

#include "files/ArchivoRed.h"
#include "files/Codificacion.h"
#include "files/ErrorArchivo.h"
#include "model/ErrorAritmetico.h"
#include "model/Invariantes.h"

namespace vortena {
namespace {

// Most lines of a network file are short whole numbers ("0", "1500", "-1"),
// read through the number module's shortcut; a 16-bit field takes it only
// within range, so an out-of-range value still gets its message.
bool Entero16Corto(std::string_view l, std::int16_t& v) {
    int n = 0;
    if (!LeerEnteroCortoArchivo(l, n) || n < -32768 || n > 32767) return false;
    v = static_cast<std::int16_t>(n);
    return true;
}

// Where the first '\n' is, or the size. Lines are a few bytes long: a call
// to memchr costs more than the line; eight bytes at a time, most lines take
// one step (the lowest flagged byte of the word test is always exact).
std::size_t FinDeLinea(std::string_view t) {
    constexpr std::uint64_t kUnos = 0x0101010101010101ULL;
    constexpr std::uint64_t kAltos = 0x8080808080808080ULL;
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little)
        for (; i + 8 <= t.size(); i += 8) {
            std::uint64_t w = 0;
            std::memcpy(&w, t.data() + i, 8);
            const std::uint64_t x = w ^ (kUnos * '\n');
            const std::uint64_t ceros = (x - kUnos) & ~x & kAltos;
            if (ceros != 0) return i + static_cast<std::size_t>(std::countr_zero(ceros) / 8);
        }
    while (i < t.size() && t[i] != '\n') ++i;
    return i;
}

// The file's lines, LF or CR LF terminated, numbered for the error texts.
class Lineas {
public:
    explicit Lineas(std::string_view texto) : resto_(texto) {}

    bool Fin() const { return resto_.empty(); }
    std::size_t Numero() const { return numero_; }

    std::string_view Siguiente() {
        const std::size_t fin = FinDeLinea(resto_);
        std::string_view l = resto_.substr(0, fin);
        resto_.remove_prefix(fin == resto_.size() ? fin : fin + 1);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        ++numero_;
        return l;
    }
    // A line that a record needs: the end of the file here is a fault.
    std::string_view Requerida() {
        if (Fin()) Fallar("el archivo termina dentro de un registro");
        return Siguiente();
    }

    [[noreturn]] void Fallar(const std::string& que) const {
        throw ErrorArchivo(std::string("línea ").append(std::to_string(numero_)) + ": " + que);
    }

    double Real() {
        const std::string_view l = Requerida();
        if (int n; LeerEnteroCortoArchivo(l, n)) return n;
        const std::optional<double> v = LeerNumeroArchivo(l);
        if (!v || !std::isfinite(*v)) Fallar("número inválido \"" + Recorte(l) + "\"");
        return *v;
    }
    float Simple() {
        const double v = Real();
        if (std::fabs(v) > std::numeric_limits<float>::max()) Fallar("coordenada fuera de rango");
        return static_cast<float>(v);
    }
    std::int16_t Entero() {
        const std::string_view l = Requerida();
        if (std::int16_t n; Entero16Corto(l, n)) return n;
        const std::optional<double> v = LeerNumeroArchivo(l);
        if (!v) Fallar("entero inválido \"" + Recorte(l) + "\"");
        try {
            return AEntero16(*v);
        } catch (const ErrorAritmetico&) {
            Fallar("entero fuera de rango \"" + Recorte(l) + "\"");
        }
    }
    // Header values: the prefix parse, rounded half to even.
    std::int16_t Cabecera() {
        const std::string_view l = Requerida();
        try {
            return AEntero16(Val(l));
        } catch (const ErrorAritmetico&) {
            Fallar("nodo de cabecera fuera de rango");
        }
    }

    static std::string Recorte(std::string_view l) { return std::string(l.substr(0, 40)); }

private:
    std::string_view resto_;
    std::size_t numero_ = 0;
};

// Reads a list line of tam + 1 entries into a node's list through the
// record's own list protocol; nothing may follow the last entry.
template <class Dimensionar, class Insertar>
void LeerLista(Lineas& ls, CentroProductivo& c, std::int16_t tam, Dimensionar dim, Insertar ins) {
    if (tam < 0) {
        if (tam != -1) ls.Fallar("tamaño de lista inválido");
        return;
    }
    const std::string_view linea = ls.Requerida();
    (c.*dim)(tam);
    std::size_t cursor = 0;
    for (int i = 0; i <= tam; ++i) {
        ++cursor;
        if (cursor > linea.size() + 1) ls.Fallar("faltan entradas en la lista");
        c.indice = static_cast<std::int16_t>(i);
        try {
            c.valor = LeerCampo(linea, cursor);
        } catch (const ErrorArchivo& e) {
            ls.Fallar(e.what());
        }
        (c.*ins)();
    }
    if (cursor <= linea.size()) ls.Fallar("la lista tiene más entradas que las indicadas");
}

void LeerCentro(Lineas& ls, Red& red) {
    CentroProductivo& c = AgregarCentro(red);
    c.posicion = ls.Entero();
    if (c.posicion != red.Centros.Count())
        ls.Fallar(std::string("el nodo ").append(std::to_string(red.Centros.Count())) +
                  " lleva la posición " + std::to_string(c.posicion));
    c.x1 = ls.Simple();
    c.x2 = ls.Simple();
    c.y1 = ls.Simple();
    c.y2 = ls.Simple();
    c.Lamda = ls.Real();
    c.Mu = ls.Real();
    c.Servidores = ls.Entero();
    c.Probabilidad = ls.Real();
    c.CostoEspera = ls.Real();
    c.CostoCentro = ls.Real();
    c.Desvlamda = ls.Real();
    c.DesvMu = ls.Real();
    c.Salida = ls.Real();
    c.tamEE = ls.Entero();
    LeerLista(ls, c, c.tamEE, &CentroProductivo::dimNInicio, &CentroProductivo::IInsertar);
    c.tamSE = ls.Entero();
    LeerLista(ls, c, c.tamSE, &CentroProductivo::dimNFin, &CentroProductivo::FInsertar);
    c.Nombre = std::string(ls.Requerida());
    c.Descripción = std::string(ls.Requerida());
}

void LeerConexion(Lineas& ls, Red& red) {
    linea& l = AgregarLinea(red);
    l.posicion = ls.Entero();
    if (l.posicion != red.Conexiones.Count())
        ls.Fallar(std::string("la conexión ").append(std::to_string(red.Conexiones.Count())) +
                  " lleva la posición " + std::to_string(l.posicion));
    l.x1 = ls.Simple();
    l.x2 = ls.Simple();
    l.y1 = ls.Simple();
    l.y2 = ls.Simple();
    l.multiplicador = ls.Real();
    l.CentroInicio = ls.Entero();
    l.CentroFin = ls.Entero();
}

std::string Motivo(int error) {
    return std::generic_category().message(error);
}

// The file's bytes in a buffer left uninitialised: filling it with zeros
// first would cost as much as the read.
struct Bytes {
    std::unique_ptr<char[]> datos;
    std::size_t largo = 0;
    std::string_view Vista() const { return {datos.get(), largo}; }
};

Bytes LeerBytes(const std::string& ruta) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (ruta.empty()) throw ErrorArchivo("no se indicó el nombre del archivo");
    // Only a regular file: a FIFO or a device would block or never end.
    const fs::file_status estado = fs::status(ruta, ec);
    if (ec) throw ErrorArchivo("no se puede abrir " + ruta + ": " + ec.message());
    if (fs::is_directory(estado)) throw ErrorArchivo(ruta + " es una carpeta");
    if (!fs::is_regular_file(estado)) throw ErrorArchivo(ruta + " no es un archivo común");
    const std::uintmax_t tam = fs::file_size(ruta, ec);
    if (ec) throw ErrorArchivo("no se puede abrir " + ruta + ": " + ec.message());
    if (tam > kTamanoMaximoArchivo)
        throw ErrorArchivo(ruta + " mide más de 256 MB: no es un archivo de red");
    const auto total = static_cast<std::size_t>(tam);
    Bytes bytes{std::make_unique_for_overwrite<char[]>(total), 0};
    // The descriptor, not a stream, so that a refusal says the system's reason.
    const int fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw ErrorArchivo("no se puede abrir " + ruta + ": " + Motivo(errno));
    std::size_t leidos = 0;
    while (leidos < total) {
        const ssize_t n = ::read(fd, bytes.datos.get() + leidos, total - leidos);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw ErrorArchivo("no se puede leer " + ruta + ": " + Motivo(error));
        }
        if (n == 0) break;
        leidos += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.largo = leidos;
    return bytes;
}

}  // namespace

CentroProductivo& AgregarCentro(Red& red) {
    return red.Centros.Agregar();
}
linea& AgregarLinea(Red& red) {
    return red.Conexiones.Agregar();
}

std::int16_t LeerCampo(std::string_view texto, std::size_t& cursor) {
    if (cursor == 0 || cursor > texto.size() + 1) throw ErrorArchivo("cursor fuera de la línea");
    const std::size_t inicio = cursor - 1;
    std::size_t fin = texto.find('|', inicio);
    if (fin == std::string_view::npos) fin = texto.size();
    cursor = fin + 1;
    const std::string_view campo = texto.substr(inicio, fin - inicio);
    if (campo.empty()) throw ErrorArchivo("entrada vacía en la lista");
    if (std::int16_t n; Entero16Corto(campo, n)) return n;
    const std::optional<double> v = LeerNumeroArchivo(campo);
    if (!v)
        throw ErrorArchivo("entrada de lista inválida \"" + std::string(campo.substr(0, 40)) +
                           "\"");
    try {
        return AEntero16(*v);
    } catch (const ErrorAritmetico&) {
        throw ErrorArchivo("entrada de lista fuera de rango");
    }
}

void LeerRed(std::string_view bytes, Red& nueva) {
    if (bytes.empty()) throw ErrorArchivo("el archivo está vacío");
    std::string convertido;
    const std::string_view texto = DecodificarArchivo(bytes, convertido);
    Lineas ls(texto);
    bool registros = false;
    while (!ls.Fin()) {
        const std::string_view l = ls.Siguiente();
        if (l == "%" || l == "@" || l == "$") registros = true;
        if (l == "%") {
            nueva.NodoInicio = ls.Cabecera();
            nueva.NodoFin = ls.Cabecera();
        } else if (l == "@") {
            LeerCentro(ls, nueva);
        } else if (l == "$") {
            LeerConexion(ls, nueva);
        }
    }
    if (!registros) throw ErrorArchivo("no es un archivo de red de Vortena");
    if (auto problema = ComprobarInvariantes(nueva)) throw ErrorArchivo(*problema);
    // Without them every rate would stay 0 and the computations would only
    // report overflows; say what is missing instead.
    bool inicio = false, fin = false;
    for (const CentroProductivo& c : nueva.Centros) {
        inicio = inicio || c.EsInicio();
        fin = fin || c.EsFin();
    }
    if (!inicio) throw ErrorArchivo("la red no tiene nodo INICIO");
    if (!fin) throw ErrorArchivo("la red no tiene nodo FIN");
}

void AbrirRed(Red& red, const std::string& ruta, Documento& doc) {
    Red nueva;
    nueva.NodoInicio = red.NodoInicio;
    nueva.NodoFin = red.NodoFin;
    LeerRed(LeerBytes(ruta).Vista(), nueva);

    std::swap(red.Centros, nueva.Centros);
    std::swap(red.Conexiones, nueva.Conexiones);
    red.NodoInicio = nueva.NodoInicio;
    red.NodoFin = nueva.NodoFin;
    // A file keeps no results.
    red.ResultadosAlDia = false;
    red.LimpiarSeleccion();
    doc.RedReemplazada();
    doc.RedibujarTodo();
    doc.PonerTitulo(ruta + std::string(kSufijoTituloAbierto));
    doc.ACTBarraEstado(false);
}

}  // namespace vortena
