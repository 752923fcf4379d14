// SPDX-License-Identifier: GPL-3.0-or-later
// One DevTools protocol connection over a pair of pipes: every message is a JSON text
// ended by one NUL byte. Calls are synchronous and bounded by a deadline. The message
// framing is common; reading and writing the pipe ends is the system's own part.
#pragma once

#include "platform/browser.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QString>

namespace cykl {

#ifdef _WIN32
using PipeHandle = void *; // a HANDLE of an overlapped named pipe
#else
using PipeHandle = int; // a file descriptor
#endif

// The browser answered a command with an error; the connection itself still works.
class BrowserReplyError : public BrowserError {
public:
    using BrowserError::BrowserError;
};

class DevToolsPipe {
public:
    // Takes ownership of both ends: commands are written to commandEnd, replies and
    // events are read from replyEnd.
    DevToolsPipe(PipeHandle commandEnd, PipeHandle replyEnd);
    ~DevToolsPipe();
    DevToolsPipe(const DevToolsPipe &) = delete;
    DevToolsPipe &operator=(const DevToolsPipe &) = delete;

    // Sends one command (to a page session when sessionId is not empty) and waits for its
    // reply, skipping events. Returns the reply's result. Throws BrowserReplyError for an
    // error reply and BrowserError when the connection breaks or the deadline passes.
    QJsonObject Call(const QString &method, const QJsonObject &params, const QString &sessionId,
                     QDeadlineTimer deadline);

private:
    QJsonObject Receive(QDeadlineTimer deadline);
    // Writes the whole message, or throws BrowserError.
    void Send(const QByteArray &message, QDeadlineTimer deadline);
    // Reads what has arrived, at least one byte; 0 when the browser closed its end.
    // Throws BrowserError on the deadline or a broken pipe.
    qsizetype ReadSome(char *buffer, qsizetype size, QDeadlineTimer deadline);

    PipeHandle commandEnd_;
    PipeHandle replyEnd_;
    QByteArray received_;
    int nextId_ = 1;
};

} // namespace cykl
