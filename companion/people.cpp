// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/people.h"

#include "calendar/texts.h"
#include "companion/arguments.h"
#include "companion/date_arguments.h"

namespace cykl::companion {

namespace {

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString PersonLine(const Person &person)
{
    return person.Name + QStringLiteral(" = ") + QString::fromStdString(CzechDate(person.Birth));
}

// The person of one line; else empty, with the reason where the line is meant as one.
std::optional<Person> ReadLine(const QString &line, QString &problem)
{
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
        return std::nullopt;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) {
        problem = QStringLiteral("chybí „=“ mezi jménem a datem");
        return std::nullopt;
    }
    const Person person { text.left(equals).trimmed(), {} };
    QString error;
    const auto birth = DateArgument(text.mid(equals + 1).trimmed(), false, error);
    if (!birth || !NoSuchDay(*birth, false).isEmpty()) {
        problem = birth ? NoSuchDay(*birth, false) : error;
        return std::nullopt;
    }
    problem = NameProblem(person.Name);
    if (!problem.isEmpty())
        return std::nullopt;
    return Person { person.Name, *birth };
}

} // namespace

PeopleFile ReadPeople(const QByteArray &text)
{
    PeopleFile file;
    file.Lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    if (!file.Lines.isEmpty() && file.Lines.last().isEmpty())
        file.Lines.removeLast();
    for (qsizetype i = 0; i < file.Lines.size(); ++i) {
        file.Lines[i].remove(QLatin1Char('\r'));
        QString problem;
        const auto person = ReadLine(file.Lines[i], problem);
        if (person && FindPerson(file, person->Name))
            problem = QStringLiteral("jméno „%1“ je tu podruhé").arg(person->Name);
        else if (person)
            file.People.append(*person);
        if (!problem.isEmpty())
            file.Problems.append(QStringLiteral("řádek %1: %2").arg(i + 1).arg(problem));
    }
    return file;
}

QByteArray PeopleText(const PeopleFile &file)
{
    return file.Lines.isEmpty() ? QByteArray()
                                : (file.Lines.join(QLatin1Char('\n')) + '\n').toUtf8();
}

std::optional<Person> FindPerson(const PeopleFile &file, const QString &name)
{
    for (const Person &person : file.People) {
        if (SameName(person.Name, name))
            return person;
    }
    return std::nullopt;
}

QString NameProblem(const QString &name)
{
    QString error;
    if (name.trimmed().isEmpty())
        return QStringLiteral("jméno je prázdné");
    if (name.contains(QLatin1Char('=')) || name.contains(QLatin1Char(',')))
        return QStringLiteral("jméno „%1“ obsahuje „=“ nebo „,“").arg(Shortened(name));
    if (DateArgument(name, false, error) || DateArgument(name, true, error) || YearArgument(name)
        || name.front().isDigit())
        return QStringLiteral("jméno „%1“ se čte jako datum").arg(Shortened(name));
    if (IsCommandName(name))
        return QStringLiteral("jméno „%1“ je jméno příkazu").arg(Shortened(name));
    return {};
}

bool AddPerson(PeopleFile &file, const Person &person, bool replace, QString &error)
{
    error = NameProblem(person.Name);
    if (!error.isEmpty())
        return false;
    if (FindPerson(file, person.Name) && !replace) {
        error = QStringLiteral("„%1“ už v souboru je (--replace ho změní)").arg(person.Name);
        return false;
    }
    for (qsizetype i = 0; i < file.Lines.size(); ++i) {
        QString problem;
        const auto old = ReadLine(file.Lines[i], problem);
        if (old && SameName(old->Name, person.Name)) {
            file.Lines[i] = PersonLine(person);
            file = ReadPeople(PeopleText(file));
            return true;
        }
    }
    file.Lines.append(PersonLine(person));
    file = ReadPeople(PeopleText(file));
    return true;
}

bool RemovePerson(PeopleFile &file, const QString &name)
{
    const qsizetype before = file.Lines.size();
    file.Lines.removeIf([&name](const QString &line) {
        QString problem;
        const auto person = ReadLine(line, problem);
        return person && SameName(person->Name, name);
    });
    file = ReadPeople(PeopleText(file));
    return file.Lines.size() < before;
}

} // namespace cykl::companion
