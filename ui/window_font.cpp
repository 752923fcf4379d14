// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_font.h"

#include "platform/painter/chart_painter.h"
#include "platform/painter/chart_style.h"

namespace cykl {

QStringList WindowFontFamilies()
{
    return chart::FontFamilies();
}

QFont WindowFont()
{
    return chart::LookFont(look::WindowFontPixels);
}

} // namespace cykl
