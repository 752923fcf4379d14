// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/chart_widget.h"

#include "platform/chart_model.h"
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
        : model(type, points, sets), initial(type, points, sets)
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

    ChartModel model;
    // The state the control was made in: what it shows when it appears before any draw
    // request. The axes and series are made only when first needed, at the first draw
    // request or the first showing, as a control that starts hidden may never be drawn.
    const ChartModel initial;
    QChartView *view = nullptr;
    QChart *chart = nullptr;
    Kind kind = Kind::None;
    QLineSeries *zeroLine = nullptr;
    // Line chart (type 6 and any type other than 4).
    QCategoryAxis *dayAxis = nullptr;
    std::vector<QLineSeries *> lines;
    std::vector<std::string> dayLabels;
    // Bar chart (type 4): one bar set per point, one category per data set.
    QBarSeries *bars = nullptr;
    QBarCategoryAxis *barAxis = nullptr;
    std::vector<QBarSet *> barSets;
};

void ChartWidget::Private::Build(Kind wanted)
{
    chart->removeAllSeries();
    for (auto *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    zeroLine = nullptr;
    dayAxis = nullptr;
    lines.clear();
    dayLabels.clear();
    bars = nullptr;
    barAxis = nullptr;
    barSets.clear();
    kind = wanted;
    // The hidden legend still measures the names of the series in its font: the axis font,
    // which is loaded already.
    chart->legend()->setFont(AxisFont());
    if (kind == Kind::Bar) {
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
    QFont font = view->font();
    font.setPixelSize(AxisFontPixels);
    return font;
}

void ChartWidget::Private::StyleAxis(QAbstractAxis *axis) const
{
    const QFont font = AxisFont();
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
    axis->setTitleVisible(false);
    axis->setLabelsColor(view->palette().color(QPalette::Text));
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
    chart->addAxis(axis, Qt::AlignLeft);
    return axis;
}

QLineSeries *ChartWidget::Private::AddZeroLine(QAbstractAxis *x, QValueAxis *y)
{
    auto *line = new QLineSeries;
    line->setObjectName(QStringLiteral("zeroLine"));
    line->setPen(QPen(QColor(96, 96, 96), 1));
    chart->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
    return line;
}

void ChartWidget::Private::BuildLine()
{
    dayAxis = new QCategoryAxis;
    dayAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    dayAxis->setGridLineVisible(false);
    StyleAxis(dayAxis);
    chart->addAxis(dayAxis, Qt::AlignBottom);
    auto *valueAxis = AddValueAxis();
    zeroLine = AddZeroLine(dayAxis, valueAxis);
}

void ChartWidget::Private::BuildBar()
{
    bars = new QBarSeries;
    bars->setBarWidth(0.9);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsCenter);
    chart->addSeries(bars);
    barAxis = new QBarCategoryAxis;
    barAxis->setGridLineVisible(false);
    StyleAxis(barAxis);
    chart->addAxis(barAxis, Qt::AlignBottom);
    auto *valueAxis = AddValueAxis();
    bars->attachAxis(barAxis);
    bars->attachAxis(valueAxis);
    zeroLine = AddZeroLine(barAxis, valueAxis);
}

void ChartWidget::Private::Apply(const ChartModel &data)
{
    const Kind wanted = data.Type() == ChartTypeBar ? Kind::Bar : Kind::Line;
    if (wanted != kind) {
        Build(wanted);
    }
    if (kind == Kind::Bar) {
        FillBars(data);
    } else {
        FillLines(data);
    }
}

void ChartWidget::Private::FillLines(const ChartModel &data)
{
    const int points = data.Points();
    auto *valueAxis = chart->axes(Qt::Vertical).value(0);
    while (static_cast<int>(lines.size()) < data.Sets()) {
        auto *series = new QLineSeries;
        series->setName(Text(SeriesName(static_cast<int>(lines.size()))));
        series->setPen(QPen(ColourOf(static_cast<int>(lines.size())).line, 1.6));
        chart->addSeries(series);
        series->attachAxis(dayAxis);
        series->attachAxis(valueAxis);
        lines.push_back(series);
    }
    for (int set = 0; set < static_cast<int>(lines.size()); ++set) {
        QList<QPointF> curve;
        for (int point = 0; set < data.Sets() && point < points; ++point) {
            if (const auto value = data.Value(set, point)) {
                curve.append(QPointF(point + 1, *value));
            }
        }
        Replace(*lines[static_cast<std::size_t>(set)], curve);
    }
    dayAxis->setRange(0.5, points + 0.5);
    Replace(*zeroLine, { QPointF(0.5, 0), QPointF(points + 0.5, 0) });
    UpdateDayAxis(data);
}

// The labels of the drawn points; the axis is laid out again only when they change.
void ChartWidget::Private::UpdateDayAxis(const ChartModel &data)
{
    std::vector<std::string> labels;
    for (int point = 0; point < data.Points(); ++point) {
        labels.push_back(data.Label(point));
    }
    if (labels != dayLabels) {
        dayLabels = std::move(labels);
        LayOutDayAxis();
    }
}

// How many points apart the labels must stand so that none is cut short: every point
// when there is room, else every 2nd, 5th, 10th... point.
int ChartWidget::Private::DayLabelStep() const
{
    const QFontMetrics metrics(dayAxis->labelsFont());
    int widest = 0;
    for (const auto &label : dayLabels) {
        widest = std::max(widest, metrics.horizontalAdvance(Text(label).trimmed()));
    }
    widest = std::max(widest, metrics.horizontalAdvance(QString::number(dayLabels.size())));
    const double room
        = std::max(1, view->parentWidget()->width() - ValueAxisRoom) / double(dayLabels.size());
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
    const bool numbered = std::ranges::all_of(dayLabels, [](const auto &l) { return l.empty(); });
    const int step = DayLabelStep();
    QList<std::pair<QString, int>> wanted;
    for (int point = 1; point <= static_cast<int>(dayLabels.size()); ++point) {
        const bool shown = step < 5 ? (point - 1) % step == 0 : point == 1 || point % step == 0;
        const auto label = numbered
            ? QString::number(point)
            : Text(dayLabels[static_cast<std::size_t>(point - 1)]).trimmed();
        if (shown && !label.isEmpty()) {
            wanted.append({ label, point });
        }
    }
    QList<std::pair<QString, int>> shown;
    for (const auto &label : dayAxis->categoriesLabels()) {
        shown.append({ label, qRound(dayAxis->endValue(label)) });
    }
    if (shown == wanted) {
        return;
    }
    for (const auto &old : shown) {
        dayAxis->remove(old.first);
    }
    dayAxis->setStartValue(0.5);
    for (const auto &[label, point] : wanted) {
        dayAxis->append(label, point);
    }
}

void ChartWidget::Private::RebuildBarSets(const ChartModel &data)
{
    const QFont barLabelFont = AxisFont();
    bars->clear();
    barSets.clear();
    for (int point = 0; point < data.Points(); ++point) {
        auto *set = new QBarSet(Text(SeriesName(point)));
        set->setColor(ColourOf(point).fill);
        set->setBorderColor(ColourOf(point).line.darker(130));
        set->setLabelFont(barLabelFont);
        bars->append(set);
        barSets.push_back(set);
    }
}

void ChartWidget::Private::FillBars(const ChartModel &data)
{
    const int sets = data.Sets();
    if (static_cast<int>(barSets.size()) != data.Points()) {
        RebuildBarSets(data);
    }
    QStringList categories;
    for (int set = 0; set < sets; ++set) {
        const auto label = set == 0 ? Text(data.Label(0)) : QString::number(set + 1);
        categories.append(label.isEmpty() ? QStringLiteral(" ") : label);
    }
    if (barAxis->categories() != categories) {
        barAxis->setCategories(categories);
    }
    bool complete = true;
    for (int point = 0; point < data.Points(); ++point) {
        auto *set = barSets[static_cast<std::size_t>(point)];
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
    bars->setLabelsVisible(complete);
    ColourBarLabels();
    Replace(*zeroLine, { QPointF(-0.5, 0), QPointF(sets - 0.5, 0) });
}

// A value is written in the middle of its bar, in a colour that stands out from the
// fill; a bar too short to hold it has it spill onto the white plot, so it is black.
void ChartWidget::Private::ColourBarLabels()
{
    for (int point = 0; point < static_cast<int>(barSets.size()); ++point) {
        auto *set = barSets[static_cast<std::size_t>(point)];
        bool fits = true;
        for (int index = 0; index < set->count(); ++index) {
            fits = fits && std::abs(set->at(index)) >= ShortestLabelledBar;
        }
        set->setLabelColor(fits ? ColourOf(point).text : QColor(0, 0, 0));
    }
}

ChartWidget::ChartWidget(std::int16_t type, std::int16_t points, std::int16_t sets, QWidget *parent)
    : QWidget(parent), d(std::make_unique<Private>(type, points, sets))
{
    d->chart = new QChart;
    d->chart->legend()->hide();
    d->chart->setMargins(QMargins(0, 0, 0, 0));
    d->chart->layout()->setContentsMargins(0, 0, 0, 0);
    d->chart->setBackgroundRoundness(0);
    d->chart->setAnimationOptions(QChart::NoAnimation);
    d->view = new QChartView(d->chart, this);
    d->view->setRenderHint(QPainter::Antialiasing);
    d->view->setFrameShape(QFrame::NoFrame);
    d->view->setFocusPolicy(Qt::NoFocus);
    d->view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    d->view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->view);
    setAccessibleDescription(Text(DescribeChart(d->model)));
}

ChartWidget::~ChartWidget() = default;

void ChartWidget::Write(ChartProperty property, const ChartValue &value)
{
    switch (d->model.Write(property, value)) {
    case ChartModel::Effect::Draw:
        d->Apply(d->model);
        Describe(*this, Text(DescribeChart(d->model)));
        emit drawn();
        break;
    case ChartModel::Effect::Cleared:
        Describe(*this, Text(DescribeChart(d->model)));
        break;
    case ChartModel::Effect::None:
        break;
    }
}

double ChartWidget::Read(ChartProperty property) const
{
    return d->model.Read(property);
}

void ChartWidget::SetVisible(bool visible)
{
    setVisible(visible);
}

void ChartWidget::showEvent(QShowEvent *event)
{
    if (d->kind == Private::Kind::None) {
        d->Apply(d->initial);
    }
    QWidget::showEvent(event);
}

// A new width may fit more or fewer day labels; the drawn data stay as they are.
void ChartWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (d->kind == Private::Kind::Line && !d->dayLabels.empty()) {
        d->LayOutDayAxis();
    }
}

} // namespace cykl
