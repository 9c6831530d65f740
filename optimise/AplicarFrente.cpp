#include "optimise/AplicarFrente.h"

#include "compute/Pert.h"

namespace vortena {

bool AplicarServidores(Red& red, Mensajes& mensajes, Documento& doc, const ModeloFrente& modelo,
                       std::span<const std::int16_t> servidores) {
    const auto& genes = modelo.genes();
    bool vigente = servidores.size() == genes.size();
    for (std::size_t k = 0; vigente && k < genes.size(); ++k)
        vigente = red.Centros.Existe(genes[k].posicion) &&
                  red.Centros(genes[k].posicion).Nombre == genes[k].nombre;
    if (!vigente) {
        mensajes.Mostrar(kTextoRedCambiada, kTituloPrograma, Botones::Aceptar, Icono::Exclamacion);
        return false;
    }
    for (std::size_t k = 0; k < genes.size(); ++k) {
        CentroProductivo& c = red.Centros(genes[k].posicion);
        c.Servidores = servidores[k];
        c.Calculos(red.ErrorCalculo, mensajes);
    }
    CalcularPERT(red, red.NodoInicio, red.NodoFin);
    // Only the gene centres changed, and they were computed with the line:
    // figures that were current stay so.
    if (red.ResultadosAlDia) red.Calculada();
    doc.ACTBarraEstado(true);
    return true;
}

const PuntoFrente* PuntoDominante(const ResultadoFrente& frente, double costo, double tiempo) {
    for (const PuntoFrente& p : frente.puntos)  // by cost ascending
        if (p.costo <= costo && p.tiempo <= tiempo && (p.costo < costo || p.tiempo < tiempo))
            return &p;
    return nullptr;
}

std::string JuicioFrente(const ResultadoFrente& frente, double costo, double tiempo,
                         const Regional& reg) {
    const PuntoFrente* p = PuntoDominante(frente, costo, tiempo);
    if (p == nullptr) return "Ningún punto del frente costo–tiempo domina este resultado.";
    return "El frente costo–tiempo tiene un punto mejor: costo " + Formato(p->costo, "#0.00", reg) +
           ", tiempo " + Formato(p->tiempo, "#0.0000", reg) + " (el resultado está dominado).";
}

namespace {

std::string Campo(const std::string& s) {
    if (s.find_first_of(",\"\n\r") == std::string::npos) return s;
    std::string r = "\"";
    for (char c : s) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

}  // namespace

std::string TextoCsvFrente(const ModeloFrente& modelo, const ResultadoFrente& resultado) {
    const Regional punto = Regional::Ingles();
    std::string t = "costo,tiempo,aporte";
    auto campo = [&t](const std::string& s) {
        t += ',';
        t += s;
    };
    for (const ModeloFrente::Gen& g : modelo.genes()) campo(Campo(g.nombre));
    t += '\n';
    for (const PuntoFrente& p : resultado.puntos) {
        t += TextoGeneral(p.costo, punto);
        campo(TextoGeneral(p.tiempo, punto));
        campo(TextoGeneral(p.aporte, punto));
        for (std::int16_t s : p.servidores) campo(TextoGeneral(s, punto));
        t += '\n';
    }
    return t;
}

}  // namespace vortena
