// SPDX-License-Identifier: GPL-3.0-or-later
// The pipe ends on POSIX systems: non-blocking descriptors waited on with poll.
#include "browser/devtools_pipe.h"

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

// What a read or write call did; a read of nothing is the end of the stream.
PipeStep StepOf(ssize_t n, bool reading)
{
    if (n > 0 || (n == 0 && !reading))
        return { PipeStep::Moved, n, {} };
    if (n == 0)
        return { PipeStep::Closed, 0, {} };
    if (errno == EAGAIN || errno == EWOULDBLOCK)
        return { PipeStep::Blocked, 0, {} };
    if (errno == EINTR)
        return { PipeStep::Moved, 0, {} };
    return { PipeStep::Failed, 0, QString::fromLocal8Bit(std::strerror(errno)) };
}

} // namespace

struct PipeEnd::System {
    int Fd;
    short Events = 0; // of the last step
};

PipeEnd::PipeEnd(PipeHandle handle) : system_(new System { handle })
{
    IgnoreBrokenPipes();
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) | O_NONBLOCK);
}

PipeEnd::~PipeEnd()
{
    ::close(system_->Fd);
}

PipeStep PipeEnd::ReadSome(char *buffer, qsizetype size)
{
    system_->Events = POLLIN;
    return StepOf(::read(system_->Fd, buffer, static_cast<size_t>(size)), true);
}

PipeStep PipeEnd::WriteSome(const char *data, qsizetype size)
{
    system_->Events = POLLOUT;
    return StepOf(::write(system_->Fd, data, static_cast<size_t>(size)), false);
}

bool PipeEnd::Wait(QDeadlineTimer deadline)
{
    for (;;) {
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return false;
        pollfd entry { system_->Fd, system_->Events, 0 };
        const int timeout = left < 0 ? -1 : static_cast<int>(std::min<qint64>(left, 1 << 30));
        const int ready = ::poll(&entry, 1, timeout);
        if (ready > 0)
            return true; // readable, writable, or hung up: the next step tells
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

} // namespace cykl
