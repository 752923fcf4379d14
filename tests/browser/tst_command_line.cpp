// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of a started browser, split back by the system's own parser: every
// argument must come back exactly as it was given.
#include "browser/command_line.h"

#include <QtTest>
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

using namespace cykl;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void splitsBackIntoTheArguments_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QString program = "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";
        QTest::newRow("none") << program << QStringList {};
        QTest::newRow("plain") << program << QStringList { "--no-first-run", "about:blank" };
        QTest::newRow("empty") << program << QStringList { "", "x", "" };
        QTest::newRow("spaces") << program
                                << QStringList {
                                       "--user-data-dir=C:\\Users\\Jan Novák\\Temp\\profile"
                                   };
        QTest::newRow("tab and newline") << program << QStringList { "a\tb", "c\nd" };
        QTest::newRow("quotes") << program << QStringList { "say \"ahoj\"", "\"", "a\"b" };
        QTest::newRow("backslashes before a quote")
            << program << QStringList { "a\\\"b", "a\\\\\"b c", "\\\"" };
        QTest::newRow("trailing backslashes")
            << program << QStringList { "C:\\dir with space\\", "C:\\dir\\\\", "\\" };
        QTest::newRow("backslashes alone") << program << QStringList { "\\\\server\\share" };
        QTest::newRow("file address")
            << "C:/Users/x/msedge.exe"
            << QStringList { "file:///C:/Program%20Files/Cyklometrika/index.html" };
    }

    void splitsBackIntoTheArguments()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const QString line = WindowsCommandLine(program, arguments);
        int count = 0;
        LPWSTR *split
            = ::CommandLineToArgvW(reinterpret_cast<const wchar_t *>(line.utf16()), &count);
        QVERIFY(split);
        QStringList back;
        for (int i = 0; i < count; ++i)
            back << QString::fromWCharArray(split[i]);
        ::LocalFree(split);
        QCOMPARE(back.value(0), program);
        QCOMPARE(back.mid(1), arguments);
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
