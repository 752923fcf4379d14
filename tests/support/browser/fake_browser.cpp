// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a Chromium-family browser: it reads DevTools commands from descriptor 3
// and writes replies and events to descriptor 4, each message ended by a NUL byte; on
// Windows from and to the two inherited pipe handles named by
// --remote-debugging-io-pipes=<commands>,<replies>. Every other argument of a real
// browser is accepted and ignored. Its own options:
//   --fake-log=FILE            append one line per happening: "<pid> <what> <detail>"
//   --fake-exit-after=N        exit after answering N commands (a window the user closed)
//   --fake-hang=METHOD[:K]     stop answering at the K-th command METHOD (default 1st)
//   --fake-fail=METHOD[:K]     answer the K-th command METHOD with an error
//   --fake-deaf=METHOD[:K]     stop reading commands after answering the K-th METHOD
//   --fake-stream=METHOD[:K]   never answer the K-th command METHOD, but send events and
//                              replies to commands never sent, as fast as they are read
//   --fake-no-page             show no page until one is asked for
//   --fake-minimized           start with the window minimized
// It ends when its command pipe closes, or after answering Browser.close.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <utility>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
int ReadFd(int fd, char *buffer, qsizetype size)
{
    return ::_read(fd, buffer, static_cast<unsigned>(size));
}
int WriteFd(int fd, const char *buffer, qsizetype size)
{
    return ::_write(fd, buffer, static_cast<unsigned>(size));
}
// A pipe handle value inherited from the parent, as a descriptor of the C runtime.
int AdoptHandle(const QString &value, int flags)
{
    bool ok = false;
    const quintptr handle = value.toULongLong(&ok);
    if (!ok || ::GetFileType(reinterpret_cast<HANDLE>(handle)) != FILE_TYPE_PIPE)
        return -1;
    return ::_open_osfhandle(static_cast<intptr_t>(handle), flags | _O_BINARY);
}
#else
ssize_t ReadFd(int fd, char *buffer, qsizetype size)
{
    return ::read(fd, buffer, static_cast<size_t>(size));
}
ssize_t WriteFd(int fd, const char *buffer, qsizetype size)
{
    return ::write(fd, buffer, static_cast<size_t>(size));
}
#endif

struct Trigger {
    QString Method;
    int Occurrence = 0; // 0: never
};

struct Options {
    int CommandFd = 3;
    int ReplyFd = 4;
    QString Log;
    QString Profile;
    QString StartPage;
    int ExitAfter = -1;
    bool NoPage = false;
    bool Minimized = false;
    Trigger Hang;
    Trigger Fail;
    Trigger Stream;
    Trigger Deaf;
};

Trigger ParseTrigger(const QString &value)
{
    const QStringList parts = value.split(':');
    return { parts.value(0), parts.size() > 1 ? parts.value(1).toInt() : 1 };
}

Options ParseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const QString value = argument.section('=', 1);
        if (argument.startsWith("--fake-log="))
            options.Log = value;
        else if (argument.startsWith("--user-data-dir="))
            options.Profile = QDir::fromNativeSeparators(value);
#ifdef _WIN32
        else if (argument.startsWith("--remote-debugging-io-pipes=")) {
            options.CommandFd = AdoptHandle(value.section(',', 0, 0), _O_RDONLY);
            options.ReplyFd = AdoptHandle(value.section(',', 1), 0);
        }
#endif
        else if (argument.startsWith("--fake-exit-after="))
            options.ExitAfter = value.toInt();
        else if (argument.startsWith("--fake-hang="))
            options.Hang = ParseTrigger(value);
        else if (argument.startsWith("--fake-fail="))
            options.Fail = ParseTrigger(value);
        else if (argument.startsWith("--fake-stream="))
            options.Stream = ParseTrigger(value);
        else if (argument.startsWith("--fake-deaf="))
            options.Deaf = ParseTrigger(value);
        else if (argument == "--fake-no-page")
            options.NoPage = true;
        else if (argument == "--fake-minimized")
            options.Minimized = true;
        else if (!argument.startsWith("-"))
            options.StartPage = argument;
    }
    return options;
}

// Descriptors above 4 that this process inherited: none of the parent's pipes may leak.
// (Windows hands over only the handles it is told to; they cannot be listed here.)
QString InheritedDescriptors()
{
    QStringList open;
#ifndef _WIN32
    for (int fd = 5; fd < 1024; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1)
            open << QString::number(fd);
    }
#endif
    return open.isEmpty() ? QStringLiteral("-") : open.join(',');
}

void WriteBytes(int fd, const QByteArray &bytes);

[[noreturn]] void HangForever()
{
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

class FakeBrowser {
public:
    explicit FakeBrowser(Options options) : options_(std::move(options)) { }

    int Run();

private:
    void Log(const QString &what, const QString &detail = {}) const;
    bool ReadCommand(QJsonObject &command);
    void Write(const QJsonObject &message) const;
    QJsonObject Answer(const QString &method, const QJsonObject &params, const QString &session);
    bool Hits(const Trigger &trigger, const QString &method) const
    {
        return trigger.Method == method && seen_.value(method) == trigger.Occurrence;
    }

    Options options_;
    QByteArray buffer_;
    QMap<QString, int> seen_;
    QString url_ = QStringLiteral("about:blank");
    bool pageShown_ = !options_.NoPage;
    QString windowState_ = options_.Minimized ? "minimized" : "normal";
};

void FakeBrowser::Log(const QString &what, const QString &detail) const
{
    QFile log(options_.Log);
    if (options_.Log.isEmpty() || !log.open(QIODevice::Append | QIODevice::Text))
        return;
    log.write(QStringLiteral("%1 %2 %3\n")
                  .arg(QCoreApplication::applicationPid())
                  .arg(what, detail)
                  .toUtf8());
}

bool FakeBrowser::ReadCommand(QJsonObject &command)
{
    for (;;) {
        const qsizetype end = buffer_.indexOf('\0');
        if (end >= 0) {
            command = QJsonDocument::fromJson(buffer_.left(end)).object();
            buffer_.remove(0, end + 1);
            return true;
        }
        char chunk[4096];
        const auto n = ReadFd(options_.CommandFd, chunk, sizeof chunk);
        if (n > 0)
            buffer_.append(chunk, n);
        else if (n == 0 || errno != EINTR)
            return false;
    }
}

void FakeBrowser::Write(const QJsonObject &message) const
{
    WriteBytes(options_.ReplyFd, QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0');
}

void WriteBytes(int fd, const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const auto n = WriteFd(fd, bytes.constData() + sent, bytes.size() - sent);
        if (n < 0 && errno != EINTR)
            ::_exit(3);
        sent += n > 0 ? n : 0;
    }
}

// Writes a prepared batch over and over, faster than any reader takes it in; ends when
// the reader goes away and a write fails.
[[noreturn]] void Stream(int fd, int unanswered)
{
    const QJsonObject lifecycle { { "frameId", "F1" }, { "name", "networkIdle" } };
    const QByteArray event = QJsonDocument(QJsonObject { { "method", "Page.lifecycleEvent" },
                                                         { "params", lifecycle },
                                                         { "sessionId", "S1" } })
                                 .toJson(QJsonDocument::Compact)
        + '\0';
    QByteArray batch;
    for (int n = 1; batch.size() < 65536; ++n) {
        batch += event;
        if (n % 16 == 0) // the reply to a command that was never sent
            batch += QJsonDocument(
                         QJsonObject { { "id", unanswered + n }, { "result", QJsonObject {} } })
                         .toJson(QJsonDocument::Compact)
                + '\0';
    }
#ifndef _WIN32
    // A roomy pipe stays full even while this process waits for its turn on the processor
    // (the Windows pipe is made roomy by its server end).
    ::fcntl(fd, F_SETPIPE_SZ, 1024 * 1024);
#endif
    for (;;)
        WriteBytes(fd, batch);
}

QJsonObject Error(const QString &message)
{
    return { { "error", QJsonObject { { "code", -32000 }, { "message", message } } } };
}

QJsonObject Result(const QJsonObject &result)
{
    return { { "result", result } };
}

QJsonObject FakeBrowser::Answer(const QString &method, const QJsonObject &params,
                                const QString &session)
{
    const bool inSession = session == QLatin1String("S1");
    if (method == "Target.getTargets") {
        const QJsonObject worker { { "targetId", "W1" }, { "type", "service_worker" } };
        const QJsonObject page { { "targetId", "P1" }, { "type", "page" }, { "url", url_ } };
        return Result({ { "targetInfos",
                          pageShown_ ? QJsonArray { worker, page } : QJsonArray { worker } } });
    }
    if (method == "Target.createTarget") {
        pageShown_ = true;
        return Result({ { "targetId", "P1" } });
    }
    if (method == "Target.attachToTarget") {
        if (params["targetId"] != "P1" || params["flatten"] != true)
            return Error("attach: wrong target or not flat");
        Write({ { "method", "Target.attachedToTarget" },
                { "params", QJsonObject { { "sessionId", "S1" } } } });
        return Result({ { "sessionId", "S1" } });
    }
    if (method == "Browser.getWindowForTarget") {
        const QJsonObject bounds { { "left", 10 }, { "windowState", windowState_ } };
        return params["targetId"] == "P1" ? Result({ { "windowId", 7 }, { "bounds", bounds } })
                                          : Error("no such target");
    }
    if (method == "Browser.setWindowBounds") {
        windowState_ = params["bounds"]["windowState"].toString();
        return params["windowId"] == 7 ? Result({}) : Error("no such window");
    }
    if (method == "Browser.close")
        return Result({});
    if (!inSession)
        return Error(QStringLiteral("'%1' wasn't found").arg(method));
    if (method == "Page.bringToFront")
        return Result({});
    if (method == "Page.navigate") {
        url_ = params["url"].toString();
        Write({ { "method", "Page.frameStartedLoading" }, { "sessionId", "S1" } });
        return Result({ { "frameId", "F1" }, { "loaderId", "L1" } });
    }
    if (method == "Runtime.evaluate")
        return Result({ { "result", QJsonObject { { "type", "string" }, { "value", url_ } } } });
    return Error(QStringLiteral("'%1' wasn't found").arg(method));
}

int FakeBrowser::Run()
{
    Log("start",
        QStringLiteral("fds=%1 page=%2 profile=%3")
            .arg(InheritedDescriptors(), options_.StartPage, options_.Profile));
    QFile state(options_.Profile + "/Local State");
    if (options_.Profile.isEmpty() || !state.open(QIODevice::WriteOnly))
        Log("no-profile");
    state.close();
    for (int answered = 0; answered != options_.ExitAfter; ++answered) {
        QJsonObject command;
        if (!ReadCommand(command)) {
            Log("eof");
            return 0;
        }
        const QString method = command["method"].toString();
        ++seen_[method];
        const QJsonObject params = command["params"].toObject();
        const QString detail
            = params["url"].toString() + params["bounds"]["windowState"].toString();
        Log("call", detail.isEmpty() ? method : method + ' ' + detail);
        if (Hits(options_.Hang, method)) {
            Log("hang", method);
            HangForever();
        }
        if (Hits(options_.Stream, method)) {
            Log("stream", method);
            Stream(options_.ReplyFd, command["id"].toInt());
        }
        QJsonObject reply = Hits(options_.Fail, method)
            ? Error("fake failure")
            : Answer(method, params, command["sessionId"].toString());
        reply.insert("id", command["id"]);
        if (command.contains("sessionId"))
            reply.insert("sessionId", command["sessionId"]);
        Write(reply);
        if (Hits(options_.Deaf, method)) {
            Log("deaf", method);
            HangForever();
        }
        if (method == "Browser.close") {
            Log("closed");
            return 0;
        }
    }
    Log("exit", "window closed");
    return 0;
}

bool IsOpen(int fd)
{
#ifdef _WIN32
    return fd >= 0 && ::_get_osfhandle(fd) != -1;
#else
    return ::fcntl(fd, F_GETFD) != -1;
#endif
}

} // namespace

int main(int argc, char **argv)
{
    Options options = ParseOptions(argc, argv);
    if (!IsOpen(options.CommandFd) || !IsOpen(options.ReplyFd))
        return 2;
    return FakeBrowser(std::move(options)).Run();
}
