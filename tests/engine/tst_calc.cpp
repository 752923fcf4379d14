// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation on its own: field reading, the checks and their order, the day count,
// and the day-of-month check, through a recording Port (the tables' rows and checks in
// engine_rows.h).
#include "calc/chain.h"
#include "engine_rows.h"
#include "log_compare.h"
#include "qt_rows.h"
#include "tests/support/recorders.h"

#include <QTest>

using namespace cykl;
using namespace cykl::test;

namespace {

struct Run {
    EventLog Log;
    FixedFields Texts;
    RecordingPort Recorder { Log, Texts };
    Main State;

    void Confirm(const QStringList &texts)
    {
        for (int i = 0; i < 6; ++i)
            Texts.Set(i + 1, texts.value(i).toStdString());
        ConfirmInput(State, Recorder);
    }
    bool CountDaysRan() const { return State.MonthLength.IsBuilt(); }
    bool FirstSetUp() const
    {
        for (const Event &e : Log.Events()) {
            if (e.Kind == EventKind::SetUp)
                return true;
        }
        return false;
    }
};

QStringList Fields(const QString &text)
{
    return text.split(QLatin1Char('|'));
}

} // namespace

class TestCalc : public QObject {
    Q_OBJECT
private slots:
    void readNumber_data() { AddRows(ReadNumberRows()); }
    void readNumber() { Expect(CheckRow(ReadNumberRows())); }
    void confirmInput_data() { AddRows(ConfirmRows()); }
    void confirmInput() { Expect(CheckRow(ConfirmRows())); }
    void fieldsAreAllReadBeforeTheFirstCheck();
    void daysLived_data() { AddRows(DaysLivedRows()); }
    void daysLived() { Expect(CheckRow(DaysLivedRows())); }
    void countDaysMovesTheTargetDayAside();
    void checkTargetDay_data() { AddRows(TargetDayRows()); }
    void checkTargetDay() { Expect(CheckRow(TargetDayRows())); }
};

void TestCalc::fieldsAreAllReadBeforeTheFirstCheck()
{
    Run run;
    run.Confirm(Fields("|||||"));
    const QStringList expected
        = { "port FieldText 1", "port FieldText 2", "port FieldText 3",  "port FieldText 4",
            "port FieldText 5", "port FieldText 6", "port ShowMessage 1" };
    QCOMPARE(ToQStringList(run.Log.Lines()), expected);
    QCOMPARE(run.State.InputDates.TargetDay, 0.0); // the values read stay; nothing else moves
}

void TestCalc::countDaysMovesTheTargetDayAside()
{
    Run run;
    run.Confirm(Fields("10|1|1996|5|3|1996"));
    QCOMPARE(run.State.InputDates.TargetDay, 1.0);
    QCOMPARE(run.State.InputDates.ChosenDay, 5.0);
    QCOMPARE(run.Recorder.LastDay(), (std::array<double, 5> { 5, 3, 63, -23, -87 }));
    QVERIFY(run.Log.MessageCodes().empty());

    Run rejected; // also when the day-of-month check then refuses
    rejected.Confirm(Fields("31|4|1980|31|4|2000"));
    QCOMPARE(rejected.State.InputDates.TargetDay, 1.0);
    QCOMPARE(rejected.State.InputDates.ChosenDay, 31.0);
}

QTEST_APPLESS_MAIN(TestCalc)
#include "tst_calc.moc"
