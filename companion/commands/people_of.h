// SPDX-License-Identifier: GPL-3.0-or-later
// Who a command is for, as its command line names them: a birth date, names of the people
// file, or everyone in it; and the people those stand for, read from the file with the
// commands' names kept out of it.
#pragma once

#include "calendar/dates.h"
#include "companion/io/environment.h"
#include "companion/io/people_file.h"

#include <QStringList>
#include <optional>
#include <variant>

namespace cykl::companion {

// Why a name cannot be one of the people file (it reads as a date or a command, holds "=",
// ",", a control character, starts with "#" or is too long), or empty.
QString NameProblem(const QString &name, Lang language = Lang::Cs);

struct Who {
    Date Birth;
    QString BirthText; // as it was written
    QString Person; // --name: the name that labels the output of a birth date, or empty
    QStringList Names; // instead of a birth date: names of the people file (or dates)
    bool Everyone = false;
};

// Where a name found its person only without the marks over the letters, says whom it
// stands for on standard error.
void NoteLooseName(Environment &environment, const QString &asked, const QString &name);

// A people file that cannot be used: the reason on standard error, and ExitOutputFailed.
int PeopleFileFailure(Environment &environment, const QString &error);

// The file as it stands, its unreadable lines noted; none, with the reason, where the file
// itself cannot be read or is too large to be a people file.
std::optional<PeopleFile> LoadPeople(Environment &environment, QString &error);

// The people of `who`: its birth date (named by --name, if given), the names of the people
// file, or everyone in it (none at all only where `nobody` allows it). Lines of the file it
// cannot read are noted on standard error. On a problem it is told there and the exit
// status returned: ExitOutputFailed where the file cannot be used (not read, no regular
// file, too large, not UTF-8), ExitUsage for a name the file does not hold.
enum class Nobody { Refused, Allowed };
std::variant<QList<Person>, int> PeopleOf(const Who &who, Environment &environment,
                                          Nobody nobody = Nobody::Refused);

// The people of a group: birth dates (named by their Czech form) and names of the people
// file, in the order given, or everyone in the file (at least two for `command`). On a
// problem, it is told on standard error and the exit status returned.
std::variant<QList<Person>, int> GroupOf(const Who &who, const QString &command,
                                         Environment &environment);

} // namespace cykl::companion
