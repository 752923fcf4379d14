// SPDX-License-Identifier: GPL-3.0-or-later
// Who the commands match and together are for.
#include "companion/commands/together.h"

#include "companion/io/date_arguments.h"
#include "companion/commands/people.h"
#include "companion/io/report_parts.h"

#include <algorithm>

namespace cykl::companion {

namespace {

bool HasLetters(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QByteArray Line(const QString &text)
{
    return (QStringLiteral("cyklometrika: ") + text + QLatin1Char('\n')).toUtf8();
}

// The people of the file among the items, in their places; the dates stay as they are.
std::optional<QString> FillNames(const Invocation &call, Environment &environment,
                                 QList<std::optional<Person>> &people)
{
    Invocation named;
    for (qsizetype i = 0; i < people.size(); ++i) {
        if (!people[i])
            named.Names.append(call.Names[i]);
    }
    if (named.Names.isEmpty())
        return std::nullopt;
    QString error;
    const auto found = PeopleOf(named, environment, error);
    if (!found)
        return error;
    qsizetype next = 0;
    for (std::optional<Person> &person : people) {
        if (!person)
            person = found->at(next++);
    }
    return std::nullopt;
}

std::optional<QString> Duplicate(const QList<Person> &people)
{
    for (qsizetype i = 0; i < people.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j) {
            if (people[i].Name.compare(people[j].Name, Qt::CaseInsensitive) == 0)
                return QStringLiteral("„%1“ je uveden(a) dvakrát").arg(Shortened(people[i].Name));
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> ReadGroup(bool everyone, const QStringList &positional, Invocation &call)
{
    const bool match = call.Kind == Command::Match;
    if (everyone && match)
        return QStringLiteral("příkaz %1 je pro dva lidi, ne pro --all").arg(call.Name);
    call.Everyone = everyone;
    qsizetype first = everyone ? 1 : 2; // the first argument after the people
    if (!everyone)
        call.Names = positional.value(1).split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (match && call.Names.size() == 1 && positional.size() > 2) {
        call.Names.append(positional[2]);
        first = 3;
    }
    if (!everyone && (match ? call.Names.size() != 2 : call.Names.size() < 2))
        return match
            ? QStringLiteral("příkaz %1 chce dva lidi (JANA PETR)").arg(call.Name)
            : QStringLiteral("příkaz %1 chce aspoň dva lidi (JANA,PETR) nebo --all").arg(call.Name);
    if (positional.size() > first + (match ? 1 : 2))
        return QStringLiteral("příliš mnoho argumentů pro příkaz %1").arg(call.Name);
    call.Rest = positional.mid(first);
    return std::nullopt;
}

std::variant<QList<Person>, int> GroupOf(const Invocation &call, Environment &environment)
{
    QString error;
    if (call.Everyone) {
        const auto everyone = PeopleOf(call, environment, error);
        if (everyone && everyone->size() < 2)
            error = QStringLiteral("příkaz %1 chce aspoň dva lidi, v souboru lidí je jeden")
                        .arg(call.Name);
        if (!everyone || everyone->size() < 2)
            return UsageError(environment, error);
        return *everyone;
    }
    QList<std::optional<Person>> items;
    for (const QString &item : call.Names) {
        const auto birth = DateArgument(item, false, error);
        if (!birth && !HasLetters(item))
            return UsageError(environment, error);
        if (!birth) {
            items.append(std::nullopt);
            continue;
        }
        if (const QString why = NoSuchDay(*birth, false); !why.isEmpty()) {
            environment.Err(Line(QStringLiteral("„%1“ není den: %2").arg(item.trimmed(), why)));
            environment.Err((Utf8(MessageText(1, *birth, *birth)) + QLatin1Char('\n')).toUtf8());
            return ExitRefused;
        }
        items.append(Person { Utf8(CzechDate(*birth)), *birth });
    }
    if (const auto problem = FillNames(call, environment, items))
        return UsageError(environment, *problem);
    QList<Person> people;
    for (const std::optional<Person> &person : items)
        people.append(*person);
    if (const auto problem = Duplicate(people))
        return UsageError(environment, *problem);
    return people;
}

} // namespace cykl::companion
