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

namespace cykl {

namespace {

// A browser that has gone away makes our next write fail with EPIPE; the signal that
// comes with it would end the whole program, so it is ignored once for the process.
void IgnoreBrokenPipes()
{
    static const bool ignored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
    (void)ignored;
}

constexpr qsizetype kMaxMessage = 64 * 1024 * 1024;

QString SystemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

DevToolsPipe::DevToolsPipe(int commandFd, int replyFd) : commandFd_(commandFd), replyFd_(replyFd)
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
        if (message.value("id").toInt(-1) != id)
            continue; // an event, or the late reply of an abandoned call
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
        const qsizetype end = received_.indexOf('\0');
        if (end >= 0) {
            const QByteArray text = received_.left(end);
            received_.remove(0, end + 1);
            QJsonParseError parseError {};
            const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
            if (!document.isObject())
                throw BrowserError("Prohlížeč poslal nečitelnou zprávu.");
            return document.object();
        }
        if (received_.size() > kMaxMessage)
            throw BrowserError("Zpráva prohlížeče je příliš dlouhá.");
        char chunk[65536];
        const ssize_t n = ::read(replyFd_, chunk, sizeof chunk);
        if (n > 0) {
            received_.append(chunk, n);
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
