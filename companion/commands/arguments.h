// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of the companion command read and checked for its form: the command,
// its dates as written, the options. Whether a date exists is for the command to say.
#pragma once

#include "calendar/dates.h"
#include "companion/io/formats.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace cykl::companion {

enum class Command {
    Day,
    Month,
    Critical,
    Chart,
    People,
    Match, // shoda: how alike two people's rhythms run
    Together, // spolecne: the days two or more people share
    Feed, // kalendar: the calendar to subscribe to
    Notify, // upozornit: today's messages on the desktop
    Reminders, // upozorneni zapnout|vypnout|stav: the daily run
}; // in the order of the help texts

enum class Request {
    Run,
    Help, // --help: the whole help
    ShortHelp, // no command at all
    CommandHelp, // COMMAND -h
    Version,
};

struct Invocation {
    Request Asked = Request::Run;
    Command Kind = Command::Day;
    QString Name; // the command as it was written
    Date Birth;
    QString BirthText; // as it was written
    // Instead of a birth date: names of the people file, or everyone in it.
    QStringList Names;
    bool Everyone = false;
    bool Replace = false; // people add: change the birth of a name that is there
    QStringList Rest; // the arguments after the birth date
    Format OutputFormat = Format::Table;
    bool Excel = false; // CSV for a spreadsheet set to Czech
    QString Output; // empty or "-": standard output
    std::optional<int> RemindMinutes; // from the start of each day: -720, 420...
    QList<MessageCode> Codes; // the verdicts kept; empty: all
    bool Merge = false; // consecutive days with the same codes as one event
    QString Person; // the name that labels the output, or empty
    bool A4 = false; // chart: the PDF on an A4 landscape page
    QString With; // chart: a second person (a name or a birth date), or empty
    std::optional<Date> OnDay; // kalendar, upozornit: --den instead of today
    QString OnDayText; // as it was written
    std::optional<int> AtMinutes; // upozorneni zapnout: --cas, minutes after midnight
    QString CalendarFile; // upozornit, upozorneni zapnout: --kalendar, the feed to rewrite
};

// The invocation, or the message of a usage error.
std::variant<Invocation, QString> ReadCommandLine(const QStringList &arguments);

// The commands of the daily run (kalendar, upozornit, upozorneni) after their name: who,
// the day, the time and the file; or why not. A usage problem of another command that
// names their options.
std::variant<Invocation, QString> ReadScheduleCommand(const QCommandLineParser &parser,
                                                      const QStringList &positional,
                                                      Invocation call);
std::optional<QString> ScheduleOptionsMisplaced(const QCommandLineParser &parser,
                                                const Invocation &call);

// True when the text names a command, in any letter case.
bool IsCommandName(const QString &text);

} // namespace cykl::companion
