// SPDX-License-Identifier: GPL-3.0-or-later
// The command people (lide), and the people any other command is for.
#pragma once

#include "companion/arguments.h"
#include "companion/environment.h"
#include "companion/people.h"

#include <variant>

namespace cykl::companion {

// people [list], people add NAME DATE [--replace], people remove NAME.
int RunPeople(const Invocation &call, Environment &environment);

// The people of the invocation: its birth date (named by --name, if given), the names of
// the people file, or everyone in it (none at all only where `nobody` allows it). Lines of
// the file it cannot read are noted on standard error. On a problem it is told there and
// the exit status returned: ExitOutputFailed where the file cannot be used (not read, no
// regular file, too large, not UTF-8), ExitUsage for a name the file does not hold.
enum class Nobody { Refused, Allowed };
std::variant<QList<Person>, int> PeopleOf(const Invocation &call, Environment &environment,
                                          Nobody nobody = Nobody::Refused);

} // namespace cykl::companion
