// SPDX-License-Identifier: GPL-3.0-or-later
// The commands for two people and a family: match (shoda), how alike two people's rhythms
// run, and together (spolecne), the days two or more people share a verdict.
#pragma once

#include "calendar/together.h"
#include "companion/commands/arguments.h"
#include "companion/io/people_file.h"

#include <QDateTime>

namespace cykl::companion {

// The agreement of two people beside each one's values of the day.
QByteArray MatchReport(Format format, const QList<Person> &people, const Date &day,
                       const std::array<Confirmation, 2> &days, Lang lang = Lang::Cs);

// The shared days of the people from..to, from their own critical days; in iCalendar the
// days no calendar program holds are left out and named in `leftOut`.
QByteArray SharedReport(const Output &output, std::optional<int> remindMinutes,
                        const QDateTime &now, const QList<Person> &people,
                        const std::vector<CriticalList> &lists, const Date &from, const Date &to,
                        std::vector<Date> &leftOut, Lang lang = Lang::Cs);

} // namespace cykl::companion
