// SPDX-License-Identifier: GPL-3.0-or-later
// The whole engine wired to recorders, the way the main window wires it to widgets:
// ConfirmInput -> Display -> recording charts, box and caption.
#pragma once

#include "calc/chain.h"
#include "display/display.h"
#include "tests/support/recorders.h"

namespace cykl::test {

struct ConfirmationRig {
    EventLog log;
    RecordingChart graph1 { log, EventSource::Graph1, 31 }; // the form's start state
    RecordingChart graph2 { log, EventSource::Graph2, 3 };
    RecordingMessageBox box { log };
    RecordingCaption command1 { log };
    FixedFields fields;
    Main main;
    Display display { main, fields, graph1, graph2, box, command1 };

    // Types the six texts and presses the confirm button.
    void Confirm(std::string_view birthDay, std::string_view birthMonth, std::string_view birthYear,
                 std::string_view targetDay, std::string_view targetMonth,
                 std::string_view targetYear)
    {
        fields = FixedFields(birthDay, birthMonth, birthYear, targetDay, targetMonth, targetYear);
        ConfirmInput(main, display);
    }
};

} // namespace cykl::test
