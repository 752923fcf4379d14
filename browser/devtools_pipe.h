// SPDX-License-Identifier: GPL-3.0-or-later
// One DevTools protocol connection over a pair of pipes: every message is a JSON text
// ended by one NUL byte. Calls are synchronous and bounded by a deadline. The message
// framing and the read and write loops are common (devtools_pipe.cpp); each system
// supplies only the steps on a pipe end, PipeEnd (devtools_pipe_posix.cpp, _win.cpp).
#pragma once

#include "browser/browser.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

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

// One end of a pipe as the system offers it. Opening takes the handle over and readies it;
// a read or write step never waits; Wait waits until the step that found the end blocked
// can go on, or until the deadline.
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

// The browser answered a command with an error; the connection itself still works.
class BrowserReplyError : public BrowserError {
public:
    using BrowserError::BrowserError;
};

// The longest message the browser may send, without its NUL.
inline constexpr qsizetype MaxDevToolsMessage = qsizetype(64) * 1024 * 1024;

// Cuts the bytes that the browser writes into messages, however the bytes are split
// into reads.
class DevToolsReader {
public:
    explicit DevToolsReader(qsizetype maxMessage = MaxDevToolsMessage);

    void Append(QByteArrayView bytes);
    // The next whole message; nothing while the next one is still incomplete. Throws
    // BrowserError for a message that is no JSON object or is longer than the limit (as
    // soon as its first part beyond the limit has arrived).
    std::optional<QJsonObject> Next();
    // Bytes held of messages not yet taken.
    qsizetype Pending() const { return buffer_.size() - start_; }

private:
    qsizetype maxMessage_;
    QByteArray buffer_;
    qsizetype start_ = 0; // where the first message not yet taken begins
    qsizetype scanned_ = 0; // buffer_ holds no NUL from start_ up to here
};

class DevToolsPipe {
public:
    // Takes ownership of both ends: commands are written to commandEnd, replies and
    // events are read from replyEnd.
    DevToolsPipe(PipeHandle commandEnd, PipeHandle replyEnd,
                 qsizetype maxMessage = MaxDevToolsMessage);

    // Sends one command (to a page session when sessionId is not empty) and waits for its
    // reply, skipping events and the late replies of earlier calls. Returns the reply's
    // result. Throws BrowserReplyError for an error reply and BrowserError when the
    // connection breaks or the deadline passes, however busy the browser keeps the pipe.
    QJsonObject Call(const QString &method, const QJsonObject &params, const QString &sessionId,
                     QDeadlineTimer deadline);

private:
    // Writes the whole message, or throws BrowserError; the deadline is checked between
    // partial writes too.
    void Send(const QByteArray &message, QDeadlineTimer deadline);
    // The next message, or BrowserError on the deadline or a broken connection.
    QJsonObject Receive(QDeadlineTimer deadline);

    PipeEnd commands_;
    PipeEnd replies_;
    DevToolsReader reader_;
    QByteArray chunk_; // what a read step fills, kept while a step is under way
    int nextId_ = 1;
};

} // namespace cykl
