#include "widgets/VistaGrafico.h"

#include <QAction>
#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QValueAxis>
#include <QXYSeries>
#include <algorithm>
#include <cmath>

#include "widgets/CajaMensaje.h"
#include "widgets/GuardarSalida.h"

namespace vortena {

namespace {

const QString kGuardarImagen = QStringLiteral("Guardar imagen…");

QString PedirNombrePng(QWidget* padre) {
    // The question about an existing file comes once ".png" is on the name.
    return QFileDialog::getSaveFileName(padre, kGuardarImagen, QString(),
                                        QStringLiteral("Imagen PNG (*.png)"), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool PreguntarReemplazo(QWidget* padre, const QString& ruta) {
    const QString texto = QString::fromUtf8("El archivo «%1» ya existe.\n¿Desea reemplazarlo?")
                              .arg(QFileInfo(ruta).fileName());
    return QMessageBox::question(padre, QStringLiteral("Archivo Existente"), texto,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

// The mouse shows a point's value within this many pixels of it.
constexpr double kRadioRaton = 12;
// Room between a labelled point and its label, and inside the label's box.
constexpr qreal kSeparacion = 6;
constexpr qreal kRelleno = 3;

// Does the segment a-b cross (or lie inside) the rectangle?
bool Corta(const QRectF& r, QPointF a, QPointF b) {
    if (r.contains(a) || r.contains(b)) return true;
    const QLineF s(a, b);
    const QLineF lados[] = {{r.topLeft(), r.topRight()},
                            {r.topRight(), r.bottomRight()},
                            {r.bottomRight(), r.bottomLeft()},
                            {r.bottomLeft(), r.topLeft()}};
    for (const QLineF& l : lados)
        if (s.intersects(l, nullptr) == QLineF::BoundedIntersection) return true;
    return false;
}

// How many segments (or scatter markers) of the chart's visible series fall
// inside the rectangle, in scene coordinates.
int Cruces(QChart* grafico, const QRectF& r) {
    int n = 0;
    for (QAbstractSeries* a : grafico->series()) {
        if (!a->isVisible()) continue;
        std::vector<QXYSeries*> lineas;
        if (auto* area = qobject_cast<QAreaSeries*>(a)) {
            lineas.push_back(area->upperSeries());
            if (area->lowerSeries() != nullptr) lineas.push_back(area->lowerSeries());
        } else if (auto* xy = qobject_cast<QXYSeries*>(a)) {
            lineas.push_back(xy);
        }
        for (QXYSeries* s : lineas) {
            const QList<QPointF> puntos = s->points();
            const bool marcas = s->type() == QAbstractSeries::SeriesTypeScatter;
            QPointF antes;
            for (qsizetype i = 0; i < puntos.size(); ++i) {
                const QPointF p = grafico->mapToScene(grafico->mapToPosition(puntos[i], a));
                if (marcas) {
                    if (r.adjusted(-5, -5, 5, 5).contains(p)) ++n;
                } else if (i > 0 && Corta(r, antes, p)) {
                    ++n;
                }
                antes = p;
            }
        }
    }
    return n;
}

}  // namespace

VistaGrafico::VistaGrafico(const Regional& reg, QWidget* padre)
    : QChartView(padre),
      pedirNombre(PedirNombrePng),
      confirmarReemplazo(PreguntarReemplazo),
      reg_(reg) {
    setRenderHint(QPainter::Antialiasing);
    auto* grafico = new QChart;
    grafico->legend()->hide();
    grafico->setMargins(QMargins(4, 4, 4, 4));
    grafico->setBackgroundRoundness(0);
    // Axis labels follow the decimal separator of the numbers elsewhere.
    QLocale idioma = reg.decimal == ',' ? QLocale(QLocale::Spanish, QLocale::Spain)
                                        : QLocale(QLocale::English, QLocale::UnitedStates);
    idioma.setNumberOptions(QLocale::OmitGroupSeparator);
    grafico->setLocale(idioma);
    grafico->setLocalizeNumbers(true);
    setChart(grafico);

    guardar_ = new QAction(kGuardarImagen, this);
    guardar_->setObjectName(QStringLiteral("guardarImagen"));
    connect(guardar_, &QAction::triggered, this, &VistaGrafico::Guardar);
}

QPushButton* VistaGrafico::CrearBotonGuardar(QWidget* padre) {
    auto* b = new QPushButton(kGuardarImagen, padre);
    b->setObjectName(QStringLiteral("botonGuardarImagen"));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, guardar_, &QAction::trigger);
    return b;
}

double VistaGrafico::PasoMarcas(double rango, int marcas) {
    return std::max(1.0, PasoRedondo(rango, marcas));
}

double VistaGrafico::PasoRedondo(double rango, int marcas) {
    const double crudo = std::fabs(rango) / std::max(1, marcas);
    if (!(crudo > 0) || !std::isfinite(crudo)) return 1.0;
    const double potencia = std::pow(10.0, std::floor(std::log10(crudo)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * potencia >= crudo * (1 - 1e-9)) return m * potencia;
    return 10 * potencia;
}

void VistaGrafico::MarcasRedondas(QValueAxis* eje, int marcas) {
    const double paso = PasoRedondo(eje->max() - eje->min(), marcas);
    eje->setTickType(QValueAxis::TicksDynamic);
    eje->setTickAnchor(0);
    eje->setTickInterval(paso);
    // As many decimals as the step has: 0,05 -> two, 20 -> none.
    const int decimales = std::max(0, -static_cast<int>(std::floor(std::log10(paso) + 1e-9)));
    eje->setLabelFormat(QStringLiteral("%.%1f").arg(decimales));
}

void VistaGrafico::EjeRedondo(QValueAxis* eje, double lo, double hi, int marcas) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) {
        lo = 0;
        hi = 1;
    }
    if (hi - lo < 1e-12 * std::max(1.0, std::fabs(hi))) {
        const double margen = std::max(1e-9, std::fabs(hi) * 0.05);
        lo -= margen;
        hi += margen;
    }
    const double paso = PasoRedondo(hi - lo, marcas);
    eje->setRange(std::floor(lo / paso + 1e-9) * paso, std::ceil(hi / paso - 1e-9) * paso);
    MarcasRedondas(eje, marcas);
}

void VistaGrafico::ValoresAlPasar(QXYSeries* serie, std::function<QString(int)> texto) {
    conTexto_.push_back({serie, std::move(texto)});
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

void VistaGrafico::Etiquetar(QXYSeries* serie, int indice, const QString& texto) {
    etiquetas_.push_back({serie, indice, texto});
    viewport()->update();
}

void VistaGrafico::QuitarEtiquetas() {
    etiquetas_.clear();
    viewport()->update();
}

QPoint VistaGrafico::PixelDe(QPointF valor, QXYSeries* serie) const {
    const QPointF escena = chart()->mapToScene(chart()->mapToPosition(valor, serie));
    return mapFromScene(escena);
}

QRectF VistaGrafico::RectanguloEtiqueta(int k) const {
    if (k < 0 || k >= static_cast<int>(etiquetas_.size())) return {};
    const Etiqueta& e = etiquetas_[static_cast<std::size_t>(k)];
    if (e.indice < 0 || e.indice >= e.serie->count()) return {};
    const QRectF area = chart()->mapRectToScene(chart()->plotArea());
    const QPointF p = chart()->mapToScene(chart()->mapToPosition(e.serie->at(e.indice), e.serie));
    if (!area.adjusted(-1, -1, 1, 1).contains(p)) return {};
    const QSizeF tam = QFontMetricsF(font()).size(0, e.texto) + QSizeF(2 * kRelleno, 2 * kRelleno);
    // Beside the point, on the side its lines leave free: the first place
    // nothing crosses, or else the least crossed one.
    const qreal s = kSeparacion, w = tam.width(), h = tam.height();
    const QPointF esquinas[] = {{p.x() + s, p.y() - s - h},
                                {p.x() - s - w, p.y() - s - h},
                                {p.x() + s, p.y() + s},
                                {p.x() - s - w, p.y() + s},
                                {p.x() - w / 2, p.y() - 2 * s - h},
                                {p.x() - w / 2, p.y() + 2 * s},
                                {p.x() + 2 * s, p.y() - h / 2},
                                {p.x() - 2 * s - w, p.y() - h / 2}};
    QRectF mejor;
    int menos = -1;
    for (const QPointF& q : esquinas) {
        QRectF r(q, tam);
        // Kept inside the plot area.
        r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - w)));
        r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - h)));
        const int n = Cruces(chart(), r);
        if (menos < 0 || n < menos) {
            menos = n;
            mejor = r;
        }
        if (n == 0) break;
    }
    return mejor;
}

void VistaGrafico::drawForeground(QPainter* pintor, const QRectF& rect) {
    QChartView::drawForeground(pintor, rect);
    pintor->save();
    pintor->setFont(font());
    for (int k = 0; k < static_cast<int>(etiquetas_.size()); ++k) {
        const QRectF r = RectanguloEtiqueta(k);
        if (r.isEmpty()) continue;
        pintor->setPen(QPen(QColor(150, 150, 150), 1));
        pintor->setBrush(QColor(255, 255, 255, 235));
        pintor->drawRect(r);
        pintor->setPen(palette().color(QPalette::WindowText));
        pintor->drawText(r, Qt::AlignCenter, etiquetas_[static_cast<std::size_t>(k)].texto);
    }
    pintor->restore();
}

QString VistaGrafico::TextoEn(QPointF pos) const {
    double mejor = kRadioRaton * kRadioRaton;
    const ConTexto* elegido = nullptr;
    int indice = -1;
    for (const ConTexto& c : conTexto_) {
        if (!c.serie->isVisible()) continue;
        const QList<QPointF> puntos = c.serie->points();
        for (qsizetype i = 0; i < puntos.size(); ++i) {
            const QPointF d = QPointF(PixelDe(puntos[i], c.serie)) - pos;
            const double d2 = d.x() * d.x() + d.y() * d.y();
            if (d2 <= mejor) {
                mejor = d2;
                elegido = &c;
                indice = static_cast<int>(i);
            }
        }
    }
    return elegido != nullptr ? elegido->texto(indice) : QString();
}

void VistaGrafico::mouseMoveEvent(QMouseEvent* e) {
    QChartView::mouseMoveEvent(e);
    ultimoRaton_ = e->position().toPoint();
    const QString texto = TextoEn(e->position());
    if (texto != valor_) MostrarValor(texto);
}

void VistaGrafico::leaveEvent(QEvent* e) {
    QChartView::leaveEvent(e);
    if (!valor_.isEmpty()) MostrarValor(QString());
}

QString VistaGrafico::Numero(double v, const char* patron) const {
    return QString::fromStdString(Formato(v, patron, reg_));
}

void VistaGrafico::MostrarValor(const QString& texto) {
    valor_ = texto;
    if (texto.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(viewport()->mapToGlobal(ultimoRaton_), texto, this);
}

void VistaGrafico::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    menu.addAction(guardar_);
    menu.exec(e->globalPos());
}

namespace {

QString ConPng(const QString& ruta) {
    if (QFileInfo(ruta).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        return ruta;
    return ruta + QStringLiteral(".png");
}

}  // namespace

QString VistaGrafico::GuardarImagen(const QString& rutaPedida) {
    return GuardarDesde(this, ConPng(rutaPedida), BytesPng(grab()));
}

void VistaGrafico::Guardar() {
    const QString pedida = pedirNombre(this);
    if (pedida.isEmpty()) return;
    const QString ruta = ConPng(pedida);
    if (QFileInfo::exists(ruta) && !confirmarReemplazo(this, ruta)) return;
    if (const QString motivo = GuardarImagen(ruta); !motivo.isEmpty())
        MostrarCaja(this, "No se pudo escribir la imagen: " + motivo.toStdString() + ".",
                    kTituloVentana, Botones::Aceptar, Icono::Critico);
}

}  // namespace vortena
