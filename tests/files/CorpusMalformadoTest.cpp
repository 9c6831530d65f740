// Every damaged file is refused through the open command with its one
// message, and the network, caption and document state stay as they were.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "files/BancoComandos.h"
#include "support/ConstructorRed.h"

namespace vortena {
namespace {

using Lineas = std::vector<std::string>;

// The good file every damage starts from: INICIO, A, B, FIN with a split,
// in the Spanish locale (lines as in ArchivoRedTest).
Lineas Buena() {
    Red red;
    prueba::ConstructorRed b(red);
    b.Inicio();
    const auto a = b.Centro("A");
    const auto c = b.Centro("B");
    const auto f = b.Fin();
    b.Conectar(1, a, 0.7);
    b.Conectar(1, c, 0.3);
    b.Conectar(a, f);
    b.Conectar(c, f);
    red.NodoFin = f;
    return prueba::PartirLineas(EscribirRed(red, Regional::Espanol()));
}

// Index of the k-th line that is exactly `marca` in Buena(). Offsets in a
// node record: +1 posicion, +2 x1, +6 Lamda, +8 Servidores, +15 tamEE, then
// the lists; in a connection record: +1 posicion, +7 CentroInicio, +8 CentroFin.
std::size_t En(const char* marca, int k) {
    const Lineas l = Buena();
    for (std::size_t i = 0; i < l.size(); ++i)
        if (l[i] == marca && --k == 0) return i;
    throw std::logic_error("no hay tal registro");
}
const std::size_t kA = En("@", 2);    // A: tamEE 0, "1", tamSE 0, "3"
const std::size_t kFin = En("@", 4);  // FIN: tamEE 1, "3|4", tamSE -1
const std::size_t kIni = En("@", 1);  // INICIO: tamEE -1, tamSE 1, "1|2"

std::string Cambiar(std::size_t i, std::string v) {
    Lineas l = Buena();
    l.at(i) = std::move(v);
    return prueba::ConCrLf(l);
}
std::string Cortar(std::size_t n) {
    Lineas l = Buena();
    l.resize(n);
    return prueba::ConCrLf(l);
}

// A network the editor would never allow, written as it stands.
std::string Escrita(const std::function<void(Red&, prueba::ConstructorRed&)>& dano) {
    Red red;
    prueba::ConstructorRed b(red);
    b.Inicio();
    b.Centro("A");
    b.Centro("B");
    b.Fin();
    red.NodoFin = 4;
    dano(red, b);
    return EscribirRed(red, Regional::Espanol());
}

std::string Utf16(const std::string& s) {
    std::string r = "\xFF\xFE";
    for (char c : s) {
        r.push_back(c);
        r.push_back('\0');
    }
    return r;
}

struct Dano {
    const char* nombre;
    std::function<std::string()> bytes;
};

const std::vector<Dano>& Danos() {
    static const std::vector<Dano> d = {
        {"Vacio", [] { return std::string(); }},
        {"SoloCabecera", [] { return Cortar(3); }},
        {"CortadoTrasMarcaDeCabecera", [] { return Cortar(1); }},
        {"CortadoEnUnNodo", [] { return Cortar(kA + 10); }},
        {"CortadoAntesDeLaLista", [] { return Cortar(kA + 16); }},
        {"CortadoEnUnaConexion", [] { return Cortar(En("$", 4) + 5); }},
        {"FaltaLaUltimaConexion", [] { return Cortar(En("$", 4)); }},
        {"LamdaNoNumerico", [] { return Cambiar(kA + 6, "uno"); }},
        {"LamdaConBasuraDetras", [] { return Cambiar(kA + 6, "1x"); }},
        {"CoordenadaVacia", [] { return Cambiar(kA + 2, ""); }},
        {"CoordenadaFueraDeFloat", [] { return Cambiar(kA + 2, "1E+39"); }},
        {"RealInfinito", [] { return Cambiar(kA + 6, "1E+999"); }},
        {"RealNoNumeroIEEE", [] { return Cambiar(kA + 6, "nan"); }},
        {"ServidoresDesbordan", [] { return Cambiar(kA + 8, "40000"); }},
        {"PosicionDeNodoFueraDeOrden", [] { return Cambiar(kA + 1, "3"); }},
        {"PosicionDeNodoNegativa", [] { return Cambiar(kA + 1, "-2"); }},
        {"PosicionDeConexionFueraDeOrden", [] { return Cambiar(En("$", 1) + 1, "2"); }},
        {"TamanoDeListaMenorQueMenosUno", [] { return Cambiar(kA + 15, "-2"); }},
        {"ListaConMenosEntradas", [] { return Cambiar(kFin + 15, "2"); }},
        {"ListaConMasEntradas", [] { return Cambiar(kA + 16, "1|2"); }},
        {"ListaConEntradaVacia", [] { return Cambiar(kIni + 17, "1||2"); }},
        {"ListaConEntradaNoNumerica", [] { return Cambiar(kIni + 17, "1|dos"); }},
        {"ListaConConexionInexistente", [] { return Cambiar(kA + 16, "9"); }},
        {"ListaConConexionAjena", [] { return Cambiar(kA + 16, "2"); }},
        {"ConexionListadaDosVeces", [] { return Cambiar(kFin + 16, "3|3"); }},
        {"ConexionSinListar",
         [] {
             Lineas l = Buena();
             l[kA + 17] = "-1";
             l.erase(l.begin() + static_cast<long>(kA + 18));
             return prueba::ConCrLf(l);
         }},
        {"ListaVacia", [] { return Cambiar(kA + 16, ""); }},
        {"OrigenInexistente", [] { return Cambiar(En("$", 1) + 7, "7"); }},
        {"DestinoCero", [] { return Cambiar(En("$", 1) + 8, "0"); }},
        {"NodoInicioInexistente", [] { return Cambiar(1, "9"); }},
        {"NodoFinNegativo", [] { return Cambiar(2, "-1"); }},
        {"NodoFinDesborda", [] { return Cambiar(2, "99999"); }},
        {"LineaEnorme", [] { return Cambiar(kA + 6, std::string(2'000'000, '7')); }},
        {"ListaEnorme",
         [] {
             std::string l = "1";
             for (int i = 0; i < 100000; ++i) l += "|1";
             return Cambiar(kIni + 17, l);
         }},
        {"Utf16", [] { return Utf16(prueba::ConCrLf(Buena())); }},
        {"Binario",
         [] {
             std::string s;
             for (int i = 0; i < 4096; ++i) s.push_back(static_cast<char>((i * 37) & 0xFF));
             return s;
         }},
        {"Ciclo",
         [] {
             return Escrita([](Red&, prueba::ConstructorRed& b) {
                 b.Conectar(1, 2);
                 b.Conectar(2, 3);
                 b.Conectar(3, 2);
                 b.Conectar(3, 4);
             });
         }},
        {"Bucle",
         [] {
             return Escrita([](Red&, prueba::ConstructorRed& b) {
                 b.Conectar(1, 2);
                 b.Conectar(2, 2);
                 b.Conectar(2, 4);
             });
         }},
        {"ConexionDuplicada",
         [] {
             return Escrita([](Red&, prueba::ConstructorRed& b) {
                 b.Conectar(1, 2);
                 b.Conectar(1, 2);
                 b.Conectar(2, 4);
             });
         }},
    };
    return d;
}

class CorpusMalformado : public prueba::BancoComandos,
                         public ::testing::WithParamInterface<Dano> {};

TEST_P(CorpusMalformado, IsRefusedAndChangesNothing) {
    const std::string ruta = dir / "danado.vtq";
    prueba::EscribirArchivo(ruta, GetParam().bytes());
    doc.NombreArchivo = "anterior.vtq";
    doc.Guardado = false;
    red.CentroActual = 2;
    red.HaySeleccion = true;
    const std::string antes = Huella();
    dlg.nombresAbrir.push_back(ruta);

    EXPECT_FALSE(AbrirArchivo(ctx, false));

    ASSERT_EQ(dlg.vistos().size(), 1u);
    // The reason follows on its own line.
    EXPECT_EQ(dlg.vistos()[0].texto.rfind("Error al abrir el archivo!!!\n", 0), 0u);
    EXPECT_GT(dlg.vistos()[0].texto.size(), std::string("Error al abrir el archivo!!!\n").size());
    EXPECT_EQ(dlg.vistos()[0].titulo, "Error de sistema");
    EXPECT_EQ(dlg.vistos()[0].icono, Icono::Critico);
    EXPECT_EQ(Huella(), antes);
    EXPECT_EQ(red.CentroActual, 2);
    EXPECT_TRUE(red.HaySeleccion);
    EXPECT_TRUE(doc.titulos.empty());
    EXPECT_TRUE(doc.llamadasBarra.empty());
    EXPECT_EQ(doc.redibujos, 0);
    EXPECT_TRUE(doc.Modificado);
    EXPECT_FALSE(doc.Guardado);
    EXPECT_EQ(doc.NombreArchivo, "anterior.vtq");
}

INSTANTIATE_TEST_SUITE_P(Archivos, CorpusMalformado, ::testing::ValuesIn(Danos()),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(CorpusMalformado, TheGoodFileTheDamagesStartFromOpens) {
    const std::string ruta = dir / "buena.vtq";
    prueba::EscribirArchivo(ruta, prueba::ConCrLf(Buena()));
    dlg.nombresAbrir.push_back(ruta);
    EXPECT_TRUE(AbrirArchivo(ctx, false));
    EXPECT_EQ(red.Centros.Count(), 4);
    EXPECT_TRUE(dlg.vistos().empty());
}

TEST_F(CorpusMalformado, MissingFileAndFolderAreRefusedToo) {
    for (const std::string& ruta : {dir / "no-existe.vtq", dir.ConSeparador()}) {
        const std::string antes = Huella();
        dlg.nombresAbrir.push_back(ruta);
        EXPECT_FALSE(AbrirArchivo(ctx, false));
        EXPECT_EQ(Huella(), antes);
    }
    EXPECT_EQ(Textos(),
              (std::vector<std::string>{
                  "Error al abrir el archivo!!!\nno se puede abrir " + dir / "no-existe.vtq" +
                      ": No such file or directory",
                  "Error al abrir el archivo!!!\n" + dir.ConSeparador() + " es una carpeta"}));
}

}  // namespace
}  // namespace vortena
