// The about box: the system-information button against registry contents
// and starter outcomes, the real message box on a platform without a
// registry, and the OK button.

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "FalsosSistema.h"
#include "dialogs/AcercaDe.h"
#include "model/Mensajes.h"
#include "support/MensajesGrabados.h"

using namespace vortena;
using vortena::prueba::ArrancadorFalso;
using vortena::prueba::MensajesGrabados;
using vortena::prueba::RegistroFalso;
using vortena::prueba::TextoRegistro;

namespace {

const std::string kClaveMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kClaveUbicacion = "SOFTWARE\\Microsoft\\Shared Tools Location";

void PulsarInfoSistema(AcercaDe& caja) {
    auto* boton = caja.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    QVERIFY(boton);
    QTest::mouseClick(boton, Qt::LeftButton);
}

}  // namespace

class AcercaDePrueba : public QObject {
    Q_OBJECT
private slots:
    void infoSistema_data();
    void infoSistema();
    void programaInexistenteMuestraElMensaje();
    void mensajeSinRegistro();
    void aceptarCierra();
};

void AcercaDePrueba::infoSistema_data() {
    QTest::addColumn<QString>("ruta");           // value PATH, empty for none
    QTest::addColumn<QString>("ubicacion");      // value MSINFO, empty for none
    QTest::addColumn<bool>("existeEjecutable");  // ubicacion + "\MSINFO32.EXE" exists
    QTest::addColumn<bool>("arrancaBien");
    QTest::addColumn<QStringList>("arrancados");
    QTest::addColumn<bool>("mensaje");

    const QString herramienta = QStringLiteral("C:\\Archivos de programa\\msinfo32.exe");
    const QString carpeta = QStringLiteral("C:\\Archivos comunes\\MSInfo");
    const QString ejecutable = carpeta + QStringLiteral("\\MSINFO32.EXE");

    QTest::newRow("sin registro") << QString() << QString() << false << true << QStringList()
                                  << true;
    QTest::newRow("ruta registrada")
        << herramienta << QString() << false << true << QStringList{herramienta} << false;
    QTest::newRow("ruta registrada que no arranca")
        << herramienta << carpeta << true << false << QStringList{herramienta} << true;
    QTest::newRow("ruta tiene prioridad sobre la ubicación")
        << herramienta << carpeta << true << true << QStringList{herramienta} << false;
    QTest::newRow("ubicación con el ejecutable")
        << QString() << carpeta << true << true << QStringList{ejecutable} << false;
    QTest::newRow("ubicación sin el ejecutable")
        << QString() << carpeta << false << true << QStringList() << true;
    QTest::newRow("ubicación con ejecutable que no arranca")
        << QString() << carpeta << true << false << QStringList{ejecutable} << true;
}

void AcercaDePrueba::infoSistema() {
    QFETCH(QString, ruta);
    QFETCH(QString, ubicacion);
    QFETCH(bool, existeEjecutable);
    QFETCH(bool, arrancaBien);
    QFETCH(QStringList, arrancados);
    QFETCH(bool, mensaje);

    RegistroFalso registro;
    if (!ruta.isEmpty()) registro.Poner(kClaveMsinfo, "PATH", TextoRegistro(ruta.toStdString()));
    if (!ubicacion.isEmpty()) {
        registro.Poner(kClaveUbicacion, "MSINFO", TextoRegistro(ubicacion.toStdString()));
    }
    ArrancadorFalso arrancador;
    arrancador.arrancaBien = arrancaBien;
    if (existeEjecutable) arrancador.existentes << ubicacion + QStringLiteral("\\MSINFO32.EXE");
    MensajesGrabados mensajes;

    AcercaDe caja(registro, arrancador, mensajes);
    caja.show();
    PulsarInfoSistema(caja);

    QCOMPARE(arrancador.arrancados, arrancados);
    QCOMPARE(mensajes.vistos.size(), mensaje ? std::size_t{1} : std::size_t{0});
    if (mensaje) {
        const auto& m = mensajes.vistos.front();
        QCOMPARE(m.texto, std::string(kSinInfoSistema));
        QCOMPARE(m.titulo, std::string(kTituloVentana));
        QVERIFY(m.botones == Botones::Aceptar);
        QVERIFY(m.icono == Icono::Ninguno);
    }
    QCOMPARE(registro.ClavesAbiertas(), std::size_t{0});
    QVERIFY(caja.isVisible());  // the box stays open after the button
}

// A registered path that names no program: starting it fails for real.
void AcercaDePrueba::programaInexistenteMuestraElMensaje() {
    RegistroFalso registro;
    registro.Poner(kClaveMsinfo, "PATH", TextoRegistro("/no/existe/msinfo32"));
    ArrancadorSistema arrancador;
    MensajesGrabados mensajes;
    AcercaDe caja(registro, arrancador, mensajes);
    caja.show();
    PulsarInfoSistema(caja);
    QCOMPARE(mensajes.Textos(), std::vector<std::string>{kSinInfoSistema});
}

// The box built for the program: no registry here, a real message box.
void AcercaDePrueba::mensajeSinRegistro() {
    AcercaDe caja;
    caja.show();

    QString texto;
    QString titulo;
    QMessageBox::Icon icono = QMessageBox::Critical;
    QStringList botones;
    bool visto = false;
    // Polls until the modal box is up, reads it and closes it.
    QTimer sondeo;
    sondeo.setInterval(10);
    connect(&sondeo, &QTimer::timeout, this, [&] {
        auto* cuadro = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!cuadro) return;
        sondeo.stop();
        visto = true;
        texto = cuadro->text();
        titulo = cuadro->windowTitle();
        icono = cuadro->icon();
        for (QAbstractButton* b : cuadro->buttons()) botones << b->text();
        cuadro->buttons().front()->click();
    });
    sondeo.start();
    PulsarInfoSistema(caja);

    QVERIFY(visto);
    QCOMPARE(texto, QString::fromUtf8(kSinInfoSistema));
    QCOMPARE(titulo, QString::fromUtf8(kTituloVentana));
    QCOMPARE(icono, QMessageBox::NoIcon);
    QCOMPARE(botones, QStringList{QStringLiteral("Aceptar")});
}

void AcercaDePrueba::aceptarCierra() {
    RegistroFalso registro;
    ArrancadorFalso arrancador;
    MensajesGrabados mensajes;
    AcercaDe caja(registro, arrancador, mensajes);
    caja.show();
    auto* aceptar = caja.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(aceptar);
    QTest::mouseClick(aceptar, Qt::LeftButton);
    QVERIFY(!caja.isVisible());
    QCOMPARE(caja.result(), int(QDialog::Accepted));
    QVERIFY(arrancador.arrancados.isEmpty());
    QVERIFY(mensajes.vistos.empty());
}

QTEST_MAIN(AcercaDePrueba)
#include "AcercaDePrueba.moc"
