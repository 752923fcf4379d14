// SPDX-License-Identifier: GPL-3.0-or-later
// The two charts of the window after one confirmation, drawn off screen: the month chart
// and the day bars at the window's sizes and places, with a line of the two dates and
// the legend of the three cycles above the month chart.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <array>
#include <memory>

namespace cykl::chart_picture {

class Picture {
public:
    // The six field numbers: birth day, month, year, target day, month, year. The caller
    // has made sure the window accepts them.
    explicit Picture(const std::array<int, 6> &fields);
    ~Picture();

    QSize LogicalSize() const;
    // The picture as a file of its kind ("png" at 300 dots per inch, "svg", "pdf" as
    // vectors); empty for an unknown kind.
    QByteArray Render(const QString &kind);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace cykl::chart_picture
