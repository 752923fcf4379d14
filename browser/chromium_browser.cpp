// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/chromium_browser.h"

#include "browser/browser_process.h"
#include "browser/devtools_pipe.h"
#include "browser/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QStandardPaths>
#include <utility>

namespace cykl {

using namespace browser_text;

namespace {

// The browser exits on its own shortly after its command pipe closes.
constexpr std::chrono::seconds ExitGrace { 2 };

QStringList BrowserArguments(const QString &profile, const QStringList &extra)
{
    QStringList arguments { QStringLiteral("--remote-debugging-pipe"),
                            QStringLiteral("--user-data-dir=") + QDir::toNativeSeparators(profile),
                            QStringLiteral("--no-first-run"),
                            QStringLiteral("--no-default-browser-check"),
                            QStringLiteral("--disable-background-networking"),
                            QStringLiteral("--disable-component-update"),
                            QStringLiteral("--disable-sync") };
    arguments += extra;
    arguments << QStringLiteral("about:blank");
    return arguments;
}

QString PageTarget(const QJsonObject &targets)
{
    for (const QJsonValue target : targets.value("targetInfos").toArray()) {
        if (target["type"].toString() == QLatin1String("page"))
            return target["targetId"].toString();
    }
    return {};
}

} // namespace

ChromiumBrowser::ChromiumBrowser(const QString &program, const QStringList &extraArguments,
                                 BrowserLimits limits)
    : limits_(limits), process_(std::make_unique<BrowserProcess>())
{
    const QDeadlineTimer deadline(limits_.FirstAnswer);
    const auto pipes = process_->Start(
        program, BrowserArguments(process_->ProfileDirectory(), extraArguments), deadline);
    pipe_ = std::make_unique<DevToolsPipe>(pipes.CommandEnd, pipes.ReplyEnd);
    // A browser whose process has ended (the user closed it) gives back its connection and
    // its profile at once, whether it is still in use or not.
    process_->WhenEnded([this] { Abandon(); });
    try {
        Attach(deadline);
    } catch (const BrowserError &error) {
        const QString log = process_->LogTail();
        Abandon();
        throw error.Followed(log);
    }
}

ChromiumBrowser::~ChromiumBrowser()
{
    Close(ExitGrace);
}

// Takes the browser's page and opens a session on it; a browser that shows no page yet
// is asked for one.
void ChromiumBrowser::Attach(QDeadlineTimer deadline)
{
    targetId_ = PageTarget(pipe_->Call("Target.getTargets", {}, {}, deadline));
    if (targetId_.isEmpty()) {
        const QJsonObject created
            = pipe_->Call("Target.createTarget", { { "url", "about:blank" } }, {}, deadline);
        targetId_ = created.value("targetId").toString();
    }
    const QJsonObject attached = pipe_->Call(
        "Target.attachToTarget", { { "targetId", targetId_ }, { "flatten", true } }, {}, deadline);
    sessionId_ = attached.value("sessionId").toString();
    if (sessionId_.isEmpty())
        throw Failure("browser.no.page");
}

QJsonObject ChromiumBrowser::Call(const QString &method, const QJsonObject &params,
                                  const QString &sessionId)
{
    if (!pipe_)
        throw Failure("browser.not.running");
    try {
        return pipe_->Call(method, params, sessionId, QDeadlineTimer(limits_.Call));
    } catch (const BrowserReplyError &) {
        throw; // the browser answered: it stays connected
    } catch (const BrowserError &) {
        Abandon(); // gone, or hung past the limit
        throw;
    }
}

// A minimized window is restored; a window the user has maximized or made full-screen
// keeps its state.
void ChromiumBrowser::SetVisible(bool visible)
{
    const QJsonObject window
        = Call("Browser.getWindowForTarget", { { "targetId", targetId_ } }, {});
    const bool minimized = window.value("bounds").toObject().value("windowState").toString()
        == QLatin1String("minimized");
    if (visible == minimized) {
        const QJsonObject bounds { { "windowState", visible ? "normal" : "minimized" } };
        Call("Browser.setWindowBounds",
             { { "windowId", window.value("windowId") }, { "bounds", bounds } }, {});
    }
    if (visible)
        Call("Page.bringToFront", {}, sessionId_);
}

// A page that cannot be loaded shows the browser's error page: that is no failure here.
void ChromiumBrowser::Navigate(const QString &address)
{
    Call("Page.navigate", { { "url", address } }, sessionId_);
}

// Whatever the answer, the browser is ended and its profile removed.
void ChromiumBrowser::Quit()
{
    try {
        Call("Browser.close", {}, {});
    } catch (const BrowserError &) {
        Close(limits_.Call);
        throw;
    }
    Close(limits_.Call);
}

void ChromiumBrowser::Abandon()
{
    Close(std::chrono::milliseconds(0));
}

void ChromiumBrowser::Close(std::chrono::milliseconds grace)
{
    pipe_.reset();
    process_->End(grace);
}

qint64 ChromiumBrowser::ProcessId() const
{
    return process_->ProcessId();
}

QString ChromiumBrowser::ProfileDirectory() const
{
    return process_->ProfileDirectory();
}

QString ChromiumBrowser::EvaluateInPage(const QString &expression)
{
    const QJsonObject reply
        = Call("Runtime.evaluate", { { "expression", expression }, { "returnByValue", true } },
               sessionId_);
    return reply.value("result").toObject().value("value").toVariant().toString();
}

ChromiumBrowserFactory::ChromiumBrowserFactory() = default;

ChromiumBrowserFactory::ChromiumBrowserFactory(QString program, QStringList extraArguments,
                                               BrowserLimits limits)
    : program_(std::move(program)), extraArguments_(std::move(extraArguments)), limits_(limits)
{
}

std::unique_ptr<BrowserAutomation> ChromiumBrowserFactory::CreateBrowser()
{
    const QString program = program_.isEmpty() ? FindInstalled() : program_;
    if (program.isEmpty())
        throw Failure("browser.none.installed");
    return std::make_unique<ChromiumBrowser>(program, extraArguments_, limits_);
}

QString ChromiumBrowserFactory::FindOnPath()
{
    for (const char *name : { "chromium", "chromium-browser", "google-chrome",
                              "google-chrome-stable", "microsoft-edge", "brave-browser" }) {
        QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString ChromiumBrowserFactory::FindInFolders(const QStringList &folders)
{
    // Where each browser installs itself below the programs folder of the machine or of
    // the user, in the order they are tried.
    static const char *const locations[] = {
        "Microsoft/Edge/Application/msedge.exe",
        "Google/Chrome/Application/chrome.exe",
        "BraveSoftware/Brave-Browser/Application/brave.exe",
        "Chromium/Application/chrome.exe",
    };
    for (const char *relative : locations) {
        for (const QString &folder : folders) {
            if (folder.isEmpty())
                continue;
            const QFileInfo candidate(QDir(folder).filePath(QString::fromLatin1(relative)));
            if (candidate.isFile() && candidate.isExecutable())
                return QDir::toNativeSeparators(candidate.filePath());
        }
    }
    return {};
}

QString ChromiumBrowserFactory::FindInstalled()
{
#ifdef _WIN32
    QStringList folders;
    for (const char *variable : { "LOCALAPPDATA", "ProgramFiles", "ProgramFiles(x86)" })
        folders << qEnvironmentVariable(variable);
    const QString installed = FindInFolders(folders);
    return installed.isEmpty() ? FindOnPath() : installed;
#else
    return FindOnPath();
#endif
}

} // namespace cykl
