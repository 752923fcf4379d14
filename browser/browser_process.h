// SPDX-License-Identifier: GPL-3.0-or-later
// A browser process of our own: a fresh private profile in a temporary directory, its
// output in a log file beside the profile, and the two pipes of the DevTools connection.
// On POSIX systems the browser leads a process group of its own and finds the pipes on
// its descriptors 3 (commands) and 4 (replies); on Windows it runs in a job object of
// its own and is told the two inherited pipe handles on its command line. What the
// browser would write outside its profile (its singleton folder in the temporary
// directory, its crash reports in the user's configuration folder) goes into the same
// directory, so removing the directory leaves nothing behind.
#pragma once

#include "browser/devtools_pipe.h"

#include <QDeadlineTimer>
#ifdef _WIN32
#include <QWinEventNotifier>
#else
#include <QProcess>
#endif
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <memory>

namespace cykl {

class BrowserProcess {
public:
    // Creates the temporary directory; throws BrowserError when it cannot.
    BrowserProcess();
    // Ends the process (see End) and removes the profile.
    ~BrowserProcess();
    BrowserProcess(const BrowserProcess &) = delete;
    BrowserProcess &operator=(const BrowserProcess &) = delete;

    QString ProfileDirectory() const;

    struct Pipes {
        PipeHandle CommandEnd; // ours to write
        PipeHandle ReplyEnd; // ours to read
    };
    // Starts the program; the caller owns the returned pipe ends. Throws BrowserError.
    Pipes Start(const QString &program, const QStringList &arguments, QDeadlineTimer deadline);

    qint64 ProcessId() const { return pid_; }

    // Runs the handler once the started process has ended by itself, from the event loop
    // (on POSIX systems also from a wait on this process).
    void WhenEnded(std::function<void()> handler);

    // Gives the process the grace time to exit on its own, then kills it with every
    // helper it started, and removes the temporary directory. Safe to call more than once.
    void End(std::chrono::milliseconds grace);

    // The last lines the browser wrote, for error texts.
    QString LogTail() const;

private:
    QProcessEnvironment Environment() const;
    QString LogPath() const;
    void RemoveTemporaryDirectory();

    QTemporaryDir directory_;
#ifdef _WIN32
    void *process_ = nullptr; // HANDLE of the browser process
    void *job_ = nullptr; // HANDLE of the job that holds it and its helpers
    std::unique_ptr<QWinEventNotifier> endWatch_; // signalled when the process ends
#else
    QProcess process_;
#endif
    qint64 pid_ = 0;
    bool ended_ = false;
};

} // namespace cykl
