// SPDX-License-Identifier: GPL-3.0-or-later
// The daily run: the feed's window and SEQUENCE across two days, in memory; turning the
// daily run on and off with the real command in a temporary home, with and without a
// user manager (a stand-in systemctl that keeps its state in a file).
#include "companion/command.h"
#include "companion/commands/daily.h"
#include "tests/support/memory_environment.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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
    void remindersOnAndOff_data();
    void remindersOnAndOff();
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

void TestCompanionDaily::remindersOnAndOff_data()
{
    QTest::addColumn<bool>("userManager");
    QTest::newRow("autostart, no systemd") << false;
    QTest::newRow("systemd user timer") << true;
}

// On, status and off in a temporary home: off leaves nothing behind.
void TestCompanionDaily::remindersOnAndOff()
{
    QFETCH(bool, userManager);
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
    const auto run = [&](const QStringList &arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        // Ahead of the system's tools, the stand-in; without a user manager, no systemctl.
        env.insert(QStringLiteral("PATH"),
                   userManager ? bin.path() + QStringLiteral(":/usr/bin:/bin") : bin.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(CYKLOMETRIKA), QStringList { "upozorneni" } + arguments);
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    QVERIFY(run({ "stav" }).contains(QStringLiteral("vypnuté")));
    QVERIFY(run({ "zapnout", "--cas", "6:30", "--kalendar", "/k/a b%$.ics" }).contains("zapnuto"));
    const QString config = home.filePath(QStringLiteral("config"));
    const QString made = userManager
        ? config + "/systemd/user/cyklometrika-upozorneni.service.d/cyklometrika-kalendar.conf"
        : config + "/autostart/cyklometrika-upozorneni.desktop";
    QFile file(made);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(FilesUnder(home.path()).join(u' ')));
    const QByteArray quoted
        = userManager ? "--kalendar \"/k/a b%%$$.ics\"" : "--kalendar \"/k/a b%%\\\\$.ics\"";
    QVERIFY2(file.readAll().contains(quoted), quoted);
    const QString status = run({ "stav" });
    QVERIFY2(status.contains(userManager ? QStringLiteral("v 6:30") : QStringLiteral("přihlášení")),
             qPrintable(status));
    QVERIFY(run({ "vypnout" }).contains(QStringLiteral("vypnuto")));
    QCOMPARE(FilesUnder(home.path()), QStringList { QStringLiteral("/config") });
    QVERIFY(run({ "stav" }).contains(QStringLiteral("vypnuté")));
    QCOMPARE(QFile::exists(state), false);
}

QTEST_GUILESS_MAIN(TestCompanionDaily)
#include "tst_companion_daily.moc"
