// SPDX-License-Identifier: GPL-3.0-or-later
// The command's process on a POSIX system.
#include "companion/process.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace cykl::companion {

QStringList CommandArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

QString ExecutableFolder(const char *argv0)
{
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (self.exists())
        return QFileInfo(self.canonicalFilePath()).absolutePath();
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

void IgnoreClosedPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}

// A stream closed with >&- is held on /dev/null.
bool HoldClosedStandardOutput()
{
    bool outClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        outClosed = outClosed || fd == 1;
        if (::open("/dev/null", O_RDWR) != fd)
            std::abort(); // the lower numbers are open, so the null device takes this one
    }
    return outClosed;
}

// $XDG_CONFIG_HOME, or ~/.config where it is unset or not absolute.
QString ConfigurationFolder()
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    return QDir::isAbsolutePath(config) ? config : QDir::homePath() + QStringLiteral("/.config");
}

QString UserDataFolder()
{
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir::isAbsolutePath(data) ? data : QDir::homePath() + QStringLiteral("/.local/share");
}

bool WriteToConsole(std::FILE *, const QByteArray &)
{
    return false; // a terminal takes the UTF-8 bytes
}

Terminal OutputTerminal()
{
    if (::isatty(STDOUT_FILENO) == 0)
        return {};
    winsize size {};
    const int columns = ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
    return { true, columns, true };
}

} // namespace cykl::companion
