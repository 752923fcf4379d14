// SPDX-License-Identifier: GPL-3.0-or-later
// The companion command's help texts.
#pragma once

#include "companion/commands/arguments.h"

#include <QString>

namespace cykl::companion {

// The help: the whole, the short one that fits a terminal of 80 by 24, and a command's.
QString HelpText();
QString ShortHelpText();
QString CommandHelpText(Command command);

} // namespace cykl::companion
