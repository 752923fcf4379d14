// SPDX-License-Identifier: GPL-3.0-or-later
// The people file read, edited and written back, and names standing for birth dates in
// whole commands run in memory.
#include "calendar/ical.h"
#include "companion/command.h"
#include "companion/commands/people_of.h"
#include "companion/io/people_file.h"
#include "tests/support/memory_environment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace cykl;
using namespace cykl::companion;

namespace {

QStringList Listed(const PeopleFile &file)
{
    QStringList people;
    for (const Person &person : file.People)
        people.append(QStringLiteral("%1=%2.%3.%4")
                          .arg(person.Name)
                          .arg(person.Birth.Day)
                          .arg(person.Birth.Month)
                          .arg(person.Birth.Year));
    return people;
}

QStringList Lines(const QStringList &problems)
{
    QStringList lines;
    for (const QString &problem : problems)
        lines.append(problem.section(QLatin1Char(':'), 0, 0));
    return lines;
}

int Run(test::MemoryEnvironment &env, const QStringList &arguments)
{
    env.StandardOutput.clear();
    env.StandardError.clear();
    return RunCommand(QStringList { QStringLiteral("cyklometrika") } + arguments, env);
}

} // namespace

class TestCompanionPeople : public QObject {
    Q_OBJECT
private slots:
    void readFile_data();
    void readFile();
    void editsKeepWhatAPersonWrote();
    void editsKeepTheBytes_data();
    void editsKeepTheBytes();
    void namesThatCannotBe_data();
    void namesThatCannotBe();
    void namesStandForBirthDates();
    void namesWithoutMarks_data();
    void namesWithoutMarks();
    void listForScripts();
    void unusableFile_data();
    void unusableFile();
};

void TestCompanionPeople::readFile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("people");
    QTest::addColumn<QStringList>("problems"); // their line numbers
    QTest::newRow("empty") << QByteArray() << QStringList {} << QStringList {};
    QTest::newRow("two, blanks around")
        << QByteArray("Jana = 10.1.1996\n  Petr=1990-05-03  \n")
        << QStringList { "Jana=10.1.1996", "Petr=3.5.1990" } << QStringList {};
    QTest::newRow("CRLF, no last line end, UTF-8")
        << QByteArray("Jiří = 1.2.1980\r\nŽofie = 2.3.2001")
        << QStringList { "Jiří=1.2.1980", "Žofie=2.3.2001" } << QStringList {};
    QTest::newRow("comments and blank lines") << QByteArray("# rodina\n\nJana = 10.1.1996\n")
                                              << QStringList { "Jana=10.1.1996" } << QStringList {};
    QTest::newRow("a broken line, the rest still read")
        << QByteArray("Jana = 10.1.1996\nPetr 3.5.1990\nEva = 31.2.2000\nOla = x\nIva = 1.1.2001\n")
        << QStringList { "Jana=10.1.1996", "Iva=1.1.2001" }
        << QStringList { "řádek 2", "řádek 3", "řádek 4" };
    QTest::newRow("a name twice, in another case")
        << QByteArray("Jana = 10.1.1996\nJANA = 1.1.2000\n") << QStringList { "Jana=10.1.1996" }
        << QStringList { "řádek 2" };
    QTest::newRow("a name that reads as a date")
        << QByteArray("1.1.2000 = 1.1.2000\n") << QStringList {} << QStringList { "řádek 1" };
}

void TestCompanionPeople::readFile()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, people);
    QFETCH(QStringList, problems);
    const PeopleFile file = ReadPeople(text);
    QCOMPARE(Listed(file), people);
    QCOMPARE(Lines(file.Problems), problems);
    QCOMPARE(PeopleText(file), text); // written back byte for byte
}

// Adding, replacing and removing touch only the person's own line.
void TestCompanionPeople::editsKeepWhatAPersonWrote()
{
    PeopleFile file = ReadPeople("# rodina\nJana = 10.1.1996\nPetr 3.5.1990\n");
    QString error;
    QVERIFY(AddPerson(file, { QStringLiteral("Eva"), { 2, 3, 2004 } }, false, error));
    QVERIFY(!AddPerson(file, { QStringLiteral("JANA"), { 1, 1, 2000 } }, false, error));
    QVERIFY(error.contains(QStringLiteral("--replace")));
    QVERIFY(AddPerson(file, { QStringLiteral("jana"), { 1, 1, 2000 } }, true, error));
    QVERIFY(RemovePerson(file, QStringLiteral("EVA")));
    QVERIFY(!RemovePerson(file, QStringLiteral("Eva")));
    QCOMPARE(PeopleText(file), QByteArray("# rodina\njana = 1.1.2000\nPetr 3.5.1990\n"));
    QCOMPARE(Lines(file.Problems), QStringList { "řádek 3" });
}

void TestCompanionPeople::editsKeepTheBytes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("change"); // people add NAME DATE, or people remove NAME
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QStringList>("problems");
    const QStringList addEva { "add", "Eva", "2.3.2004" };
    QTest::newRow("byte-order mark and CRLF")
        << QByteArray("\xEF\xBB\xBF# rodina\r\nJana = 10.1.1996\r\n") << addEva
        << QByteArray("\xEF\xBB\xBF# rodina\r\nJana = 10.1.1996\r\nEva = 2.3.2004\r\n")
        << QStringList {};
    QTest::newRow("a Windows-1250 line")
        << QByteArray("Jana = 10.1.1996\nJi\xF8\xED = 1.2.1980\n") << addEva
        << QByteArray("Jana = 10.1.1996\nJi\xF8\xED = 1.2.1980\nEva = 2.3.2004\n")
        << QStringList { "řádek 2" };
    QTest::newRow("no last line end")
        << QByteArray("Jana = 10.1.1996") << addEva
        << QByteArray("Jana = 10.1.1996\nEva = 2.3.2004\n") << QStringList {};
    QTest::newRow("replaced in its place, its CRLF kept")
        << QByteArray("Jana = 10.1.1996\r\n  Petr=3.5.1990\r\n")
        << QStringList { "add", "jana", "1.1.2000", "--replace" }
        << QByteArray("jana = 1.1.2000\r\n  Petr=3.5.1990\r\n") << QStringList {};
    QTest::newRow("removed, the others as they were")
        << QByteArray("\xEF\xBB\xBFJana = 10.1.1996\r\nPetr = 3.5.1990\n\xE8\n")
        << QStringList { "remove", "JANA" } << QByteArray("\xEF\xBB\xBFPetr = 3.5.1990\n\xE8\n")
        << QStringList { "řádek 2" };
}

// What the program does not change keeps its bytes, whatever the editor wrote.
void TestCompanionPeople::editsKeepTheBytes()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, change);
    QFETCH(QByteArray, after);
    QFETCH(QStringList, problems);
    test::MemoryEnvironment env;
    env.People = before;
    QCOMPARE(Run(env, QStringList { "people" } + change), ExitOk);
    QCOMPARE(env.People, after);
    QCOMPARE(Lines(ReadPeople(after).Problems), problems);
}

void TestCompanionPeople::namesThatCannotBe_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("allowed");
    for (const char *name :
         { "", "  ", "10.1.1996", "1996-01-10", "3.1996", "2027", "7up", "a=b", "Jana,Petr", "den",
           "KRITICKÉ", "people", "lide", "Ja\nna", "Ja\tna", "#Jana", " #Jana", "Ja\u2028na" })
        QTest::addRow("'%s'", name) << QString::fromUtf8(name) << false;
    for (const char *name : { "Jana", "Jiří Novák", "Eva2", "dědeček" })
        QTest::addRow("'%s'", name) << QString::fromUtf8(name) << true;
    QTest::newRow("101 letters") << QString(MaxNameLength + 1, QLatin1Char('a')) << false;
    QTest::newRow("100 letters") << QString(MaxNameLength, QLatin1Char('a')) << true;
}

void TestCompanionPeople::namesThatCannotBe()
{
    QFETCH(QString, name);
    QFETCH(bool, allowed);
    QCOMPARE(NameProblem(name).isEmpty(), allowed);
}

void TestCompanionPeople::namesStandForBirthDates()
{
    test::MemoryEnvironment env;
    QCOMPARE(Run(env, { "lide", "pridat", "Jana", "10.1.1996" }), ExitOk);
    QCOMPARE(Run(env, { "people", "add", "Petr", "1990-05-03" }), ExitOk);
    QCOMPARE(env.People, QByteArray("Jana = 10.1.1996\nPetr = 3.5.1990\n"));
    env.People += "broken line\n";

    // A name gives the same numbers as its date, labelled.
    QCOMPARE(Run(env, { "day", "10.1.1996", "5.3.2026", "-f", "json" }), ExitOk);
    const QByteArray byDate = env.StandardOutput;
    QCOMPARE(Run(env, { "day", "jana", "5.3.2026", "-f", "json" }), ExitOk);
    QCOMPARE(env.StandardOutput.replace("    \"name\": \"Jana\",\n", ""), byDate);
    QVERIFY2(env.StandardError.contains("řádek 3"), env.StandardError);
    // Of several people, a note says whose it is.
    QCOMPARE(Run(env, { "critical", "--all", "1.1.1996", "1.3.1996" }), ExitOk);
    QVERIFY2(env.StandardError.contains("rozsah pro „Jana“ začíná dnem narození 10.1.1996"),
             env.StandardError);

    // A family's calendar: everyone's events, none sharing a UID.
    QCOMPARE(Run(env, { "critical", "--all", "2027", "--only-critical", "-f", "ics" }), ExitOk);
    const QByteArray family = env.StandardOutput;
    QCOMPARE(Run(env, { "critical", "Jana,PETR", "2027", "--only-critical", "-f", "ics" }), ExitOk);
    QCOMPARE(env.StandardOutput.count("BEGIN:VEVENT"), family.count("BEGIN:VEVENT"));
    const qsizetype jana = family.count("SUMMARY:Jana: ");
    const qsizetype petr = family.count("SUMMARY:Petr: ");
    QVERIFY(jana > 10 && petr > 10 && jana + petr == family.count("BEGIN:VEVENT"));
    QSet<QByteArray> uids;
    for (const QByteArray &line : family.split('\n')) {
        if (line.startsWith("UID:"))
            uids.insert(line);
    }
    QCOMPARE(uids.size(), family.count("BEGIN:VEVENT"));

    QCOMPARE(Run(env, { "month", "Jana,Petr" }), ExitUsage);
    QCOMPARE(Run(env, { "day", "Eva" }), ExitUsage);
    QCOMPARE(Run(env, { "people", "remove", "Eva" }), ExitUsage);
}

void TestCompanionPeople::namesWithoutMarks_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found"); // empty: nobody
    const QByteArray both = "Eliška = 1.2.1990\nEliska = 3.4.1991\n";
    QTest::newRow("without marks") << QByteArray("Eliška = 1.2.1990\n") << "ELISKA"
                                   << "Eliška";
    QTest::newRow("marks added") << QByteArray("Eliska = 1.2.1990\n") << "Elíška"
                                 << "Eliska";
    QTest::newRow("the exact name first") << both << "eliska"
                                          << "Eliska";
    QTest::newRow("two alike: none")
        << QByteArray("Eliška = 1.2.1990\nElíška = 3.4.1991\n") << "Eliska"
        << "";
    QTest::newRow("other letters") << QByteArray("Eliška = 1.2.1990\n") << "Eliza"
                                   << "";
}

void TestCompanionPeople::namesWithoutMarks()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, asked);
    QFETCH(QString, found);
    const auto person = FindPersonLoosely(ReadPeople(text), asked);
    QCOMPARE(person ? person->Name : QString(), found);
}

// The list a program reads back as it is in the file; every command finds a name without
// its marks and says so; people add tells what it did.
void TestCompanionPeople::listForScripts()
{
    test::MemoryEnvironment env;
    env.People = "Eliška = 1. 2. 1990\nJana \"Nová\" = 1990-05-03\n";
    QCOMPARE(Run(env, { "people", "list", "-f", "json" }), ExitOk);
    const QJsonArray json = QJsonDocument::fromJson(env.StandardOutput).array();
    QCOMPARE(Run(env, { "people", "-f", "csv" }), ExitOk);
    const QList<QByteArray> csv = env.StandardOutput.split('\n');
    QCOMPARE(csv.value(0), "name,birth,written\r");
    QCOMPARE(csv.value(1), "Eliška,1990-02-01,1. 2. 1990\r");
    QCOMPARE(json.size(), 2);
    QCOMPARE(json[0].toObject().value("written").toString(), "1. 2. 1990");
    QCOMPARE(json[1].toObject().value("birth").toString(), "1990-05-03");
    QCOMPARE(Run(env, { "critical", "eliska", "2027", "--only-critical" }), ExitOk);
    QCOMPARE(env.StandardError, "cyklometrika: „eliska“ v souboru lidí není, platí „Eliška“\n");
    const QByteArray before = env.People; // a removal takes only the name as written
    QCOMPARE(Run(env, { "people", "remove", "eliska" }), ExitUsage);
    QVERIFY(env.People == before && env.StandardError.contains("myslíte „Eliška“"));
    QCOMPARE(Run(env, { "people", "add", "Eliska", "2.2.1990" }), ExitOk);
    QCOMPARE(env.StandardOutput.count('\n'), 1);
    QVERIFY(env.StandardOutput.startsWith("Přidáno: Eliska = 2.2.1990 "));
}

void TestCompanionPeople::unusableFile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("error");
    const QByteArray full = "Jana = 10.1.1996\n" + QByteArray(MaxPeopleFileSize - 20, '#') + '\n';
    const QByteArray utf16(
        "\xFF\xFEJ\0a\0n\0a\0 \0=\0 \0\x31\0.\0\x31\0.\0\x32\0\x30\0\x30\0\x30\0");
    const QByteArray large(MaxPeopleFileSize + 1, '#');
    const QStringList commands = QStringLiteral("people add Eva 1.1.2000|people remove Jana|day "
                                                "Jana|feed|together --all|chart 1.1.2000 --with "
                                                "Jana -o x.png")
                                     .split(QLatin1Char('|'));
    for (const QString &command : commands) {
        QTest::addRow("UTF-16: %s", qPrintable(command)) << utf16 << command << "uložte ho v";
        QTest::addRow("too large: %s", qPrintable(command)) << large << command << "větší než";
    }
    QTest::newRow("an add past the limit") << full << "people add Eva 1.1.2000"
                                           << "by byl větší";
}

// Every command says so with one status and leaves the file as it is.
void TestCompanionPeople::unusableFile()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, command);
    QFETCH(QString, error);
    test::MemoryEnvironment env;
    env.People = text;
    QCOMPARE(Run(env, command.split(QLatin1Char(' '))), ExitOutputFailed);
    QVERIFY2(QString::fromUtf8(env.StandardError).contains(error), env.StandardError);
    QCOMPARE(env.People, text);
}

QTEST_APPLESS_MAIN(TestCompanionPeople)
#include "tst_companion_people.moc"
