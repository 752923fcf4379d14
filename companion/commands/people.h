// SPDX-License-Identifier: GPL-3.0-or-later
// The command people (lide): the names it lets the people file hold.
#pragma once

#include <QString>

namespace cykl::companion {

// Why a name cannot be one of the people file (it reads as a date or a command, holds "=",
// ",", a control character, starts with "#" or is too long), or empty.
QString NameProblem(const QString &name);

} // namespace cykl::companion
