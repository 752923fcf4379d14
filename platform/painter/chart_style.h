// SPDX-License-Identifier: GPL-3.0-or-later
// The charts' look (display/chart_look.h) in Qt's types.
#pragma once

#include "display/chart_look.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

namespace cykl::chart {

inline QColor Colour(look::Rgb rgb)
{
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

inline QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QStringList FontFamilies()
{
    QStringList families;
    for (const std::string_view family : look::FontFamilies())
        families.append(Text(family));
    return families;
}

} // namespace cykl::chart
