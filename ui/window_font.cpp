// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_font.h"

#include "display/chart_look.h"
#include "platform/painter/chart_style.h"

#include <QFontDatabase>
#include <algorithm>

namespace cykl {

QStringList WindowFontFamilies()
{
    return chart::FontFamilies();
}

QFont WindowFont()
{
    const QStringList families = WindowFontFamilies();
    const QStringList installed = QFontDatabase::families();
    const auto present = std::find_if(families.begin(), families.end(), [&](const QString &family) {
        return installed.contains(family);
    });
    QFont font(present != families.end() ? *present : families.front());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(look::WindowFontPixels);
    font.setBold(true);
    return font;
}

} // namespace cykl
