// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the daily run as units: kalendar [JMÉNA] [--den D] [-o SOUBOR],
// upozornit [JMÉNA] [--den D] [--kalendar SOUBOR], upozorneni zapnout [--cas 7:00]
// [--kalendar SOUBOR] | vypnout | stav.
#include "companion/commands/arguments.h"
#include "companion/commands/daily.h"
#include "companion/commands/units.h"
#include "companion/io/date_arguments.h"

#include <QFileInfo>

namespace cykl::companion {

namespace {

// The day and the names: names of the people file only, a comma list or --all; none is all.
Problem ReadWhoAndDay(const CommandLine &line, DailyCall &call)
{
    const QStringList &arguments = line.Arguments;
    qsizetype taken = 0;
    const QStringList names = NameList(arguments, taken);
    if (arguments.size() > taken)
        return TooMany(line, arguments[taken]);
    QString error;
    if (taken == 1 && DateArgument(arguments[0], false, error, line.Language))
        return line.Text("usage.names.not.birth", line.Name);
    call.People.Everyone = line.IsSet("all") || arguments.isEmpty();
    if (!arguments.isEmpty() && line.IsSet("all"))
        return line.Text("usage.names.and.all");
    if (!arguments.isEmpty())
        call.People.Names = names;
    if (!line.IsSet("day"))
        return std::nullopt;
    call.OnDayText = line.Value("day");
    call.OnDay = DateArgument(call.OnDayText, false, error, line.Language);
    if (!call.OnDay)
        return error;
    return std::nullopt;
}

// A calendar file: .ics, or no extension at all.
Problem CalendarFileProblem(const CommandLine &line, const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!suffix.isEmpty() && suffix != QLatin1String("ics"))
        return line.Text("usage.calendar.ics", suffix);
    return std::nullopt;
}

Problem ReadCalendarFile(const CommandLine &line, QString &file)
{
    file = line.Value("calendar");
    if (line.IsSet("calendar") && file.isEmpty())
        return line.Text("usage.calendar.one.file");
    return CalendarFileProblem(line, file);
}

Parsed ParseFeed(const CommandLine &line)
{
    DailyCall call;
    if (auto problem = ReadWhoAndDay(line, call))
        return *problem;
    if (auto problem = ReadOutputPath(line, call.Output))
        return *problem;
    if (auto problem = CalendarFileProblem(line, call.Output))
        return *problem;
    return [call](Environment &environment) { return RunFeed(call, environment); };
}

Parsed ParseNotify(const CommandLine &line)
{
    DailyCall call;
    if (auto problem = ReadCalendarFile(line, call.CalendarFile))
        return *problem;
    if (auto problem = ReadWhoAndDay(line, call))
        return *problem;
    return [call](Environment &environment) { return RunNotify(call, environment); };
}

const QStringList &ReminderActions()
{
    static const QStringList actions { "zapnout", "on", "vypnout", "off", "stav", "status" };
    return actions;
}

// upozorneni zapnout|vypnout|stav, with --cas H:MM for zapnout.
Parsed ParseReminders(const CommandLine &line)
{
    const QStringList &actions = ReminderActions();
    RemindersCall call;
    if (auto problem = ReadCalendarFile(line, call.CalendarFile))
        return *problem;
    call.Action = line.Arguments.value(0).toLower();
    if (line.Arguments.size() != 1 || !actions.contains(call.Action))
        return line.Text("usage.reminders.action", line.Name);
    const bool on = call.Action == QLatin1String("zapnout") || call.Action == QLatin1String("on");
    if (!on && (line.IsSet("time") || line.IsSet("calendar")))
        return line.Text("usage.reminders.on.only", line.Name);
    call.AtMinutes = ClockMinutes(line.Value("time").trimmed());
    if (line.IsSet("time") && !call.AtMinutes)
        return line.Text("usage.time");
    return [call](Environment &environment) { return RunReminders(call, environment); };
}

} // namespace

CommandUnit FeedUnit()
{
    return { { "feed", "kalendar", "kalendář" },
             { "output", "all", "day" },
             {},
             ParseFeed,
             { "help.list.feed" },
             "help.feed",
             { 0 } };
}

CommandUnit NotifyUnit()
{
    return { { "notify", "upozornit" },
             { "all", "day", "calendar" },
             {},
             ParseNotify,
             { "help.list.notify" },
             "help.notify",
             { 0 } };
}

CommandUnit RemindersUnit()
{
    return { { "reminders", "upozorneni", "upozornění" },
             { "time", "calendar" },
             {},
             ParseReminders,
             { "help.list.reminders" },
             "help.reminders",
             {},
             ReminderActions() };
}

} // namespace cykl::companion
