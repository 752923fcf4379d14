// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/devtools_pipe.h"

#include <QJsonDocument>
#include <utility>

namespace cykl {

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

QJsonObject DevToolsPipe::Receive(QDeadlineTimer deadline)
{
    for (;;) {
        if (std::optional<QJsonObject> message = reader_.Next())
            return *std::move(message);
        if (deadline.hasExpired())
            throw BrowserError("Prohlížeč neodpověděl včas.");
        char chunk[65536];
        const qsizetype n = ReadSome(chunk, sizeof chunk, deadline);
        if (n == 0)
            throw BrowserError("Prohlížeč ukončil spojení.");
        reader_.Append(QByteArrayView(chunk, n));
    }
}

} // namespace cykl
