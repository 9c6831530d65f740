#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

#include "files/ArchivoRed.h"
#include "files/Codificacion.h"
#include "files/ErrorArchivo.h"
#include "files/EscrituraAtomica.h"

namespace vortena {
namespace {

// Positions, list entries, coordinates and the defaults recur all over a
// file; converting each distinct value once keeps saving a large network fast.
template <class Convertir>
class Memo {
public:
    explicit Memo(Convertir convertir) : convertir_(convertir) {}
    const std::string& operator()(std::uint64_t clave, double valor) {
        auto it = textos_.find(clave);
        if (it != textos_.end()) return it->second;
        if (textos_.size() >= kMaximo) {
            suelto_ = convertir_(valor);
            return suelto_;
        }
        return textos_.emplace(clave, convertir_(valor)).first->second;
    }

private:
    static constexpr std::size_t kMaximo = 1 << 17;
    Convertir convertir_;
    std::unordered_map<std::uint64_t, std::string> textos_;
    std::string suelto_;
};

class Escritor {
public:
    explicit Escritor(const Regional& reg)
        : reg_(reg),
          dobles_([this](double v) { return TextoGeneral(v, reg_); }),
          simples_([this](double v) { return TextoGeneralSimple(static_cast<float>(v), reg_); }) {}

    void Linea(std::string_view s) {
        texto_ += s;
        texto_ += "\r\n";
    }
    void Entero(int v) { Real(v); }
    void Real(double v) { Linea(Doble(v)); }
    void Simple(float v) { Linea(simples_(std::bit_cast<std::uint32_t>(v), v)); }
    // One line whatever the text holds: each line break becomes a blank, so
    // a description can never turn into records of its own.
    void Texto(std::string_view s) {
        std::string una;
        una.reserve(s.size());
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
            una.push_back(s[i] == '\r' || s[i] == '\n' ? ' ' : s[i]);
        }
        Linea(Utf8A1252(una));
    }
    template <class Leer>
    void Lista(int tam, Leer leer) {
        Entero(tam);
        if (tam < 0) return;
        std::string l;
        for (int i = 0; i <= tam; ++i) {
            if (i > 0) l += '|';
            l += Doble(leer(i));
        }
        Linea(l);
    }
    void Reservar(std::size_t n) { texto_.reserve(n); }
    std::string Texto() && { return std::move(texto_); }

private:
    const std::string& Doble(double v) { return dobles_(std::bit_cast<std::uint64_t>(v), v); }

    using Conversion = std::function<std::string(double)>;
    const Regional& reg_;
    Memo<Conversion> dobles_;
    Memo<Conversion> simples_;
    std::string texto_;
};

// Why a value cannot go into a file that must open again, or nullptr. Near
// the top of the double range the 15 digits written round up beyond it.
const char* NoGuardable(double v) {
    if (!std::isfinite(v)) return " no numérico (NaN o infinito)";
    if (std::fabs(v) > 1e308 && !LeerNumeroArchivo(TextoGeneral(v, Regional::Ingles())))
        return " demasiado grande para el archivo";
    return nullptr;
}

// Such a value would make a file that never opens again: the network is
// refused before a byte is written.
void ComprobarFinitos(const Red& red) {
    const auto fallar = [](const std::string& quien, const char* campo, const char* motivo) {
        throw ErrorArchivo(quien + " tiene " + campo + motivo + "; la red no se puede guardar así");
    };
    int n = 0;
    for (const CentroProductivo& c : red.Centros) {
        ++n;
        const std::pair<double, const char*> campos[] = {{c.x1, "x1"},
                                                         {c.x2, "x2"},
                                                         {c.y1, "y1"},
                                                         {c.y2, "y2"},
                                                         {c.Lamda, "Lamda"},
                                                         {c.Mu, "Mu"},
                                                         {c.Probabilidad, "Probabilidad"},
                                                         {c.CostoEspera, "CostoEspera"},
                                                         {c.CostoCentro, "CostoCentro"},
                                                         {c.Desvlamda, "Desvlamda"},
                                                         {c.DesvMu, "DesvMu"},
                                                         {c.Salida, "Salida"}};
        for (const auto& [v, campo] : campos)
            if (const char* motivo = NoGuardable(v))
                fallar(std::string("el nodo ").append(std::to_string(n)) + " (" + c.Nombre + ")",
                       campo, motivo);
    }
    n = 0;
    for (const linea& l : red.Conexiones) {
        ++n;
        const std::pair<double, const char*> campos[] = {{l.x1, "x1"},
                                                         {l.x2, "x2"},
                                                         {l.y1, "y1"},
                                                         {l.y2, "y2"},
                                                         {l.multiplicador, "multiplicador"}};
        for (const auto& [v, campo] : campos)
            if (const char* motivo = NoGuardable(v))
                fallar(std::string("la conexión ").append(std::to_string(n)), campo, motivo);
    }
}

}  // namespace

std::string EscribirRed(const Red& red, const Regional& reg) {
    ComprobarFinitos(red);
    Escritor e(reg);
    e.Reservar(static_cast<std::size_t>(red.Centros.Count()) * 200 +
               static_cast<std::size_t>(red.Conexiones.Count()) * 60 + 16);
    e.Linea("%");
    e.Entero(red.NodoInicio);
    e.Entero(red.NodoFin);
    for (const CentroProductivo& c : red.Centros) {
        e.Linea("@");
        e.Entero(c.posicion);
        e.Simple(c.x1);
        e.Simple(c.x2);
        e.Simple(c.y1);
        e.Simple(c.y2);
        e.Real(c.Lamda);
        e.Real(c.Mu);
        e.Entero(c.Servidores);
        e.Real(c.Probabilidad);
        e.Real(c.CostoEspera);
        e.Real(c.CostoCentro);
        e.Real(c.Desvlamda);
        e.Real(c.DesvMu);
        e.Real(c.Salida);
        e.Lista(c.tamEE, [&](int i) { return c.Entrada(i); });
        e.Lista(c.tamSE, [&](int i) { return c.SalidaLista(i); });
        e.Texto(c.Nombre);
        e.Texto(c.Descripción);
    }
    for (const linea& l : red.Conexiones) {
        e.Linea("$");
        e.Entero(l.posicion);
        e.Simple(l.x1);
        e.Simple(l.x2);
        e.Simple(l.y1);
        e.Simple(l.y2);
        e.Real(l.multiplicador);
        e.Entero(l.CentroInicio);
        e.Entero(l.CentroFin);
    }
    return std::move(e).Texto();
}

std::vector<std::string> TextosQueCambiaran(const Red& red) {
    const auto cambio = [](const std::string& t) {
        return "\"" + t + "\" → \"" + W1252AUtf8(Utf8A1252(t)) + "\"";
    };
    std::vector<std::string> r;
    for (const CentroProductivo& c : red.Centros) {
        if (PrimerCaracterNo1252(c.Nombre)) r.push_back("Nombre: " + cambio(c.Nombre));
        if (PrimerCaracterNo1252(c.Descripción))
            r.push_back("Descripción de \"" + W1252AUtf8(Utf8A1252(c.Nombre)) +
                        "\": " + cambio(c.Descripción));
    }
    return r;
}

void GuardarRed(const Red& red, const std::string& ruta, const Regional& reg, Documento& doc) {
    EscribirAtomico(ruta, EscribirRed(red, reg));
    doc.PonerTitulo(ruta + std::string(kSufijoTituloGuardado));
    doc.ACTBarraEstado(false);
}

}  // namespace vortena
