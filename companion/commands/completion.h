// SPDX-License-Identifier: GPL-3.0-or-later
// A shell's completion of the companion's command lines, from the table of commands.
#pragma once

#include "companion/commands/command_unit.h"

namespace cykl::companion {

// The hidden command the shells' scripts ask: `cyklometrika __complete WORDS...`.
inline constexpr const char *CompleteQuery = "__complete";
// The one line that asks a shell for the names of files instead.
inline constexpr const char *FilesWanted = ":files";

// The words that may stand for the last of `words` (the words after the program's name,
// the last one as far as it is typed), given the names of the people file.
QStringList Completions(const QStringList &words, const QStringList &people);

// Prints those words a line each, the people file read without a note on its lines.
Job CompleteJob(const QStringList &words);

} // namespace cykl::companion
