// SPDX-License-Identifier: GPL-3.0-or-later
// A shell's completion from the table itself: `completion bash|zsh|fish` prints the script,
// and the script asks `__complete WORDS...` for the words that may follow, so what a shell
// offers is what the dispatcher takes.
#include "companion/commands/completion.h"

#include "companion/commands/arguments.h"
#include "companion/commands/units.h"
#include "lang/language.h"

namespace cykl::companion {

namespace {

// Where the word being completed stands after the words before it.
struct Place {
    const CommandUnit *Unit = nullptr;
    bool Unknown = false; // after a word that is no command
    qsizetype Argument = 0; // the arguments of the command before it
    const OptionUnit *ValueOf = nullptr; // the option whose value it is
};

Place PlaceAfter(const QStringList &before)
{
    Place place;
    for (const QString &word : before) {
        if (place.ValueOf != nullptr) {
            // bash splits --format=csv into three words.
            if (word != QLatin1String("="))
                place.ValueOf = nullptr;
            continue;
        }
        if (const OptionUnit *option = OptionOfWord(word)) {
            if (option->TakesValue && !word.contains(QLatin1Char('=')))
                place.ValueOf = option;
        } else if (word.size() > 1 && word.startsWith(QLatin1Char('-'))) {
            continue;
        } else if (place.Unit == nullptr) {
            place.Unit = FindCommand(word);
            place.Unknown = place.Unit == nullptr;
        } else {
            ++place.Argument;
        }
    }
    return place;
}

QStringList Starting(const QStringList &words, const QString &prefix)
{
    QStringList found;
    for (const QString &word : words) {
        if (word.startsWith(prefix, Qt::CaseInsensitive) && !found.contains(word))
            found.append(word);
    }
    return found;
}

// Names of the people file, after the names of a comma list before them ("Jana,Pe").
QStringList PeopleStarting(const QStringList &people, const QString &word)
{
    const qsizetype comma = word.lastIndexOf(QLatin1Char(',')) + 1;
    QStringList found;
    for (const QString &name : Starting(people, word.mid(comma)))
        found.append(word.left(comma) + name);
    return found;
}

QStringList Values(const OptionUnit &option, const QString &word, const QStringList &people,
                   const CommandUnit *unit)
{
    QStringList words;
    switch (option.Completes) {
    case ValueKind::Format:
        if (unit != nullptr && !unit->Formats.isEmpty())
            return Starting(unit->Formats, word);
        for (const auto &format : FormatNames())
            words.append(format.first);
        break;
    case ValueKind::Person:
        return PeopleStarting(people, word);
    case ValueKind::File:
        return { FilesWanted };
    case ValueKind::Language:
        for (const Language &language : Languages)
            words.append(QString::fromUtf8(language.Code.data(),
                                           static_cast<qsizetype>(language.Code.size())));
        break;
    case ValueKind::Other:
        break;
    }
    return Starting(words, word);
}

// The options a command takes (or, before a command, those of the program), as written.
QStringList OptionWords(const CommandUnit *unit)
{
    const QStringList keys = unit != nullptr ? unit->Options + QStringList { "help" }
                                             : QStringList { "help", "version" };
    QStringList words;
    for (const QString &key : keys) {
        for (const QString &name : FindOption(key)->Names)
            words.append(Dashed(name));
    }
    return words;
}

QStringList OptionCompletions(const Place &place, const QString &word, const QStringList &people)
{
    const qsizetype equals = word.indexOf(QLatin1Char('='));
    const OptionUnit *option = OptionOfWord(word);
    if (equals < 0 || option == nullptr || !option->TakesValue)
        return Starting(OptionWords(place.Unit), word);
    QStringList words;
    for (const QString &value : Values(*option, word.mid(equals + 1), people, place.Unit))
        words.append(value == FilesWanted ? value : word.left(equals + 1) + value);
    return words;
}

} // namespace

QStringList Completions(const QStringList &words, const QStringList &people)
{
    const QString word = words.value(words.size() - 1);
    const Place place = PlaceAfter(words.mid(0, words.size() - 1));
    if (place.ValueOf != nullptr)
        return Values(*place.ValueOf, word, people, place.Unit);
    if (place.Unknown)
        return {};
    if (word.startsWith(QLatin1Char('-')))
        return OptionCompletions(place, word, people);
    if (place.Unit == nullptr) {
        QStringList names;
        for (const CommandUnit &unit : Commands())
            names += unit.Names;
        return Starting(names, word);
    }
    const qsizetype actions = place.Unit->Actions.isEmpty() ? 0 : 1;
    if (place.Argument < actions)
        return Starting(place.Unit->Actions, word);
    if (place.Unit->People.contains(place.Argument))
        return PeopleStarting(people, word);
    return {};
}

} // namespace cykl::companion
