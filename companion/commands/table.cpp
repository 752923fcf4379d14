// SPDX-License-Identifier: GPL-3.0-or-later
// The table of the companion's commands.
#include "companion/commands/units.h"

namespace cykl::companion {

const QList<CommandUnit> &Commands()
{
    static const QList<CommandUnit> units { DayUnit(),    MonthUnit(),     CriticalUnit(),
                                            ChartUnit(),  MatchUnit(),     TogetherUnit(),
                                            PeopleUnit(), DiaryUnit(),     FeedUnit(),
                                            NotifyUnit(), RemindersUnit(), CompletionUnit(),
                                            McpUnit() };
    return units;
}

const CommandUnit *FindCommand(const QString &name)
{
    for (const CommandUnit &unit : Commands()) {
        if (unit.Names.contains(name.toLower()))
            return &unit;
    }
    return nullptr;
}

QList<Refusal> PersonRefusals()
{
    return {
        { "only-critical", "usage.selection.critical" },
        { "codes", "usage.selection.critical" },
        { "merge", "usage.selection.critical" },
        { "remind", "usage.remind.ics" },
        { "a4", "usage.a4.chart" },
        { "with", "usage.with.chart" },
        { "replace", "usage.replace.people" },
    };
}

} // namespace cykl::companion
