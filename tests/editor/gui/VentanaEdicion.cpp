// Editing the network with the mouse and the Delete key on the real canvas.
// Points are canvas twips (multiples of 15: one pixel each).
//
// The new network: INICIO (1) box 500..1500 x 1150..1850, a centre (2) box
// 4000..5000 x 1000..2000, FIN (3) box 8500..9500 x 1150..1850; connection 1
// INICIO -> centre, 2 centre -> FIN, both at y 1500.

#include <QTest>
#include <vector>

#include "VentanaDePrueba.h"
#include "model/Invariantes.h"

using vortena::Botones;
using vortena::Icono;
using vortena::prueba::VentanaDePrueba;

namespace {

struct Punto {
    float x, y;
};
constexpr Punto kInicio{900, 1500};
constexpr Punto kCentro{4500, 1500};
constexpr Punto kFin{9000, 1500};
constexpr Punto kVacio{3000, 6000};

const char* const kM1 = "El Nodo de Final no puede iniciar una conexión";
const char* const kM2 = "El Nodo de Inicio no puede Finalizar una conexión";
const char* const kM3 = "Intenta vincular nuevamente dos Centros Productivos";
const char* const kM4 = "La conexión que intenta realizar produce un ciclo";

// Places a centre with tool 2 at (x, y) and returns its position.
std::int16_t Colocar(VentanaDePrueba& v, float x, float y) {
    v.Herramienta(1);
    v.Clic(x, y);
    return static_cast<std::int16_t>(v.red.Centros.Count());
}

void Conectar(VentanaDePrueba& v, Punto a, Punto b) {
    v.Herramienta(2);
    v.Arrastrar(a.x, a.y, b.x, b.y);
}

void SinFallas(const vortena::Red& red) {
    const auto falla = vortena::ComprobarInvariantes(red);
    QVERIFY2(!falla, falla ? falla->c_str() : "");
}

}  // namespace

using Enlaces = QList<QPair<int, int>>;

Q_DECLARE_METATYPE(Punto)

class VentanaEdicion : public QObject {
    Q_OBJECT

private slots:
    void colocarCentro() {
        VentanaDePrueba v;
        v.ventana->ACTBarraEstado(false);
        const auto p = Colocar(v, 6000, 4500);
        QCOMPARE(p, std::int16_t{4});
        const auto& c = v.red.Centros(p);
        QCOMPARE(c.Nombre, std::string("Sin nombre"));
        QCOMPARE(c.x1, 6000.f);
        QCOMPARE(c.y1, 4500.f);
        QCOMPARE(c.x2, 7000.f);
        QCOMPARE(c.y2, 5500.f);
        QCOMPARE(v.red.CentroActual, p);
        QVERIFY(v.ventana->Modificado);
        QCOMPARE(v.Panel(1), QStringLiteral("Modificado"));
        QCOMPARE(v.Panel(2), QStringLiteral("2 Centros - 2 Conexiones"));
        QCOMPARE(v.Color(6000, 5000), QColor(0, 0, 0));
        // Any button places a centre with this tool.
        v.Clic(6000, 7500, Qt::RightButton);
        QCOMPARE(v.red.Centros.Count(), 5);
        SinFallas(v.red);
    }

    // Each row: an extra centre B is placed at (4500, 4500) (box
    // 4500..5500), C at (7500, 4500); `antes` are connections made first.
    void conectar_data() {
        QTest::addColumn<Enlaces>("antes");
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("hasta");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("conexiones");
        // Node keys: 0 empty canvas, 1 INICIO, 2 centre, 3 FIN, 4 B, 5 C.
        using L = Enlaces;
        QTest::newRow("centro a B") << L{} << 2 << 4 << QString() << 3;
        QTest::newRow("M1 desde el nodo final") << L{} << 3 << 4 << QString::fromUtf8(kM1) << 2;
        QTest::newRow("M1 aunque suelte en el vacío")
            << L{} << 3 << 0 << QString::fromUtf8(kM1) << 2;
        QTest::newRow("M2 hacia el nodo de inicio") << L{} << 4 << 1 << QString::fromUtf8(kM2) << 2;
        QTest::newRow("M3 repetida") << L{} << 1 << 2 << QString::fromUtf8(kM3) << 2;
        QTest::newRow("M4 en sentido contrario")
            << L{{2, 4}} << 4 << 2 << QString::fromUtf8(kM4) << 3;
        QTest::newRow("M4 en una cadena")
            << L{{2, 4}, {4, 5}} << 5 << 2 << QString::fromUtf8(kM4) << 4;
        QTest::newRow("vacío a un nodo") << L{} << 0 << 4 << QString() << 2;
        QTest::newRow("nodo al vacío") << L{} << 4 << 0 << QString() << 2;
        QTest::newRow("dentro del mismo nodo") << L{} << 4 << 4 << QString() << 2;
    }
    void conectar() {
        QFETCH(Enlaces, antes);
        QFETCH(int, desde);
        QFETCH(int, hasta);
        QFETCH(QString, mensaje);
        QFETCH(int, conexiones);
        VentanaDePrueba v;
        Colocar(v, 4500, 4500);
        Colocar(v, 7500, 4500);
        const Punto puntos[] = {kVacio, kInicio, kCentro, kFin, {5000, 5000}, {8000, 5000}};
        for (const auto& [a, b] : antes) Conectar(v, puntos[a], puntos[b]);
        QVERIFY(v.dialogos.vistos().empty());
        v.ventana->ACTBarraEstado(false);
        const int hechas = v.red.Conexiones.Count();

        Conectar(v, puntos[desde], puntos[hasta]);
        QCOMPARE(v.red.Conexiones.Count(), conexiones);
        if (mensaje.isEmpty()) {
            QVERIFY(v.dialogos.vistos().empty());
        } else {
            // Exactly one message, also when the cycle is several steps long.
            QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
            const auto& m = v.dialogos.vistos().front();
            QCOMPARE(QString::fromStdString(m.texto), mensaje);
            QCOMPARE(m.titulo, std::string("Vortena de líneas de Producción"));
            QCOMPARE(m.botones, Botones::Aceptar);
            QCOMPARE(m.icono, Icono::Critico);
        }
        // Only a connection made marks the document modified.
        QCOMPARE(v.ventana->Modificado, conexiones > hechas);
        QCOMPARE(v.Panel(2), QStringLiteral("3 Centros - %1 Conexiones").arg(conexiones));
        SinFallas(v.red);
    }

    void nuevaConexionDibujada() {
        VentanaDePrueba v;
        Colocar(v, 6000, 4500);
        Conectar(v, kCentro, {6500, 5000});
        const auto& l = v.red.Conexiones(3);
        QCOMPARE(l.x1, 5000.f);
        QCOMPARE(l.y1, 1500.f);
        QCOMPARE(l.x2, 5840.f);
        QCOMPARE(l.y2, 5000.f);
        // Arrowhead just left of the end node, black.
        QCOMPARE(v.Color(5840 + 30, 5000), QColor(0, 0, 0));
    }

    void seleccionar_data() {
        QTest::addColumn<Punto>("punto");
        QTest::addColumn<int>("centro");
        QTest::addColumn<int>("conexion");
        QTest::addColumn<bool>("hay");
        QTest::newRow("dentro del centro") << kCentro << 2 << 0 << true;
        QTest::newRow("nodo de inicio") << kInicio << 1 << 0 << true;
        // B (4) is placed at 6000, 4500: its borders fall on whole pixels.
        QTest::newRow("borde izquierdo de B") << Punto{6000, 5010} << 0 << 0 << false;
        QTest::newRow("borde superior de B") << Punto{6495, 4500} << 0 << 0 << false;
        QTest::newRow("esquina interior de B") << Punto{6015, 4515} << 4 << 0 << true;
        QTest::newRow("sobre la conexión 1") << Punto{3000, 1500} << 0 << 1 << true;
        QTest::newRow("50 por encima de la conexión 2") << Punto{6000, 1455} << 0 << 2 << true;
        // Besides the band, anything within 4 screen pixels (60 twips at
        // 100 %) of the drawn line or arrowhead picks the connection.
        QTest::newRow("a 4 píxeles de la conexión 2") << Punto{6000, 1560} << 0 << 2 << true;
        QTest::newRow("a 5 píxeles de la conexión 2") << Punto{6000, 1575} << 0 << 0 << false;
        QTest::newRow("sobre la punta de la flecha") << Punto{8400, 1500} << 0 << 2 << true;
        QTest::newRow("pasada la mitad de la flecha") << Punto{8430, 1500} << 0 << 2 << true;
        QTest::newRow("vacío") << kVacio << 0 << 0 << false;
    }
    void seleccionar() {
        QFETCH(Punto, punto);
        QFETCH(int, centro);
        QFETCH(int, conexion);
        QFETCH(bool, hay);
        VentanaDePrueba v;
        Colocar(v, 6000, 4500);
        v.Herramienta(0);
        v.Clic(punto.x, punto.y);
        QCOMPARE(int{v.red.CentroActual}, centro);
        QCOMPARE(int{v.red.ConexionActual}, conexion);
        QCOMPARE(v.red.HaySeleccion, hay);
        const QColor azul(0, 0, 255);
        if (centro == 2) QCOMPARE(v.Color(4000, 1500), azul);
        if (conexion == 1) QCOMPARE(v.Color(3000, 1500), azul);
        if (!hay) QCOMPARE(v.Color(4000, 1500), QColor(0, 0, 0));
    }

    void otraSeleccionDevuelveElAspecto() {
        VentanaDePrueba v;
        v.Clic(kCentro.x, kCentro.y);
        QCOMPARE(v.Color(4000, 1500), QColor(0, 0, 255));
        v.Clic(3000, 1500);
        QCOMPARE(v.Color(4000, 1500), QColor(0, 0, 0));
        QCOMPARE(v.Color(3000, 1500), QColor(0, 0, 255));
        v.Clic(kVacio.x, kVacio.y);
        QCOMPARE(v.Color(3000, 1500), QColor(0, 0, 0));
        QVERIFY(!v.red.HaySeleccion);
    }

    // Anchors placed exactly one above the other give an upright connection,
    // which the band test can never hit.
    void conexionVerticalNoSeSelecciona() {
        VentanaDePrueba v;
        v.ventana->editor().ColocarCentro(3000, 4500, 1);
        v.ventana->editor().ColocarCentro(4160, 7500, 1);
        v.ventana->editor().ConectarCentros(3500, 5000, 4500, 8000, 1);
        QCOMPARE(v.red.Conexiones.Count(), 3);
        QCOMPARE(v.red.Conexiones(3).x1, v.red.Conexiones(3).x2);
        v.Clic(3990, 6510);
        QVERIFY(!v.red.HaySeleccion);
        QCOMPARE(int{v.red.ConexionActual}, 0);
    }

    void moverCentro() {
        VentanaDePrueba v;
        v.ventana->ACTBarraEstado(false);
        v.Arrastrar(kCentro.x, kCentro.y, 6000, 4500);
        const auto& c = v.red.Centros(2);
        QCOMPARE(c.x1, 6000.f);
        QCOMPARE(c.y1, 4500.f);
        QCOMPARE(c.x2, 7000.f);
        QCOMPARE(c.y2, 5500.f);
        QCOMPARE(v.red.Conexiones(1).x2, 6000.f - 160.f);
        QCOMPARE(v.red.Conexiones(1).y2, 5000.f);
        QCOMPARE(v.red.Conexiones(2).x1, 7000.f);
        QCOMPARE(v.red.Conexiones(2).y1, 5000.f);
        QVERIFY(v.ventana->Modificado);
        // Redrawn in full: the old box is gone, the new one is there.
        QCOMPARE(v.Color(4000, 1800), QColor(255, 255, 255));
        QCOMPARE(v.Color(6000, 5000), QColor(0, 0, 0));
    }

    void sinMovimiento_data() {
        QTest::addColumn<Punto>("suelta");
        QTest::addColumn<int>("boton");
        QTest::newRow("soltar donde se presionó") << kCentro << int{Qt::LeftButton};
        QTest::newRow("arrastrar con el medio") << Punto{6000, 4500} << int{Qt::MiddleButton};
    }
    void sinMovimiento() {
        QFETCH(Punto, suelta);
        QFETCH(int, boton);
        VentanaDePrueba v;
        v.ventana->ACTBarraEstado(false);
        v.Arrastrar(kCentro.x, kCentro.y, suelta.x, suelta.y, Qt::MouseButton(boton));
        QCOMPARE(v.red.Centros(2).x1, 4000.f);
        QVERIFY(!v.ventana->Modificado);
    }

    // A centre with two incoming and two outgoing connections, deleted with
    // the Delete key: its four connections go, the rest are renumbered.
    void eliminarCentro() {
        VentanaDePrueba v;
        const auto b = Colocar(v, 1500, 4500);  // 4
        const auto c = Colocar(v, 7500, 4500);  // 5
        QCOMPARE(b, std::int16_t{4});
        QCOMPARE(c, std::int16_t{5});
        Conectar(v, kInicio, {2000, 5000});  // 3: INICIO -> B
        Conectar(v, {2000, 5000}, kCentro);  // 4: B -> centre
        Conectar(v, kCentro, {8000, 5000});  // 5: centre -> C
        Conectar(v, {8000, 5000}, kFin);     // 6: C -> FIN
        QCOMPARE(v.red.Conexiones.Count(), 6);

        v.Herramienta(0);
        v.Clic(kCentro.x, kCentro.y);
        v.ventana->ACTBarraEstado(false);
        v.Suprimir();
        QCOMPARE(v.red.Centros.Count(), 4);
        QCOMPARE(v.red.Conexiones.Count(), 2);
        SinFallas(v.red);
        // B and C moved down one place, with their connections' ends.
        QCOMPARE(v.red.Centros(3).Nombre, std::string("Sin nombre"));
        QCOMPARE(v.red.Centros(3).x1, 1500.f);
        QCOMPARE(v.red.Centros(2).Nombre, std::string("FIN"));
        QCOMPARE(int{v.red.Conexiones(1).CentroInicio}, 1);
        QCOMPARE(int{v.red.Conexiones(1).CentroFin}, 3);
        QCOMPARE(int{v.red.Conexiones(2).CentroInicio}, 4);
        QCOMPARE(int{v.red.Conexiones(2).CentroFin}, 2);
        QCOMPARE(int{v.red.NodoInicio}, 1);
        QCOMPARE(int{v.red.NodoFin}, 2);
        QCOMPARE(int{v.red.CentroActual}, 0);
        QVERIFY(v.ventana->Modificado);
        QCOMPARE(v.Panel(2), QStringLiteral("2 Centros - 2 Conexiones"));
        QCOMPARE(v.Color(4000, 1500), QColor(255, 255, 255));
        QVERIFY(v.fondo()->hasFocus());

        // Nothing is selected any more: a second Delete does nothing.
        v.ventana->ACTBarraEstado(false);
        v.Suprimir();
        QCOMPARE(v.red.Centros.Count(), 4);
        QCOMPARE(v.red.Conexiones.Count(), 2);
        QVERIFY(!v.ventana->Modificado);
        QVERIFY(v.dialogos.vistos().empty());
    }

    void eliminarConexion() {
        VentanaDePrueba v;
        v.Clic(3000, 1500);
        v.Suprimir();
        QCOMPARE(v.red.Conexiones.Count(), 1);
        QCOMPARE(int{v.red.Conexiones(1).CentroInicio}, 2);
        QCOMPARE(v.red.Conexiones(1).posicion, std::int16_t{1});
        QCOMPARE(v.Panel(2), QStringLiteral("1 Centros - 1 Conexiones"));
        SinFallas(v.red);
    }

    void extremosNoSeEliminan_data() {
        QTest::addColumn<Punto>("punto");
        QTest::newRow("INICIO") << kInicio;
        QTest::newRow("FIN") << kFin;
    }
    void extremosNoSeEliminan() {
        QFETCH(Punto, punto);
        VentanaDePrueba v;
        v.Clic(punto.x, punto.y);
        v.Suprimir();
        QCOMPARE(v.red.Centros.Count(), 3);
        QCOMPARE(v.red.Conexiones.Count(), 2);
        QCOMPARE(v.Ultimo(), std::string("Nodo inválido para eliminacion"));
        QCOMPARE(v.dialogos.vistos().back().titulo, std::string("Vortena de Líneas de Producción"));
        // Still redrawn: the blue highlight is gone.
        QCOMPARE(v.Color(punto.x == kInicio.x ? 500 : 8500, 1500), QColor(0, 128, 0));
    }

    // Tools 4 and 5 move the PERT markers only to a node from which, or up
    // to which, the PERT has a duration. Besides the new network: B (4) at
    // 5500, 4500 between the centre and FIN, and C (5) at 5500, 7500 joined
    // to nothing.
    void marcasPert_data() {
        QTest::addColumn<int>("herramienta");
        QTest::addColumn<Punto>("punto");
        QTest::addColumn<int>("inicio");
        QTest::addColumn<int>("fin");
        QTest::addColumn<QString>("mensaje");
        const QString malInicio = QString::fromUtf8("Nodo inválido para ser de inicio");
        const QString malFin = QString::fromUtf8("Nodo inválido para ser de Fin");
        const Punto b{6000, 5000}, c{6000, 8000};
        QTest::newRow("inicio en el centro") << 3 << kCentro << 2 << 3 << QString();
        QTest::newRow("fin en B") << 4 << b << 1 << 4 << QString();
        // The start node is a milestone: a line of no duration is refused.
        QTest::newRow("fin justo tras el inicio") << 4 << kCentro << 1 << 3 << malFin;
        QTest::newRow("inicio en un centro aislado") << 3 << c << 1 << 3 << malInicio;
        QTest::newRow("fin en un centro aislado") << 4 << c << 1 << 3 << malFin;
        QTest::newRow("inicio en el vacío") << 3 << kVacio << 1 << 3 << QString();
        QTest::newRow("fin sobre una conexión") << 4 << Punto{3000, 1500} << 1 << 3 << QString();
    }
    void marcasPert() {
        QFETCH(int, herramienta);
        QFETCH(Punto, punto);
        QFETCH(int, inicio);
        QFETCH(int, fin);
        QFETCH(QString, mensaje);
        VentanaDePrueba v;
        Colocar(v, 5500, 4500);
        Colocar(v, 5500, 7500);
        Conectar(v, kCentro, {6000, 5000});
        Conectar(v, {6000, 5000}, kFin);
        v.Herramienta(herramienta);
        v.ventana->ACTBarraEstado(false);
        v.Clic(punto.x, punto.y);
        QCOMPARE(int{v.red.NodoInicio}, inicio);
        QCOMPARE(int{v.red.NodoFin}, fin);
        if (mensaje.isEmpty()) {
            QVERIFY(v.dialogos.vistos().empty());
        } else {
            QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
            const auto& m = v.dialogos.vistos().front();
            QCOMPARE(QString::fromStdString(m.texto), mensaje);
            QCOMPARE(m.titulo, std::string("Error de PERT"));
            QCOMPARE(m.botones, Botones::Aceptar);
            QCOMPARE(m.icono, Icono::Critico);
        }
        const int elegido = inicio != 1 ? inicio : fin != 3 ? fin : 0;
        QCOMPARE(v.ventana->Modificado, elegido != 0);
        if (elegido != 0) {
            // The marker now stands over the chosen node.
            const auto& n = v.red.Centros(elegido);
            const QImage arriba =
                v.fondo()->Imagen().copy(QRect(v.Pixel(n.x1, n.y1 - 500), QSize(32, 32)));
            bool tinta = false;
            for (int y = 0; y < 32 && !tinta; ++y)
                for (int x = 0; x < 32 && !tinta; ++x) tinta = qGray(arriba.pixel(x, y)) < 100;
            QVERIFY(tinta);
        }
    }

    void marcaPertSoloConElBotonIzquierdo() {
        VentanaDePrueba v;
        v.Herramienta(3);
        v.Clic(kCentro.x, kCentro.y, Qt::RightButton);
        QCOMPARE(int{v.red.NodoInicio}, 1);
        QVERIFY(!v.red.HaySeleccion);
    }

    // A marker on a centre follows it when a centre before it is deleted.
    void marcaSigueAlCentro() {
        VentanaDePrueba v;
        const auto b = Colocar(v, 4500, 4500);
        Conectar(v, kCentro, {5000, 5000});
        v.Herramienta(4);
        v.Clic(5000, 5000);
        QCOMPARE(v.red.NodoFin, b);
        v.Herramienta(0);
        v.Clic(kCentro.x, kCentro.y);
        v.Suprimir();
        SinFallas(v.red);
        QCOMPARE(v.red.Centros(v.red.NodoFin).x1, 4500.f);
    }

    void propiedades_data() {
        QTest::addColumn<Punto>("punto");
        QTest::addColumn<QString>("abierto");
        QTest::newRow("centro") << kCentro << "centro";
        QTest::newRow("nodo final") << kFin << "final";
        QTest::newRow("conexión") << Punto{3000, 1500} << "arco";
        QTest::newRow("nodo de inicio") << kInicio << "";
        QTest::newRow("vacío") << kVacio << "";
    }
    void propiedades() {
        QFETCH(Punto, punto);
        QFETCH(QString, abierto);
        VentanaDePrueba v;
        QStringList abiertos;
        auto& l = v.ventana->lienzo();
        l.AbrirNodoCentro = [&] { abiertos << "centro"; };
        l.AbrirNodoFinal = [&] { abiertos << "final"; };
        l.AbrirArco = [&] { abiertos << "arco"; };
        v.Clic(punto.x, punto.y, Qt::RightButton);
        QCOMPARE(abiertos, abierto.isEmpty() ? QStringList() : QStringList{abierto});
        if (punto.x == kInicio.x) {
            QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
            const auto& m = v.dialogos.vistos().front();
            QCOMPARE(m.texto, std::string("Nodo de Inicio"));
            QCOMPARE(m.titulo, std::string("Información"));
            QCOMPARE(m.botones, Botones::Aceptar);
            QCOMPARE(m.icono, Icono::Informacion);
        } else {
            QVERIFY(v.dialogos.vistos().empty());
        }
        // Only the select tool opens properties.
        abiertos.clear();
        v.Herramienta(2);
        v.Clic(punto.x, punto.y, Qt::RightButton);
        QVERIFY(abiertos.isEmpty());
    }
};

QTEST_MAIN(VentanaEdicion)
#include "VentanaEdicion.moc"
