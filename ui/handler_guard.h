// SPDX-License-Identifier: GPL-3.0-or-later
// The rule for errors that no handler catches: a box titled "CYKLOMETRIKA" with the
// error's number and description, then the program ends with a non-zero exit code. Every
// handler of the windows runs through the guard that applies it.
#pragma once

#include "display/seams.h"
#include "lang/language.h"

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
ErrorReport DescribeCurrentError(Lang lang = Lang::Cs);

// "Chyba č. <number>: <description>"
QString ErrorText(const ErrorReport &report, Lang lang = Lang::Cs);

// Reports the exception being handled and ends the program; call only inside a catch block.
void ReportUnhandledError(MessageBoxSeam &box, ProgramEnd &end, Lang lang = Lang::Cs);

// Every handler of the windows runs through this guard.
class HandlerGuard {
public:
    HandlerGuard(MessageBoxSeam &box, ProgramEnd &end, Lang lang = Lang::Cs)
        : box_(box), end_(end), lang_(lang)
    {
    }

    template<class Handler> void Run(Handler &&handler)
    {
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            ReportUnhandledError(box_, end_, lang_);
        }
    }

private:
    MessageBoxSeam &box_;
    ProgramEnd &end_;
    Lang lang_;
};

} // namespace cykl
