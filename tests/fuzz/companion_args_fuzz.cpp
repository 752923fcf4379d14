// SPDX-License-Identifier: GPL-3.0-or-later
// Any command line through the companion command, run in memory. Besides crashes, hangs
// and sanitizer reports it traps on a broken promise of the command: an exit status
// outside 0 to 2 (nothing here can fail to write), anything on standard output after a
// refusal or usage error, a refusal that is not one of the window's three texts, a
// usage error without its prefix or its pointer to the help, or JSON output that does not read
// back.
#include "companion/command.h"
#include "companion/calendar/engine.h"

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

class MemoryEnvironment final : public Environment {
public:
    QDate Today() const override { return QDate(2026, 12, 7); }
    QDateTime Now() const override { return QDateTime(Today(), QTime(12, 0), Qt::UTC); }
    void Out(const QByteArray &utf8) override { out += utf8; }
    void Err(const QByteArray &utf8) override { err += utf8; }
    bool WriteFile(const QString &, const QByteArray &data, QString &) override
    {
        out += data;
        return true;
    }
    bool DrawChart(const ChartRequest &request, QString &) override
    {
        Require(IsValidDay(request.Birth) && IsValidDay(request.Day));
        return true;
    }

    QByteArray out;
    QByteArray err;
};

bool IsRefusal(const QByteArray &err)
{
    for (const MessageCode code : { 1, 2, 3 }) {
        const QByteArray text = QByteArray::fromStdString(MessageText(code, {}, {}));
        const QByteArray words = code == 3 ? text.mid(text.indexOf(' ')) : text;
        if (err.endsWith(words + '\n') && err.count('\n') == 1)
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
    MemoryEnvironment env;
    const int status = RunCommand(arguments, env);
    Require(status == ExitOk || status == ExitRefused || status == ExitUsage);
    if (status == ExitRefused)
        Require(env.out.isEmpty() && IsRefusal(env.err));
    if (status == ExitUsage)
        Require(env.out.isEmpty() && env.err.startsWith("cyklometrika: ")
                && env.err.endsWith("\nNápověda: cyklometrika --help\n"));
    if (status == ExitOk && env.out.trimmed().startsWith('{'))
        Require(!QJsonDocument::fromJson(env.out).isNull());
    return 0;
}
