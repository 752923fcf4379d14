// SPDX-License-Identifier: GPL-3.0-or-later
// The day count against a closed-form day number of the calculation's calendar, for many
// thousands of random date pairs (fixed seed, so every run checks the same pairs; rows and
// check in engine_rows.h).
#include "engine_rows.h"
#include "qt_rows.h"

#include <QTest>

using namespace cykl::test;

class TestDaysDifferential : public QObject {
    Q_OBJECT
private slots:
    void closedForm_data() { AddRows(DayCountRows()); }
    void closedForm() { Expect(CheckRow(DayCountRows())); }
};

QTEST_APPLESS_MAIN(TestDaysDifferential)
#include "tst_days_differential.moc"
