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
    const QString selection
        = QStringLiteral("--only-critical, --codes a --merge jsou jen pro příkaz critical");
    return {
        { QStringLiteral("only-critical"), selection },
        { QStringLiteral("codes"), selection },
        { QStringLiteral("merge"), selection },
        { QStringLiteral("remind"), QStringLiteral("--remind platí jen s formátem ics") },
        { QStringLiteral("a4"), QStringLiteral("--a4 platí jen pro obrázek PDF příkazu chart") },
        { QStringLiteral("with"),
          QStringLiteral("--with patří k příkazu chart a chce jméno nebo datum narození") },
        { QStringLiteral("replace"), QStringLiteral("--replace patří k příkazu people add") },
    };
}

} // namespace cykl::companion
