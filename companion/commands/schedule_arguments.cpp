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
    if (taken == 1 && DateArgument(arguments[0], false, error))
        return QStringLiteral("příkaz %1 bere jména ze souboru lidí, ne datum narození")
            .arg(line.Name);
    call.People.Everyone = line.IsSet("all") || arguments.isEmpty();
    if (!arguments.isEmpty() && line.IsSet("all"))
        return QStringLiteral("jména a --all nejdou spolu");
    if (!arguments.isEmpty())
        call.People.Names = names;
    if (!line.IsSet("day"))
        return std::nullopt;
    call.OnDayText = line.Value("day");
    call.OnDay = DateArgument(call.OnDayText, false, error);
    if (!call.OnDay)
        return error;
    return std::nullopt;
}

// A calendar file: .ics, or no extension at all.
Problem CalendarFileProblem(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!suffix.isEmpty() && suffix != QLatin1String("ics"))
        return QStringLiteral("kalendář se píše jako .ics, ne .%1").arg(suffix);
    return std::nullopt;
}

Problem ReadCalendarFile(const CommandLine &line, QString &file)
{
    file = line.Value("calendar");
    if (line.IsSet("calendar") && file.isEmpty())
        return QStringLiteral("volba --kalendar chce jeden soubor");
    return CalendarFileProblem(file);
}

Parsed ParseFeed(const CommandLine &line)
{
    DailyCall call;
    if (auto problem = ReadWhoAndDay(line, call))
        return *problem;
    if (auto problem = ReadOutputPath(line, call.Output))
        return *problem;
    if (auto problem = CalendarFileProblem(call.Output))
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
        return QStringLiteral("příkaz %1 chce zapnout, vypnout nebo stav (on, off, status)")
            .arg(line.Name);
    const bool on = call.Action == QLatin1String("zapnout") || call.Action == QLatin1String("on");
    if (!on && (line.IsSet("time") || line.IsSet("calendar")))
        return QStringLiteral("--cas a --kalendar patří k příkazu %1 zapnout").arg(line.Name);
    call.AtMinutes = ClockMinutes(line.Value("time").trimmed());
    if (line.IsSet("time") && !call.AtMinutes)
        return QStringLiteral("--cas chce čas dne, například 7:00");
    return [call](Environment &environment) { return RunReminders(call, environment); };
}

} // namespace

CommandUnit FeedUnit()
{
    return {
        { "feed", "kalendar", "kalendář" },
        { "output", "all", "day" },
        {},
        ParseFeed,
        { { "kalendar [JMÉNA]",
            "(feed) kalendář lidí ze souboru lidí od\ntýdne zpět na 400 dní dopředu, k odběru" } },
        QStringLiteral(
            "%1 [JMÉNA | --all] [--den DEN] [-o SOUBOR.ics]\n"
            "Jeden kalendář (iCalendar) kritických dnů lidí ze souboru lidí (bez JMEN\n"
            "všech) od 7 dní před dneškem do 400 dní po něm. Kalendářový program, který\n"
            "soubor odebírá, ho čte znovu každý den (REFRESH-INTERVAL P1D); události\n"
            "mají UID příkazu critical a SEQUENCE verze svých textů. Česky: kalendář.\n"),
        { 0 }
    };
}

CommandUnit NotifyUnit()
{
    return { { "notify", "upozornit" },
             { "all", "day", "calendar" },
             {},
             ParseNotify,
             { { "upozornit [JMÉNA]",
                 "(notify) upozornění na ploše pro každého,\nkdo má dnes hlášení" } },
             QStringLiteral(
                 "%1 [JMÉNA | --all] [--den DEN] [--kalendar SOUBOR]\n"
                 "Pro každého ze souboru lidí (nebo z JMEN), kdo má v ten den hlášení, jedno\n"
                 "upozornění na ploše: kdo, den a které cykly, pod tím texty hlášení okna; víc\n"
                 "než tři lidé: jedno upozornění, řádek pro každého. Dvojitě a trojitě kritický\n"
                 "den je naléhavý. Nikdo s hlášením nebo v souboru lidí: nic. Co služba\n"
                 "upozornění do 30 s neukáže, jmenuje řádek neukázáno:, s kódem 3. --kalendar\n"
                 "SOUBOR přepíše i kalendář lidí.\n"
                 "Anglicky: notify.\n"),
             { 0 } };
}

CommandUnit RemindersUnit()
{
    return {
        { "reminders", "upozorneni", "upozornění" },
        { "time", "calendar" },
        {},
        ParseReminders,
        { { "upozorneni zapnout|vypnout|stav",
            "(reminders on|off|status) upozornění\n"
            "každý den v 7:00 (--cas) zapnout, vypnout" } },
        QStringLiteral(
            "%1 zapnout [--cas H:MM] [--kalendar SOUBOR]\n"
            "       cyklometrika %1 vypnout | stav\n"
            "Denní běh příkazu upozornit pro tohoto uživatele: časovač systemd uživatele\n"
            "jednou denně v 7:00 (nebo --cas) a po přihlášení, když běh zmeškal; bez\n"
            "systemd položka automatického spuštění po prvním přihlášení dne. S --kalendar\n"
            "denní běh přepíše i ten kalendář. vypnout odstraní vše, co zapnout vytvořil;\n"
            "stav řekne, zda je zapnuto a kdy běh přijde. Anglicky: reminders on|off|status.\n"),
        {},
        ReminderActions()
    };
}

} // namespace cykl::companion
