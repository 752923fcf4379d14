// SPDX-License-Identifier: GPL-3.0-or-later
// upozorneni zapnout|vypnout|stav: the daily run of upozornit for this user. Where a systemd
// user manager runs and knows the package's timer, the timer is enabled, its time set by a
// drop-in in the user's configuration; elsewhere an autostart entry runs it at each login.
// Nothing runs until the person turns it on, and turning it off removes all it made.
#include "calendar/texts.h"
#include "companion/commands/daily.h"
#include "companion/shared/system_error.h"
#include "lang/qt/said.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <filesystem>

namespace cykl::companion {

namespace {

constexpr int DefaultMinutes = 7 * 60;
const char *const Timer = "cyklometrika-upozorneni.timer";
const char *const Service = "cyklometrika-upozorneni.service";

struct Places {
    QString TimerTime; // the drop-in with the time of the timer
    QString ServiceCommand; // the drop-in with the command of the service (--kalendar, --lang)
    QString Autostart; // the autostart entry
};

Places PlacesIn(const QString &config)
{
    const QString units = config + QStringLiteral("/systemd/user/");
    return { units + QLatin1String(Timer) + QStringLiteral(".d/cyklometrika-cas.conf"),
             units + QLatin1String(Service) + QStringLiteral(".d/cyklometrika-kalendar.conf"),
             config + QStringLiteral("/autostart/cyklometrika-upozorneni.desktop") };
}

QString Clock(int minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// One argument of a unit's command line: in double quotes, with systemd's specifiers (%)
// and variables ($) kept literal.
QString UnitQuoted(const QString &argument)
{
    QString text = argument;
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    text.replace(QLatin1Char('$'), QStringLiteral("$$"));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// One argument of a desktop entry's Exec: quoted, then the value's own backslash escape.
QString ExecQuoted(const QString &text)
{
    QString quoted;
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool UserTimerAvailable(Environment &environment)
{
    QByteArray output;
    return environment.UserManager({ QStringLiteral("show-environment") }, output) == 0
        && environment.UserManager({ QStringLiteral("cat"), QLatin1String(Timer) }, output) == 0;
}

// The file, its folders made first; false with the reason (the folder's, where that cannot
// be made).
bool Write(Environment &environment, const QString &path, const QString &text, QString &error)
{
    const QString folder = QFileInfo(path).absolutePath();
    std::error_code failure;
    std::filesystem::create_directories(folder.toStdString(), failure);
    if (failure) {
        error = Said(
            "system.path", environment.Language(),
            { folder.toStdString(),
              FileErrorText(folder, failure.value(), environment.Language()).toStdString() });
        return false;
    }
    return environment.WriteFile(path, text.toUtf8(), error);
}

// Removes the file, then its folder and the folders above it that it leaves empty, up to
// the configuration folder. False with the reason where the file stays.
bool RemoveWithEmptyFolders(const QString &path, const QString &config, Lang language,
                            QString &error)
{
    std::error_code failure;
    std::filesystem::remove(path.toStdString(), failure);
    if (failure) {
        error = Said(
            "system.path", language,
            { path.toStdString(), FileErrorText(path, failure.value(), language).toStdString() });
        return false;
    }
    QDir folder = QFileInfo(path).absoluteDir();
    while (folder.absolutePath() != QDir(config).absolutePath()
           && folder.absolutePath().startsWith(QDir(config).absolutePath())
           && QDir().rmdir(folder.absolutePath()))
        folder.setPath(QFileInfo(folder.absolutePath()).absolutePath());
    return true;
}

// The language the daily run speaks: the run's, where it is not Czech (the default).
QString RunLanguage(const Environment &environment)
{
    const Lang language = environment.Language();
    return language == Lang::Cs ? QString() : QString::fromUtf8(LanguageOf(language).Code.data());
}

// The command of the daily run, in the quoting of `quote`.
QString RunCommandLine(const RemindersCall &call, Environment &environment,
                       QString (*quote)(const QString &))
{
    QString line = quote(environment.ProgramPath()) + QStringLiteral(" upozornit");
    if (!call.CalendarFile.isEmpty())
        line += QStringLiteral(" --kalendar ")
            + quote(QFileInfo(call.CalendarFile).absoluteFilePath());
    if (const QString language = RunLanguage(environment); !language.isEmpty())
        line += QStringLiteral(" --lang ") + language;
    return line;
}

// The drop-in that gives the service its command line, for what zapnout was given.
QString ServiceDropIn(const RemindersCall &call, Environment &environment)
{
    QString options;
    if (!call.CalendarFile.isEmpty())
        options += QStringLiteral(" --kalendar");
    if (!RunLanguage(environment).isEmpty())
        options += QStringLiteral(" --lang");
    return QStringLiteral(
               "# Cyklometrika: upozorneni zapnout%1\n[Service]\nExecStart=\nExecStart=%2\n")
        .arg(options, RunCommandLine(call, environment, UnitQuoted));
}

int TurnOff(Environment &environment, bool quiet);

int TurnOnTimer(const RemindersCall &call, Environment &environment, const Places &places)
{
    QString error;
    const int minutes = call.AtMinutes.value_or(DefaultMinutes);
    bool written = true;
    if (minutes != DefaultMinutes)
        written = Write(environment, places.TimerTime,
                        QStringLiteral("# Cyklometrika: upozorneni zapnout --cas %1\n[Timer]\n"
                                       "OnCalendar=\nOnCalendar=*-*-* %2:%3:00\n")
                            .arg(Clock(minutes))
                            .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                            .arg(minutes % 60, 2, 10, QLatin1Char('0')),
                        error);
    if (written && (!call.CalendarFile.isEmpty() || !RunLanguage(environment).isEmpty()))
        written
            = Write(environment, places.ServiceCommand, ServiceDropIn(call, environment), error);
    QByteArray output;
    if (written
        && (environment.UserManager({ QStringLiteral("daemon-reload") }, output) != 0
            || environment.UserManager(
                   { QStringLiteral("enable"), QStringLiteral("--now"), QLatin1String(Timer) },
                   output)
                != 0))
        error = QString::fromUtf8(output).trimmed();
    if (!error.isEmpty()) {
        TurnOff(environment, true);
        Note(environment,
             Said("report.reminders.cannot.on", environment.Language(), { error.toStdString() }));
        return ExitOutputFailed;
    }
    environment.Out(
        (Said("report.reminders.on.timer", environment.Language(), { Clock(minutes).toStdString() })
         + QLatin1Char('\n'))
            .toUtf8());
    return ExitOk;
}

int TurnOnAutostart(const RemindersCall &call, Environment &environment, const Places &places)
{
    QString error;
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\n"
                                         "Name=Cyklometrika: upozornění\n"
                                         "Comment=Upozorní na kritické dny lidí ze souboru lidí\n"
                                         "Exec=env %1=1 %2\nIcon=cyklometrika\nNoDisplay=true\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(QLatin1String(NotifyAtLoginVariable),
                                   RunCommandLine(call, environment, ExecQuoted));
    const Lang lang = environment.Language();
    if (!Write(environment, places.Autostart, entry, error)) {
        Note(environment, Said("report.reminders.cannot.on", lang, { error.toStdString() }));
        return ExitOutputFailed;
    }
    const std::string autostart = places.Autostart.toStdString();
    const QString said = call.AtMinutes
        ? Said("report.reminders.on.login.time", lang, { autostart })
        : Said("report.reminders.on.login", lang, { autostart });
    environment.Out((said + QLatin1Char('\n')).toUtf8());
    return ExitOk;
}

int TurnOff(Environment &environment, bool quiet)
{
    const QString config = environment.ConfigFolder();
    const Places places = PlacesIn(config);
    QByteArray output;
    QString error;
    if (environment.UserManager({ QStringLiteral("is-enabled"), QLatin1String(Timer) }, output) == 0
        && environment.UserManager(
               { QStringLiteral("disable"), QStringLiteral("--now"), QLatin1String(Timer) }, output)
            != 0)
        error = QString::fromUtf8(output).trimmed();
    const bool dropIns = QFile::exists(places.TimerTime) || QFile::exists(places.ServiceCommand);
    for (const QString &path : { places.TimerTime, places.ServiceCommand, places.Autostart }) {
        QString why;
        if (!RemoveWithEmptyFolders(path, config, environment.Language(), why) && error.isEmpty())
            error = why;
    }
    // What enabling left: the wants folder of timers, when nothing else is in it.
    QString none;
    RemoveWithEmptyFolders(config + QStringLiteral("/systemd/user/timers.target.wants/.none"),
                           config, environment.Language(), none);
    if (dropIns)
        environment.UserManager({ QStringLiteral("daemon-reload") }, output);
    if (quiet)
        return ExitOk;
    if (!error.isEmpty()) {
        Note(environment,
             Said("report.reminders.cannot.off", environment.Language(), { error.toStdString() }));
        return ExitOutputFailed;
    }
    environment.Out(
        (Said("report.reminders.off", environment.Language()) + QLatin1Char('\n')).toUtf8());
    return ExitOk;
}

// The time of the daily run: the drop-in's, or the default.
int TimerMinutes(const Places &places)
{
    QFile file(places.TimerTime);
    const QString text
        = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    static const QRegularExpression time(
        QStringLiteral("OnCalendar=\\*-\\*-\\* (\\d\\d):(\\d\\d)"));
    const auto match = time.match(text);
    return match.hasMatch() ? match.captured(1).toInt() * 60 + match.captured(2).toInt()
                            : DefaultMinutes;
}

// The line of the status that names the language of the daily run, where one was kept.
QString StoredLanguage(const Places &places, Lang language)
{
    static const QRegularExpression option(QStringLiteral(" --lang ([a-z]+)"));
    for (const QString &path : { places.ServiceCommand, places.Autostart }) {
        QFile file(path);
        const auto match = option.match(
            file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
        if (match.hasMatch())
            return Said("reminders.language", language, { match.captured(1).toStdString() })
                + QLatin1Char('\n');
    }
    return {};
}

int Status(Environment &environment)
{
    const Places places = PlacesIn(environment.ConfigFolder());
    QByteArray output;
    const Lang lang = environment.Language();
    QString text = Said("report.reminders.status.off", lang);
    if (environment.UserManager({ QStringLiteral("is-enabled"), QLatin1String(Timer) }, output)
        == 0) {
        const int minutes = TimerMinutes(places);
        const QDateTime now = environment.Now().toLocalTime();
        QDateTime next(now.date(), QTime(minutes / 60, minutes % 60));
        if (next <= now)
            next = next.addDays(1);
        const Date day { next.date().day(), next.date().month(), next.date().year() };
        text = Said("report.reminders.status.timer", lang,
                    { Clock(minutes).toStdString(), ShownDate(day, lang) });
    } else if (QFile::exists(places.Autostart)) {
        text = Said("report.reminders.status.login", lang, { places.Autostart.toStdString() });
    }
    environment.Out((text + StoredLanguage(places, environment.Language())).toUtf8());
    return ExitOk;
}

} // namespace

int RunReminders(const RemindersCall &call, Environment &environment)
{
#ifdef Q_OS_WIN
    Note(environment, Said("reminders.linux.only", environment.Language()));
    return ExitOutputFailed;
#endif
    const QString &action = call.Action;
    if (action == QLatin1String("stav") || action == QLatin1String("status"))
        return Status(environment);
    if (action == QLatin1String("vypnout") || action == QLatin1String("off"))
        return TurnOff(environment, false);
    if (call.CalendarFile.contains(QLatin1Char('\n')))
        return UsageError(environment, Said("usage.calendar.line.break", environment.Language()));
    TurnOff(environment, true); // what an earlier zapnout made, with other choices
    const Places places = PlacesIn(environment.ConfigFolder());
    return UserTimerAvailable(environment) ? TurnOnTimer(call, environment, places)
                                           : TurnOnAutostart(call, environment, places);
}

} // namespace cykl::companion
