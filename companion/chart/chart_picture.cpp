// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/chart/chart_picture.h"

#include "calendar/texts.h"
#include "companion/chart/png_file.h"
#include "display/chart_look.h"
#include "display/chart_model.h"
#include "display/held_window.h"
#include "lang/qt/said.h"
#include "platform/painter/chart_painter.h"
#include "platform/painter/chart_style.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <tuple>

namespace cykl::chart_picture {

namespace {

// The window's places and sizes of the charts, in pixels at 96 dots per inch.
constexpr QRect MonthChartPlace(16, 128, 457, 105);
constexpr QRect DayChartPlace(480, 16, 97, 177);
constexpr QSize CanvasSize(593, 241);
constexpr int WithWidth = 105; // the second person's day bars, right of the first's
constexpr int PeopleLegendLeft = 260;
constexpr QRect DatesPlace(16, 16, 450, 18);
constexpr int LegendTop = 48;
constexpr int LegendStep = 22;
constexpr double PrintDotsPerInch = 300;
constexpr double ScreenDotsPerInch = 96;
constexpr double A4MarginMillimetres = 15;

// The window's font in a picture: the look's families, of which Qt takes the first
// installed, and that family named, so that an SVG names the family its PNG is drawn with.
QFont PictureFont()
{
    QFont wanted;
    wanted.setFamilies(chart::FontFamilies());
    wanted.setStyleHint(QFont::SansSerif);
    wanted.setPixelSize(look::WindowFontPixels);
    wanted.setBold(true);
    QFont font = wanted;
    font.setFamilies({ QFontInfo(wanted).family() });
    return font;
}

QString Date(int day, int month, int year, Lang lang)
{
    return QString::fromStdString(ShownDate({ day, month, year }, lang));
}

// A person known only by the birth date is named by it as lang writes it.
QString NameIn(const QString &name, const std::array<int, 3> &birth, Lang lang)
{
    return name == Date(birth[0], birth[1], birth[2], Lang::Cs)
        ? Date(birth[0], birth[1], birth[2], lang)
        : name;
}

// The words of the birth date, after the person's name when there is one (a person known
// only by the birth date has none).
QString BirthWords(const QString &name, const QString &birth, Lang lang)
{
    return name.isEmpty() || name == birth
        ? Said("report.chart.birth", lang, { birth.toStdString() })
        : Said("report.chart.person", lang, { name.toStdString(), birth.toStdString() });
}

// The two charts of one confirmation of the six numbers.
std::pair<ChartModel, ChartModel> Confirmed(const std::array<int, 6> &n)
{
    HeldWindow window;
    window.Confirm({ .BirthDay = double(n[0]),
                     .BirthMonth = double(n[1]),
                     .BirthYear = double(n[2]),
                     .TargetDay = double(n[3]),
                     .TargetMonth = double(n[4]),
                     .TargetYear = double(n[5]) });
    return { window.MonthChart().Shown(), window.DayChart().Shown() };
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

    Lang Language = Lang::Cs;
    QString Name;
    QString Birth;
    QString Target;
    QString Title;
    QString Description;
    ChartModel Month { ChartTypeLine, 31, 3 };
    ChartModel Day { ChartTypeBar, 3, 1 };
    int TargetDay = 0;
    QSize Canvas = CanvasSize;
    // The second person, when there is one.
    struct Second {
        QString Name;
        QString Birth;
        ChartModel Month;
        ChartModel Day;
    };
    std::optional<Second> With;
    int WithFirstDay = 0; // zero-based: the second person's birth within the month shown
    void PaintWith(QPainter &painter, const chart::PaintOptions &options) const;
};

// The dates, the legend, then both charts as the window shows them, with what a printed
// chart needs besides: a bar at 0 and the target day on the curves.
void Picture::Private::Paint(QPainter &painter) const
{
    const QFont font = PictureFont();
    painter.setFont(font);
    painter.fillRect(QRect(QPoint(), Canvas), Qt::white);
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
    if (With)
        PaintWith(painter, options);
}

// The second person: the dashed curves over the first's, the day bars beside the first's,
// and the legend of the two names' lines.
void Picture::Private::PaintWith(QPainter &painter, const chart::PaintOptions &options) const
{
    chart::PaintOptions over = options;
    over.CurvesOnly = true;
    over.CurveStyle = Qt::DashLine;
    over.Background = Qt::transparent;
    over.FirstPoint = WithFirstDay;
    chart::PaintChart(painter, MonthChartPlace, With->Month, over);
    chart::PaintOptions bars = options;
    bars.MarkedPoint = -1;
    chart::PaintChart(painter, DayChartPlace.translated(WithWidth, 0), With->Day, bars);
    const QFontMetricsF metrics(painter.font());
    const std::array<std::pair<QString, Qt::PenStyle>, 2> people { {
        { Name, Qt::SolidLine },
        { With->Name, Qt::DashLine },
    } };
    for (std::size_t index = 0; index < people.size(); ++index) {
        const int top = LegendTop + LegendStep * static_cast<int>(index);
        painter.setPen(QPen(Qt::black, look::CurveWidth, people[index].second));
        painter.drawLine(QPointF(PeopleLegendLeft, top + 8),
                         QPointF(PeopleLegendLeft + 40, top + 8));
        painter.setPen(Qt::black);
        const QRect place(PeopleLegendLeft + 48, top, DayChartPlace.left() - PeopleLegendLeft - 56,
                          16);
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(people[index].first, Qt::ElideRight, place.width()));
    }
}

// The line of the name and the two dates; a name too long for its place is shortened.
QString Picture::Private::Heading(const QFont &font) const
{
    const auto line = [this](const QString &name) {
        return Said("report.chart.line", Language,
                    { BirthWords(name, Birth, Language).toStdString(), Target.toStdString() });
    };
    const QFontMetricsF metrics(font);
    // "Jana (10.1.1996)", or the date once for a person known only by it.
    const auto who = [](const QString &name, const QString &birth) {
        return name.isEmpty() || name == birth ? birth : QStringLiteral("%1 (%2)").arg(name, birth);
    };
    if (With)
        return metrics.elidedText(
            Said("report.chart.pair", Language,
                 { who(Name, Birth).toStdString(), who(With->Name, With->Birth).toStdString(),
                   Target.toStdString() }),
            Qt::ElideMiddle, DatesPlace.width());
    if (Name.isEmpty())
        return line(Name);
    const double rest = metrics.horizontalAdvance(line(Name)) - metrics.horizontalAdvance(Name);
    return line(metrics.elidedText(Name, Qt::ElideRight, DatesPlace.width() - rest));
}

Picture::Picture(const std::array<int, 6> &n, const QString &name,
                 const std::optional<WithPerson> &with, Lang lang)
    : d(std::make_unique<Private>())
{
    std::tie(d->Month, d->Day) = Confirmed(n);
    d->Language = lang;
    d->Name = NameIn(name, { n[0], n[1], n[2] }, lang);
    d->Birth = Date(n[0], n[1], n[2], lang);
    d->Target = Date(n[3], n[4], n[5], lang);
    d->Title = name.isEmpty() ? QStringLiteral("Cyklometrika")
                              : QStringLiteral("Cyklometrika – %1").arg(d->Name);
    d->Description = QStringLiteral("%1. %2").arg(
        BirthWords(d->Name, d->Birth, lang),
        chart::Text(DescribeChart(Relabelled(d->Day, d->Target), lang)));
    // The day in Czech form under the bars: "6.10.".
    d->Day = Relabelled(d->Day, QStringLiteral("%1.%2.").arg(n[3]).arg(n[4]));
    d->TargetDay = n[3];
    if (with)
        AddWith(*with, n);
}

// The second person's charts, labelled by the names under the bars, and their words.
void Picture::AddWith(const WithPerson &with, const std::array<int, 6> &n)
{
    const std::array<int, 6> fields {
        with.Birth[0], with.Birth[1], with.Birth[2], n[3], n[4], n[5]
    };
    auto [month, day] = Confirmed(fields);
    const Lang lang = d->Language;
    const QString birth = Date(with.Birth[0], with.Birth[1], with.Birth[2], lang);
    const QString withName = NameIn(with.Name, with.Birth, lang);
    d->Title
        = Said("report.chart.title.pair", lang, { d->Name.toStdString(), withName.toStdString() });
    d->Description += QStringLiteral(". %1. %2")
                          .arg(BirthWords(withName, birth, lang),
                               chart::Text(DescribeChart(Relabelled(day, d->Target), lang)));
    // Each name under its own bars, shortened to their width so that the two stay apart.
    const QFontMetricsF metrics(chart::AxisFont(PictureFont()));
    const auto caption = [&metrics](const QString &name) {
        return metrics.elidedText(name, Qt::ElideRight, DayChartPlace.width());
    };
    d->Day = Relabelled(d->Day, caption(d->Name));
    d->With = Private::Second { withName, birth, month, Relabelled(day, caption(withName)) };
    if (with.Birth[1] == n[4] && with.Birth[2] == n[5])
        d->WithFirstDay = with.Birth[0] - 1;
    d->Canvas = CanvasSize + QSize(WithWidth, 0);
}

Picture::~Picture() = default;

QByteArray Picture::Render(const QString &kind) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (kind == QLatin1String("png")) {
        const double scale = PrintDotsPerInch / ScreenDotsPerInch;
        QImage image(d->Canvas * scale, QImage::Format_RGB32);
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
        svg.setSize(d->Canvas);
        svg.setViewBox(QRect(QPoint(), d->Canvas));
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
        pdf.setPageSize(QPageSize(QSizeF(d->Canvas) * (72.0 / ScreenDotsPerInch), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF());
    }
    pdf.setTitle(d->Title);
    pdf.setCreator(QStringLiteral("Cyklometrika"));
    QPainter painter(&pdf);
    const QRectF page = pdf.pageLayout().paintRectPixels(pdf.resolution());
    const double scale
        = std::min(page.width() / d->Canvas.width(), page.height() / d->Canvas.height());
    painter.translate((page.width() - d->Canvas.width() * scale) / 2,
                      (page.height() - d->Canvas.height() * scale) / 2);
    painter.scale(scale, scale);
    d->Paint(painter);
}

} // namespace cykl::chart_picture
