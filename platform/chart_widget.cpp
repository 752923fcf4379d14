// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/chart_widget.h"

#include "display/chart_model.h"
#include "platform/chart_style.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace cykl {

using namespace chart;

namespace {

// Qt Charts lays a series out again on every replace, even with the points it holds
// already: so a reset of a chart that is blank already costs nothing.
void Replace(QXYSeries &series, const QList<QPointF> &points)
{
    if (series.points() != points)
        series.replace(points);
}

void Describe(QWidget &widget, const QString &description)
{
    if (widget.accessibleDescription() != description)
        widget.setAccessibleDescription(description);
}

} // namespace

struct ChartWidget::Private {
    Private(std::int16_t type, std::int16_t points, std::int16_t sets)
        : Model(type, points, sets), Initial(type, points, sets)
    {
    }

    enum class Kind { None, Line, Bar };

    void Build(Kind wanted);
    QFont AxisFont() const;
    void StyleAxis(QAbstractAxis *axis) const;
    QValueAxis *AddValueAxis();
    QLineSeries *AddZeroLine(QAbstractAxis *x, QValueAxis *y);
    void BuildLine();
    void BuildBar();
    void Apply(const ChartModel &data);
    void FillLines(const ChartModel &data);
    void UpdateDayAxis(const ChartModel &data);
    int DayLabelStep() const;
    void LayOutDayAxis();
    void FillBars(const ChartModel &data);
    void RebuildBarSets(const ChartModel &data);
    void ColourBarLabels();

    ChartModel Model;
    // The state the control was made in: what it shows when it appears before any draw
    // request. The axes and series are made only when first needed, at the first draw
    // request or the first showing, as a control that starts hidden may never be drawn.
    const ChartModel Initial;
    QChartView *View = nullptr;
    QChart *Chart = nullptr;
    Kind BuiltKind = Kind::None;
    QLineSeries *ZeroLine = nullptr;
    // Line chart (type 6 and any type other than 4).
    QCategoryAxis *DayAxis = nullptr;
    std::vector<QLineSeries *> Lines;
    std::vector<std::string> DayLabels;
    // Bar chart (type 4): one bar set per point, one category per data set.
    QBarSeries *Bars = nullptr;
    QBarCategoryAxis *BarAxis = nullptr;
    std::vector<QBarSet *> BarSets;
};

void ChartWidget::Private::Build(Kind wanted)
{
    Chart->removeAllSeries();
    for (auto *axis : Chart->axes()) {
        Chart->removeAxis(axis);
        delete axis;
    }
    ZeroLine = nullptr;
    DayAxis = nullptr;
    Lines.clear();
    DayLabels.clear();
    Bars = nullptr;
    BarAxis = nullptr;
    BarSets.clear();
    BuiltKind = wanted;
    // The hidden legend still measures the names of the series in its font: the axis font,
    // which is loaded already.
    Chart->legend()->setFont(AxisFont());
    if (BuiltKind == Kind::Bar) {
        BuildBar();
    } else {
        BuildLine();
    }
}

// Styled before the axis joins the chart, so the chart's theme finds nothing left to set.
// The labels take the window's family and weight at their small size: the face the window
// has loaded already. The titles stay hidden; they take the labels' font, so no font is
// loaded for them alone.
QFont ChartWidget::Private::AxisFont() const
{
    QFont font = View->font();
    font.setPixelSize(AxisFontPixels);
    return font;
}

void ChartWidget::Private::StyleAxis(QAbstractAxis *axis) const
{
    const QFont font = AxisFont();
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
    axis->setTitleVisible(false);
    axis->setLabelsColor(View->palette().color(QPalette::Text));
    axis->setLinePen(QPen(QColor(128, 128, 128), 1));
    axis->setGridLinePen(QPen(QColor(224, 224, 224), 1));
}

QValueAxis *ChartWidget::Private::AddValueAxis()
{
    auto *axis = new QValueAxis;
    axis->setRange(ValueMin, ValueMax);
    axis->setTickCount(5);
    axis->setMinorTickCount(0);
    axis->setLabelFormat("%d");
    StyleAxis(axis);
    Chart->addAxis(axis, Qt::AlignLeft);
    return axis;
}

QLineSeries *ChartWidget::Private::AddZeroLine(QAbstractAxis *x, QValueAxis *y)
{
    auto *line = new QLineSeries;
    line->setObjectName(QStringLiteral("zeroLine"));
    line->setPen(QPen(QColor(96, 96, 96), 1));
    Chart->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
    return line;
}

void ChartWidget::Private::BuildLine()
{
    DayAxis = new QCategoryAxis;
    DayAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    DayAxis->setGridLineVisible(false);
    StyleAxis(DayAxis);
    Chart->addAxis(DayAxis, Qt::AlignBottom);
    auto *valueAxis = AddValueAxis();
    ZeroLine = AddZeroLine(DayAxis, valueAxis);
}

void ChartWidget::Private::BuildBar()
{
    Bars = new QBarSeries;
    Bars->setBarWidth(0.9);
    Bars->setLabelsPosition(QAbstractBarSeries::LabelsCenter);
    Chart->addSeries(Bars);
    BarAxis = new QBarCategoryAxis;
    BarAxis->setGridLineVisible(false);
    StyleAxis(BarAxis);
    Chart->addAxis(BarAxis, Qt::AlignBottom);
    auto *valueAxis = AddValueAxis();
    Bars->attachAxis(BarAxis);
    Bars->attachAxis(valueAxis);
    ZeroLine = AddZeroLine(BarAxis, valueAxis);
}

void ChartWidget::Private::Apply(const ChartModel &data)
{
    const Kind wanted = data.Type() == ChartTypeBar ? Kind::Bar : Kind::Line;
    if (wanted != BuiltKind) {
        Build(wanted);
    }
    if (BuiltKind == Kind::Bar) {
        FillBars(data);
    } else {
        FillLines(data);
    }
}

void ChartWidget::Private::FillLines(const ChartModel &data)
{
    const int points = data.Points();
    auto *valueAxis = Chart->axes(Qt::Vertical).value(0);
    while (static_cast<int>(Lines.size()) < data.Sets()) {
        auto *series = new QLineSeries;
        series->setName(Text(look::SeriesName(static_cast<int>(Lines.size()))));
        series->setPen(QPen(ColourOf(static_cast<int>(Lines.size())).Line, 1.6));
        Chart->addSeries(series);
        series->attachAxis(DayAxis);
        series->attachAxis(valueAxis);
        Lines.push_back(series);
    }
    for (int set = 0; set < static_cast<int>(Lines.size()); ++set) {
        QList<QPointF> curve;
        for (int point = 0; set < data.Sets() && point < points; ++point) {
            if (const auto value = data.Value(set, point)) {
                curve.append(QPointF(point + 1, *value));
            }
        }
        Replace(*Lines[static_cast<std::size_t>(set)], curve);
    }
    DayAxis->setRange(0.5, points + 0.5);
    Replace(*ZeroLine, { QPointF(0.5, 0), QPointF(points + 0.5, 0) });
    UpdateDayAxis(data);
}

// The labels of the drawn points; the axis is laid out again only when they change.
void ChartWidget::Private::UpdateDayAxis(const ChartModel &data)
{
    std::vector<std::string> labels;
    for (int point = 0; point < data.Points(); ++point) {
        labels.push_back(data.Label(point));
    }
    if (labels != DayLabels) {
        DayLabels = std::move(labels);
        LayOutDayAxis();
    }
}

// How many points apart the labels must stand so that none is cut short: every point
// when there is room, else every 2nd, 5th, 10th... point.
int ChartWidget::Private::DayLabelStep() const
{
    const QFontMetrics metrics(DayAxis->labelsFont());
    int widest = 0;
    for (const auto &label : DayLabels) {
        widest = std::max(widest, metrics.horizontalAdvance(Text(label).trimmed()));
    }
    widest = std::max(widest, metrics.horizontalAdvance(QString::number(DayLabels.size())));
    const double room
        = std::max(1, View->parentWidget()->width() - ValueAxisRoom) / double(DayLabels.size());
    for (const int step : { 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000 }) {
        if (step * room >= widest + LabelPadding) {
            return step;
        }
    }
    return ChartModel::MaxPoints;
}

// Point 1 is always labelled; with a step of 5 or more the labels fall on the multiples
// of the step (1, 5, 10, 15...), otherwise on every step-th point from 1 (1, 3, 5...).
// Without any label (at start, after a reset) the points are numbered, so the empty grid
// keeps the layout of a drawn month.
void ChartWidget::Private::LayOutDayAxis()
{
    const bool numbered = std::ranges::all_of(DayLabels, [](const auto &l) { return l.empty(); });
    const int step = DayLabelStep();
    QList<std::pair<QString, int>> wanted;
    for (int point = 1; point <= static_cast<int>(DayLabels.size()); ++point) {
        const bool shown = step < 5 ? (point - 1) % step == 0 : point == 1 || point % step == 0;
        const auto label = numbered
            ? QString::number(point)
            : Text(DayLabels[static_cast<std::size_t>(point - 1)]).trimmed();
        if (shown && !label.isEmpty()) {
            wanted.append({ label, point });
        }
    }
    QList<std::pair<QString, int>> shown;
    for (const auto &label : DayAxis->categoriesLabels()) {
        shown.append({ label, qRound(DayAxis->endValue(label)) });
    }
    if (shown == wanted) {
        return;
    }
    for (const auto &old : shown) {
        DayAxis->remove(old.first);
    }
    DayAxis->setStartValue(0.5);
    for (const auto &[label, point] : wanted) {
        DayAxis->append(label, point);
    }
}

void ChartWidget::Private::RebuildBarSets(const ChartModel &data)
{
    const QFont barLabelFont = AxisFont();
    Bars->clear();
    BarSets.clear();
    for (int point = 0; point < data.Points(); ++point) {
        auto *set = new QBarSet(Text(look::SeriesName(point)));
        set->setColor(ColourOf(point).Fill);
        set->setBorderColor(ColourOf(point).Line.darker(130));
        set->setLabelFont(barLabelFont);
        Bars->append(set);
        BarSets.push_back(set);
    }
}

void ChartWidget::Private::FillBars(const ChartModel &data)
{
    const int sets = data.Sets();
    if (static_cast<int>(BarSets.size()) != data.Points()) {
        RebuildBarSets(data);
    }
    QStringList categories;
    for (int set = 0; set < sets; ++set) {
        const auto label = set == 0 ? Text(data.Label(0)) : QString::number(set + 1);
        categories.append(label.isEmpty() ? QStringLiteral(" ") : label);
    }
    if (BarAxis->categories() != categories) {
        BarAxis->setCategories(categories);
    }
    bool complete = true;
    for (int point = 0; point < data.Points(); ++point) {
        auto *set = BarSets[static_cast<std::size_t>(point)];
        if (set->count() != sets) {
            set->remove(0, set->count());
            set->append(QList<qreal>(sets, 0.0));
        }
        for (int index = 0; index < sets; ++index) {
            const auto value = data.Value(index, point);
            complete = complete && value.has_value();
            set->replace(index, value.value_or(0.0));
        }
    }
    Bars->setLabelsVisible(complete);
    ColourBarLabels();
    Replace(*ZeroLine, { QPointF(-0.5, 0), QPointF(sets - 0.5, 0) });
}

// A value is written in the middle of its bar, in a colour that stands out from the
// fill; a bar too short to hold it has it spill onto the white plot, so it is black.
void ChartWidget::Private::ColourBarLabels()
{
    for (int point = 0; point < static_cast<int>(BarSets.size()); ++point) {
        auto *set = BarSets[static_cast<std::size_t>(point)];
        bool fits = true;
        for (int index = 0; index < set->count(); ++index) {
            fits = fits && std::abs(set->at(index)) >= ShortestLabelledBar;
        }
        set->setLabelColor(fits ? ColourOf(point).Text : QColor(0, 0, 0));
    }
}

ChartWidget::ChartWidget(std::int16_t type, std::int16_t points, std::int16_t sets, QWidget *parent)
    : QWidget(parent), d_(std::make_unique<Private>(type, points, sets))
{
    d_->Chart = new QChart;
    d_->Chart->legend()->hide();
    d_->Chart->setMargins(QMargins(0, 0, 0, 0));
    d_->Chart->layout()->setContentsMargins(0, 0, 0, 0);
    d_->Chart->setBackgroundRoundness(0);
    d_->Chart->setAnimationOptions(QChart::NoAnimation);
    d_->View = new QChartView(d_->Chart, this);
    d_->View->setRenderHint(QPainter::Antialiasing);
    d_->View->setFrameShape(QFrame::NoFrame);
    d_->View->setFocusPolicy(Qt::NoFocus);
    d_->View->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    d_->View->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d_->View);
    setAccessibleDescription(Text(DescribeChart(d_->Model)));
}

ChartWidget::~ChartWidget() = default;

void ChartWidget::Write(ChartProperty property, const ChartValue &value)
{
    switch (d_->Model.Write(property, value)) {
    case ChartModel::Effect::Draw:
        d_->Apply(d_->Model);
        Describe(*this, Text(DescribeChart(d_->Model)));
        emit drawn();
        break;
    case ChartModel::Effect::Cleared:
        Describe(*this, Text(DescribeChart(d_->Model)));
        break;
    case ChartModel::Effect::None:
        break;
    }
}

double ChartWidget::Read(ChartProperty property) const
{
    return d_->Model.Read(property);
}

void ChartWidget::SetVisible(bool visible)
{
    setVisible(visible);
}

void ChartWidget::showEvent(QShowEvent *event)
{
    if (d_->BuiltKind == Private::Kind::None) {
        d_->Apply(d_->Initial);
    }
    QWidget::showEvent(event);
}

// A new width may fit more or fewer day labels; the drawn data stay as they are.
void ChartWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (d_->BuiltKind == Private::Kind::Line && !d_->DayLabels.empty()) {
        d_->LayOutDayAxis();
    }
}

} // namespace cykl
