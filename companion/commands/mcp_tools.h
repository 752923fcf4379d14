// SPDX-License-Identifier: GPL-3.0-or-later
// The tools of the MCP server: each a command of the table run in-process with -f json,
// so that a tool gives the very document the command writes.
#pragma once

#include "companion/commands/command_unit.h"
#include "companion/commands/mcp_protocol.h"

#include <QJsonArray>

namespace cykl::companion {

// The tools as tools/list gives them: name, description, input and output schemas.
QJsonArray ToolList(Lang lang);

// tools/call: the tool's document as structured content and as text, or the command's
// refusal as a tool's error; a fault where the call names no tool or its arguments do not
// fit the schema. `run` is the dispatcher, `environment` the server's own: the commands
// read its date, variables and people file, and write nothing.
RpcResult CallTool(const QJsonObject &params, Environment &environment,
                   int (*run)(const QStringList &, Environment &));

} // namespace cykl::companion
