// SPDX-License-Identifier: GPL-3.0-or-later
// The fixture of the browser tests: the fake browser program (fake_browser.cpp) with a
// fresh log for each test function, factories of browsers, the opener of last resort, and
// a look at which processes still run.
#pragma once

#include "browser/chromium_browser.h"
#include "platform/effects.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#ifdef _WIN32
#include <windows.h>
// after windows.h, which it needs
#include <tlhelp32.h>
#else
#include <csignal>
#include <unistd.h>
#endif
#include <memory>
#include <vector>

namespace cykl::test {

#ifdef _WIN32
// On Windows the browser's "group" is the browser and the processes it started.

inline bool IsRunning(qint64 pid)
{
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (pid <= 0 || !process)
        return false;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

inline QList<qint64> LiveGroupMembers(qint64 group)
{
    QList<qint64> members;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return members;
    PROCESSENTRY32W entry {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
        const qint64 pid = entry.th32ProcessID;
        if ((pid == group || qint64(entry.th32ParentProcessID) == group) && IsRunning(pid))
            members << pid;
    }
    ::CloseHandle(snapshot);
    return members;
}

inline void Kill(qint64 pid)
{
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return;
    ::TerminateProcess(process, 9);
    ::WaitForSingleObject(process, 5000);
    ::CloseHandle(process);
}

inline void KillGroup(qint64 group)
{
    if (group <= 0)
        return;
    for (const qint64 pid : LiveGroupMembers(group))
        Kill(pid);
}
#else
// True while the process exists and is not a zombie.
inline bool IsRunning(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close > 0 && text.size() > close + 2 && text.at(close + 2) != 'Z';
}

// Processes of the group that still run (the browser and any helper it started).
inline QList<qint64> LiveGroupMembers(qint64 group)
{
    QList<qint64> members;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!isPid || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        // After the command: state, parent, process group.
        if (fields.size() > 2 && fields.at(0) != "Z" && fields.at(2).toLongLong() == group)
            members << pid;
    }
    return members;
}

// What a descriptor's link names, "pipe:[inode]" for a pipe; empty when there is none.
inline QString LinkTarget(const QString &link)
{
    char target[64] {};
    const ssize_t n = ::readlink(link.toLocal8Bit().constData(), target, sizeof target - 1);
    return QString::fromLatin1(target, n > 0 ? n : 0);
}

// The two pipes of a browser's connection, as its descriptors 3 and 4 name them; empty
// entries once the browser has gone.
inline QStringList ConnectionPipes(qint64 pid)
{
    return { LinkTarget(QStringLiteral("/proc/%1/fd/3").arg(pid)),
             LinkTarget(QStringLiteral("/proc/%1/fd/4").arg(pid)) };
}

// How many descriptors of this process are ends of the given pipes.
inline int EndsHeldHere(const QStringList &pipes)
{
    int held = 0;
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &fd : fds) {
        const QString target = LinkTarget("/proc/self/fd/" + fd);
        held += !target.isEmpty() && pipes.contains(target);
    }
    return held;
}

inline void KillGroup(qint64 group)
{
    if (group > 0)
        ::kill(static_cast<pid_t>(-group), SIGKILL);
}

inline void Kill(qint64 pid)
{
    ::kill(static_cast<pid_t>(pid), SIGKILL);
}
#endif

// Creates the n-th browser with the n-th list of extra arguments (the last list repeats),
// and remembers every browser it made.
class SequenceFactory final : public BrowserFactory {
public:
    SequenceFactory(QString program, QList<QStringList> arguments, BrowserLimits limits)
        : program_(std::move(program)), arguments_(std::move(arguments)), limits_(limits)
    {
    }

    std::unique_ptr<BrowserAutomation> CreateBrowser() override
    {
        const QStringList extra
            = arguments_.value(std::min<qsizetype>(attempts_++, arguments_.size() - 1));
        auto browser = std::make_unique<ChromiumBrowser>(program_, extra, limits_);
        created_.push_back({ browser.get(), browser->ProcessId(), browser->ProfileDirectory() });
        return browser;
    }

    struct Made {
        ChromiumBrowser *Browser; // valid while its owner keeps it
        qint64 Pid;
        QString Profile;
    };
    const std::vector<Made> &Created() const { return created_; }

private:
    QString program_;
    QList<QStringList> arguments_;
    BrowserLimits limits_;
    qsizetype attempts_ = 0;
    std::vector<Made> created_;
};

// The fake browser program with a fresh log for each test function, one line
// "<pid> <what> <detail>" per happening; End kills every fake browser the test left running.
class FakeBrowsers {
public:
    // For init(): false when no temporary directory could be made.
    bool Begin()
    {
        QFile::remove(Log());
        return directory_.isValid();
    }
    // For cleanup(): false when a fake browser was left running.
    bool End() const
    {
        bool none = true;
        for (const qint64 pid : Started()) {
            none = none && !IsRunning(pid);
            KillGroup(pid);
        }
        return none;
    }

    // The log option, then the given ones.
    QStringList Options(const QStringList &options = {}) const
    {
        return QStringList { QStringLiteral("--fake-log=") + Log() } + options;
    }
    std::unique_ptr<ChromiumBrowser> Start(const QStringList &options, BrowserLimits limits) const
    {
        return std::make_unique<ChromiumBrowser>(CYKL_FAKE_BROWSER, Options(options), limits);
    }
    // The n-th browser gets the n-th options (the last repeat).
    SequenceFactory Factory(const QList<QStringList> &options, BrowserLimits limits) const
    {
        QList<QStringList> arguments;
        for (const QStringList &each : options)
            arguments << Options(each);
        return { CYKL_FAKE_BROWSER, arguments, limits };
    }

    QList<qint64> Started() const
    {
        QList<qint64> pids;
        for (const Entry &entry : Entries()) {
            if (entry.What == QLatin1String("start"))
                pids << entry.Pid;
        }
        return pids;
    }
    // What one browser was asked, as "method" or "method detail" lines.
    QStringList Calls(qint64 pid) const { return Details(pid, QStringLiteral("call")); }
    QStringList Details(qint64 pid, const QString &what) const
    {
        QStringList details;
        for (const Entry &entry : Entries()) {
            if (entry.Pid == pid && entry.What == what)
                details << entry.Detail;
        }
        return details;
    }
    bool Has(qint64 pid, const QString &what) const { return !Details(pid, what).isEmpty(); }
    // The profile folder the browser was given.
    QString Profile(qint64 pid) const
    {
        return Details(pid, QStringLiteral("start"))
            .value(0)
            .section(QStringLiteral(" profile="), 1);
    }
    // No process of the browser's group runs, and its profile is gone.
    bool LeftNothing(qint64 pid) const
    {
        return LiveGroupMembers(pid).isEmpty() && !QFileInfo::exists(Profile(pid));
    }

private:
    struct Entry {
        qint64 Pid;
        QString What;
        QString Detail;
    };
    QString Log() const { return directory_.filePath(QStringLiteral("fake.log")); }
    QList<Entry> Entries() const
    {
        QList<Entry> entries;
        QFile file(Log());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return entries;
        for (const QString &line :
             QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList parts = line.split(' ');
            entries.append(
                { parts.value(0).toLongLong(), parts.value(1), parts.mid(2).join(' ').trimmed() });
        }
        return entries;
    }

    QTemporaryDir directory_;
};

// The text of the BrowserError that the call throws; empty when it throws none.
template<typename Call> QString FailureOf(Call call)
{
    try {
        call();
    } catch (const BrowserError &error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

class RecordingOpener final : public UrlOpener {
public:
    explicit RecordingOpener(bool result = true) : result_(result) { }
    bool OpenUrl(const QUrl &url) override
    {
        Opened << url;
        return result_;
    }
    QList<QUrl> Opened;

private:
    bool result_;
};

} // namespace cykl::test
