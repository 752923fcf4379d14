// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of the companion command: the command named found in the table of
// commands, its options checked against those it takes, then run; every effect through the
// Environment.
#pragma once

#include "companion/io/environment.h"

#include <QStringList>

namespace cykl::companion {

// Runs one command line (arguments[0] is the program) and returns its exit status.
int RunCommand(const QStringList &arguments, Environment &environment);

} // namespace cykl::companion
