// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/command.h"

#include "companion/engine.h"
#include "companion/formats.h"
#include "companion/ical.h"

#include <QCommandLineParser>
#include <optional>

#ifndef CYKL_VERSION
#define CYKL_VERSION "0"
#endif

namespace cykl::companion {

namespace {

enum class Command { Day, Month, Critical, Chart };

constexpr int DefaultSpanDays = 365;
constexpr int MaxRemindHours = 24 * 366;

// The options as the parser left them, checked.
struct Invocation {
    Command command = Command::Day;
    QString name; // the command as it was written
    Date birth;
    QStringList rest; // the arguments after the birth date
    Format format = Format::Table;
    QString output; // empty or "-": standard output
    std::optional<int> remindHours;
    bool a4 = false; // chart: the PDF on an A4 landscape page
};

std::optional<Date> FromQDate(const QDate &date)
{
    return Date { date.day(), date.month(), date.year() };
}

QByteArray Utf8Line(const QString &text)
{
    return (text + QLatin1Char('\n')).toUtf8();
}

std::optional<Command> CommandNamed(const QString &name)
{
    static const QList<std::pair<QString, Command>> names {
        { QStringLiteral("day"), Command::Day },
        { QStringLiteral("den"), Command::Day },
        { QStringLiteral("month"), Command::Month },
        { QStringLiteral("mesic"), Command::Month },
        { QStringLiteral("měsíc"), Command::Month },
        { QStringLiteral("critical"), Command::Critical },
        { QStringLiteral("kriticke"), Command::Critical },
        { QStringLiteral("kritické"), Command::Critical },
        { QStringLiteral("chart"), Command::Chart },
        { QStringLiteral("graf"), Command::Chart },
    };
    for (const auto &[known, command] : names) {
        if (known == name)
            return command;
    }
    return std::nullopt;
}

std::optional<Format> FormatNamed(const QString &name)
{
    if (name == QLatin1String("table"))
        return Format::Table;
    if (name == QLatin1String("csv"))
        return Format::Csv;
    if (name == QLatin1String("json"))
        return Format::Json;
    if (name == QLatin1String("ics"))
        return Format::Ics;
    return std::nullopt;
}

// The picture's kind by the file's extension, or empty.
QString ChartKind(const QString &path)
{
    const QString suffix = path.section(QLatin1Char('.'), -1).toLower();
    const bool known = path.contains(QLatin1Char('.'))
        && (suffix == QLatin1String("png") || suffix == QLatin1String("svg")
            || suffix == QLatin1String("pdf"));
    return known ? suffix : QString();
}

// The parser's own complaint, in Czech. Its texts are fixed, untranslated English, so
// the kind is told by how the text starts and the option named by its quotes.
QString ParserError(const QCommandLineParser &parser)
{
    QStringList unknown;
    for (const QString &name : parser.unknownOptionNames())
        unknown.append(
            QStringLiteral("„%1%2“").arg(QLatin1String(name.size() == 1 ? "-" : "--"), name));
    if (unknown.size() == 1)
        return QStringLiteral("neznámá volba %1").arg(unknown.first());
    if (!unknown.isEmpty())
        return QStringLiteral("neznámé volby %1").arg(unknown.join(QStringLiteral(", ")));
    const QString text = parser.errorText();
    const QString option = text.section(QLatin1Char('\''), 1, 1);
    if (text.startsWith(QLatin1String("Missing value")))
        return QStringLiteral("volba „%1“ potřebuje hodnotu").arg(option);
    if (text.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("volba „%1“ hodnotu nepřijímá").arg(option);
    return QStringLiteral("chybně zapsané volby");
}

class Runner {
public:
    explicit Runner(Environment &environment) : env_(environment) { }

    int Run(const QStringList &arguments);

private:
    int Usage(const QString &message)
    {
        env_.Err(Utf8Line(QStringLiteral("cyklometrika: ") + message
                          + QStringLiteral("\nNápověda: cyklometrika --help")));
        return ExitUsage;
    }
    int Refuse(MessageCode code, const Date &birth, const Date &target)
    {
        env_.Err(Utf8Line(QString::fromStdString(MessageText(code, birth, target))));
        return ExitRefused;
    }
    int Emit(const QByteArray &data, const QString &output);
    std::optional<QString> Check(QCommandLineParser &parser, Invocation &call);
    std::optional<QString> CheckOptions(QCommandLineParser &parser, Invocation &call);
    std::optional<Date> DateArgument(const QString &text, bool month, QString &error);
    std::optional<Date> FirstDateOrToday(const Invocation &call, bool month, QString &error);
    std::optional<int> ConfirmDay(const Invocation &call, Date &day, Confirmation &c);
    int RunDay(const Invocation &call);
    int RunMonth(const Invocation &call);
    int RunCritical(const Invocation &call);
    int RunChart(const Invocation &call);
    int EmitCalendar(const Invocation &call, const CriticalList &list);

    Environment &env_;
};

int Runner::Emit(const QByteArray &data, const QString &output)
{
    if (output.isEmpty() || output == QLatin1String("-")) {
        env_.Out(data);
        return ExitOk;
    }
    QString error;
    if (env_.WriteFile(output, data, error))
        return ExitOk;
    env_.Err(
        Utf8Line(QStringLiteral("cyklometrika: soubor „%1“ nelze zapsat: %2").arg(output, error)));
    return ExitOutputFailed;
}

std::optional<Date> Runner::DateArgument(const QString &text, bool month, QString &error)
{
    const QByteArray utf8 = text.toUtf8();
    const std::string_view view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    const auto date = month ? ParseMonth(view) : ParseDate(view);
    if (!date)
        error = month ? QStringLiteral("„%1“ není měsíc (M.RRRR nebo RRRR-MM)").arg(text)
                      : QStringLiteral("„%1“ není datum (D.M.RRRR nebo RRRR-MM-DD)").arg(text);
    return date;
}

std::optional<QString> Runner::CheckOptions(QCommandLineParser &parser, Invocation &call)
{
    if (parser.isSet(QStringLiteral("format"))) {
        const QString name = parser.value(QStringLiteral("format"));
        const auto format = FormatNamed(name);
        if (!format)
            return QStringLiteral("neznámý formát „%1“ (table, csv, json nebo ics)").arg(name);
        if (call.command == Command::Chart)
            return QStringLiteral(
                       "příkaz %1 nepřijímá --format: formát obrázku určuje přípona souboru")
                .arg(call.name);
        if (*format == Format::Ics && call.command != Command::Critical)
            return QStringLiteral("formát ics je jen pro příkaz critical");
        call.format = *format;
    }
    call.output = parser.value(QStringLiteral("output"));
    if (parser.isSet(QStringLiteral("remind"))) {
        bool ok = false;
        const int hours = parser.value(QStringLiteral("remind")).toInt(&ok);
        if (!ok || hours < 0 || hours > MaxRemindHours)
            return QStringLiteral("--remind chce celé hodiny od 0 do %1").arg(MaxRemindHours);
        if (call.format != Format::Ics)
            return QStringLiteral("--remind platí jen s --format ics");
        call.remindHours = hours;
    }
    return std::nullopt;
}

std::optional<QString> Runner::Check(QCommandLineParser &parser, Invocation &call)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return QStringLiteral("chybí příkaz (day, month, critical nebo chart)");
    const auto command = CommandNamed(positional.first());
    if (!command)
        return QStringLiteral("neznámý příkaz „%1“ (day, month, critical nebo chart)")
            .arg(positional.first());
    call.command = *command;
    call.name = positional.first();
    if (positional.size() < 2)
        return QStringLiteral("příkaz %1 potřebuje datum narození").arg(positional.first());
    const qsizetype most = call.command == Command::Critical ? 4 : 3;
    if (positional.size() > most)
        return QStringLiteral("příliš mnoho argumentů pro příkaz %1").arg(positional.first());
    QString error;
    const auto birth = DateArgument(positional[1], false, error);
    if (!birth)
        return error;
    call.birth = *birth;
    call.rest = positional.mid(2);
    if (auto problem = CheckOptions(parser, call))
        return problem;
    if (call.command == Command::Chart && call.output.isEmpty())
        return QStringLiteral("příkaz %1 potřebuje -o SOUBOR (.png, .svg nebo .pdf)")
            .arg(call.name);
    if (call.command == Command::Chart && ChartKind(call.output).isEmpty())
        return QStringLiteral("soubor obrázku musí končit na .png, .svg nebo .pdf");
    call.a4 = parser.isSet(QStringLiteral("a4"));
    if (call.a4
        && (call.command != Command::Chart || ChartKind(call.output) != QLatin1String("pdf")))
        return QStringLiteral("--a4 platí jen pro obrázek PDF příkazu chart");
    return std::nullopt;
}

// The first date argument (a month where `month`), or today where none is given.
std::optional<Date> Runner::FirstDateOrToday(const Invocation &call, bool month, QString &error)
{
    if (call.rest.isEmpty())
        return FromQDate(env_.Today());
    return DateArgument(call.rest.first(), month, error);
}

// The day of `day` and `chart`: the argument or today, confirmed as the window would.
// Returns the exit status where the command ends here.
std::optional<int> Runner::ConfirmDay(const Invocation &call, Date &day, Confirmation &c)
{
    QString error;
    const auto given = FirstDateOrToday(call, false, error);
    if (!given)
        return Usage(error);
    day = *given;
    c = Confirm(call.birth, day);
    if (c.Refusal != 0)
        return Refuse(c.Refusal, call.birth, day);
    return std::nullopt;
}

int Runner::RunDay(const Invocation &call)
{
    Date day;
    Confirmation c;
    if (const auto ended = ConfirmDay(call, day, c))
        return *ended;
    return Emit(DayReport(call.format, call.birth, day, c), call.output);
}

int Runner::RunMonth(const Invocation &call)
{
    QString error;
    const auto month = FirstDateOrToday(call, true, error);
    if (!month)
        return Usage(error);
    const Date target = MonthTarget(call.birth, *month);
    const Confirmation c = Confirm(call.birth, target);
    if (c.Refusal != 0)
        return Refuse(c.Refusal, call.birth, target);
    return Emit(MonthReport(call.format, call.birth, target, c.Month), call.output);
}

int Runner::RunCritical(const Invocation &call)
{
    QString error;
    const auto from = FirstDateOrToday(call, false, error);
    if (!from)
        return Usage(error);
    // A start the window refuses is refused before any day is counted from it.
    if (const Confirmation start = Confirm(call.birth, *from); start.Refusal != 0)
        return Refuse(start.Refusal, call.birth, *from);
    const auto to = call.rest.size() < 2 ? std::optional(AddDays(*from, DefaultSpanDays))
                                         : DateArgument(call.rest[1], false, error);
    if (!to)
        return Usage(error);
    if (*to < *from)
        return Usage(QStringLiteral("rozsah končí (%1) dřív, než začíná (%2)")
                         .arg(call.rest.value(1), call.rest.value(0)));
    const CriticalList list = FindCriticalDays(call.birth, *from, *to);
    if (list.Refusal != 0)
        return Refuse(list.Refusal, call.birth, list.RefusedDay);
    if (call.format == Format::Ics)
        return EmitCalendar(call, list);
    return Emit(CriticalReport(call.format, call.birth, *from, *to, list), call.output);
}

int Runner::EmitCalendar(const Invocation &call, const CriticalList &list)
{
    const CalendarResult calendar
        = CriticalCalendar(call.birth, list, { env_.Now().toUTC(), call.remindHours });
    for (const Date &day : calendar.LeftOut)
        env_.Err(Utf8Line(QStringLiteral("cyklometrika: den %1 je jen v kalendáři výpočtu; "
                                         "žádný kalendářový program ho nezná, proto je vynechán")
                              .arg(CzechDate(day))));
    return Emit(calendar.Text, call.output);
}

int Runner::RunChart(const Invocation &call)
{
    Date day;
    Confirmation c;
    if (const auto ended = ConfirmDay(call, day, c))
        return *ended;
    QString error;
    const QString kind = call.a4 ? QStringLiteral("pdf-a4") : ChartKind(call.output);
    if (env_.DrawChart({ call.birth, day, call.output, kind }, error))
        return ExitOk;
    env_.Err(Utf8Line(
        QStringLiteral("cyklometrika: obrázek „%1“ nelze nakreslit: %2").arg(call.output, error)));
    return ExitOutputFailed;
}

int Runner::Run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.addOptions({
        { { QStringLiteral("h"), QStringLiteral("help") }, QString() },
        { { QStringLiteral("v"), QStringLiteral("version") }, QString() },
        { { QStringLiteral("f"), QStringLiteral("format") }, QString(), QStringLiteral("format") },
        { { QStringLiteral("o"), QStringLiteral("output") }, QString(), QStringLiteral("file") },
        { QStringLiteral("remind"), QString(), QStringLiteral("hours") },
        { QStringLiteral("a4"), QString() },
    });
    if (!parser.parse(arguments))
        return Usage(ParserError(parser));
    if (parser.isSet(QStringLiteral("help"))) {
        env_.Out(HelpText().toUtf8());
        return ExitOk;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        env_.Out(QByteArrayLiteral("cyklometrika " CYKL_VERSION "\n"));
        return ExitOk;
    }
    Invocation call;
    if (const auto problem = Check(parser, call))
        return Usage(*problem);
    switch (call.command) {
    case Command::Day:
        return RunDay(call);
    case Command::Month:
        return RunMonth(call);
    case Command::Critical:
        return RunCritical(call);
    case Command::Chart:
        return RunChart(call);
    }
    return ExitUsage;
}

} // namespace

int RunCommand(const QStringList &arguments, Environment &environment)
{
    return Runner(environment).Run(arguments);
}

} // namespace cykl::companion
