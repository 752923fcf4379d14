// SPDX-License-Identifier: GPL-3.0-or-later
// One command of the companion as a unit: its names, the options it takes, its parser,
// what it runs and its help. The table of every unit (Commands) is what the dispatcher,
// the help, the typo suggestions and a shell's completion read; the options all commands
// know are one table too (OptionTable).
#pragma once

#include "companion/io/environment.h"

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
// without and with the marks), the name messages call it by, its value's name (none: a
// switch), and its lines of the help.
struct OptionUnit {
    QString Key; // the English name, by which the code asks for it
    QStringList Names;
    QString Shown; // "-o", "--with", "--kalendar"
    QString ValueName; // "FORMÁT", or empty for a switch
    QString Synopsis; // the left column of the help: "-f, --format FORMÁT"
    QString Help; // the right column, its lines apart by '\n'
    ValueKind Completes = ValueKind::Other;
};

// Every option, in the order of the help.
const QList<OptionUnit> &OptionTable();
const OptionUnit *FindOption(const QString &name);
// The option a word of a command line names ("-o", "--format", "--format=csv"), or null.
const OptionUnit *OptionOfWord(const QString &word);
// An option's name as written: "-o", "--format".
QString Dashed(const QString &name);

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
};

// What a command line asks for, ready to run; or the usage error that stops it.
using Job = std::function<int(Environment &)>;
using Parsed = std::variant<Job, QString>;

// A line of the whole help's list of commands: how it is written, and what it does (its
// lines apart by '\n').
struct HelpEntry {
    QString Synopsis;
    QString Text;
};

// An option a command does not take, and what it says of it.
using Refusal = std::pair<QString, QString>;

struct CommandUnit {
    QStringList Names; // English, then Czech without and with the marks
    QStringList Options; // the keys of the options it takes besides -h
    // What it says of an option it does not take, where more than that it does not ("%1":
    // the command as written).
    QList<Refusal> Refusals;
    Parsed (*Parse)(const CommandLine &line);
    QList<HelpEntry> Listing; // in the whole help
    // Its own help after "Použití: cyklometrika " and the name as written (%1); %2 indents
    // a usage line's continuation under the first argument.
    QString Help;
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
