// SPDX-License-Identifier: GPL-3.0-or-later
// The chart control on screen: keeps every property write in a model and shows the data as
// they stood at the last draw request, painted by the chart painter. Type 6 draws a line
// chart of all sets over the labelled points, type 4 a bar chart; sets 1 to 3 are blue,
// green and cyan.
#pragma once

#include "display/chart_control.h"
#include "display/chart_model.h"

#include <QWidget>

namespace cykl {

class ChartWidget : public QWidget, public ChartControl {
    Q_OBJECT
public:
    // The state the control starts in: its type code, point count and set count.
    // lang: of its description for screen readers.
    ChartWidget(std::int16_t type, std::int16_t points, std::int16_t sets,
                QWidget *parent = nullptr, Lang lang = Lang::Cs);
    ~ChartWidget() override;

    void Write(ChartProperty property, const ChartValue &value) override;
    double Read(ChartProperty property) const override;
    void SetVisible(bool visible) override;

    // The data the control shows: as they stood at the last draw request, or the state
    // it was made in before any.
    const ChartModel &Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent *event) override;

signals:
    // After each draw request has been applied to the picture.
    void drawn(); // NOLINT(readability-identifier-naming): a signal, named as Qt names them

private:
    void Describe();

    Lang lang_;

    ChartModel model_;
    ChartModel shown_;
};

} // namespace cykl
