// SPDX-License-Identifier: GPL-3.0-or-later
// The charts' layout written as SVG elements, for the web page to put into its <svg>: the
// geometry and the widths come from the layout and the look, the colours from the classes
// the page styles by its theme (grid, tick, axis, zero, zero-bar, curve, bar, mark, label,
// value, each set's element also set1, set2...).
#pragma once

#include "display/chart_layout.h"

#include <string>
#include <string_view>

namespace cykl::layout {

struct SvgOptions {
    std::string_view Id; // unique in the page: names the curves' clip path
    double FontPixels = 0; // the size the labels were measured at
    // Only the curves and their marks, to lay over another chart of the same size (a
    // second person's), as the painter's CurvesOnly; the group takes the class given.
    bool CurvesOnly = false;
    std::string_view Class;
};

// The elements of the chart, in painting order, for an <svg> whose view box is
// 0 0 Width Height.
std::string SvgElements(const Chart &chart, const SvgOptions &options);

} // namespace cykl::layout
