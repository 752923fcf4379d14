// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the main window is the start-up object. It is created (its load handler
// fills the target date), shown, and the window loop runs until it is closed or Exit is
// chosen. The one option of its command line, --lang en, shows the window in English.
#include "ui/application.h"

int main(int argc, char *argv[])
{
    return cykl::RunProgram(argc, argv);
}
