// SPDX-License-Identifier: GPL-3.0-or-later
// The whole engine wired to recorders, the way the main window wires it to widgets:
// ConfirmInput -> Display -> recording charts, box and caption.
#pragma once

#include "calc/chain.h"
#include "display/display.h"
#include "tests/support/recorders.h"

namespace cykl::test {

struct ConfirmationRig {
    EventLog Log;
    RecordingChart Graph1 { Log, EventSource::Graph1, 31 }; // the form's start state
    RecordingChart Graph2 { Log, EventSource::Graph2, 3 };
    RecordingMessageBox Box { Log };
    RecordingCaption Command1 { Log };
    FixedFields Fields;
    Main State;
    Display Screen { State, Fields, Graph1, Graph2, Box, Command1 };

    // Types the six texts and presses the confirm button.
    void Confirm(std::string_view birthDay, std::string_view birthMonth, std::string_view birthYear,
                 std::string_view targetDay, std::string_view targetMonth,
                 std::string_view targetYear)
    {
        Fields = FixedFields(birthDay, birthMonth, birthYear, targetDay, targetMonth, targetYear);
        ConfirmInput(State, Screen);
    }
};

} // namespace cykl::test
