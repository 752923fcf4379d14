// SPDX-License-Identifier: GPL-3.0-or-later
// The one entry of the chart module, which the companion command loads at run time only
// for the command chart: the text commands never load the chart libraries.
#pragma once

#include <cstddef>

extern "C" {

struct CyklometrikaChartJob {
    int Version; // ChartJobVersion
    int Fields[6]; // birth day, month, year, target day, month, year: the six fields
    const char *Path; // UTF-8: where the command writes the picture
    const char *Kind; // "png", "svg", "pdf" or "pdf-a4" (on an A4 landscape page)
    const char *Name; // the person the picture is for (UTF-8), or empty
    // A second person drawn beside the first (--with): the birth day, month and year, or
    // zeros for none; the name (UTF-8, never empty when a birth is given).
    int WithBirth[3];
    const char *WithName;
    char Error[512]; // on failure, why (UTF-8, zero-terminated)
    // The command's own writer, so that a picture is written as every other output is: 0
    // when every byte is in place, else the reason in Error.
    int (*Write)(CyklometrikaChartJob *job, const char *bytes, long long size);
    int Language; // of the picture's words: 0 Czech, 1 English
};

// Draws the picture; 0 when it is written.
typedef int (*CyklometrikaDrawChart)(CyklometrikaChartJob *job);
}

namespace cykl::companion {

inline constexpr int ChartJobVersion = 4;
inline constexpr const char *ChartModuleName = "cyklometrika-chart";
inline constexpr const char *ChartEntryName = "cyklometrika_draw_chart";

} // namespace cykl::companion
