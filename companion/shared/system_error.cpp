// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/shared/system_error.h"

#include "lang/qt/said.h"

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

namespace {

// The words for the error numbers the system gives a file.
struct ErrorWords {
    int Number;
    TextKey Text;
};

const ErrorWords FileErrors[] = {
    { ENOENT, "system.missing" },
    { ENOTDIR, "system.not.folder" },
    { EISDIR, "system.folder" },
    { EACCES, "system.denied" },
    { EPERM, "system.denied" },
    { EROFS, "system.read.only" },
    { ENOSPC, "system.full" },
#ifdef EDQUOT // not in the Windows C runtime
    { EDQUOT, "system.quota" },
#endif
    { ENAMETOOLONG, "system.name.long" },
    { EIO, "system.io" },
    { EBADF, "system.closed" },
    { EINVAL, "system.name.invalid" },
    { ENXIO, "system.no.device" },
    { ENODEV, "system.no.device" },
    { EFBIG, "system.too.large" },
    { ELOOP, "system.links" },
};

} // namespace

QString FileErrorText(const QString &path, int number, Lang language)
{
    if (number == 0)
        return Said(QFileInfo(path).isDir() ? TextKey("system.folder") : TextKey("system.unknown"),
                    language);
    for (const ErrorWords &words : FileErrors) {
        if (words.Number == number)
            return Said(words.Text, language);
    }
    return Said("system.number", language, { std::to_string(number) });
}

} // namespace cykl::companion
