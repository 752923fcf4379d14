// SPDX-License-Identifier: GPL-3.0-or-later
// upozornit: one desktop notification for each person of the people file who has a
// message on the day, with the window's own texts.
#include "calendar/engine.h"
#include "calendar/ical.h"
#include "calendar/texts.h"
#include "companion/commands/daily.h"

namespace cykl::companion {

namespace {

// The notice of one person's day, or nullopt when the day has no message for them.
std::optional<Notice> NoticeOf(const Person &person, const Date &day, Environment &environment)
{
    const Confirmation c = Confirm(person.Birth, day);
    if (c.Refusal != 0) {
        DailyNote(
            environment,
            QStringLiteral("„%1“ je vynechán(a): %2")
                .arg(person.Name,
                     QString::fromStdString(MessageText(c.Refusal, person.Birth, day)).trimmed()));
        return std::nullopt;
    }
    if (c.Verdicts.empty())
        return std::nullopt;
    Verdicts codes;
    QStringList texts;
    for (const MessageCode code : c.Verdicts) {
        codes.Codes[static_cast<std::size_t>(codes.Count++)] = code;
        texts.append(QString::fromStdString(MessageText(code, person.Birth, day)));
    }
    return Notice { person.Name + QStringLiteral(": ")
                        + QString::fromStdString(EventSummary(codes)),
                    texts.join(QLatin1Char('\n')), CriticalCycles(codes) >= 2 };
}

// --kalendar: the daily run rewrites the feed too.
int RewriteFeed(const QString &path, const QList<Person> &people, const QDate &today,
                Environment &environment)
{
    const auto text = FeedText(people, today, environment);
    QString error;
    if (!text || environment.WriteFile(path, *text, error))
        return ExitOk;
    DailyNote(environment, QStringLiteral("kalendář „%1“ nelze zapsat: %2").arg(path, error));
    return ExitOutputFailed;
}

} // namespace

int RunNotify(const DailyCall &call, Environment &environment)
{
    int status = ExitOk;
    const auto run = StartDailyRun(call, environment, status);
    if (!run)
        return status;
    const Date day { run->Today.day(), run->Today.month(), run->Today.year() };
    QList<Notice> notices;
    QString error;
    for (const Person &person : run->People) {
        if (auto notice = NoticeOf(person, day, environment))
            notices.append(*notice);
    }
    if (!notices.isEmpty() && !environment.Notify(notices, error)) {
        DailyNote(environment, QStringLiteral("upozornění nelze ukázat: %1").arg(error));
        status = ExitOutputFailed;
    }
    if (!call.CalendarFile.isEmpty())
        status = std::max(status,
                          RewriteFeed(call.CalendarFile, run->People, run->Today, environment));
    return status;
}

} // namespace cykl::companion
