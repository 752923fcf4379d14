// SPDX-License-Identifier: GPL-3.0-or-later
// One DevTools protocol connection over a pair of pipes: every message is a JSON text
// ended by one NUL byte. Calls are synchronous and bounded by a deadline. The message
// framing and the read and write loops are common; the system supplies the steps on the
// pipe ends (browser/pipe_end.h).
#pragma once

#include "browser/browser.h"
#include "browser/pipe_end.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace cykl {

// The browser answered a command with an error; the connection itself still works.
class BrowserReplyError : public BrowserError {
public:
    using BrowserError::BrowserError;
};

// The longest message the browser may send, without its NUL.
inline constexpr qsizetype MaxDevToolsMessage = 64 * 1024 * 1024;

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
