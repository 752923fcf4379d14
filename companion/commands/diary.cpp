// SPDX-License-Identifier: GPL-3.0-or-later
// diary (denik): a person's private diary of how the days felt, and a test fixed in
// advance of whether it goes with their curves. Its command line and its file here; the
// actions in diary_actions.cpp and diary_test.cpp.
#include "calendar/texts.h"
#include "companion/commands/diary_call.h"
#include "companion/commands/units.h"
#include "companion/io/date_arguments.h"
#include "lang/qt/said.h"

#include <QUrl>

namespace cykl::companion {

namespace {

struct ActionName {
    DiaryAction Action;
    QStringList Names; // English first
    qsizetype Most; // the arguments after the birth
};

const QList<ActionName> &ActionNames()
{
    static const QList<ActionName> names {
        { DiaryAction::Plan, { "plan", "plán" }, 0 },
        { DiaryAction::Add, { "add", "pridat", "přidat" }, 4 },
        { DiaryAction::Import, { "import", "nacist", "načíst" }, 1 },
        { DiaryAction::Test, { "test" }, 0 },
        { DiaryAction::Export, { "export" }, 0 },
        { DiaryAction::Forget, { "forget", "zapomenout" }, 1 },
    };
    return names;
}

QStringList AllActionNames()
{
    QStringList all;
    for (const ActionName &action : ActionNames())
        all += action.Names;
    return all;
}

// The file's name: the birth date, or the person's name as a file's name may hold it.
QString FileKey(const Person &person)
{
    if (person.Name.isEmpty())
        return QString::fromStdString(IsoDate(person.Birth));
    const QByteArray name = QUrl::toPercentEncoding(person.Name.trimmed().toCaseFolded());
    if (name.size() <= 120)
        return QString::fromLatin1(name);
    return QStringLiteral("%1-%2").arg(QString::fromLatin1(name.left(100)),
                                       QString::number(Fnv1a(name.toStdString()), 16));
}

std::optional<diary::Cycle> CycleNamed(const QString &name)
{
    static const QList<QStringList> names { { "physical", "fyzicka", "fyzická" },
                                            { "emotional", "citova", "citová" },
                                            { "intellectual", "intelekt" } };
    for (qsizetype c = 0; c < names.size(); ++c) {
        if (names[c].contains(name.trimmed(), Qt::CaseInsensitive))
            return static_cast<diary::Cycle>(c);
    }
    return std::nullopt;
}

// --hypotheses and --days: the plan narrowed to fewer cycles or more days.
Problem ReadPlanOptions(const CommandLine &line, DiaryCall &call)
{
    if (line.IsSet("hypotheses")) {
        for (const QString &part : line.Value("hypotheses").split(QLatin1Char(','))) {
            const auto cycle = CycleNamed(part);
            if (!cycle)
                return Said("diary.usage.hypotheses", line.Language);
            if (std::find(call.Cycles.begin(), call.Cycles.end(), *cycle) == call.Cycles.end())
                call.Cycles.push_back(*cycle);
        }
        std::sort(call.Cycles.begin(), call.Cycles.end());
    }
    const int least = call.Days;
    bool ok = !line.IsSet("days");
    if (!ok)
        call.Days = line.Value("days").toInt(&ok);
    if (!ok || call.Days < least || call.Days > 100 * 366)
        return Said("diary.usage.days", line.Language, { std::to_string(least) });
    return std::nullopt;
}

// The options an action takes, of those the command knows.
Problem ReadActionOptions(const CommandLine &line, DiaryCall &call)
{
    const Lang lang = line.Language;
    for (const char *key : { "hypotheses", "days" }) {
        if (line.IsSet(key) && call.Action != DiaryAction::Plan)
            return Said("diary.usage.options", lang, { Dashed(key).toStdString(), "plan" });
    }
    if (line.IsSet("format") && call.Action != DiaryAction::Test)
        return Said("diary.usage.options", lang, { "-f", "test" });
    if (line.IsSet("output") && call.Action != DiaryAction::Test
        && call.Action != DiaryAction::Export)
        return Said("diary.usage.options", lang, { "-o", "test, export" });
    if (call.Action == DiaryAction::Plan)
        return ReadPlanOptions(line, call);
    if (call.Action == DiaryAction::Export) {
        call.Out.Kind = Format::Csv;
        return ReadOutputPath(line, call.Out.Path);
    }
    if (call.Action != DiaryAction::Test)
        return std::nullopt;
    if (auto problem = ReadOutput(line, false, call.Out))
        return problem;
    if (call.Out.Kind != Format::Table && call.Out.Kind != Format::Json)
        return Said("diary.usage.format", lang);
    return std::nullopt;
}

Parsed ParseDiary(const CommandLine &line)
{
    const QString word = line.Arguments.value(0);
    const auto named
        = std::find_if(ActionNames().begin(), ActionNames().end(), [&](const ActionName &action) {
              return action.Names.contains(word, Qt::CaseInsensitive);
          });
    if (named == ActionNames().end())
        return Said("diary.usage.action", line.Language, { Shortened(word).toStdString() });
    DiaryCall call { named->Action, line.Name, {}, {}, {}, {}, 90 };
    const CommandLine rest { line.Name + QLatin1Char(' ') + word, line.Arguments.mid(1),
                             line.Parser, line.Language };
    if (auto problem = ReadWho(rest, named->Most, call.Person, call.Rest))
        return *problem;
    if (call.Person.Names.size() > 1)
        return Said("diary.usage.one", line.Language, { rest.Name.toStdString() });
    if (call.Action == DiaryAction::Add && call.Rest.size() < 3)
        return Said("diary.usage.add", line.Language, { line.Name.toStdString(), "" });
    if (call.Action == DiaryAction::Import && call.Rest.size() != 1)
        return Said("diary.usage.import", line.Language, { line.Name.toStdString() });
    if (auto problem = ReadActionOptions(line, call))
        return *problem;
    return [call](Environment &environment) {
        switch (call.Action) {
        case DiaryAction::Plan:
            return RunPlan(call, environment);
        case DiaryAction::Add:
            return RunAdd(call, environment);
        case DiaryAction::Import:
            return RunImport(call, environment);
        case DiaryAction::Test:
            return RunDiaryTest(call, environment);
        case DiaryAction::Export:
            return RunExport(call, environment);
        case DiaryAction::Forget:
            break;
        }
        return RunForget(call, environment);
    };
}

void NoteProblems(const OpenDiary &diary, Environment &environment)
{
    const Lang lang = environment.Language();
    const std::string path = diary.Path.toStdString();
    for (const qsizetype line : diary.File.Unread)
        Note(environment, Said("diary.file.unread", lang, { path, std::to_string(line) }));
    for (const qsizetype line : diary.File.Twice)
        Note(environment, Said("diary.file.twice", lang, { path, std::to_string(line) }));
}

} // namespace

int DiaryFileFailure(Environment &environment, TextKey key, const QString &path, const QString &why)
{
    Note(environment, Said(key, environment.Language(), { path.toStdString(), why.toStdString() }));
    return ExitOutputFailed;
}

QString HypothesisName(diary::Cycle cycle, Lang language)
{
    switch (cycle) {
    case diary::Cycle::Physical:
        return Said("diary.hypothesis.physical", language);
    case diary::Cycle::Emotional:
        return Said("diary.hypothesis.emotional", language);
    case diary::Cycle::Intellectual:
        break;
    }
    return Said("diary.hypothesis.intellectual", language);
}

QString DayText(const Date &day, Lang language)
{
    return QString::fromStdString(language == Lang::Cs ? CzechDate(day) : IsoDate(day));
}

QString NextCommand(const DiaryCall &call, const OpenDiary &diary, const QString &action,
                    const QString &rest)
{
    QString who = diary.Owner.Name.isEmpty() ? call.Person.BirthText : diary.Owner.Name;
    if (who.contains(QLatin1Char(' ')))
        who = QLatin1Char('"') + who + QLatin1Char('"');
    QString line = QStringLiteral("cyklometrika %1 %2 %3").arg(call.Command, action, who);
    return rest.isEmpty() ? line : line + QLatin1Char(' ') + rest;
}

std::variant<OpenDiary, int> OpenDiaryOf(const DiaryCall &call, Environment &environment)
{
    const auto people = PeopleOf(call.Person, environment);
    if (const int *status = std::get_if<int>(&people))
        return *status;
    OpenDiary diary;
    diary.Owner = std::get<QList<Person>>(people).first();
    diary.Label = diary.Owner.Name.isEmpty() ? DayText(diary.Owner.Birth, environment.Language())
                                             : diary.Owner.Name;
    diary.Path = environment.DataFolder() + QStringLiteral("/cyklometrika/denik/")
        + FileKey(diary.Owner) + QStringLiteral(".txt");
    QString error;
    diary.Lock = environment.LockOwnFile(diary.Path, error);
    if (!diary.Lock)
        return DiaryFileFailure(environment, "diary.file.lock", diary.Path, error);
    QByteArray text;
    if (!environment.ReadOwnFile(diary.Path, MaxDiaryFileSize, text, error))
        return DiaryFileFailure(environment, "diary.file.read", diary.Path, error);
    if (text.size() > MaxDiaryFileSize)
        return DiaryFileFailure(environment, "diary.file.large", diary.Path,
                                QString::number(MaxDiaryFileSize / (qsizetype(1024) * 1024)));
    diary.File = ReadDiary(text);
    NoteProblems(diary, environment);
    return diary;
}

int StoreDiary(const OpenDiary &diary, Environment &environment)
{
    QString error;
    const QByteArray text = DiaryText(diary.File);
    if (text.size() > MaxDiaryFileSize)
        return DiaryFileFailure(environment, "diary.file.large", diary.Path,
                                QString::number(MaxDiaryFileSize / (qsizetype(1024) * 1024)));
    if (environment.WriteOwnFile(diary.Path, text, error))
        return ExitOk;
    return DiaryFileFailure(environment, "diary.file.write", diary.Path, error);
}

std::variant<diary::Plan, int> UsablePlan(const DiaryCall &call, const OpenDiary &diary,
                                          Environment &environment)
{
    const Lang lang = environment.Language();
    diary::Plan plan;
    const PlanState state = StoredPlan(diary.File, plan);
    QString refusal;
    if (state == PlanState::None)
        refusal = Said("diary.plan.none", lang,
                       { diary.Label.toStdString(),
                         NextCommand(call, diary, QStringLiteral("plan")).toStdString() });
    else if (state == PlanState::Unreadable)
        refusal = Said("diary.plan.unreadable", lang, { diary.Path.toStdString() });
    else if (state == PlanState::Changed)
        refusal = Said("diary.plan.changed", lang,
                       { diary.Path.toStdString(), DayText(plan.Registered, lang).toStdString() });
    else if (!(plan.Birth == diary.Owner.Birth))
        refusal = Said("diary.plan.birth", lang,
                       { DayText(plan.Birth, lang).toStdString(),
                         DayText(diary.Owner.Birth, lang).toStdString() });
    if (refusal.isEmpty())
        return plan;
    Note(environment, refusal);
    return ExitRefused;
}

CommandUnit DiaryUnit()
{
    return { { "diary", "denik", "deník" },
             { "format", "output", "hypotheses", "days" },
             PersonRefusals(),
             ParseDiary,
             { "diary.listing.plan", "diary.listing.add", "diary.listing.test",
               "diary.listing.more" },
             "diary.help",
             { 1 },
             AllActionNames() };
}

} // namespace cykl::companion
