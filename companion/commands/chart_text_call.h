// SPDX-License-Identifier: GPL-3.0-or-later
// What a chart command line asks of the chart drawn in characters: whether it is asked for
// (-f text, or an output file ending in .txt), braille, colour; and its writing.
#pragma once

#include "companion/commands/chart_text.h"
#include "companion/commands/command_unit.h"

#include <optional>

namespace cykl::companion {

struct TextChartCall {
    bool Asked = false; // -f text, or -o FILE.txt
    bool Braille = false;
    ColourMode Colour = ColourMode::Auto;
};

// Reads -f, --braille and --color for the output path (empty: none given); the usage error
// where they do not fit it.
std::optional<QString> ReadTextChartCall(const CommandLine &line, const QString &path,
                                         TextChartCall &call);

// A chart without -o and without -f text: on a terminal what `rest` holds, the usage error
// or the job; elsewhere the usage error `noPath`, as before there was a chart of characters.
Job OnTerminalOnly(const QString &noPath, const Parsed &rest);

// The chart of one confirmation, to the file or standard output, at the width of COLUMNS or
// of the terminal, in colour where the terminal and the call allow.
int WriteTextChart(Environment &environment, const TextChartCall &call, const QString &path,
                   const TextChartData &data);

} // namespace cykl::companion
