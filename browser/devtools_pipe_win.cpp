// SPDX-License-Identifier: GPL-3.0-or-later
// The pipe ends on Windows: our ends of two named pipes opened for overlapped I/O. A step
// starts a transfer, or takes up the one under way; the transfer's event is what Wait
// waits for, and a transfer still under way at the deadline is cancelled.
#include "browser/devtools_pipe.h"
#include "browser/texts.h"

#include <algorithm>
#include <windows.h>

namespace cykl {

namespace {

DWORD Milliseconds(QDeadlineTimer deadline)
{
    const qint64 left = deadline.remainingTime();
    return left < 0 ? INFINITE : static_cast<DWORD>(std::min<qint64>(left, 0x7fffffff));
}

// What a finished transfer did. A zero-byte message moves nothing: the reader tries again.
PipeStep StepOf(DWORD error, DWORD bytes, bool reading)
{
    if (error == ERROR_SUCCESS || error == ERROR_MORE_DATA)
        return { PipeStep::Moved, qsizetype(bytes), {} };
    if (reading && (error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED))
        return { PipeStep::Closed, 0, {} };
    return { PipeStep::Failed, 0, qt_error_string(int(error)) };
}

} // namespace

struct PipeEnd::System {
    HANDLE Handle;
    HANDLE Event = nullptr;
    OVERLAPPED Overlapped {};
    bool UnderWay = false; // a transfer was started and not yet taken up

    // Starts a transfer, or takes up the one under way.
    PipeStep Step(char *buffer, qsizetype size, bool reading)
    {
        if (!UnderWay) {
            Overlapped = {};
            Overlapped.hEvent = Event;
            const DWORD length = static_cast<DWORD>(std::min<qsizetype>(size, 0x7fffffff));
            const BOOL started = reading
                ? ::ReadFile(Handle, buffer, length, nullptr, &Overlapped)
                : ::WriteFile(Handle, buffer, length, nullptr, &Overlapped);
            const DWORD error = started ? ERROR_SUCCESS : ::GetLastError();
            if (error != ERROR_SUCCESS && error != ERROR_IO_PENDING)
                return StepOf(error, 0, reading);
            UnderWay = true;
        }
        DWORD bytes = 0;
        const BOOL done = ::GetOverlappedResult(Handle, &Overlapped, &bytes, FALSE);
        const DWORD error = done ? ERROR_SUCCESS : ::GetLastError();
        if (error == ERROR_IO_INCOMPLETE)
            return { PipeStep::Blocked, 0, {} };
        UnderWay = false;
        return StepOf(error, bytes, reading);
    }

    // Cancels the transfer under way and waits for the cancellation too: its buffer must
    // not be touched once we have returned. True when it finished first all the same.
    bool Cancel()
    {
        ::CancelIoEx(Handle, &Overlapped);
        DWORD bytes = 0;
        const bool finished = ::GetOverlappedResult(Handle, &Overlapped, &bytes, TRUE)
            || ::GetLastError() != ERROR_OPERATION_ABORTED;
        UnderWay = finished;
        return finished;
    }
};

PipeEnd::PipeEnd(PipeHandle handle) : system_(new System { handle })
{
    system_->Event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!system_->Event) {
        ::CloseHandle(handle);
        throw browser_text::Failure("browser.cannot.wait");
    }
}

PipeEnd::~PipeEnd()
{
    if (system_->UnderWay)
        system_->Cancel();
    ::CloseHandle(system_->Event);
    ::CloseHandle(system_->Handle);
}

PipeStep PipeEnd::ReadSome(char *buffer, qsizetype size)
{
    return system_->Step(buffer, size, true);
}

PipeStep PipeEnd::WriteSome(const char *data, qsizetype size)
{
    // WriteFile only reads the buffer.
    return system_->Step(const_cast<char *>(data), size, false);
}

bool PipeEnd::Wait(QDeadlineTimer deadline)
{
    if (!system_->UnderWay
        || ::WaitForSingleObject(system_->Event, Milliseconds(deadline)) == WAIT_OBJECT_0)
        return true;
    return system_->Cancel();
}

} // namespace cykl
