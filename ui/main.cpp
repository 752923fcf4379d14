// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the main window is the start-up object. It is created (its load handler
// fills the target date), shown, and the window loop runs until it is closed or Exit is
// chosen. The program has no command line of its own.
#include "platform/chromium_browser.h"
#include "platform/qt_effects.h"
#include "ui/application.h"
#include "ui/form1.h"

namespace {

int Run(cykl::Application &app, cykl::MessageBoxSeam &box)
{
    cykl::QtBeeper beeper;
    cykl::SystemClock clock;
    cykl::ChromiumBrowserFactory browsers;
    cykl::DesktopUrlOpener opener;
    cykl::Form1 form({ box, beeper, clock, browsers, opener, app });
    if (app.EndRequested()) // an error during load has been reported already
        return app.ExitCode();
    form.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    cykl::QtMessageBox box;
    cykl::Application app(argc, argv, box);
    QApplication::setApplicationName(QStringLiteral("CYKLOMETRIKA"));
    try {
        return Run(app, box);
    } catch (...) {
        cykl::ReportUnhandledError(box, app);
        return app.ExitCode();
    }
}
