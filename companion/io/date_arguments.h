// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as the command line writes them, what is wrong with one that is no day, and the
// other single arguments a message or a picture needs.
#pragma once

#include "calendar/dates.h"
#include "lang/language.h"

#include <QString>
#include <optional>

namespace cykl::companion {

// A date ("D.M.YYYY", "YYYY-MM-DD") or, where `month`, a month; on failure, why not, in
// lang. A date written month first (3/5/1996) is no date in any language; in English the
// reason says how to write it.
std::optional<Date> DateArgument(const QString &text, bool month, QString &error, Lang lang);

// A date written month first, as in the United States ("3/5/1996" is 5 March 1996): the
// day it would be, where it is one.
std::optional<Date> MonthFirst(const QString &text);

// A year alone ("2027"), four digits or more.
std::optional<int> YearArgument(const QString &text);

// Why a date of the right form is no day (no month, where `month`) of the calculation's
// calendar within the years 1 to 9999, in lang ("únor 2000 má 29 dní"); empty when it is one.
QString NoSuchDay(const Date &date, bool month, Lang lang);

// An argument as a message quotes it: at most about 60 characters.
QString Shortened(const QString &text);

// The picture's kind by the file's extension ("png", "svg", "pdf"), or empty.
QString ChartKind(const QString &path);

} // namespace cykl::companion
