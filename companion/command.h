// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of the companion command: parsing, the four commands and their output,
// every effect through the commands' Environment.
#pragma once

#include "companion/io/environment.h"

#include <QStringList>

namespace cykl::companion {

// Runs one command line (arguments[0] is the program) and returns its exit status.
int RunCommand(const QStringList &arguments, Environment &environment);

} // namespace cykl::companion
