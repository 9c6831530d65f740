// The network file: exact layout, round trips, the reading rules and what a
// save or an open does to the document.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/PruebaArchivos.h"
#include "support/ConstructorRed.h"
#include "support/DocumentoFalso.h"

namespace vortena {
namespace {

using prueba::CarpetaTemporal;
using prueba::ConCrLf;
using prueba::ConstructorRed;
using prueba::DocumentoFalso;

// The file of a new document, as the Spanish-locale program writes it.
const std::vector<std::string> kNuevaEspanol = {
    "%",    "1",    "3",    "@",    "1",    "500",  "1500", "1150", "1850", "0",          "0",
    "0",    "0",    "0",    "0",    "0",    "0",    "0",    "-1",   "0",    "1",          "INICIO",
    "",     "@",    "2",    "4000", "5000", "1000", "2000", "1",    "2",    "1",          "0,95",
    "1",    "10",   "1",    "0,5",  "0",    "0",    "1",    "0",    "2",    "Sin nombre", "",
    "@",    "3",    "8500", "9500", "1150", "1850", "0",    "0",    "0",    "0",          "0",
    "0",    "0",    "0",    "20",   "0",    "2",    "-1",   "FIN",  "",     "$",          "1",
    "1500", "3840", "1500", "1500", "1",    "1",    "2",    "$",    "2",    "5000",       "8340",
    "1500", "1500", "1",    "2",    "3"};

std::vector<std::string> EnIngles(std::vector<std::string> lineas) {
    for (auto& l : lineas) std::replace(l.begin(), l.end(), ',', '.');
    return lineas;
}

Red Leida(std::string_view bytes) {
    Red r;
    LeerRed(bytes, r);
    return r;
}

TEST(ArchivoRed, NewNetworkHasTheExactLayoutInBothLocales) {
    Red red;
    prueba::RedNueva(red);
    EXPECT_EQ(EscribirRed(red, Regional::Espanol()), ConCrLf(kNuevaEspanol));
    EXPECT_EQ(EscribirRed(red, Regional::Ingles()), ConCrLf(EnIngles(kNuevaEspanol)));
}

// Networks that exercise every kind of value the writer produces.
Red Variada() {
    Red red;
    ConstructorRed b(red);
    b.Inicio();
    const auto a = b.Centro("Ñandú € ü", 3.25, 7.125);
    const auto c = b.Centro("Torno", 1e-7, 123456789012345.0);
    const auto d = b.Centro("Sin enlaces");
    const auto f = b.Fin(-2.5);
    b[a].Descripción = "línea uno\r\nlínea dos\nfin";
    b[a].Servidores = 32767;
    b[c].Probabilidad = 0.999;
    b[c].x1 = 1234.567f;
    b[c].y2 = -0.25f;
    b[d].CostoEspera = 1e300;
    b.Conectar(1, a, 0.7);
    b.Conectar(1, c, 0.3);
    b.Conectar(a, f, -1.5);
    b.Conectar(c, f);
    b.Conectar(a, c, 1e-300);
    red.NodoInicio = 1;
    red.NodoFin = f;
    return red;
}

Red Ancha() {
    // 150 outgoing connections: the list line is far beyond 255 characters.
    Red red;
    ConstructorRed b(red);
    b.Inicio();
    std::vector<std::int16_t> centros;
    for (int i = 0; i < 150; ++i)
        centros.push_back(b.Centro(std::string("C").append(std::to_string(i))));
    const auto f = b.Fin();
    for (auto c : centros) b.Conectar(1, c);
    for (auto c : centros) b.Conectar(c, f);
    red.NodoFin = f;
    return red;
}

struct CasoIda {
    const char* nombre;
    Red (*red)();
    Regional reg;
};

class IdaYVuelta : public ::testing::TestWithParam<CasoIda> {};

TEST_P(IdaYVuelta, WriteReadWriteGivesTheSameBytes) {
    const Red original = GetParam().red();
    const std::string primera = EscribirRed(original, GetParam().reg);
    const Red leida = Leida(primera);
    EXPECT_EQ(EscribirRed(leida, GetParam().reg), primera);
    // And the other locale reads it to the same values.
    const Regional otra =
        GetParam().reg == Regional::Espanol() ? Regional::Ingles() : Regional::Espanol();
    EXPECT_EQ(EscribirRed(leida, otra), EscribirRed(original, otra));
}

Red Nueva() {
    Red r;
    prueba::RedNueva(r);
    return r;
}

INSTANTIATE_TEST_SUITE_P(Redes, IdaYVuelta,
                         ::testing::Values(CasoIda{"NuevaEs", Nueva, Regional::Espanol()},
                                           CasoIda{"NuevaEn", Nueva, Regional::Ingles()},
                                           CasoIda{"VariadaEs", Variada, Regional::Espanol()},
                                           CasoIda{"VariadaEn", Variada, Regional::Ingles()},
                                           CasoIda{"AnchaEs", Ancha, Regional::Espanol()}),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST(ArchivoRed, ValuesSurviveExactlyToTheirPrecision) {
    const Red r = Leida(EscribirRed(Variada(), Regional::Espanol()));
    const CentroProductivo& a = r.Centros(2);
    EXPECT_EQ(a.Nombre, "Ñandú € ü");
    EXPECT_EQ(a.Lamda, 3.25);
    EXPECT_EQ(a.Servidores, 32767);
    EXPECT_EQ(r.Centros(3).Mu, 123456789012345.0);
    EXPECT_EQ(r.Centros(3).x1, 1234.567f);
    EXPECT_EQ(r.Centros(4).CostoEspera, 1e300);
    EXPECT_EQ(r.Conexiones(3).multiplicador, -1.5);
    EXPECT_DOUBLE_EQ(r.Conexiones(5).multiplicador, 1e-300);
    EXPECT_EQ(r.NodoFin, 5);
}

TEST(ArchivoRed, DescriptionLineBreaksBecomeBlanksOnOneLine) {
    const std::string bytes = EscribirRed(Variada(), Regional::Espanol());
    EXPECT_NE(bytes.find("l\xEDnea uno l\xEDnea dos fin\r\n"), std::string::npos);
    const Red r = Leida(bytes);
    EXPECT_EQ(r.Centros(2).Descripción, "línea uno línea dos fin");
    EXPECT_EQ(r.Centros.Count(), 5);
}

TEST(ArchivoRed, TextsAreWrittenInWindows1252) {
    const std::string bytes = EscribirRed(Variada(), Regional::Espanol());
    EXPECT_NE(bytes.find("\xD1"
                         "and\xFA \x80 \xFC\r\n"),
              std::string::npos);
}

TEST(ArchivoRed, CentreWithoutConnectionsHasNineteenLinesAndEmptyLists) {
    Red red;
    ConstructorRed b(red);
    b.Inicio();
    b.Centro("Solo");
    b.Fin();
    const auto lineas = prueba::PartirLineas(EscribirRed(red, Regional::Ingles()));
    // Header (3) and three records of 19 lines each.
    EXPECT_EQ(lineas.size(), 3u + 3 * 19);
    const Red r = Leida(EscribirRed(red, Regional::Ingles()));
    EXPECT_EQ(r.Centros(2).tamEE, -1);
    EXPECT_EQ(r.Centros(2).tamSE, -1);
}

TEST(ArchivoRed, ListsAreJoinedWithBarsAndASingleEntryHasNone) {
    Red red;
    ConstructorRed b(red);
    b.Inicio();
    const auto x = b.Centro("X");
    const auto y = b.Centro("Y");
    const auto f = b.Fin();
    b.Conectar(1, x);
    b.Conectar(1, y);
    b.Conectar(x, f);
    b.Conectar(y, f);
    red.NodoFin = f;
    const auto l = prueba::PartirLineas(EscribirRed(red, Regional::Ingles()));
    // INICIO: tamEE, tamSE, list.
    EXPECT_EQ(l[18], "-1");
    EXPECT_EQ(l[19], "1");
    EXPECT_EQ(l[20], "1|2");
    // X: one entry each way.
    EXPECT_EQ(l[38], "0");
    EXPECT_EQ(l[39], "1");
    EXPECT_EQ(l[40], "0");
    EXPECT_EQ(l[41], "3");
}

TEST(ArchivoRed, NotStoredFieldsReadAsThoseOfANewRecord) {
    Red red;
    prueba::RedNueva(red);
    CentroProductivo& c = red.Centros(2);
    ASSERT_NE(c.Rho, 0.0);  // predeterminado computed the measures
    red.Conexiones(1).multReal = 5;
    const Red r = Leida(EscribirRed(red, Regional::Espanol()));
    EXPECT_EQ(r.Centros(2).Rho, 0.0);
    EXPECT_EQ(r.Centros(2).W, 0.0);
    EXPECT_EQ(r.Centros(2).aux, 0.0);
    EXPECT_EQ(r.Conexiones(1).multReal, 0.0);
}

// Reading rules, each on a variation of the new network's file.
struct CasoLectura {
    const char* nombre;
    std::string (*bytes)();
    double lamda;         // Lamda of the centre at position 2
    std::string nombre2;  // its name
};

std::string Base() {
    return ConCrLf(kNuevaEspanol);
}

class Lectura : public ::testing::TestWithParam<CasoLectura> {};

TEST_P(Lectura, IsAccepted) {
    const Red r = Leida(GetParam().bytes());
    ASSERT_EQ(r.Centros.Count(), 3);
    EXPECT_EQ(r.Centros(2).Lamda, GetParam().lamda);
    EXPECT_EQ(r.Centros(2).Nombre, GetParam().nombre2);
    EXPECT_EQ(r.Conexiones.Count(), 2);
}

std::string ConLinea(std::size_t i, std::string valor) {
    auto l = kNuevaEspanol;
    l[i] = std::move(valor);
    return ConCrLf(l);
}

INSTANTIATE_TEST_SUITE_P(
    Reglas, Lectura,
    ::testing::Values(
        CasoLectura{"CrLf", Base, 1, "Sin nombre"},
        CasoLectura{"SoloLf",
                    [] {
                        std::string s;
                        for (const auto& l : kNuevaEspanol) s += l + "\n";
                        return s;
                    },
                    1, "Sin nombre"},
        CasoLectura{"SinFinDeLineaAlFinal",
                    [] {
                        std::string s = Base();
                        s.resize(s.size() - 2);
                        return s;
                    },
                    1, "Sin nombre"},
        CasoLectura{"PuntoDecimal", [] { return ConLinea(29, "2.5"); }, 2.5, "Sin nombre"},
        CasoLectura{"ComaDecimal", [] { return ConLinea(29, "2,5"); }, 2.5, "Sin nombre"},
        CasoLectura{"Exponente", [] { return ConLinea(29, "1,5E-05"); }, 1.5e-5, "Sin nombre"},
        CasoLectura{"NombreUtf8", [] { return ConLinea(42, "Prensa ñ"); }, 1, "Prensa ñ"},
        CasoLectura{"Nombre1252", [] { return ConLinea(42, "Prensa \xF1"); }, 1, "Prensa ñ"},
        CasoLectura{"BomUtf8", [] { return "\xEF\xBB\xBF" + Base(); }, 1, "Sin nombre"},
        CasoLectura{"NombreQueEsMarca", [] { return ConLinea(42, "@"); }, 1, "@"},
        CasoLectura{"LineasAjenasEntreRegistros",
                    [] {
                        auto l = kNuevaEspanol;
                        l.insert(l.begin() + 23, {"", "basura", " @", "%%"});
                        return ConCrLf(l);
                    },
                    1, "Sin nombre"},
        CasoLectura{"ConexionesAntesQueNodos",
                    [] {
                        auto l = kNuevaEspanol;
                        std::vector<std::string> r(l.begin(), l.begin() + 3);
                        r.insert(r.end(), l.end() - 18, l.end());
                        r.insert(r.end(), l.begin() + 3, l.end() - 18);
                        return ConCrLf(r);
                    },
                    1, "Sin nombre"}),
    [](const auto& i) { return std::string(i.param.nombre); });

// The reader's shortcuts (short whole numbers, line ends found eight bytes
// at a time) read as the general rule does: the sign of zero, nine and ten
// digits, blanks, the 16-bit limit, and names of every length across the
// eight-byte steps.
TEST(ArchivoRed, ShortcutsReadAsTheGeneralRule) {
    EXPECT_TRUE(std::signbit(Leida(ConLinea(29, "-0")).Centros(2).Lamda));
    EXPECT_EQ(Leida(ConLinea(29, "-123456789")).Centros(2).Lamda, -123456789.0);
    EXPECT_EQ(Leida(ConLinea(29, "1234567890")).Centros(2).Lamda, 1234567890.0);
    EXPECT_EQ(Leida(ConLinea(29, " 7 ")).Centros(2).Lamda, 7.0);
    EXPECT_EQ(Leida(ConLinea(31, "32767")).Centros(2).Servidores, 32767);
    EXPECT_THROW(Leida(ConLinea(31, "32768")), ErrorArchivo);
    EXPECT_EQ(Leida(ConLinea(31, "2,5")).Centros(2).Servidores, 2);  // half to even
    for (std::size_t n = 1; n <= 20; ++n) {
        const std::string nombre(n, 'x');
        EXPECT_EQ(Leida(ConLinea(42, nombre)).Centros(2).Nombre, nombre) << n;
        std::string lf;
        auto l = kNuevaEspanol;
        l[42] = nombre;
        for (const auto& x : l) lf += x + "\n";
        EXPECT_EQ(Leida(lf).Centros(2).Nombre, nombre) << n;
    }
}

TEST(ArchivoRed, MissingHeaderKeepsTheStartAndEndNodesGiven) {
    auto l = kNuevaEspanol;
    l.erase(l.begin(), l.begin() + 3);
    Red r;
    r.NodoInicio = 2;
    r.NodoFin = 2;
    LeerRed(ConCrLf(l), r);
    EXPECT_EQ(r.NodoInicio, 2);
    EXPECT_EQ(r.NodoFin, 2);
}

TEST(ArchivoRed, HeaderValuesAreRoundedHalfToEven) {
    auto l = kNuevaEspanol;
    l[1] = "1.5";  // 2
    l[2] = "2.5";  // 2
    const Red r = Leida(ConCrLf(l));
    EXPECT_EQ(r.NodoInicio, 2);
    EXPECT_EQ(r.NodoFin, 2);
}

TEST(ArchivoRed, CentreRenamedEndMayHaveOutgoingConnections) {
    Red red;
    prueba::RedNueva(red);
    red.Centros(2).Nombre = "FIN";
    EXPECT_NO_THROW(Leida(EscribirRed(red, Regional::Espanol())));
}

struct CasoCampo {
    const char* texto;
    std::size_t cursor;
    int valor;
    std::size_t despues;
};

class Campo : public ::testing::TestWithParam<CasoCampo> {};

TEST_P(Campo, ReadsOneEntryAndStopsOnTheBar) {
    std::size_t cursor = GetParam().cursor;
    EXPECT_EQ(LeerCampo(GetParam().texto, cursor), GetParam().valor);
    EXPECT_EQ(cursor, GetParam().despues);
}

INSTANTIATE_TEST_SUITE_P(Listas, Campo,
                         ::testing::Values(CasoCampo{"4|7|12", 1, 4, 2},
                                           CasoCampo{"4|7|12", 3, 7, 4},
                                           CasoCampo{"4|7|12", 5, 12, 7}, CasoCampo{"-3", 1, -3, 3},
                                           CasoCampo{"32767|1", 1, 32767, 6}));

TEST(ArchivoRed, LeerCampoRefusesWhatIsNoEntry) {
    const std::string largo(1000, '1');
    for (auto [texto, cursor] : std::vector<std::pair<std::string, std::size_t>>{
             {"1||2", 3}, {"x|2", 1}, {"32768", 1}, {"", 1}, {"1|2", 5}, {largo + "|2", 1}}) {
        std::size_t c = cursor;
        EXPECT_THROW(LeerCampo(texto, c), ErrorArchivo) << texto.substr(0, 10) << " @" << cursor;
    }
    std::string muchas;
    for (int i = 1; i <= 400; ++i) muchas += std::to_string(i) + "|";
    std::size_t c = muchas.size() - 3;  // the last entry, "400", far past 255
    EXPECT_EQ(LeerCampo(muchas, c), 400);
}

// What saving and opening do to the document.
class GuardarYAbrir : public ::testing::Test {
protected:
    CarpetaTemporal dir;
    DocumentoFalso doc;
    Red red;
    void SetUp() override { prueba::RedNueva(red); }
};

TEST_F(GuardarYAbrir, SaveSetsTheCaptionWithoutBlankAndClearsTheMark) {
    const std::string ruta = dir / "a.vtq";
    GuardarRed(red, ruta, Regional::Espanol(), doc);
    EXPECT_EQ(prueba::LeerArchivo(ruta), ConCrLf(kNuevaEspanol));
    EXPECT_EQ(doc.titulos, std::vector<std::string>{ruta + "- Vortena de Líneas de Producción"});
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{false});
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"a.vtq"});
}

TEST_F(GuardarYAbrir, SaveReplacesAnExistingFileWholly) {
    const std::string ruta = dir / "a.vtq";
    prueba::EscribirArchivo(ruta, std::string(100000, 'x'));
    GuardarRed(red, ruta, Regional::Espanol(), doc);
    EXPECT_EQ(prueba::LeerArchivo(ruta), ConCrLf(kNuevaEspanol));
    EXPECT_EQ(dir.Archivos().size(), 1u);
}

TEST_F(GuardarYAbrir, FailedSaveLeavesTheOldFileAndTheDocument) {
    const std::string ruta = dir / "sub";
    std::filesystem::create_directory(ruta);
    for (const std::string& destino : {ruta, dir / "no-existe/a.vtq", std::string()}) {
        EXPECT_THROW(GuardarRed(red, destino, Regional::Espanol(), doc), ErrorArchivo) << destino;
    }
    EXPECT_TRUE(std::filesystem::is_directory(ruta));
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"sub"});
    EXPECT_TRUE(doc.titulos.empty());
    EXPECT_TRUE(doc.llamadasBarra.empty());
}

TEST_F(GuardarYAbrir, OpenReplacesTheNetworkRedrawsAndClearsSelection) {
    const std::string ruta = dir / "b.vtq";
    Red otra;
    ConstructorRed b(otra);
    b.Inicio();
    b.Fin(7);
    otra.NodoFin = 2;
    prueba::EscribirArchivo(ruta, EscribirRed(otra, Regional::Ingles()));
    red.CentroActual = 2;
    red.ConexionActual = 1;
    red.HaySeleccion = true;
    red.MostrarCriticos = true;

    AbrirRed(red, ruta, doc);
    EXPECT_EQ(red.Centros.Count(), 2);
    EXPECT_EQ(red.Conexiones.Count(), 0);
    EXPECT_EQ(red.NodoFin, 2);
    EXPECT_EQ(red.Centros(2).Salida, 7);
    EXPECT_EQ(red.CentroActual, 0);
    EXPECT_EQ(red.ConexionActual, 0);
    EXPECT_FALSE(red.HaySeleccion);
    EXPECT_TRUE(red.MostrarCriticos);  // only the toolbar's Open clears it
    EXPECT_EQ(doc.redibujos, 1);
    EXPECT_EQ(doc.titulos, std::vector<std::string>{ruta + " - Vortena de Líneas de Producción"});
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{false});
}

}  // namespace
}  // namespace vortena
