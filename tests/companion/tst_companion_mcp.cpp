// SPDX-License-Identifier: GPL-3.0-or-later
// The MCP server's answer to one line each, in memory: what it refuses as JSON-RPC, what a
// tool refuses as its own error, and what needs no answer. The tools' documents against the
// command's own, through a real client, are companion_mcp_client's.
#include "companion/command.h"
#include "companion/commands/mcp_protocol.h"
#include "lang/qt/said.h"
#include "tests/support/memory_environment.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace cykl;

namespace {

// Kinds of answer besides a JSON-RPC error's code.
enum Answer { NoAnswer = 0, Result = 1, ToolError = 2 };

QByteArray Call(const QByteArray &tool, const QByteArray &arguments)
{
    return R"({"jsonrpc":"2.0","id":"c","method":"tools/call","params":{"name":")" + tool
        + R"(","arguments":)" + arguments + "}}";
}

QJsonObject Serve(const QByteArray &line, const char *lang = "cs")
{
    test::MemoryEnvironment environment;
    environment.People = "Jana = 10.1.1996\n";
    environment.Input = { line };
    if (companion::RunCommand({ "cyklometrika", "--lang", lang, "mcp" }, environment) != 0)
        return { { "status", "failed" } };
    return QJsonDocument::fromJson(environment.StandardOutput).object();
}

} // namespace

class TestCompanionMcp : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void toolErrorInTheCatalogue();
};

void TestCompanionMcp::answers_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("answer");
    QTest::newRow("name") << Call("day", R"({"person":"Jana","date":"5.3.1996"})") << int(Result);
    QTest::newRow("a list for one") << Call("day", R"({"person":"Jana,Petr"})") << int(ToolError);
    QTest::newRow("an option") << Call("day", R"({"person":" -o"})") << int(ToolError);
    QTest::newRow("to alone") << Call("critical", R"({"person":"Jana","to":"1.1.2027"})")
                              << int(ToolError);
    QTest::newRow("year and from")
        << Call("together", R"({"people":["Jana","1.1.1990"],"year":2027,"from":"1.1.2027"})")
        << int(ToolError);
    QTest::newRow("year not whole") << Call("critical", R"({"person":"Jana","year":2027.5})")
                                    << int(companion::RpcInvalidParams);
    QTest::newRow("people not a list")
        << Call("together", R"({"people":"Jana,Petr"})") << int(companion::RpcInvalidParams);
    QTest::newRow("no such language")
        << Call("day", R"({"person":"Jana","lang":"de"})") << int(companion::RpcInvalidParams);
    QTest::newRow("arguments a list") << Call("day", "[]") << int(companion::RpcInvalidParams);
    QTest::newRow("params a list")
        << QByteArray(R"({"jsonrpc":"2.0","id":1,"method":"ping","params":[]})")
        << int(companion::RpcInvalidRequest);
    QTest::newRow("id an object") << QByteArray(R"({"jsonrpc":"2.0","id":{},"method":"ping"})")
                                  << int(companion::RpcInvalidRequest);
    QTest::newRow("a client's answer")
        << QByteArray(R"({"jsonrpc":"2.0","id":1,"result":{}})") << int(NoAnswer);
    QTest::newRow("unknown notification")
        << QByteArray(R"({"jsonrpc":"2.0","method":"notifications/x"})") << int(NoAnswer);
    QTest::newRow("blank") << QByteArray(" \t") << int(NoAnswer);
    QTest::newRow("cut short") << QByteArray(R"({"jsonrpc":"2.0","id":1,"meth)")
                               << int(companion::RpcParseError);
}

void TestCompanionMcp::answers()
{
    QFETCH(QByteArray, line);
    QFETCH(int, answer);
    const QJsonObject response = Serve(line);
    QVERIFY(!response.contains("status"));
    const QJsonObject result = response.value("result").toObject();
    const int got = response.isEmpty() ? NoAnswer
        : response.contains("error")   ? response.value("error").toObject().value("code").toInt()
        : result.value("isError").toBool() ? ToolError
                                           : Result;
    QCOMPARE(got, answer);
    QVERIFY(got != Result || result.value("structuredContent").toObject().contains("physical"));
}

// A tool's own error speaks the language asked for, in the catalogue's words.
void TestCompanionMcp::toolErrorInTheCatalogue()
{
    const QJsonObject response
        = Serve(Call("critical", R"({"person":"Jana","to":"1.1.2027","lang":"cs"})"), "en");
    QCOMPARE(response.value("id").toString(), QStringLiteral("c"));
    const QJsonValue content = response.value("result").toObject().value("content");
    QCOMPARE(content[0].toObject().value("text").toString(), Said("mcp.argument.span", Lang::En));
}

QTEST_GUILESS_MAIN(TestCompanionMcp)
#include "tst_companion_mcp.moc"
