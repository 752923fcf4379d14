// SPDX-License-Identifier: GPL-3.0-or-later
// One command of the companion as a unit: its names, the options it takes, its parser,
// what it runs and its help. The table of every unit (Commands) is what the dispatcher,
// the help, the typo suggestions and a shell's completion read; the options all commands
// know are one table too (OptionTable).
#pragma once

#include "companion/io/environment.h"
#include "lang/catalogue.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>

namespace cykl::companion {

// What a shell completes as an option's value: nothing of ours, a format's name, a name of
// the people file, a file's name, or a language's tag (for an option of the language).
enum class ValueKind { Other, Format, Person, File, Language };

// An option: its names (a one-letter name first, then the English, then the Czech ones
// without and with the marks), the name messages call it by, whether it takes a value, and
// its entry of the help.
struct OptionUnit {
    QString Key; // the English name, by which the code asks for it
    QStringList Names;
    QString Shown; // "-o", "--with", "--kalendar"
    bool TakesValue = false; // false: a switch
    // Its entry of the help: the left column ("-f, --format FORMAT"), a tab, the right
    // column with its lines apart by '\n'.
    TextKey Help;
    ValueKind Completes = ValueKind::Other;
};

// Every option, in the order of the help.
const QList<OptionUnit> &OptionTable();
const OptionUnit *FindOption(const QString &name);
// The option a word of a command line names ("-o", "--format", "--format=csv"), or null.
const OptionUnit *OptionOfWord(const QString &word);
// An option's name as written: "-o", "--format".
QString Dashed(const QString &name);

// A text of the catalogue in the language, its placeholders {1} and {2} filled.
QString Worded(TextKey key, Lang language, const QString &first = {}, const QString &second = {});

// A command line after its command's name has found its unit: the name as written, the
// arguments after it, and the options.
struct CommandLine {
    QString Name;
    QStringList Arguments;
    const QCommandLineParser &Parser;
    Lang Language = Lang::Cs; // the language the run speaks
    // The dispatcher itself, for a command that runs command lines of its own (mcp): the
    // whole line (its first word the program) in an environment, to its exit status.
    int (*RunLine)(const QStringList &arguments, Environment &environment) = nullptr;

    bool IsSet(const char *key) const { return Parser.isSet(QLatin1String(key)); }
    QString Value(const char *key) const { return Parser.value(QLatin1String(key)); }
    // A text of the catalogue in the run's language.
    QString Text(TextKey key, const QString &first = {}, const QString &second = {}) const
    {
        return Worded(key, Language, first, second);
    }
};

// What a command line asks for, ready to run; or the usage error that stops it.
using Job = std::function<int(Environment &)>;
using Parsed = std::variant<Job, QString>;

// An option a command does not take (its key), and what it says of it ({1}: the command as
// written).
struct Refusal {
    QString Key;
    TextKey Text;
};

struct CommandUnit {
    QStringList Names; // English, then Czech without and with the marks
    QStringList Options; // the keys of the options it takes besides -h
    // What it says of an option it does not take, where more than that it does not.
    QList<Refusal> Refusals;
    Parsed (*Parse)(const CommandLine &line);
    // Its lines in the whole help's list of commands: how it is written, a tab, and what it
    // does (its lines apart by '\n').
    QList<TextKey> Listing;
    // Its own help: {1} the name as written; {2} indents a usage line's continuation under
    // the first argument.
    TextKey Help;
    // Which of its arguments (from 0, after its name) may be names of the people file.
    QList<qsizetype> People = {};
    QStringList Actions = {}; // the words its first argument may be (on, off...), if any
    QStringList Formats = {}; // the formats its -f takes, where not those of the reports
};

// Every command, in the order of the help.
const QList<CommandUnit> &Commands();
// The command a name stands for, in any letter case; null for none.
const CommandUnit *FindCommand(const QString &name);

} // namespace cykl::companion
