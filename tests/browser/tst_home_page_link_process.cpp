// SPDX-License-Identifier: GPL-3.0-or-later
// The home-page link with real browser processes: the Chromium layer drives the fake
// browser program, so reuse, replacement, retirement and shutdown are seen per process.
#include "tests/support/browser/fake_browsers.h"
#include "tests/support/browser/recording_opener.h"
#include "ui/home_page_link.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QtTest>

using namespace cykl;
using namespace std::chrono_literals;

namespace {

const QString Address = QStringLiteral("file:///tmp/cyklometrika/index.html");
const QString Navigate = "Page.navigate " + Address;
// The start is never what these tests time: it gets the program's own limit. A loaded
// machine, Wine above all, can take seconds to start the fake browser; past a tight start
// limit a browser meant to fail at its first commands (error 1002) reads as one that
// never started (1001).
constexpr auto StartLimit = BrowserLimits {}.FirstAnswer;
constexpr BrowserLimits Limits { StartLimit, 2s };
constexpr BrowserLimits ShortLimits { StartLimit, 1s };

} // namespace

class TestHomePageLinkProcess : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(fakes_.Begin()); }
    void cleanup() { QVERIFY2(fakes_.End(), "a fake browser was left running"); }

    void pressesReuseTheLiveBrowser()
    {
        auto factory = fakes_.Factory({ {} }, Limits);
        test::RecordingOpener opener;
        HomePageLink link(factory, opener, Address);
        link.Command2_Click();
        link.Command2_Click();
        link.Command2_Click();
        QCOMPARE(fakes_.Started().size(), 1);
        const qint64 pid = fakes_.Started().front();
        QCOMPARE(fakes_.Calls(pid).count(Navigate), 3);
        QCOMPARE(fakes_.Calls(pid).count("Target.getTargets"), 1);
        QCOMPARE(fakes_.Calls(pid).count("Page.bringToFront"), 3);
        QVERIFY(opener.Opened.isEmpty());
    }

    void replacement_data()
    {
        QTest::addColumn<QStringList>("firstOptions");
        QTest::addColumn<bool>("killFirst");
        QTest::addColumn<bool>("firstStaysOpen");
        QTest::newRow("browser killed") << QStringList {} << true << false;
        QTest::newRow("window closed by the user")
            << QStringList { "--fake-exit-after=6" } << false << false;
        QTest::newRow("hangs on the second page")
            << QStringList { "--fake-hang=Page.navigate:2" } << false << false;
        QTest::newRow("shown, navigation refused")
            << QStringList { "--fake-fail=Page.navigate:2" } << false << true;
    }

    // The second press finds the first browser unusable and opens the page in a new one.
    // The first is never asked to quit; one that still runs stays open until the link ends.
    void replacement()
    {
        QFETCH(QStringList, firstOptions);
        QFETCH(bool, killFirst);
        QFETCH(bool, firstStaysOpen);
        auto factory = fakes_.Factory({ firstOptions, {} }, Limits);
        test::RecordingOpener opener;
        qint64 first = 0;
        {
            HomePageLink link(factory, opener, Address);
            link.Command2_Click();
            first = factory.Created().at(0).Pid;
            if (killFirst)
                test::Kill(first);
            QElapsedTimer clock;
            clock.start();
            link.Command2_Click();
            QVERIFY2(clock.elapsed() < 5000, "a broken browser held the window too long");
            QCOMPARE(factory.Created().size(), std::size_t(2));
            const qint64 second = factory.Created().at(1).Pid;
            QCOMPARE(fakes_.Calls(second).count(Navigate), 1);
            QCOMPARE(test::IsRunning(first), firstStaysOpen);
            QVERIFY(!fakes_.Calls(first).contains("Browser.close"));
            QVERIFY(!fakes_.Has(first, "eof"));
            link.Command2_Click(); // the new browser is the one held now
            QCOMPARE(fakes_.Calls(second).count(Navigate), 2);
            QCOMPARE(factory.Created().size(), std::size_t(2));
            link.Shutdown();
            QVERIFY(fakes_.Has(second, "closed"));
            QCOMPARE(test::IsRunning(first), firstStaysOpen);
        }
        QVERIFY(!test::IsRunning(first));
        QVERIFY(!fakes_.Calls(first).contains("Browser.close"));
        QVERIFY(!QFileInfo::exists(factory.Created().at(0).Profile));
    }

    void retiredBrowserLetsGoOnceEnded_data()
    {
        QTest::addColumn<QStringList>("firstOptions");
        QTest::addColumn<bool>("killFirst");
        const QString refused = QStringLiteral("--fake-fail=Page.navigate:2");
        QTest::newRow("killed") << QStringList { refused } << true;
        // Five commands for the first press, three for the second.
        QTest::newRow("closed by the user")
            << QStringList { refused, "--fake-exit-after=8" } << false;
    }

    // A replaced browser that still runs stays connected; once its process ends, its
    // connection and profile go at once, while the held browser stays.
    void retiredBrowserLetsGoOnceEnded()
    {
        QFETCH(QStringList, firstOptions);
        QFETCH(bool, killFirst);
        auto factory = fakes_.Factory({ firstOptions, {} }, Limits);
        test::RecordingOpener opener;
        HomePageLink link(factory, opener, Address);
        link.Command2_Click();
        const auto retired = factory.Created().at(0);
#ifndef _WIN32
        // (Windows cannot list the pipe ends a process holds; there the profile, which goes
        // right after the connection, tells.)
        const QStringList pipes = test::ConnectionPipes(retired.Pid);
        QCOMPARE(test::EndsHeldHere(pipes), 2);
#endif
        link.Command2_Click();
        QCOMPARE(factory.Created().size(), std::size_t(2));
        if (killFirst)
            test::Kill(retired.Pid);
#ifndef _WIN32
        QTRY_COMPARE(test::EndsHeldHere(pipes), 0);
#endif
        QTRY_VERIFY(!QFileInfo::exists(retired.Profile));
        QVERIFY(!test::IsRunning(retired.Pid));
        QCOMPARE(fakes_.Has(retired.Pid, "exit"), !killFirst);
        const qint64 held = factory.Created().at(1).Pid;
        QVERIFY(test::IsRunning(held));
        link.Command2_Click();
        QCOMPARE(fakes_.Calls(held).count(Navigate), 2);
        QCOMPARE(factory.Created().size(), std::size_t(2));
    }

    void newBrowserFailsAtFirstCommands_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("openerWorks");
        const QList<std::pair<const char *, QString>> failures {
            { "no window for its target", "--fake-fail=Browser.getWindowForTarget" },
            { "navigation past its limit", "--fake-hang=Page.navigate" },
            { "events instead of the reply", "--fake-stream=Page.navigate" },
        };
        for (const auto &[name, failure] : failures) {
            QTest::addRow("%s, desktop opener shows the page", name) << failure << true;
            QTest::addRow("%s, opener fails too", name) << failure << false;
        }
    }

    // A new browser that fails at its first commands is ended, and the desktop's opener
    // shows the page as when no browser can be started; only when the opener fails too
    // does the error leave the handler. Nothing is held, so the next press starts afresh.
    void newBrowserFailsAtFirstCommands()
    {
        QFETCH(QString, failure);
        QFETCH(bool, openerWorks);
        auto factory = fakes_.Factory({ { failure } }, ShortLimits);
        test::RecordingOpener opener(openerWorks);
        HomePageLink link(factory, opener, Address);
        const auto press = [&link] {
            try {
                link.Command2_Click();
            } catch (const ProgramError &error) {
                return error.Number();
            }
            return 0;
        };
        QCOMPARE(press(), openerWorks ? 0 : 1002);
        QCOMPARE(opener.Opened, QList<QUrl> { QUrl(Address) });
        QCOMPARE(factory.Created().size(), std::size_t(1));
        const auto failed = factory.Created().front();
        QVERIFY(fakes_.LeftNothing(failed.Pid));
        QCOMPARE(press(), openerWorks ? 0 : 1002);
        QCOMPARE(factory.Created().size(), std::size_t(2));
        QCOMPARE(opener.Opened.size(), 2);
        link.Shutdown();
        for (const qint64 pid : fakes_.Started())
            QVERIFY(!fakes_.Calls(pid).contains("Browser.close"));
    }

    void shutdown_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("kill");
        QTest::newRow("no browser ever opened") << false << false;
        QTest::newRow("browser killed") << true << true;
        QTest::newRow("browser open") << true << false;
    }

    void shutdown()
    {
        QFETCH(bool, open);
        QFETCH(bool, kill);
        auto factory = fakes_.Factory({ {} }, Limits);
        test::RecordingOpener opener;
        HomePageLink link(factory, opener, Address);
        if (open)
            link.Command2_Click();
        const qint64 pid = open ? factory.Created().front().Pid : 0;
        if (kill)
            test::Kill(pid);
        link.Shutdown();
        link.Shutdown(); // the same reference is asked again, and fails quietly
        QCOMPARE(fakes_.Started().size(), open ? 1 : 0);
        if (open) {
            QCOMPARE(fakes_.Calls(pid).count("Browser.close"), kill ? 0 : 1);
            QVERIFY(!test::IsRunning(pid));
        }
    }

private:
    test::FakeBrowsers fakes_;
};

QTEST_GUILESS_MAIN(TestHomePageLinkProcess)
#include "tst_home_page_link_process.moc"
