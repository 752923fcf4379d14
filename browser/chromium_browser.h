// SPDX-License-Identifier: GPL-3.0-or-later
// Browser automation with a Chromium-family browser of our own, driven over the DevTools
// protocol on a private pipe pair (no network port). Every browser gets a fresh temporary
// profile, so it never hands our request to a browser that is already running.
#pragma once

#include "browser/browser.h"

#include <QDeadlineTimer>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>

namespace cykl {

class BrowserProcess;
class DevToolsPipe;

// Time limits of the calls into the browser; a call past its limit fails and the hung
// browser is ended.
struct BrowserLimits {
    std::chrono::milliseconds FirstAnswer { 30000 }; // start-up until the first reply
    std::chrono::milliseconds Call { 10000 }; // any later call
};

class ChromiumBrowser final : public BrowserAutomation {
public:
    ChromiumBrowser(const QString &program, const QStringList &extraArguments,
                    BrowserLimits limits);
    ~ChromiumBrowser() override;
    ChromiumBrowser(const ChromiumBrowser &) = delete;
    ChromiumBrowser &operator=(const ChromiumBrowser &) = delete;

    void SetVisible(bool visible) override;
    void Navigate(const QString &address) override;
    void Quit() override;

    // For diagnostics and tests.
    qint64 ProcessId() const;
    QString ProfileDirectory() const;
    // Evaluates a JavaScript expression in the page and returns its value as text.
    QString EvaluateInPage(const QString &expression);

private:
    void Attach(QDeadlineTimer deadline);
    QJsonObject Call(const QString &method, const QJsonObject &params, const QString &sessionId);
    void Abandon();
    void Close(std::chrono::milliseconds grace);

    BrowserLimits limits_;
    std::unique_ptr<BrowserProcess> process_;
    std::unique_ptr<DevToolsPipe> pipe_;
    QString targetId_;
    QString sessionId_;
};

class ChromiumBrowserFactory final : public BrowserFactory {
public:
    // Looks for an installed Chromium-family browser (FindInstalled) at every creation.
    ChromiumBrowserFactory();
    // A given browser program with extra command-line arguments (tests).
    ChromiumBrowserFactory(QString program, QStringList extraArguments, BrowserLimits limits = {});

    // Throws BrowserError when no browser is found or it cannot be started.
    std::unique_ptr<BrowserAutomation> CreateBrowser() override;

    // The first Chromium-family browser on the PATH; empty when there is none.
    static QString FindOnPath();
    // The first browser installed below one of the given programs folders, the way
    // Chromium-family browsers install themselves on Windows; empty when there is none.
    static QString FindInFolders(const QStringList &folders);
    // On Windows the programs folders of the user and of the machine, then the PATH;
    // elsewhere the PATH.
    static QString FindInstalled();

private:
    QString program_;
    QStringList extraArguments_;
    BrowserLimits limits_;
};

} // namespace cykl
