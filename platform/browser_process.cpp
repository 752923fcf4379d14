// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browser_process.h"

#include "platform/browser.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace cykl {

namespace {

constexpr qint64 kLogTail = 1500;

// The browser puts a socket into a folder of its own in the temporary directory, some 45
// bytes below it (the folder's name carries the browser's name), and the path of a socket
// has room for 107 bytes.
constexpr qsizetype kLongestTemporaryDirectory = 107 - 50;

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

BrowserProcess::BrowserProcess()
    : directory_(QDir::tempPath() + QStringLiteral("/cyklometrika-browser-XXXXXX"))
{
    const QDir directory(directory_.path());
    if (!directory_.isValid() || !directory.mkdir(QStringLiteral("profile"))
        || !directory.mkdir(QStringLiteral("tmp")))
        throw BrowserError("Nelze vytvořit dočasný profil prohlížeče.");
}

BrowserProcess::~BrowserProcess()
{
    End(std::chrono::seconds(2));
}

QString BrowserProcess::ProfileDirectory() const
{
    return directory_.filePath(QStringLiteral("profile"));
}

// Whatever its profile, the browser keeps its singleton socket in a folder of the temporary
// directory and its crash reports in the user's configuration folder; the environment moves
// both into our directory (no command-line switch moves the crash reports). A temporary
// directory too deep for the path of the socket stays the system's.
QProcessEnvironment BrowserProcess::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString temporary = directory_.filePath(QStringLiteral("tmp"));
    if (temporary.toLocal8Bit().size() <= kLongestTemporaryDirectory)
        environment.insert(QStringLiteral("TMPDIR"), temporary);
    environment.insert(QStringLiteral("BREAKPAD_DUMP_LOCATION"),
                       directory_.filePath(QStringLiteral("crash-reports")));
    return environment;
}

QString BrowserProcess::LogPath() const
{
    return directory_.filePath(QStringLiteral("browser.log"));
}

BrowserProcess::Pipes BrowserProcess::Start(const QString &program, const QStringList &arguments,
                                            QDeadlineTimer deadline)
{
    int command[2];
    int reply[2];
    if (::pipe2(command, O_CLOEXEC) != 0)
        throw BrowserError("Nelze vytvořit spojení s prohlížečem.");
    if (::pipe2(reply, O_CLOEXEC) != 0) {
        CloseBoth(command);
        throw BrowserError("Nelze vytvořit spojení s prohlížečem.");
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
        throw BrowserError(QStringLiteral("Prohlížeč %1 nelze spustit: %2")
                               .arg(program, process_.errorString())
                               .toStdString());
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
    RemoveDirectory();
}

// Helpers of the browser may still be writing into the profile for a moment.
void BrowserProcess::RemoveDirectory()
{
    QDir directory(directory_.path());
    const QDeadlineTimer deadline(std::chrono::seconds(2));
    while (!directory.removeRecursively() && directory.exists() && !deadline.hasExpired())
        QThread::msleep(20);
}

QString BrowserProcess::LogTail() const
{
    QFile log(LogPath());
    if (!log.open(QIODevice::ReadOnly))
        return {};
    if (log.size() > kLogTail)
        log.seek(log.size() - kLogTail);
    return QString::fromLocal8Bit(log.readAll()).trimmed();
}

} // namespace cykl
