// The document commands' flows: the save prompt, the file dialogs, the
// overwrite question, cancels and failures.

#include <gtest/gtest.h>

#include <limits>

#include "files/BancoComandos.h"

namespace vortena {
namespace {

using prueba::BancoComandos;

constexpr const char* kPregunta = "¿El Archivo cambio, desea guardar los cambios?";
constexpr const char* kSobreescribir = "El archivo ya existe esta seguro que lo quiere sobreescribir";

// How the save prompt is answered and how the save it may start ends.
enum class Guardado { NoSePregunta, No, Cancela, SiYGuarda, SiYCancela, SiYFalla };

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
        dlg.respuestas().push_back(caso.respuesta == Guardado::No        ? Respuesta::No
                                   : caso.respuesta == Guardado::Cancela ? Respuesta::Cancelar
                                                                         : Respuesta::Si);
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
        EXPECT_EQ(dlg.vistos()[0].botones, Botones::SiNoCancelar);
        EXPECT_EQ(dlg.vistos()[0].icono, Icono::Ninguno);
    }
    const bool guardado = caso.respuesta == Guardado::SiYGuarda;
    ASSERT_EQ(std::filesystem::exists(dir / "g.vtq"), guardado);
    if (guardado) {
        EXPECT_NE(prueba::LeerArchivo(dir / "g.vtq").find("Trabajo"), std::string::npos);
    }
    if (caso.respuesta == Guardado::SiYFalla) {
        EXPECT_EQ(dlg.vistos().back().texto.rfind(
                      "Error Guardando!!!\nno se puede escribir " + dir / "x/g.vtq: ", 0),
                  0u);
    }
    if (!caso.sigue) {
        EXPECT_EQ(red.Centros(2).Nombre, "Trabajo");
        EXPECT_EQ(dlg.dialogosAbrir, 0);
        EXPECT_TRUE(doc.Modificado);
    }
    // Cancelar abandons the command without a save dialog or any other box.
    if (caso.respuesta == Guardado::Cancela) {
        EXPECT_EQ(dlg.vistos().size(), 1u);
        EXPECT_EQ(dlg.dialogosGuardar, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flujos, Pregunta,
    ::testing::Combine(::testing::Values(Orden::Nuevo, Orden::Abrir, Orden::Salir),
                       ::testing::Values(CasoPregunta{"SinCambios", Guardado::NoSePregunta, true},
                                         CasoPregunta{"No", Guardado::No, true},
                                         CasoPregunta{"Cancela", Guardado::Cancela, false},
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
    EXPECT_EQ(
        dlg.filtrosVistos,
        std::vector<std::string>{"Archivos de Vortena (*.vtq)|*.vtq|Todos los archivos (*)|*|"});
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
    ASSERT_EQ(Textos().size(), 1u);
    // Why, and about the file asked for, never the temporary one.
    EXPECT_EQ(Textos()[0], "Error Guardando!!!\nno se puede escribir " + dir / "falta/a.vtq" +
                               ": No such file or directory");
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

TEST_F(BancoComandos, ExportAsksWhereComputesWritesTheReportAndSaysWhere) {
    dlg.nombresGuardar.push_back(dir / "informe");  // no extension: ".txt" is added
    ExportarResumen(ctx);
    const std::string ruta = dir / "informe.txt";
    EXPECT_TRUE(std::filesystem::exists(ruta));
    EXPECT_FALSE(std::filesystem::exists(dir / "Resumen.txt"));  // the program's folder
    // A document without a file: the bare name, which the dialog places in
    // the user's documents folder.
    EXPECT_EQ(dlg.propuestosVistos, std::vector<std::string>{"Resumen.txt"});
    EXPECT_EQ(dlg.filtrosVistos, std::vector<std::string>{"Archivo de Texto (*.txt)|*.txt|"});
    ASSERT_EQ(dlg.vistos().size(), 1u);
    EXPECT_EQ(dlg.vistos()[0].texto, "Resumen guardado en " + ruta);
    EXPECT_EQ(dlg.vistos()[0].titulo, "Vortena de Líneas de Producción");
    EXPECT_EQ(dlg.vistos()[0].icono, Icono::Informacion);
    EXPECT_EQ(doc.redibujos, 1);
    EXPECT_EQ(red.Centros(2).W, 1.0);  // computed before writing
}

TEST_F(BancoComandos, ExportProposesTheReportBesideTheNetworksFile) {
    std::filesystem::create_directory(dir / "redes");
    dlg.nombresGuardar.push_back(dir / "redes/linea.vtq");
    ASSERT_TRUE(GuardarArchivo(ctx));
    ExportarResumen(ctx);  // the dialog is cancelled
    EXPECT_EQ(dlg.propuestosVistos.back(), dir / "redes/Resumen.txt");
}

TEST_F(BancoComandos, CancelledExportDoesNothing) {
    const std::string antes = Huella();
    ExportarResumen(ctx);
    EXPECT_EQ(dlg.dialogosGuardar, 1);
    EXPECT_TRUE(dlg.vistos().empty());
    EXPECT_EQ(doc.redibujos, 0);
    EXPECT_EQ(Huella(), antes);
    EXPECT_TRUE(dir.Archivos().empty());
}

TEST_F(BancoComandos, ExportThatCannotWriteSaysWhy) {
    const std::string ruta = dir / "no-existe/Resumen.txt";
    dlg.nombresGuardar.push_back(ruta);
    ExportarResumen(ctx);
    ASSERT_EQ(dlg.vistos().size(), 1u);
    EXPECT_EQ(dlg.vistos()[0].icono, Icono::Critico);
    EXPECT_EQ(dlg.vistos()[0].texto, "No se pudo guardar el resumen en " + ruta +
                                         ": no se puede escribir " + ruta +
                                         ": No such file or directory.");
    EXPECT_EQ(doc.redibujos, 1);
}

TEST_F(BancoComandos, ExportWritesTheReportEvenAfterAComputationMessage) {
    red.NodoFin = 1;  // the PERT cannot reach it
    dlg.nombresGuardar.push_back(dir / "Resumen.txt");
    ExportarResumen(ctx);
    EXPECT_EQ(Textos(), (std::vector<std::string>{"Centros de inicio y/o Fin inválidos",
                                                  "Resumen guardado en " + dir / "Resumen.txt"}));
}

TEST_F(BancoComandos, SaveAddsTheExtensionToANameWithoutOne) {
    prueba::EscribirArchivo(dir / "red.vtq", "viejo");
    dlg.nombresGuardar.push_back(dir / "red");
    dlg.respuestas().push_back(Respuesta::No);
    // The overwrite question is about the name that will be written.
    EXPECT_FALSE(GuardarComo(ctx));
    EXPECT_EQ(Textos(), std::vector<std::string>{kSobreescribir});
    dlg.nombresGuardar.push_back(dir / "otra");
    dlg.nombresGuardar.push_back(dir / "con.punto.vtq2");
    EXPECT_TRUE(GuardarComo(ctx));
    EXPECT_EQ(doc.NombreArchivo, dir / "otra.vtq");
    EXPECT_TRUE(GuardarComo(ctx));
    EXPECT_EQ(doc.NombreArchivo, dir / "con.punto.vtq2");  // an extension of its own is kept
    EXPECT_FALSE(std::filesystem::exists(dir / "otra"));
}

TEST_F(BancoComandos, SaveOfANetworkWithNaNIsRefusedAndSaysWhy) {
    const std::string ruta = ArchivoOtraRed("otra.vtq");
    dlg.nombresAbrir.push_back(ruta);
    ASSERT_TRUE(AbrirArchivo(ctx, false));
    const std::string antes = prueba::LeerArchivo(ruta);
    red.Centros(2).Lamda = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(GuardarArchivo(ctx));
    EXPECT_EQ(Textos(), std::vector<std::string>{
                            "Error Guardando!!!\nel nodo 2 (Otra) tiene Lamda no numérico (NaN o "
                            "infinito); la red no se puede guardar así"});
    EXPECT_EQ(prueba::LeerArchivo(ruta), antes);
}

TEST_F(BancoComandos, OpenFailureSaysWhy) {
    prueba::EscribirArchivo(dir / "vacio.vtq", "");
    prueba::EscribirArchivo(dir / "texto.vtq", "Querida Ana:\r\nte escribo\r\n");
    for (const auto& [nombre, motivo] :
         {std::pair{"vacio.vtq", "el archivo está vacío"},
          std::pair{"texto.vtq", "no es un archivo de red de Vortena"}}) {
        dlg.mensajes.vistos.clear();
        dlg.nombresAbrir.push_back(dir / nombre);
        EXPECT_FALSE(AbrirArchivo(ctx, false));
        EXPECT_EQ(Textos(),
                  std::vector<std::string>{"Error al abrir el archivo!!!\n" + std::string(motivo)});
        EXPECT_EQ(dlg.vistos()[0].titulo, "Error de sistema");
    }
}

struct CasoNombres {
    const char* nombre;
    Respuesta respuesta;
    bool guardado;
};

class NombresQueCambian : public BancoComandos,
                          public ::testing::WithParamInterface<CasoNombres> {};

// A network read from a UTF-8 file may hold characters Windows-1252 lacks:
// the user learns which texts change before they do.
TEST_P(NombresQueCambian, AreListedBeforeSaving) {
    red.Centros(2).Nombre = "Ωmega";
    red.Centros(2).Descripción = "línea → prensa";
    dlg.nombresGuardar.push_back(dir / "n.vtq");
    dlg.respuestas().push_back(GetParam().respuesta);
    EXPECT_EQ(GuardarArchivo(ctx), GetParam().guardado);
    ASSERT_EQ(dlg.vistos().size(), 1u);
    EXPECT_EQ(dlg.vistos()[0].texto,
              "El archivo no puede guardar algunos caracteres; al guardar, estos textos "
              "cambiarán:\nNombre: \"Ωmega\" → \"?mega\"\nDescripción de \"?mega\": \"línea → "
              "prensa\" → \"línea ? prensa\"\n¿Desea guardar de todos modos?");
    EXPECT_EQ(dlg.vistos()[0].botones, Botones::SiNo);
    EXPECT_EQ(std::filesystem::exists(dir / "n.vtq"), GetParam().guardado);
    EXPECT_EQ(doc.Guardado, GetParam().guardado);
}

INSTANTIATE_TEST_SUITE_P(Respuestas, NombresQueCambian,
                         ::testing::Values(CasoNombres{"Si", Respuesta::Si, true},
                                           CasoNombres{"No", Respuesta::No, false}),
                         [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace
}  // namespace vortena
