// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/command.h"

#include "calendar/engine.h"
#include "calendar/ical.h"
#include "calendar/texts.h"
#include "companion/commands/arguments.h"
#include "companion/commands/daily.h"
#include "companion/io/date_arguments.h"
#include "companion/help.h"
#include "companion/commands/people.h"
#include "companion/commands/together.h"

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
    int Usage(const QString &message) { return UsageError(env_, message); }
    int Refuse(MessageCode code, const Date &birth, const Date &target);
    void Note(const QString &text) { env_.Err(Utf8Line(QStringLiteral("cyklometrika: ") + text)); }
    ReportOptions Options() const { return { who_.Name, call_.Excel }; }
    int Emit(const QByteArray &data);
    int RunPerson();
    int EmitTogether();
    std::optional<int> CheckDay(const QString &text, const Date &date, bool month);
    std::optional<Date> FirstDateOrToday(bool month, QString &error);
    template<typename Then> int Confirmed(const Date &target, Then then);
    template<typename Then> int ConfirmDay(Then then);
    int RunMonth();
    int RunCritical();
    int RunRange(Date from, const Date &to);
    int RunChart();
    int EmitCalendar(const CriticalList &list);
    void NoteLeftOut(const std::vector<Date> &days);
    int RunGroup();
    int RunMatch(const QList<Person> &people);

    Environment &env_;
    const Invocation &call_;
    Person who_; // the person the command runs for now
    // For several people (--all, a list of names): their outputs are gathered, then emitted
    // as one, and one whose birth the window refuses is left out.
    bool several_ = false;
    QList<QByteArray> parts_;
    std::vector<CalendarPerson> family_;
    std::vector<CriticalList> lists_; // together: each person's days, in order
    std::pair<Date, Date> span_; // together: the span asked for
};

// Of one of several people, the window refuses the birth, not the dates asked.
constexpr int LeftOut = -1;

// Why the window refuses a day for this birth, where its own text does not say it plainly.
QString RefusalReason(MessageCode code, const Date &birth, const Date &target)
{
    if (code == 2)
        return QStringLiteral("den %1 je před narozením %2").arg(Czech(target), Czech(birth));
    if (code == 3)
        return QStringLiteral("rok %1 je víc než 150 let po roce narození %2")
            .arg(target.Year)
            .arg(birth.Year);
    return {};
}

// The window's text after the reason; of several people, the refused one is left out with
// both on one line.
int Runner::Refuse(MessageCode code, const Date &birth, const Date &target)
{
    const QString text = QString::fromStdString(MessageText(code, birth, target));
    const QString why = RefusalReason(code, birth, target);
    if (several_ && !why.isEmpty()) {
        Note(QStringLiteral("„%1“ je vynechán(a): %2 (%3)").arg(who_.Name, why, text.trimmed()));
        return LeftOut;
    }
    if (!why.isEmpty())
        Note(why);
    env_.Err(Utf8Line(text));
    return ExitRefused;
}

int Runner::Emit(const QByteArray &data)
{
    if (several_) {
        parts_.append(data);
        return ExitOk;
    }
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
    return Refuse(1, who_.Birth, date);
}

// The first date argument (a month where `month`), or today where none is given.
std::optional<Date> Runner::FirstDateOrToday(bool month, QString &error)
{
    if (call_.Rest.isEmpty())
        return FromQDate(env_.Today());
    return DateArgument(call_.Rest.first(), month, error);
}

// One confirmation of the person's birth and the target, as the window would: a refusal
// is told, else the rest of the command runs with it. The month and the day share it.
template<typename Then> int Runner::Confirmed(const Date &target, Then then)
{
    const Confirmation c = Confirm(who_.Birth, target);
    if (c.Refusal != 0)
        return Refuse(c.Refusal, who_.Birth, target);
    return then(c);
}

// The day of `day` and `chart`: the argument or today, confirmed; then the rest of the
// command with that day and its confirmation.
template<typename Then> int Runner::ConfirmDay(Then then)
{
    QString error;
    const auto day = FirstDateOrToday(false, error);
    if (!day)
        return Usage(error);
    if (const auto refused = CheckDay(call_.Rest.value(0), *day, false))
        return *refused;
    return Confirmed(*day, [&](const Confirmation &c) { return then(*day, c); });
}

int Runner::RunMonth()
{
    QString error;
    const auto month = FirstDateOrToday(true, error);
    if (!month)
        return Usage(error);
    if (const auto refused = CheckDay(call_.Rest.value(0), *month, true))
        return *refused;
    const Date target = MonthTarget(who_.Birth, *month);
    return Confirmed(target, [&](const Confirmation &c) {
        if (target.Day > 1)
            Note(QStringLiteral("měsíc narození začíná dnem narození %1").arg(Czech(who_.Birth)));
        return Emit(MonthReport(call_.OutputFormat, who_.Birth, target, c.Month, Options()));
    });
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

// A range that starts before the birth starts at the birth day (SpanStart).
int Runner::RunRange(Date from, const Date &to)
{
    span_ = { from, to };
    // A year alone ("10000") is checked here; dates written out were checked already.
    for (const Date &end : { from, to }) {
        if (const auto refused = CheckDay(QString(), end, false))
            return *refused;
    }
    if (const Date start = SpanStart(who_.Birth, from, to); start != from) {
        Note(QString::fromStdString(SpanStartNote(start)));
        from = start;
    }
    // A start the window refuses is refused before any day is counted from it.
    if (const Confirmation start = Confirm(who_.Birth, from); start.Refusal != 0)
        return Refuse(start.Refusal, who_.Birth, from);
    CriticalList list = FindCriticalDays(who_.Birth, from, to);
    if (list.Refusal != 0)
        return Refuse(list.Refusal, who_.Birth, list.RefusedDay);
    std::erase_if(list.Days, [this](CriticalDay &day) {
        day.Codes = Selected(day.Codes, call_.Codes);
        return day.Codes.empty();
    });
    if (call_.Kind == Command::Together) {
        lists_.push_back(std::move(list));
        return ExitOk;
    }
    if (call_.OutputFormat == Format::Ics)
        return EmitCalendar(list);
    return Emit(CriticalReport(call_.OutputFormat, who_.Birth, from, to, list, Options()));
}

int Runner::EmitCalendar(const CriticalList &list)
{
    if (several_) {
        family_.push_back({ who_.Name.toStdString(), who_.Birth, list });
        return ExitOk;
    }
    const QDateTime now = env_.Now().toUTC();
    const UtcTime stamp { now.date().year(), now.date().month(),  now.date().day(),
                          now.time().hour(), now.time().minute(), now.time().second() };
    const CalendarOptions options { stamp, call_.RemindMinutes, who_.Name.toStdString(),
                                    call_.Merge, std::nullopt };
    const CalendarResult calendar = family_.empty() ? CriticalCalendar(who_.Birth, list, options)
                                                    : FamilyCalendar(family_, options);
    NoteLeftOut(calendar.LeftOut);
    return Emit(QByteArray::fromStdString(calendar.Text));
}

void Runner::NoteLeftOut(const std::vector<Date> &days)
{
    for (const Date &day : days)
        Note(QString::fromStdString(LeftOutNote(day)));
}

// match and together: the people first, then their agreement or their shared days.
int Runner::RunGroup()
{
    const auto group = GroupOf(call_, env_);
    if (const int *status = std::get_if<int>(&group))
        return *status;
    const auto &people = std::get<QList<Person>>(group);
    if (call_.Kind == Command::Match)
        return RunMatch(people);
    several_ = true;
    QList<Person> kept; // as for critical, one whose birth the window refuses is left out
    for (const Person &person : people) {
        who_ = person;
        const int status = RunCritical();
        if (status != ExitOk && status != LeftOut)
            return status;
        if (status == ExitOk)
            kept.append(person);
    }
    several_ = false;
    if (kept.size() < 2) {
        Note(QStringLiteral("nezbyli dva lidé, kteří by mohli mít společné dny"));
        return ExitRefused;
    }
    std::vector<Date> leftOut;
    const QByteArray report
        = SharedReport(call_, env_.Now(), kept, lists_, span_.first, span_.second, leftOut);
    NoteLeftOut(leftOut);
    return Emit(report);
}

int Runner::RunMatch(const QList<Person> &people)
{
    if (call_.OutputFormat != Format::Table && call_.OutputFormat != Format::Json)
        return Usage(QStringLiteral("příkaz %1 píše jen formáty table a json").arg(call_.Name));
    who_ = people[0];
    return ConfirmDay([&](const Date &day, const Confirmation &first) {
        const Confirmation second = Confirm(people[1].Birth, day);
        if (second.Refusal != 0)
            return Refuse(second.Refusal, people[1].Birth, day);
        return Emit(MatchReport(call_.OutputFormat, people, day, { first, second }));
    });
}

int Runner::RunChart()
{
    Person with; // --with: a second person on the same chart
    if (!call_.With.isEmpty()) {
        Invocation other;
        other.Names = QStringList { call_.With };
        const auto found = GroupOf(other, env_);
        if (const int *status = std::get_if<int>(&found))
            return *status;
        with = std::get<QList<Person>>(found).first();
    }
    return ConfirmDay([&](const Date &day, const Confirmation &) {
        if (with.Birth.Year != 0) {
            if (const Confirmation c = Confirm(with.Birth, day); c.Refusal != 0)
                return Refuse(c.Refusal, with.Birth, day);
        }
        QString error;
        const QString kind = call_.A4 ? QStringLiteral("pdf-a4") : ChartKind(call_.Output);
        const QString name = who_.Name.isEmpty() && with.Birth.Year != 0
            ? QString::fromStdString(CzechDate(who_.Birth))
            : who_.Name;
        if (env_.DrawChart({ who_.Birth, day, call_.Output, kind, name, with.Birth, with.Name },
                           error))
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
    if (call_.Kind == Command::People)
        return RunPeople(call_, env_);
    if (IsGroupCommand(call_.Kind))
        return RunGroup();
    if (call_.Kind == Command::Feed)
        return RunFeed(call_, env_);
    if (call_.Kind == Command::Notify)
        return RunNotify(call_, env_);
    if (call_.Kind == Command::Reminders)
        return RunReminders(call_, env_);
    if (const auto refused = call_.Names.isEmpty() && !call_.Everyone
            ? CheckDay(call_.BirthText, call_.Birth, false)
            : std::nullopt)
        return *refused;
    QString error;
    const auto people = PeopleOf(call_, env_, error);
    if (!people)
        return Usage(error);
    several_ = call_.Everyone || call_.Names.size() > 1;
    qsizetype left = 0;
    for (const Person &person : *people) {
        who_ = person;
        const int status = RunPerson();
        if (status != ExitOk && status != LeftOut)
            return status;
        left += status == LeftOut ? 1 : 0;
    }
    if (several_ && left == people->size()) {
        Note(QStringLiteral("nezbyl nikdo, pro koho psát"));
        return ExitRefused;
    }
    return several_ ? EmitTogether() : ExitOk;
}

int Runner::RunPerson()
{
    switch (call_.Kind) {
    case Command::Day:
        return ConfirmDay([&](const Date &day, const Confirmation &c) {
            return Emit(DayReport(call_.OutputFormat, who_.Birth, day, c, Options()));
        });
    case Command::Month:
        return RunMonth();
    case Command::Critical:
        return RunCritical();
    case Command::Chart:
        return RunChart();
    case Command::People:
    case Command::Match:
    case Command::Together:
    case Command::Feed:
    case Command::Notify:
    case Command::Reminders:
        break;
    }
    return ExitUsage;
}

// The outputs of several people as one: tables one after another, one CSV header, a JSON
// array, one calendar.
int Runner::EmitTogether()
{
    several_ = false;
    if (call_.OutputFormat == Format::Ics)
        return EmitCalendar({});
    QByteArray together;
    for (qsizetype i = 0; i < parts_.size(); ++i) {
        QByteArray part = parts_[i];
        if (call_.OutputFormat == Format::Table && i > 0)
            together += '\n';
        if (call_.OutputFormat == Format::Json)
            together += i == 0 ? "[\n" : ",\n";
        if (call_.OutputFormat == Format::Csv && i > 0)
            part = part.mid(part.indexOf('\n') + 1); // the header and its byte order mark
        together += call_.OutputFormat == Format::Json ? part.trimmed() : part;
    }
    if (call_.OutputFormat == Format::Json)
        together += "\n]\n";
    return Emit(together);
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
