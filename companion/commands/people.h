// SPDX-License-Identifier: GPL-3.0-or-later
// The command people (lide), and the people any other command is for.
#pragma once

#include "companion/commands/arguments.h"
#include "companion/io/environment.h"
#include "companion/io/people_file.h"

#include <optional>

namespace cykl::companion {

// people [list], people add NAME DATE [--replace], people remove NAME.
int RunPeople(const Invocation &call, Environment &environment);

// The people of the invocation: its birth date (named by --name, if given), the names of
// the people file, or everyone in it. Lines of the file it cannot read are noted on
// standard error; a name it does not hold is an error.
std::optional<QList<Person>> PeopleOf(const Invocation &call, Environment &environment,
                                      QString &error);

} // namespace cykl::companion
