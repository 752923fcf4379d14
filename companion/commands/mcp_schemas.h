// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON schemas of the MCP server's tools: the pieces an input schema is made of, and
// the output schema of each tool, the shape of the document its command writes with -f json
// (calendar/report_json.h).
#pragma once

#include <QJsonObject>
#include <QStringList>

namespace cykl::companion {

QJsonObject Typed(const char *type); // {"type": type}
QJsonObject ArrayOf(const QJsonObject &items);
QJsonObject ObjectOf(const QJsonObject &properties, const QStringList &required);

QJsonObject DayOutput();
QJsonObject MonthOutput();
QJsonObject CriticalOutput();
QJsonObject MatchOutput();
QJsonObject TogetherOutput();

} // namespace cykl::companion
