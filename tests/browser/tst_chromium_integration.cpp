// SPDX-License-Identifier: GPL-3.0-or-later
// The home-page link with the real Chromium, headless, on a local page: the page loads,
// a second press reuses the process, a killed browser is replaced, and the shutdown step
// ends the browser and removes its profile. The browsers run with a temporary directory
// and a configuration folder of the test's own, which must be empty at the end. Prints
// how long the presses and the quit took.
#include "tests/support/browser/fake_browsers.h"
#include "ui/home_page_link.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace cykl;
using namespace std::chrono_literals;

namespace {

const QString Chromium = QStringLiteral("/usr/bin/chromium");
const QString Title = QStringLiteral("Zkušební stránka Cyklometriky");
// Generous for a loaded machine; a healthy browser needs a fraction of a second.
constexpr int LoadTime = 20000;
const QStringList Headless { "--headless=new", "--no-sandbox", "--disable-gpu",
                             "--disable-dev-shm-usage" };

// The page's value of a script expression; empty while the page is being replaced.
QString Evaluate(ChromiumBrowser *browser, const QString &expression)
{
    try {
        return browser->EvaluateInPage(expression);
    } catch (const BrowserError &) {
        return {};
    }
}

// Everything in a folder, hidden entries included.
QStringList Contents(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

} // namespace

class TestChromiumIntegration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFileInfo(Chromium).isExecutable())
            QSKIP("/usr/bin/chromium is not installed (scripts/install-deps test installs it)");
        QVERIFY(directory_.isValid());
        QFile page(directory_.filePath("page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write(QStringLiteral("<!DOCTYPE html><html lang=\"cs\"><head><meta charset=\"utf-8\">"
                                  "<title>%1</title></head><body><p>Zkouška</p></body></html>")
                       .arg(Title)
                       .toUtf8());
        address_ = QUrl::fromLocalFile(page.fileName()).toString();
        // Short paths: the browser's socket lies some 80 bytes below the temporary directory.
        QVERIFY(sandbox_.isValid());
        for (const char *folder : { "t", "c" })
            QVERIFY(QDir(sandbox_.path()).mkdir(folder));
        qputenv("TMPDIR", sandbox_.filePath("t").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", sandbox_.filePath("c").toLocal8Bit());
    }

    void cleanupTestCase()
    {
        for (const qint64 group : std::as_const(groups_)) {
            const bool left = !test::LiveGroupMembers(group).isEmpty();
            test::KillGroup(group);
            QVERIFY2(!left, qPrintable(QStringLiteral("browser group %1 left running").arg(group)));
        }
    }

    void homePageLinkWithChromium()
    {
        test::SequenceFactory factory(Chromium, { Headless }, BrowserLimits {});
        test::RecordingOpener opener;
        HomePageLink link(factory, opener, address_);
        QElapsedTimer clock;

        clock.start();
        link.Command2_Click();
        const qint64 firstPress = clock.elapsed();
        QCOMPARE(factory.Created().size(), std::size_t(1));
        const auto first = factory.Created().at(0);
        groups_ << first.Pid;
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(first.Browser, "document.title"), Title, LoadTime);

        first.Browser->Navigate("about:blank");
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(first.Browser, "document.URL"),
                                  QStringLiteral("about:blank"), LoadTime);
        clock.restart();
        link.Command2_Click();
        const qint64 reusePress = clock.elapsed();
        QCOMPARE(factory.Created().size(), std::size_t(1));
        QCOMPARE(first.Browser->ProcessId(), first.Pid);
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(first.Browser, "document.title"), Title, LoadTime);

        test::KillGroup(first.Pid);
        QTRY_VERIFY_WITH_TIMEOUT(test::LiveGroupMembers(first.Pid).isEmpty(), LoadTime);
        clock.restart();
        link.Command2_Click();
        const qint64 replacePress = clock.elapsed();
        QCOMPARE(factory.Created().size(), std::size_t(2));
        const auto second = factory.Created().at(1);
        groups_ << second.Pid;
        QVERIFY(second.Pid != first.Pid);
        QVERIFY(!QFileInfo::exists(first.Profile));
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(second.Browser, "document.title"), Title, LoadTime);

        clock.restart();
        link.Shutdown();
        const qint64 quit = clock.elapsed();
        QVERIFY(test::LiveGroupMembers(second.Pid).isEmpty());
        QVERIFY(!QFileInfo::exists(QFileInfo(second.Profile).path()));
        QVERIFY(opener.Opened.isEmpty());
        // Neither the killed browser nor the one that quit left anything behind.
        for (const char *folder : { "t", "c" }) {
            const QStringList left = Contents(sandbox_.filePath(folder));
            QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
        }
        qInfo("first press %lld ms, reuse press %lld ms, replacing a killed browser %lld ms, "
              "quit %lld ms",
              firstPress, reusePress, replacePress, quit);
    }

private:
    QTemporaryDir directory_;
    QTemporaryDir sandbox_ { QDir::tempPath() + QStringLiteral("/cykl-XXXXXX") };
    QString address_;
    QList<qint64> groups_;
};

QTEST_GUILESS_MAIN(TestChromiumIntegration)
#include "tst_chromium_integration.moc"
