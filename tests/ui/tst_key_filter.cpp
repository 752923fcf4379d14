// SPDX-License-Identifier: GPL-3.0-or-later
// The key filter of the six date fields, through real-looking key events: digits up to the
// field's limit and backspace pass; anything else is refused with one beep; a digit into a
// full field is dropped silently. Text that comes without a character key is not filtered.
#include "fakes.h"
#include "probe.h"

#include <QClipboard>
#include <QSignalSpy>
#include <memory>

using namespace cykl;
using namespace cykl::test;

class TestKeyFilter : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keyFilter_data();
    void keyFilter();
    void typedSequenceKeepsOnlyDigits();
    void pastingIsNotFiltered();

private:
    std::unique_ptr<Seams> seams_;
    std::unique_ptr<Form1> form_;
};

void TestKeyFilter::init()
{
    seams_ = std::make_unique<Seams>();
    form_ = std::make_unique<Form1>(seams_->For());
}

void TestKeyFilter::cleanup()
{
    form_.reset();
    seams_.reset();
    QCOMPARE(VisibleTopLevels(), 0);
}

void TestKeyFilter::keyFilter_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    auto row
        = [](const char *name, int field, const char *before, bool select, int key,
             Qt::KeyboardModifiers modifiers, const QString &text, const char *after, int beeps) {
              QTest::newRow(name) << field << QString::fromUtf8(before) << select << key
                                  << modifiers << text << QString::fromUtf8(after) << beeps;
          };
    row("digit into empty day", 1, "", false, Qt::Key_5, none, "5", "5", 0);
    row("second digit of month", 2, "1", false, Qt::Key_2, none, "2", "12", 0);
    row("fourth digit of year", 3, "199", false, Qt::Key_6, none, "6", "1996", 0);
    row("digit into full day", 4, "12", false, Qt::Key_3, none, "3", "12", 0);
    row("digit into full month", 5, "10", false, Qt::Key_1, none, "1", "10", 0);
    row("digit into full year", 6, "1996", false, Qt::Key_7, none, "7", "1996", 0);
    row("digit over selection in full field", 1, "12", true, Qt::Key_3, none, "3", "12", 0);
    row("digit over selection in short year", 3, "19", true, Qt::Key_2, none, "2", "2", 0);
    row("keypad digit", 1, "", false, Qt::Key_7, Qt::KeypadModifier, "7", "7", 0);
    row("backspace in full field", 1, "12", false, Qt::Key_Backspace, none, "\b", "1", 0);
    row("backspace in full year", 3, "1996", false, Qt::Key_Backspace, none, "\b", "199", 0);
    row("backspace without text", 2, "12", false, Qt::Key_Backspace, none, "", "1", 0);
    row("letter", 1, "", false, Qt::Key_A, none, "a", "", 1);
    row("letter into full field", 1, "12", false, Qt::Key_A, none, "a", "12", 1);
    row("blank", 3, "19", false, Qt::Key_Space, none, " ", "19", 1);
    row("minus sign", 3, "", false, Qt::Key_Minus, none, "-", "", 1);
    row("decimal point", 1, "1", false, Qt::Key_Period, none, ".", "1", 1);
    row("decimal comma", 1, "1", false, Qt::Key_Comma, none, ",", "1", 1);
    row("non-latin digit", 1, "", false, Qt::Key_unknown, none, QString(QChar(0x0663)), "", 1);
    row("carriage return", 1, "1", false, Qt::Key_Return, none, "\r", "1", 1);
    row("escape", 1, "1", false, Qt::Key_Escape, none, "\x1b", "1", 1);
    row("ctrl+c", 1, "12", true, Qt::Key_C, ctrl, "\x03", "12", 1);
    row("ctrl+v", 1, "1", false, Qt::Key_V, ctrl, "\x16", "1", 1);
    row("ctrl+v without text", 1, "1", false, Qt::Key_V, ctrl, "", "1", 1);
    row("ctrl+x", 1, "12", true, Qt::Key_X, ctrl, "\x18", "12", 1);
    row("delete key", 1, "12", false, Qt::Key_Delete, none, "\x7f", "2", 0);
    row("left arrow", 1, "12", false, Qt::Key_Left, none, "", "12", 0);
    row("shift alone", 1, "12", false, Qt::Key_Shift, Qt::ShiftModifier, "", "12", 0);
    row("function key", 1, "12", false, Qt::Key_F2, none, "", "12", 0);
}

void TestKeyFilter::keyFilter()
{
    QFETCH(int, field);
    QFETCH(QString, before);
    QFETCH(bool, selectAll);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(int, beeps);

    QApplication::clipboard()->setText(QStringLiteral("99"));
    QLineEdit *edit = Field(*form_, field);
    edit->setText(before);
    edit->setCursorPosition(key == Qt::Key_Delete ? 0 : int(before.size()));
    if (selectAll)
        edit->selectAll();
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(key), text, modifiers);
    QCOMPARE(edit->text(), after);
    QCOMPARE(seams_->Beeper.Beeps, beeps);
    QCOMPARE(changes.size(), after == before ? 0 : 1);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("99")); // nothing cut or copied
}

void TestKeyFilter::typedSequenceKeepsOnlyDigits()
{
    QTest::keyClicks(Field(*form_, 3), QStringLiteral("1a9x9,61"));
    QCOMPARE(Field(*form_, 3)->text(), QStringLiteral("1996"));
    QCOMPARE(seams_->Beeper.Beeps, 3);
}

void TestKeyFilter::pastingIsNotFiltered()
{
    TypeDates(*form_, { "10", "1", "1996", "5", "3", "1996" });
    QTest::mouseClick(Button(*form_, "Command1"), Qt::LeftButton);
    QVERIFY(!Chart(*form_, "Graph2")->isHidden());
    QApplication::clipboard()->setText(QStringLiteral("x12345"));
    QLineEdit *day = Field(*form_, 1);
    day->setCursorPosition(2);
    QTest::keyClick(day, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(day->text(), QStringLiteral("10x12345"));
    QCOMPARE(seams_->Beeper.Beeps, 0);
    QVERIFY(Chart(*form_, "Graph2")->isHidden());
    QCOMPARE(Button(*form_, "Command1")->text(), QStringLiteral("Potvrzeni dat"));
}

QTEST_MAIN(TestKeyFilter)
#include "tst_key_filter.moc"
