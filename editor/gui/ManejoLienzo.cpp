#include "editor/gui/ManejoLienzo.h"

#include "compute/Pert.h"

namespace vortena {

ManejoLienzo::ManejoLienzo(Red& red, Editor& editor, Mensajes& mensajes, Documento& doc)
    : red_(red), editor_(editor), msj_(mensajes), doc_(doc) {}

void ManejoLienzo::Presionar(BotonRaton boton, float x, float y) {
    switch (HerramientaActual) {
        case Herramienta::Seleccion:
            if (red_.HaySeleccion) editor_.QuitarSeleccion();
            editor_.SeleccionarEnPunto(x, y, ToleranciaConexion);
            break;
        case Herramienta::Centro:
            doc_.Paso("Colocar centro", [&] { editor_.ColocarCentro(x, y, 1); });
            doc_.ACTBarraEstado(true);
            break;
        case Herramienta::Conexion:
            break;
        case Herramienta::InicioPert:
            if (boton == BotonRaton::Izquierdo) ElegirExtremoPert(true, x, y);
            break;
        case Herramienta::FinPert:
            if (boton == BotonRaton::Izquierdo) ElegirExtremoPert(false, x, y);
            break;
    }
    xInicial_ = x;
    yInicial_ = y;
}

void ManejoLienzo::Soltar(BotonRaton boton, float x, float y) {
    switch (HerramientaActual) {
        case Herramienta::Seleccion:
            if (boton == BotonRaton::Izquierdo) {
                // A move takes effect only on release, and only when the
                // pointer actually went somewhere.
                if (red_.HaySeleccion && red_.CentroActual != 0 &&
                    (x != xInicial_ || y != yInicial_)) {
                    doc_.Paso("Mover", [&] { editor_.MoverCentro(x, y); });
                    doc_.ACTBarraEstado(true);
                }
            } else if (boton == BotonRaton::Derecho && red_.HaySeleccion) {
                AbrirPropiedades();
            }
            break;
        case Herramienta::Conexion:
            doc_.Paso("Conectar", [&] { editor_.ConectarCentros(xInicial_, yInicial_, x, y, 1); });
            // Marked modified even when the rules refused the connection.
            doc_.ACTBarraEstado(true);
            break;
        default:
            break;
    }
}

bool ManejoLienzo::Suprimir() {
    if (!red_.HaySeleccion) return false;
    int tipo = 0;
    if (red_.ConexionActual != 0)
        tipo = 2;
    else if (red_.CentroActual != 0)
        tipo = 1;
    else
        return false;
    doc_.Paso("Eliminar", [&] { editor_.EliminarSeleccion(tipo); });
    doc_.ACTBarraEstado(true);
    return true;
}

void ManejoLienzo::AbrirPropiedades() {
    if (red_.CentroActual != 0) {
        if (!red_.Centros.Existe(red_.CentroActual)) return;
        const CentroProductivo& c = red_.Centros(red_.CentroActual);
        if (c.EsInicio()) {
            msj_.Mostrar("Nodo de Inicio", "Información", Botones::Aceptar, Icono::Informacion);
        } else if (c.EsFin()) {
            if (AbrirNodoFinal) AbrirNodoFinal();
        } else if (AbrirNodoCentro) {
            AbrirNodoCentro();
        }
    } else if (red_.ConexionActual != 0 && red_.Conexiones.Existe(red_.ConexionActual)) {
        if (AbrirArco) AbrirArco();
    }
}

void ManejoLienzo::ElegirExtremoPert(bool inicio, float x, float y) {
    doc_.Paso(inicio ? "Inicio del PERT" : "Fin del PERT",
              [&] { MarcarExtremoPert(inicio, x, y); });
}

void ManejoLienzo::MarcarExtremoPert(bool inicio, float x, float y) {
    editor_.SeleccionarEnPunto(x, y);
    if (!red_.HaySeleccion || red_.CentroActual == 0) return;

    std::int16_t& marca = inicio ? red_.NodoInicio : red_.NodoFin;
    const std::int16_t anterior = marca;
    marca = red_.CentroActual;
    const double duracion = CalcularPERT(red_, red_.NodoInicio, red_.NodoFin);
    if (duracion == 0.0) {
        msj_.Mostrar(inicio ? "Nodo inválido para ser de inicio" : "Nodo inválido para ser de Fin",
                     "Error de PERT", Botones::Aceptar, Icono::Critico);
        // CalcularPERT stored its arguments; only the chosen marker goes back.
        marca = anterior;
        return;
    }
    editor_.RedibujarTodo();
    doc_.ACTBarraEstado(true);
}

}  // namespace vortena
