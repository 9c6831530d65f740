// The results table: its rows, cell texts, copy text and CSV file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "files/TablaResultados.h"
#include "support/ConstructorRed.h"

namespace vortena::prueba {
namespace {

std::vector<const FilaResultados*> Punteros(const std::vector<FilaResultados>& filas) {
    std::vector<const FilaResultados*> p;
    for (const auto& f : filas) p.push_back(&f);
    return p;
}

int Columna(const std::string& titulo) {
    for (int c = 0; c < ColumnasResultados(); ++c)
        if (TituloColumnaResultados(c) == titulo) return c;
    ADD_FAILURE() << "sin columna " << titulo;
    return 0;
}

class TablaResultados : public ::testing::Test {
protected:
    Red red;
    ConstructorRed r{red};
    std::int16_t a = 0, b = 0;

    void SetUp() override {
        r.Inicio();
        a = r.Centro("Prensa", 4, 5);
        b = r.Centro("Torno; \"fino\"", 1, 2);
        r.Fin();
        CentroProductivo& ca = red.Centros(a);
        ca.Servidores = 2;
        ca.Trafico = 0.4;
        ca.CtoEsperaCola = 1234.567;
        ca.W = 0.5;
        ca.tmpoTemprano = 1.25;
        ca.tmpoTardio = 1.75;
        ca.indFlotamiento = 0;
        ca.TempranoWH = ca.tardioWH = true;
        // b never took part in a PERT run.
        red.Centros(b).tmpoTardio = 1.5e45;
        red.Centros(b).indFlotamiento = 3;
        red.ResultadosAlDia = true;
    }
};

// A network changed since its computation: its inputs as they are, every
// measure "sin calcular", in the panel, the copy and the CSV alike.
TEST_F(TablaResultados, SinCalcularTrasUnCambio) {
    red.ResultadosAlDia = false;
    const auto filas = FilasResultados(red);
    const Regional es = Regional::Espanol();
    EXPECT_EQ(TextoCelda(filas[0], Columna("S"), es), "2");
    for (int c = kPrimeraMedida; c < ColumnasResultados(); ++c)
        EXPECT_EQ(TextoCelda(filas[0], c, es), "sin calcular") << TituloColumnaResultados(c);
    EXPECT_NE(TablaComoTexto({&filas[1]}, ';', true, es).find("sin calcular"), std::string::npos);
}

TEST_F(TablaResultados, UnaFilaPorCentroProductivo) {
    const auto filas = FilasResultados(red);
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0].posicion, a);
    EXPECT_EQ(filas[1].posicion, b);
    EXPECT_EQ(ColumnasResultados(), 20);
    EXPECT_EQ(TituloColumnaResultados(0), "Centro");
    // The four costs carry the text summary's names.
    for (const char* t : {"Costo Total por tiempo en el Sistema", "Costo Total de Servidores",
                          "Costo de Improductividad del Servidor", "Costo por espera en cola"})
        Columna(t);
}

TEST_F(TablaResultados, CeldasConElRegionalYVaciasSinPert) {
    const auto filas = FilasResultados(red);
    const Regional es = Regional::Espanol();
    EXPECT_EQ(TextoCelda(filas[0], 0, es), "Prensa");
    EXPECT_EQ(TextoCelda(filas[0], Columna("λ"), es), "4");
    EXPECT_EQ(TextoCelda(filas[0], Columna("S"), es), "2");
    EXPECT_EQ(TextoCelda(filas[0], Columna("Utilización"), es), "0,4000");
    EXPECT_EQ(TextoCelda(filas[0], Columna("Costo por espera en cola"), es), "1234,57");
    EXPECT_EQ(TextoCelda(filas[0], Columna("Costo por espera en cola"), Regional::Ingles()),
              "1234.57");
    // The early time is the one the summary reports: start plus time in the centre.
    EXPECT_EQ(TextoCelda(filas[0], Columna("Tiempo Temprano"), es), "1,7500");
    EXPECT_EQ(TextoCelda(filas[0], Columna("Crítico"), es), "Sí");
    for (const char* t : {"Tiempo Temprano", "Tiempo Tardío", "Índice de Flotamiento", "Crítico"})
        EXPECT_EQ(TextoCelda(filas[1], Columna(t), es), "") << t;
}

TEST_F(TablaResultados, TextoConTabuladoresYCsvConComillas) {
    const auto filas = FilasResultados(red);
    const Regional es = Regional::Espanol();
    const std::string tab = TablaComoTexto(Punteros(filas), '\t', false, es);
    std::istringstream in(tab);
    std::string cabecera, fila1, fila2, resto;
    std::getline(in, cabecera);
    std::getline(in, fila1);
    std::getline(in, fila2);
    EXPECT_FALSE(std::getline(in, resto));
    EXPECT_EQ(cabecera.rfind("Centro\tλ\tμ\tS\tUtilización\t", 0), 0u);
    EXPECT_EQ(std::count(cabecera.begin(), cabecera.end(), '\t'), 19);
    EXPECT_EQ(std::count(fila2.begin(), fila2.end(), '\t'), 19);
    EXPECT_EQ(fila1.rfind("Prensa\t4\t5\t2\t0,4000\t", 0), 0u);

    ASSERT_EQ(SeparadorCsv(es), ';');
    ASSERT_EQ(SeparadorCsv(Regional::Ingles()), ',');
    const std::string csv = TablaComoTexto(Punteros(filas), ';', true, es);
    EXPECT_NE(csv.find("\n\"Torno; \"\"fino\"\"\";1;2;"), std::string::npos);
    // Without quotes the separator inside a name becomes a blank.
    const std::string sin = TablaComoTexto(Punteros(filas), ';', false, es);
    EXPECT_NE(sin.find("\nTorno   fino ;1;2;"), std::string::npos);
}

TEST_F(TablaResultados, ArchivoCsvEnUtf8ConMarca) {
    const auto dir = std::filesystem::temp_directory_path() /
                     (std::string("vt-csv-").append(
                         std::to_string(::testing::UnitTest::GetInstance()->random_seed())));
    std::filesystem::create_directories(dir);
    const auto ruta = (dir / "resultados.csv").string();
    const auto filas = FilasResultados(red);
    EscribirCsvResultados(Punteros(filas), ruta, Regional::Ingles());
    std::ifstream f(ruta, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF"
                          "Centro,λ,μ,S,",
                          0),
              0u);
    EXPECT_EQ(bytes, "\xEF\xBB\xBF" +
                         TablaComoTexto(Punteros(filas), ',', true, Regional::Ingles(), true));
    // The file keeps every digit the panel rounds away.
    EXPECT_NE(bytes.find(",1234.567,"), std::string::npos);
    EXPECT_EQ(TextoCelda(filas[0], Columna("Costo por espera en cola"), Regional::Ingles()),
              "1234.57");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vortena::prueba
