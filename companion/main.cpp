// SPDX-License-Identifier: GPL-3.0-or-later
// The companion command: the command line against the real world. No application object
// is made here; the chart module makes its own when a picture is drawn.
#include "companion/command.h"
#include "companion/io/output_file.h"
#include "companion/io/people_file.h"
#include "companion/process.h"
#include "companion/shared/chart_job.h"
#include "companion/shared/notify_job.h"
#include "companion/shared/system_error.h"
#include "lang/qt/said.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef CYKL_CHART_MODULE_DIR
#define CYKL_CHART_MODULE_DIR "../lib/cyklometrika"
#endif

namespace {

using namespace cykl::companion;

// How long a change of the people file (or a diary) waits for another run's change to end.
constexpr int PeopleLockWait = 30000; // ms

// Makes the folder of a private file where missing: the folders it makes are for their
// owner alone, so that not even the names of the files in them (people's names) show.
void MakeFolder(const QString &folder)
{
    QString missing = folder;
    while (!QFileInfo::exists(QFileInfo(missing).absolutePath()) && missing != QDir::rootPath())
        missing = QFileInfo(missing).absolutePath();
    if (QFileInfo::exists(folder) || !QDir().mkpath(folder))
        return;
    for (QString made = folder;; made = QFileInfo(made).absolutePath()) {
        QFile::setPermissions(made, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (made == missing || made == QDir::rootPath())
            break;
    }
}

class ProcessEnvironment final : public Environment {
public:
    ProcessEnvironment(QString folder, bool outClosed)
        : folder_(std::move(folder)), outError_(outClosed ? EBADF : 0)
    {
    }

    QDate Today() const override { return QDate::currentDate(); }
    QDateTime Now() const override { return QDateTime::currentDateTimeUtc(); }
    void Out(const QByteArray &utf8) override
    {
        if (outError_ == 0 && !Write(stdout, utf8))
            outError_ = errno != 0 ? errno : EIO;
    }
    void Err(const QByteArray &utf8) override { Write(stderr, utf8); }

    bool FinishOut(QString &error) override
    {
        errno = 0;
        if (outError_ == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout) != 0))
            outError_ = errno != 0 ? errno : EIO;
        errno = 0;
        if (std::fclose(stdout) != 0 && outError_ == 0)
            outError_ = errno != 0 ? errno : EIO;
        if (outError_ == 0 || outError_ == EPIPE) // the reader has all it wanted
            return true;
        error = FileErrorText(QString(), outError_, Language());
        return false;
    }

    bool WriteFile(const QString &path, const QByteArray &data, QString &error) override
    {
        return WriteOutputFile(path, data, error, Language());
    }

    bool DrawChart(const ChartRequest &request, QString &error) override;
    bool Notify(QList<Notice> &notices, int deadlineMilliseconds, QString &error) override;
    QString Variable(const char *name) const override { return qEnvironmentVariable(name); }

    QString ConfigFolder() const override { return ConfigurationFolder(); }
    QString ProgramPath() const override { return folder_ + QStringLiteral("/cyklometrika"); }
    int UserManager(const QStringList &arguments, QByteArray &output) override;
    Terminal OutputTerminal() const override
    {
        return outError_ == 0 ? cykl::companion::OutputTerminal() : Terminal {};
    }
    bool ReadInputLine(QByteArray &line) override;

    QString PeoplePath() const override
    {
        return ConfigFolder() + QStringLiteral("/cyklometrika/lide");
    }
    bool ReadPeopleFile(QByteArray &text, QString &error) const override
    {
        return ReadOwnFile(PeoplePath(), MaxPeopleFileSize, text, error);
    }
    bool WritePeopleFile(const QByteArray &text, QString &error) override
    {
        return WriteOwnFile(PeoplePath(), text, error);
    }
    std::shared_ptr<void> LockPeopleFile(QString &error) override
    {
        return LockOwnFile(PeoplePath(), error);
    }

    QString DataFolder() const override { return UserDataFolder(); }
    bool ReadOwnFile(const QString &path, qsizetype most, QByteArray &text,
                     QString &error) const override
    {
        return QFile::exists(path) ? ReadFile(path, most, text, error) : true;
    }
    bool ReadFile(const QString &path, qsizetype most, QByteArray &text,
                  QString &error) const override
    {
        QFile file(path);
        ClearFileError();
        // A pipe would hold the read for ever, a device swallow what is written to it.
        if (file.exists() && !QFileInfo(file).isFile()) {
            error = Said("system.not.regular", Language());
            return false;
        }
        text = file.open(QIODevice::ReadOnly) ? file.read(most + 1) : QByteArray();
        if (file.error() == QFileDevice::NoError)
            return true;
        error
            = FileErrorText(file.fileName(), file.exists() ? LastFileError() : ENOENT, Language());
        return false;
    }
    bool WriteOwnFile(const QString &path, const QByteArray &text, QString &error) override
    {
        MakeFolder(QFileInfo(path).absolutePath());
        return WriteOutputFile(path, text, error, Language(), NewFile::Private);
    }
    bool RemoveOwnFile(const QString &path, QString &error) override
    {
        QFile file(path);
        ClearFileError();
        if (!file.exists() || file.remove())
            return true;
        error = FileErrorText(path, LastFileError(), Language());
        return false;
    }
    std::shared_ptr<void> LockOwnFile(const QString &path, QString &error) override
    {
        MakeFolder(QFileInfo(path).absolutePath());
        auto lock = std::make_shared<QLockFile>(path + QStringLiteral(".lock"));
        if (lock->tryLock(PeopleLockWait))
            return lock;
        error = lock->error() == QLockFile::LockFailedError
            ? Said("system.locked", Language())
            : FileErrorText(lock->fileName(),
                            lock->error() == QLockFile::PermissionError ? EACCES : LastFileError(),
                            Language());
        return {};
    }

private:
    static bool Write(FILE *stream, const QByteArray &utf8)
    {
        if (WriteToConsole(stream, utf8))
            return true;
        errno = 0;
        const auto size = static_cast<std::size_t>(utf8.size());
        return std::fwrite(utf8.constData(), 1, size, stream) == size;
    }

    // The module beside the executable (the build tree) or at its installed place, and its
    // entry; null with the reason where it cannot be loaded.
    QFunctionPointer LoadModule(const char *moduleName, const char *entry, QString &error) const;

    QString folder_;
    int outError_; // the first error of standard output, as an error number
};

// The chart module's picture, written as every other output is.
int WritePicture(CyklometrikaChartJob *job, const char *bytes, long long size)
{
    QString error;
    const cykl::Lang language = job->Language == 1 ? cykl::Lang::En : cykl::Lang::Cs;
    if (WriteOutputFile(QString::fromUtf8(job->Path),
                        QByteArray(bytes, static_cast<qsizetype>(size)), error, language))
        return 0;
    const QByteArray utf8 = error.toUtf8().left(sizeof job->Error - 1);
    std::memcpy(job->Error, utf8.constData(), static_cast<std::size_t>(utf8.size()));
    job->Error[utf8.size()] = '\0';
    return 1;
}

QFunctionPointer ProcessEnvironment::LoadModule(const char *moduleName, const char *entry,
                                                QString &error) const
{
    const QString name = QString::fromLatin1(moduleName);
    QLibrary module;
    for (const QString &folder :
         { folder_, folder_ + QLatin1Char('/') + QStringLiteral(CYKL_CHART_MODULE_DIR) }) {
        module.setFileName(folder + QLatin1Char('/') + name);
        if (module.load())
            break;
    }
    const QFunctionPointer found = module.isLoaded() ? module.resolve(entry) : nullptr;
    if (found == nullptr)
        error = Said("system.module", Language(),
                     { name.toStdString(), module.errorString().toStdString() });
    return found;
}

bool ProcessEnvironment::Notify(QList<Notice> &notices, int deadlineMilliseconds, QString &error)
{
    const auto notify = reinterpret_cast<CyklometrikaNotify>(
        LoadModule(NotifyModuleName, NotifyEntryName, error));
    if (notify == nullptr)
        return false;
    QList<QByteArray> texts;
    std::vector<CyklometrikaNotice> list;
    for (const Notice &notice : notices) {
        texts << notice.Summary.toUtf8() << notice.Body.toUtf8();
        list.push_back({ texts[texts.size() - 2].constData(), texts.last().constData(),
                         notice.Critical ? 1 : 0, 0 });
    }
    CyklometrikaNotifyJob job {};
    job.Version = NotifyJobVersion;
    job.Notices = list.data();
    job.Count = int(list.size());
    job.DeadlineMilliseconds = deadlineMilliseconds;
    job.Language = static_cast<int>(Language());
    const int failed = notify(&job);
    for (qsizetype i = 0; i < notices.size(); ++i)
        notices[i].Shown = list[static_cast<std::size_t>(i)].Shown != 0;
    if (failed == 0)
        return true;
    error = QString::fromUtf8(job.Error);
    return false;
}

// systemctl --user, where there is one; its output and errors together.
int ProcessEnvironment::UserManager(const QStringList &arguments, QByteArray &output)
{
    const QString systemctl = QStandardPaths::findExecutable(QStringLiteral("systemctl"));
    if (systemctl.isEmpty())
        return -1;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(systemctl, QStringList { QStringLiteral("--user") } + arguments);
    if (!process.waitForFinished(60000))
        return -1;
    output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// A line longer than this is cut there; the rest of it up to its end is read and dropped.
constexpr qsizetype MaxInputLine = 4 << 20;

bool ProcessEnvironment::ReadInputLine(QByteArray &line)
{
    line.clear();
    if (outError_ == 0 && std::fflush(stdout) != 0)
        outError_ = errno != 0 ? errno : EIO;
    if (outError_ != 0) // no one reads the answers any more
        return false;
    int c = 0;
    while ((c = std::getc(stdin)) != EOF && c != '\n') {
        if (line.size() < MaxInputLine)
            line.append(static_cast<char>(c));
    }
    if (line.endsWith('\r'))
        line.chop(1);
    return c != EOF || !line.isEmpty();
}

bool ProcessEnvironment::DrawChart(const ChartRequest &request, QString &error)
{
    const auto draw = reinterpret_cast<CyklometrikaDrawChart>(
        LoadModule(ChartModuleName, ChartEntryName, error));
    if (draw == nullptr)
        return false;
    const QByteArray path = request.Path.toUtf8();
    const QByteArray kind = request.Kind.toLatin1();
    const QByteArray person = request.Name.toUtf8();
    CyklometrikaChartJob job {};
    job.Version = ChartJobVersion;
    const int fields[6] = { request.Birth.Day, request.Birth.Month, request.Birth.Year,
                            request.Day.Day,   request.Day.Month,   request.Day.Year };
    std::memcpy(job.Fields, fields, sizeof fields);
    job.Path = path.constData();
    job.Kind = kind.constData();
    job.Name = person.constData();
    job.Write = WritePicture;
    const QByteArray with = request.WithName.toUtf8();
    const int withBirth[3]
        = { request.WithBirth.Day, request.WithBirth.Month, request.WithBirth.Year };
    std::memcpy(job.WithBirth, withBirth, sizeof withBirth);
    job.WithName = with.constData();
    job.Language = static_cast<int>(request.Language);
    if (draw(&job) == 0)
        return true;
    error = QString::fromUtf8(job.Error);
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    IgnoreClosedPipes();
    const bool outClosed = HoldClosedStandardOutput();
    const QStringList arguments = CommandArguments(argc, argv);
    ProcessEnvironment environment(ExecutableFolder(argc > 0 ? argv[0] : ""), outClosed);
    return RunCommand(arguments, environment);
}
