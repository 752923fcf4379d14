// SPDX-License-Identifier: GPL-3.0-or-later
// The chart control on screen: keeps every property write in a model and redraws with
// Qt Charts only on a draw request. Type 6 draws a line chart of all sets over the
// labelled points, type 4 a bar chart; sets 1 to 3 are blue, green and cyan.
#pragma once

#include "display/chart_control.h"

#include <QWidget>
#include <memory>

namespace cykl {

class ChartWidget : public QWidget, public ChartControl {
    Q_OBJECT
public:
    // The state the control starts in: its type code, point count and set count.
    ChartWidget(std::int16_t type, std::int16_t points, std::int16_t sets,
                QWidget *parent = nullptr);
    ~ChartWidget() override;

    void Write(ChartProperty property, const ChartValue &value) override;
    double Read(ChartProperty property) const override;
    void SetVisible(bool visible) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

signals:
    // After each draw request has been applied to the picture.
    void drawn(); // NOLINT(readability-identifier-naming): a signal, named as Qt names them

private:
    struct Private;
    std::unique_ptr<Private> d_;
};

} // namespace cykl
