// GetKeyValue on a fake registry: string and 32-bit conversions, failures,
// and that every key it opens is closed again.

#include <QtTest>

#include "FalsosSistema.h"
#include "dialogs/Registro.h"

using namespace vortena;
using vortena::prueba::NumeroRegistro;
using vortena::prueba::RegistroFalso;
using vortena::prueba::TextoRegistro;
using vortena::prueba::ValorRegistro;

Q_DECLARE_METATYPE(ValorRegistro)

namespace {

const std::string kClave = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

ValorRegistro Crudo(std::uint32_t tipo, std::string bytes) {
    const auto tamano = static_cast<std::uint32_t>(bytes.size());
    return {tipo, std::move(bytes), tamano};
}

}  // namespace

class AcercaDeRegistroPrueba : public QObject {
    Q_OBJECT
private slots:
    void conversiones_data();
    void conversiones();
    void fallos_data();
    void fallos();
    void otroTipoConservaElTexto();
};

void AcercaDeRegistroPrueba::conversiones_data() {
    QTest::addColumn<ValorRegistro>("valor");
    QTest::addColumn<QString>("esperado");

    const std::string ruta = "C:\\Archivos de programa\\Herramientas\\MSINFO32.EXE";
    QTest::newRow("texto con cero final") << TextoRegistro(ruta) << QString::fromStdString(ruta);
    QTest::newRow("texto sin cero final")
        << Crudo(kTipoTexto, "C:\\msinfo32.exe") << QStringLiteral("C:\\msinfo32.exe");
    QTest::newRow("texto vacío") << TextoRegistro("") << QString();
    QTest::newRow("texto de 1023 caracteres")
        << TextoRegistro(std::string(1023, 'x')) << QString(1023, u'x');
    // Numbers: the bytes read from the last kept one to the first, each as
    // hexadecimal digits without leading zeros, then in decimal.
    QTest::newRow("número con byte alto cero")
        << NumeroRegistro(0x00012345u) << QStringLiteral("74565");
    QTest::newRow("número de cuatro bytes")
        << NumeroRegistro(0x12345678u) << QStringLiteral("305419896");
    QTest::newRow("número máximo de 32 bits")
        << NumeroRegistro(0xFFFFFFFFu) << QStringLiteral("4294967295");
    QTest::newRow("número cero") << NumeroRegistro(0u) << QStringLiteral("0");
    QTest::newRow("byte menor que 16 sin cero a la izquierda")
        << NumeroRegistro(0x00010503u) << QStringLiteral("339");  // "1" "5" "3" = &h153
    QTest::newRow("número de un byte")
        << Crudo(kTipoNumero, std::string(1, '\xAB')) << QStringLiteral("171");
}

void AcercaDeRegistroPrueba::conversiones() {
    QFETCH(ValorRegistro, valor);
    QFETCH(QString, esperado);
    RegistroFalso registro;
    registro.Poner(kClave, "PATH", valor);

    std::string leido = "anterior";
    QVERIFY(GetKeyValue(registro, kHKeyLocalMachine, kClave, "PATH", leido));
    QCOMPARE(QString::fromStdString(leido), esperado);
    QCOMPARE(registro.ClavesAbiertas(), std::size_t{0});
    QCOMPARE(registro.cierresSobrantes, 0);
    QCOMPARE(registro.buffersMalPreparados, 0);
    QCOMPARE(registro.accesos.front(), kAccesoClave);
}

void AcercaDeRegistroPrueba::fallos_data() {
    QTest::addColumn<bool>("conClave");
    QTest::addColumn<bool>("conValor");
    QTest::addColumn<ValorRegistro>("valor");

    QTest::newRow("clave inexistente") << false << false << ValorRegistro{};
    QTest::newRow("valor inexistente") << true << false << ValorRegistro{};
    QTest::newRow("tamaño mayor que el buffer")
        << true << true << ValorRegistro{kTipoTexto, "abc", kTamanoBufferRegistro + 1};
    QTest::newRow("número vacío") << true << true << Crudo(kTipoNumero, "");
    QTest::newRow("número de más de 32 bits")
        << true << true << Crudo(kTipoNumero, "\x11\x22\x33\x44\x55");
}

void AcercaDeRegistroPrueba::fallos() {
    QFETCH(bool, conClave);
    QFETCH(bool, conValor);
    QFETCH(ValorRegistro, valor);
    RegistroFalso registro;
    if (conClave) registro.PonerClave(kClave);
    if (conValor) registro.Poner(kClave, "PATH", valor);

    std::string leido = "anterior";
    QVERIFY(!GetKeyValue(registro, kHKeyLocalMachine, kClave, "PATH", leido));
    QCOMPARE(leido, std::string());
    QCOMPARE(registro.ClavesAbiertas(), std::size_t{0});
    QCOMPARE(registro.cierresSobrantes, 0);
}

void AcercaDeRegistroPrueba::otroTipoConservaElTexto() {
    RegistroFalso registro;
    registro.Poner(kClave, "PATH", Crudo(3, "\x01\x02"));  // binary value
    std::string leido = "anterior";
    QVERIFY(GetKeyValue(registro, kHKeyLocalMachine, kClave, "PATH", leido));
    QCOMPARE(leido, std::string("anterior"));
    QCOMPARE(registro.ClavesAbiertas(), std::size_t{0});
}

QTEST_GUILESS_MAIN(AcercaDeRegistroPrueba)
#include "AcercaDeRegistroPrueba.moc"
