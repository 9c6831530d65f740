// Any bytes given to the network file reader: it either refuses them with
// ErrorArchivo or yields a network that the writer turns into a file that
// reads back to the same network; the computations then finish on it, names
// kept (INICIO and FIN steer them), and what they leave saves and reads back
// to the same network too. The other writers (the report, the results table,
// the batch tool's measures) then write it without a NaN or an infinity.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "cli/Medidas.h"
#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/Resumen.h"
#include "files/TablaResultados.h"
#include "model/ErrorAritmetico.h"

namespace {

using namespace vortena;

class Callado : public Mensajes {
public:
    Respuesta Mostrar(const std::string&, const std::string&, Botones, Icono) override {
        return Respuesta::Aceptar;
    }
};

class SinVentana : public Documento {
public:
    void ACTBarraEstado(bool tipo) override { Modificado = tipo; }
    void PonerTitulo(const std::string&) override {}
    void RedibujarTodo() override {}
    void Terminar() override {}
};

// Texts may change between encodings (a Windows-1252 text can happen to be
// valid UTF-8); structure and numbers may not.
void SinTextos(Red& red) {
    for (CentroProductivo& c : red.Centros) {
        c.Nombre.clear();
        c.Descripción.clear();
    }
}

// A file the program wrote must always open again, to the same network.
// Clears the network's texts.
void GuardarYReabrir(Red& red) {
    std::string escrito;
    try {
        escrito = EscribirRed(red, Regional::Espanol());
    } catch (const ErrorArchivo&) {
        std::abort();  // a NaN or an infinity reached the network
    }
    Red releida;
    try {
        LeerRed(escrito, releida);
    } catch (const ErrorArchivo&) {
        std::abort();
    }
    SinTextos(red);
    SinTextos(releida);
    if (EscribirRed(red, Regional::Ingles()) != EscribirRed(releida, Regional::Ingles()))
        std::abort();
}

// No writer may print what a computation failed to give a value.
void SinNoNumeros(const std::string& texto) {
    for (const char* malo : {"nan", "NaN", "inf", "Inf"})
        if (texto.find(malo) != std::string::npos) std::abort();
}

void EscribirTodo(Red& red) {
    for (const Regional& reg : {Regional::Espanol(), Regional::Ingles()}) {
        std::vector<FilaResultados> filas = FilasResultados(red);
        std::vector<const FilaResultados*> punteros;
        for (const FilaResultados& f : filas) punteros.push_back(&f);
        for (bool comillas : {false, true})
            TablaComoTexto(punteros, SeparadorCsv(reg), comillas, reg);
        // Names are the input's own (a "Sinanombre" holds "nan"); the numbers
        // are ours: they are checked in a table with a neutral name.
        for (FilaResultados& f : filas) f.nombre = "c";
        const std::string numeros = TablaComoTexto(punteros, SeparadorCsv(reg), false, reg);
        SinNoNumeros(numeros.substr(numeros.find('\n') + 1));
        try {
            TextoResumen(red, reg);
        } catch (const ErrorAritmetico&) {
            std::abort();  // the report writes "no calculable", it never throws
        }
    }
    std::ostringstream medidas;
    calc::EscribirMedidas(red, medidas);
    // Every line but the header, without its second field (the name, whose
    // tabs and line ends the table turns into spaces).
    std::istringstream lineas(medidas.str());
    std::string linea;
    std::getline(lineas, linea);
    while (std::getline(lineas, linea)) {
        const std::size_t a = linea.find('\t'), b = linea.find('\t', a + 1);
        if (a == std::string::npos || b == std::string::npos) std::abort();
        SinNoNumeros(linea.substr(0, a) + linea.substr(b));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
    const std::string_view bytes(reinterpret_cast<const char*>(datos), tam);
    Red red;
    try {
        LeerRed(bytes, red);
    } catch (const ErrorArchivo&) {
        return 0;
    }

    {
        Red copia;  // the store cannot be copied: read it again
        LeerRed(bytes, copia);
        GuardarYReabrir(copia);
    }

    Callado mensajes;
    SinVentana doc;
    PropagarFlujo(red, doc);
    CalcularRed(red, mensajes, doc);
    EscribirTodo(red);
    GuardarYReabrir(red);
    return 0;
}
