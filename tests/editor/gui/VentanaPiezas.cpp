// The pieces under the main window: the QPainter surface on its image, the
// file-dialog filter, message texts, the regional settings from a locale and
// the hidden picture options.

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "editor/gui/Captura.h"
#include "editor/gui/DialogosQt.h"
#include "editor/gui/RegionalSistema.h"
#include "editor/gui/SuperficieQt.h"

using vortena::Color;
using vortena::Dibujo;
using vortena::Regional;
using vortena::SuperficieQt;

namespace {

// A small canvas: 300 x 300 pixels = 4500 x 4500 twips.
struct Lienzo {
    QImage imagen{300, 300, QImage::Format_RGB32};
    SuperficieQt sup{imagen, vortena::FuenteLienzo(QFont())};
    Lienzo() { imagen.fill(Qt::white); }

    QColor En(int px, int py) {
        sup.Terminar();
        return imagen.pixelColor(px, py);
    }
    // Pixels darker than mid grey inside and outside a pixel rectangle.
    std::pair<int, int> Tinta(const QRect& r) {
        sup.Terminar();
        int dentro = 0, fuera = 0;
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x)
                if (qGray(imagen.pixel(x, y)) < 160) ++(r.contains(x, y) ? dentro : fuera);
        return {dentro, fuera};
    }
    int NoBlancos() {
        sup.Terminar();
        int n = 0;
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x)
                if (imagen.pixel(x, y) != qRgb(255, 255, 255)) ++n;
        return n;
    }
};

}  // namespace

Q_DECLARE_METATYPE(Regional)
Q_DECLARE_METATYPE(vortena::Botones)
Q_DECLARE_METATYPE(vortena::Icono)
Q_DECLARE_METATYPE(vortena::Respuesta)

class VentanaPiezas : public QObject {
    Q_OBJECT

private slots:
    void contornoDeCaja() {
        Lienzo l;
        l.sup.Rectangulo(1500, 1500, 3000, 3000, Color{255, 0, 0}, 3, false);
        // 1500 twips = 100 pixels; a 3-pixel pen straddles the edge.
        for (int d : {-1, 0, 1}) {
            QCOMPARE(l.En(100 + d, 150), QColor(255, 0, 0));
            QCOMPARE(l.En(150, 200 + d), QColor(255, 0, 0));
        }
        QCOMPARE(l.En(150, 150), QColor(Qt::white));  // outlines never fill
        QCOMPARE(l.En(97, 150), QColor(Qt::white));
    }

    // Erasing a box with its filled rectangle leaves nothing of its outline.
    void borradoCompleto() {
        Lienzo l;
        l.sup.Rectangulo(1500, 1500, 3000, 3000, Color{0, 0, 255}, 3, false);
        l.sup.Texto(1600, 1600, "Sin nombre");
        l.sup.Rectangulo(1500, 1500, 3000, 3000, Color{255, 255, 255}, 3, true);
        QCOMPARE(l.NoBlancos(), 0);
    }

    void lineas_data() {
        QTest::addColumn<int>("grosor");
        QTest::addColumn<int>("filas");
        QTest::newRow("fina") << 1 << 1;
        QTest::newRow("gruesa") << 3 << 3;
    }
    // A level line is exactly `grosor` pixel rows of its full colour.
    void lineas() {
        QFETCH(int, grosor);
        QFETCH(int, filas);
        Lienzo l;
        l.sup.Linea(300, 1500, 4200, 1500, Color{0, 0, 255}, grosor);
        int azules = 0, otras = 0;
        for (int y = 90; y < 110; ++y) {
            const QColor c = l.En(150, y);
            if (c == QColor(0, 0, 255))
                ++azules;
            else if (c != QColor(Qt::white))
                ++otras;
        }
        QCOMPARE(azules, filas);
        QCOMPARE(otras, 0);
        // Overdrawn in black it leaves no blue behind.
        l.sup.Linea(300, 1500, 4200, 1500, Color{0, 0, 0}, grosor);
        for (int y = 90; y < 110; ++y) QVERIFY(l.En(150, y) != QColor(0, 0, 255));
    }

    void limpiar() {
        Lienzo l;
        l.sup.Linea(0, 0, 4000, 4000, Color{0, 0, 0}, 3);
        l.sup.Limpiar();
        QCOMPARE(l.NoBlancos(), 0);
    }

    // Text has its top-left corner at the point and fits its own extents.
    void texto() {
        Lienzo l;
        const std::string t = "l:123.45";
        const float ancho = l.sup.AnchoTexto(t);
        const float alto = l.sup.AltoTexto(t);
        QVERIFY(ancho > 0 && alto > 0);
        QVERIFY(l.sup.AnchoTexto("S:1") < ancho);
        QCOMPARE(l.sup.AnchoTexto(t), ancho);  // measured again from the cache
        l.sup.Texto(1500, 1500, t);
        const QRect caja(100, 100, qCeil(ancho / 15) + 1, qCeil(alto / 15) + 1);
        const auto [dentro, fuera] = l.Tinta(caja);
        QVERIFY(dentro > 10);
        QCOMPARE(fuera, 0);
    }

    // Five rows of labels fit in a centre box 1000 twips high, and the
    // default centre's name fits its 1000-twip width.
    void fuenteCabeEnLaCaja() {
        Lienzo l;
        QVERIFY(5 * l.sup.AltoTexto("Sin nombre") <= 1000);
        QVERIFY(l.sup.AnchoTexto("Sin nombre") < 1000);
        QVERIFY(l.sup.AltoTexto("Sin nombre") >= 8 * 15);
    }

    void imagenes_data() {
        QTest::addColumn<int>("dibujo");
        QTest::addColumn<float>("ancho");
        QTest::addColumn<float>("alto");
        QTest::addColumn<QSize>("pixeles");
        QTest::newRow("flecha estirada") << int(Dibujo::Flecha) << 150.f << 150.f << QSize(10, 10);
        QTest::newRow("marca de inicio") << int(Dibujo::MarcaInicio) << 0.f << 0.f << QSize(32, 32);
        QTest::newRow("marca de fin") << int(Dibujo::MarcaFin) << 0.f << 0.f << QSize(32, 32);
        QTest::newRow("flecha grande") << int(Dibujo::Flecha) << 600.f << 300.f << QSize(40, 20);
    }
    void imagenes() {
        QFETCH(int, dibujo);
        QFETCH(float, ancho);
        QFETCH(float, alto);
        QFETCH(QSize, pixeles);
        Lienzo l;
        l.sup.Imagen(static_cast<Dibujo>(dibujo), 1500, 1425, ancho, alto);
        const auto [dentro, fuera] = l.Tinta(QRect(QPoint(100, 95), pixeles));
        QVERIFY(dentro > 0);
        QCOMPARE(fuera, 0);
    }

    // The arrowhead points right: its ink gathers at its left (the base).
    void flechaApuntaALaDerecha() {
        Lienzo l;
        l.sup.Imagen(Dibujo::Flecha, 1500, 1500, 600, 600);
        const auto izquierda = l.Tinta(QRect(100, 100, 20, 40)).first;
        const auto derecha = l.Tinta(QRect(120, 100, 20, 40)).first;
        QVERIFY(izquierda > derecha);
    }

    // One repaint request per run of drawing, not one per item.
    void avisoDePintado() {
        Lienzo l;
        int avisos = 0;
        l.sup.alPintar = [&] { ++avisos; };
        for (int i = 0; i < 50; ++i) l.sup.Linea(0, 15.f * i, 4000, 15.f * i, Color{}, 1);
        QCOMPARE(avisos, 1);
        l.sup.Terminar();
        l.sup.Texto(0, 0, "x");
        QCOMPARE(avisos, 2);
    }

    // The message boxes as the user sees them: Spanish buttons, the icon
    // asked for, and the answer of the button pressed (Escape is No, or Cancelar when the box has
    // it).
    void cajasDeMensaje_data() {
        using vortena::Botones;
        using vortena::Icono;
        using vortena::Respuesta;
        QTest::addColumn<Botones>("botones");
        QTest::addColumn<Icono>("icono");
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<int>("qicono");
        QTest::addColumn<QString>("pulsar");
        QTest::addColumn<Respuesta>("respuesta");
        const QStringList siNo{QString::fromUtf8("Sí"), "No"};
        QTest::newRow("aceptar crítico")
            << Botones::Aceptar << Icono::Critico << QStringList{"Aceptar"}
            << int(QMessageBox::Critical) << "Aceptar" << Respuesta::Aceptar;
        QTest::newRow("información")
            << Botones::Aceptar << Icono::Informacion << QStringList{"Aceptar"}
            << int(QMessageBox::Information) << "Aceptar" << Respuesta::Aceptar;
        QTest::newRow("exclamación")
            << Botones::Aceptar << Icono::Exclamacion << QStringList{"Aceptar"}
            << int(QMessageBox::Warning) << "Escape" << Respuesta::Aceptar;
        QTest::newRow("sí") << Botones::SiNo << Icono::Ninguno << siNo << int(QMessageBox::NoIcon)
                            << QString::fromUtf8("Sí") << Respuesta::Si;
        QTest::newRow("no") << Botones::SiNo << Icono::Ninguno << siNo << int(QMessageBox::NoIcon)
                            << "No" << Respuesta::No;
        QTest::newRow("escape es no") << Botones::SiNo << Icono::Ninguno << siNo
                                      << int(QMessageBox::NoIcon) << "Escape" << Respuesta::No;
        const QStringList siNoCancelar{QString::fromUtf8("Sí"), "No", "Cancelar"};
        QTest::newRow("tres, sí") << Botones::SiNoCancelar << Icono::Ninguno << siNoCancelar
                                  << int(QMessageBox::NoIcon) << QString::fromUtf8("Sí")
                                  << Respuesta::Si;
        QTest::newRow("tres, no") << Botones::SiNoCancelar << Icono::Ninguno << siNoCancelar
                                  << int(QMessageBox::NoIcon) << "No" << Respuesta::No;
        QTest::newRow("tres, cancelar")
            << Botones::SiNoCancelar << Icono::Ninguno << siNoCancelar << int(QMessageBox::NoIcon)
            << "Cancelar" << Respuesta::Cancelar;
        QTest::newRow("tres, escape es cancelar")
            << Botones::SiNoCancelar << Icono::Ninguno << siNoCancelar << int(QMessageBox::NoIcon)
            << "Escape" << Respuesta::Cancelar;
    }
    void cajasDeMensaje() {
        QFETCH(vortena::Botones, botones);
        QFETCH(vortena::Icono, icono);
        QFETCH(QStringList, textos);
        QFETCH(int, qicono);
        QFETCH(QString, pulsar);
        QFETCH(vortena::Respuesta, respuesta);
        QWidget padre;
        vortena::DialogosQt dialogos(&padre);
        QString titulo, texto;
        QStringList vistos;
        int iconoVisto = -1;
        QTimer::singleShot(0, [&] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (caja == nullptr) return;
            titulo = caja->windowTitle();
            texto = caja->text();
            iconoVisto = caja->icon();
            for (QAbstractButton* b : caja->buttons()) vistos << b->text();
            if (pulsar == "Escape") {
                QTest::keyClick(caja, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* b : caja->buttons())
                if (b->text() == pulsar) b->click();
        });
        const auto r = dialogos.Mostrar("Nodo de\rInicio", "Información", botones, icono);
        QCOMPARE(r, respuesta);
        QCOMPARE(titulo, QString::fromUtf8("Información"));
        QCOMPARE(texto, QStringLiteral("Nodo de\nInicio"));
        QCOMPARE(iconoVisto, qicono);
        vistos.sort();
        textos.sort();
        QCOMPARE(vistos, textos);
    }

    void filtros_data() {
        QTest::addColumn<QString>("vb");
        QTest::addColumn<QString>("qt");
        QTest::newRow("el de las redes") << "Archivos de Vortena (*.vtq)|*.vtq|"
                                         << "Archivos de Vortena (*.vtq)";
        QTest::newRow("sin barra final") << "Archivos de Vortena (*.vtq)|*.vtq"
                                         << "Archivos de Vortena (*.vtq)";
        QTest::newRow("patrón fuera del nombre") << "Texto|*.txt|"
                                                 << "Texto (*.txt)";
        QTest::newRow("dos filtros") << "Redes (*.vtq)|*.vtq|Todos|*.*|"
                                     << "Redes (*.vtq);;Todos (*.*)";
        QTest::newRow("el de abrir")
            << vortena::kFiltroAbrir << "Archivos de Vortena (*.vtq);;Todos los archivos (*)";
        QTest::newRow("vacío") << ""
                               << "";
    }
    void filtros() {
        QFETCH(QString, vb);
        QFETCH(QString, qt);
        QCOMPARE(vortena::FiltroQt(vb.toStdString()), qt);
    }

    void textoDeMensajes_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("retorno solo") << "uno\rdos"
                                      << "uno\ndos";
        QTest::newRow("CR LF") << "uno\r\ndos"
                               << "uno\ndos";
        QTest::newRow("LF") << "uno\ndos"
                            << "uno\ndos";
        QTest::newRow("acentos") << QString::fromUtf8("¿El Archivo cambio?")
                                 << QString::fromUtf8("¿El Archivo cambio?");
    }
    void textoDeMensajes() {
        QFETCH(QString, texto);
        QFETCH(QString, mostrado);
        QCOMPARE(vortena::TextoMensaje(texto.toStdString()), mostrado);
    }

    void regional_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QChar>("grupo");
        QTest::newRow("español") << "es_ES" << QChar(',') << QChar('.');
        QTest::newRow("argentino") << "es_AR" << QChar(',') << QChar('.');
        QTest::newRow("inglés") << "en_US" << QChar('.') << QChar(',');
        QTest::newRow("C") << "C" << QChar('.') << QChar(',');
        QTest::newRow("francés, espacio fino") << "fr_FR" << QChar(',') << QChar(' ');
        QTest::newRow("suizo, apóstrofo tipográfico") << "de_CH" << QChar('.') << QChar(',');
    }
    void regional() {
        QFETCH(QString, locale);
        QFETCH(QChar, decimal);
        QFETCH(QChar, grupo);
        const Regional r = vortena::RegionalDe(QLocale(locale));
        QCOMPARE(QChar(r.decimal), decimal);
        QCOMPARE(QChar(r.grupo), grupo);
    }

    void opcionesDeCaptura() {
        using vortena::LeerOpcionesCaptura;
        QVERIFY(!LeerOpcionesCaptura({"vortena"}));
        QVERIFY(!LeerOpcionesCaptura({"vortena", "--captura"}));
        const auto o = LeerOpcionesCaptura({"vortena", "--abrir", "red.vtq", "--captura", "a.png",
                                            "--pert", "--tamano", "800x600"});
        QVERIFY(o);
        QCOMPARE(o->salida, QStringLiteral("a.png"));
        QCOMPARE(o->archivo, QStringLiteral("red.vtq"));
        QVERIFY(o->pert);
        QCOMPARE(o->tamano, QSize(800, 600));
    }
};

QTEST_MAIN(VentanaPiezas)
#include "VentanaPiezas.moc"
