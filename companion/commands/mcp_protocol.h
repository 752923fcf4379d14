// SPDX-License-Identifier: GPL-3.0-or-later
// JSON-RPC 2.0 as the MCP server speaks it: one message a line, a request answered by one
// line, a notification by none, a line that is no request by the error its fault calls for.
#pragma once

#include "lang/language.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <functional>
#include <variant>

namespace cykl::companion {

// The error codes JSON-RPC 2.0 gives its faults.
enum RpcErrorCode : int {
    RpcParseError = -32700,
    RpcInvalidRequest = -32600,
    RpcMethodNotFound = -32601,
    RpcInvalidParams = -32602,
};

struct RpcFault {
    int Code = RpcInvalidRequest;
    QString Message;
};

// What a method gives back: its result, or the fault.
using RpcResult = std::variant<QJsonObject, RpcFault>;
using RpcHandler = std::function<RpcResult(const QString &method, const QJsonObject &params)>;

// The answer to one line of the input (its end of line included), or nothing where none
// is due: a notification, a response, a blank line. `handler` runs requests and
// notifications alike; a notification's result is dropped.
QByteArray AnswerLine(const QByteArray &line, const RpcHandler &handler, Lang lang);

} // namespace cykl::companion
