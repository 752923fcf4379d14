// SPDX-License-Identifier: GPL-3.0-or-later
// The one font of both windows: "MS Sans Serif" 8.25 pt bold, which is 11 pixels at the
// 96 dots per inch the windows' pixel layouts are drawn for.
#pragma once

#include <QFont>
#include <QStringList>

namespace cykl {

// The design family first, then the installed families closest to it in metrics.
QStringList WindowFontFamilies();

// The first family of WindowFontFamilies that is installed, 11 pixels, bold. Naming an
// installed family leaves the font matching nothing to search for.
QFont WindowFont();

} // namespace cykl
