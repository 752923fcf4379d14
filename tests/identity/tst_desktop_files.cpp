// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop entry and the AppStream metainfo: they validate, and they agree with each
// other and with what the install rules put in place.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QString ReadText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of key in the [Desktop Entry] group, or a null string.
QString DesktopValue(const QString &key)
{
    for (const QString &line : ReadText(QStringLiteral(CYKL_DESKTOP_FILE)).split(u'\n')) {
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return {};
}

// The text of every element with this name, in document order.
QStringList MetainfoTexts(const QString &element)
{
    QStringList texts;
    QXmlStreamReader xml(ReadText(QStringLiteral(CYKL_METAINFO_FILE)));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element)
            texts.append(xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified());
    }
    return texts;
}

// Runs a validator; returns its exit code and puts its output in output.
int Run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    *output = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

class TestDesktopFiles : public QObject {
    Q_OBJECT

private slots:
    void desktopEntryValidates();
    void metainfoValidates();
    void desktopEntry_data();
    void desktopEntry();
    void metainfo_data();
    void metainfo();
    void metainfoHasCzechTranslations();
    void metainfoNamesNoExternalHost();
};

void TestDesktopFiles::desktopEntryValidates()
{
    const QString validator
        = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is missing (Debian package desktop-file-utils)");
    QString output;
    QCOMPARE(Run(validator, { QStringLiteral(CYKL_DESKTOP_FILE) }, &output), 0);
    QVERIFY2(output.trimmed().isEmpty(), qPrintable(output));
}

void TestDesktopFiles::metainfoValidates()
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (validator.isEmpty())
        QSKIP("appstreamcli is missing (Debian package appstream)");
    QString output;
    const QStringList arguments { "validate", "--no-net", "--no-color", CYKL_METAINFO_FILE };
    QVERIFY2(Run(validator, arguments, &output) == 0, qPrintable(output));
}

void TestDesktopFiles::desktopEntry_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("Type") << "Type"
                          << "Application";
    QTest::newRow("Name") << "Name"
                          << "Cyklometrika";
    QTest::newRow("Exec runs the installed program") << "Exec"
                                                     << "CYKL";
    QTest::newRow("Icon is the installed icon") << "Icon"
                                                << "cyklometrika";
    QTest::newRow("Terminal") << "Terminal"
                              << "false";
    QTest::newRow("Categories") << "Categories"
                                << "Utility;";
    QTest::newRow("an action opens the window in English") << "Actions"
                                                           << "english;";
}

void TestDesktopFiles::desktopEntry()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(DesktopValue(key), value);
}

void TestDesktopFiles::metainfo_data()
{
    const QString desktopFile = QFileInfo(QStringLiteral(CYKL_DESKTOP_FILE)).fileName();
    QTest::addColumn<QString>("element");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("id matches the desktop entry") << "id" << QStringList { desktopFile.chopped(8) };
    QTest::newRow("launchable") << "launchable" << QStringList { desktopFile };
    QTest::newRow("metadata licence") << "metadata_license" << QStringList { "CC0-1.0" };
    QTest::newRow("project licence") << "project_license" << QStringList { "GPL-3.0-or-later" };
    QTest::newRow("binaries: the window and the command")
        << "binary" << QStringList { "CYKL", "cyklometrika" };
    QTest::newRow("languages: Czech and English") << "lang" << QStringList { "cs", "en" };
}

void TestDesktopFiles::metainfo()
{
    QFETCH(QString, element);
    QFETCH(QStringList, texts);
    QCOMPARE(MetainfoTexts(element), texts);
}

void TestDesktopFiles::metainfoHasCzechTranslations()
{
    const QString text = ReadText(QStringLiteral(CYKL_METAINFO_FILE));
    QVERIFY(text.contains(QStringLiteral("<name xml:lang=\"cs\">")));
    QVERIFY(text.contains(QStringLiteral("<summary xml:lang=\"cs\">")));
    QCOMPARE(text.count(QStringLiteral("<p xml:lang=\"cs\">")), text.count(QStringLiteral("<p>")));
}

void TestDesktopFiles::metainfoNamesNoExternalHost()
{
    for (const QString &path :
         { QStringLiteral(CYKL_METAINFO_FILE), QStringLiteral(CYKL_DESKTOP_FILE) }) {
        const QString text = ReadText(path);
        QVERIFY(!text.isEmpty());
        QVERIFY2(!text.contains(QStringLiteral("://")), qPrintable(path));
    }
}

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "tst_desktop_files.moc"
