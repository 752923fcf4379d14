// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the command's output where -o names it. A regular file is replaced as a whole or
// not at all, keeping its mode and owner; a file the user may not write is refused, as a
// copy would refuse it; a device, a pipe or a terminal (/dev/null, /dev/stdout, a FIFO) is
// opened and written, never replaced by a file.
#pragma once

#include <QByteArray>
#include <QString>

namespace cykl::companion {

// True when every byte is written; else false with the reason in Czech.
bool WriteOutputFile(const QString &path, const QByteArray &data, QString &error);

} // namespace cykl::companion
