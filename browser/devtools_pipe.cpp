// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/devtools_pipe.h"

#include "browser/texts.h"

#include <QJsonDocument>
#include <utility>

namespace cykl {

using namespace browser_text;

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
        throw Failure("browser.message.too.long");
    if (end < 0) {
        scanned_ = buffer_.size();
        return std::nullopt;
    }
    const QJsonDocument document
        = QJsonDocument::fromJson(QByteArray::fromRawData(buffer_.constData() + start_, length));
    start_ = end + 1;
    scanned_ = start_;
    if (!document.isObject())
        throw Failure("browser.message.unreadable");
    return document.object();
}

DevToolsPipe::DevToolsPipe(PipeHandle commandEnd, PipeHandle replyEnd, qsizetype maxMessage)
    : commands_(commandEnd), replies_(replyEnd), reader_(maxMessage), chunk_(65536, '\0')
{
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
                throw Failure("browser.no.answer");
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
    for (qsizetype sent = 0; sent < message.size();) {
        if (sent > 0 && deadline.hasExpired())
            throw Failure("browser.refuses.commands");
        const PipeStep step
            = commands_.WriteSome(message.constData() + sent, message.size() - sent);
        if (step.Result == PipeStep::Moved)
            sent += step.Bytes;
        else if (step.Result != PipeStep::Blocked)
            throw Failure("browser.command.not.taken", { step.Reason });
        else if (!commands_.Wait(deadline))
            throw Failure("browser.refuses.commands");
    }
}

QJsonObject DevToolsPipe::Receive(QDeadlineTimer deadline)
{
    for (;;) {
        if (std::optional<QJsonObject> message = reader_.Next())
            return *std::move(message);
        if (deadline.hasExpired())
            throw Failure("browser.no.answer");
        const PipeStep step = replies_.ReadSome(chunk_.data(), chunk_.size());
        if (step.Result == PipeStep::Moved) // none moved: read again
            reader_.Append(QByteArrayView(chunk_).first(step.Bytes));
        else if (step.Result == PipeStep::Closed)
            throw Failure("browser.connection.closed");
        else if (step.Result == PipeStep::Failed)
            throw Failure("browser.reply.unreadable", { step.Reason });
        else if (!replies_.Wait(deadline))
            throw Failure("browser.no.answer");
    }
}

} // namespace cykl
