// SPDX-License-Identifier: GPL-3.0-or-later
// The companion command's help texts, written from the tables of its commands and options.
#pragma once

#include "companion/commands/command_unit.h"

#include <QString>

namespace cykl::companion {

// The help in a language: the whole, the short one that fits a terminal of 80 by 24, and a
// command's (its name as it was written).
QString HelpText(Lang language);
QString ShortHelpText(Lang language);
QString CommandHelpText(const CommandUnit &command, const QString &name, Lang language);

} // namespace cykl::companion
