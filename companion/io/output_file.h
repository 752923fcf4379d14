// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the command's output where -o names it, and the people file. A regular file is
// replaced as a whole or not at all, keeping its mode and owner: the new bytes go to a new
// file beside it, every write checked and on the disk before it takes the old one's name.
// A file the user may not write is refused, as a copy would refuse it; a device, a pipe or
// a terminal (/dev/null, /dev/stdout, a FIFO) is opened and written, never replaced by a
// file. A link another user planted in a sticky folder anyone may write (/tmp) is not
// followed, as the system itself would not follow it for a program of its own.
#pragma once

#include "lang/language.h"

#include <QByteArray>
#include <QString>

namespace cykl::companion {

// Who may read a file that is made new: anyone the user's umask allows, or its owner alone.
enum class NewFile { Shared, Private };

// True when every byte is written; else false with the reason in the language.
bool WriteOutputFile(const QString &path, const QByteArray &data, QString &error, Lang language,
                     NewFile newFile = NewFile::Shared);

} // namespace cykl::companion
