// SPDX-License-Identifier: GPL-3.0-or-later
// One end of a pipe as the system offers it: the primitives under the connection's read
// and write loops (devtools_pipe.cpp). Opening takes the handle over and readies it; a
// read or write step never waits; Wait waits until the step that found the end blocked
// can go on, or until the deadline. Each system supplies them in devtools_pipe_posix.cpp
// or devtools_pipe_win.cpp.
#pragma once

#include <QDeadlineTimer>
#include <QString>
#include <QtGlobal>
#include <memory>

namespace cykl {

#ifdef _WIN32
using PipeHandle = void *; // a HANDLE of an overlapped named pipe
#else
using PipeHandle = int; // a file descriptor
#endif

// What one read or write step did.
struct PipeStep {
    enum Kind { Moved, Blocked, Closed, Failed };
    Kind Result = Moved;
    qsizetype Bytes = 0; // Moved: how many; none means "try again"
    QString Reason; // Failed: the system's words
};

class PipeEnd {
public:
    // Takes the handle over; throws BrowserError when the end cannot be readied.
    explicit PipeEnd(PipeHandle handle);
    ~PipeEnd();
    PipeEnd(const PipeEnd &) = delete;
    PipeEnd &operator=(const PipeEnd &) = delete;

    // A step that found the end blocked may still be under way: the next step takes it up,
    // so it must be given the same buffer. Only a reading end reports Closed.
    PipeStep ReadSome(char *buffer, qsizetype size);
    PipeStep WriteSome(const char *data, qsizetype size);
    // True once the blocked step can go on; false when the deadline came first, and the
    // step is then given up.
    bool Wait(QDeadlineTimer deadline);

private:
    struct System;
    std::unique_ptr<System> system_;
};

} // namespace cykl
