// SPDX-License-Identifier: GPL-3.0-or-later
// A browser process of our own: its own process group, a fresh private profile in a
// temporary directory, its output in a log file beside the profile, and the two pipes of
// the DevTools connection on its descriptors 3 (commands) and 4 (replies). What the browser
// would write outside its profile (its singleton folder in the temporary directory, its
// crash reports in the user's configuration folder) goes into the same directory, so
// removing the directory leaves nothing behind.
#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>

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
        int commandFd; // ours to write
        int replyFd; // ours to read
    };
    // Starts the program; the caller owns the returned descriptors. Throws BrowserError.
    Pipes Start(const QString &program, const QStringList &arguments, QDeadlineTimer deadline);

    qint64 ProcessId() const { return pid_; }

    // Runs the handler once the started process has ended, from the event loop or from a
    // wait on this process.
    void WhenEnded(std::function<void()> handler);

    // Gives the process the grace time to exit on its own, then kills its whole group,
    // and removes the temporary directory. Safe to call more than once.
    void End(std::chrono::milliseconds grace);

    // The last lines the browser wrote, for error texts.
    QString LogTail() const;

private:
    QProcessEnvironment Environment() const;
    QString LogPath() const;
    void RemoveDirectory();

    QTemporaryDir directory_;
    QProcess process_;
    qint64 pid_ = 0;
    bool ended_ = false;
};

} // namespace cykl
