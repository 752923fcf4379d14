// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/mcp_tools.h"

#include "companion/commands/mcp_schemas.h"
#include "lang/qt/said.h"

#include <QJsonDocument>
#include <algorithm>
#include <optional>
#include <vector>

namespace cykl::companion {

namespace {

// The world of a command run for a tool: the server's date, variables and people file;
// its standard output and error kept in memory; every write refused.
class ToolEnvironment final : public Environment {
public:
    explicit ToolEnvironment(Environment &server) : server_(server) { }

    QDate Today() const override { return server_.Today(); }
    QDateTime Now() const override { return server_.Now(); }
    void Out(const QByteArray &utf8) override { Output += utf8; }
    void Err(const QByteArray &utf8) override { Errors += utf8; }
    bool FinishOut(QString &) override { return true; }
    bool WriteFile(const QString &, const QByteArray &, QString &error) override
    {
        return Refuse(error);
    }
    bool DrawChart(const ChartRequest &, QString &error) override { return Refuse(error); }
    QString PeoplePath() const override { return server_.PeoplePath(); }
    bool ReadPeopleFile(QByteArray &text, QString &error) const override
    {
        return server_.ReadPeopleFile(text, error);
    }
    bool WritePeopleFile(const QByteArray &, QString &error) override { return Refuse(error); }
    std::shared_ptr<void> LockPeopleFile(QString &error) override
    {
        Refuse(error);
        return {};
    }
    // No tool keeps a diary or reads a file of its own: the tools read the people file alone.
    QString DataFolder() const override { return server_.DataFolder(); }
    bool ReadOwnFile(const QString &, qsizetype, QByteArray &, QString &error) const override
    {
        return Refuse(error);
    }
    bool WriteOwnFile(const QString &, const QByteArray &, QString &error) override
    {
        return Refuse(error);
    }
    bool RemoveOwnFile(const QString &, QString &error) override { return Refuse(error); }
    std::shared_ptr<void> LockOwnFile(const QString &, QString &error) override
    {
        Refuse(error);
        return {};
    }
    bool ReadFile(const QString &, qsizetype, QByteArray &, QString &error) const override
    {
        return Refuse(error);
    }
    bool Notify(QList<Notice> &, int, QString &error) override { return Refuse(error); }
    QString Variable(const char *name) const override { return server_.Variable(name); }
    QString ConfigFolder() const override { return server_.ConfigFolder(); }
    QString ProgramPath() const override { return server_.ProgramPath(); }
    int UserManager(const QStringList &, QByteArray &) override { return -1; }

    QByteArray Output;
    QByteArray Errors;

private:
    bool Refuse(QString &error) const
    {
        error = Said("mcp.no.writing", server_.Language());
        return false;
    }

    Environment &server_;
};

enum class ArgumentKind { Person, People, Date, Month, Year };

struct ToolArgument {
    const char *Name;
    ArgumentKind Kind;
    TextKey Description;
    bool Required = false;
};

// A tool: the command it runs (by its English name) and what it takes, in the order of
// the command's arguments; each tool takes "lang" too.
struct ToolEntry {
    const char *Name;
    TextKey Description;
    std::vector<ToolArgument> Arguments;
    QJsonObject (*Output)();
};

const std::vector<ToolEntry> &Tools()
{
    using enum ArgumentKind;
    const ToolArgument from { "from", Date, "mcp.field.from" };
    const ToolArgument to { "to", Date, "mcp.field.to" };
    const ToolArgument year { "year", Year, "mcp.field.year" };
    const ToolArgument person { "person", Person, "mcp.field.person", true };
    const ToolArgument date { "date", Date, "mcp.field.date" };
    static const std::vector<ToolEntry> tools {
        { "day", "mcp.tool.day", { person, date }, DayOutput },
        { "month",
          "mcp.tool.month",
          { person, { "month", Month, "mcp.field.month" } },
          MonthOutput },
        { "critical", "mcp.tool.critical", { person, from, to, year }, CriticalOutput },
        { "match",
          "mcp.tool.match",
          { person, { "other", Person, "mcp.field.person", true }, date },
          MatchOutput },
        { "together",
          "mcp.tool.together",
          { { "people", People, "mcp.field.people", true }, from, to, year },
          TogetherOutput },
    };
    return tools;
}

QJsonObject ArgumentSchema(const ToolArgument &argument, Lang lang)
{
    QJsonObject schema = argument.Kind == ArgumentKind::People
        ? QJsonObject { { "type", "array" }, { "items", Typed("string") }, { "minItems", 2 } }
        : Typed(argument.Kind == ArgumentKind::Year ? "integer" : "string");
    if (argument.Kind == ArgumentKind::Year) {
        schema.insert("minimum", 1);
        schema.insert("maximum", 9999);
    }
    schema.insert("description", Said(argument.Description, lang));
    return schema;
}

QString Tag(Lang lang)
{
    const std::string_view code = LanguageOf(lang).Code;
    return QString::fromLatin1(code.data(), qsizetype(code.size()));
}

QJsonArray LanguageTags()
{
    QJsonArray tags;
    for (const Language &language : Languages)
        tags.append(Tag(language.Id));
    return tags;
}

QJsonObject InputSchema(const ToolEntry &tool, Lang lang)
{
    QJsonObject properties;
    QStringList required;
    for (const ToolArgument &argument : tool.Arguments) {
        properties.insert(argument.Name, ArgumentSchema(argument, lang));
        if (argument.Required)
            required.append(argument.Name);
    }
    properties.insert("lang",
                      QJsonObject { { "type", "string" },
                                    { "enum", LanguageTags() },
                                    { "description", Said("mcp.field.lang", lang) } });
    QJsonObject schema = ObjectOf(properties, required);
    schema.insert("additionalProperties", false);
    return schema;
}

QString Text(TextKey key, Lang lang, const QString &first, const QString &second = {})
{
    const QByteArray one = first.toUtf8();
    const QByteArray two = second.toUtf8();
    return Said(key, lang,
                { std::string_view(one.constData(), std::size_t(one.size())),
                  std::string_view(two.constData(), std::size_t(two.size())) });
}

RpcFault BadParameter(const QString &name, Lang lang)
{
    return { RpcInvalidParams, Text("mcp.error.params", lang, name) };
}

QJsonObject TextContent(const QString &text)
{
    return { { "type", "text" }, { "text", text } };
}

QJsonObject ToolError(const QString &text)
{
    return { { "content", QJsonArray { TextContent(text) } }, { "isError", true } };
}

// The words of an argument as JSON gives them: a string; a list of them; a whole year.
std::optional<QStringList> WordsOf(ArgumentKind kind, const QJsonValue &value)
{
    if (kind == ArgumentKind::Year && value.isDouble() && value.toDouble() == value.toInt())
        return QStringList { QString::number(value.toInt()) };
    if (kind != ArgumentKind::People)
        return value.isString() ? std::optional(QStringList { value.toString() }) : std::nullopt;
    QStringList words;
    const QJsonArray items = value.toArray();
    for (const auto &item : items) {
        if (!item.isString())
            return std::nullopt;
        words.append(item.toString());
    }
    return value.isArray() ? std::optional(words) : std::nullopt;
}

// The command line's arguments after the command's name: a fault where an argument is
// missing or of the wrong type, a tool's error where one would be no date or name to the
// command (an option, a list of names) or the span is given twice.
std::variant<QStringList, RpcResult> CommandWords(const ToolEntry &tool, const QJsonObject &given,
                                                  Lang lang)
{
    QStringList words;
    for (const ToolArgument &argument : tool.Arguments) {
        const QJsonValue value = given.value(argument.Name);
        if (value.isUndefined() || value.isNull()) {
            if (argument.Required)
                return BadParameter(argument.Name, lang);
            continue;
        }
        const auto items = WordsOf(argument.Kind, value);
        if (!items)
            return BadParameter(argument.Name, lang);
        for (const QString &item : *items) {
            const QString word = item.trimmed();
            if (word.isEmpty() || word.startsWith(QLatin1Char('-'))
                || word.contains(QLatin1Char(',')))
                return ToolError(Text("mcp.argument.bad", lang, argument.Name, item));
        }
        words.append(items->join(QLatin1Char(',')));
    }
    const auto has = [&](const char *key) {
        const QJsonValue value = given.value(QLatin1String(key));
        return !value.isUndefined() && !value.isNull();
    };
    if ((has("to") && !has("from")) || (has("year") && (has("from") || has("to"))))
        return ToolError(Said("mcp.argument.span", lang));
    return words;
}

// The command's refusal without the program's name before each line, or the pointer to
// the help after a usage error.
QString ErrorText(const QByteArray &errors, int status)
{
    QStringList lines = QString::fromUtf8(errors).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (status == ExitUsage && lines.size() > 1)
        lines.removeLast();
    for (QString &line : lines) {
        if (line.startsWith(QLatin1String("cyklometrika: ")))
            line.remove(0, 14);
    }
    return lines.join(QLatin1Char('\n')).trimmed();
}

QJsonObject ToolResult(const QByteArray &json)
{
    QJsonObject result { { "content", QJsonArray { TextContent(QString::fromUtf8(json)) } } };
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (document.isObject())
        result.insert("structuredContent", document.object());
    return result;
}

} // namespace

RpcResult CallTool(const QJsonObject &params, Environment &environment,
                   int (*run)(const QStringList &, Environment &))
{
    const Lang lang = environment.Language();
    const QString name = params.value("name").toString();
    const auto tool = std::find_if(Tools().begin(), Tools().end(),
                                   [&](const ToolEntry &entry) { return name == entry.Name; });
    if (tool == Tools().end())
        return RpcFault { RpcInvalidParams, Text("mcp.error.tool", lang, name) };
    const QJsonValue given = params.value("arguments");
    if (!given.isUndefined() && !given.isObject())
        return BadParameter("arguments", lang);
    const QJsonValue asked = given.toObject().value("lang");
    const QString tag = asked.isUndefined() ? Tag(lang) : asked.toString();
    if (!FindLanguage(tag.toStdString()))
        return BadParameter("lang", lang);
    const auto words = CommandWords(*tool, given.toObject(), lang);
    if (const auto *answer = std::get_if<RpcResult>(&words))
        return *answer;
    ToolEnvironment inner(environment);
    const QStringList line = QStringList { "cyklometrika", "--lang", tag, tool->Name }
        + std::get<QStringList>(words) + QStringList { "-f", "json" };
    const int status = run(line, inner);
    return status == ExitOk ? ToolResult(inner.Output) : ToolError(ErrorText(inner.Errors, status));
}

QJsonArray ToolList(Lang lang)
{
    QJsonArray list;
    for (const ToolEntry &tool : Tools())
        list.append(QJsonObject { { "name", tool.Name },
                                  { "description", Said(tool.Description, lang) },
                                  { "inputSchema", InputSchema(tool, lang) },
                                  { "outputSchema", tool.Output() } });
    return list;
}

} // namespace cykl::companion
