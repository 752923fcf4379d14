// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/shared/system_error.h"

#include <QFileInfo>
#include <cerrno>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace cykl::companion {

void ClearFileError()
{
    errno = 0;
#ifdef _WIN32
    SetLastError(ERROR_SUCCESS);
#endif
}

int LastFileError()
{
#ifdef _WIN32
    switch (GetLastError()) {
    case ERROR_SUCCESS:
        return errno;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
        return EINVAL;
    default:
        return EIO;
    }
#else
    return errno;
#endif
}

QString CzechWriteError(const QString &path, int number)
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
    case EBADF:
        return QStringLiteral("výstup je zavřený");
    case EINVAL:
        return QStringLiteral("neplatné jméno souboru");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("zařízení není dostupné");
    case EFBIG:
        return QStringLiteral("soubor je příliš velký");
    case ELOOP:
        return QStringLiteral("příliš mnoho symbolických odkazů");
    default:
        return QStringLiteral("chyba systému č. %1").arg(number);
    }
}

} // namespace cykl::companion
