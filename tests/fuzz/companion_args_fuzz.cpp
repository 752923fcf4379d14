// SPDX-License-Identifier: GPL-3.0-or-later
// Any command line through the companion command, run in memory. Besides crashes, hangs
// and sanitizer reports it traps on a broken promise of the command: an exit status
// outside 0 to 2 (nothing here can fail to write), anything written after a refusal or
// usage error, a refusal that does not end in one of the window's three texts, a
// usage error without its prefix or its pointer to the help, or JSON output that does not read
// back.
#include "calendar/engine.h"
#include "companion/command.h"
#include "tests/support/memory_environment.h"

#include <QJsonDocument>
#include <cstddef>
#include <cstdint>

using namespace cykl;
using namespace cykl::companion;

namespace {

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// One of the window's three refusals last, after lines of the command's own (a note on the
// span, the reason of the refusal).
bool IsRefusal(const QByteArray &err)
{
    QList<QByteArray> lines = err.chopped(err.endsWith('\n') ? 1 : 0).split('\n');
    lines.removeLast();
    for (const QByteArray &line : lines) {
        if (!line.startsWith("cyklometrika: "))
            return false;
    }
    for (const MessageCode code : { 1, 2, 3 }) {
        const QByteArray text = QByteArray::fromStdString(MessageText(code, {}, {}));
        const QByteArray words = code == 3 ? text.mid(text.indexOf(' ')) : text;
        if (err.endsWith(words + '\n'))
            return true;
    }
    return false;
}

// The input as arguments, one a line.
QStringList SplitArguments(const std::uint8_t *data, std::size_t size)
{
    QStringList arguments { QStringLiteral("cyklometrika") };
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QByteArray &line : input.split('\n'))
        arguments.append(QString::fromUtf8(line));
    return arguments;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QStringList arguments = SplitArguments(data, size);
    test::MemoryEnvironment env;
    const int status = RunCommand(arguments, env);
    const QByteArray &out = env.StandardOutput;
    const QByteArray &err = env.StandardError;
    Require(status == ExitOk || status == ExitRefused || status == ExitUsage);
    for (const ChartRequest &chart : env.Charts)
        Require(status == ExitOk && IsValidDay(chart.Birth) && IsValidDay(chart.Day));
    if (status != ExitOk)
        Require(out.isEmpty() && env.Files.isEmpty());
    if (status == ExitRefused)
        Require(IsRefusal(err));
    if (status == ExitUsage)
        Require(err.startsWith("cyklometrika: ")
                && err.endsWith("\nNápověda: cyklometrika --help\n"));
    const QList<QByteArray> written = env.Files.values() << out;
    for (const QByteArray &text : written) {
        if (status == ExitOk && text.trimmed().startsWith('{'))
            Require(!QJsonDocument::fromJson(text).isNull());
    }
    return 0;
}
