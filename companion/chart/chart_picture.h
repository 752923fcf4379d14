// SPDX-License-Identifier: GPL-3.0-or-later
// The two charts of the window after one confirmation, drawn with no window: the month
// chart and the day bars at the window's sizes and places, with a line of the two dates
// (and the person's name, when given) and the legend of the three cycles above the month chart.
#pragma once

#include "lang/language.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>
#include <optional>

class QIODevice;

namespace cykl::chart_picture {

// A second person drawn on the same charts: the birth day, month and year, and the name.
struct WithPerson {
    std::array<int, 3> Birth {};
    QString Name;
};

class Picture {
public:
    // The six field numbers: birth day, month, year, target day, month, year. The caller
    // has made sure the window accepts them. A name labels the heading, the title and the
    // description with the person the picture is for.
    // With a second person (whose birth the window accepts for the same target day), both
    // people's curves share the month chart, the first's drawn whole and the second's
    // dashed, a legend of the two names tells them apart, and each has its day bars, side
    // by side, under the name.
    // The heading, the title and the description speak lang.
    explicit Picture(const std::array<int, 6> &fields, const QString &name = QString(),
                     const std::optional<WithPerson> &with = std::nullopt, Lang lang = Lang::Cs);
    ~Picture();

    // The picture as a file of its kind: "png" at 300 dots per inch, "svg" and "pdf" as
    // vectors at the picture's size, "pdf-a4" on an A4 landscape page; empty for an
    // unknown kind. The PNG and SVG carry the dates and the day's values as their
    // description.
    QByteArray Render(const QString &kind) const;

private:
    void RenderPdf(QIODevice &device, bool a4) const;
    void AddWith(const WithPerson &with, const std::array<int, 6> &fields);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace cykl::chart_picture
