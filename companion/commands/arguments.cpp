// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/arguments.h"

#include "companion/io/date_arguments.h"
#include "companion/commands/together.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace cykl::companion {

namespace {

constexpr int MaxRemindHours = 24 * 366;

const QList<std::pair<QString, Command>> &CommandNames()
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
        { QStringLiteral("people"), Command::People },
        { QStringLiteral("lide"), Command::People },
        { QStringLiteral("lidé"), Command::People },
        { QStringLiteral("match"), Command::Match },
        { QStringLiteral("shoda"), Command::Match },
        { QStringLiteral("together"), Command::Together },
        { QStringLiteral("spolecne"), Command::Together },
        { QStringLiteral("společné"), Command::Together },
        { QStringLiteral("feed"), Command::Feed },
        { QStringLiteral("kalendar"), Command::Feed },
        { QStringLiteral("kalendář"), Command::Feed },
        { QStringLiteral("notify"), Command::Notify },
        { QStringLiteral("upozornit"), Command::Notify },
        { QStringLiteral("reminders"), Command::Reminders },
        { QStringLiteral("upozorneni"), Command::Reminders },
        { QStringLiteral("upozornění"), Command::Reminders },
    };
    return names;
}

std::optional<Command> CommandNamed(const QString &name)
{
    for (const auto &[known, command] : CommandNames()) {
        if (known == name.toLower())
            return command;
    }
    return std::nullopt;
}

qsizetype EditDistance(const QString &a, const QString &b)
{
    QList<qsizetype> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype above = row[j];
            row[j] = std::min({ row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1]) });
            diagonal = above;
        }
    }
    return row[b.size()];
}

QString UnknownCommand(const QString &name)
{
    QString nearest;
    qsizetype best = 3; // a suggestion only within two edits
    for (const auto &pair : CommandNames()) {
        const qsizetype distance = EditDistance(name.toLower(), pair.first);
        if (distance < best) {
            best = distance;
            nearest = pair.first;
        }
    }
    const QString text = QStringLiteral("neznámý příkaz „%1“").arg(Shortened(name));
    return nearest.isEmpty() ? text + QStringLiteral(" (day, month, critical nebo chart)")
                             : text + QStringLiteral("; myslíte „%1“?").arg(nearest);
}

std::optional<Format> FormatNamed(const QString &text)
{
    static const QList<std::pair<QLatin1String, Format>> names {
        { QLatin1String("table"), Format::Table },
        { QLatin1String("csv"), Format::Csv },
        { QLatin1String("json"), Format::Json },
        { QLatin1String("ics"), Format::Ics },
    };
    for (const auto &[name, format] : names) {
        if (name == text.toLower())
            return format;
    }
    return std::nullopt;
}

// The format a file's extension names, if any.
std::optional<Format> FormatOfFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("txt"))
        return Format::Table;
    return suffix == QLatin1String("table") ? std::nullopt : FormatNamed(suffix);
}

// Why a text command must not write a file of that name: its extension names a format the
// command does not write (report.xlsx would hold a text table), or empty.
QString ForeignExtension(const QString &path)
{
    static const QStringList pictures { "png", "svg", "pdf" };
    static const QStringList foreign { "xlsx", "xls",  "xlsm", "ods",  "odt", "doc",  "docx",
                                       "rtf",  "html", "htm",  "xml",  "tsv", "yaml", "yml",
                                       "jpg",  "jpeg", "gif",  "webp", "zip", "vcs",  "ical" };
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString text = QStringLiteral("soubor „%1“: formát .%2 cyklometrika nepíše; ")
                             .arg(Shortened(path), suffix);
    if (pictures.contains(suffix))
        return text + QStringLiteral("obrázek grafů kreslí příkaz chart");
    if (foreign.contains(suffix))
        return text + QStringLiteral("umí .txt, .csv, .json a .ics");
    return {};
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

// The options: the English name, then the Czech ones, without and with the marks.
const QList<QCommandLineOption> &Options()
{
    static const QList<QCommandLineOption> options = [] {
        const QString value = QStringLiteral("value");
        const auto option = [&](std::initializer_list<const char *> names, bool takesValue) {
            QStringList list;
            for (const char *name : names)
                list.append(QString::fromUtf8(name));
            return QCommandLineOption(list, QString(), takesValue ? value : QString());
        };
        return QList<QCommandLineOption> {
            option({ "h", "help", "napoveda", "nápověda" }, false),
            option({ "v", "version", "verze" }, false),
            option({ "f", "format", "formát" }, true),
            option({ "o", "output", "vystup", "výstup" }, true),
            option({ "remind", "pripominka", "připomínka" }, true),
            option({ "only-critical", "jen-kriticke", "jen-kritické" }, false),
            option({ "codes", "kody", "kódy" }, true),
            option({ "merge", "sloucit", "sloučit" }, false),
            option({ "excel" }, false),
            option({ "name", "jmeno", "jméno" }, true),
            option({ "all", "vsichni", "všichni" }, false),
            option({ "replace", "nahradit" }, false),
            option({ "a4" }, false),
            option({ "with", "spolu" }, true),
            option({ "day", "den" }, true),
            option({ "time", "cas", "čas" }, true),
            option({ "calendar", "kalendar", "kalendář" }, true),
        };
    }();
    return options;
}

// True when the argument names an option that takes the next argument as its value.
bool TakesValue(const QString &argument)
{
    if (!argument.startsWith(QLatin1Char('-')) || argument.contains(QLatin1Char('=')))
        return false;
    const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    return std::any_of(Options().begin(), Options().end(), [&](const QCommandLineOption &o) {
        return !o.valueName().isEmpty() && o.names().contains(name);
    });
}

// An argument that starts as an option but goes on as a number is a mistyped date, unless
// it is an option's value (--remind -1), which that option judges.
std::optional<QString> NegativeNumber(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument.size() >= 2 && argument[0] == QLatin1Char('-')
            && argument[1] >= QLatin1Char('0') && argument[1] <= QLatin1Char('9')
            && !TakesValue(arguments[i - 1]))
            return QStringLiteral("„%1“ není datum (D.M.RRRR nebo RRRR-MM-DD)")
                .arg(Shortened(argument));
    }
    return std::nullopt;
}

// The format: the option's, or the output file's extension (x.ics, x.csv...), which must
// agree where both are given.
std::optional<QString> CheckFormat(const QCommandLineParser &parser, Invocation &call)
{
    const QString name = parser.value(QStringLiteral("format"));
    const auto named = FormatNamed(name);
    if (parser.isSet(QStringLiteral("format")) && !named)
        return QStringLiteral("neznámý formát „%1“ (table, csv, json nebo ics)")
            .arg(Shortened(name));
    if (call.Kind == Command::Chart) {
        if (!named)
            return std::nullopt;
        return QStringLiteral("příkaz %1 nepřijímá --format: formát obrázku určuje přípona souboru")
            .arg(call.Name);
    }
    if (const QString foreign = ForeignExtension(call.Output); !foreign.isEmpty())
        return foreign;
    const auto extension = FormatOfFile(call.Output);
    if (named && extension && *named != *extension)
        return QStringLiteral("formát %1 neodpovídá příponě souboru „%2“")
            .arg(name.toLower(), Shortened(call.Output));
    call.OutputFormat = named ? *named : extension.value_or(Format::Table);
    if (call.OutputFormat == Format::Ics && call.Kind != Command::Critical
        && call.Kind != Command::Together)
        return QStringLiteral("formát ics je jen pro příkazy critical a together");
    call.Excel = parser.isSet(QStringLiteral("excel"));
    if (call.Excel && call.OutputFormat != Format::Csv) {
        if (parser.isSet(QStringLiteral("format")) || extension)
            return QStringLiteral("--excel platí jen pro formát csv");
        call.OutputFormat = Format::Csv;
    }
    return std::nullopt;
}

// --remind HOURS (before the day begins) or --remind H:MM (on the day itself).
std::optional<QString> CheckRemind(const QCommandLineParser &parser, Invocation &call)
{
    if (!parser.isSet(QStringLiteral("remind")))
        return std::nullopt;
    const QString text = parser.value(QStringLiteral("remind"));
    static const QRegularExpression clock(QStringLiteral("^([0-9]{1,2}):([0-5][0-9])$"));
    const auto time = clock.match(text);
    bool ok = false;
    const int hours = text.toInt(&ok);
    if (time.hasMatch() && time.captured(1).toInt() < 24)
        call.RemindMinutes = 60 * time.captured(1).toInt() + time.captured(2).toInt();
    else if (ok && hours >= 0 && hours <= MaxRemindHours)
        call.RemindMinutes = -60 * hours;
    else
        return QStringLiteral("--remind chce celé hodiny před dnem (0 až %1) nebo čas dne (7:00)")
            .arg(MaxRemindHours);
    if (call.OutputFormat != Format::Ics)
        return QStringLiteral("--remind platí jen s formátem ics");
    return std::nullopt;
}

// --only-critical (4 to 6) or --codes 4,5,6,9; --merge.
std::optional<QString> CheckSelection(const QCommandLineParser &parser, Invocation &call)
{
    const bool only = parser.isSet(QStringLiteral("only-critical"));
    const bool codes = parser.isSet(QStringLiteral("codes"));
    if ((only || codes || parser.isSet(QStringLiteral("merge"))) && call.Kind != Command::Critical)
        return QStringLiteral("--only-critical, --codes a --merge jsou jen pro příkaz critical");
    if (only && codes)
        return QStringLiteral("--only-critical a --codes nejdou spolu");
    if (only)
        call.Codes = { 4, 5, 6 };
    const QStringList parts
        = codes ? parser.value(QStringLiteral("codes")).split(QLatin1Char(',')) : QStringList();
    for (const QString &part : parts) {
        bool ok = false;
        const int code = part.trimmed().toInt(&ok);
        if (!ok || code < 4 || code > 12)
            return QStringLiteral("--codes chce kódy 4 až 12 oddělené čárkou (4,5,6)");
        if (!call.Codes.contains(code))
            call.Codes.append(static_cast<MessageCode>(code));
    }
    call.Merge = parser.isSet(QStringLiteral("merge"));
    if (call.Merge && call.OutputFormat != Format::Ics)
        return QStringLiteral("--merge platí jen s formátem ics");
    return std::nullopt;
}

std::optional<QString> CheckOptions(const QCommandLineParser &parser, Invocation &call)
{
    const QStringList outputs = parser.values(QStringLiteral("output"));
    if (outputs.size() > 1)
        return QStringLiteral("volba -o smí být jen jednou");
    if (!outputs.isEmpty() && outputs.first().isEmpty())
        return QStringLiteral("volba -o potřebuje jméno souboru (nebo - pro standardní výstup)");
    call.Output = outputs.value(0);
    call.Person = parser.value(QStringLiteral("name")).trimmed();
    if (parser.isSet(QStringLiteral("name")) && call.Person.isEmpty())
        return QStringLiteral("volba --name potřebuje jméno");
    for (const auto check : { CheckFormat, CheckRemind, CheckSelection }) {
        if (auto problem = check(parser, call))
            return problem;
    }
    if (call.Kind == Command::Chart && call.Output.isEmpty())
        return QStringLiteral("příkaz %1 potřebuje -o SOUBOR (.png, .svg nebo .pdf)")
            .arg(call.Name);
    if (call.Kind == Command::Chart && ChartKind(call.Output).isEmpty())
        return QStringLiteral("soubor obrázku musí končit na .png, .svg nebo .pdf");
    call.With = parser.value(QStringLiteral("with")).trimmed();
    if (parser.isSet(QStringLiteral("with"))
        && (call.Kind != Command::Chart || call.With.isEmpty()))
        return QStringLiteral("--with patří k příkazu chart a chce jméno nebo datum narození");
    call.A4 = parser.isSet(QStringLiteral("a4"));
    if (call.A4 && (call.Kind != Command::Chart || ChartKind(call.Output) != QLatin1String("pdf")))
        return QStringLiteral("--a4 platí jen pro obrázek PDF příkazu chart");
    return std::nullopt;
}

// The birth: a date, or names of the people file (a comma list), or --all.
std::optional<QString> CheckPositional(const QCommandLineParser &parser,
                                       const QStringList &positional, Invocation &call)
{
    call.Everyone = parser.isSet(QStringLiteral("all"));
    const qsizetype first = call.Everyone ? 1 : 2; // the first argument after the birth
    const qsizetype most = call.Kind == Command::Critical ? first + 2 : first + 1;
    if (positional.size() > most)
        return QStringLiteral("příliš mnoho argumentů pro příkaz %1: „%2“ je navíc")
            .arg(call.Name, Shortened(positional[most]));
    call.Rest = positional.mid(first);
    if (call.Everyone)
        return std::nullopt;
    QString error;
    const auto birth = DateArgument(positional[1], false, error);
    const auto other = [](QChar c) {
        return !c.isDigit() && !c.isSpace() && c != QLatin1Char('.') && c != QLatin1Char(',')
            && c != QLatin1Char('-');
    };
    const bool letters = std::any_of(positional[1].begin(), positional[1].end(), other);
    if (!birth && letters && !positional[1].startsWith(QLatin1Char('-')))
        call.Names = positional[1].split(QLatin1Char(','), Qt::SkipEmptyParts);
    else if (!birth)
        return error;
    else
        call.Birth = *birth;
    call.BirthText = positional[1];
    return std::nullopt;
}

// Who the command is for: one person for month and chart; --name only with a date.
std::optional<QString> CheckPeople(const QCommandLineParser &parser, Invocation &call)
{
    const bool several = call.Everyone || call.Names.size() > 1;
    if (several && (call.Kind == Command::Month || call.Kind == Command::Chart))
        return QStringLiteral("příkaz %1 je pro jednoho člověka").arg(call.Name);
    if (parser.isSet(QStringLiteral("name")) && IsGroupCommand(call.Kind))
        return QStringLiteral("příkaz %1 bere jména ze souboru lidí, ne --name").arg(call.Name);
    if (parser.isSet(QStringLiteral("name")) && (call.Everyone || !call.Names.isEmpty()))
        return QStringLiteral(
            "--name patří k datu narození; jména ze souboru lidí se píší místo něj");
    if (parser.isSet(QStringLiteral("replace")))
        return QStringLiteral("--replace patří k příkazu people add");
    return std::nullopt;
}

// people [list], people add NAME DATE [--replace], people remove NAME
std::variant<Invocation, QString> ReadPeopleCommand(const QCommandLineParser &parser,
                                                    const QStringList &positional, Invocation call)
{
    call.Rest = positional.mid(1);
    call.Replace = parser.isSet(QStringLiteral("replace"));
    for (const char *option : { "format", "output", "remind", "only-critical", "codes", "merge",
                                "excel", "name", "all", "a4", "with", "day", "time", "calendar" }) {
        if (parser.isSet(QString::fromLatin1(option)))
            return QStringLiteral("příkaz %1 nepřijímá --%2").arg(call.Name, QLatin1String(option));
    }
    return call;
}

} // namespace

bool IsCommandName(const QString &text)
{
    return CommandNamed(text).has_value();
}

std::variant<Invocation, QString> ReadCommandLine(const QStringList &arguments)
{
    Invocation call;
    if (arguments.size() <= 1) {
        call.Asked = Request::ShortHelp;
        return call;
    }
    if (auto problem = NegativeNumber(arguments))
        return *problem;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.addOptions(Options());
    if (!parser.parse(arguments))
        return ParserError(parser);
    const QStringList positional = parser.positionalArguments();
    const std::optional<Command> command = CommandNamed(positional.value(0));
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))) {
        call.Asked = parser.isSet(QStringLiteral("version")) ? Request::Version
            : command                                        ? Request::CommandHelp
                                                             : Request::Help;
        call.Kind = command.value_or(Command::Day);
        return call;
    }
    if (positional.isEmpty())
        return QStringLiteral("chybí příkaz (day, month, critical nebo chart)");
    if (!command)
        return UnknownCommand(positional.first());
    call.Kind = *command;
    call.Name = positional.first();
    if (call.Kind == Command::People)
        return ReadPeopleCommand(parser, positional, call);
    if (call.Kind == Command::Feed || call.Kind == Command::Notify
        || call.Kind == Command::Reminders)
        return ReadScheduleCommand(parser, positional, call);
    if (auto problem = ScheduleOptionsMisplaced(parser, call))
        return *problem;
    if (positional.size() < 2 && !parser.isSet(QStringLiteral("all")))
        return QStringLiteral("příkaz %1 potřebuje datum narození nebo jméno").arg(call.Name);
    if (auto problem = IsGroupCommand(call.Kind)
            ? ReadGroup(parser.isSet(QStringLiteral("all")), positional, call)
            : CheckPositional(parser, positional, call))
        return *problem;
    if (auto problem = CheckPeople(parser, call))
        return *problem;
    if (auto problem = CheckOptions(parser, call))
        return *problem;
    return call;
}

} // namespace cykl::companion
