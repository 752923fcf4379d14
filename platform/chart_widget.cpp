// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/chart_widget.h"

#include "platform/painter/chart_painter.h"
#include "platform/painter/chart_style.h"

#include <QPaintEvent>
#include <QPainter>

namespace cykl {

ChartWidget::ChartWidget(std::int16_t type, std::int16_t points, std::int16_t sets, QWidget *parent,
                         Lang lang)
    : QWidget(parent), lang_(lang), model_(type, points, sets), shown_(model_)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    Describe();
}

ChartWidget::~ChartWidget() = default;

void ChartWidget::Describe()
{
    const QString description = chart::Text(DescribeChart(model_, lang_));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

void ChartWidget::Write(ChartProperty property, const ChartValue &value)
{
    switch (model_.Write(property, value)) {
    case ChartModel::Effect::Draw:
        shown_ = model_;
        update();
        Describe();
        emit drawn();
        break;
    case ChartModel::Effect::Cleared:
        Describe();
        break;
    case ChartModel::Effect::None:
        break;
    }
}

double ChartWidget::Read(ChartProperty property) const
{
    return model_.Read(property);
}

void ChartWidget::SetVisible(bool visible)
{
    setVisible(visible);
}

void ChartWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    chart::PaintOptions options;
    options.Font = font();
    options.Ink = palette().color(QPalette::Text);
    chart::PaintChart(painter, rect(), shown_, options);
}

} // namespace cykl
