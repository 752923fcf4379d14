// SPDX-License-Identifier: GPL-3.0-or-later
// What the commands for one person or several (day, month, critical, chart, match,
// together) share when they run: the person at hand, the refusals told as the window
// tells them, and the output of several people gathered into one.
#pragma once

#include "calendar/engine.h"
#include "calendar/ical.h"
#include "companion/commands/arguments.h"

#include <functional>
#include <variant>

namespace cykl::companion {

// The command line of day, month and critical: who, the dates after the birth, the output.
struct PersonCall {
    QString Name; // the command as written
    Who People;
    QStringList Rest;
    Output Out;
    Selection Select;
};

// Reads it, with at most `most` dates after the birth; `critical` for the options of
// critical alone (ics, --remind, --codes...).
Problem ReadPersonCall(const CommandLine &line, qsizetype most, bool critical, PersonCall &call);

// Why the window refuses a day for this birth, where its own text does not say it plainly;
// empty where it does.
QString RefusalReason(MessageCode code, const Date &birth, const Date &target, Lang language);

// Of one of several people, the window refuses the birth, not the dates asked.
inline constexpr int LeftOut = -1;

class PersonRun {
public:
    PersonRun(Environment &environment, const Output &output) : Env(environment), Out(output) { }

    // The window's refusal of the target for this birth, after the reason; of several
    // people, the refused one is left out with both on one line.
    int Refuse(MessageCode code, const Date &birth, const Date &target) const;
    // A date that is no day (no month) at all: what is wrong with it, then the refusal.
    std::optional<int> CheckDay(const QString &text, const Date &date, bool month) const;
    // The output of one person: written, or of several gathered.
    int Emit(const QByteArray &data);
    // The gathered outputs as one: tables one after another, one CSV header, a JSON array.
    int EmitGathered();
    // The day argument (the first of `rest`) or today, confirmed for the person: then
    // `then` with the day and its confirmation.
    int ConfirmDay(const QStringList &rest,
                   const std::function<int(const Date &, const Confirmation &)> &then);

    Environment &Env;
    const Output &Out;
    Person Who; // the person the command runs for now
    bool Several = false;

private:
    QList<QByteArray> parts_;
};

// The first date argument (a month where `month`), or today where none is given.
std::optional<Date> FirstDateOrToday(Environment &environment, const QStringList &rest, bool month,
                                     QString &error);

// The critical days of the person at hand from the first date of `rest` to the second (or
// a year alone, or today and a year on) as the selection keeps them: `Asked` as written,
// `From` moved to the birth where the span starts before it. A refusal or usage error is
// told and its status returned.
struct CriticalSpan {
    std::pair<Date, Date> Asked;
    Date From;
    CriticalList List;
};
std::variant<CriticalSpan, int> CriticalDaysOf(PersonRun &run, const QStringList &rest,
                                               const QList<MessageCode> &kept);

// The time of the environment's clock as a calendar stamps it.
UtcTime StampOf(const QDateTime &moment);

// Runs `one` for each person of `who` (the birth date checked first), with run.Who set;
// of several, one the window refuses is left out. The status of the first failure, or
// ExitOk; ExitRefused where no one is left.
int ForEachPerson(const Who &who, PersonRun &run, const std::function<int()> &one);

} // namespace cykl::companion
