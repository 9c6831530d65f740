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
    doc.ACTBarraEstado(true);
    return true;
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
