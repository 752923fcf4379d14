// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/command.h"

#include "companion/arguments.h"
#include "companion/calendar/engine.h"
#include "companion/calendar/ical.h"

#include <algorithm>

#ifndef CYKL_VERSION
#define CYKL_VERSION "0"
#endif

namespace cykl::companion {

namespace {

constexpr int DefaultSpanDays = 365;

Date FromQDate(const QDate &date)
{
    return { date.day(), date.month(), date.year() };
}

QByteArray Utf8Line(const QString &text)
{
    return (text + QLatin1Char('\n')).toUtf8();
}

void UsageError(Environment &environment, const QString &message)
{
    environment.Err(Utf8Line(QStringLiteral("cyklometrika: ") + message
                             + QStringLiteral("\nNápověda: cyklometrika --help")));
}

QString Czech(const Date &date)
{
    return QString::fromStdString(CzechDate(date));
}

// The codes of a day that the selection keeps.
Verdicts Selected(const Verdicts &codes, const QList<MessageCode> &kept)
{
    Verdicts selected;
    for (const MessageCode code : codes) {
        if (kept.isEmpty() || kept.contains(code))
            selected.Codes[static_cast<std::size_t>(selected.Count++)] = code;
    }
    return selected;
}

class Runner {
public:
    Runner(Environment &environment, const Invocation &call) : env_(environment), call_(call) { }

    int Run();

private:
    int Usage(const QString &message)
    {
        UsageError(env_, message);
        return ExitUsage;
    }
    int Refuse(MessageCode code, const Date &birth, const Date &target)
    {
        env_.Err(Utf8Line(QString::fromStdString(MessageText(code, birth, target))));
        return ExitRefused;
    }
    void Note(const QString &text) { env_.Err(Utf8Line(QStringLiteral("cyklometrika: ") + text)); }
    ReportOptions Options() const { return { call_.Person, call_.Excel }; }
    int Emit(const QByteArray &data);
    std::optional<int> CheckDay(const QString &text, const Date &date, bool month);
    std::optional<Date> FirstDateOrToday(bool month, QString &error);
    template<typename Then> int ConfirmDay(Then then);
    int RunMonth();
    int RunCritical();
    int RunRange(Date from, const Date &to);
    int RunChart();
    int EmitCalendar(const CriticalList &list);

    Environment &env_;
    const Invocation &call_;
};

int Runner::Emit(const QByteArray &data)
{
    if (call_.Output.isEmpty() || call_.Output == QLatin1String("-")) {
        env_.Out(data);
        return ExitOk;
    }
    QString error;
    if (env_.WriteFile(call_.Output, data, error))
        return ExitOk;
    env_.Err(Utf8Line(
        QStringLiteral("cyklometrika: soubor „%1“ nelze zapsat: %2").arg(call_.Output, error)));
    return ExitOutputFailed;
}

// A date that is no day at all: what is wrong with it, then the window's own refusal.
std::optional<int> Runner::CheckDay(const QString &text, const Date &date, bool month)
{
    const QString why = NoSuchDay(date, month);
    if (why.isEmpty())
        return std::nullopt;
    const QString shown = text.isEmpty() ? Czech(date) : Shortened(text.trimmed());
    Note(QStringLiteral("„%1“ není %2: %3")
             .arg(shown, month ? QStringLiteral("měsíc") : QStringLiteral("den"), why));
    return Refuse(1, call_.Birth, date);
}

// The first date argument (a month where `month`), or today where none is given.
std::optional<Date> Runner::FirstDateOrToday(bool month, QString &error)
{
    if (call_.Rest.isEmpty())
        return FromQDate(env_.Today());
    return DateArgument(call_.Rest.first(), month, error);
}

// The day of `day` and `chart`: the argument or today, confirmed as the window would; then
// the rest of the command with that day and its confirmation.
template<typename Then> int Runner::ConfirmDay(Then then)
{
    QString error;
    const auto day = FirstDateOrToday(false, error);
    if (!day)
        return Usage(error);
    if (const auto refused = CheckDay(call_.Rest.value(0), *day, false))
        return *refused;
    const Confirmation c = Confirm(call_.Birth, *day);
    if (c.Refusal != 0)
        return Refuse(c.Refusal, call_.Birth, *day);
    return then(*day, c);
}

int Runner::RunMonth()
{
    QString error;
    const auto month = FirstDateOrToday(true, error);
    if (!month)
        return Usage(error);
    if (const auto refused = CheckDay(call_.Rest.value(0), *month, true))
        return *refused;
    const Date target = MonthTarget(call_.Birth, *month);
    const Confirmation c = Confirm(call_.Birth, target);
    if (c.Refusal != 0)
        return Refuse(c.Refusal, call_.Birth, target);
    if (target.Day > 1)
        Note(QStringLiteral("měsíc narození začíná dnem narození %1").arg(Czech(call_.Birth)));
    return Emit(MonthReport(call_.OutputFormat, call_.Birth, target, c.Month, Options()));
}

int Runner::RunCritical()
{
    QString error;
    if (const auto year = call_.Rest.size() == 1 ? YearArgument(call_.Rest.first()) : std::nullopt)
        return RunRange({ 1, 1, *year }, { 31, 12, *year });
    const auto from = FirstDateOrToday(false, error);
    if (!from)
        return Usage(error);
    // A start that is no day is refused before any day is counted from it.
    if (const auto refused = CheckDay(call_.Rest.value(0), *from, false))
        return *refused;
    auto to = call_.Rest.size() < 2 ? std::optional(AddDays(*from, DefaultSpanDays))
                                    : DateArgument(call_.Rest[1], false, error);
    if (call_.Rest.size() < 2 && to->Year > LastYear && from->Year <= LastYear) {
        to = Date { 31, 12, LastYear };
        Note(QStringLiteral("rozsah končí posledním dnem roku %1").arg(LastYear));
    }
    if (!to)
        return Usage(error);
    if (*to < *from)
        return Usage(QStringLiteral("rozsah končí (%1) dřív, než začíná (%2)")
                         .arg(call_.Rest.value(1), call_.Rest.value(0)));
    if (const auto refused = CheckDay(call_.Rest.value(1), *to, false))
        return *refused;
    return RunRange(*from, *to);
}

// A range that starts before the birth starts at the birth day, as the window counts none
// before it.
int Runner::RunRange(Date from, const Date &to)
{
    if (from < call_.Birth && !(to < call_.Birth)) {
        Note(QStringLiteral("rozsah začíná dnem narození %1").arg(Czech(call_.Birth)));
        from = call_.Birth;
    }
    if (to.Year > LastYear)
        return Refuse(1, call_.Birth, to);
    // A start the window refuses is refused before any day is counted from it.
    if (const Confirmation start = Confirm(call_.Birth, from); start.Refusal != 0)
        return Refuse(start.Refusal, call_.Birth, from);
    CriticalList list = FindCriticalDays(call_.Birth, from, to);
    if (list.Refusal != 0)
        return Refuse(list.Refusal, call_.Birth, list.RefusedDay);
    std::erase_if(list.Days, [this](CriticalDay &day) {
        day.Codes = Selected(day.Codes, call_.Codes);
        return day.Codes.empty();
    });
    if (call_.OutputFormat == Format::Ics)
        return EmitCalendar(list);
    return Emit(CriticalReport(call_.OutputFormat, call_.Birth, from, to, list, Options()));
}

int Runner::EmitCalendar(const CriticalList &list)
{
    const QDateTime now = env_.Now().toUTC();
    const UtcTime stamp { now.date().year(), now.date().month(),  now.date().day(),
                          now.time().hour(), now.time().minute(), now.time().second() };
    const CalendarResult calendar = CriticalCalendar(
        call_.Birth, list, { stamp, call_.RemindMinutes, call_.Person.toStdString(), call_.Merge });
    for (const Date &day : calendar.LeftOut) {
        const QString why = IsCivilDay(day)
            ? QStringLiteral("kalendářové programy neznají dny po 31.12.9999")
            : QStringLiteral("ten je jen v kalendáři výpočtu, žádný kalendářový program ho nezná");
        Note(QStringLiteral("den %1 je vynechán: %2").arg(Czech(day), why));
    }
    return Emit(QByteArray::fromStdString(calendar.Text));
}

int Runner::RunChart()
{
    return ConfirmDay([&](const Date &day, const Confirmation &) {
        QString error;
        if (env_.DrawChart({ call_.Birth, day, call_.Output, ChartKind(call_.Output) }, error))
            return int(ExitOk);
        Note(QStringLiteral("obrázek „%1“ nelze nakreslit: %2").arg(call_.Output, error));
        return int(ExitOutputFailed);
    });
}

int Runner::Run()
{
    switch (call_.Asked) {
    case Request::Help:
        return Emit(HelpText().toUtf8());
    case Request::ShortHelp:
        return Emit(ShortHelpText().toUtf8());
    case Request::CommandHelp:
        return Emit(CommandHelpText(call_.Kind).toUtf8());
    case Request::Version:
        return Emit(QByteArrayLiteral("cyklometrika " CYKL_VERSION "\n"));
    case Request::Run:
        break;
    }
    if (const auto refused = CheckDay(call_.BirthText, call_.Birth, false))
        return *refused;
    switch (call_.Kind) {
    case Command::Day:
        return ConfirmDay([&](const Date &day, const Confirmation &c) {
            return Emit(DayReport(call_.OutputFormat, call_.Birth, day, c, Options()));
        });
    case Command::Month:
        return RunMonth();
    case Command::Critical:
        return RunCritical();
    case Command::Chart:
        return RunChart();
    }
    return ExitUsage;
}

} // namespace

int RunCommand(const QStringList &arguments, Environment &environment)
{
    const auto call = ReadCommandLine(arguments);
    int status = ExitUsage;
    if (const auto *problem = std::get_if<QString>(&call)) {
        UsageError(environment, *problem);
    } else {
        status = Runner(environment, std::get<Invocation>(call)).Run();
    }
    QString error;
    if (environment.FinishOut(error) || status != ExitOk)
        return status;
    environment.Err(
        Utf8Line(QStringLiteral("cyklometrika: standardní výstup nelze zapsat: ") + error));
    return ExitOutputFailed;
}

} // namespace cykl::companion
