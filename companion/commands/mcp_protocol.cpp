// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/mcp_protocol.h"

#include "lang/qt/said.h"

#include <QJsonDocument>

namespace cykl::companion {

namespace {

QByteArray Response(const QJsonValue &id, const RpcResult &result)
{
    QJsonObject response { { "jsonrpc", "2.0" }, { "id", id } };
    if (const auto *fault = std::get_if<RpcFault>(&result))
        response.insert("error",
                        QJsonObject { { "code", fault->Code }, { "message", fault->Message } });
    else
        response.insert("result", std::get<QJsonObject>(result));
    return QJsonDocument(response).toJson(QJsonDocument::Compact) + '\n';
}

// An id a request may carry: a string, a number or null.
bool IsId(const QJsonValue &id)
{
    return id.isString() || id.isDouble() || id.isNull();
}

} // namespace

QByteArray AnswerLine(const QByteArray &line, const RpcHandler &handler, Lang lang)
{
    if (line.trimmed().isEmpty())
        return {};
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError)
        return Response(QJsonValue::Null,
                        RpcFault { RpcParseError, Said("mcp.error.parse", lang) });
    const QJsonObject message = document.object();
    const QJsonValue id = message.value("id");
    const QJsonValue method = message.value("method");
    if (!message.contains("method") && (message.contains("result") || message.contains("error")))
        return {}; // a client's answer: the server asks nothing
    const QJsonValue params = message.value("params");
    if (!document.isObject() || message.value("jsonrpc") != QLatin1String("2.0")
        || !method.isString() || !(id.isUndefined() || IsId(id))
        || !(params.isUndefined() || params.isObject()))
        return Response(IsId(id) ? id : QJsonValue::Null,
                        RpcFault { RpcInvalidRequest, Said("mcp.error.request", lang) });
    const RpcResult result = handler(method.toString(), params.toObject());
    return message.contains("id") ? Response(id, result) : QByteArray();
}

} // namespace cykl::companion
