// SPDX-License-Identifier: GPL-3.0-or-later
// The program's application object and its start: the last line of defence for errors
// that escape an event handler (ui/handler_guard.h), and the window loop.
#pragma once

#include "display/seams.h"
#include "lang/language.h"
#include "ui/handler_guard.h"

#include <QApplication>
#include <QStringList>
#include <QTranslator>
#include <functional>
#include <memory>

namespace cykl {

// The program's QApplication: ends the window loop on request, and reports any error that
// escapes an event handler as the last line of defence.
class Application final : public QApplication, public ProgramEnd {
    Q_OBJECT
public:
    Application(int &argc, char **argv, MessageBoxSeam &errorBox);

    // The language of the window, from the command line (--lang cs|en); Czech by default.
    Lang Language() const { return language_; }

    bool notify(QObject *receiver, QEvent *event) override;
    void End(int exitCode) override;

    // True once End was called, also before the window loop has started.
    bool EndRequested() const { return endRequested_; }
    int ExitCode() const { return exitCode_; }

private:
    MessageBoxSeam &errorBox_;
    Lang language_;
    bool endRequested_ = false;
    int exitCode_ = 0;
};

// The language asked for by "--lang LANG" or "--lang=LANG" among arguments: Czech when none
// is, or when LANG is none of the program's languages (which is said on standard error).
Lang WindowLanguage(const QStringList &arguments);

// Qt's own texts (the fields' context menus...) in lang, installed into the application:
// Czech from Qt's translations (qtbase_cs.qm) where they are installed, beside Qt or in
// translations/ beside the program; English is Qt's own. Null when nothing was installed.
std::unique_ptr<QTranslator> InstallQtTranslation(Lang lang);

// The program: the main window with the production effects, shown, and the window loop
// until the window is closed or Exit is chosen. Returns the exit code. beforeShow, if
// given, sees the main window just before it is shown (the start-up benchmark).
int RunProgram(int &argc, char **argv, const std::function<void(QWidget &)> &beforeShow = {});

} // namespace cykl
