// SPDX-License-Identifier: GPL-3.0-or-later
// The daily run: a calendar to subscribe to (kalendar), today's messages on the desktop
// (upozornit), and turning the run once a day on and off (upozorneni).
#pragma once

#include "companion/commands/arguments.h"
#include "companion/command.h"
#include "companion/io/people_file.h"

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

int RunFeed(const Invocation &call, Environment &environment);
int RunNotify(const Invocation &call, Environment &environment);
int RunReminders(const Invocation &call, Environment &environment);

// What a daily run is for: its day (--den or today) and its people (the names given or the
// people file).
struct DailyRun {
    QDate Today;
    QList<Person> People;
};

// The daily run of this command line; nullopt after telling why it cannot start (`status`
// then holds the exit status).
std::optional<DailyRun> StartDailyRun(const Invocation &call, Environment &environment,
                                      int &status);

// The feed of these people around today, as iCalendar text; a person the window refuses
// on every day of it is left out with a note. Nullopt when no one is left.
std::optional<QByteArray> FeedText(const QList<Person> &people, const QDate &today,
                                   Environment &environment);

// A note on standard error, "cyklometrika: " first.
void DailyNote(Environment &environment, const QString &text);

} // namespace cykl::companion
