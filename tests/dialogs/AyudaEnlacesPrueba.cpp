// Every help page and the launcher's index: each local link and #anchor
// resolves, every page is reachable from the start page, and every page
// reaches the viewer with its accents intact.

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

namespace {

const QString kRaiz = QStringLiteral(VORTENA_SOURCE_DIR);

struct Enlace {
    QString destino;   // absolute path of the target file
    QString ancla;     // empty for none
    QString original;  // as written
};

QString Leer(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QStringList Paginas() {
    QStringList paginas{QDir(kRaiz).filePath(QStringLiteral("index.html"))};
    QDirIterator it(QDir(kRaiz).filePath(QStringLiteral("documentacion")),
                    {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) paginas << it.next();
    paginas.sort();
    return paginas;
}

bool EsExterno(const QString& enlace) {
    static const QRegularExpression esquema(QStringLiteral("^[a-zA-Z][a-zA-Z0-9+.-]*:"));
    return esquema.match(enlace).hasMatch();
}

QList<Enlace> Enlaces(const QString& pagina, QStringList& errores) {
    static const QRegularExpression atributo(
        QStringLiteral("\\b(?:href|src)\\s*=\\s*[\"']([^\"']*)[\"']"),
        QRegularExpression::CaseInsensitiveOption);
    QList<Enlace> enlaces;
    const QDir carpeta = QFileInfo(pagina).dir();
    auto it = atributo.globalMatch(Leer(pagina));
    while (it.hasNext()) {
        const QString original = it.next().captured(1);
        if (EsExterno(original)) continue;
        if (original.isEmpty() || original.contains(u'\\') || original.startsWith(u'/')) {
            errores << QStringLiteral("%1: enlace no portable \"%2\"").arg(pagina, original);
            continue;
        }
        const qsizetype almohadilla = original.indexOf(u'#');
        const QString ruta = almohadilla < 0 ? original : original.left(almohadilla);
        const QString ancla = almohadilla < 0 ? QString() : original.mid(almohadilla + 1);
        const QString destino =
            ruta.isEmpty() ? pagina : QDir::cleanPath(carpeta.absoluteFilePath(ruta));
        enlaces << Enlace{destino, ancla, original};
    }
    return enlaces;
}

QStringList Anclas(const QString& pagina) {
    static const QRegularExpression nombre(
        QStringLiteral("<(?!meta\\b)[a-z0-9]+[^>]*\\s(?:name|id)\\s*=\\s*[\"']([^\"']+)[\"']"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList anclas;
    auto it = nombre.globalMatch(Leer(pagina));
    while (it.hasNext()) anclas << it.next().captured(1);
    return anclas;
}

}  // namespace

class AyudaEnlacesPrueba : public QObject {
    Q_OBJECT
private slots:
    void hayPaginas();
    void enlacesResuelven_data();
    void enlacesResuelven();
    void todasAlcanzablesDesdeElInicio();
    void seVenBienEnElVisor_data();
    void seVenBienEnElVisor();
};

void AyudaEnlacesPrueba::hayPaginas() {
    const QStringList paginas = Paginas();
    QVERIFY(paginas.contains(QDir(kRaiz).filePath(QStringLiteral("documentacion/ayuda.htm"))));
    QVERIFY(paginas.size() >= 6);
}

void AyudaEnlacesPrueba::enlacesResuelven_data() {
    QTest::addColumn<QString>("pagina");
    for (const QString& p : Paginas())
        QTest::newRow(qPrintable(QDir(kRaiz).relativeFilePath(p))) << p;
}

void AyudaEnlacesPrueba::enlacesResuelven() {
    QFETCH(QString, pagina);
    QStringList errores;
    const QStringList propias = Anclas(pagina);
    QSet<QString> vistas;
    for (const QString& a : propias) {
        if (vistas.contains(a)) errores << QStringLiteral("ancla repetida \"%1\"").arg(a);
        vistas.insert(a);
    }
    for (const Enlace& e : Enlaces(pagina, errores)) {
        if (!QFileInfo(e.destino).isFile()) {
            errores << QStringLiteral("\"%1\": no existe %2").arg(e.original, e.destino);
            continue;
        }
        if (!e.destino.startsWith(kRaiz + QStringLiteral("/documentacion/")) &&
            e.destino != QDir(kRaiz).filePath(QStringLiteral("index.html"))) {
            errores << QStringLiteral("\"%1\": sale de la ayuda").arg(e.original);
        }
        if (!e.ancla.isEmpty() && !Anclas(e.destino).contains(e.ancla)) {
            errores << QStringLiteral("\"%1\": falta el ancla").arg(e.original);
        }
    }
    QVERIFY2(errores.isEmpty(), qPrintable(errores.join(QStringLiteral("\n"))));
}

void AyudaEnlacesPrueba::todasAlcanzablesDesdeElInicio() {
    const QString inicio = QDir(kRaiz).filePath(QStringLiteral("documentacion/ayuda.htm"));
    QSet<QString> alcanzadas{inicio};
    QStringList pendientes{inicio};
    QStringList errores;
    while (!pendientes.isEmpty()) {
        const QString p = pendientes.takeFirst();
        if (!p.endsWith(QStringLiteral(".htm")) && !p.endsWith(QStringLiteral(".html"))) continue;
        for (const Enlace& e : Enlaces(p, errores)) {
            if (!alcanzadas.contains(e.destino)) {
                alcanzadas.insert(e.destino);
                pendientes << e.destino;
            }
        }
    }
    QStringList huerfanas;
    for (const QString& p : Paginas()) {
        if (p.contains(QStringLiteral("/documentacion/")) && !alcanzadas.contains(p))
            huerfanas << p;
    }
    QVERIFY2(huerfanas.isEmpty(), qPrintable(huerfanas.join(QStringLiteral("\n"))));

    // The launcher's index leads into the help.
    QStringList ignorados;
    bool llevaALaAyuda = false;
    for (const Enlace& e : Enlaces(QDir(kRaiz).filePath(QStringLiteral("index.html")), ignorados)) {
        llevaALaAyuda = llevaALaAyuda || e.destino == inicio;
    }
    QVERIFY(llevaALaAyuda);
}

void AyudaEnlacesPrueba::seVenBienEnElVisor_data() {
    enlacesResuelven_data();
}

void AyudaEnlacesPrueba::seVenBienEnElVisor() {
    QFETCH(QString, pagina);
    QTextBrowser visor;
    visor.setSource(QUrl::fromLocalFile(pagina));
    const QString texto = visor.document()->toPlainText();
    QVERIFY2(texto.size() > 200, "página casi vacía");
    QVERIFY(!visor.documentTitle().isEmpty());
    QVERIFY2(!texto.contains(QChar(0xFFFD)) && !texto.contains(QStringLiteral("Ã")),
             "acentos mal decodificados");

    // Every anchor written in the page is one the viewer can scroll to.
    QSet<QString> vistas;
    for (QTextBlock b = visor.document()->begin(); b.isValid(); b = b.next()) {
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            for (const QString& a : f.fragment().charFormat().anchorNames()) vistas.insert(a);
        }
    }
    QStringList perdidas;
    for (const QString& a : Anclas(pagina)) {
        if (!vistas.contains(a)) perdidas << a;
    }
    QVERIFY2(perdidas.isEmpty(), qPrintable(perdidas.join(QStringLiteral(", "))));
}

QTEST_MAIN(AyudaEnlacesPrueba)
#include "AyudaEnlacesPrueba.moc"
