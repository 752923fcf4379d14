// SPDX-License-Identifier: GPL-3.0-or-later
// Why a file could not be written, in Czech: from the system's error number where there is
// one, else from what stands at the path. The command and its chart module both use it, so
// the reason reads the same whichever of them wrote the file.
#pragma once

#include <QFileInfo>
#include <QString>
#include <cerrno>

namespace cykl::companion {

inline QString CzechWriteError(const QString &path, int number)
{
    switch (number) {
    case 0:
        return QFileInfo(path).isDir() ? QStringLiteral("je to adresář")
                                       : QStringLiteral("neznámá chyba");
    case ENOENT:
        return QStringLiteral("soubor nebo adresář neexistuje");
    case ENOTDIR:
        return QStringLiteral("část cesty není adresář");
    case EISDIR:
        return QStringLiteral("je to adresář");
    case EACCES:
    case EPERM:
        return QStringLiteral("přístup odepřen");
    case EROFS:
        return QStringLiteral("systém souborů je jen pro čtení");
    case ENOSPC:
        return QStringLiteral("na zařízení není volné místo");
#ifdef EDQUOT // not in the Windows C runtime
    case EDQUOT:
        return QStringLiteral("překročena disková kvóta");
#endif
    case ENAMETOOLONG:
        return QStringLiteral("příliš dlouhé jméno souboru");
    case EIO:
        return QStringLiteral("chyba vstupu nebo výstupu");
    default:
        return QStringLiteral("chyba systému č. %1").arg(number);
    }
}

} // namespace cykl::companion
