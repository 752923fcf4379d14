// SPDX-License-Identifier: GPL-3.0-or-later
// The Chromium browser layer over its pipes, against the fake browser program: the
// command sequence, failures and time limits, and that no process or profile is left.
#include "browser/devtools_pipe.h"
#include "lang/qt/said.h"
#include "tests/support/browser/fake_browsers.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace cykl;
using namespace std::chrono_literals;

namespace {

const QString Page = QStringLiteral("file:///tmp/cyklometrika-test.html");
constexpr BrowserLimits Limits { 10s, 5s };
constexpr BrowserLimits ShortLimits { 10s, 1s };

// A program that ignores the browser's arguments and ends at once.
#ifdef _WIN32
const QString NotABrowser = qEnvironmentVariable("SystemRoot") + "/system32/hostname.exe";
#else
const QString NotABrowser = QStringLiteral("/bin/true");
#endif

const QStringList Attach { "Target.getTargets", "Target.attachToTarget" };
const QStringList Show { "Browser.getWindowForTarget", "Page.bringToFront" };

} // namespace

class TestChromiumBrowser : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(fakes_.Begin()); }
    // No fake browser outlives a test, whatever happened in it.
    void cleanup() { QVERIFY2(fakes_.End(), "a fake browser was left running"); }

    void startsAttachesShowsAndNavigates_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("show");
        QTest::newRow("window shown") << QStringList {} << Show;
        QTest::newRow("window minimized")
            << QStringList { "--fake-minimized" }
            << QStringList { "Browser.getWindowForTarget", "Browser.setWindowBounds normal",
                             "Page.bringToFront" };
    }

    void startsAttachesShowsAndNavigates()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, show);
        const auto browser = fakes_.Start(options, Limits);
        browser->SetVisible(true);
        browser->Navigate(Page);
        const qint64 pid = browser->ProcessId();
        QCOMPARE(fakes_.Started(), QList<qint64> { pid });
        QCOMPARE(fakes_.Calls(pid), Attach + show + QStringList { "Page.navigate " + Page });
        const QString start = fakes_.Details(pid, "start").value(0);
        QVERIFY2(start.contains(" page=about:blank "), qPrintable(start));
        QCOMPARE(fakes_.Profile(pid), browser->ProfileDirectory());
        QVERIFY(QFileInfo::exists(browser->ProfileDirectory() + "/Local State"));
        QCOMPARE(browser->EvaluateInPage("document.URL"), Page);
    }

    // A browser that shows no page yet is asked to open one.
    void startsWithoutPage()
    {
        const auto browser = fakes_.Start({ "--fake-no-page" }, Limits);
        browser->Navigate(Page);
        QCOMPARE(fakes_.Calls(browser->ProcessId()),
                 (QStringList { "Target.getTargets", "Target.createTarget about:blank",
                                "Target.attachToTarget", "Page.navigate " + Page }));
    }

    // Each browser has its own profile, and no browser inherits another one's pipes: a
    // leaked pipe end would keep a replaced browser alive after its connection closed.
    void browsersShareNothing()
    {
        const auto first = fakes_.Start({}, Limits);
        const auto second = fakes_.Start({}, Limits);
        QVERIFY(first->ProfileDirectory() != second->ProfileDirectory());
        const auto descriptors = [this](qint64 pid) {
            return fakes_.Details(pid, "start").value(0).section(' ', 0, 0);
        };
        QCOMPARE(descriptors(second->ProcessId()), descriptors(first->ProcessId()));
    }

    void errorReplyKeepsTheBrowser()
    {
        const auto browser = fakes_.Start({ "--fake-fail=Page.navigate" }, Limits);
        QVERIFY_THROWS_EXCEPTION(BrowserReplyError, browser->Navigate(Page));
        QVERIFY(test::IsRunning(browser->ProcessId()));
        browser->Navigate(Page); // the connection still works
        QCOMPARE(browser->EvaluateInPage("document.URL"), Page);
    }

    void brokenBrowser_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("killFromOutside");
        QTest::newRow("killed") << QStringList {} << true;
        QTest::newRow("window closed by the user")
            << QStringList { "--fake-exit-after=2" } << false;
        QTest::newRow("hangs") << QStringList { "--fake-hang=Browser.getWindowForTarget" } << false;
    }

    // A browser that is gone or hung fails the call within the limit; the layer ends its
    // process group and removes the profile, and every later call fails at once.
    void brokenBrowser()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, killFromOutside);
        const auto browser = fakes_.Start(options, ShortLimits);
        const qint64 pid = browser->ProcessId();
        if (killFromOutside)
            test::Kill(pid);
        QElapsedTimer clock;
        clock.start();
        QVERIFY_THROWS_EXCEPTION(BrowserError, browser->SetVisible(true));
        QVERIFY2(clock.elapsed() < 5000, "the call outlived its limit by far");
        QVERIFY(fakes_.LeftNothing(pid));
        QVERIFY_THROWS_EXCEPTION(BrowserError, browser->Navigate(Page));
        QVERIFY_THROWS_EXCEPTION(BrowserError, browser->Quit());
    }

    // A browser that sends events and replies to commands never sent, without end, but
    // never the reply awaited: the pipe always has something to read, and the call still
    // fails at its limit.
    void streamingBrowserIsCutOffAtTheLimit_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<bool>("atStart");
        QTest::newRow("at start-up") << "Target.getTargets" << true;
        QTest::newRow("in a later call") << "Browser.getWindowForTarget" << false;
    }

    void streamingBrowserIsCutOffAtTheLimit()
    {
        QFETCH(QString, method);
        QFETCH(bool, atStart);
        const BrowserLimits limits { 1500ms, 1000ms };
        const qint64 limit = (atStart ? limits.FirstAnswer : limits.Call).count();
        QElapsedTimer clock;
        clock.start();
        const QString failure = test::FailureOf([&] {
            const auto browser = fakes_.Start({ "--fake-stream=" + method }, limits);
            clock.start();
            browser->SetVisible(true);
        });
        const qint64 elapsed = clock.elapsed();
        qInfo("%s: failed after %lld ms (limit %lld ms)", qPrintable(method), elapsed, limit);
        const qint64 pid = fakes_.Started().value(0);
        QCOMPARE(fakes_.Details(pid, "stream"), QStringList { method });
        QCOMPARE(failure, Said("browser.no.answer", Lang::Cs));
        QVERIFY2(elapsed >= limit, "the call failed before its limit");
        QVERIFY2(elapsed < limit + 3000, "the call outlived its limit by far");
        QVERIFY(fakes_.LeftNothing(pid));
    }

    // A command longer than the pipe holds goes out in parts as the browser reads it; a
    // browser that has stopped reading fails it at the limit, in the middle of writing.
    void longCommand_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("failure");
        QTest::newRow("read in parts") << QStringList {} << QString();
        QTest::newRow("no longer read") << QStringList { "--fake-deaf=Page.bringToFront" }
                                        << Said("browser.refuses.commands", Lang::Cs);
    }

    void longCommand()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, failure);
        const auto browser = fakes_.Start(options, failure.isEmpty() ? Limits : ShortLimits);
        browser->SetVisible(true);
        const QString address = Page + '?' + QString(2 << 20, u'x');
        QCOMPARE(test::FailureOf([&] { browser->Navigate(address); }), failure);
        if (failure.isEmpty())
            QCOMPARE(browser->EvaluateInPage("document.URL"), address);
        else
            QVERIFY(fakes_.LeftNothing(browser->ProcessId()));
    }

    void startFailure_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("no such program") << "/nonexistent/chromium" << QStringList {};
        QTest::newRow("not a browser") << NotABrowser << QStringList {};
        QTest::newRow("ends before answering")
            << CYKL_FAKE_BROWSER << QStringList { "--fake-exit-after=0" };
        QTest::newRow("never answers")
            << CYKL_FAKE_BROWSER << QStringList { "--fake-hang=Target.getTargets" };
        QTest::newRow("refuses the page")
            << CYKL_FAKE_BROWSER << QStringList { "--fake-fail=Target.attachToTarget" };
    }

    void startFailure()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, options);
        const BrowserLimits limits { 2s, 2s };
        QVERIFY_THROWS_EXCEPTION(BrowserError,
                                 ChromiumBrowser(program, fakes_.Options(options), limits));
        for (const qint64 pid : fakes_.Started())
            QVERIFY(fakes_.LeftNothing(pid));
    }

    void quitClosesTheBrowser()
    {
        const auto browser = fakes_.Start({}, Limits);
        const qint64 pid = browser->ProcessId();
        browser->Quit();
        QCOMPARE(fakes_.Calls(pid).last(), QStringLiteral("Browser.close"));
        QVERIFY(fakes_.Has(pid, "closed"));
        QVERIFY(!test::IsRunning(pid));
        QVERIFY(!QFileInfo::exists(QFileInfo(browser->ProfileDirectory()).path()));
        QVERIFY_THROWS_EXCEPTION(BrowserError, browser->SetVisible(true));
        QVERIFY_THROWS_EXCEPTION(BrowserError, browser->Quit());
    }

    // Dropping the object closes the connection; the browser then ends on its own.
    void destructionClosesTheConnection()
    {
        const qint64 pid = fakes_.Start({}, Limits)->ProcessId();
        QVERIFY(fakes_.Has(pid, "eof"));
        QVERIFY(!test::IsRunning(pid));
        QVERIFY(!QFileInfo::exists(fakes_.Profile(pid)));
    }

#ifndef _WIN32 // Windows finds programs on the PATH by their extension: findsInstalledBrowser
    void findsBrowserOnPath_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList {} << QString();
        QTest::newRow("chromium") << QStringList { "chromium" } << "chromium";
        QTest::newRow("chrome only")
            << QStringList { "google-chrome-stable" } << "google-chrome-stable";
        QTest::newRow("chromium first")
            << QStringList { "brave-browser", "chromium-browser" } << "chromium-browser";
        QTest::newRow("not executable") << QStringList { "-chromium" } << QString();
    }

    void findsBrowserOnPath()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, expected);
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir bin;
        for (const QString &name : installed) {
            // A leading '-' asks for a file that is not executable.
            QFile file(bin.filePath(name.startsWith('-') ? name.mid(1) : name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (!name.startsWith('-'))
                file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", bin.path().toLocal8Bit());
        const QString found = ChromiumBrowserFactory::FindOnPath();
        const QString error = test::FailureOf([] { ChromiumBrowserFactory().CreateBrowser(); });
        qputenv("PATH", path);
        QCOMPARE(found, expected.isEmpty() ? QString() : bin.filePath(expected));
        if (expected.isEmpty())
            QCOMPARE(error, Said("browser.none.installed", Lang::Cs));
    }
#endif

    void findsInstalledBrowser_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("expected");
        const QString edge = "machine/Microsoft/Edge/Application/msedge.exe";
        const QString chrome = "user/Google/Chrome/Application/chrome.exe";
        const QString brave = "machine/BraveSoftware/Brave-Browser/Application/brave.exe";
        const QString chromium = "user/Chromium/Application/chrome.exe";
        QTest::newRow("none") << QStringList {} << QString();
        QTest::newRow("edge only") << QStringList { edge } << edge;
        QTest::newRow("edge before chrome") << QStringList { chrome, edge } << edge;
        QTest::newRow("chrome before brave and chromium")
            << QStringList { chromium, brave, chrome } << chrome;
        QTest::newRow("chromium last") << QStringList { chromium } << chromium;
        QTest::newRow("user's copy before the machine's")
            << QStringList { "machine/Google/Chrome/Application/chrome.exe", chrome } << chrome;
        QTest::newRow("a folder of that name is no browser")
            << QStringList { edge + "/" } << QString();
        QTest::newRow("other browsers' folders")
            << QStringList { "machine/Mozilla Firefox/firefox.exe",
                             "user/Google/Chrome/chrome.exe" }
            << QString();
    }

    // The programs folders are tried in the given order (the user's first), browser by
    // browser in their fixed order.
    void findsInstalledBrowser()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QDir folders(root.path());
        for (const QString &path : installed) {
            if (path.endsWith('/')) {
                QVERIFY(folders.mkpath(path));
                continue;
            }
            QVERIFY(folders.mkpath(QFileInfo(path).path()));
            QFile file(folders.filePath(path));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const QString found = ChromiumBrowserFactory::FindInFolders(
            { folders.filePath("user"), QString(), folders.filePath("machine") });
        QCOMPARE(found,
                 expected.isEmpty() ? QString()
                                    : QDir::toNativeSeparators(folders.filePath(expected)));
    }

private:
    test::FakeBrowsers fakes_;
};

QTEST_GUILESS_MAIN(TestChromiumBrowser)
#include "tst_chromium_browser.moc"
