#include "editor/gui/Captura.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QTimer>
#include <iostream>

#include "editor/gui/PanelResultados.h"
#include "editor/gui/Principal.h"
#include "files/Dialogos.h"
#include "widgets/GuardarSalida.h"

namespace vortena {

namespace {

// Answers the open dialog with the file asked for, every question with No,
// and prints the messages.
class DialogosCaptura : public Dialogos {
public:
    explicit DialogosCaptura(std::string archivo) : archivo_(std::move(archivo)) {}
    int mensajes = 0;

    Respuesta Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono) override {
        ++mensajes;
        std::cerr << titulo << ": " << texto << '\n';
        return botones == Botones::Aceptar ? Respuesta::Aceptar : Respuesta::No;
    }
    std::optional<std::string> NombreAbrir(const std::string&) override {
        if (archivo_.empty()) return std::nullopt;
        return archivo_;
    }
    std::optional<std::string> NombreGuardar(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void ConfigurarImpresora() override {}

private:
    std::string archivo_;
};

// Ends the event loop once the window has painted: queued, so the paint in
// progress reaches the screen first.
class PrimerPintado : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Paint && !visto_) {
            visto_ = true;
            QMetaObject::invokeMethod(qApp, [] { QApplication::exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    bool visto_ = false;
};

}  // namespace

bool PideMedirArranque(const QStringList& argumentos) {
    return argumentos.contains(QStringLiteral("--medir-arranque"));
}

int MostrarHastaPrimerPintado(QWidget& ventana) {
    PrimerPintado filtro;
    ventana.installEventFilter(&filtro);
    ventana.show();
    return QApplication::exec();
}

std::optional<OpcionesCaptura> LeerOpcionesCaptura(const QStringList& argumentos) {
    OpcionesCaptura o;
    bool pedida = false;
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        const bool hayValor = i + 1 < argumentos.size();
        if (a == QLatin1String("--captura") && hayValor) {
            o.salida = argumentos[++i];
            pedida = true;
        } else if (a == QLatin1String("--abrir") && hayValor) {
            o.archivo = argumentos[++i];
        } else if (a == QLatin1String("--pert")) {
            o.pert = true;
        } else if (a == QLatin1String("--tamano") && hayValor) {
            const QStringList wh = argumentos[++i].split(QLatin1Char('x'));
            if (wh.size() == 2) o.tamano = QSize(wh[0].toInt(), wh[1].toInt());
        } else if (a == QLatin1String("--zoom") && hayValor) {
            o.zoom = argumentos[++i].toInt();
        } else if (a == QLatin1String("--ajustar")) {
            o.ajustar = true;
        } else if (a == QLatin1String("--resultados")) {
            o.resultados = true;
        } else if (a == QLatin1String("--colorear")) {
            o.colorear = true;
        }
    }
    if (!pedida) return std::nullopt;
    return o;
}

int EjecutarCaptura(Red& red, const QString& carpetaPrograma, const OpcionesCaptura& opciones) {
    DialogosCaptura dialogos(opciones.archivo.toStdString());
    Principal ventana(red, dialogos, carpetaPrograma);
    ventana.resize(opciones.tamano);
    ventana.show();

    bool escrita = false;
    QTimer::singleShot(100, &ventana, [&] {
        // Nothing drawn by hand yet: no reason to ask about saving.
        ventana.ACTBarraEstado(false);
        if (!opciones.archivo.isEmpty()) ventana.OrdenAbrir();
        if (opciones.pert) ventana.OrdenPert();
        if (opciones.resultados) ventana.resultados()->show();
        if (opciones.colorear)
            ventana.findChild<QAction*>(QStringLiteral("mnColorear"))->setChecked(true);
        QApplication::processEvents();
        if (opciones.ajustar) ventana.OrdenAjustar();
        if (opciones.zoom > 0) ventana.PonerZoom(opciones.zoom / 100.0);
        // Let the repaint of the new drawing reach the screen first.
        QTimer::singleShot(300, &ventana, [&] {
            const QString motivo =
                GuardarDesde(&ventana, opciones.salida, BytesPng(ventana.grab()));
            escrita = motivo.isEmpty();
            if (!escrita)
                std::cerr << "No se pudo escribir la captura: " << motivo.toStdString() << '\n';
            QApplication::exit(0);
        });
    });
    QApplication::exec();
    return escrita && dialogos.mensajes == 0 ? 0 : 1;
}

}  // namespace vortena
