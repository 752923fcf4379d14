// SPDX-License-Identifier: GPL-3.0-or-later
// The pipe ends on POSIX systems: non-blocking descriptors waited on with poll.
#include "platform/devtools_pipe.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace cykl {

namespace {

// A browser that has gone away makes our next write fail with EPIPE; the signal that
// comes with it would end the whole program, so it is ignored once for the process.
void IgnoreBrokenPipes()
{
    static const bool ignored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
    (void)ignored;
}

QString SystemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

// Waits until the descriptor is ready or the deadline passes; false on the deadline.
bool Wait(int fd, short events, QDeadlineTimer deadline)
{
    for (;;) {
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return false;
        pollfd entry { fd, events, 0 };
        const int timeout = left < 0 ? -1 : static_cast<int>(std::min<qint64>(left, 1 << 30));
        const int ready = ::poll(&entry, 1, timeout);
        if (ready > 0)
            return true; // readable, writable, or hung up: the next read or write tells
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

} // namespace

DevToolsPipe::DevToolsPipe(PipeHandle commandEnd, PipeHandle replyEnd, qsizetype maxMessage)
    : commandEnd_(commandEnd), replyEnd_(replyEnd), reader_(maxMessage)
{
    IgnoreBrokenPipes();
    for (const int fd : { commandEnd_, replyEnd_ })
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

DevToolsPipe::~DevToolsPipe()
{
    ::close(commandEnd_);
    ::close(replyEnd_);
}

void DevToolsPipe::Send(const QByteArray &message, QDeadlineTimer deadline)
{
    qsizetype sent = 0;
    while (sent < message.size()) {
        if (sent > 0 && deadline.hasExpired())
            throw BrowserError("Prohlížeč nepřijímá příkazy (vypršel časový limit).");
        const ssize_t n = ::write(commandEnd_, message.constData() + sent, message.size() - sent);
        if (n >= 0) {
            sent += n;
        } else if (errno == EAGAIN) {
            if (!Wait(commandEnd_, POLLOUT, deadline))
                throw BrowserError("Prohlížeč nepřijímá příkazy (vypršel časový limit).");
        } else if (errno != EINTR) {
            throw BrowserError(SystemError("Prohlížeč nepřijal příkaz").toStdString());
        }
    }
}

qsizetype DevToolsPipe::ReadSome(char *buffer, qsizetype size, QDeadlineTimer deadline)
{
    for (;;) {
        const ssize_t n = ::read(replyEnd_, buffer, static_cast<size_t>(size));
        if (n >= 0)
            return n;
        if (errno == EAGAIN) {
            if (!Wait(replyEnd_, POLLIN, deadline))
                throw BrowserError("Prohlížeč neodpověděl včas.");
        } else if (errno != EINTR) {
            throw BrowserError(SystemError("Odpověď prohlížeče nelze přečíst").toStdString());
        }
    }
}

} // namespace cykl
