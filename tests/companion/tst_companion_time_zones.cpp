// SPDX-License-Identifier: GPL-3.0-or-later
// The command in time zones with odd offsets, daylight saving and a skipped day: today is
// the zone's own date as `date` gives it, and every day's numbers are those of UTC.
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

QByteArray Run(const QByteArray &zone, const QString &program, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TZ"), QString::fromLatin1(zone));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return process.readAllStandardOutput().trimmed();
}

QByteArray Today(const QByteArray &zone)
{
    return Run(zone, QStringLiteral("date"), { QStringLiteral("+%F") });
}

} // namespace

class TestCompanionTimeZones : public QObject {
    Q_OBJECT
private slots:
    void sameDays_data();
    void sameDays();
};

void TestCompanionTimeZones::sameDays_data()
{
    QTest::addColumn<QByteArray>("zone");
    for (const char *zone : { "Europe/Prague", "America/Sao_Paulo", "Pacific/Apia",
                              "Pacific/Kiritimati", "Australia/Lord_Howe" })
        QTest::newRow(zone) << QByteArray(zone);
}

void TestCompanionTimeZones::sameDays()
{
    QFETCH(QByteArray, zone);
    if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + QString::fromLatin1(zone)))
        QSKIP("no time zone data (Debian's tzdata)");
    const QString program = QStringLiteral(CYKLOMETRIKA);
    // Today as the command sees it, between two readings of the zone's date (midnight may
    // pass in between).
    const QByteArray before = Today(zone);
    const QJsonObject day
        = QJsonDocument::fromJson(Run(zone, program, { "day", "10.1.1996", "-f", "json" }))
              .object();
    const QByteArray after = Today(zone);
    const QByteArray shown = day.value(QStringLiteral("date")).toString().toLatin1();
    QVERIFY2(!before.isEmpty() && (shown == before || shown == after), shown + ", date: " + before);
    // The months of Apia's skipped 30.12.2011, Sao Paulo's missing midnight of 4.11.2018,
    // and Prague's and Lord Howe's shifts in 10.2024.
    for (const char *month : { "12.2011", "11.2018", "10.2024" }) {
        const QStringList arguments = { "month", "10.1.1996", month, "-f", "csv" };
        QCOMPARE(Run(zone, program, arguments), Run("UTC", program, arguments));
    }
}

QTEST_APPLESS_MAIN(TestCompanionTimeZones)
#include "tst_companion_time_zones.moc"
