#pragma once
// The help viewer: a non-modal window that shows the help pages kept in
// "documentacion" beside the program, with back, forward and home on its
// toolbar and in its menu. The constructor shows the window and opens the
// start page; whoever opens it decides its lifetime (e.g. WA_DeleteOnClose).

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QUrl>

class QAction;
class QMenu;
class QTextBrowser;
class QToolBar;

namespace vortena {

class Ayuda : public QMainWindow {
    Q_OBJECT
public:
    // `carpetaPrograma` is the program's folder, with or without the trailing
    // separator.
    explicit Ayuda(const QString& carpetaPrograma, QWidget* parent = nullptr);

    QString StartingAddress;

    // The toolbar tells its buttons apart by key: "Back", "Forward", "Home";
    // any other key does nothing.
    void PulsarBoton(const QString& clave);
    // Shows the page of the help folder named `pagina` ("frente.htm").
    void AbrirPagina(const QString& pagina);
    QUrl Pagina() const;

    // The size the resize rule gives a window of size `tamano` (pixels at 15
    // twips each): narrower than 5000 twips becomes 6000 wide, lower than
    // 5000 twips becomes 5000 high.
    static QSize TamanoAjustado(QSize tamano);

protected:
    void resizeEvent(QResizeEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Ajustar();
    void ColocarNavegador();
    void Navegar();

    QMenu* mnArchivo;
    QAction* mnInicio;
    QAction* mnAnterior;
    QAction* mnSiguiente;
    QAction* mnSalir;
    QToolBar* tbToolBar;
    QTextBrowser* brwWebBrowser;
};

}  // namespace vortena
