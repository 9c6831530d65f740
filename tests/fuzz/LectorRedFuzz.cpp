// Any bytes given to the network file reader: it either refuses them with
// ErrorArchivo or yields a network that the writer turns into a file that
// reads back to the same network; the computations then finish on it, names
// kept (INICIO and FIN steer them), and what they leave saves and reads back
// to the same network too.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"

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
    GuardarYReabrir(red);
    return 0;
}
