// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/command.h"

#include "companion/commands/command_unit.h"
#include "companion/commands/completion.h"
#include "companion/help.h"
#include "companion/io/date_arguments.h"
#include "companion/io/language_choice.h"
#include "lang/qt/said.h"

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

QString UnknownCommand(const QString &name, Lang language)
{
    QStringList names;
    for (const CommandUnit &unit : Commands())
        names += unit.Names;
    const QString nearest = Nearest(name, names);
    return nearest.isEmpty()
        ? Worded("usage.unknown.command", language, Shortened(name))
        : Worded("usage.unknown.command.near", language, Shortened(name), nearest);
}

QString UnknownOption(const QString &name, Lang language)
{
    QStringList names;
    for (const OptionUnit &option : OptionTable()) {
        for (const QString &known : option.Names) {
            if (known.size() > 1)
                names.append(known);
        }
    }
    const QString nearest = name.size() > 1 ? Nearest(name, names) : QString();
    return nearest.isEmpty()
        ? Worded("usage.unknown.option", language, Dashed(Shortened(name)))
        : Worded("usage.unknown.option.near", language, Dashed(Shortened(name)), nearest);
}

// The parser's own complaint, in the run's language. Its texts are fixed, untranslated
// English, so the kind is told by how the text starts and the option named by its quotes.
QString ParserError(const QCommandLineParser &parser, Lang language)
{
    const QStringList unknownNames = parser.unknownOptionNames();
    if (unknownNames.size() == 1)
        return UnknownOption(unknownNames.first(), language);
    QStringList unknown;
    for (const QString &name : unknownNames)
        unknown.append(Worded("usage.quoted", language, Dashed(Shortened(name))));
    if (!unknown.isEmpty())
        return Worded("usage.unknown.options", language, unknown.join(QStringLiteral(", ")));
    const QString text = parser.errorText();
    const QString option = text.section(QLatin1Char('\''), 1, 1);
    if (text.startsWith(QLatin1String("Missing value")))
        return Worded("usage.option.needs.value", language, option);
    if (text.startsWith(QLatin1String("Unexpected value")))
        return Worded("usage.option.takes.no.value", language, option);
    return Said("usage.options.malformed", language);
}

// True when the argument names an option that takes the next argument as its value.
bool TakesValue(const QString &argument)
{
    const OptionUnit *option = OptionOfWord(argument);
    return option != nullptr && option->TakesValue && !argument.contains(QLatin1Char('='));
}

// An argument that starts as an option but goes on as a number is a mistyped date, unless
// it is an option's value (--remind -1), which that option judges. An option's value that
// is itself an option (--with -o x.png) is a value left out.
Problem ArgumentProblem(const QStringList &arguments, Lang language)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool value = TakesValue(arguments[i - 1]);
        if (value && OptionOfWord(argument) != nullptr)
            return Worded("usage.option.needs.value", language, arguments[i - 1]);
        if (argument.size() >= 2 && argument[0] == QLatin1Char('-')
            && argument[1] >= QLatin1Char('0') && argument[1] <= QLatin1Char('9') && !value)
            return Worded("usage.not.a.date", language, Shortened(argument));
    }
    return std::nullopt;
}

// An option given twice, or one the command does not take.
Problem OptionProblem(const QCommandLineParser &parser, const CommandUnit &unit,
                      const QString &name, Lang language)
{
    for (const OptionUnit &option : OptionTable()) {
        if (option.TakesValue && parser.values(option.Key).size() > 1)
            return Worded("usage.option.twice", language, option.Shown);
    }
    for (const OptionUnit &option : OptionTable()) {
        if (!parser.isSet(option.Key) || unit.Options.contains(option.Key)
            || option.Key == QLatin1String("help") || option.Key == QLatin1String("lang"))
            continue;
        for (const Refusal &refusal : unit.Refusals) {
            if (refusal.Key == option.Key)
                return Worded(refusal.Text, language, name);
        }
        return Worded("usage.option.not.taken", language, name, option.Key);
    }
    return std::nullopt;
}

QList<QCommandLineOption> ParserOptions()
{
    QList<QCommandLineOption> options;
    for (const OptionUnit &option : OptionTable())
        options.append(QCommandLineOption(option.Names, QString(),
                                          option.TakesValue ? QStringLiteral("value") : QString()));
    return options;
}

// The help the command line asks for: the whole (--help), a command's (COMMAND -h), or the
// short one where nothing but the language is given; empty for none.
QString HelpAsked(const QCommandLineParser &parser, const CommandUnit *unit, Lang language)
{
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("help")))
        return unit != nullptr ? CommandHelpText(*unit, positional.value(0), language)
                               : HelpText(language);
    const QStringList options = parser.optionNames();
    if (positional.isEmpty() && options.size() == 1
        && FindOption(options.first())->Key == QLatin1String("lang"))
        return ShortHelpText(language);
    return {};
}

// What the command line asks for, ready to run, or what is wrong with it.
Parsed Read(const QStringList &arguments, Lang language)
{
    if (arguments.value(1) == QLatin1String(CompleteQuery))
        return CompleteJob(arguments.mid(2));
    if (auto problem = ArgumentProblem(arguments, language))
        return *problem;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.addOptions(ParserOptions());
    if (!parser.parse(arguments))
        return ParserError(parser, language);
    const QStringList positional = parser.positionalArguments();
    const CommandUnit *unit = FindCommand(positional.value(0));
    const QString name = positional.value(0);
    if (parser.isSet(QStringLiteral("version")))
        return Job([](Environment &env) {
            return WriteOutput(env, {}, "cyklometrika " CYKL_VERSION "\n");
        });
    if (const QString help = HelpAsked(parser, unit, language); !help.isEmpty())
        return Job([help](Environment &env) { return WriteOutput(env, {}, help.toUtf8()); });
    if (positional.isEmpty())
        return Said("usage.no.command", language);
    if (unit == nullptr)
        return UnknownCommand(name, language);
    if (auto problem = OptionProblem(parser, *unit, name, language))
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
        status = WriteOutput(environment, {}, ShortHelpText(environment.Language()).toUtf8());
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
    Note(environment, Worded("output.standard.failed", environment.Language(), error));
    return ExitOutputFailed;
}

} // namespace cykl::companion
