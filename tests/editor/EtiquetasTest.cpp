// Label texts of the node rows, including the compact form for wide values.
// The recording surface makes every character 90 units wide, so a general
// text of 9 characters or more is wider than a centre row's 800 units and one
// of 7 or more wider than the end node's 600.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "BancoEditor.h"

namespace vortena::prueba {
namespace {

using ::testing::ElementsAre;

struct FilaCentro {
    double lamda, mu;
    std::int16_t servidores;
    bool espanol;
    const char *l, *m, *s;
    friend void PrintTo(const FilaCentro& f, std::ostream* os) { *os << f.l << " " << f.m; }
};

class EtiquetasCentro : public BancoEditor, public ::testing::WithParamInterface<FilaCentro> {};

TEST_P(EtiquetasCentro, Filas) {
    const FilaCentro& f = GetParam();
    ed.PonerRegional(f.espanol ? Regional::Espanol() : Regional::Ingles());
    const auto p = Centro(1000, 1000);
    CentroProductivo& c = red.Centros(p);
    c.Lamda = f.lamda;
    c.Mu = f.mu;
    c.Servidores = f.servidores;
    sup.Olvidar();
    ed.DibujarTextoCentro(p, 1);
    EXPECT_THAT(sup.Textos(), ElementsAre("Sin nombre", f.l, f.m, f.s));
    // Every row is centred on its own width.
    for (const Trazo& t : sup.De(Op::Texto))
        EXPECT_FLOAT_EQ(t.x1, 1000 + (1000 - 90.0f * SuperficieGrabada::Caracteres(t.texto)) / 2)
            << t.texto;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EtiquetasCentro,
    ::testing::Values(
        // Defaults of a new centre.
        FilaCentro{1, 2, 1, false, "l:1.00", "µ:2.00", "S:1"},
        // Two to four decimals.
        FilaCentro{2.5, 0.33333, 12, false, "l:2.50", "µ:0.3333", "S:12"},
        // The width test looks at the general text "0.333333333333333".
        FilaCentro{1.0 / 3, 2, 1, false, "l:0.3E0", "µ:2.00", "S:1"},
        FilaCentro{0.12346, 10.5, 3, false, "l:0.1235", "µ:10.50", "S:3"},
        // 8 characters fit; 9 do not, whatever is finally drawn.
        FilaCentro{12345.67, 1234567.8, 2, false, "l:12345.67", "µ:1.2E6", "S:2"},
        FilaCentro{123456.78, 98765432.1, 2, false, "l:1.2E5", "µ:9.9E7", "S:2"},
        // A tiny rate: wide scientific general text, integer part 0.
        FilaCentro{1.23456789e-20, 2, 1, false, "l:0.0E0", "µ:2.00", "S:1"},
        // A huge rate: the exponent counts the characters of the integer
        // part's own exponent form.
        FilaCentro{1.23456789e20, 2, 1, false, "l:12345678.9E13", "µ:2.00", "S:1"},
        FilaCentro{0, 0, 0, false, "l:0.00", "µ:0.00", "S:0"},
        // The user's decimal separator, in both forms.
        FilaCentro{2.5, 123456.78, 1, true, "l:2,50", "µ:1,2E5", "S:1"}));

struct FilaFin {
    double salida;
    const char* texto;
    friend void PrintTo(const FilaFin& f, std::ostream* os) { *os << f.texto; }
};

class EtiquetasFin : public BancoEditor, public ::testing::WithParamInterface<FilaFin> {};

TEST_P(EtiquetasFin, SalidaSeguidaDeUnidad) {
    ed.ColocarCentro(2000, 2000, 3);
    red.Centros(1).Salida = GetParam().salida;
    sup.Olvidar();
    ed.DibujarTextoCentro(1, 3);
    const auto textos = sup.De(Op::Texto);
    ASSERT_EQ(textos.size(), 2u);
    EXPECT_EQ(textos[1].texto, GetParam().texto);
    // Centred as one string, unit included.
    EXPECT_FLOAT_EQ(textos[1].x1,
                    2000 + (1000 - 90.0f * SuperficieGrabada::Caracteres(GetParam().texto)) / 2);
}

INSTANTIATE_TEST_SUITE_P(Casos, EtiquetasFin,
                         ::testing::Values(FilaFin{20, "20[u/t]"}, FilaFin{2.5, "2.5[u/t]"},
                                           FilaFin{123456, "123456[u/t]"},
                                           FilaFin{1234567, "1.2E6[u/t]"},
                                           FilaFin{0.000123, "0.0E0[u/t]"}));

}  // namespace
}  // namespace vortena::prueba
