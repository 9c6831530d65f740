#include "cli/Opciones.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

namespace vortena::calc {
namespace {

bool EsPalabra(std::string_view palabras, std::string_view texto) {
    while (!palabras.empty()) {
        const std::size_t barra = palabras.find('|');
        if (palabras.substr(0, barra) == texto) return true;
        if (barra == std::string_view::npos) break;
        palabras.remove_prefix(barra + 1);
    }
    return false;
}

// "gamma|lognormal" -> "gamma o lognormal".
std::string ListaPalabras(std::string_view palabras) {
    std::string t;
    const std::size_t ultima = palabras.rfind('|');
    for (std::size_t i = 0; i < palabras.size(); ++i) {
        if (palabras[i] != '|') {
            t += palabras[i];
        } else {
            t += i == ultima ? " o " : ", ";
        }
    }
    return t;
}

const Opcion* Declarada(std::span<const Opcion> tabla, std::string_view nombre) {
    for (const Opcion& o : tabla)
        if (o.nombre == nombre) return &o;
    return nullptr;
}

// What the option admits, for its error text.
std::string Espera(const Opcion& o, const Regional& reg) {
    const std::string nombre(o.nombre);
    switch (o.clase) {
        case Clase::Texto:
            return nombre + " espera " + (o.valor == "FILE" ? "un nombre de archivo" : "un texto");
        case Clase::Palabra:
            return nombre + " espera " + ListaPalabras(o.palabras);
        case Clase::Interruptor:
            return nombre + " no lleva valor";
        case Clase::Retirada:
            return std::string(o.ayuda);
        case Clase::Numero:
            break;
    }
    std::string t = nombre + " espera ";
    if (!o.palabras.empty()) t += ListaPalabras(o.palabras) + " o ";
    return t + o.admite.Describir(reg);
}

std::optional<std::string> LeerValor(const Opcion& o, const std::string& texto, const Regional& reg,
                                     OpcionesLeidas::Valor& v) {
    switch (o.clase) {
        case Clase::Texto:
            if (texto.empty()) return Espera(o, reg);
            return std::nullopt;
        case Clase::Palabra:
            if (!EsPalabra(o.palabras, texto)) return Espera(o, reg);
            return std::nullopt;
        case Clase::Interruptor:
        case Clase::Retirada:
            return Espera(o, reg);
        case Clase::Numero:
            break;
    }
    if (!o.palabras.empty() && EsPalabra(o.palabras, texto)) return std::nullopt;
    const Lectura l = LeerAdmisible(texto, o.admite, reg);
    if (l.valor) {
        v.numero = l.valor;
        return std::nullopt;
    }
    // The other decimal separator gets the form expected ("use la coma
    // decimal: 2,5"): the value was probably meant, only written the other way.
    if (texto.find(reg.grupo) == std::string::npos) return Espera(o, reg);
    std::string motivo = MotivoNoNumero(texto, reg);
    if (motivo.empty()) return Espera(o, reg);
    motivo[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(motivo[0])));
    return Espera(o, reg) + "; " + motivo;
}

// A compact form of the admitted values for the usage text.
std::string Rango(const Opcion& o) {
    const Regional ingles = Regional::Ingles();
    const Admisible& a = o.admite;
    std::string t;
    if (o.clase != Clase::Numero) return t;
    if (a.entero && a.multiplo > 1) t = "multiple of " + std::to_string(a.multiplo) + ", ";
    const bool conMin = std::isfinite(a.min), conMax = std::isfinite(a.max);
    if (conMin && conMax && !a.minAbierto && !a.maxAbierto) {
        const auto limite = [&](double v) {
            return a.entero && std::fabs(v) <= 9007199254740992.0 && v == std::floor(v)
                       ? std::to_string(static_cast<long long>(v))
                       : TextoGeneral(v, ingles);
        };
        t += limite(a.min) + ".." + limite(a.max);
    } else if (conMin && conMax) {
        t += TextoGeneral(a.min, ingles) + (a.minAbierto ? " < x " : " <= x ") +
             (a.maxAbierto ? "< " : "<= ") + TextoGeneral(a.max, ingles);
    } else if (conMin) {
        t += (a.minAbierto ? "> " : ">= ") + TextoGeneral(a.min, ingles);
    } else if (conMax) {
        t += (a.maxAbierto ? "< " : "<= ") + TextoGeneral(a.max, ingles);
    }
    return t;
}

}  // namespace

const OpcionesLeidas::Valor* OpcionesLeidas::Buscar(std::string_view nombre) const {
    for (const Valor& v : valores)
        if (v.nombre == nombre) return &v;
    return nullptr;
}

std::optional<std::string> OpcionesLeidas::Texto(std::string_view nombre) const {
    if (const Valor* v = Buscar(nombre)) return v->texto;
    return std::nullopt;
}

std::variant<OpcionesLeidas, std::string> LeerOpciones(std::string_view paso,
                                                       std::span<const Opcion> tabla,
                                                       const std::string& opciones,
                                                       const Regional& reg) {
    OpcionesLeidas leidas;
    std::istringstream lineas(opciones);
    std::string linea;
    while (std::getline(lineas, linea)) {
        const std::size_t igual = linea.find('=');
        const std::string nombre = linea.substr(0, igual);
        const std::string texto =
            igual == std::string::npos ? std::string() : linea.substr(igual + 1);
        const Opcion* o = Declarada(tabla, nombre);
        if (o == nullptr) return "opción desconocida " + nombre + " de " + std::string(paso);
        if (leidas.Tiene(o->nombre)) return nombre + " repetida";
        OpcionesLeidas::Valor v{o->nombre, texto, std::nullopt};
        // A switch is a line without "=": the command line takes no value for it.
        const bool sinValor = o->clase == Clase::Interruptor && igual == std::string::npos;
        if (!sinValor)
            if (auto error = LeerValor(*o, texto, reg, v)) return *error;
        leidas.valores.push_back(std::move(v));
    }
    for (const Opcion& o : tabla)
        if (!o.excluye.empty() && leidas.Tiene(o.nombre) && leidas.Tiene(o.excluye))
            return std::string(o.excluye) + " y " + std::string(o.nombre) + " no van juntas";
    return leidas;
}

std::string UsoOpciones(std::span<const Opcion> tabla, std::size_t sangria) {
    constexpr std::size_t kColumna = 24;
    std::string t;
    for (const Opcion& o : tabla) {
        if (o.clase == Clase::Retirada) continue;
        std::string izquierda = std::string(sangria, ' ') + std::string(o.nombre) + ' ' +
                                std::string(o.clase == Clase::Palabra ? o.palabras : o.valor);
        izquierda.resize(std::max(sangria + kColumna, izquierda.size() + 1), ' ');
        std::string derecha = Rango(o);
        if (!o.ayuda.empty()) derecha += (derecha.empty() ? "" : ", ") + std::string(o.ayuda);
        t += izquierda + derecha + '\n';
    }
    return t;
}

}  // namespace vortena::calc
