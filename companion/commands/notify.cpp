// SPDX-License-Identifier: GPL-3.0-or-later
// upozornit: one desktop notification for each person of the people file who has a
// message on the day, with the window's own texts; past a few people, one notification
// that tells of them all. The run ends by its deadline whatever the notification service
// does, and says which notices were not shown.
#include "calendar/engine.h"
#include "calendar/ical.h"
#include "calendar/texts.h"
#include "companion/commands/daily.h"
#include "lang/qt/said.h"

#include <QFile>
#include <QFileInfo>

namespace cykl::companion {

namespace {

// Up to this many people a run tells of one by one; past it, in one notification.
constexpr qsizetype MostSingleNotices = 3;
// How long the notification service has for the whole run, unless NotifyDeadlineVariable
// sets another time.
constexpr int DeadlineMilliseconds = 30'000;

// The messages of one person's day (Summary: the cycles), or nullopt when there are none.
std::optional<Notice> NoticeOf(const Person &person, const Date &day, Environment &environment)
{
    const Lang lang = environment.Language();
    const Confirmation c = Confirm(person.Birth, day);
    if (c.Refusal != 0) {
        const QString why
            = QString::fromStdString(MessageText(c.Refusal, person.Birth, day, lang)).trimmed();
        Note(
            environment,
            Said("report.notice.left.out", lang, { person.Name.toStdString(), why.toStdString() }));
        return std::nullopt;
    }
    if (c.Verdicts.empty())
        return std::nullopt;
    Verdicts codes;
    QStringList texts;
    for (const MessageCode code : c.Verdicts) {
        codes.Codes[static_cast<std::size_t>(codes.Count++)] = code;
        texts.append(QString::fromStdString(MessageText(code, person.Birth, day, lang)));
    }
    return Notice { QString::fromStdString(EventSummary(codes, lang)),
                    texts.join(QLatin1Char('\n')), CriticalCycles(codes) >= 2, person.Name };
}

// What the run shows: each person's notice with the name and the day, or past a few
// people one notice with a line for each.
QList<Notice> NoticesToShow(QList<Notice> people, const Date &day, Lang lang)
{
    const std::string date = ShownDate(day, lang);
    if (people.size() <= MostSingleNotices) {
        for (Notice &notice : people)
            notice.Summary = Said("report.notice.one", lang,
                                  { notice.Who.toStdString(), date, notice.Summary.toStdString() });
        return people;
    }
    Notice all { QString::fromStdString(
                     SayCount("report.notice.many", lang, people.size(), { date })),
                 {},
                 false,
                 {} };
    QStringList lines;
    QStringList names;
    for (const Notice &notice : people) {
        lines << notice.Who + QStringLiteral(": ") + notice.Summary;
        names << notice.Who;
        all.Critical = all.Critical || notice.Critical;
    }
    all.Body = lines.join(QLatin1Char('\n'));
    all.Who = names.join(QStringLiteral(", "));
    return { all };
}

int Deadline(const Environment &environment)
{
    bool number = false;
    const double seconds = environment.Variable(NotifyDeadlineVariable).toDouble(&number);
    return number && seconds > 0 && seconds <= 3600 ? qRound(seconds * 1000) : DeadlineMilliseconds;
}

// Shows the notices; ExitOutputFailed after saying which were not shown, and why.
int Show(QList<Notice> &notices, Environment &environment)
{
    QString error;
    if (notices.isEmpty() || environment.Notify(notices, Deadline(environment), error))
        return ExitOk;
    QStringList shown;
    QStringList missed;
    for (const Notice &notice : notices)
        (notice.Shown ? shown : missed) << notice.Who;
    const Lang lang = environment.Language();
    Note(environment, Said("report.notify.failed", lang, { error.toStdString() }));
    const std::string notShown = missed.join(QStringLiteral(", ")).toStdString();
    Note(environment,
         shown.isEmpty() ? Said("report.notify.missed", lang, { notShown })
                         : Said("report.notify.missed.shown", lang,
                                { notShown, shown.join(QStringLiteral(", ")).toStdString() }));
    return ExitOutputFailed;
}

// The login fallback's record of the last day it told of everything, beside the people file.
QString AtLoginRecord(const Environment &environment)
{
    return QFileInfo(environment.PeoplePath()).absolutePath() + QStringLiteral("/upozorneno");
}

bool ToldAtLoginToday(const Environment &environment, const QDate &today)
{
    QFile record(AtLoginRecord(environment));
    return record.open(QIODevice::ReadOnly)
        && record.readAll().trimmed() == today.toString(Qt::ISODate).toLatin1();
}

int RecordToldAtLogin(Environment &environment, const QDate &today)
{
    QString error;
    if (environment.WriteFile(AtLoginRecord(environment),
                              today.toString(Qt::ISODate).toLatin1() + '\n', error))
        return ExitOk;
    Note(environment,
         Said("report.file.cannot.write.record", environment.Language(),
              { AtLoginRecord(environment).toStdString(), error.toStdString() }));
    return ExitOutputFailed;
}

// --kalendar: the daily run rewrites the feed too.
int RewriteFeed(const QString &path, const QList<Person> &people, const QDate &today,
                Environment &environment)
{
    QString error;
    if (environment.WriteFile(path, FeedText(people, today, environment), error))
        return ExitOk;
    Note(environment,
         Said("report.file.cannot.write.calendar", environment.Language(),
              { path.toStdString(), error.toStdString() }));
    return ExitOutputFailed;
}

} // namespace

int RunNotify(const DailyCall &call, Environment &environment)
{
    int status = ExitOk;
    const auto run = StartDailyRun(call, environment, status);
    if (!run)
        return status;
    const bool atLogin = !environment.Variable(NotifyAtLoginVariable).isEmpty();
    if (atLogin && ToldAtLoginToday(environment, run->Today))
        return ExitOk;
    const Date day { run->Today.day(), run->Today.month(), run->Today.year() };
    QList<Notice> people;
    for (const Person &person : run->People) {
        if (auto notice = NoticeOf(person, day, environment))
            people.append(*notice);
    }
    QList<Notice> notices = NoticesToShow(people, day, environment.Language());
    status = Show(notices, environment);
    if (atLogin && status == ExitOk)
        status = RecordToldAtLogin(environment, run->Today);
    if (!call.CalendarFile.isEmpty())
        status = std::max(status,
                          RewriteFeed(call.CalendarFile, run->People, run->Today, environment));
    return status;
}

} // namespace cykl::companion
