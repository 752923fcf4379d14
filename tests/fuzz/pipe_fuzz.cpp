// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of the browser's pipe, the one place where the program parses another
// process's output. The input is two bytes of set-up (how the bytes are split into reads,
// and the longest message allowed) and then the bytes the browser writes. Each run checks
// two things against a plain reference that splits the whole output at its NUL bytes:
// - the reader, fed in reads of varying size, yields the same messages and the same first
//   failure (a message that is no JSON object, or one longer than the limit);
// - three calls over a real pipe pair, which ends after the output, each get the reply
//   with their own id (a result or an error reply), or break where the reference breaks,
//   skipping events and replies to other ids.
// A difference traps.
#include "browser/devtools_pipe.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <vector>

using namespace cykl;

namespace {

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// The whole output cut at every NUL byte: the messages up to the first broken one, and
// whether the stream breaks (a broken message, or an unfinished one beyond the limit).
struct Reference {
    std::vector<QJsonObject> Messages;
    bool Breaks = false;
    qsizetype Unfinished = 0; // bytes after the last NUL
};

Reference Cut(const QByteArray &output, qsizetype limit)
{
    Reference reference;
    QList<QByteArray> pieces = output.split('\0');
    const QByteArray tail = pieces.takeLast();
    for (const QByteArray &piece : std::as_const(pieces)) {
        const QJsonDocument document = QJsonDocument::fromJson(piece);
        if (piece.size() > limit || !document.isObject()) {
            reference.Breaks = true;
            return reference;
        }
        reference.Messages.push_back(document.object());
    }
    reference.Breaks = tail.size() > limit;
    reference.Unfinished = tail.size();
    return reference;
}

// Feeds the output in reads of 1 to 64 bytes, the sizes drawn from the seed.
void CheckReader(const QByteArray &output, qsizetype limit, std::uint8_t seed,
                 const Reference &reference)
{
    DevToolsReader reader(limit);
    std::vector<QJsonObject> messages;
    bool broke = false;
    std::uint32_t state = seed * 2654435761u + 1;
    for (qsizetype at = 0; at < output.size() && !broke;) {
        state = state * 1103515245u + 12345u;
        const qsizetype size = std::min<qsizetype>(1 + (state >> 16) % 64, output.size() - at);
        reader.Append(QByteArrayView(output).sliced(at, size));
        at += size;
        try {
            while (std::optional<QJsonObject> message = reader.Next())
                messages.push_back(*message);
        } catch (const BrowserError &) {
            broke = true;
        }
    }
    Require(messages == reference.Messages);
    Require(broke == reference.Breaks);
    if (!broke)
        Require(reader.Pending() == reference.Unfinished);
}

struct Outcome {
    enum Kind { Result, ReplyError, Broken } Is;
    QJsonObject Reply;
    bool operator==(const Outcome &) const = default;
};

// What the call with the given id gets, reading the reference's messages from `next` on.
Outcome Expected(const Reference &reference, std::size_t &next, int id)
{
    while (next < reference.Messages.size()) {
        const QJsonObject &message = reference.Messages[next++];
        const QJsonValue number = message.value(QLatin1String("id"));
        if (!number.isDouble() || number.toDouble() != id)
            continue;
        if (message.contains(QLatin1String("error")))
            return { Outcome::ReplyError, {} };
        return { Outcome::Result, message.value(QLatin1String("result")).toObject() };
    }
    return { Outcome::Broken, {} }; // a broken message, or the end of the output
}

// The whole output is written into the pipe first, which then ends; an output that does
// not fit is left out.
void CheckCalls(const QByteArray &output, qsizetype limit, const Reference &reference)
{
    int command[2];
    int reply[2];
    Require(::pipe2(command, O_CLOEXEC) == 0);
    Require(::pipe2(reply, O_CLOEXEC | O_NONBLOCK) == 0);
    const bool fits = ::write(reply[1], output.constData(), output.size()) == output.size();
    ::close(reply[1]);
    if (fits) {
        DevToolsPipe pipe(command[1], reply[0], limit);
        std::size_t next = 0;
        for (int id = 1; id <= 3; ++id) {
            const Outcome expected = Expected(reference, next, id);
            Outcome actual { Outcome::Broken, {} };
            try {
                actual = { Outcome::Result,
                           pipe.Call(QStringLiteral("Fuzz.call"), {}, {}, QDeadlineTimer(5000)) };
            } catch (const BrowserReplyError &) {
                actual = { Outcome::ReplyError, {} };
            } catch (const BrowserError &) {
            }
            Require(actual == expected);
            if (actual.Is == Outcome::Broken)
                break;
        }
    } else {
        ::close(command[1]);
        ::close(reply[0]);
    }
    ::close(command[0]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint8_t seed = data[0];
    // Limits from 16 bytes up, so that long messages are common; 255 leaves the real one.
    const qsizetype limit = data[1] == 255 ? MaxDevToolsMessage : 16 + data[1] * 16;
    const QByteArray output(reinterpret_cast<const char *>(data) + 2, qsizetype(size) - 2);
    const Reference reference = Cut(output, limit);
    CheckReader(output, limit, seed, reference);
    CheckCalls(output, limit, reference);
    return 0;
}
