// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/mcp_schemas.h"

#include <QJsonArray>

namespace cykl::companion {

QJsonObject Typed(const char *type)
{
    return { { "type", type } };
}

QJsonObject ArrayOf(const QJsonObject &items)
{
    return { { "type", "array" }, { "items", items } };
}

QJsonObject ObjectOf(const QJsonObject &properties, const QStringList &required)
{
    return { { "type", "object" },
             { "properties", properties },
             { "required", QJsonArray::fromStringList(required) } };
}

namespace {

QJsonObject DayProperties()
{
    const QJsonObject integer = Typed("integer");
    const QJsonObject message
        = ObjectOf({ { "code", integer }, { "text", Typed("string") } }, { "code", "text" });
    return { { "codes", ArrayOf(integer) }, { "critical_cycles", integer },
             { "date", Typed("string") },   { "emotional", integer },
             { "intellectual", integer },   { "messages", ArrayOf(message) },
             { "physical", integer },       { "verdicts", ArrayOf(Typed("string")) },
             { "weekday", Typed("string") } };
}

// What every day of a document holds.
QStringList DayKeys()
{
    return { "codes", "date", "emotional", "intellectual", "messages", "physical" };
}

// A list of days (month, critical) from "from" to "to" or of "month".
QJsonObject DaysOutput(const QStringList &span)
{
    QJsonObject properties { { "birth", Typed("string") },
                             { "name", Typed("string") },
                             { "refusal", Typed("string") },
                             { "days", ArrayOf(ObjectOf(DayProperties(), DayKeys())) } };
    for (const QString &key : span)
        properties.insert(key, Typed("string"));
    return ObjectOf(properties, span + QStringList { "birth", "days" });
}

} // namespace

QJsonObject DayOutput()
{
    QJsonObject properties = DayProperties();
    properties.insert("birth", Typed("string"));
    properties.insert("name", Typed("string"));
    return ObjectOf(properties, DayKeys() + QStringList { "birth" });
}

QJsonObject MonthOutput()
{
    return DaysOutput({ "month" });
}

QJsonObject CriticalOutput()
{
    return DaysOutput({ "from", "to" });
}

QJsonObject MatchOutput()
{
    const QJsonObject integer = Typed("integer");
    const QJsonObject agreement = ObjectOf({ { "emotional", integer },
                                             { "intellectual", integer },
                                             { "overall", integer },
                                             { "physical", integer } },
                                           { "emotional", "intellectual", "overall", "physical" });
    const QJsonObject person
        = ObjectOf({ { "birth", Typed("string") },
                     { "codes", ArrayOf(integer) },
                     { "emotional", integer },
                     { "intellectual", integer },
                     { "name", Typed("string") },
                     { "physical", integer } },
                   { "birth", "codes", "emotional", "intellectual", "name", "physical" });
    return ObjectOf({ { "agreement", agreement },
                      { "date", Typed("string") },
                      { "day_difference", integer },
                      { "people", ArrayOf(person) } },
                    { "agreement", "date", "people" });
}

QJsonObject TogetherOutput()
{
    const QJsonObject text = Typed("string");
    const QJsonObject shared = ObjectOf({ { "code", Typed("integer") },
                                          { "cycle", text },
                                          { "kind", text },
                                          { "message", text },
                                          { "people", ArrayOf(text) },
                                          { "verdict", text } },
                                        { "code", "cycle", "people" });
    const QJsonObject day
        = ObjectOf({ { "date", text }, { "shared", ArrayOf(shared) } }, { "date", "shared" });
    const QJsonObject person
        = ObjectOf({ { "birth", text }, { "name", text } }, { "birth", "name" });
    return ObjectOf({ { "days", ArrayOf(day) },
                      { "from", text },
                      { "people", ArrayOf(person) },
                      { "to", text } },
                    { "days", "from", "people", "to" });
}

} // namespace cykl::companion
