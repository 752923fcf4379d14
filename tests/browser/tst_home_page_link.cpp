// SPDX-License-Identifier: GPL-3.0-or-later
// The home-page link's decisions, with browsers that only write what they are asked into
// a shared journal: first and second attempt, the fallback opener, the shutdown step.
#include "browser/texts.h"
#include "lang/qt/said.h"
#include "tests/support/browser/recording_opener.h"
#include "ui/home_page_link.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

using namespace cykl;

namespace {

const QString Address = QStringLiteral("file:///usr/share/cyklometrika/index.html");

// How one scripted browser answers; the test may change it between presses.
struct Script {
    bool FailVisible = false;
    bool FailNavigate = false;
    bool FailQuit = false;
};

class ScriptedBrowser final : public BrowserAutomation {
public:
    ScriptedBrowser(int number, std::shared_ptr<Script> script, QStringList &journal)
        : name_(QString::number(number)), script_(std::move(script)), journal_(journal)
    {
    }
    ~ScriptedBrowser() override { journal_ << name_ + " destroyed"; }
    void SetVisible(bool visible) override
    {
        Do(QStringLiteral("visible %1").arg(visible), script_->FailVisible);
    }
    void Navigate(const QString &address) override
    {
        Do("navigate " + address, script_->FailNavigate);
    }
    void Quit() override { Do(QStringLiteral("quit"), script_->FailQuit); }

private:
    void Do(const QString &what, bool fail)
    {
        journal_ << name_ + ' ' + what + (fail ? "!" : "");
        if (fail)
            throw BrowserError("scripted failure");
    }
    QString name_;
    std::shared_ptr<Script> script_;
    QStringList &journal_;
};

class ScriptedFactory final : public BrowserFactory {
public:
    explicit ScriptedFactory(QStringList &journal) : journal_(journal) { }
    std::unique_ptr<BrowserAutomation> CreateBrowser() override
    {
        if (Unavailable) {
            journal_ << QStringLiteral("create!");
            throw browser_text::Failure("browser.none.installed");
        }
        Scripts.push_back(std::make_shared<Script>(Next));
        journal_ << QStringLiteral("create %1").arg(Scripts.size());
        return std::make_unique<ScriptedBrowser>(int(Scripts.size()), Scripts.back(), journal_);
    }
    bool Unavailable = false;
    Script Next; // how the next browser will answer
    std::vector<std::shared_ptr<Script>> Scripts;

private:
    QStringList &journal_;
};

QStringList Shown(int browser)
{
    return { QStringLiteral("%1 visible 1").arg(browser),
             QStringLiteral("%1 navigate %2").arg(browser).arg(Address) };
}

} // namespace

Q_DECLARE_METATYPE(Script)

class TestHomePageLink : public QObject {
    Q_OBJECT

private slots:
    void init() { journal_.clear(); }

    void firstPressCreatesShowsAndNavigates()
    {
        ScriptedFactory factory(journal_);
        test::RecordingOpener opener;
        HomePageLink link(factory, opener, Address);
        QCOMPARE(link.Address(), Address);
        link.Command2_Click();
        QCOMPARE(journal_, QStringList { "create 1" } + Shown(1));
        QVERIFY(opener.Opened.isEmpty());
    }

    void secondPress_data()
    {
        QTest::addColumn<bool>("visibleFails");
        QTest::addColumn<bool>("navigateFails");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("held browser answers") << false << false << Shown(1);
        QTest::newRow("held browser gone")
            << true << false << QStringList { "1 visible 1!", "create 2" } + Shown(2);
        QTest::newRow("shown, navigation fails")
            << false << true
            << QStringList { "1 visible 1", "1 navigate " + Address + "!", "create 2" } + Shown(2);
    }

    // A failed first attempt leads silently to a new browser; the replaced one is neither
    // asked to quit nor dropped while the link lives.
    void secondPress()
    {
        QFETCH(bool, visibleFails);
        QFETCH(bool, navigateFails);
        QFETCH(QStringList, expected);
        ScriptedFactory factory(journal_);
        test::RecordingOpener opener;
        {
            HomePageLink link(factory, opener, Address);
            link.Command2_Click();
            *factory.Scripts.front() = { visibleFails, navigateFails, false };
            journal_.clear();
            link.Command2_Click();
            QCOMPARE(journal_, expected);
            journal_.clear();
            link.Shutdown();
            const int held = int(factory.Scripts.size());
            QCOMPARE(journal_, QStringList { QStringLiteral("%1 quit").arg(held) });
            journal_.clear();
        }
        // Retired browsers end with the link.
        QStringList ends;
        for (std::size_t i = 1; i <= factory.Scripts.size(); ++i)
            ends << QStringLiteral("%1 destroyed").arg(i);
        journal_.sort();
        QCOMPARE(journal_, ends);
        QVERIFY(opener.Opened.isEmpty());
    }

    // A new browser that cannot show the page is no better than none: the desktop's opener
    // shows it, and only when that fails too does the error leave the handler.
    void secondAttemptFailure_data()
    {
        QTest::addColumn<bool>("creationFails");
        QTest::addColumn<bool>("openerWorks");
        QTest::addColumn<Script>("fresh");
        QTest::addColumn<int>("errorNumber"); // 0: no error
        QTest::newRow("no browser, desktop opener shows the page")
            << true << true << Script {} << 0;
        QTest::newRow("no browser, opener fails too") << true << false << Script {} << 1001;
        QTest::newRow("new browser cannot show, desktop opener shows the page")
            << false << true << Script { true, false, false } << 0;
        QTest::newRow("new browser cannot navigate, desktop opener shows the page")
            << false << true << Script { false, true, false } << 0;
        QTest::newRow("new browser cannot show, opener fails too")
            << false << false << Script { true, false, false } << 1002;
        QTest::newRow("new browser cannot navigate, opener fails too")
            << false << false << Script { false, true, false } << 1002;
    }

    void secondAttemptFailure()
    {
        QFETCH(bool, creationFails);
        QFETCH(bool, openerWorks);
        QFETCH(Script, fresh);
        QFETCH(int, errorNumber);
        ScriptedFactory factory(journal_);
        factory.Unavailable = creationFails;
        factory.Next = fresh;
        test::RecordingOpener opener(openerWorks);
        HomePageLink link(factory, opener, Address);
        int number = 0;
        try {
            link.Command2_Click();
        } catch (const ProgramError &error) {
            number = error.Number();
            QVERIFY2(QString::fromUtf8(error.what()).contains(Address), error.what());
        }
        QCOMPARE(number, errorNumber);
        QCOMPARE(opener.Opened, QList<QUrl> { QUrl(Address) });
        // The failed new browser is gone, and is not held.
        if (!creationFails)
            QCOMPARE(journal_.mid(journal_.size() - 1), QStringList { "1 destroyed" });
        journal_.clear();
        link.Shutdown();
        QVERIFY(journal_.isEmpty());
    }

    // The English window tells the browser's own failure in English too.
    void failureInEnglish()
    {
        ScriptedFactory factory(journal_);
        factory.Unavailable = true;
        test::RecordingOpener opener(false);
        HomePageLink link(factory, opener, Address, Lang::En);
        QString report;
        try {
            link.Command2_Click();
        } catch (const ProgramError &error) {
            report = QString::fromUtf8(error.what());
        }
        const std::string why = Say("browser.cannot.start.why", Lang::En,
                                    { Say("browser.none.installed", Lang::En) });
        QCOMPARE(report, Said("homepage.failed", Lang::En, { why, Address.toStdString() }));
    }

    // When no new browser shows the page, the held (dead) one stays held: the shutdown
    // step still asks it, and a later press tries it first again.
    void failedNewBrowserKeepsHeldBrowser_data()
    {
        QTest::addColumn<bool>("creationFails");
        QTest::addColumn<Script>("fresh");
        QTest::addColumn<QStringList>("secondPress");
        QTest::newRow("cannot be started")
            << true << Script {} << QStringList { "1 visible 1!", "create!" };
        QTest::newRow("cannot show")
            << false << Script { true, false, false }
            << QStringList { "1 visible 1!", "create 2", "2 visible 1!", "2 destroyed" };
        QTest::newRow("cannot navigate")
            << false << Script { false, true, false }
            << QStringList { "1 visible 1!", "create 2", "2 visible 1",
                             "2 navigate " + Address + "!", "2 destroyed" };
    }

    void failedNewBrowserKeepsHeldBrowser()
    {
        QFETCH(bool, creationFails);
        QFETCH(Script, fresh);
        QFETCH(QStringList, secondPress);
        ScriptedFactory factory(journal_);
        test::RecordingOpener opener;
        HomePageLink link(factory, opener, Address);
        link.Command2_Click();
        factory.Scripts.front()->FailVisible = true;
        factory.Unavailable = creationFails;
        factory.Next = fresh;
        journal_.clear();
        link.Command2_Click();
        QCOMPARE(journal_, secondPress);
        QCOMPARE(opener.Opened, QList<QUrl> { QUrl(Address) });
        journal_.clear();
        link.Shutdown();
        QCOMPARE(journal_, QStringList { "1 quit" });
        factory.Unavailable = false;
        factory.Next = {};
        journal_.clear();
        link.Command2_Click();
        const int next = int(factory.Scripts.size());
        QCOMPARE(
            journal_,
            (QStringList { "1 visible 1!", QStringLiteral("create %1").arg(next) } + Shown(next)));
    }

    void shutdown_data()
    {
        QTest::addColumn<int>("presses");
        QTest::addColumn<bool>("quitFails");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no browser ever opened") << 0 << false << QStringList {};
        QTest::newRow("live browser") << 1 << false << QStringList { "1 quit" };
        QTest::newRow("browser already closed") << 1 << true << QStringList { "1 quit!" };
    }

    void shutdown()
    {
        QFETCH(int, presses);
        QFETCH(bool, quitFails);
        QFETCH(QStringList, expected);
        ScriptedFactory factory(journal_);
        factory.Next.FailQuit = quitFails;
        test::RecordingOpener opener;
        HomePageLink link(factory, opener, Address);
        for (int i = 0; i < presses; ++i)
            link.Command2_Click();
        journal_.clear();
        link.Shutdown(); // never throws
        QCOMPARE(journal_, expected);
        journal_.clear();
        link.Shutdown(); // the reference keeps its value
        QCOMPARE(journal_, expected);
    }

    // The page ships with the program: the address points at the copy in the build tree.
    void homePageIsFoundAndSelfContained()
    {
        const QUrl address(HomePageAddress());
        QCOMPARE(address.scheme(), QStringLiteral("file"));
        QVERIFY2(address.path().endsWith("/share/cyklometrika/index.html"),
                 qPrintable(address.path()));
        QFile page(address.toLocalFile());
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
        const QString html = QString::fromUtf8(page.readAll());
        QVERIFY(html.contains("<html lang=\"cs\">"));
        QVERIFY(html.contains("<meta charset=\"utf-8\">"));
        for (const char *text : { "Fyzická kondice", "Citová vnímavost", "Síla intelektu", "23 dní",
                                  "28 dní", "33 dní", "−3 a 3", "98 nebo víc", "−98 nebo méně" })
            QVERIFY2(html.contains(QString::fromUtf8(text)), text);
        // Nothing is fetched from elsewhere.
        QVERIFY(!html.contains(QRegularExpression("(src|href)\\s*=\\s*\"(https?:)?//")));
        QVERIFY(!html.contains(QStringLiteral("@import")));
    }

private:
    QStringList journal_;
};

QTEST_GUILESS_MAIN(TestHomePageLink)
#include "tst_home_page_link.moc"
