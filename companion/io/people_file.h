// SPDX-License-Identifier: GPL-3.0-or-later
// The people file: one "name = D.M.YYYY" a line, in the user's configuration folder, so
// that a name stands wherever a birth date may. It stays a file a person edits: blank
// lines, "#" comments, lines the program cannot read (text not in UTF-8 among them), a
// byte-order mark and the line ends keep their bytes when it adds or removes someone.
#pragma once

#include "calendar/dates.h"
#include "lang/language.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace cykl::companion {

// The largest people file read: far more than any family, far less than a slow read.
inline constexpr qsizetype MaxPeopleFileSize = qsizetype(1024) * 1024;
inline constexpr qsizetype MaxNameLength = 100;

struct Person {
    QString Name;
    Date Birth;
    QString Written = {}; // the birth as the file writes it ("10. 1. 1996"), if read from one
};

struct PeopleFile {
    QByteArray Mark; // the byte-order mark the file starts with, if any
    QList<QByteArray> Lines; // the file as it is, line by line, each with its line end
    QStringList LineNames; // of each line, the case-folded name it gives, or empty
    QList<Person> People; // the lines that read as a person, in order
    QHash<QString, qsizetype> Index; // a case-folded name to its place in People
    QStringList Problems; // why the other lines do not ("řádek 3: ..."), comments aside
    QStringList Reserved; // the names no person may have, in lower case
};

// A text file a person edits, line by line: each line with its line end ("\n", "\r\n", or
// nothing on a last line without one), the byte-order mark apart.
QList<QByteArray> SplitLines(const QByteArray &text, qsizetype start = 0);
QByteArray LineEnd(const QByteArray &line);
// The file again from its byte-order mark (or none) and its lines.
QByteArray JoinLines(const QByteArray &mark, const QList<QByteArray> &lines);
// Adds a line ending as the file's first one does, giving the last one its end first.
void AppendLine(QList<QByteArray> &lines, const QByteArray &line);

// The file's lines; a name among `reserved` (in lower case) is no person's. Its problems
// are told in `language`.
PeopleFile ReadPeople(const QByteArray &text, const QStringList &reserved = {},
                      Lang language = Lang::Cs);
QByteArray PeopleText(const PeopleFile &file);

// The person of a name, in any letter case.
std::optional<Person> FindPerson(const PeopleFile &file, const QString &name);
// The same, and where the file has no such name, the one person whose name it is but for
// the marks over its letters ("Eliska" for "Eliška"); none where several are.
std::optional<Person> FindPersonLoosely(const PeopleFile &file, const QString &name);

// Why a name cannot be one of the file (it reads as a date, holds "=", ",", a control
// character, starts with "#" or is too long), or empty. That it must not be a command's
// name is for the commands to say (NameProblem).
QString NameFormProblem(const QString &name, Lang language = Lang::Cs);
// Why a name among the reserved ones is none.
QString ReservedNameProblem(const QString &name, Lang language = Lang::Cs);

// Adds the person, or with `replace` changes the birth of the one of that name; false
// with the reason when the name is taken (without `replace`) or unusable.
bool AddPerson(PeopleFile &file, const Person &person, bool replace, QString &error,
               Lang language = Lang::Cs);

// Removes the person of that name; false when there is none.
bool RemovePerson(PeopleFile &file, const QString &name);

} // namespace cykl::companion
