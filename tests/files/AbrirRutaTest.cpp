// Opening a named file (command line, recent files, examples): the same save
// prompt as Open, no file dialog, and the reader's own words when the file
// cannot be read.

#include "files/BancoComandos.h"

namespace vortena::prueba {
namespace {

TEST_F(BancoComandos, OpenByPathBindsTheDocumentWithoutADialog) {
    const std::string ruta = ArchivoOtraRed("otra.vtq");
    EXPECT_TRUE(AbrirArchivoEn(ctx, false, ruta));
    EXPECT_EQ(red.Centros(2).Nombre, "Otra");
    EXPECT_EQ(doc.NombreArchivo, ruta);
    EXPECT_TRUE(doc.Guardado);
    EXPECT_FALSE(doc.Modificado);
    EXPECT_EQ(dlg.dialogosAbrir, 0);
    EXPECT_TRUE(dlg.vistos().empty());
}

TEST_F(BancoComandos, OpenByPathShowsTheReadersMessageAndKeepsTheNetwork) {
    const std::string antes = Huella();
    const std::string ruta = dir / "roto.vtq";
    EscribirArchivo(ruta, "@\r\n1\r\n500\r\nabc\r\n");
    EXPECT_FALSE(AbrirArchivoEn(ctx, false, ruta));
    EXPECT_EQ(Huella(), antes);
    EXPECT_FALSE(doc.Guardado);
    ASSERT_EQ(Textos().size(), 1u);
    EXPECT_EQ(Textos()[0], "No se pudo abrir " + ruta + ":\nlínea 4: número inválido \"abc\"");
    EXPECT_EQ(dlg.vistos()[0].titulo, "Error de sistema");

    Olvidar();
    EXPECT_FALSE(AbrirArchivoEn(ctx, false, dir / "no-existe.vtq"));
    ASSERT_EQ(Textos().size(), 1u);
    EXPECT_NE(Textos()[0].find("no-existe.vtq"), std::string::npos);
    EXPECT_EQ(Huella(), antes);
}

TEST_F(BancoComandos, OpenByPathAsksToSaveAChangedNetworkFirst) {
    const std::string ruta = ArchivoOtraRed("otra.vtq");
    // No: the changes are dropped and the file opens.
    dlg.respuestas().push_back(Respuesta::No);
    EXPECT_TRUE(AbrirArchivoEn(ctx, true, ruta));
    EXPECT_EQ(Textos(), std::vector<std::string>{"¿El Archivo cambio, desea guardar los cambios?"});
    EXPECT_EQ(red.Centros(2).Nombre, "Otra");

    // Yes, then a cancelled save dialog: nothing is opened, nothing lost.
    red.Centros(2).Nombre = "Cambiado";
    doc.Guardado = false;
    const std::string antes = Huella();
    dlg.respuestas().push_back(Respuesta::Si);
    EXPECT_FALSE(AbrirArchivoEn(ctx, true, ruta));
    EXPECT_EQ(Huella(), antes);
}

}  // namespace
}  // namespace vortena::prueba
