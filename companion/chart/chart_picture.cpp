// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/chart/chart_picture.h"

#include "calc/chain.h"
#include "display/display.h"
#include "platform/chart_style.h"
#include "platform/chart_widget.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFrame>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QWidget>

namespace cykl::chart_picture {

namespace {

// The window's places and sizes of the charts, in pixels at 96 dots per inch.
constexpr QRect MonthChartPlace(16, 128, 457, 105);
constexpr QRect DayChartPlace(480, 16, 97, 177);
constexpr QSize CanvasSize(593, 241);
constexpr double PrintDotsPerInch = 300;
constexpr double ScreenDotsPerInch = 96;

class Fields final : public FieldSource {
public:
    explicit Fields(const std::array<int, 6> &numbers) : numbers_(numbers) { }
    std::string FieldText(int field) const override
    {
        return field >= 1 && field <= 6
            ? std::to_string(numbers_[static_cast<std::size_t>(field - 1)])
            : std::string();
    }

private:
    std::array<int, 6> numbers_;
};

// The picture shows no boxes and no button.
class NoBox final : public MessageBoxSeam {
public:
    void Show(std::string_view, std::string_view, MessageStyle) override { }
};
class NoCaption final : public CaptionTarget {
public:
    void SetCaption(std::string_view) override { }
};

QFont WindowFont()
{
    QFont font;
    QStringList families;
    for (const std::string_view family : look::FontFamilies())
        families.append(chart::Text(family));
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

void AddLegendRow(QWidget &canvas, int top, const QString &caption, QColor colour)
{
    auto *line = new QFrame(&canvas);
    line->setGeometry(16, top + 6, 40, 4);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    auto *label = new QLabel(caption, &canvas);
    label->setGeometry(64, top, 300, 16);
}

} // namespace

struct Picture::Private {
    explicit Private(const std::array<int, 6> &numbers) : fields(numbers) { }

    void Build(const std::array<int, 6> &numbers);
    void Settle() const;
    void Paint(QPainter &painter);

    QWidget canvas;
    ChartWidget *graph1 = nullptr;
    ChartWidget *graph2 = nullptr;
    Fields fields;
};

void Picture::Private::Build(const std::array<int, 6> &n)
{
    canvas.setFixedSize(CanvasSize);
    canvas.setFont(WindowFont());
    QPalette palette = canvas.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    canvas.setPalette(palette);
    canvas.setAutoFillBackground(true);
    auto *dates = new QLabel(QStringLiteral("Datum narození %1.%2.%3      Den %4.%5.%6")
                                 .arg(n[0])
                                 .arg(n[1])
                                 .arg(n[2])
                                 .arg(n[3])
                                 .arg(n[4])
                                 .arg(n[5]),
                             &canvas);
    dates->setGeometry(16, 16, 450, 18);
    for (int index = 0; index < 3; ++index)
        AddLegendRow(canvas, 48 + 22 * index, chart::Text(look::LegendRow(index)),
                     chart::Colour(look::ColoursOf(index).Legend));
    graph2 = new ChartWidget(ChartTypeBar, 3, 1, &canvas);
    graph2->setGeometry(DayChartPlace);
    graph1 = new ChartWidget(ChartTypeLine, 31, 3, &canvas);
    graph1->setGeometry(MonthChartPlace);
    canvas.setAttribute(Qt::WA_DontShowOnScreen);
    canvas.show();
    Settle();
}

// The charts lay themselves out in posted events.
void Picture::Private::Settle() const
{
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents();
}

// The charts are drawn straight from their scenes: through the view, the PDF painter
// would clip the bar labels at a wrong place and hide them. Every other control is drawn
// at its place by the painter's own translation.
void Picture::Private::Paint(QPainter &painter)
{
    painter.fillRect(QRect(QPoint(), CanvasSize), Qt::white);
    for (QWidget *child : canvas.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden())
            continue;
        painter.save();
        painter.translate(child->pos());
        if (auto *view = child->findChild<QGraphicsView *>()) {
            const QRect shown = view->viewport()->rect();
            view->scene()->render(&painter,
                                  QRectF(view->mapTo(child, shown.topLeft()), shown.size()),
                                  view->mapToScene(shown).boundingRect());
        } else {
            child->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        }
        painter.restore();
    }
}

Picture::Picture(const std::array<int, 6> &numbers) : d(std::make_unique<Private>(numbers))
{
    d->Build(numbers);
    Main main;
    NoBox box;
    NoCaption caption;
    Display display(main, d->fields, *d->graph1, *d->graph2, box, caption);
    ConfirmInput(main, display);
    d->Settle();
}

Picture::~Picture() = default;

QSize Picture::LogicalSize() const
{
    return CanvasSize;
}

QByteArray Picture::Render(const QString &kind)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRect area(QPoint(), CanvasSize);
    if (kind == QLatin1String("png")) {
        const double scale = PrintDotsPerInch / ScreenDotsPerInch;
        QImage image(CanvasSize * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.setDotsPerMeterX(qRound(PrintDotsPerInch / 0.0254));
        image.setDotsPerMeterY(qRound(PrintDotsPerInch / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            d->Paint(painter);
        }
        image.save(&buffer, "PNG");
    } else if (kind == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(CanvasSize);
        svg.setViewBox(area);
        svg.setResolution(qRound(ScreenDotsPerInch));
        svg.setTitle(QStringLiteral("Cyklometrika"));
        QPainter painter(&svg);
        d->Paint(painter);
    } else if (kind == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(qRound(ScreenDotsPerInch));
        pdf.setPageSize(QPageSize(QSizeF(CanvasSize) * (72.0 / ScreenDotsPerInch), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF());
        pdf.setTitle(QStringLiteral("Cyklometrika"));
        pdf.setCreator(QStringLiteral("Cyklometrika"));
        QPainter painter(&pdf);
        d->Paint(painter);
    }
    return bytes;
}

} // namespace cykl::chart_picture
