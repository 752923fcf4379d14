// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own start-up, ending after the first painted window.
#include "bench/first_paint.h"
#include "ui/application.h"

int main(int argc, char *argv[])
{
    return cykl::RunProgram(argc, argv, [](QWidget &form) { new cykl::bench::FirstPaint(form); });
}
