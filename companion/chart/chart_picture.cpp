// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/chart/chart_picture.h"

#include "companion/chart/png_file.h"
#include "display/chart_look.h"
#include "display/chart_model.h"
#include "display/held_window.h"
#include "platform/painter/chart_painter.h"
#include "platform/painter/chart_style.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace cykl::chart_picture {

namespace {

// The window's places and sizes of the charts, in pixels at 96 dots per inch.
constexpr QRect MonthChartPlace(16, 128, 457, 105);
constexpr QRect DayChartPlace(480, 16, 97, 177);
constexpr QSize CanvasSize(593, 241);
constexpr QRect DatesPlace(16, 16, 450, 18);
constexpr int LegendTop = 48;
constexpr int LegendStep = 22;
constexpr double PrintDotsPerInch = 300;
constexpr double ScreenDotsPerInch = 96;
constexpr double A4MarginMillimetres = 15;

QString Date(int day, int month, int year)
{
    return QStringLiteral("%1.%2.%3").arg(day).arg(month).arg(year);
}

// The words of the birth date, after the person's name when there is one.
QString BirthWords(const QString &name, const QString &birth)
{
    return name.isEmpty() ? QStringLiteral("Datum narození %1").arg(birth)
                          : QStringLiteral("%1 – datum narození %2").arg(name, birth);
}

// The chart with another label on its first point.
ChartModel Relabelled(ChartModel chart, const QString &label)
{
    chart.Write(ChartProperty::RewindPositions, std::int16_t(1));
    chart.Write(ChartProperty::PointLabel, label.toStdString());
    return chart;
}

} // namespace

struct Picture::Private {
    void Paint(QPainter &painter) const;
    QString Heading(const QFont &font) const;

    QString Name;
    QString Birth;
    QString Target;
    QString Title;
    QString Description;
    ChartModel Month { ChartTypeLine, 31, 3 };
    ChartModel Day { ChartTypeBar, 3, 1 };
    int TargetDay = 0;
};

// The dates, the legend, then both charts as the window shows them, with what a printed
// chart needs besides: a bar at 0 and the target day on the curves.
void Picture::Private::Paint(QPainter &painter) const
{
    const QFont font = chart::LookFont(look::WindowFontPixels);
    painter.setFont(font);
    painter.fillRect(QRect(QPoint(), CanvasSize), Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(DatesPlace, Qt::AlignLeft | Qt::AlignVCenter, Heading(font));
    for (int index = 0; index < static_cast<int>(look::Cycles().size()); ++index) {
        const int top = LegendTop + LegendStep * index;
        painter.fillRect(QRect(16, top + 6, 40, 4), chart::Colour(look::ColoursOf(index).Legend));
        painter.drawText(QRect(64, top, 300, 16), Qt::AlignLeft | Qt::AlignVCenter,
                         chart::Text(look::LegendRow(index)));
    }
    chart::PaintOptions options;
    options.Font = font;
    options.ShowZeroBars = true;
    chart::PaintChart(painter, DayChartPlace, Day, options);
    options.MarkedPoint = TargetDay - 1;
    chart::PaintChart(painter, MonthChartPlace, Month, options);
}

// The line of the name and the two dates; a name too long for its place is shortened.
QString Picture::Private::Heading(const QFont &font) const
{
    const auto line = [this](const QString &name) {
        return QStringLiteral("%1      Den %2").arg(BirthWords(name, Birth), Target);
    };
    if (Name.isEmpty())
        return line(Name);
    const QFontMetricsF metrics(font);
    const double rest = metrics.horizontalAdvance(line(Name)) - metrics.horizontalAdvance(Name);
    return line(metrics.elidedText(Name, Qt::ElideRight, DatesPlace.width() - rest));
}

Picture::Picture(const std::array<int, 6> &n, const QString &name) : d(std::make_unique<Private>())
{
    HeldWindow window;
    window.Confirm({ .BirthDay = double(n[0]),
                     .BirthMonth = double(n[1]),
                     .BirthYear = double(n[2]),
                     .TargetDay = double(n[3]),
                     .TargetMonth = double(n[4]),
                     .TargetYear = double(n[5]) });
    d->Month = window.MonthChart().Shown();
    d->Day = window.DayChart().Shown();
    d->Name = name;
    d->Birth = Date(n[0], n[1], n[2]);
    d->Target = Date(n[3], n[4], n[5]);
    d->Title = name.isEmpty() ? QStringLiteral("Cyklometrika")
                              : QStringLiteral("Cyklometrika – %1").arg(name);
    d->Description = QStringLiteral("%1. %2").arg(
        BirthWords(name, d->Birth), chart::Text(DescribeChart(Relabelled(d->Day, d->Target))));
    // The day in Czech form under the bars: "6.10.".
    d->Day = Relabelled(d->Day, QStringLiteral("%1.%2.").arg(n[3]).arg(n[4]));
    d->TargetDay = n[3];
}

Picture::~Picture() = default;

QByteArray Picture::Render(const QString &kind) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (kind == QLatin1String("png")) {
        const double scale = PrintDotsPerInch / ScreenDotsPerInch;
        QImage image(CanvasSize * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.setDotsPerMeterX(qRound(PrintDotsPerInch / 0.0254));
        image.setDotsPerMeterY(qRound(PrintDotsPerInch / 0.0254));
        {
            QPainter painter(&image);
            d->Paint(painter);
        }
        bytes = PngFile(image,
                        { { QStringLiteral("Title"), d->Title },
                          { QStringLiteral("Description"), d->Description } });
    } else if (kind == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(CanvasSize);
        svg.setViewBox(QRect(QPoint(), CanvasSize));
        svg.setResolution(qRound(ScreenDotsPerInch));
        svg.setTitle(d->Title);
        svg.setDescription(d->Description);
        QPainter painter(&svg);
        d->Paint(painter);
    } else if (kind == QLatin1String("pdf") || kind == QLatin1String("pdf-a4")) {
        RenderPdf(buffer, kind == QLatin1String("pdf-a4"));
    }
    return bytes;
}

// The picture's own size, or on an A4 landscape page within its margins, as large as fits
// and centred.
void Picture::RenderPdf(QIODevice &device, bool a4) const
{
    QPdfWriter pdf(&device);
    pdf.setResolution(qRound(ScreenDotsPerInch));
    if (a4) {
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(A4MarginMillimetres, A4MarginMillimetres,
                                                A4MarginMillimetres, A4MarginMillimetres),
                                      QPageLayout::Millimeter));
    } else {
        pdf.setPageSize(QPageSize(QSizeF(CanvasSize) * (72.0 / ScreenDotsPerInch), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF());
    }
    pdf.setTitle(d->Title);
    pdf.setCreator(QStringLiteral("Cyklometrika"));
    QPainter painter(&pdf);
    const QRectF page = pdf.pageLayout().paintRectPixels(pdf.resolution());
    const double scale
        = std::min(page.width() / CanvasSize.width(), page.height() / CanvasSize.height());
    painter.translate((page.width() - CanvasSize.width() * scale) / 2,
                      (page.height() - CanvasSize.height() * scale) / 2);
    painter.scale(scale, scale);
    d->Paint(painter);
}

} // namespace cykl::chart_picture
