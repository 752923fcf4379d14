// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/command.h"

#include "companion/calendar/engine.h"
#include "companion/calendar/ical.h"
#include "companion/formats.h"

#include <QCommandLineParser>
#include <QFileInfo>
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
    Command Kind = Command::Day;
    QString Name; // the command as it was written
    Date Birth;
    QStringList Rest; // the arguments after the birth date
    Format OutputFormat = Format::Table;
    QString Output; // empty or "-": standard output
    std::optional<int> RemindHours;
};

Date FromQDate(const QDate &date)
{
    return { date.day(), date.month(), date.year() };
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

std::optional<Format> FormatNamed(const QString &text)
{
    const QString name = text.toLower();
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

// The format a file's extension names, if any.
std::optional<Format> FormatOfFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("txt"))
        return Format::Table;
    return suffix == QLatin1String("table") || suffix.isEmpty() ? std::nullopt
                                                                : FormatNamed(suffix);
}

// An argument as an error message quotes it: at most about 60 characters.
QString Shortened(const QString &text)
{
    constexpr qsizetype Most = 60;
    return text.size() <= Most ? text : text.left(Most - 1) + QChar(0x2026);
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
        unknown.append(QStringLiteral("„%1%2“").arg(QLatin1String(name.size() == 1 ? "-" : "--"),
                                                    Shortened(name)));
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
    std::optional<QString> CheckFormat(QCommandLineParser &parser, Invocation &call);
    std::optional<QString> CheckOptions(QCommandLineParser &parser, Invocation &call);
    std::optional<Date> DateArgument(const QString &text, bool month, QString &error);
    std::optional<Date> FirstDateOrToday(const Invocation &call, bool month, QString &error);
    template<typename Then> int ConfirmDay(const Invocation &call, Then then);
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
        error = month
            ? QStringLiteral("„%1“ není měsíc (M.RRRR nebo RRRR-MM)").arg(Shortened(text))
            : QStringLiteral("„%1“ není datum (D.M.RRRR nebo RRRR-MM-DD)").arg(Shortened(text));
    return date;
}

// The format: the option's, or the output file's extension (x.ics, x.csv...), which must
// agree where both are given.
std::optional<QString> Runner::CheckFormat(QCommandLineParser &parser, Invocation &call)
{
    const QString name = parser.value(QStringLiteral("format"));
    const auto named = FormatNamed(name);
    if (parser.isSet(QStringLiteral("format")) && !named)
        return QStringLiteral("neznámý formát „%1“ (table, csv, json nebo ics)")
            .arg(Shortened(name));
    if (call.Kind == Command::Chart)
        return named ? std::optional(
                   QStringLiteral(
                       "příkaz %1 nepřijímá --format: formát obrázku určuje přípona souboru")
                       .arg(call.Name))
                     : std::nullopt;
    const auto extension = FormatOfFile(call.Output);
    if (named && extension && *named != *extension)
        return QStringLiteral("formát %1 neodpovídá příponě souboru „%2“")
            .arg(name.toLower(), Shortened(call.Output));
    call.OutputFormat = named ? *named : extension.value_or(Format::Table);
    if (call.OutputFormat == Format::Ics && call.Kind != Command::Critical)
        return QStringLiteral("formát ics je jen pro příkaz critical");
    return std::nullopt;
}

std::optional<QString> Runner::CheckOptions(QCommandLineParser &parser, Invocation &call)
{
    const QStringList outputs = parser.values(QStringLiteral("output"));
    if (outputs.size() > 1)
        return QStringLiteral("volba -o smí být jen jednou");
    if (!outputs.isEmpty() && outputs.first().isEmpty())
        return QStringLiteral("volba -o potřebuje jméno souboru (nebo - pro standardní výstup)");
    call.Output = outputs.value(0);
    if (auto problem = CheckFormat(parser, call))
        return problem;
    if (parser.isSet(QStringLiteral("remind"))) {
        bool ok = false;
        const int hours = parser.value(QStringLiteral("remind")).toInt(&ok);
        if (!ok || hours < 0 || hours > MaxRemindHours)
            return QStringLiteral("--remind chce celé hodiny od 0 do %1").arg(MaxRemindHours);
        if (call.OutputFormat != Format::Ics)
            return QStringLiteral("--remind platí jen s --format ics");
        call.RemindHours = hours;
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
            .arg(Shortened(positional.first()));
    call.Kind = *command;
    call.Name = positional.first();
    if (positional.size() < 2)
        return QStringLiteral("příkaz %1 potřebuje datum narození").arg(positional.first());
    const qsizetype most = call.Kind == Command::Critical ? 4 : 3;
    if (positional.size() > most)
        return QStringLiteral("příliš mnoho argumentů pro příkaz %1").arg(positional.first());
    QString error;
    const auto birth = DateArgument(positional[1], false, error);
    if (!birth)
        return error;
    call.Birth = *birth;
    call.Rest = positional.mid(2);
    if (auto problem = CheckOptions(parser, call))
        return problem;
    if (call.Kind == Command::Chart && call.Output.isEmpty())
        return QStringLiteral("příkaz %1 potřebuje -o SOUBOR (.png, .svg nebo .pdf)")
            .arg(call.Name);
    if (call.Kind == Command::Chart && ChartKind(call.Output).isEmpty())
        return QStringLiteral("soubor obrázku musí končit na .png, .svg nebo .pdf");
    return std::nullopt;
}

// The first date argument (a month where `month`), or today where none is given.
std::optional<Date> Runner::FirstDateOrToday(const Invocation &call, bool month, QString &error)
{
    if (call.Rest.isEmpty())
        return FromQDate(env_.Today());
    return DateArgument(call.Rest.first(), month, error);
}

// The day of `day` and `chart`: the argument or today, confirmed as the window would; then
// the rest of the command with that day and its confirmation.
template<typename Then> int Runner::ConfirmDay(const Invocation &call, Then then)
{
    QString error;
    const auto day = FirstDateOrToday(call, false, error);
    if (!day)
        return Usage(error);
    const Confirmation c = Confirm(call.Birth, *day);
    if (c.Refusal != 0)
        return Refuse(c.Refusal, call.Birth, *day);
    return then(*day, c);
}

int Runner::RunDay(const Invocation &call)
{
    return ConfirmDay(call, [&](const Date &day, const Confirmation &c) {
        return Emit(DayReport(call.OutputFormat, call.Birth, day, c), call.Output);
    });
}

int Runner::RunMonth(const Invocation &call)
{
    QString error;
    const auto month = FirstDateOrToday(call, true, error);
    if (!month)
        return Usage(error);
    const Date target = MonthTarget(call.Birth, *month);
    const Confirmation c = Confirm(call.Birth, target);
    if (c.Refusal != 0)
        return Refuse(c.Refusal, call.Birth, target);
    return Emit(MonthReport(call.OutputFormat, call.Birth, target, c.Month), call.Output);
}

int Runner::RunCritical(const Invocation &call)
{
    QString error;
    const auto from = FirstDateOrToday(call, false, error);
    if (!from)
        return Usage(error);
    // A start the window refuses is refused before any day is counted from it.
    if (const Confirmation start = Confirm(call.Birth, *from); start.Refusal != 0)
        return Refuse(start.Refusal, call.Birth, *from);
    const auto to = call.Rest.size() < 2 ? std::optional(AddDays(*from, DefaultSpanDays))
                                         : DateArgument(call.Rest[1], false, error);
    if (!to)
        return Usage(error);
    if (*to < *from)
        return Usage(QStringLiteral("rozsah končí (%1) dřív, než začíná (%2)")
                         .arg(call.Rest.value(1), call.Rest.value(0)));
    const CriticalList list = FindCriticalDays(call.Birth, *from, *to);
    if (list.Refusal != 0)
        return Refuse(list.Refusal, call.Birth, list.RefusedDay);
    if (call.OutputFormat == Format::Ics)
        return EmitCalendar(call, list);
    return Emit(CriticalReport(call.OutputFormat, call.Birth, *from, *to, list), call.Output);
}

int Runner::EmitCalendar(const Invocation &call, const CriticalList &list)
{
    const QDateTime now = env_.Now().toUTC();
    const UtcTime stamp { now.date().year(), now.date().month(),  now.date().day(),
                          now.time().hour(), now.time().minute(), now.time().second() };
    std::optional<int> remind;
    if (call.RemindHours)
        remind = -60 * *call.RemindHours;
    const CalendarResult calendar
        = CriticalCalendar(call.Birth, list, { stamp, remind, {}, false });
    for (const Date &day : calendar.LeftOut) {
        const QString why = IsCivilDay(day)
            ? QStringLiteral("kalendářové programy neznají dny po 31.12.9999")
            : QStringLiteral("je jen v kalendáři výpočtu; žádný kalendářový program ho nezná");
        env_.Err(Utf8Line(QStringLiteral("cyklometrika: den %1 %2, proto je vynechán")
                              .arg(QString::fromStdString(CzechDate(day)), why)));
    }
    return Emit(QByteArray::fromStdString(calendar.Text), call.Output);
}

int Runner::RunChart(const Invocation &call)
{
    return ConfirmDay(call, [&](const Date &day, const Confirmation &) {
        QString error;
        if (env_.DrawChart({ call.Birth, day, call.Output, ChartKind(call.Output) }, error))
            return int(ExitOk);
        env_.Err(Utf8Line(QStringLiteral("cyklometrika: obrázek „%1“ nelze nakreslit: %2")
                              .arg(call.Output, error)));
        return int(ExitOutputFailed);
    });
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
    switch (call.Kind) {
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
    const int status = Runner(environment).Run(arguments);
    QString error;
    if (environment.FinishOut(error) || status != ExitOk)
        return status;
    environment.Err(
        Utf8Line(QStringLiteral("cyklometrika: standardní výstup nelze zapsat: ") + error));
    return ExitOutputFailed;
}

} // namespace cykl::companion
