// SPDX-License-Identifier: GPL-3.0-or-later
// The system's part of writing an output file: what stands at a path and how a file is
// replaced, one implementation for POSIX systems, one for Windows.
#pragma once

#include "companion/io/output_file.h"

#include <optional>

namespace cykl::companion::output {

enum class Target { Missing, Regular, Folder, Stream };

Target TargetAt(const QString &path);

// True where the user may open the file for writing; else errno (or its Windows twin) says
// why.
bool MayWrite(const QString &path);

// True where a new file can carry the old one's owner: it is ours or we may give it away.
bool CanKeepOwner(const QString &path);

// The number of a descriptor of this process that the path names (/dev/stdout, /dev/fd/3,
// /proc/self/fd/1), if it names one.
std::optional<int> OwnDescriptor(const QString &path);

// The path with its final links followed; none, with the error number, where a link may
// not be followed or they go round in a circle.
std::optional<QString> FollowLinks(const QString &path, int &number);

// Replaces the file as a whole (writing it in place where its folder takes no new file).
bool ReplaceWhole(const QString &path, const QByteArray &data, NewFile newFile, QString &error,
                  Lang language);

// Opens the file as it is and writes it: a device, a pipe, a terminal, a file of someone
// else.
bool WriteInPlace(const QString &path, const QByteArray &data, QString &error, Lang language);

} // namespace cykl::companion::output
