// SPDX-License-Identifier: GPL-3.0-or-later
// diary plan, add, import, export and forget: the diary written, read out and deleted.
// None of them shows a curve or a value: the days stay blind until the test.
#include "calendar/texts.h"
#include "companion/commands/diary_call.h"
#include "companion/io/date_arguments.h"
#include "companion/io/people_file.h"
#include "lang/qt/said.h"

#include <QSet>

namespace cykl::companion {

namespace {

Date Today(const Environment &environment)
{
    const QDate today = environment.Today();
    return { today.day(), today.month(), today.year() };
}

std::string Std(const QString &text)
{
    return text.toStdString();
}

QString RatingsText(const diary::Entry &entry)
{
    return QStringLiteral("%1 %2 %3")
        .arg(entry.Ratings[0])
        .arg(entry.Ratings[1])
        .arg(entry.Ratings[2]);
}

// Why the day cannot be written in the diary of a person born on `birth`, or empty.
QString DayProblem(const Date &day, const Date &birth, const Date &today, Lang lang)
{
    if (today < day)
        return Said("diary.usage.future", lang, { Std(DayText(day, lang)) });
    if (day < birth)
        return Said("diary.usage.birth", lang,
                    { Std(DayText(day, lang)), Std(DayText(birth, lang)) });
    return {};
}

std::optional<int> Rating(const QString &text)
{
    bool ok = false;
    const int rating = text.trimmed().toInt(&ok);
    return ok && rating >= 1 && rating <= 5 ? std::optional(rating) : std::nullopt;
}

// How many days the test would read, and what it waits for.
QString CountLine(const DiaryCall &call, const OpenDiary &diary, const diary::Plan &plan, Lang lang)
{
    const auto days
        = static_cast<int>(diary::ReadSample(plan.Birth, diary.File.Entries).DayNumbers.size());
    if (days >= plan.MinimumDays)
        return Said(
            "diary.count.ready", lang,
            { std::to_string(days), Std(NextCommand(call, diary, QStringLiteral("test"))) });
    return QString::fromStdString(
        SayCount("diary.count", lang, days, { std::to_string(plan.MinimumDays) }));
}

// The days of an imported diary, or the exit status with the line that stops it.
std::variant<std::vector<diary::Entry>, int> ImportedEntries(const QString &path,
                                                             const QByteArray &text,
                                                             const OpenDiary &diary,
                                                             Environment &environment)
{
    const Lang lang = environment.Language();
    const QList<QByteArray> lines = SplitLines(text, text.startsWith("\xEF\xBB\xBF") ? 3 : 0);
    if (lines.isEmpty() || lines.first().trimmed() != "date,energy,mood,focus") {
        Note(environment, Said("diary.import.header", lang, { Std(path) }));
        return ExitRefused;
    }
    std::vector<diary::Entry> entries;
    QSet<QString> days;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char(','));
        QString error;
        const auto day = DateArgument(fields.value(0).trimmed(), false, error, lang);
        diary::Entry entry { day.value_or(Date {}), {}, false, true };
        QString why = fields.size() == 4 && day && NoSuchDay(*day, false, lang).isEmpty()
                && QString::fromStdString(IsoDate(*day)) == fields[0].trimmed()
            ? QString()
            : Said("diary.import.form", lang);
        for (std::size_t k = 0; k < 3 && why.isEmpty(); ++k) {
            const auto rating = Rating(fields[qsizetype(k) + 1]);
            why = rating ? QString() : Said("diary.import.form", lang);
            entry.Ratings[k] = rating.value_or(0);
        }
        if (why.isEmpty())
            why = DayProblem(entry.Day, diary.Owner.Birth, Today(environment), lang);
        if (why.isEmpty() && days.contains(fields[0].trimmed()))
            why = Said("diary.import.twice", lang, { Std(DayText(entry.Day, lang)) });
        if (!why.isEmpty()) {
            Note(environment,
                 Said("diary.import.line", lang, { Std(path), std::to_string(i + 1), Std(why) }));
            return ExitRefused;
        }
        days.insert(fields[0].trimmed());
        entries.push_back(entry);
    }
    return entries;
}

bool Shown(const OpenDiary &diary, const Date &day)
{
    return diary.File.ShownThrough && !(*diary.File.ShownThrough < day);
}

} // namespace

int RunPlan(const DiaryCall &call, Environment &environment)
{
    const Lang lang = environment.Language();
    auto opened = OpenDiaryOf(call, environment);
    if (const int *status = std::get_if<int>(&opened))
        return *status;
    OpenDiary &diary = std::get<OpenDiary>(opened);
    diary::Plan plan;
    const PlanState state = StoredPlan(diary.File, plan);
    QString refusal;
    if (state == PlanState::Unreadable)
        refusal = Said("diary.plan.unreadable", lang, { Std(diary.Path) });
    else if (state != PlanState::None)
        refusal = Said("diary.plan.exists", lang,
                       { Std(diary.Label), Std(DayText(plan.Registered, lang)) });
    else if (!diary.File.Entries.empty())
        refusal = Said("diary.plan.late", lang, { Std(diary.Label) });
    if (!refusal.isEmpty()) {
        Note(environment, refusal);
        return ExitRefused;
    }
    plan = diary::DefaultPlan(diary.Owner.Birth, Today(environment));
    plan.MinimumDays = call.Days;
    QStringList hypotheses;
    std::erase_if(plan.Hypotheses, [&](const diary::Hypothesis &h) {
        return !call.Cycles.empty()
            && std::find(call.Cycles.begin(), call.Cycles.end(), h.Curve) == call.Cycles.end();
    });
    for (const diary::Hypothesis &h : plan.Hypotheses)
        hypotheses.append(HypothesisName(h.Curve, lang));
    if (diary.File.Lines.isEmpty())
        AppendLine(diary.File.Lines, Said("diary.file.comment", lang).toUtf8());
    SetPlan(diary.File, plan);
    if (const int status = StoreDiary(diary, environment); status != ExitOk)
        return status;
    const QString next
        = NextCommand(call, diary, QStringLiteral("add"), Said("diary.add.arguments", lang));
    environment.Out(Said("diary.plan.done", lang,
                         { Std(diary.Label), Std(DayText(plan.Registered, lang)),
                           Std(hypotheses.join(QStringLiteral(", "))),
                           std::to_string(plan.MinimumDays), diary::PlanChecksum(plan), Std(next) })
                        .toUtf8());
    return ExitOk;
}

int RunAdd(const DiaryCall &call, Environment &environment)
{
    const Lang lang = environment.Language();
    diary::Entry entry;
    const qsizetype first = call.Rest.size() - 3;
    for (std::size_t k = 0; k < 3; ++k) {
        const QString &text = call.Rest[first + qsizetype(k)];
        const auto rating = Rating(text);
        if (!rating)
            return UsageError(
                environment,
                Said("diary.usage.add", lang, { Std(call.Command), Std(Shortened(text)) }));
        entry.Ratings[k] = *rating;
    }
    QString error;
    const auto day = first == 1 ? DateArgument(call.Rest[0], false, error, lang)
                                : std::optional(Today(environment));
    if (!day)
        return UsageError(environment, error);
    if (const QString why = NoSuchDay(*day, false, lang); !why.isEmpty())
        return UsageError(environment, why);
    entry.Day = *day;
    return WithPlan(call, environment, [&](OpenDiary &diary, const diary::Plan &plan) -> int {
        if (const QString why = DayProblem(entry.Day, plan.Birth, Today(environment), lang);
            !why.isEmpty())
            return UsageError(environment, why);
        entry.Shown = Shown(diary, entry.Day);
        const auto before = std::find_if(diary.File.Entries.begin(), diary.File.Entries.end(),
                                         [&](const diary::Entry &e) { return e.Day == entry.Day; });
        const QString was = before == diary.File.Entries.end() ? QString() : RatingsText(*before);
        PutEntry(diary.File, entry);
        if (const int status = StoreDiary(diary, environment); status != ExitOk)
            return status;
        const std::string who = Std(diary.Label), when = Std(DayText(entry.Day, lang));
        const std::string e = std::to_string(entry.Ratings[0]),
                          m = std::to_string(entry.Ratings[1]),
                          f = std::to_string(entry.Ratings[2]), old = Std(was);
        QString text = was.isEmpty() ? Said("diary.added", lang, { who, when, e, m, f })
                                     : Said("diary.changed", lang, { who, when, e, m, f, old });
        if (entry.Shown)
            text += Said("diary.shown", lang, { Std(DayText(*diary.File.ShownThrough, lang)) });
        environment.Out((text + CountLine(call, diary, plan, lang)).toUtf8());
        return ExitOk;
    });
}

int RunImport(const DiaryCall &call, Environment &environment)
{
    const Lang lang = environment.Language();
    return WithPlan(call, environment, [&](OpenDiary &diary, const diary::Plan &plan) -> int {
        const QString path = call.Rest[0];
        QByteArray text;
        QString error;
        if (!environment.ReadFile(path, MaxDiaryFileSize, text, error))
            return DiaryFileFailure(environment, "diary.file.read", path, error);
        if (text.size() > MaxDiaryFileSize)
            return DiaryFileFailure(environment, "diary.file.large", path,
                                    QString::number(MaxDiaryFileSize / (qsizetype(1024) * 1024)));
        auto read = ImportedEntries(path, text, diary, environment);
        if (const int *status = std::get_if<int>(&read))
            return *status;
        QSet<QString> written;
        for (const diary::Entry &entry : diary.File.Entries)
            written.insert(QString::fromStdString(IsoDate(entry.Day)));
        int added = 0;
        bool shown = false;
        for (diary::Entry entry : std::get<std::vector<diary::Entry>>(read)) {
            if (written.contains(QString::fromStdString(IsoDate(entry.Day))))
                continue;
            entry.Shown = Shown(diary, entry.Day);
            shown = shown || entry.Shown;
            AppendLine(diary.File.Lines, EntryLine(entry));
            ++added;
        }
        const auto kept
            = static_cast<int>(std::get<std::vector<diary::Entry>>(read).size()) - added;
        diary.File = ReadDiary(DiaryText(diary.File));
        if (const int status = StoreDiary(diary, environment); status != ExitOk)
            return status;
        QString out = Said("diary.imported", lang,
                           { Std(diary.Label), std::to_string(added), std::to_string(kept) });
        if (shown)
            out += Said("diary.shown", lang, { Std(DayText(*diary.File.ShownThrough, lang)) });
        environment.Out((out + CountLine(call, diary, plan, lang)).toUtf8());
        return ExitOk;
    });
}

int RunExport(const DiaryCall &call, Environment &environment)
{
    auto opened = OpenDiaryOf(call, environment);
    if (const int *status = std::get_if<int>(&opened))
        return *status;
    QByteArray csv("date,energy,mood,focus\r\n");
    for (const diary::Entry &entry : std::get<OpenDiary>(opened).File.Entries)
        csv += EntryLine({ entry.Day, entry.Ratings }).replace(' ', ',') + "\r\n";
    return WriteOutput(environment, call.Out.Path, csv);
}

int RunForget(const DiaryCall &call, Environment &environment)
{
    const Lang lang = environment.Language();
    auto opened = OpenDiaryOf(call, environment);
    if (const int *status = std::get_if<int>(&opened))
        return *status;
    const OpenDiary &diary = std::get<OpenDiary>(opened);
    if (diary.File.Lines.isEmpty()) {
        Note(environment, Said("diary.forget.none", lang, { Std(diary.Label) }));
        return ExitRefused;
    }
    const QString word = call.Rest.value(0).trimmed();
    if (word.compare(Said("diary.forget.word", Lang::Cs), Qt::CaseInsensitive) != 0
        && word.compare(Said("diary.forget.word", Lang::En), Qt::CaseInsensitive) != 0) {
        const QString next
            = NextCommand(call, diary, QStringLiteral("forget"), Said("diary.forget.word", lang));
        Note(environment,
             Said("diary.forget.ask", lang,
                  { Std(diary.Label), Std(diary.Path), std::to_string(diary.File.Entries.size()),
                    Std(next) }));
        return ExitRefused;
    }
    QString error;
    if (!environment.RemoveOwnFile(diary.Path, error))
        return DiaryFileFailure(environment, "diary.file.write", diary.Path, error);
    environment.Out(Said("diary.forgotten", lang, { Std(diary.Label), Std(diary.Path) }).toUtf8());
    return ExitOk;
}

} // namespace cykl::companion
