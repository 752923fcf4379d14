// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browser_process.h"

#include "platform/browser.h"

#include <QDir>
#include <QFile>
#include <QThread>

namespace cykl {

namespace {

constexpr qint64 kLogTail = 1500;

} // namespace

BrowserProcess::BrowserProcess()
    : directory_(QDir::tempPath() + QStringLiteral("/cyklometrika-browser-XXXXXX"))
{
    if (!directory_.isValid() || !QDir(directory_.path()).mkdir(QStringLiteral("profile")))
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
    if (log.size() > kLogTail)
        log.seek(log.size() - kLogTail);
    return QString::fromLocal8Bit(log.readAll()).trimmed();
}

} // namespace cykl
