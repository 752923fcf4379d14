// SPDX-License-Identifier: GPL-3.0-or-later
// Why a file could not be written, in a language: from the system's error number where
// there is one, else from what stands at the path. The command and its chart module both use it, so
// the reason reads the same whichever of them wrote the file.
#pragma once

#include "lang/language.h"

#include <QString>

namespace cykl::companion {

// Forgets the error of an earlier file operation before the next one is tried.
void ClearFileError();

// Why the last file operation failed, as a C error number (0: the system gave no reason).
// Windows file calls leave errno alone; their own codes are translated here.
int LastFileError();

QString FileErrorText(const QString &path, int number, Lang language);

} // namespace cykl::companion
