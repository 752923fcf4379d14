// SPDX-License-Identifier: GPL-3.0-or-later
// The commands for two people and a family: match (shoda), how alike two people's rhythms
// run, and together (spolecne), the days two or more people share a verdict.
#pragma once

#include "calendar/together.h"
#include "companion/commands/arguments.h"
#include "companion/command.h"
#include "companion/io/people_file.h"

#include <QDateTime>
#include <variant>

namespace cykl::companion {

inline bool IsGroupCommand(Command command)
{
    return command == Command::Match || command == Command::Together;
}

// The people of match (two: "A B" or "A,B", then an optional day) or together (a comma
// list, or --all, then a span as for critical) as written, into call.Names and call.Rest.
std::optional<QString> ReadGroup(bool everyone, const QStringList &positional, Invocation &call);

// The people of a group command: birth dates (named by their Czech form) and names of the
// people file, in the order given, or everyone in the file. On a problem, it is told on
// standard error and the exit status returned.
std::variant<QList<Person>, int> GroupOf(const Invocation &call, Environment &environment);

// The agreement of two people beside each one's values of the day.
QByteArray MatchReport(Format format, const QList<Person> &people, const Date &day,
                       const std::array<Confirmation, 2> &days);

// The shared days of the people from..to, from their own critical days; in iCalendar the
// days no calendar program holds are left out and named in `leftOut`.
QByteArray SharedReport(const Invocation &call, const QDateTime &now, const QList<Person> &people,
                        const std::vector<CriticalList> &lists, const Date &from, const Date &to,
                        std::vector<Date> &leftOut);

} // namespace cykl::companion
