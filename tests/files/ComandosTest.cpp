// The document commands' flows: the save prompt, the file dialogs, the
// overwrite question, cancels and failures.

#include <gtest/gtest.h>

#include "files/BancoComandos.h"

namespace vortena {
namespace {

using prueba::BancoComandos;

constexpr const char* kPregunta = "¿El Archivo cambio, desea guardar los cambios?";
constexpr const char* kSobreescribir = "El archivo ya existe esta seguro que lo quiere sobreescribir";

// How the save prompt is answered and how the save it may start ends.
enum class Guardado { NoSePregunta, No, SiYGuarda, SiYCancela, SiYFalla };

struct CasoPregunta {
    const char* nombre;
    Guardado respuesta;
    bool sigue;  // the command goes on after the prompt
};

enum class Orden { Nuevo, Abrir, Salir };

std::string NombreOrden(Orden o) {
    switch (o) {
        case Orden::Nuevo: return "Nuevo";
        case Orden::Abrir: return "Abrir";
        case Orden::Salir: return "Salir";
    }
    return "";
}

class Pregunta : public BancoComandos,
                 public ::testing::WithParamInterface<std::tuple<Orden, CasoPregunta>> {
protected:
    // Scripts the answers, runs the command; true when it went past the prompt.
    bool Ejecutar() {
        const auto [orden, caso] = GetParam();
        const bool modificado = caso.respuesta != Guardado::NoSePregunta;
        dlg.respuestas().push_back(caso.respuesta == Guardado::No ? Respuesta::No : Respuesta::Si);
        if (caso.respuesta == Guardado::SiYGuarda) dlg.nombresGuardar.push_back(dir / "g.vtq");
        if (caso.respuesta == Guardado::SiYCancela) dlg.nombresGuardar.push_back(std::nullopt);
        if (caso.respuesta == Guardado::SiYFalla) dlg.nombresGuardar.push_back(dir / "x/g.vtq");
        red.Centros(2).Nombre = "Trabajo";
        switch (orden) {
            case Orden::Nuevo:
                NuevoArchivo(ctx, modificado);
                return red.Centros(2).Nombre != "Trabajo";
            case Orden::Abrir:
                dlg.nombresAbrir.push_back(ArchivoOtraRed("otra.vtq"));
                AbrirArchivo(ctx, modificado);
                return dlg.dialogosAbrir == 1;
            case Orden::Salir:
                SALIRP(ctx, modificado);
                return doc.terminado;
        }
        return false;
    }
};

TEST_P(Pregunta, SavesWhenAskedAndStopsWhenThatSaveDidNotHappen) {
    const CasoPregunta caso = std::get<1>(GetParam());
    EXPECT_EQ(Ejecutar(), caso.sigue);

    const bool preguntado = caso.respuesta != Guardado::NoSePregunta;
    ASSERT_EQ(!dlg.vistos().empty(), preguntado);
    if (preguntado) {
        EXPECT_EQ(dlg.vistos()[0].texto, kPregunta);
        EXPECT_EQ(dlg.vistos()[0].titulo, "Guardar Archivo");
        EXPECT_EQ(dlg.vistos()[0].botones, Botones::SiNo);
        EXPECT_EQ(dlg.vistos()[0].icono, Icono::Ninguno);
    }
    const bool guardado = caso.respuesta == Guardado::SiYGuarda;
    ASSERT_EQ(std::filesystem::exists(dir / "g.vtq"), guardado);
    if (guardado) {
        EXPECT_NE(prueba::LeerArchivo(dir / "g.vtq").find("Trabajo"), std::string::npos);
    }
    if (caso.respuesta == Guardado::SiYFalla) {
        EXPECT_EQ(dlg.vistos().back().texto, "Error Guardando!!!");
    }
    if (!caso.sigue) {
        EXPECT_EQ(red.Centros(2).Nombre, "Trabajo");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flujos, Pregunta,
    ::testing::Combine(::testing::Values(Orden::Nuevo, Orden::Abrir, Orden::Salir),
                       ::testing::Values(CasoPregunta{"SinCambios", Guardado::NoSePregunta, true},
                                         CasoPregunta{"No", Guardado::No, true},
                                         CasoPregunta{"SiYGuarda", Guardado::SiYGuarda, true},
                                         CasoPregunta{"SiYCancela", Guardado::SiYCancela, false},
                                         CasoPregunta{"SiYFalla", Guardado::SiYFalla, false})),
    [](const auto& i) { return NombreOrden(std::get<0>(i.param)) + std::get<1>(i.param).nombre; });

TEST_F(BancoComandos, NewBuildsTheInitialNetworkAsAModifiedUnsavedDocument) {
    red.Centros(2).Nombre = "Viejo";
    red.CentroActual = 1;
    red.ConexionActual = 2;
    red.HaySeleccion = true;
    doc.Guardado = true;
    doc.NombreArchivo = "viejo.vtq";

    NuevoArchivo(ctx, false);

    ASSERT_FALSE(sup.trazos.empty());
    EXPECT_EQ(sup.trazos.front().op, prueba::Op::Limpiar);
    EXPECT_EQ(red.Centros.Count(), 3);
    EXPECT_EQ(red.Conexiones.Count(), 2);
    EXPECT_EQ(red.Centros(2).Nombre, "Sin nombre");
    EXPECT_EQ(red.NodoInicio, 1);
    EXPECT_EQ(red.NodoFin, 3);
    EXPECT_EQ(red.ConexionActual, 0);
    EXPECT_EQ(doc.titulos, std::vector<std::string>{"Anónimo.vtq - Vortena de Líneas de Producción"});
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
    EXPECT_FALSE(doc.Guardado);
    EXPECT_EQ(doc.NombreArchivo, "viejo.vtq");
}

TEST_F(BancoComandos, OpenBindsTheDocumentToTheFile) {
    const std::string ruta = ArchivoOtraRed("otra.vtq");
    dlg.nombresAbrir.push_back(ruta);
    EXPECT_TRUE(AbrirArchivo(ctx, false));
    EXPECT_EQ(red.Centros(2).Nombre, "Otra");
    EXPECT_EQ(doc.NombreArchivo, ruta);
    EXPECT_TRUE(doc.Guardado);
    EXPECT_FALSE(doc.Modificado);
    EXPECT_EQ(dlg.filtrosVistos, std::vector<std::string>{"Archivos de Vortena (*.vtq)|*.vtq|"});
}

TEST_F(BancoComandos, CancelledOrEmptyOpenDialogChangesNothing) {
    for (std::optional<std::string> eleccion : {std::optional<std::string>(), std::optional<std::string>("")}) {
        const std::string antes = Huella();
        dlg.nombresAbrir.push_back(eleccion);
        EXPECT_FALSE(AbrirArchivo(ctx, false));
        EXPECT_EQ(Huella(), antes);
    }
    EXPECT_TRUE(dlg.vistos().empty());
    EXPECT_TRUE(doc.titulos.empty());
    EXPECT_TRUE(doc.Modificado);
}

TEST_F(BancoComandos, SaveOfAnOpenedDocumentWritesBackWithoutAsking) {
    const std::string ruta = ArchivoOtraRed("otra.vtq");
    dlg.nombresAbrir.push_back(ruta);
    ASSERT_TRUE(AbrirArchivo(ctx, false));
    red.Centros(2).Nombre = "Cambiado";

    EXPECT_TRUE(GuardarArchivo(ctx));
    EXPECT_EQ(dlg.dialogosGuardar, 0);
    EXPECT_TRUE(dlg.vistos().empty());
    EXPECT_NE(prueba::LeerArchivo(ruta).find("Cambiado"), std::string::npos);
    EXPECT_EQ(doc.titulos.back(), ruta + "- Vortena de Líneas de Producción");
}

struct CasoSobreescribir {
    const char* nombre;
    Respuesta respuesta;
    bool escribe;
};

class Sobreescribir : public BancoComandos,
                      public ::testing::WithParamInterface<CasoSobreescribir> {};

TEST_P(Sobreescribir, ExistingFileIsReplacedOnlyOnYes) {
    const std::string ruta = dir / "existe.vtq";
    prueba::EscribirArchivo(ruta, "viejo");
    dlg.nombresGuardar.push_back(ruta);
    dlg.respuestas().push_back(GetParam().respuesta);

    EXPECT_EQ(GuardarArchivo(ctx), GetParam().escribe);
    ASSERT_EQ(dlg.vistos().size(), 1u);
    EXPECT_EQ(dlg.vistos()[0].texto, kSobreescribir);
    EXPECT_EQ(dlg.vistos()[0].titulo, "Archivo Existente");
    EXPECT_EQ(prueba::LeerArchivo(ruta) != "viejo", GetParam().escribe);
    EXPECT_EQ(doc.Guardado, GetParam().escribe);
    EXPECT_EQ(doc.NombreArchivo, GetParam().escribe ? ruta : "Anónimo.vtq");
}

INSTANTIATE_TEST_SUITE_P(Respuestas, Sobreescribir,
                         ::testing::Values(CasoSobreescribir{"Si", Respuesta::Si, true},
                                           CasoSobreescribir{"No", Respuesta::No, false}),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(BancoComandos, SaveToANewNameAsksNoQuestion) {
    dlg.nombresGuardar.push_back(dir / "nuevo.vtq");
    EXPECT_TRUE(GuardarArchivo(ctx));
    EXPECT_TRUE(dlg.vistos().empty());
    EXPECT_TRUE(doc.Guardado);
    EXPECT_FALSE(doc.Modificado);
    EXPECT_EQ(doc.NombreArchivo, dir / "nuevo.vtq");
}

TEST_F(BancoComandos, FailedSaveReportsAndKeepsTheDocumentState) {
    doc.NombreArchivo = dir / "falta/a.vtq";
    doc.Guardado = true;
    EXPECT_FALSE(GuardarArchivo(ctx));
    EXPECT_EQ(Textos(), std::vector<std::string>{"Error Guardando!!!"});
    EXPECT_EQ(dlg.vistos()[0].titulo, "Error de sistema");
    EXPECT_EQ(dlg.vistos()[0].icono, Icono::Critico);
    EXPECT_TRUE(doc.Guardado);
    EXPECT_TRUE(doc.Modificado);
    EXPECT_EQ(doc.NombreArchivo, dir / "falta/a.vtq");
}

TEST_F(BancoComandos, SaveAsAlwaysAsksAndKeepsTheFileWhenCancelled) {
    const std::string ruta = ArchivoOtraRed("otra.vtq");
    dlg.nombresAbrir.push_back(ruta);
    ASSERT_TRUE(AbrirArchivo(ctx, false));

    dlg.nombresGuardar.push_back(std::nullopt);
    EXPECT_FALSE(GuardarComo(ctx));
    EXPECT_EQ(dlg.dialogosGuardar, 1);
    EXPECT_TRUE(doc.Guardado);
    EXPECT_EQ(doc.NombreArchivo, ruta);

    // Save as onto the same, existing file asks before overwriting it.
    dlg.nombresGuardar.push_back(ruta);
    dlg.respuestas().push_back(Respuesta::Si);
    EXPECT_TRUE(GuardarComo(ctx));
    EXPECT_EQ(Textos(), std::vector<std::string>{kSobreescribir});
}

TEST_F(BancoComandos, SaveAsRefusedOverwriteAsksForANameOnTheNextSave) {
    const std::string ruta = ArchivoOtraRed("otra.vtq");
    dlg.nombresAbrir.push_back(ruta);
    ASSERT_TRUE(AbrirArchivo(ctx, false));

    dlg.nombresGuardar.push_back(ruta);
    dlg.respuestas().push_back(Respuesta::No);
    EXPECT_FALSE(GuardarComo(ctx));
    EXPECT_FALSE(doc.Guardado);
    EXPECT_EQ(doc.NombreArchivo, ruta);

    dlg.nombresGuardar.push_back(std::nullopt);
    EXPECT_FALSE(GuardarArchivo(ctx));
    EXPECT_EQ(dlg.dialogosGuardar, 2);
}

TEST_F(BancoComandos, NewAfterSaveAsksForANameAgain) {
    dlg.nombresGuardar.push_back(dir / "a.vtq");
    ASSERT_TRUE(GuardarArchivo(ctx));
    NuevoArchivo(ctx, false);
    dlg.nombresGuardar.push_back(dir / "b.vtq");
    EXPECT_TRUE(GuardarArchivo(ctx));
    EXPECT_EQ(dlg.dialogosGuardar, 2);
    EXPECT_TRUE(std::filesystem::exists(dir / "b.vtq"));
}

TEST_F(BancoComandos, PrinterSetUpOnlyShowsItsDialogAndIgnoresFailures) {
    const std::string antes = Huella();
    ConfigurarImpresora(ctx);
    dlg.impresoraFalla = true;
    ConfigurarImpresora(ctx);
    EXPECT_EQ(dlg.impresoras, 2);
    EXPECT_EQ(Huella(), antes);
    EXPECT_TRUE(dlg.vistos().empty());
}

TEST_F(BancoComandos, ExportComputesWritesTheReportAndSaysWhere) {
    ExportarResumen(ctx);
    const std::string ruta = dir / "Resumen.txt";
    EXPECT_TRUE(std::filesystem::exists(ruta));
    ASSERT_EQ(dlg.vistos().size(), 1u);
    EXPECT_EQ(dlg.vistos()[0].texto, "Resumen guardado en " + ruta);
    EXPECT_EQ(dlg.vistos()[0].titulo, "Vortena de Líneas de Producción");
    EXPECT_EQ(dlg.vistos()[0].icono, Icono::Informacion);
    EXPECT_EQ(doc.redibujos, 1);
    EXPECT_EQ(red.Centros(2).W, 1.0);  // computed before writing
}

TEST_F(BancoComandos, ExportThatCannotWriteSaysWhy) {
    doc.path = dir / "no-existe/";
    ExportarResumen(ctx);
    ASSERT_EQ(dlg.vistos().size(), 1u);
    EXPECT_EQ(dlg.vistos()[0].icono, Icono::Critico);
    EXPECT_EQ(dlg.vistos()[0].texto.rfind("No se pudo guardar el resumen en " + doc.path + "Resumen.txt", 0), 0u);
    EXPECT_EQ(doc.redibujos, 1);
}

TEST_F(BancoComandos, ExportWritesTheReportEvenAfterAComputationMessage) {
    red.NodoFin = 1;  // the PERT cannot reach it
    ExportarResumen(ctx);
    EXPECT_EQ(Textos(), (std::vector<std::string>{"Centros de inicio y/o Fin inválidos",
                                                  "Resumen guardado en " + dir / "Resumen.txt"}));
}

}  // namespace
}  // namespace vortena
