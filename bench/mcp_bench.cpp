// SPDX-License-Identifier: GPL-3.0-or-later
// The MCP server's answer to one tools/call of the day tool, in-process: the line read, the
// command run with -f json, the answer written (goal: under 5 ms; bench/run-mcp-bench).
#include "companion/command.h"
#include "tests/support/memory_environment.h"

#include <benchmark/benchmark.h>

namespace {

void ToolsCallDay(benchmark::State &state)
{
    const QByteArray call
        = R"({"jsonrpc":"2.0","id":1,"method":"tools/call","params":)"
          R"({"name":"day","arguments":{"person":"10.1.1996","date":"1996-03-05"}}})";
    const QStringList line { "cyklometrika", "mcp" };
    for (auto _ : state) {
        cykl::test::MemoryEnvironment environment;
        environment.Input = { call };
        if (cykl::companion::RunCommand(line, environment) != 0
            || !environment.StandardOutput.contains("\"structuredContent\""))
            state.SkipWithError("the call was not answered");
        benchmark::DoNotOptimize(environment.StandardOutput.data());
    }
}

} // namespace

BENCHMARK(ToolsCallDay)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
