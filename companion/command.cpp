// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/command.h"

#include "companion/commands/command_unit.h"
#include "companion/commands/completion.h"
#include "companion/help.h"
#include "companion/io/date_arguments.h"
#include "companion/io/language_choice.h"

#include <algorithm>
#include <optional>

#ifndef CYKL_VERSION
#define CYKL_VERSION "0"
#endif

namespace cykl::companion {

namespace {

using Problem = std::optional<QString>;

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

// The first of the names within two edits of the text, the nearest; empty for none.
QString Nearest(const QString &text, const QStringList &names)
{
    QString nearest;
    qsizetype best = 3;
    for (const QString &name : names) {
        const qsizetype distance = EditDistance(text.toLower(), name);
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    return nearest;
}

QString UnknownCommand(const QString &name)
{
    QStringList names;
    for (const CommandUnit &unit : Commands())
        names += unit.Names;
    const QString nearest = Nearest(name, names);
    const QString text = QStringLiteral("neznámý příkaz „%1“").arg(Shortened(name));
    return nearest.isEmpty() ? text + QStringLiteral(" (day, month, critical nebo chart)")
                             : text + QStringLiteral("; myslíte „%1“?").arg(nearest);
}

QString UnknownOption(const QString &name)
{
    QStringList names;
    for (const OptionUnit &option : OptionTable()) {
        for (const QString &known : option.Names) {
            if (known.size() > 1)
                names.append(known);
        }
    }
    const QString text = QStringLiteral("neznámá volba „%1“").arg(Dashed(Shortened(name)));
    const QString nearest = name.size() > 1 ? Nearest(name, names) : QString();
    return nearest.isEmpty() ? text : text + QStringLiteral("; myslíte „--%1“?").arg(nearest);
}

// The parser's own complaint, in Czech. Its texts are fixed, untranslated English, so
// the kind is told by how the text starts and the option named by its quotes.
QString ParserError(const QCommandLineParser &parser)
{
    const QStringList unknownNames = parser.unknownOptionNames();
    if (unknownNames.size() == 1)
        return UnknownOption(unknownNames.first());
    QStringList unknown;
    for (const QString &name : unknownNames)
        unknown.append(QStringLiteral("„%1“").arg(Dashed(Shortened(name))));
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

// True when the argument names an option that takes the next argument as its value.
bool TakesValue(const QString &argument)
{
    const OptionUnit *option = OptionOfWord(argument);
    return option != nullptr && !option->ValueName.isEmpty()
        && !argument.contains(QLatin1Char('='));
}

// An argument that starts as an option but goes on as a number is a mistyped date, unless
// it is an option's value (--remind -1), which that option judges. An option's value that
// is itself an option (--with -o x.png) is a value left out.
Problem ArgumentProblem(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool value = TakesValue(arguments[i - 1]);
        if (value && OptionOfWord(argument) != nullptr)
            return QStringLiteral("volba „%1“ potřebuje hodnotu").arg(arguments[i - 1]);
        if (argument.size() >= 2 && argument[0] == QLatin1Char('-')
            && argument[1] >= QLatin1Char('0') && argument[1] <= QLatin1Char('9') && !value)
            return QStringLiteral("„%1“ není datum (D.M.RRRR nebo RRRR-MM-DD)")
                .arg(Shortened(argument));
    }
    return std::nullopt;
}

// An option given twice, or one the command does not take.
Problem OptionProblem(const QCommandLineParser &parser, const CommandUnit &unit,
                      const QString &name)
{
    for (const OptionUnit &option : OptionTable()) {
        if (!option.ValueName.isEmpty() && parser.values(option.Key).size() > 1)
            return QStringLiteral("volba %1 smí být jen jednou").arg(option.Shown);
    }
    for (const OptionUnit &option : OptionTable()) {
        if (!parser.isSet(option.Key) || unit.Options.contains(option.Key)
            || option.Key == QLatin1String("help") || option.Key == QLatin1String("lang"))
            continue;
        for (const auto &[key, text] : unit.Refusals) {
            if (key == option.Key)
                return text.contains(QLatin1String("%1")) ? text.arg(name) : text;
        }
        return QStringLiteral("příkaz %1 nepřijímá --%2").arg(name, option.Key);
    }
    return std::nullopt;
}

QList<QCommandLineOption> ParserOptions()
{
    QList<QCommandLineOption> options;
    for (const OptionUnit &option : OptionTable())
        options.append(
            QCommandLineOption(option.Names, QString(),
                               option.ValueName.isEmpty() ? QString() : QStringLiteral("value")));
    return options;
}

// What the command line asks for, ready to run, or what is wrong with it.
Parsed Read(const QStringList &arguments, Lang language)
{
    if (arguments.value(1) == QLatin1String(CompleteQuery))
        return CompleteJob(arguments.mid(2));
    if (auto problem = ArgumentProblem(arguments))
        return *problem;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.addOptions(ParserOptions());
    if (!parser.parse(arguments))
        return ParserError(parser);
    const QStringList positional = parser.positionalArguments();
    const CommandUnit *unit = FindCommand(positional.value(0));
    const QString name = positional.value(0);
    if (parser.isSet(QStringLiteral("version")))
        return Job([](Environment &env) {
            return WriteOutput(env, {}, "cyklometrika " CYKL_VERSION "\n");
        });
    if (parser.isSet(QStringLiteral("help"))) {
        const QString help = unit != nullptr ? CommandHelpText(*unit, name) : HelpText();
        return Job([help](Environment &env) { return WriteOutput(env, {}, help.toUtf8()); });
    }
    if (positional.isEmpty())
        return QStringLiteral("chybí příkaz (day, month, critical nebo chart)");
    if (unit == nullptr)
        return UnknownCommand(name);
    if (auto problem = OptionProblem(parser, *unit, name))
        return *problem;
    return unit->Parse({ name, positional.mid(1), parser, language, RunCommand });
}

} // namespace

int RunCommand(const QStringList &arguments, Environment &environment)
{
    const LanguageChoice language = ChooseLanguage(arguments, environment);
    if (const auto *problem = std::get_if<QString>(&language))
        return UsageError(environment, *problem);
    environment.SetLanguage(std::get<Lang>(language));
    int status = ExitUsage;
    if (arguments.size() <= 1) {
        status = WriteOutput(environment, {}, ShortHelpText().toUtf8());
    } else {
        const Parsed parsed = Read(arguments, environment.Language());
        if (const auto *problem = std::get_if<QString>(&parsed))
            UsageError(environment, *problem);
        else
            status = std::get<Job>(parsed)(environment);
    }
    QString error;
    if (environment.FinishOut(error) || status != ExitOk)
        return status;
    Note(environment, QStringLiteral("standardní výstup nelze zapsat: ") + error);
    return ExitOutputFailed;
}

} // namespace cykl::companion
