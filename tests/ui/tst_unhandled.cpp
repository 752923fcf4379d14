// SPDX-License-Identifier: GPL-3.0-or-later
// Errors that no handler catches: reported in a box titled "CYKLOMETRIKA" with their
// number and description, after which the program ends with a non-zero code.
#include "fakes.h"
#include "probe.h"

#include <QCoreApplication>
#include <memory>
#include <new>
#include <stdexcept>

using namespace cykl;
using namespace cykl::test;

namespace {

// An object whose event handler fails, outside every guard of the windows.
class FailingObject final : public QObject {
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw ProgramError(91, "Proměnná objektu není nastavena");
        return QObject::event(event);
    }
};

} // namespace

class TestUnhandled : public QObject {
    Q_OBJECT
public:
    TestUnhandled(RecordingBox &appBox, Application &app) : appBox_(appBox), app_(app) { }

private slots:
    void guardReports_data();
    void guardReports();
    void guardPassesQuietHandlers();
    void failingKeyHandlerIsReported();
    void failingLoadIsReported();
    void applicationReportsWhatEscapesAHandler();

private:
    RecordingBox &appBox_;
    Application &app_;
};

void TestUnhandled::guardReports_data()
{
    QTest::addColumn<std::function<void()>>("handler");
    QTest::addColumn<QString>("text");

    QTest::newRow("program error") << std::function<void()>([] {
        throw ProgramError(1001, "Domovskou stránku nelze zobrazit");
    }) << QStringLiteral("Chyba č. 1001: Domovskou stránku nelze zobrazit");
    QTest::newRow("standard error")
        << std::function<void()>([] { throw std::runtime_error("vector::at"); })
        << QStringLiteral("Chyba č. 51: vector::at");
    QTest::newRow("out of memory") << std::function<void()>([] { throw std::bad_alloc(); })
                                   << QStringLiteral("Chyba č. 7: Nedostatek paměti");
    QTest::newRow("anything else")
        << std::function<void()>([] { throw 42; }) << QStringLiteral("Chyba č. 51: Neznámá chyba");
}

void TestUnhandled::guardReports()
{
    QFETCH(std::function<void()>, handler);
    QFETCH(QString, text);
    RecordingBox box;
    RecordingEnd end;
    HandlerGuard guard(box, end);
    guard.Run(handler);
    QCOMPARE(box.Boxes.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(box.Boxes[0].Text), text);
    QCOMPARE(box.Boxes[0].Title, std::string("CYKLOMETRIKA"));
    QCOMPARE(box.Boxes[0].Style, MessageStyle::Stop);
    QCOMPARE(end.Codes, std::vector<int> { UnhandledExitCode });
    QVERIFY(UnhandledExitCode != 0);
}

void TestUnhandled::guardPassesQuietHandlers()
{
    RecordingBox box;
    RecordingEnd end;
    HandlerGuard guard(box, end);
    int runs = 0;
    guard.Run([&] { ++runs; });
    QCOMPARE(runs, 1);
    QVERIFY(box.Boxes.empty());
    QVERIFY(end.Codes.empty());
}

void TestUnhandled::failingKeyHandlerIsReported()
{
    Seams seams;
    Form1 form(seams.For());
    seams.Beeper.Fails = true;
    QTest::keyClick(Field(form, 1), Qt::Key_A);
    QCOMPARE(seams.Box.Boxes.size(), std::size_t(1));
    QCOMPARE(seams.Box.Boxes[0].Text, std::string("Chyba č. 6: Přetečení"));
    QCOMPARE(seams.End.Codes, std::vector<int> { UnhandledExitCode });
    QVERIFY(Field(form, 1)->text().isEmpty());
}

void TestUnhandled::failingLoadIsReported()
{
    Seams seams;
    seams.Clock.Fails = true;
    std::unique_ptr<Form1> form;
    form = std::make_unique<Form1>(seams.For()); // nothing escapes the constructor
    QCOMPARE(seams.Box.Boxes.size(), std::size_t(1));
    QCOMPARE(seams.Box.Boxes[0].Text, std::string("Chyba č. 11: Dělení nulou"));
    QCOMPARE(seams.Box.Boxes[0].Title, std::string("CYKLOMETRIKA"));
    QCOMPARE(seams.End.Codes, std::vector<int> { UnhandledExitCode });
}

void TestUnhandled::applicationReportsWhatEscapesAHandler()
{
    FailingObject object;
    QEvent event(QEvent::User);
    QVERIFY(!app_.EndRequested());
    QCoreApplication::sendEvent(&object, &event);
    QCOMPARE(appBox_.Boxes.size(), std::size_t(1));
    QCOMPARE(appBox_.Boxes[0].Text, std::string("Chyba č. 91: Proměnná objektu není nastavena"));
    QCOMPARE(appBox_.Boxes[0].Title, std::string("CYKLOMETRIKA"));
    QVERIFY(app_.EndRequested());
    QCOMPARE(app_.ExitCode(), UnhandledExitCode);
}

int main(int argc, char *argv[])
{
    RecordingBox box;
    Application app(argc, argv, box);
    TestUnhandled test(box, app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unhandled.moc"
