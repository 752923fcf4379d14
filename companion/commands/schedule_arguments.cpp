// SPDX-License-Identifier: GPL-3.0-or-later
// The command lines of the daily run: kalendar [JMÉNA] [--den D] [-o SOUBOR], upozornit
// [JMÉNA] [--den D] [--kalendar SOUBOR], upozorneni zapnout [--cas 7:00] [--kalendar
// SOUBOR] | vypnout | stav.
#include "companion/commands/arguments.h"
#include "companion/io/date_arguments.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

namespace cykl::companion {

namespace {

// Every option by its English name, and the commands of the daily run that take it.
struct OptionUse {
    const char *Name;
    QList<Command> Takers;
};

const QList<OptionUse> &OptionUses()
{
    static const QList<OptionUse> uses {
        { "format", {} },
        { "output", { Command::Feed } },
        { "remind", {} },
        { "only-critical", {} },
        { "codes", {} },
        { "merge", {} },
        { "excel", {} },
        { "name", {} },
        { "all", { Command::Feed, Command::Notify } },
        { "replace", {} },
        { "a4", {} },
        { "day", { Command::Feed, Command::Notify } },
        { "time", { Command::Reminders } },
        { "calendar", { Command::Notify, Command::Reminders } },
    };
    return uses;
}

// The day and the names: names of the people file only, a comma list or --all; none is all.
std::optional<QString> ReadWhoAndDay(const QCommandLineParser &parser,
                                     const QStringList &positional, Invocation &call)
{
    if (positional.size() > 2)
        return QStringLiteral("příliš mnoho argumentů pro příkaz %1: „%2“ je navíc")
            .arg(call.Name, Shortened(positional[2]));
    QString error;
    if (positional.size() == 2 && DateArgument(positional[1], false, error))
        return QStringLiteral("příkaz %1 bere jména ze souboru lidí, ne datum narození")
            .arg(call.Name);
    call.Everyone = parser.isSet(QStringLiteral("all")) || positional.size() < 2;
    if (positional.size() == 2 && parser.isSet(QStringLiteral("all")))
        return QStringLiteral("jména a --all nejdou spolu");
    if (positional.size() == 2)
        call.Names = positional[1].split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (!parser.isSet(QStringLiteral("day")))
        return std::nullopt;
    call.OnDayText = parser.value(QStringLiteral("day"));
    call.OnDay = DateArgument(call.OnDayText, false, error);
    if (!call.OnDay)
        return error;
    return std::nullopt;
}

std::optional<QString> ReadFeedOutput(const QCommandLineParser &parser, Invocation &call)
{
    const QStringList outputs = parser.values(QStringLiteral("output"));
    if (outputs.size() > 1)
        return QStringLiteral("volba -o smí být jen jednou");
    call.Output = outputs.value(0);
    call.OutputFormat = Format::Ics;
    const QString suffix = QFileInfo(call.Output).suffix().toLower();
    if (!suffix.isEmpty() && suffix != QLatin1String("ics"))
        return QStringLiteral("kalendář se píše jako .ics, ne .%1").arg(suffix);
    if (outputs.size() == 1 && call.Output.isEmpty())
        return QStringLiteral("volba -o potřebuje jméno souboru (nebo - pro standardní výstup)");
    return std::nullopt;
}

// upozorneni zapnout|vypnout|stav, with --cas H:MM for zapnout.
std::optional<QString> ReadReminders(const QCommandLineParser &parser,
                                     const QStringList &positional, Invocation &call)
{
    static const QStringList actions { "zapnout", "on", "vypnout", "off", "stav", "status" };
    const QString action = positional.value(1).toLower();
    if (positional.size() != 2 || !actions.contains(action))
        return QStringLiteral("příkaz %1 chce zapnout, vypnout nebo stav (on, off, status)")
            .arg(call.Name);
    call.Rest = { action };
    const bool on = action == QLatin1String("zapnout") || action == QLatin1String("on");
    if (!on && (parser.isSet(QStringLiteral("time")) || parser.isSet(QStringLiteral("calendar"))))
        return QStringLiteral("--cas a --kalendar patří k příkazu %1 zapnout").arg(call.Name);
    if (!parser.isSet(QStringLiteral("time")))
        return std::nullopt;
    static const QRegularExpression clock(QStringLiteral("^([0-9]{1,2}):([0-5][0-9])$"));
    const auto time = clock.match(parser.value(QStringLiteral("time")).trimmed());
    if (!time.hasMatch() || time.captured(1).toInt() > 23)
        return QStringLiteral("--cas chce čas dne, například 7:00");
    call.AtMinutes = 60 * time.captured(1).toInt() + time.captured(2).toInt();
    return std::nullopt;
}

} // namespace

std::optional<QString> ScheduleOptionsMisplaced(const QCommandLineParser &parser,
                                                const Invocation &call)
{
    for (const OptionUse &use : OptionUses()) {
        const QString name = QString::fromLatin1(use.Name);
        const bool own = call.Kind == Command::Feed || call.Kind == Command::Notify
            || call.Kind == Command::Reminders;
        const bool scheduleOnly = name == QLatin1String("day") || name == QLatin1String("time")
            || name == QLatin1String("calendar");
        if (parser.isSet(name) && (own ? !use.Takers.contains(call.Kind) : scheduleOnly))
            return QStringLiteral("příkaz %1 nepřijímá --%2").arg(call.Name, name);
    }
    return std::nullopt;
}

std::variant<Invocation, QString> ReadScheduleCommand(const QCommandLineParser &parser,
                                                      const QStringList &positional,
                                                      Invocation call)
{
    if (auto problem = ScheduleOptionsMisplaced(parser, call))
        return *problem;
    const QStringList files = parser.values(QStringLiteral("calendar"));
    if (files.size() > 1 || (files.size() == 1 && files.first().isEmpty()))
        return QStringLiteral("volba --kalendar chce jeden soubor");
    call.CalendarFile = files.value(0);
    std::optional<QString> problem;
    if (call.Kind == Command::Reminders)
        problem = ReadReminders(parser, positional, call);
    else
        problem = ReadWhoAndDay(parser, positional, call);
    if (!problem && call.Kind == Command::Feed)
        problem = ReadFeedOutput(parser, call);
    if (problem)
        return *problem;
    return call;
}

} // namespace cykl::companion
