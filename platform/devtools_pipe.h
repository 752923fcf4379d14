// SPDX-License-Identifier: GPL-3.0-or-later
// One DevTools protocol connection over a pair of pipes: every message is a JSON text
// ended by one NUL byte. Calls are synchronous and bounded by a deadline.
#pragma once

#include "platform/browser.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QString>

namespace cykl {

// The browser answered a command with an error; the connection itself still works.
class BrowserReplyError : public BrowserError {
public:
    using BrowserError::BrowserError;
};

class DevToolsPipe {
public:
    // Takes ownership of both descriptors: commands are written to commandFd, replies and
    // events are read from replyFd.
    DevToolsPipe(int commandFd, int replyFd);
    ~DevToolsPipe();
    DevToolsPipe(const DevToolsPipe &) = delete;
    DevToolsPipe &operator=(const DevToolsPipe &) = delete;

    // Sends one command (to a page session when sessionId is not empty) and waits for its
    // reply, skipping events. Returns the reply's result. Throws BrowserReplyError for an
    // error reply and BrowserError when the connection breaks or the deadline passes.
    QJsonObject Call(const QString &method, const QJsonObject &params, const QString &sessionId,
                     QDeadlineTimer deadline);

private:
    void Send(const QByteArray &message, QDeadlineTimer deadline);
    QJsonObject Receive(QDeadlineTimer deadline);
    bool Wait(int fd, short events, QDeadlineTimer deadline);

    int commandFd_;
    int replyFd_;
    QByteArray received_;
    int nextId_ = 1;
};

} // namespace cykl
