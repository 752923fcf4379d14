// SPDX-License-Identifier: GPL-3.0-or-later
// mcp (asistent): a server of the Model Context Protocol on standard input and output, whose
// tools are the commands day, month, critical, match and together.
#include "companion/commands/arguments.h"
#include "companion/commands/mcp_tools.h"
#include "companion/commands/units.h"
#include "lang/qt/said.h"

#ifndef CYKL_VERSION
#define CYKL_VERSION "0"
#endif

namespace cykl::companion {

namespace {

// The revisions of the protocol the server speaks, the newest first: a client asking for
// one of them gets it, any other client the newest.
const QStringList &ProtocolVersions()
{
    static const QStringList versions { "2025-11-25", "2025-06-18", "2025-03-26", "2024-11-05" };
    return versions;
}

QJsonObject Initialize(const QJsonObject &params)
{
    const QString asked = params.value("protocolVersion").toString();
    return {
        { "protocolVersion",
          ProtocolVersions().contains(asked) ? asked : ProtocolVersions().first() },
        { "capabilities", QJsonObject { { "tools", QJsonObject { { "listChanged", false } } } } },
        { "serverInfo", QJsonObject { { "name", "cyklometrika" }, { "version", CYKL_VERSION } } }
    };
}

int Serve(Environment &environment, int (*run)(const QStringList &, Environment &))
{
    const Lang lang = environment.Language();
    const RpcHandler handler = [&](const QString &method, const QJsonObject &params) -> RpcResult {
        if (method == QLatin1String("initialize"))
            return Initialize(params);
        if (method == QLatin1String("ping") || method.startsWith(QLatin1String("notifications/")))
            return QJsonObject {};
        if (method == QLatin1String("tools/list"))
            return QJsonObject { { "tools", ToolList(lang) } };
        if (method == QLatin1String("tools/call"))
            return CallTool(params, environment, run);
        const QByteArray name = method.toUtf8();
        return RpcFault { RpcMethodNotFound,
                          Said("mcp.error.method", lang,
                               { std::string_view(name.constData(), std::size_t(name.size())) }) };
    };
    QByteArray line;
    while (environment.ReadInputLine(line))
        environment.Out(AnswerLine(line, handler, lang));
    return ExitOk;
}

Parsed ParseMcp(const CommandLine &line)
{
    if (!line.Arguments.isEmpty())
        return TooMany(line, line.Arguments.first());
    const auto run = line.RunLine;
    return [run](Environment &environment) { return Serve(environment, run); };
}

} // namespace

CommandUnit McpUnit()
{
    return { { "mcp", "asistent" }, {}, {}, ParseMcp, { "mcp.listing" }, "mcp.help" };
}

} // namespace cykl::companion
