// SPDX-License-Identifier: GPL-3.0-or-later
// The rule for errors that no handler catches: a box titled "CYKLOMETRIKA" with the
// error's number and description, then the program ends with a non-zero exit code.
#pragma once

#include "display/seams.h"

#include <QApplication>
#include <QString>
#include <utility>

namespace cykl {

// Ends the program: the window loop stops and the program returns the given code.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void End(int exitCode) = 0;
};

inline constexpr int UnhandledExitCode = 1;
// The number reported for errors that carry none of their own.
inline constexpr int InternalErrorNumber = 51;
inline constexpr int OutOfMemoryNumber = 7;

struct ErrorReport {
    int Number = InternalErrorNumber;
    QString Description;
};

// Describes the exception being handled; call only inside a catch block.
ErrorReport DescribeCurrentError();

// "Chyba č. <number>: <description>"
QString ErrorText(const ErrorReport &report);

// Reports the exception being handled and ends the program; call only inside a catch block.
void ReportUnhandledError(MessageBoxSeam &box, ProgramEnd &end);

// Every handler of the windows runs through this guard.
class HandlerGuard {
public:
    HandlerGuard(MessageBoxSeam &box, ProgramEnd &end) : box_(box), end_(end) { }

    template<class Handler> void Run(Handler &&handler)
    {
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            ReportUnhandledError(box_, end_);
        }
    }

private:
    MessageBoxSeam &box_;
    ProgramEnd &end_;
};

// The program's QApplication: ends the window loop on request, and reports any error that
// escapes an event handler as the last line of defence.
class Application final : public QApplication, public ProgramEnd {
    Q_OBJECT
public:
    Application(int &argc, char **argv, MessageBoxSeam &errorBox);

    bool notify(QObject *receiver, QEvent *event) override;
    void End(int exitCode) override;

    // True once End was called, also before the window loop has started.
    bool EndRequested() const { return endRequested_; }
    int ExitCode() const { return exitCode_; }

private:
    MessageBoxSeam &errorBox_;
    bool endRequested_ = false;
    int exitCode_ = 0;
};

// The program: the main window with the production effects, shown, and the window loop
// until the window is closed or Exit is chosen. Returns the exit code. beforeShow, if
// given, sees the main window just before it is shown (the start-up benchmark).
int RunProgram(int &argc, char **argv, const std::function<void(QWidget &)> &beforeShow = {});

} // namespace cykl
