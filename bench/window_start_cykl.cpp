// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up as ui/main.cpp does it, ending after the first painted window.
#include "bench/first_paint.h"
#include "platform/chromium_browser.h"
#include "platform/qt_effects.h"
#include "ui/application.h"
#include "ui/form1.h"

int main(int argc, char *argv[])
{
    cykl::QtMessageBox box;
    cykl::Application app(argc, argv, box);
    QApplication::setApplicationName(QStringLiteral("CYKLOMETRIKA"));
    cykl::QtBeeper beeper;
    cykl::SystemClock clock;
    cykl::ChromiumBrowserFactory browsers;
    cykl::DesktopUrlOpener opener;
    cykl::Form1 form({ box, beeper, clock, browsers, opener, app });
    cykl::bench::FirstPaint painted(form);
    form.show();
    return QApplication::exec();
}
