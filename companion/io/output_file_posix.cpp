// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/output_file_system.h"
#include "companion/shared/system_error.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cykl::companion::output {

namespace {

constexpr int MaxLinks = 40; // as many as the system follows in one path

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

// A sticky folder anyone may write (/tmp) protects its files from each other: a link in it
// is followed only when it is the caller's or the folder's owner's.
bool MayFollow(const QString &link, const struct stat &status)
{
    struct stat folder { };
    if (::stat(Native(QFileInfo(link).absolutePath()).constData(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || status.st_uid == ::geteuid() || status.st_uid == folder.st_uid;
}

bool WriteAll(int fd, const QByteArray &data)
{
    const char *next = data.constData();
    for (qsizetype left = data.size(); left > 0;) {
        const ssize_t written = ::write(fd, next, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            errno = written == 0 ? ENOSPC : errno;
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

// The mode and owner the new file takes: the old one's, or a new file's.
bool SetOwnerAndMode(int fd, const QString &path, NewFile newFile)
{
    struct stat old { };
    if (::stat(Native(path).constData(), &old) == 0)
        return ::fchmod(fd, old.st_mode & 07777) == 0
            && (::fchown(fd, old.st_uid, old.st_gid) == 0 || errno == EPERM);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, newFile == NewFile::Private ? 0600 : 0666 & ~mask) == 0;
}

} // namespace

Target TargetAt(const QString &path)
{
    struct stat status { };
    if (::stat(Native(path).constData(), &status) != 0)
        return Target::Missing;
    if (S_ISDIR(status.st_mode))
        return Target::Folder;
    return S_ISREG(status.st_mode) ? Target::Regular : Target::Stream;
}

bool MayWrite(const QString &path)
{
    return ::access(Native(path).constData(), W_OK) == 0;
}

bool CanKeepOwner(const QString &path)
{
    struct stat old { };
    return ::stat(Native(path).constData(), &old) != 0 || old.st_uid == ::geteuid()
        || ::geteuid() == 0;
}

std::optional<int> OwnDescriptor(const QString &path)
{
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
}

std::optional<QString> FollowLinks(const QString &path, int &number)
{
    QString current = path;
    for (int hop = 0; hop < MaxLinks; ++hop) {
        struct stat status { };
        if (::lstat(Native(current).constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current;
        if (!MayFollow(current, status)) {
            number = EACCES;
            return std::nullopt;
        }
        current = QFileInfo(current).symLinkTarget();
    }
    number = ELOOP;
    return std::nullopt;
}

// Written, synced and closed, each step checked, before the new file takes the name; on
// any failure the old file stays as it was and the new one goes.
bool ReplaceWhole(const QString &path, const QByteArray &data, NewFile newFile, QString &error,
                  Lang language)
{
    const QFileInfo info(path);
    QByteArray temporary
        = Native(info.absolutePath() + QStringLiteral("/.") + info.fileName() + ".XXXXXX");
    ClearFileError();
    const int fd = ::mkstemp(temporary.data());
    const int made = errno; // before exists() asks the system again
    if (fd < 0 && made == EACCES && info.exists())
        return WriteInPlace(path, data, error, language); // a writable file in a folder that is not
    if (fd < 0) {
        error = FileErrorText(path, made, language);
        return false;
    }
    bool done = WriteAll(fd, data) && SetOwnerAndMode(fd, path, newFile) && ::fsync(fd) == 0;
    int number = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        number = errno;
    }
    if (done && ::rename(temporary.constData(), Native(path).constData()) == 0)
        return true;
    number = done ? errno : number;
    ::unlink(temporary.constData());
    error = FileErrorText(path, number, language);
    return false;
}

} // namespace cykl::companion::output
