// SPDX-License-Identifier: GPL-3.0-or-later
// The cycle formula, the day walk and the daily verdicts of the target day, and the leap
// rule of the calculation, and the values every build must give (rows and checks in
// engine_rows.h).
#include "engine_rows.h"
#include "qt_rows.h"

#include <QTest>

using namespace cykl::test;

class TestCycles : public QObject {
    Q_OBJECT
private slots:
    void cycleValue_data() { AddRows(CycleRows()); }
    void cycleValue() { Expect(CheckRow(CycleRows())); }
    void verdicts_data() { AddRows(VerdictRows()); }
    void verdicts() { Expect(CheckRow(VerdictRows())); }
    void leapRule_data() { AddRows(LeapRows()); }
    void leapRule() { Expect(CheckRow(LeapRows())); }
    void golden_data() { AddRows(GoldenRows()); }
    void golden() { Expect(CheckRow(GoldenRows())); }
};

QTEST_APPLESS_MAIN(TestCycles)
#include "tst_cycles.moc"
