// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/people_file.h"

#include "calendar/texts.h"
#include "companion/io/date_arguments.h"
#include "lang/qt/said.h"

#include <QStringDecoder>
#include <algorithm>

namespace cykl::companion {

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

QString Folded(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

QByteArray PersonLine(const Person &person)
{
    return (person.Name + QStringLiteral(" = ") + QString::fromStdString(CzechDate(person.Birth)))
        .toUtf8();
}

// The person of one line; else empty, with the reason where the line is meant as one.
std::optional<Person> ReadLine(const QString &line, const QStringList &reserved, Lang language,
                               QString &problem)
{
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
        return std::nullopt;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) {
        problem = Said("people.line.no.equals", language);
        return std::nullopt;
    }
    const Person person { text.left(equals).trimmed(), {}, text.mid(equals + 1).trimmed() };
    QString error;
    const auto birth = DateArgument(person.Written, false, error, language);
    if (!birth || !NoSuchDay(*birth, false, language).isEmpty()) {
        problem = birth ? NoSuchDay(*birth, false, language) : error;
        return std::nullopt;
    }
    problem = reserved.contains(person.Name.toLower()) ? ReservedNameProblem(person.Name, language)
                                                       : NameFormProblem(person.Name, language);
    if (!problem.isEmpty())
        return std::nullopt;
    return Person { person.Name, *birth, person.Written };
}

// Reads line i into the file's people, or notes why it is none.
void ReadInto(PeopleFile &file, qsizetype i, QStringDecoder &decoder, Lang language)
{
    const QByteArray &bytes = file.Lines[i];
    const QString line = decoder.decode(bytes.left(bytes.size() - LineEnd(bytes).size()));
    QString problem;
    file.LineNames.append(QString());
    if (decoder.hasError()) {
        decoder.resetState();
        problem = Said("people.line.not.utf8", language);
    } else if (const auto person = ReadLine(line, file.Reserved, language, problem)) {
        const QString folded = Folded(person->Name);
        file.LineNames.last() = folded;
        if (file.Index.contains(folded)) {
            problem = Said("people.line.again", language, { person->Name.toStdString() });
        } else {
            file.Index.insert(folded, file.People.size());
            file.People.append(*person);
        }
    }
    if (!problem.isEmpty())
        file.Problems.append(
            Said("people.line", language, { std::to_string(i + 1), problem.toStdString() }));
}

} // namespace

QList<QByteArray> SplitLines(const QByteArray &text, qsizetype start)
{
    QList<QByteArray> lines;
    while (start < text.size()) {
        const qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        lines.append(text.mid(start, next - start));
        start = next;
    }
    return lines;
}

QByteArray LineEnd(const QByteArray &line)
{
    return line.endsWith("\r\n") ? QByteArray("\r\n")
        : line.endsWith('\n')    ? QByteArray("\n")
                                 : QByteArray();
}

void AppendLine(QList<QByteArray> &lines, const QByteArray &line)
{
    const QByteArray end = lines.isEmpty() || LineEnd(lines.first()).isEmpty()
        ? QByteArray("\n")
        : LineEnd(lines.first());
    if (!lines.isEmpty() && LineEnd(lines.last()).isEmpty())
        lines.last() += end;
    lines.append(line + end);
}

PeopleFile ReadPeople(const QByteArray &text, const QStringList &reserved, Lang language)
{
    PeopleFile file;
    file.Reserved = reserved;
    file.Mark = text.startsWith(ByteOrderMark) ? ByteOrderMark : QByteArray();
    file.Lines = SplitLines(text, file.Mark.size());
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    for (qsizetype i = 0; i < file.Lines.size(); ++i)
        ReadInto(file, i, decoder, language);
    return file;
}

QByteArray JoinLines(const QByteArray &mark, const QList<QByteArray> &lines)
{
    QByteArray text = mark;
    for (const QByteArray &line : lines)
        text += line;
    return text;
}

QByteArray PeopleText(const PeopleFile &file)
{
    return JoinLines(file.Mark, file.Lines);
}

std::optional<Person> FindPerson(const PeopleFile &file, const QString &name)
{
    const auto found = file.Index.constFind(Folded(name));
    return found == file.Index.cend() ? std::nullopt : std::optional(file.People[*found]);
}

std::optional<Person> FindPersonLoosely(const PeopleFile &file, const QString &name)
{
    if (auto person = FindPerson(file, name))
        return person;
    const auto bare = [](const QString &text) {
        QString letters;
        for (const QChar c : Folded(text).normalized(QString::NormalizationForm_D)) {
            if (c.category() != QChar::Mark_NonSpacing)
                letters.append(c);
        }
        return letters;
    };
    std::optional<Person> found;
    for (const Person &person : file.People) {
        if (bare(person.Name) != bare(name))
            continue;
        if (found)
            return std::nullopt;
        found = person;
    }
    return found;
}

QString NameFormProblem(const QString &name, Lang language)
{
    const std::string shown = Shortened(name).toStdString();
    QString error;
    if (name.trimmed().isEmpty())
        return Said("people.name.empty", language);
    if (name.size() > MaxNameLength)
        return Said("people.name.long", language, { std::to_string(MaxNameLength) });
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) {
            return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
                || c.category() == QChar::Separator_Paragraph;
        }))
        return Said("people.name.control", language);
    if (name.trimmed().startsWith(QLatin1Char('#')))
        return Said("people.name.comment", language);
    if (name.contains(QLatin1Char('=')) || name.contains(QLatin1Char(',')))
        return Said("people.name.sign", language, { shown });
    if (DateArgument(name, false, error, language) || DateArgument(name, true, error, language)
        || YearArgument(name) || name.front().isDigit())
        return Said("people.name.date", language, { shown });
    return {};
}

QString ReservedNameProblem(const QString &name, Lang language)
{
    return Said("people.name.command", language, { Shortened(name).toStdString() });
}

bool AddPerson(PeopleFile &file, const Person &person, bool replace, QString &error, Lang language)
{
    error = NameFormProblem(person.Name, language);
    if (!error.isEmpty())
        return false;
    if (FindPerson(file, person.Name) && !replace) {
        error = Said("people.name.taken", language, { person.Name.toStdString() });
        return false;
    }
    const qsizetype at = file.LineNames.indexOf(Folded(person.Name));
    if (at >= 0) {
        file.Lines[at] = PersonLine(person) + LineEnd(file.Lines[at]);
    } else {
        AppendLine(file.Lines, PersonLine(person));
    }
    file = ReadPeople(PeopleText(file), file.Reserved);
    return true;
}

bool RemovePerson(PeopleFile &file, const QString &name)
{
    const QString folded = Folded(name);
    if (folded.isEmpty())
        return false;
    QList<QByteArray> kept;
    for (qsizetype i = 0; i < file.Lines.size(); ++i) {
        if (file.LineNames[i] != folded)
            kept.append(file.Lines[i]);
    }
    const bool removed = kept.size() < file.Lines.size();
    file.Lines = kept;
    file = ReadPeople(PeopleText(file), file.Reserved);
    return removed;
}

} // namespace cykl::companion
