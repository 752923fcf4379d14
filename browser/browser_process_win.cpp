// SPDX-License-Identifier: GPL-3.0-or-later
// Starting and ending the browser on Windows. The browser reads commands from and writes
// replies to two named pipes whose ends it inherits; their handle values are given on
// its command line (--remote-debugging-io-pipes=<commands>,<replies>). It inherits those
// two ends and its standard handles only, starts suspended, and joins a job object of
// its own before it runs, so that it and every helper it starts can be ended together.
#include "browser/browser_process.h"
#include "browser/command_line.h"
#include "browser/texts.h"

#include <QAtomicInteger>
#include <QDir>
#include <QRandomGenerator>
#include <array>
#include <utility>
#include <windows.h>

namespace cykl {

namespace {

using namespace browser_text;

constexpr DWORD PipeBuffer = 1 << 20;

// The failure of key with the system's last error as its reason, after subject if given.
[[noreturn]] void Fail(TextKey key, const QString &subject = {})
{
    const QString reason = qt_error_string();
    if (subject.isEmpty())
        throw Failure(key, { reason });
    throw Failure(key, { subject, reason });
}

// Closes the handle it holds when it goes, unless the handle was taken.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) { }
    ~Handle()
    {
        if (handle_)
            ::CloseHandle(handle_);
    }
    Handle(Handle &&other) noexcept : handle_(std::exchange(other.handle_, nullptr)) { }
    Handle &operator=(Handle &&) = delete;
    HANDLE Get() const { return handle_; }
    HANDLE Take() { return std::exchange(handle_, nullptr); }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HANDLE handle_ = nullptr;
};

SECURITY_ATTRIBUTES Inheritable()
{
    return { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
}

// The browser's end is open already, so the pipe is connected at once.
bool Connected(HANDLE pipe)
{
    OVERLAPPED overlapped {};
    Handle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    overlapped.hEvent = event.Get();
    if (::ConnectNamedPipe(pipe, &overlapped))
        return true;
    const DWORD error = ::GetLastError();
    if (error == ERROR_PIPE_CONNECTED)
        return true;
    if (error == ERROR_IO_PENDING) {
        ::CancelIoEx(pipe, &overlapped);
        DWORD ignored = 0;
        ::GetOverlappedResult(pipe, &overlapped, &ignored, TRUE);
    }
    return false;
}

// Our end (overlapped, not inherited) and the browser's end (inheritable) of one pipe.
// outbound: we write and the browser reads.
std::pair<Handle, Handle> MakePipe(bool outbound)
{
    static QAtomicInteger<quint32> serial;
    const QString name = QStringLiteral(R"(\\.\pipe\cyklometrika-%1-%2-%3)")
                             .arg(::GetCurrentProcessId())
                             .arg(serial.fetchAndAddRelaxed(1))
                             .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
    const auto wide = reinterpret_cast<const wchar_t *>(name.utf16());
    Handle ours(::CreateNamedPipeW(wide,
                                   (outbound ? PIPE_ACCESS_OUTBOUND : PIPE_ACCESS_INBOUND)
                                       | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                   PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT
                                       | PIPE_REJECT_REMOTE_CLIENTS,
                                   1, PipeBuffer, PipeBuffer, 0, nullptr));
    if (!ours)
        Fail("browser.no.connection.why");
    SECURITY_ATTRIBUTES inherit = Inheritable();
    Handle theirs(::CreateFileW(wide, outbound ? GENERIC_READ : GENERIC_WRITE, 0, &inherit,
                                OPEN_EXISTING, 0, nullptr));
    if (!theirs || !Connected(ours.Get()))
        Fail("browser.no.connection.why");
    return { std::move(ours), std::move(theirs) };
}

Handle OpenInheritable(const QString &path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit = Inheritable();
    Handle file(::CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), access,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        Fail("browser.cannot.open", path);
    return file;
}

// A job that kills whatever it still holds when its last handle closes.
Handle MakeJob()
{
    Handle job(::CreateJobObjectW(nullptr, nullptr));
    if (!job)
        Fail("browser.cannot.prepare");
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

// Only the listed handles are inherited, whatever else this process holds as inheritable.
class InheritList {
public:
    explicit InheritList(std::array<HANDLE, 4> handles) : handles_(handles)
    {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage_.resize(qsizetype(size));
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
        if (!::InitializeProcThreadAttributeList(list_, 1, 0, &size)
            || !::UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                            handles_.data(), sizeof(HANDLE) * handles_.size(),
                                            nullptr, nullptr))
            Fail("browser.cannot.prepare");
    }
    ~InheritList() { ::DeleteProcThreadAttributeList(list_); }
    InheritList(const InheritList &) = delete;
    InheritList &operator=(const InheritList &) = delete;
    LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return list_; }

private:
    std::array<HANDLE, 4> handles_;
    QByteArray storage_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

// The environment as CreateProcessW takes it: NAME=value entries, each ended by a NUL,
// sorted without regard to case, the last one followed by one more NUL.
QString EnvironmentBlock(const QProcessEnvironment &environment)
{
    QStringList entries = environment.toStringList();
    entries.sort(Qt::CaseInsensitive);
    QString block;
    for (const QString &entry : std::as_const(entries))
        block += entry + QChar(u'\0');
    return block + QChar(u'\0');
}

QString HandleText(const Handle &handle)
{
    return QString::number(static_cast<quint32>(reinterpret_cast<quintptr>(handle.Get())));
}

} // namespace

BrowserProcess::Pipes BrowserProcess::Start(const QString &program, const QStringList &arguments,
                                            QDeadlineTimer)
{
    auto [commandOurs, commandTheirs] = MakePipe(true);
    auto [replyOurs, replyTheirs] = MakePipe(false);
    Handle input = OpenInheritable(QStringLiteral("NUL"), GENERIC_READ, OPEN_EXISTING);
    Handle log
        = OpenInheritable(QDir::toNativeSeparators(LogPath()), FILE_APPEND_DATA, OPEN_ALWAYS);
    Handle job = MakeJob();
    InheritList inherit({ commandTheirs.Get(), replyTheirs.Get(), input.Get(), log.Get() });

    STARTUPINFOEXW startup {};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.Get();
    startup.StartupInfo.hStdOutput = log.Get();
    startup.StartupInfo.hStdError = log.Get();
    startup.lpAttributeList = inherit.Get();

    const QString nativeProgram = QDir::toNativeSeparators(program);
    QString commandLine = WindowsCommandLine(
        nativeProgram,
        QStringList(arguments) << QStringLiteral("--remote-debugging-io-pipes=%1,%2")
                                      .arg(HandleText(commandTheirs), HandleText(replyTheirs)));
    QString environment = EnvironmentBlock(Environment());
    PROCESS_INFORMATION info {};
    if (!::CreateProcessW(reinterpret_cast<const wchar_t *>(nativeProgram.utf16()),
                          reinterpret_cast<wchar_t *>(commandLine.data()), nullptr, nullptr, TRUE,
                          CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT
                              | EXTENDED_STARTUPINFO_PRESENT,
                          environment.data(), nullptr, &startup.StartupInfo, &info))
        Fail("browser.cannot.run", program);
    Handle thread(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    if (::AssignProcessToJobObject(job.Get(), process_))
        job_ = job.Take();
    ::ResumeThread(thread.Get());
    return { commandOurs.Take(), replyOurs.Take() };
}

void BrowserProcess::WhenEnded(std::function<void()> handler)
{
    if (!process_ || ended_)
        return;
    endWatch_ = std::make_unique<QWinEventNotifier>(process_);
    QObject::connect(endWatch_.get(), &QWinEventNotifier::activated, endWatch_.get(),
                     [this, handler = std::move(handler)] {
                         // The handle of an ended process stays signalled: once is enough.
                         endWatch_->setEnabled(false);
                         handler();
                     });
}

void BrowserProcess::End(std::chrono::milliseconds grace)
{
    if (ended_)
        return;
    ended_ = true;
    if (endWatch_)
        endWatch_->setEnabled(false); // before its handle is closed
    if (process_) {
        if (::WaitForSingleObject(process_, DWORD(grace.count())) != WAIT_OBJECT_0) {
            if (!job_ || !::TerminateJobObject(job_, 1))
                ::TerminateProcess(process_, 1);
            ::WaitForSingleObject(process_, 5000);
        }
        ::CloseHandle(process_);
        process_ = nullptr;
    }
    if (job_) {
        // Helpers of the browser that outlived it are in its job.
        ::TerminateJobObject(job_, 1);
        ::CloseHandle(job_);
        job_ = nullptr;
    }
    RemoveTemporaryDirectory();
}

} // namespace cykl
