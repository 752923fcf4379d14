// SPDX-License-Identifier: GPL-3.0-or-later
// Starting and ending the browser on POSIX systems.
#include "browser/browser_process.h"
#include "browser/texts.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace cykl {

namespace {

// Runs in the child between fork and exec, so only async-signal-safe system calls.
// Both ends are first copied above 10 (close-on-exec, so the copies vanish at exec)
// in case one of them already sits on 3 or 4; dup2 then places them and clears
// close-on-exec on 3 and 4 only.
void PlaceDescriptors(int commandEnd, int replyEnd) noexcept
{
    struct sigaction defaultAction { };
    defaultAction.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &defaultAction, nullptr);
    ::setpgid(0, 0);
    const int command = ::fcntl(commandEnd, F_DUPFD_CLOEXEC, 10);
    const int reply = ::fcntl(replyEnd, F_DUPFD_CLOEXEC, 10);
    if (command < 0 || reply < 0 || ::dup2(command, 3) < 0 || ::dup2(reply, 4) < 0)
        ::_exit(127);
}

void CloseBoth(const int (&fds)[2])
{
    ::close(fds[0]);
    ::close(fds[1]);
}

} // namespace

BrowserProcess::Pipes BrowserProcess::Start(const QString &program, const QStringList &arguments,
                                            QDeadlineTimer deadline)
{
    int command[2] { -1, -1 };
    int reply[2] { -1, -1 };
    if (::pipe2(command, O_CLOEXEC) != 0 || ::pipe2(reply, O_CLOEXEC) != 0) {
        if (command[0] >= 0)
            CloseBoth(command);
        throw browser_text::Failure("browser.no.connection");
    }
    const int commandEnd = command[0];
    const int replyEnd = reply[1];
    process_.setChildProcessModifier(
        [commandEnd, replyEnd] { PlaceDescriptors(commandEnd, replyEnd); });
    process_.setProcessEnvironment(Environment());
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(LogPath(), QIODevice::Append);
    process_.setStandardErrorFile(LogPath(), QIODevice::Append);
    process_.start(program, arguments);
    const bool started
        = process_.waitForStarted(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
    ::close(commandEnd);
    ::close(replyEnd);
    if (!started) {
        ::close(command[1]);
        ::close(reply[0]);
        throw browser_text::Failure("browser.cannot.run", { program, process_.errorString() });
    }
    pid_ = process_.processId();
    return { command[1], reply[0] };
}

void BrowserProcess::WhenEnded(std::function<void()> handler)
{
    QObject::connect(&process_, &QProcess::finished, &process_,
                     [handler = std::move(handler)] { handler(); });
}

void BrowserProcess::End(std::chrono::milliseconds grace)
{
    if (ended_)
        return;
    ended_ = true;
    if (pid_ > 0) {
        if (process_.state() != QProcess::NotRunning
            && !process_.waitForFinished(static_cast<int>(grace.count()))) {
            ::kill(static_cast<pid_t>(-pid_), SIGKILL);
            process_.waitForFinished(5000);
        }
        // Helpers of the browser that outlived it are in its group.
        ::kill(static_cast<pid_t>(-pid_), SIGKILL);
    }
    RemoveTemporaryDirectory();
}

} // namespace cykl
