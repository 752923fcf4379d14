// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated diary run through the companion command in memory, as a person would have
// it: its plan fixed on its first day, its days imported, then diary test -f json.
#pragma once

#include "calendar/texts.h"
#include "companion/command.h"
#include "companion/io/diary_file.h"
#include "companion/io/people_file.h"
#include "diary/simulate.h"
#include "tests/support/memory_environment.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace cykl::bench {

// An environment holding the diary, ready for RunCommand; `birth` gets its ISO date.
inline void StoreSimulated(const diary::SimulatedDiary &simulated, test::MemoryEnvironment &env,
                           QString &birth)
{
    birth = QString::fromStdString(IsoDate(simulated.Registered.Birth));
    companion::DiaryFile file;
    companion::SetPlan(file, simulated.Registered);
    for (const diary::Entry &entry : simulated.Entries)
        companion::AppendLine(file.Lines, companion::EntryLine(entry));
    env.Files.insert(QStringLiteral("/data/cyklometrika/denik/%1.txt").arg(birth),
                     companion::DiaryText(file));
}

// The command's result of the diary: its JSON.
inline QJsonObject CommandResult(test::MemoryEnvironment &env, const QString &birth)
{
    env.StandardOutput.clear();
    companion::RunCommand({ "cyklometrika", "diary", "test", birth, "-f", "json" }, env);
    return QJsonDocument::fromJson(env.StandardOutput).object();
}

} // namespace cykl::bench
