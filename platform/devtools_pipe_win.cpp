// SPDX-License-Identifier: GPL-3.0-or-later
// The pipe ends on Windows: our ends of two named pipes opened for overlapped I/O, so
// that every read and write can be given up when its deadline passes.
#include "platform/devtools_pipe.h"

#include <QString>
#include <algorithm>
#include <windows.h>

namespace cykl {

namespace {

DWORD Milliseconds(QDeadlineTimer deadline)
{
    const qint64 left = deadline.remainingTime();
    return left < 0 ? INFINITE : static_cast<DWORD>(std::min<qint64>(left, 0x7fffffff));
}

QString SystemError(const char *what, DWORD code)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), qt_error_string(int(code)));
}

// One overlapped transfer on the pipe end, waited for until the deadline. Returns the
// bytes moved; on the deadline the transfer is cancelled and false is returned.
class Transfer {
public:
    Transfer() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        if (!event_)
            throw BrowserError("Nelze čekat na prohlížeč.");
        overlapped_.hEvent = event_;
    }
    ~Transfer() { ::CloseHandle(event_); }
    Transfer(const Transfer &) = delete;
    Transfer &operator=(const Transfer &) = delete;

    OVERLAPPED *Overlapped() { return &overlapped_; }

    // After ReadFile or WriteFile returned ok: the number of bytes, or an error code.
    bool Finish(HANDLE pipe, BOOL started, QDeadlineTimer deadline, DWORD &bytes, DWORD &error)
    {
        error = started ? ERROR_SUCCESS : ::GetLastError();
        if (!started && error != ERROR_IO_PENDING)
            return true;
        if (::WaitForSingleObject(event_, Milliseconds(deadline)) != WAIT_OBJECT_0)
            ::CancelIoEx(pipe, &overlapped_);
        // Waits for the cancellation too: the buffer must not be written after we return.
        const BOOL done = ::GetOverlappedResult(pipe, &overlapped_, &bytes, TRUE);
        error = done ? ERROR_SUCCESS : ::GetLastError();
        return error != ERROR_OPERATION_ABORTED;
    }

private:
    HANDLE event_;
    OVERLAPPED overlapped_ {};
};

} // namespace

DevToolsPipe::DevToolsPipe(PipeHandle commandEnd, PipeHandle replyEnd, qsizetype maxMessage)
    : commandEnd_(commandEnd), replyEnd_(replyEnd), reader_(maxMessage)
{
}

DevToolsPipe::~DevToolsPipe()
{
    ::CloseHandle(commandEnd_);
    ::CloseHandle(replyEnd_);
}

void DevToolsPipe::Send(const QByteArray &message, QDeadlineTimer deadline)
{
    qsizetype sent = 0;
    while (sent < message.size()) {
        if (sent > 0 && deadline.hasExpired())
            throw BrowserError("Prohlížeč nepřijímá příkazy (vypršel časový limit).");
        Transfer transfer;
        DWORD bytes = 0;
        DWORD error = ERROR_SUCCESS;
        const BOOL started = ::WriteFile(commandEnd_, message.constData() + sent,
                                         static_cast<DWORD>(message.size() - sent), nullptr,
                                         transfer.Overlapped());
        if (!transfer.Finish(commandEnd_, started, deadline, bytes, error))
            throw BrowserError("Prohlížeč nepřijímá příkazy (vypršel časový limit).");
        if (error != ERROR_SUCCESS)
            throw BrowserError(SystemError("Prohlížeč nepřijal příkaz", error).toStdString());
        sent += bytes;
    }
}

qsizetype DevToolsPipe::ReadSome(char *buffer, qsizetype size, QDeadlineTimer deadline)
{
    for (;;) {
        Transfer transfer;
        DWORD bytes = 0;
        DWORD error = ERROR_SUCCESS;
        const BOOL started = ::ReadFile(replyEnd_, buffer, static_cast<DWORD>(size), nullptr,
                                        transfer.Overlapped());
        if (!transfer.Finish(replyEnd_, started, deadline, bytes, error))
            throw BrowserError("Prohlížeč neodpověděl včas.");
        if (error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED)
            return 0;
        if (error != ERROR_SUCCESS && error != ERROR_MORE_DATA)
            throw BrowserError(
                SystemError("Odpověď prohlížeče nelze přečíst", error).toStdString());
        if (bytes > 0)
            return bytes;
        // A zero-byte message: nothing arrived yet, read again.
        if (deadline.hasExpired())
            throw BrowserError("Prohlížeč neodpověděl včas.");
    }
}

} // namespace cykl
