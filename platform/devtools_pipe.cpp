// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/devtools_pipe.h"

#include <QJsonDocument>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace cykl {

namespace {

// A browser that has gone away makes our next write fail with EPIPE; the signal that
// comes with it would end the whole program, so it is ignored once for the process.
void IgnoreBrokenPipes()
{
    static const bool ignored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
    (void)ignored;
}

QString SystemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

DevToolsReader::DevToolsReader(qsizetype maxMessage) : maxMessage_(maxMessage) { }

void DevToolsReader::Append(QByteArrayView bytes)
{
    buffer_.remove(0, start_); // the messages already taken
    scanned_ -= start_;
    start_ = 0;
    buffer_.append(bytes);
}

std::optional<QJsonObject> DevToolsReader::Next()
{
    const qsizetype end = buffer_.indexOf('\0', scanned_);
    const qsizetype length = (end < 0 ? buffer_.size() : end) - start_;
    if (length > maxMessage_)
        throw BrowserError("Zpráva prohlížeče je příliš dlouhá.");
    if (end < 0) {
        scanned_ = buffer_.size();
        return std::nullopt;
    }
    const QJsonDocument document
        = QJsonDocument::fromJson(QByteArray::fromRawData(buffer_.constData() + start_, length));
    start_ = end + 1;
    scanned_ = start_;
    if (!document.isObject())
        throw BrowserError("Prohlížeč poslal nečitelnou zprávu.");
    return document.object();
}

DevToolsPipe::DevToolsPipe(int commandFd, int replyFd, qsizetype maxMessage)
    : commandFd_(commandFd), replyFd_(replyFd), reader_(maxMessage)
{
    IgnoreBrokenPipes();
    for (const int fd : { commandFd_, replyFd_ })
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

DevToolsPipe::~DevToolsPipe()
{
    ::close(commandFd_);
    ::close(replyFd_);
}

QJsonObject DevToolsPipe::Call(const QString &method, const QJsonObject &params,
                               const QString &sessionId, QDeadlineTimer deadline)
{
    const int id = nextId_++;
    QJsonObject command { { "id", id }, { "method", method }, { "params", params } };
    if (!sessionId.isEmpty())
        command.insert("sessionId", sessionId);
    Send(QJsonDocument(command).toJson(QJsonDocument::Compact) + '\0', deadline);
    for (;;) {
        const QJsonObject message = Receive(deadline);
        if (message.value("id").toInt(-1) != id) {
            // An event, or the late reply of an abandoned call: a browser that sends
            // nothing else must not hold the call past its deadline.
            if (deadline.hasExpired())
                throw BrowserError("Prohlížeč neodpověděl včas.");
            continue;
        }
        if (message.contains("error")) {
            const QJsonObject error = message.value("error").toObject();
            throw BrowserReplyError(QStringLiteral("%1: %2 (%3)")
                                        .arg(method, error.value("message").toString())
                                        .arg(error.value("code").toInt())
                                        .toStdString());
        }
        return message.value("result").toObject();
    }
}

void DevToolsPipe::Send(const QByteArray &message, QDeadlineTimer deadline)
{
    qsizetype sent = 0;
    while (sent < message.size()) {
        if (sent > 0 && deadline.hasExpired())
            throw BrowserError("Prohlížeč nepřijímá příkazy (vypršel časový limit).");
        const ssize_t n = ::write(commandFd_, message.constData() + sent, message.size() - sent);
        if (n >= 0) {
            sent += n;
        } else if (errno == EAGAIN) {
            if (!Wait(commandFd_, POLLOUT, deadline))
                throw BrowserError("Prohlížeč nepřijímá příkazy (vypršel časový limit).");
        } else if (errno != EINTR) {
            throw BrowserError(SystemError("Prohlížeč nepřijal příkaz").toStdString());
        }
    }
}

QJsonObject DevToolsPipe::Receive(QDeadlineTimer deadline)
{
    for (;;) {
        if (std::optional<QJsonObject> message = reader_.Next())
            return *std::move(message);
        if (deadline.hasExpired())
            throw BrowserError("Prohlížeč neodpověděl včas.");
        char chunk[65536];
        const ssize_t n = ::read(replyFd_, chunk, sizeof chunk);
        if (n > 0) {
            reader_.Append(QByteArrayView(chunk, n));
        } else if (n == 0) {
            throw BrowserError("Prohlížeč ukončil spojení.");
        } else if (errno == EAGAIN) {
            if (!Wait(replyFd_, POLLIN, deadline))
                throw BrowserError("Prohlížeč neodpověděl včas.");
        } else if (errno != EINTR) {
            throw BrowserError(SystemError("Odpověď prohlížeče nelze přečíst").toStdString());
        }
    }
}

// Waits until the descriptor is ready or the deadline passes; false on the deadline.
bool DevToolsPipe::Wait(int fd, short events, QDeadlineTimer deadline)
{
    for (;;) {
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return false;
        pollfd entry { fd, events, 0 };
        const int timeout = left < 0 ? -1 : static_cast<int>(std::min<qint64>(left, 1 << 30));
        const int ready = ::poll(&entry, 1, timeout);
        if (ready > 0)
            return true; // readable, writable, or hung up: the next read or write tells
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

} // namespace cykl
