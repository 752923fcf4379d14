// SPDX-License-Identifier: GPL-3.0-or-later
// The daily run: a calendar to subscribe to (kalendar), today's messages on the desktop
// (upozornit), and turning the run once a day on and off (upozorneni).
#pragma once

#include "companion/commands/people_of.h"
#include "companion/io/environment.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <optional>

namespace cykl::companion {

// The revision of what an event of the feed says (its summary, texts and form). Each event
// of one UID is one day of one person's birth and name, and its verdicts follow from those
// alone, so an event changes only when a new version of the program words it differently:
// such a version raises this number, which every event carries as its SEQUENCE.
inline constexpr int FeedRevision = 1;

// The feed spans from this many days before today to this many after it.
inline constexpr int FeedDaysBefore = 7;
inline constexpr int FeedDaysAfter = 400;

// kalendar and upozornit: who (names of the people file, or everyone), on which day, and
// the calendar file each writes.
struct DailyCall {
    Who People;
    std::optional<Date> OnDay; // --den instead of today
    QString OnDayText; // as it was written
    QString Output; // kalendar: empty or "-": standard output
    QString CalendarFile; // upozornit: --kalendar, the feed to rewrite
};

// upozorneni zapnout|vypnout|stav (on, off, status).
struct RemindersCall {
    QString Action; // in lower case, as written
    std::optional<int> AtMinutes; // --cas, minutes after midnight
    QString CalendarFile; // --kalendar, the feed the daily run rewrites
};

// upozornit: the variables of the environment that set how long the notification service
// has for the whole run (seconds), and that mark a run of the login fallback (at most one
// such run a day tells).
inline constexpr const char *NotifyDeadlineVariable = "CYKLOMETRIKA_NOTIFY_DEADLINE";
inline constexpr const char *NotifyAtLoginVariable = "CYKLOMETRIKA_NOTIFY_AT_LOGIN";

int RunFeed(const DailyCall &call, Environment &environment);
int RunNotify(const DailyCall &call, Environment &environment);
int RunReminders(const RemindersCall &call, Environment &environment);

// What a daily run is for: its day (--den or today) and its people (the names given or the
// people file).
struct DailyRun {
    QDate Today;
    QList<Person> People;
};

// The daily run of this command line; nullopt after telling why it cannot start (`status`
// then holds the exit status).
std::optional<DailyRun> StartDailyRun(const DailyCall &call, Environment &environment, int &status);

// The feed of these people around today, as iCalendar text; a person the window refuses
// on every day of it is left out with a note, and so are the days of the rest it does not
// show. With no one left it is a calendar without events, so that a program subscribed to
// it drops the events it had.
QByteArray FeedText(const QList<Person> &people, const QDate &today, Environment &environment);

} // namespace cykl::companion
