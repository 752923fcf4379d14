// SPDX-License-Identifier: GPL-3.0-or-later
// The command units, each in a file of its own; Commands() lists them.
#pragma once

#include "companion/commands/command_unit.h"

namespace cykl::companion {

CommandUnit DayUnit();
CommandUnit MonthUnit();
CommandUnit CriticalUnit();
CommandUnit ChartUnit();
CommandUnit PeopleUnit();
CommandUnit MatchUnit();
CommandUnit TogetherUnit();
CommandUnit FeedUnit();
CommandUnit NotifyUnit();
CommandUnit RemindersUnit();
CommandUnit DiaryUnit();
CommandUnit CompletionUnit();
CommandUnit McpUnit();

// What the commands for people refuse alike, of the options they do not take.
QList<Refusal> PersonRefusals();

} // namespace cykl::companion
