// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include "browser/chromium_browser.h"
#include "platform/effects.h"
#include "platform/qt_effects.h"
#include "ui/form1.h"

#include <QDir>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <cstdio>

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
    Form1 form({ box, beeper, clock, browsers, opener, app, app.Language() });
    if (app.EndRequested()) // an error during load has been reported already
        return app.ExitCode();
    if (beforeShow)
        beforeShow(form);
    form.show();
    return QApplication::exec();
}

} // namespace

Application::Application(int &argc, char **argv, MessageBoxSeam &errorBox)
    : QApplication(argc, argv), errorBox_(errorBox), language_(WindowLanguage(arguments()))
{
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportUnhandledError(errorBox_, *this, language_);
        return true;
    }
}

void Application::End(int exitCode)
{
    endRequested_ = true;
    exitCode_ = exitCode;
    QCoreApplication::exit(exitCode);
}

Lang WindowLanguage(const QStringList &arguments)
{
    QString asked;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size())
            asked = arguments[i + 1];
        else if (arguments[i].startsWith(QLatin1String("--lang=")))
            asked = arguments[i].mid(7);
    }
    if (asked.isEmpty())
        return Lang::Cs;
    if (const std::optional<Lang> lang = FindLanguage(asked.toStdString()))
        return *lang;
    std::fprintf(stderr, "CYKL: --lang %s: cs, en\n", qPrintable(asked));
    return Lang::Cs;
}

std::unique_ptr<QTranslator> InstallQtTranslation(Lang lang)
{
    if (lang != Lang::Cs)
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    const QString name = QStringLiteral("qtbase_") + QString::fromLatin1(LanguageOf(lang).Code);
    for (const QString &folder : { QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                   QDir(QCoreApplication::applicationDirPath())
                                       .filePath(QStringLiteral("translations")) }) {
        if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
            return translator;
    }
    return nullptr;
}

int RunProgram(int &argc, char **argv, const std::function<void(QWidget &)> &beforeShow)
{
    RunRegularExpressionsInterpreted();
    QtMessageBox box;
    Application app(argc, argv, box);
    QApplication::setApplicationName(QStringLiteral("CYKLOMETRIKA"));
    const std::unique_ptr<QTranslator> qtTexts = InstallQtTranslation(app.Language());
    try {
        return RunForm1(app, box, beforeShow);
    } catch (...) {
        ReportUnhandledError(box, app, app.Language());
        return app.ExitCode();
    }
}

} // namespace cykl
