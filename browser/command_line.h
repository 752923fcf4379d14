// SPDX-License-Identifier: GPL-3.0-or-later
// A Windows command line is one text that the started program splits into its
// arguments itself, by the C runtime's rules of quotes and backslashes.
#pragma once

#include <QString>
#include <QStringList>

namespace cykl {

// The command line that a C runtime splits back into exactly the program and the
// given arguments. The program path is only quoted (no path holds a quote).
QString WindowsCommandLine(const QString &program, const QStringList &arguments);

} // namespace cykl
