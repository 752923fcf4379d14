// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/output_file.h"

#include "companion/shared/system_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cykl::companion {

namespace {

enum class Target { Missing, Regular, Folder, Stream };

#ifdef Q_OS_WIN
Target TargetAt(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Target::Missing;
    if (info.isDir())
        return Target::Folder;
    return info.isFile() ? Target::Regular : Target::Stream;
}

bool MayWrite(const QString &path)
{
    return QFileInfo(path).isWritable();
}

// Windows keeps a replaced file's security on its own.
bool KeepOwnerAndMode(const QString &, QSaveFile &)
{
    return true;
}

bool CanKeepOwner(const QString &)
{
    return true;
}
#else
Target TargetAt(const QString &path)
{
    struct stat status { };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return Target::Missing;
    if (S_ISDIR(status.st_mode))
        return Target::Folder;
    return S_ISREG(status.st_mode) ? Target::Regular : Target::Stream;
}

bool MayWrite(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

// The new file takes the old one's mode and owner before it replaces it.
bool KeepOwnerAndMode(const QString &path, QSaveFile &file)
{
    struct stat old { };
    if (::stat(QFile::encodeName(path).constData(), &old) != 0)
        return true; // a new file: the user's own, with the usual mode
    const int handle = file.handle();
    return ::fchmod(handle, old.st_mode & 07777) == 0
        && (::fchown(handle, old.st_uid, old.st_gid) == 0 || errno == EPERM);
}

// A new file can carry the old one's owner when it is ours or we may give it away.
bool CanKeepOwner(const QString &path)
{
    struct stat old { };
    return ::stat(QFile::encodeName(path).constData(), &old) != 0 || old.st_uid == ::geteuid()
        || ::geteuid() == 0;
}
#endif

// The number of a descriptor of this process that the path names (/dev/stdout,
// /dev/fd/3, /proc/self/fd/1), if it names one: written as it is, never reopened, so that a
// pipe of another user's shell or a redirection that appends gets the bytes as meant.
std::optional<int> OwnDescriptor(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return std::nullopt;
#else
    if (path == QLatin1String("/dev/stdout"))
        return 1;
    if (path == QLatin1String("/dev/stderr"))
        return 2;
    for (const QLatin1String folder :
         { QLatin1String("/dev/fd/"), QLatin1String("/proc/self/fd/") }) {
        bool ok = false;
        const int fd = path.startsWith(folder) ? path.mid(folder.size()).toInt(&ok) : -1;
        if (ok && fd >= 0 && ::fcntl(fd, F_GETFD) != -1)
            return fd;
    }
    return std::nullopt;
#endif
}

bool Failed(const QString &path, QString &error)
{
    error = CzechWriteError(path, LastFileError());
    return false;
}

// Opened and written as it is: a device, a pipe, a terminal, or a file of someone else.
bool WriteInPlace(const QString &path, const QByteArray &data, QString &error)
{
    QFile file(path);
    ClearFileError();
    const auto fd = OwnDescriptor(path);
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (!(fd ? file.open(*fd, mode, QFileDevice::DontCloseHandle) : file.open(mode)))
        return Failed(path, error);
    if (file.write(data) != data.size())
        return Failed(path, error);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return Failed(path, error);
    return true;
}

// Replaced as a whole; where the folder takes no temporary file, written in place.
bool Replace(const QString &path, const QByteArray &data, QString &error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    ClearFileError();
    if (!file.open(QIODevice::WriteOnly))
        return Failed(path, error);
    if (!KeepOwnerAndMode(path, file) || file.write(data) != data.size())
        return Failed(path, error);
    if (!file.commit())
        return Failed(path, error);
    return true;
}

} // namespace

bool WriteOutputFile(const QString &path, const QByteArray &data, QString &error)
{
    if (OwnDescriptor(path))
        return WriteInPlace(path, data, error);
    switch (TargetAt(path)) {
    case Target::Folder:
        error = CzechWriteError(path, EISDIR);
        return false;
    case Target::Stream:
        return WriteInPlace(path, data, error);
    case Target::Regular:
        ClearFileError();
        if (!MayWrite(path))
            return Failed(path, error);
        return CanKeepOwner(path) ? Replace(path, data, error) : WriteInPlace(path, data, error);
    case Target::Missing:
        break;
    }
    return Replace(path, data, error);
}

} // namespace cykl::companion
