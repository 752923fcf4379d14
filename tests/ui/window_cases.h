// SPDX-License-Identifier: GPL-3.0-or-later
// The window states whose pictures are kept under reference/: the start, the worked
// example, and the months and days that draw the charts differently.
#pragma once

#include "fakes.h"
#include "probe.h"

#include <QStringList>
#include <array>

namespace cykl::test {

struct WindowCase {
    const char *Name; // the picture's file name without ".png"
    QStringList Dates; // the six fields, typed and confirmed; empty: the window as it starts
    bool EditAfter = false; // one more digit typed into the birth year after the confirmation
};

inline const std::array<WindowCase, 8> &WindowCases()
{
    static const std::array<WindowCase, 8> cases { {
        { "start", {} },
        { "march-1996", { "10", "1", "1996", "5", "3", "1996" } },
        { "birth-day", { "10", "1", "1996", "10", "1", "1996" } },
        { "born-this-month", { "15", "3", "1996", "20", "3", "1996" } },
        { "leap-february", { "10", "1", "1996", "29", "2", "2000" } },
        { "february-2001", { "10", "1", "1996", "28", "2", "2001" } },
        { "april-1996", { "10", "1", "1996", "15", "4", "1996" } },
        { "reset-after-march", { "10", "1", "1996", "5", "3", "1996" }, true },
    } };
    return cases;
}

// Brings a window that has just been shown (with the clock of Seams) into the case's state.
inline void Enter(const QWidget &form, const WindowCase &windowCase)
{
    if (windowCase.Dates.isEmpty())
        return;
    TypeDates(form, windowCase.Dates);
    QTest::mouseClick(Button(form, "Command1"), Qt::LeftButton);
    if (windowCase.EditAfter) {
        QTest::keyClick(Field(form, 3), Qt::Key_Backspace);
    }
}

} // namespace cykl::test
