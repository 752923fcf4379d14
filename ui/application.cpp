// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include "browser/chromium_browser.h"
#include "platform/effects.h"
#include "platform/qt_effects.h"
#include "ui/form1.h"

#include <QRegularExpression>

namespace cykl {

namespace {

// The only regular expression the program runs is the chart's, once, on its value labels:
// interpreted it costs less than compiled to machine code, which would also bring in the
// pattern compiler's code (some 0.2 to 0.3 MB of peak memory). Qt reads its setting from the
// environment once, when it compiles its first pattern; the setting is taken back at once,
// so the processes the program starts (its browser) never see it. A setting of the user's
// stands.
void RunRegularExpressionsInterpreted()
{
    constexpr const char *Setting = "QT_ENABLE_REGEXP_JIT";
    if (qEnvironmentVariableIsSet(Setting))
        return;
    qputenv(Setting, "0");
    [[maybe_unused]] const bool compiled = QRegularExpression(QStringLiteral("^")).isValid();
    qunsetenv(Setting);
}

int RunForm1(Application &app, MessageBoxSeam &box,
             const std::function<void(QWidget &)> &beforeShow)
{
    QtBeeper beeper;
    SystemClock clock;
    ChromiumBrowserFactory browsers;
    DesktopUrlOpener opener;
    Form1 form({ box, beeper, clock, browsers, opener, app });
    if (app.EndRequested()) // an error during load has been reported already
        return app.ExitCode();
    if (beforeShow)
        beforeShow(form);
    form.show();
    return QApplication::exec();
}

} // namespace

Application::Application(int &argc, char **argv, MessageBoxSeam &errorBox)
    : QApplication(argc, argv), errorBox_(errorBox)
{
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportUnhandledError(errorBox_, *this);
        return true;
    }
}

void Application::End(int exitCode)
{
    endRequested_ = true;
    exitCode_ = exitCode;
    QCoreApplication::exit(exitCode);
}

int RunProgram(int &argc, char **argv, const std::function<void(QWidget &)> &beforeShow)
{
    RunRegularExpressionsInterpreted();
    QtMessageBox box;
    Application app(argc, argv, box);
    QApplication::setApplicationName(QStringLiteral("CYKLOMETRIKA"));
    try {
        return RunForm1(app, box, beforeShow);
    } catch (...) {
        ReportUnhandledError(box, app);
        return app.ExitCode();
    }
}

} // namespace cykl
