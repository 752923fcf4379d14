// SPDX-License-Identifier: GPL-3.0-or-later
// The companion command: the command line against the real world. No application object
// is made here; the chart module makes its own when a picture is drawn.
#include "companion/command.h"
#include "companion/output_file.h"
#include "companion/process.h"
#include "companion/shared/chart_job.h"
#include "companion/shared/system_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef CYKL_CHART_MODULE_DIR
#define CYKL_CHART_MODULE_DIR "../lib/cyklometrika"
#endif

namespace {

using namespace cykl::companion;

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
        error = CzechWriteError(QString(), outError_);
        return false;
    }

    bool WriteFile(const QString &path, const QByteArray &data, QString &error) override
    {
        return WriteOutputFile(path, data, error);
    }

    bool DrawChart(const ChartRequest &request, QString &error) override;

    QString PeoplePath() const override
    {
        return ConfigurationFolder() + QStringLiteral("/cyklometrika/lide");
    }
    QByteArray ReadPeopleFile() const override
    {
        QFile file(PeoplePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool WritePeopleFile(const QByteArray &text, QString &error) override
    {
        const QString path = PeoplePath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        return WriteOutputFile(path, text, error);
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

    QString folder_;
    int outError_; // the first error of standard output, as an error number
};

// The module beside the executable (the build tree) or at its installed place.
bool ProcessEnvironment::DrawChart(const ChartRequest &request, QString &error)
{
    const QString name = QString::fromLatin1(ChartModuleName);
    QLibrary module;
    for (const QString &folder :
         { folder_, folder_ + QLatin1Char('/') + QStringLiteral(CYKL_CHART_MODULE_DIR) }) {
        module.setFileName(folder + QLatin1Char('/') + name);
        if (module.load())
            break;
    }
    const auto draw = module.isLoaded()
        ? reinterpret_cast<CyklometrikaDrawChart>(module.resolve(ChartEntryName))
        : nullptr;
    if (draw == nullptr) {
        error = QStringLiteral("modul grafů %1 chybí nebo je poškozený (%2)")
                    .arg(name, module.errorString());
        return false;
    }
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
