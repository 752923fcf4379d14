// SPDX-License-Identifier: GPL-3.0-or-later
// What the command's process takes from its system: the command line, its own folder, the
// standard streams and the user's configuration folder. Each system supplies them
// (process_posix.cpp, process_win.cpp).
#pragma once

#include "companion/io/environment.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace cykl::companion {

// The command line with every character the user typed, the program's name first.
QStringList CommandArguments(int argc, char *argv[]);

// The folder of this executable, whichever way it was started.
QString ExecutableFolder(const char *argv0);

// A reader that stops early (| head) is no error: a write to its closed pipe then fails
// with EPIPE, which the command takes as the quiet end it is, instead of ending.
void IgnoreClosedPipes();

// A standard stream closed by the caller is held open on the null device, so that no file
// opened later takes its number; true when standard output was closed.
bool HoldClosedStandardOutput();

// The folder of the user's configuration, where the command keeps its own folder.
QString ConfigurationFolder();

// The folder of the user's data, where the command keeps its private files.
QString UserDataFolder();

// Writes to a console as text whatever its code page; false where the stream is no console
// (the caller then writes the UTF-8 bytes, as to a file or a pipe).
bool WriteToConsole(std::FILE *stream, const QByteArray &utf8);

// Standard output's terminal, if it is one: its width, and whether it shows colour
// escapes (a console of Windows once asked to).
Terminal OutputTerminal();

} // namespace cykl::companion
