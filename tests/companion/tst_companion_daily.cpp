// SPDX-License-Identifier: GPL-3.0-or-later
// The daily run: the feed's window and SEQUENCE across two days, in memory; turning the
// daily run on and off with the real command in a temporary home, with and without a
// user manager (a stand-in systemctl that keeps its state in a file).
#include "companion/command.h"
#include "companion/commands/daily.h"
#include "companion/shared/system_error.h"
#include "lang/qt/said.h"
#include "tests/support/memory_environment.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <unistd.h>

using namespace cykl;
using namespace cykl::companion;

namespace {

const QByteArray Family = "Jana = 10.1.1996\nPetr Novák = 3.5.1970\n";

QByteArray Feed(const QString &day)
{
    test::MemoryEnvironment env;
    env.People = Family;
    const int status = RunCommand({ "cyklometrika", "kalendar", "--den", day }, env);
    return status == ExitOk ? env.StandardOutput : QByteArray();
}

// The events of a feed by their UID, each as its text without the stamp.
QMap<QString, QString> Events(const QByteArray &feed)
{
    QMap<QString, QString> events;
    static const QRegularExpression event(
        QStringLiteral("BEGIN:VEVENT\r\nUID:([^\r]*)(.*?)END:VEVENT"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression stamp(QStringLiteral("DTSTAMP:[^\r]*\r\n"));
    for (const auto &match : event.globalMatch(QString::fromUtf8(feed)))
        events.insert(match.captured(1), match.captured(2).remove(stamp));
    return events;
}

// What each revision of the feed's wording gives for the family on 1.6.2026, stamps
// aside. A change of an event's words or form changes this: raise FeedRevision with it.
const QMap<int, QByteArray> WordingFingerprints {
    { 1, "8377d5bf87b747403d59b8e2a6b41373738d4601e42dc5e1ed45064375c89e27" },
};

QStringList FilesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size());
    return files;
}

} // namespace

class TestCompanionDaily : public QObject {
    Q_OBJECT
private slots:
    void feedShiftsByADay();
    void feedSequenceFollowsTheWording();
    void notices_data();
    void notices();
    void feedNotes_data();
    void feedNotes();
    void remindersOnAndOff_data();
    void remindersOnAndOff();
    void remindersRefused_data();
    void remindersRefused();
};

// Two runs a day apart: the window moves by a day and every event both hold is the same.
void TestCompanionDaily::feedShiftsByADay()
{
    const QByteArray first = Feed(QStringLiteral("1.6.2026"));
    const QByteArray second = Feed(QStringLiteral("2.6.2026"));
    QVERIFY(first.contains("\r\nREFRESH-INTERVAL;VALUE=DURATION:P1D\r\nX-PUBLISHED-TTL:P1D\r\n"));
    const auto a = Events(first);
    const auto b = Events(second);
    QVERIFY(a.size() > 300);
    for (const auto &[events, from, to] :
         { std::tuple { a, "20260525", "20270706" }, std::tuple { b, "20260526", "20270707" } }) {
        QStringList days;
        for (const QString &uid : events.keys())
            days << uid.left(8);
        std::sort(days.begin(), days.end());
        QVERIFY2(days.first() >= QLatin1String(from) && days.last() <= QLatin1String(to),
                 qPrintable(days.first() + u' ' + days.last()));
        QVERIFY(days.contains(QLatin1String(from)) || days.contains(QLatin1String(to)));
    }
    for (const QString &uid : a.keys()) {
        QVERIFY(a[uid].contains(QStringLiteral("\r\nSEQUENCE:%1\r\n").arg(FeedRevision)));
        if (b.contains(uid))
            QCOMPARE(b[uid], a[uid]);
        else
            QVERIFY2(uid.startsWith(QLatin1String("20260525")), qPrintable(uid));
    }
    for (const QString &uid : b.keys())
        QVERIFY2(a.contains(uid) || uid.startsWith(QLatin1String("20270707")), qPrintable(uid));
}

void TestCompanionDaily::feedSequenceFollowsTheWording()
{
    QString feed = QString::fromUtf8(Feed(QStringLiteral("1.6.2026")));
    feed.remove(QRegularExpression(QStringLiteral("DTSTAMP:[^\r]*\r\n")));
    const QByteArray fingerprint
        = QCryptographicHash::hash(feed.toUtf8(), QCryptographicHash::Sha256).toHex();
    QVERIFY2(WordingFingerprints.value(FeedRevision) == fingerprint,
             qPrintable("the feed's events read differently: raise FeedRevision and record "
                        + fingerprint));
}

void TestCompanionDaily::notices_data()
{
    QTest::addColumn<int>("people"); // each on a triple critical day on 15.6.2026
    QTest::addColumn<int>("notices");
    QTest::newRow("nobody: a quiet success") << 0 << 0;
    QTest::newRow("a few, one by one") << 3 << 3;
    QTest::newRow("past a few, one notice") << 4 << 1;
}

// Each notice says the day; past a few people one notice tells of them all, a line each.
void TestCompanionDaily::notices()
{
    QFETCH(int, people);
    QFETCH(int, notices);
    test::MemoryEnvironment env;
    for (int i = 1; i <= people; ++i)
        env.People += "Sestra " + QByteArray::number(i) + " = 8.4.1968\n";
    QCOMPARE(RunCommand({ "cyklometrika", "upozornit", "--den", "15.6.2026" }, env), ExitOk);
    QCOMPARE(env.StandardError, QByteArray());
    QCOMPARE(env.Notices.size(), notices);
    for (const Notice &notice : env.Notices)
        QVERIFY(notice.Summary.contains(QStringLiteral("15.6.2026")) && notice.Critical);
    QVERIFY(notices != 1 || env.Notices[0].Body.count(QLatin1Char('\n')) == people - 1);
}

void TestCompanionDaily::feedNotes_data()
{
    QTest::addColumn<QByteArray>("people");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("note"); // on standard error once, or nothing there
    QTest::addColumn<QString>("never");
    const auto row = [](const char *name, const char *people, const char *day, const char *note,
                        const char *never) {
        QTest::newRow(name) << QByteArray(people) << day << QString::fromUtf8(note) << never;
    };
    row("nobody", "", "1.6.2026", "", "BEGIN:VEVENT");
    row("151 within the feed", "Děda = 1.1.1876\n", "1.6.2026",
        "„Děda“ (narozen(a) 1.1.1876): dny po 31.12.2026 okno neukazuje",
        "DTSTART;VALUE=DATE:2027");
    row("the first days", "Jana = 10.1.1996\n", "0001-01-03", "od 1.1.1 do 7.2.2", ".-1 ");
    row("the last days", "Jana = 10.1.1996\n", "20.12.9999", "do 31.12.9999", "10000");
    row("a day only the calculation has, of two people", "Jana = 10.1.2080\nPetr = 3.5.2090\n",
        "1.3.2100", "den 29.2.2100 je vynechán", "20100229");
}

// Always a calendar, even of no events; each note once, with whose it is.
void TestCompanionDaily::feedNotes()
{
    QFETCH(QByteArray, people);
    QFETCH(QString, day);
    QFETCH(QString, note);
    QFETCH(QString, never);
    test::MemoryEnvironment env;
    env.People = people;
    QCOMPARE(RunCommand({ "cyklometrika", "kalendar", "--den", day }, env), int(ExitOk));
    QVERIFY(env.StandardOutput.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(env.StandardOutput.endsWith("END:VCALENDAR\r\n"));
    const QString err = QString::fromUtf8(env.StandardError);
    QVERIFY2(note.isEmpty() ? err.isEmpty() : err.count(note) == 1, qPrintable(err));
    QVERIFY(!(env.StandardOutput + env.StandardError).contains(never.toUtf8()));
}

void TestCompanionDaily::remindersOnAndOff_data()
{
    QTest::addColumn<bool>("userManager");
    QTest::addColumn<QString>("language"); // CYKLOMETRIKA_LANG when turned on
    QTest::newRow("autostart, no systemd") << false << QString();
    QTest::newRow("systemd user timer") << true << QString();
    QTest::newRow("autostart in English") << false << QStringLiteral("en");
    QTest::newRow("systemd user timer in English") << true << QStringLiteral("en");
}

// On, status and off in a temporary home: off leaves nothing behind. The language of the
// run that turned it on stays the daily run's, and the status names it.
void TestCompanionDaily::remindersOnAndOff()
{
    QFETCH(bool, userManager);
    QFETCH(QString, language);
    QTemporaryDir home;
    QTemporaryDir bin;
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("config")));
    // A stand-in user manager: it knows the timer, and is-enabled reads what enable wrote.
    const QString state = bin.filePath(QStringLiteral("enabled"));
    if (userManager) {
        QFile script(bin.filePath(QStringLiteral("systemctl")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$*\" >> '" + bin.filePath("calls").toUtf8()
                     + "'\ncase \"$2\" in\n  enable) touch '" + state.toUtf8()
                     + "' ;;\n  disable) rm -f '" + state.toUtf8() + "' ;;\n  is-enabled) test -e '"
                     + state.toUtf8() + "' ;;\nesac\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const auto run = [&](const QStringList &arguments, const QString &lang = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("CYKLOMETRIKA_LANG"), lang);
        // Ahead of the system's tools, the stand-in; without a user manager, no systemctl.
        env.insert(QStringLiteral("PATH"),
                   userManager ? bin.path() + QStringLiteral(":/usr/bin:/bin") : bin.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(CYKLOMETRIKA), QStringList { "upozorneni" } + arguments);
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    QVERIFY(run({ "stav" }).contains(QStringLiteral("vypnuté")));
    // In English without a calendar: the language alone makes the command its own.
    const QStringList calendar
        = language.isEmpty() ? QStringList { "--kalendar", "/k/a b%$.ics" } : QStringList {};
    const QString on = run(QStringList { "zapnout", "--cas", "6:30" } + calendar, language);
    QVERIFY(!on.isEmpty() && (!language.isEmpty() || on.contains("zapnuto")));
    const QString config = home.filePath(QStringLiteral("config"));
    const QString made = userManager
        ? config + "/systemd/user/cyklometrika-upozorneni.service.d/cyklometrika-kalendar.conf"
        : config + "/autostart/cyklometrika-upozorneni.desktop";
    QFile file(made);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(FilesUnder(home.path()).join(u' ')));
    const QByteArray quoted
        = userManager ? "--kalendar \"/k/a b%%$$.ics\"" : "--kalendar \"/k/a b%%\\\\$.ics\"";
    const QByteArray command = file.readAll();
    QCOMPARE(command.contains(quoted), language.isEmpty());
    QCOMPARE(command.contains("--lang en"), !language.isEmpty());
    const QString status = run({ "stav" });
    QVERIFY2(status.contains(userManager ? QStringLiteral("v 6:30") : QStringLiteral("přihlášení")),
             qPrintable(status));
    QCOMPARE(status.contains(Said("reminders.language", Lang::Cs, { "en" })), !language.isEmpty());
    QVERIFY(run({ "vypnout" }).contains(QStringLiteral("vypnuto")));
    QCOMPARE(FilesUnder(home.path()), QStringList { QStringLiteral("/config") });
    QVERIFY(run({ "stav" }).contains(QStringLiteral("vypnuté")));
    QCOMPARE(QFile::exists(state), false);
}

void TestCompanionDaily::remindersRefused_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("locked"); // the read-only folder, under the configuration
    QTest::newRow("off, the entry in a read-only folder") << "vypnout"
                                                          << "/autostart";
    QTest::newRow("on, its folder not to be made") << "zapnout"
                                                   << "";
}

// A folder that refuses the change: exit 3 with the system's reason, the entry as it was.
// Root passes every permission: then nobody runs a copy of the command.
void TestCompanionDaily::remindersRefused()
{
    QFETCH(QString, action);
    QFETCH(QString, locked);
    QTemporaryDir home;
    const QString config = home.filePath(QStringLiteral("config"));
    const QString entry = config + QStringLiteral("/autostart/cyklometrika-upozorneni.desktop");
    const QString copy = home.filePath(QStringLiteral("cyklometrika"));
    QVERIFY(QDir().mkpath(config + locked) && QFile::copy(CYKLOMETRIKA, copy));
    QVERIFY(action == "zapnout" || QFile(entry).open(QIODevice::WriteOnly));
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(home.path(), open));
    QVERIFY(QFile::setPermissions(config + locked, open & ~QFile::WriteOwner));
    const auto unlock = qScopeGuard([&] { QFile::setPermissions(config + locked, open); });
    QProcess process;
    process.setEnvironment({ "XDG_CONFIG_HOME=" + config, "PATH=" + home.path() }); // no systemctl
    const QStringList command { copy, "upozorneni", action };
    if (::geteuid() == 0)
        process.start("setpriv",
                      QStringList { "--reuid=65534", "--regid=65534", "--clear-groups" } + command);
    else
        process.start(copy, command.mid(1));
    QVERIFY(process.waitForFinished());
    const QString error = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(error.contains(FileErrorText(QString(), EACCES, Lang::Cs)), qPrintable(error));
    QCOMPARE(process.exitCode(), int(ExitOutputFailed));
    QCOMPARE(QFile::exists(entry), action == "vypnout");
}

QTEST_GUILESS_MAIN(TestCompanionDaily)
#include "tst_companion_daily.moc"
