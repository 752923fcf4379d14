// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/browser_process.h"

#include "browser/texts.h"

#include <QDir>
#include <QFile>
#include <QThread>

namespace cykl {

namespace {

constexpr qint64 LogTailBytes = 1500;

#ifndef _WIN32
// The browser puts a socket into a folder of its own in the temporary directory, some 45
// bytes below it (the folder's name carries the browser's name), and the path of a socket
// has room for 107 bytes.
constexpr qsizetype LongestTemporaryDirectory = 107 - 50;
#endif

} // namespace

BrowserProcess::BrowserProcess()
    : directory_(QDir::tempPath() + QStringLiteral("/cyklometrika-browser-XXXXXX"))
{
    const QDir directory(directory_.path());
    if (!directory_.isValid() || !directory.mkdir(QStringLiteral("profile"))
        || !directory.mkdir(QStringLiteral("tmp")))
        throw browser_text::Failure("browser.no.profile");
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
// directory too deep for the path of the socket stays the system's. Windows has no such
// socket path limit, and names its temporary directory twice.
QProcessEnvironment BrowserProcess::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString temporary = directory_.filePath(QStringLiteral("tmp"));
#ifdef _WIN32
    for (const QString &name : { QStringLiteral("TMP"), QStringLiteral("TEMP") })
        environment.insert(name, QDir::toNativeSeparators(temporary));
    const QString dumps
        = QDir::toNativeSeparators(directory_.filePath(QStringLiteral("crash-reports")));
#else
    if (temporary.toLocal8Bit().size() <= LongestTemporaryDirectory)
        environment.insert(QStringLiteral("TMPDIR"), temporary);
    const QString dumps = directory_.filePath(QStringLiteral("crash-reports"));
#endif
    environment.insert(QStringLiteral("BREAKPAD_DUMP_LOCATION"), dumps);
    return environment;
}

QString BrowserProcess::LogPath() const
{
    return directory_.filePath(QStringLiteral("browser.log"));
}

// Helpers of the browser may still be writing into the profile for a moment.
void BrowserProcess::RemoveTemporaryDirectory()
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
    if (log.size() > LogTailBytes)
        log.seek(log.size() - LogTailBytes);
    return QString::fromLocal8Bit(log.readAll()).trimmed();
}

} // namespace cykl
