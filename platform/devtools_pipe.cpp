// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/devtools_pipe.h"

#include <QJsonDocument>

namespace cykl {

namespace {

constexpr qsizetype kMaxMessage = 64 * 1024 * 1024;

} // namespace

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
        const qsizetype n = ReadSome(chunk, sizeof chunk, deadline);
        if (n == 0)
            throw BrowserError("Prohlížeč ukončil spojení.");
        received_.append(chunk, n);
    }
}

} // namespace cykl
