// SPDX-License-Identifier: GPL-3.0-or-later
// Where the command's output goes, as a process on a POSIX system: what -o names is never
// replaced by something else (a device, a FIFO, another user's file, a read-only file), a
// failure of standard output never reads as success, a reader that stops early is no
// error, and the file's extension names its format.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

bool Root()
{
    return ::geteuid() == 0;
}

struct Outcome {
    int Status = -1;
    QByteArray Out;
    QByteArray Err;
};

// The command through sh, so that a test can redirect or close its streams. Given
// `nobodysCopy`, that copy of the command runs instead, as the user nobody where the tests
// run as root.
Outcome Shell(const QString &script, const QStringList &arguments, const QString &nobodysCopy = {})
{
    QStringList command { QStringLiteral("-c"), script,
                          nobodysCopy.isEmpty() ? QStringLiteral(CYKLOMETRIKA) : nobodysCopy };
    QString program = QStringLiteral("sh");
    if (!nobodysCopy.isEmpty() && Root()) {
        command = QStringList { QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups"), program }
            + command;
        program = QStringLiteral("setpriv");
    }
    QProcess process;
    process.start(program, command + arguments);
    if (!process.waitForFinished(30000))
        return {};
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
             process.readAllStandardOutput(), process.readAllStandardError() };
}

const QString Plain = QStringLiteral("exec \"$0\" \"$@\"");

// The build may lie where nobody cannot reach it (root's home is private): nobody runs a
// copy from a folder of the test's own. The text commands need nothing else of the build.
QString NobodysCopy(const QString &folder)
{
    const QString copy = folder + QStringLiteral("/cyklometrika-copy");
    const bool made = QFile::copy(QStringLiteral(CYKLOMETRIKA), copy)
        && ::chmod(QFile::encodeName(copy).constData(), 0755) == 0;
    return made ? copy : QString();
}

} // namespace

class TestCompanionOutput : public QObject {
    Q_OBJECT
private slots:
    void neverReplacesWhatIsNoPlainFile_data();
    void neverReplacesWhatIsNoPlainFile();
    void standardOutputFailures_data();
    void standardOutputFailures();
    void readerThatStopsEarly_data();
    void readerThatStopsEarly();
    void asAnOrdinaryUser_data();
    void asAnOrdinaryUser();
    void peopleFileInTheConfigurationFolder();
    void unreadablePeopleFile_data();
    void unreadablePeopleFile();
    void peopleFileThatIsNoPlainFile();
    void tenAddsAtOnce();
    void fullDisk_data();
    void fullDisk();
    void linksInAStickyFolder_data();
    void linksInAStickyFolder();
    void extensionNamesTheFormat_data();
    void extensionNamesTheFormat();
};

void TestCompanionOutput::neverReplacesWhatIsNoPlainFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("status");
    QTest::newRow("FIFO") << "fifo" << 0;
    QTest::newRow("character device") << "device" << 0;
    QTest::newRow("read-only file") << "read-only" << (Root() ? 0 : 3);
    QTest::newRow("another user's file") << "foreign" << (Root() ? 0 : 3);
    QTest::newRow("symbolic link to a file") << "link" << 0;
}

// What stands at the path stays what it was: its type, mode and owner.
void TestCompanionOutput::neverReplacesWhatIsNoPlainFile()
{
    QFETCH(QString, kind);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out"));
    const QByteArray native = QFile::encodeName(path);
    int reader = -1;
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(native.constData(), 0640), 0);
        reader = ::open(native.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
    } else if (kind == QLatin1String("device")) {
        if (!Root())
            QSKIP("making a device node needs root");
        QCOMPARE(::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)), 0); // null
    } else {
        QFile file(dir.filePath(QStringLiteral("target")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(kind == QLatin1String("link") ? QFile::link(file.fileName(), path)
                                              : QFile::rename(file.fileName(), path));
        QCOMPARE(::chmod(native.constData(), kind == QLatin1String("read-only") ? 0444 : 0600), 0);
        if (kind == QLatin1String("foreign") && Root())
            QCOMPARE(::chown(native.constData(), Nobody, Nobody), 0);
    }
    struct stat before { };
    QCOMPARE(::stat(native.constData(), &before), 0);
    const Outcome outcome = Shell(Plain, { "month", "10.1.1996", "3.1996", "-o", path });
    QCOMPARE(outcome.Status, status);
    struct stat after { };
    QCOMPARE(::lstat(native.constData(), &after), 0);
    QCOMPARE(after.st_mode & S_IFMT,
             kind == QLatin1String("link") ? mode_t(S_IFLNK) : before.st_mode & S_IFMT);
    QCOMPARE(::stat(native.constData(), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QVERIFY(S_ISREG(before.st_mode) || after.st_ino == before.st_ino);
    if (reader >= 0) {
        char text[16] = {};
        QCOMPARE(::read(reader, text, 8), 8);
        QCOMPARE(QByteArray(text), QByteArray("Datum na"));
        ::close(reader);
    }
    if (status == 0 && S_ISREG(before.st_mode)) {
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith("Datum narození"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
             kind == QLatin1String("link") ? 2 : 1); // no temporary file left behind
}

void TestCompanionOutput::standardOutputFailures_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    const QString full = QStringLiteral("exec \"$0\" \"$@\" >/dev/full");
    const QString closed = QStringLiteral("exec \"$0\" \"$@\" >&-");
    const QString noSpace = QStringLiteral("na zařízení není volné místo");
    QTest::newRow("month onto a full disk")
        << full << QStringList { "month", "10.1.1996" } << noSpace;
    QTest::newRow("-o - onto a full disk")
        << full << QStringList { "day", "10.1.1996", "-o", "-" } << noSpace;
    QTest::newRow("day onto a closed stream")
        << closed << QStringList { "day", "10.1.1996" } << QStringLiteral("výstup je zavřený");
}

void TestCompanionOutput::standardOutputFailures()
{
    QFETCH(QString, script);
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const Outcome outcome = Shell(script, arguments);
    QCOMPARE(outcome.Status, 3);
    QCOMPARE(QString::fromUtf8(outcome.Err),
             QStringLiteral("cyklometrika: standardní výstup nelze zapsat: ") + reason
                 + QLatin1Char('\n'));
}

// A broken pipe ends the command as it ends cat: by the signal, or, where the signal is
// ignored, quietly and with status 0.
void TestCompanionOutput::readerThatStopsEarly_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("signal") << QStringLiteral("\"$0\" \"$@\" | head -c 1 >/dev/null")
                            << QByteArray();
    QTest::newRow("signal ignored")
        << QStringLiteral("trap '' PIPE; { \"$0\" \"$@\"; echo $? >&2; } | head -c 1 >/dev/null")
        << QByteArray("0\n");
}

void TestCompanionOutput::readerThatStopsEarly()
{
    QFETCH(QString, script);
    QFETCH(QByteArray, err);
    // Far more than a pipe holds.
    const Outcome outcome
        = Shell(script, { "critical", "1.1.1900", "1.1.1900", "31.12.2049", "-f", "csv" });
    QCOMPARE(outcome.Status, 0);
    QCOMPARE(outcome.Err, err);
}

void TestCompanionOutput::asAnOrdinaryUser_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    QTest::newRow("-o /dev/stdout into a pipe") << Plain << "/dev/stdout" << 0;
    QTest::newRow("-o a process substitution") << QStringLiteral(
        "exec bash -c '\"$0\" \"$@\" >(cat); s=$?; wait $!; exit $s' \"$0\" \"$@\"")
                                               << "" << 0;
    QTest::newRow("a read-only file is refused") << Plain << "read-only" << 3;
    QTest::newRow("a new file in a locked folder is refused") << Plain << "locked/new" << 3;
    QTest::newRow("a writable file in a locked folder") << Plain << "locked/file" << 0;
}

void TestCompanionOutput::asAnOrdinaryUser()
{
    QFETCH(QString, script);
    QFETCH(QString, output);
    QFETCH(int, status);
    if (Root() && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        QSKIP("setpriv is not installed");
    QTemporaryDir dir;
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    QFile readOnly(dir.filePath(QStringLiteral("read-only")));
    QVERIFY(readOnly.open(QIODevice::WriteOnly));
    readOnly.close();
    QVERIFY(readOnly.setPermissions(QFile::ReadOwner | QFile::ReadOther));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    QFile inLocked(dir.filePath(QStringLiteral("locked/file")));
    QVERIFY(inLocked.open(QIODevice::WriteOnly));
    inLocked.close();
    QCOMPARE(::chmod(QFile::encodeName(inLocked.fileName()).constData(), 0666), 0);
    QCOMPARE(::chmod(QFile::encodeName(dir.filePath(QStringLiteral("locked"))).constData(), 0555),
             0);
    if (Root())
        QCOMPARE(::chown(QFile::encodeName(readOnly.fileName()).constData(), Nobody, Nobody), 0);
    const QString copy = NobodysCopy(dir.path());
    QVERIFY(!copy.isEmpty());
    const QString path
        = output.startsWith(QLatin1Char('/')) || output.isEmpty() ? output : dir.filePath(output);
    QStringList arguments = { "month", "10.1.1996", "3.1996", "-o" };
    if (!path.isEmpty())
        arguments << path;
    const Outcome outcome = Shell(script, arguments, copy);
    QCOMPARE(outcome.Status, status);
    if (status != 0) {
        QVERIFY2(outcome.Err.endsWith("nelze zapsat: přístup odepřen\n"), outcome.Err);
        return;
    }
    QCOMPARE(outcome.Err, QByteArray());
    QByteArray written = outcome.Out;
    if (path.startsWith(dir.path())) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        written = file.readAll();
    }
    QVERIFY2(written.startsWith("Datum narození 10.1.1996, měsíc 3.1996"), written);
}

// Made with its folder where the user's configuration lives, a plain file a person edits.
void TestCompanionOutput::peopleFileInTheConfigurationFolder()
{
    QTemporaryDir dir;
    const QString set = QStringLiteral("XDG_CONFIG_HOME='%1' exec \"$0\" \"$@\"").arg(dir.path());
    QCOMPARE(Shell(set, { "lide", "pridat", "Jiří", "1.2.1980" }).Status, 0);
    QFile file(dir.filePath(QStringLiteral("cyklometrika/lide")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Jiří = 1.2.1980\n"));
    QCOMPARE(file.permissions(),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    const Outcome day = Shell(set, { "den", "JIŘÍ", "1.2.1980" });
    QCOMPARE(day.Status, 0);
    QVERIFY2(day.Out.startsWith("Jméno             Jiří\n"), day.Out);
}

void TestCompanionOutput::unreadablePeopleFile_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("no one may read it") << 0;
    QTest::newRow("write only") << 0200;
}

// Never read as an empty file, and so never replaced by one of a single name.
void TestCompanionOutput::unreadablePeopleFile()
{
    QFETCH(int, mode);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cyklometrika")));
    const QString path = dir.filePath(QStringLiteral("cyklometrika/lide"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Jana = 10.1.1996\n") == 17);
    file.close();
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    for (const QString &owned : { dir.path(), dir.filePath(QStringLiteral("cyklometrika")), path })
        QCOMPARE(!Root() || ::chown(QFile::encodeName(owned).constData(), Nobody, Nobody) == 0,
                 true);
    const QString set = QStringLiteral("XDG_CONFIG_HOME='%1' exec \"$0\" \"$@\"").arg(dir.path());
    const QString copy = NobodysCopy(dir.path());
    QVERIFY(!copy.isEmpty());
    const Outcome outcome = Shell(set, { "people", "add", "Kuba", "5.6.2015" }, copy);
    QCOMPARE(outcome.Status, 3);
    QVERIFY2(outcome.Err.endsWith("nelze přečíst: přístup odepřen\n"), outcome.Err);
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0600), 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Jana = 10.1.1996\n"));
}

// Neither waits for a writer that never comes nor writes a name where it is lost.
void TestCompanionOutput::peopleFileThatIsNoPlainFile()
{
    for (const char *command :
         { "mkfifo \"$F\"; exec \"$0\" den Jana",
           "mkfifo \"$F\"; exec \"$0\" lide pridat Jana 1.1.2000",
           "ln -s /dev/null \"$F\"; exec \"$0\" lide pridat Jana 1.1.2000" }) {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cyklometrika")));
        const Outcome outcome
            = Shell(QStringLiteral("export XDG_CONFIG_HOME='%1' F='%1/cyklometrika/lide'; %2")
                        .arg(dir.path(), QString::fromUtf8(command)),
                    {});
        QCOMPARE(outcome.Status, 3);
        QVERIFY2(outcome.Err.endsWith("nelze přečíst: není to obyčejný soubor\n"), outcome.Err);
    }
}

// Every change reported done is in the file.
void TestCompanionOutput::tenAddsAtOnce()
{
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    std::array<QProcess, 10> runs;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        runs[i].setProcessEnvironment(environment);
        runs[i].start(QStringLiteral(CYKLOMETRIKA),
                      { "people", "add", QStringLiteral("Člověk%1").arg(i), "1.1.2000" });
    }
    for (QProcess &run : runs) {
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
    }
    QFile file(dir.filePath(QStringLiteral("cyklometrika/lide")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    lines.sort();
    for (std::size_t i = 0; i < runs.size(); ++i)
        QCOMPARE(lines.value(qsizetype(i) + 1), QStringLiteral("Člověk%1 = 1.1.2000").arg(i));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("cyklometrika"))).entryList(QDir::Files).size(), 1);
}

void TestCompanionOutput::fullDisk_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("free"); // bytes left on the file system
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("people add") << "cyklometrika/lide" << 8192
                                << QStringList { "people", "add", "Kuba", "5.6.2015" };
    QTest::newRow("people add, nothing free")
        << "cyklometrika/lide" << 0 << QStringList { "people", "add", "Kuba", "5.6.2015" };
    QTest::newRow("text") << "k.txt" << 4096 << QStringList { "critical", "10.1.1996", "2027" };
    QTest::newRow("calendar") << "k.ics" << 4096
                              << QStringList { "critical", "10.1.1996", "2027", "--only-critical" };
    QTest::newRow("PDF") << "k.pdf" << 4096 << QStringList { "chart", "10.1.1996" };
}

// A small file system filled to the brim: the old file stays, the command says why.
void TestCompanionOutput::fullDisk()
{
    QFETCH(QString, target);
    QFETCH(int, free);
    QFETCH(QStringList, arguments);
    if (!Root())
        QSKIP("mounting a small file system needs root");
    QTemporaryDir dir;
    QTemporaryDir outside;
    QFile old(outside.filePath(QStringLiteral("old")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    for (int i = 0; i < 250; ++i) // two pages
        old.write(QByteArrayLiteral("Člověk") + QByteArray::number(i) + " = 1.1.2000\n");
    old.close();
    if (!target.endsWith(QLatin1String("lide")))
        arguments += { QStringLiteral("-o"), dir.filePath(target) };
    // In a mount namespace of its own, so that the file system goes with the shell.
    const QString inner = QStringLiteral(
        "mount -t tmpfs -o size=64k cyklometrika \"$D\" || exit 99; mkdir \"$D/cyklometrika\"; "
        "cp \"$OLD\" \"$D/$T\"; cat /dev/zero >\"$D/filler\" 2>/dev/null; "
        "truncate -s -$FREE \"$D/filler\"; XDG_CONFIG_HOME=\"$D\" \"$0\" \"$@\"; s=$?; "
        "cat \"$D/$T\"; cd \"$D\" && find . | sort; exit $s");
    const Outcome outcome = Shell(QStringLiteral("D='%1' T='%2' FREE=%3 OLD='%4' "
                                                 "exec unshare -m sh -c '%5' \"$0\" \"$@\"")
                                      .arg(dir.path(), target)
                                      .arg(free)
                                      .arg(old.fileName(), inner),
                                  arguments);
    if (outcome.Status == 99)
        QSKIP("no file system can be mounted here");
    QCOMPARE(outcome.Status, 3);
    QVERIFY2(outcome.Err.endsWith("na zařízení není volné místo\n"), outcome.Err);
    QStringList files { ".", "./cyklometrika", "./filler", "./" + target };
    files.sort(); // nothing else is left behind: no new file, no lock
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(outcome.Out, old.readAll() + files.join(QLatin1Char('\n')).toUtf8() + '\n');
}

void TestCompanionOutput::linksInAStickyFolder_data()
{
    QTest::addColumn<uid_t>("owner");
    QTest::addColumn<int>("status");
    QTest::newRow("another user's link") << Nobody << 3;
    QTest::newRow("the caller's own link") << ::geteuid() << 0;
}

// Followed only as the system follows it: another user's link in /tmp leads nowhere.
void TestCompanionOutput::linksInAStickyFolder()
{
    QFETCH(uid_t, owner);
    QFETCH(int, status);
    if (!Root())
        QSKIP("a link of another user needs root");
    QTemporaryDir dir;
    QTemporaryDir sticky;
    QCOMPARE(::chmod(QFile::encodeName(sticky.path()).constData(), 01777), 0);
    QFile secret(dir.filePath(QStringLiteral("secret")));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("heslo\n") == 6);
    secret.close();
    const QString link = sticky.filePath(QStringLiteral("out"));
    QVERIFY(QFile::link(secret.fileName(), link));
    QCOMPARE(::lchown(QFile::encodeName(link).constData(), owner, owner), 0);
    const Outcome outcome = Shell(Plain, { "day", "10.1.1996", "-o", link });
    QCOMPARE(outcome.Status, status);
    QVERIFY(secret.open(QIODevice::ReadOnly));
    QCOMPARE(secret.readAll().startsWith("heslo"), status != 0);
}

void TestCompanionOutput::extensionNamesTheFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("ics") << "k.ics" << QStringList {} << 0 << QByteArray("BEGIN:VCALENDAR\r\n");
    QTest::newRow("ICS in capitals")
        << "k.ICS" << QStringList {} << 0 << QByteArray("BEGIN:VCALENDAR\r\n");
    QTest::newRow("csv") << "k.csv" << QStringList {} << 0 << QByteArray("date,physical");
    QTest::newRow("json") << "k.json" << QStringList {} << 0 << QByteArray("{");
    QTest::newRow("txt") << "k.txt" << QStringList {} << 0 << QByteArray("Datum narození");
    QTest::newRow("no extension") << "k" << QStringList {} << 0 << QByteArray("Datum narození");
    QTest::newRow("agreeing -f") << "k.ics" << QStringList { "-f", "ICS" } << 0
                                 << QByteArray("BEGIN:VCALENDAR\r\n");
    QTest::newRow("-f against the extension")
        << "k.ics" << QStringList { "-f", "csv" } << 2 << QByteArray();
    QTest::newRow("ics of a month") << "m.ics" << QStringList { "month" } << 2 << QByteArray();
}

void TestCompanionOutput::extensionNamesTheFormat()
{
    QFETCH(QString, name);
    QFETCH(QStringList, extra);
    QFETCH(int, status);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QStringList arguments { "critical", "10.1.1996", "-o", path };
    if (extra == QStringList { "month" })
        arguments[0] = QStringLiteral("month");
    else
        arguments += extra;
    const Outcome outcome = Shell(Plain, arguments);
    QCOMPARE(outcome.Status, status);
    QFile file(path);
    QCOMPARE(file.exists(), status == 0);
    if (status == 0) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().startsWith(start), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestCompanionOutput)
#include "tst_companion_output.moc"
