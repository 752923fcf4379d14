// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of a command line that several commands read alike, checked for their form:
// who the command is for, the output and its format, the selection of days. Whether a
// date exists is for the command to say.
#pragma once

#include "companion/commands/command_unit.h"
#include "companion/commands/people_of.h"
#include "companion/io/formats.h"

#include <optional>

namespace cykl::companion {

using Problem = std::optional<QString>;

// Where a report goes and in what form.
struct Output {
    Format Kind = Format::Table;
    bool Excel = false; // CSV for a spreadsheet set to Czech
    QString Path; // empty or "-": standard output
};

// The days a list of critical days keeps, and how a calendar of them is written.
struct Selection {
    QList<MessageCode> Codes; // the verdicts kept; empty: all
    bool Merge = false; // consecutive days with the same codes as one event
    std::optional<int> RemindMinutes; // from the start of each day: -720, 420...
};

// The formats by the names -f takes, in the order of the help.
const QList<std::pair<QString, Format>> &FormatNames();

// The birth (a date, names of the people file as a comma list, or --all), then at most
// `most` arguments more, into `rest`.
Problem ReadWho(const CommandLine &line, qsizetype most, Who &who, QStringList &rest);

// -o alone: the file, or empty or "-" for standard output.
Problem ReadOutputPath(const CommandLine &line, QString &path);
// -o, -f and --excel; `ics` where the command writes iCalendar.
Problem ReadOutput(const CommandLine &line, bool ics, Output &output);
// --remind, with the format ics alone.
Problem ReadRemind(const CommandLine &line, const Output &output, Selection &selection);
// --only-critical or --codes, and --merge.
Problem ReadSelection(const CommandLine &line, const Output &output, Selection &selection);

// The names of the people file apart by commas ("Jana,Petr"), where a comma and a space
// ("Jana, Petr" unquoted) make several arguments of one list: the names, and how many
// arguments they took.
QStringList NameList(const QStringList &arguments, qsizetype &taken);

// The minutes after midnight of a time of day written H:MM (7:00, 23:59).
std::optional<int> ClockMinutes(const QString &text);

QString TooMany(const CommandLine &line, const QString &extra);

} // namespace cykl::companion
