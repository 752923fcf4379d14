// SPDX-License-Identifier: GPL-3.0-or-later
// diary (denik): what its command line asks for, and one person's diary file opened under
// its lock, which the actions (diary_actions.cpp, diary_test.cpp) share.
#pragma once

#include "companion/commands/arguments.h"
#include "companion/io/diary_file.h"
#include "lang/catalogue.h"

#include <memory>
#include <variant>

namespace cykl::companion {

enum class DiaryAction { Plan, Add, Import, Test, Export, Forget };

struct DiaryCall {
    DiaryAction Action = DiaryAction::Plan;
    QString Command; // the command as written ("denik")
    Who Person;
    QStringList Rest; // the arguments after the birth
    Output Out; // test and export: the format and where it goes
    std::vector<diary::Cycle> Cycles; // plan --hypotheses; empty: all three
    int Days = 90; // plan --days
};

// One person's diary, read with its lock held until it goes.
struct OpenDiary {
    Person Owner;
    QString Label; // the person as messages name them: the name or the birth date
    QString Path;
    std::shared_ptr<void> Lock;
    DiaryFile File;
};

// The diary of the call's person; the exit status where it cannot be opened.
std::variant<OpenDiary, int> OpenDiaryOf(const DiaryCall &call, Environment &environment);
// A file that cannot be used: the note (`key` with the path and why), ExitOutputFailed.
int DiaryFileFailure(Environment &environment, TextKey key, const QString &path,
                     const QString &why);
// Replaces the diary's file as a whole: ExitOk, or ExitOutputFailed with a note.
int StoreDiary(const OpenDiary &diary, Environment &environment);
// The diary's stored plan, where the test may read it; else the refusal is noted and its
// exit status returned.
std::variant<diary::Plan, int> UsablePlan(const DiaryCall &call, const OpenDiary &diary,
                                          Environment &environment);
// then(diary, plan) on the call's diary and its usable plan; the exit status where either
// is refused.
template<typename Then> int WithPlan(const DiaryCall &call, Environment &environment, Then then)
{
    auto opened = OpenDiaryOf(call, environment);
    if (const int *status = std::get_if<int>(&opened))
        return *status;
    OpenDiary &diary = std::get<OpenDiary>(opened);
    const auto plan = UsablePlan(call, diary, environment);
    if (const int *status = std::get_if<int>(&plan))
        return *status;
    return then(diary, std::get<diary::Plan>(plan));
}

// The command line a person types next ("cyklometrika diary add Jana"), in its language.
QString NextCommand(const DiaryCall &call, const OpenDiary &diary, const QString &action,
                    const QString &rest = {});
// A hypothesis as the results name it: "citová křivka a nálada".
QString HypothesisName(diary::Cycle cycle, Lang language);
// A day as the run's language writes it.
QString DayText(const Date &day, Lang language);

int RunPlan(const DiaryCall &call, Environment &environment);
int RunAdd(const DiaryCall &call, Environment &environment);
int RunImport(const DiaryCall &call, Environment &environment);
int RunExport(const DiaryCall &call, Environment &environment);
int RunForget(const DiaryCall &call, Environment &environment);
int RunDiaryTest(const DiaryCall &call, Environment &environment);

} // namespace cykl::companion
